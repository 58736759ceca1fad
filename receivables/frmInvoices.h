#pragma once
// Invoicing: bills a customer for orders not yet invoiced. The clerk picks a customer,
// moves orders from "Orders Not Yet Invoiced" to "Orders To Invoice" with ">>" and "<<",
// sets the dates, freight, misc and memo and presses "Create Invoices": one invoice for
// all listed orders is stored, previewed, and the window is ready for the next customer.

#include "widgets/ChildWindow.h"

#include <QVector>

class DatePicker;
class NumberBox;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class frmInvoices : public ChildWindow {
    Q_OBJECT
public:
    explicit frmInvoices(QWidget *parent = nullptr);

    // The memo holds at most this many characters.
    static constexpr int MemoLength = 250;

private:
    void layOut();
    void Form_Load();
    void cmbCustomer_Click();
    void btnAdd_Click();
    void btnRemove_Click();
    void txtMemo_Change();
    void btnPrint_Click();
    void btnCancel_Click();
    // The opening state: no customer, both lists empty, today and today + 30, zero
    // freight and misc, no memo.
    void ClearInvoice();
    // The order IDs of "Orders To Invoice", in list order, from the entries' item data.
    QVector<qint64> OrdersToInvoice() const;

    QComboBox *cmbCustomer;
    QListWidget *lstOrders;
    QListWidget *lstToInvoice;
    QPushButton *btnAdd;
    QPushButton *btnRemove;
    DatePicker *dtInvoiceDate;
    DatePicker *dtDueDate;
    NumberBox *txtFreight;
    NumberBox *txtMisc;
    QPlainTextEdit *txtMemo;
    QPushButton *btnPrint;
    QPushButton *btnCancel;
};
