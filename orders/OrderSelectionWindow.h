#pragma once
// "Order Selection": the small window in which a manager picks an order and reprints
// part of its paperwork. Every order is listed, whatever its status, as customer, " - ",
// order number, with its ID carried by the entry; letters typed quickly search the list.
// Print with no order chosen does nothing; otherwise it prints the window's documents
// and closes the window. A failure while printing is reported and the window stays.
//
// The saw, fabrication, plant and shipping managers' windows and the order-entry control
// window are this one design; each says only what its Print prints.

#include "widgets/ChildWindow.h"

#include <QString>

class QComboBox;
class QPushButton;

class OrderSelectionWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit OrderSelectionWindow(QWidget *parent = nullptr);

protected:
    // Prints (or previews) this window's documents for the order with this ID.
    virtual void PrintDocuments(const QString &orderId) = 0;

private:
    void layOut();
    void Form_Load();
    void btnPrint_Click();
    void btnCancel_Click();

    QComboBox *cmbOrder;  // each entry carries its order's ID
    QPushButton *btnPrint;
    QPushButton *btnCancel;
};
