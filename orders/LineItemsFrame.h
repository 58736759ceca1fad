#pragma once
// The "Line Items" frame of the order window: the grid of the order's lines and the row
// of fields under it in which a line is typed, or loaded from the grid and changed.
// Lines change in the grid only; the order's save writes them all at once. Built for the
// keyboard: Enter moves Line, Style, Qty Ordered, Price Each, Save, and Enter on Save
// puts the line into the grid.
//
// Item numbers: 1 for the first line, then one more than the number in the last row.
// Deleting a line does not renumber the others; a number freed by deleting the last
// line is given again. A line that has been shipped cannot be deleted, so shipment rows
// always name the line they shipped.

#include "orders/OrderSave.h"

#include <QGroupBox>
#include <QVector>

class Grid;
class NumberBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class LineItemsFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit LineItemsFrame(QWidget *parent = nullptr);

    // Rebuilds the grid from the stored lines of the order (none for a new order, whose
    // ID is empty).
    void RefreshGrid(const QString &orderId);
    // The customer's active styles, in name and type order, with their IDs and prices.
    void FillStyles(const QString &customer);

    // The lines as the grid holds them, top to bottom.
    QVector<OrderLine> lines() const;
    // The sum of the lines' extended prices.
    double total() const;

    // The first and last fields of the frame, for the window's Tab order.
    QWidget *firstField() const;
    QWidget *lastField() const;

signals:
    // A line was saved into the grid or deleted from it.
    void linesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void vsfgItems_RowColChange();
    void cmbStyle_Click();
    void btnSaveItem_Click();
    void btnDeleteItem_Click();
    void UpdatePriceExt();
    void selectStyle(int row);
    int rowOfItem(const QString &itemNumber) const;
    QString nextItemNumber() const;
    QStringList lineCells(const QString &itemNumber) const;
    void fitGrid();

    Grid *vsfgItems;
    QLabel *lblItem;
    QLineEdit *txtLine;
    QComboBox *cmbStyle;
    QLineEdit *txtQty;
    NumberBox *txtPriceEach;
    NumberBox *lblPriceExt;
    QPushButton *btnSaveItem;
    QPushButton *btnDeleteItem;

    QString m_orderId;  // the stored order the lines belong to; empty for a new order
};
