#pragma once
// Order Entry: creates an order or changes one opened from the navigator. The "Order
// Info" frame holds the header (customer, order number, dates, ship-to address, status),
// the "Line Items" frame the lines. "Save and Close" stores the header with all its
// lines as one unit, prints the order's paperwork once they are stored, and closes.

#include "widgets/ChildWindow.h"

class LineItemsFrame;
class NumberBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;
struct OrderHeader;

class frmOrderEntry : public ChildWindow {
    Q_OBJECT
public:
    Q_INVOKABLE explicit frmOrderEntry(QWidget *parent = nullptr);

    // Loads the stored order with this ID; an ID that finds no order changes nothing.
    void OpenOrder(qint64 id);
    // Rebuilds the line grid from the stored lines of the order shown.
    void RefreshGrid();
    // Sums the lines' extended prices into the order total.
    void UpdateTotal();

private:
    void layOut();
    QGroupBox *orderInfo();
    QLayout *buttons();
    void Form_Load();
    void cmbCustomer_Click();
    void btnClose_Click();
    void btnOpenOrder_Click();
    void btnVoidOrder_Click();
    void btnSave_Click();
    void btnExit_Click();
    void askStatus(const QString &verb, const QString &title, const QString &status);
    void selectCustomer(const QString &customer);
    void showShipTo(const Recordset &row);
    bool readyToSave();
    OrderHeader header() const;

    // Order Info
    QComboBox *cmbCustomer;
    QLineEdit *txtOrderNumber;
    QDateEdit *dtOrderDate;
    QDateEdit *dtDueDate;
    QLineEdit *txtShipTo;
    QLineEdit *txtAddress1;
    QLineEdit *txtAddress2;
    QLineEdit *txtCity;
    QLineEdit *txtState;
    QLineEdit *txtZip;
    QLineEdit *txtPhone;
    QLineEdit *txtFax;
    QLabel *lblStatus;
    QLabel *lblID;
    // Line Items
    LineItemsFrame *m_items;
    NumberBox *lblTotal;
    QPushButton *btnClose;
    QPushButton *btnOpenOrder;
    QPushButton *btnVoidOrder;
    QPushButton *btnSave;
    QPushButton *btnExit;
};
