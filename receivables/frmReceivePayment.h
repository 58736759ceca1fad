#pragma once
// Receive Payment: records money received against an invoice, and adjustments to it.
// The clerk picks the invoice, sees its balance, types a payment and/or an adjustment,
// sees the new balance and saves; every save (or refusal) clears the amounts and the
// invoice, ready for the next payment.

#include "widgets/ChildWindow.h"

class DatePicker;
class NumberBox;
class QComboBox;
class QPushButton;

class frmReceivePayment : public ChildWindow {
    Q_OBJECT
public:
    explicit frmReceivePayment(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    void Form_Load();
    void cmbInvoice_Click();
    void txtPaymentAmount_LostFocus();
    void txtAdjustments_LostFocus();
    void btnSave_Click();
    void btnExit_Click();
    // All four amount boxes to "0".
    void ClearAmounts();
    void UpdateNewBalance();
    // Leaving an amount box: a text that is not a number becomes "0"; a number updates
    // the new balance.
    void AmountLeft(NumberBox *box);
    // The picked invoice's number (the list holds the numbers themselves).
    qint64 SelectedInvoice() const;

    DatePicker *dtDate;
    QComboBox *cmbInvoice;
    NumberBox *txtInvoiceBalance;
    NumberBox *txtPaymentAmount;
    NumberBox *txtAdjustments;
    NumberBox *txtNewBalance;
    QPushButton *btnSave;
    QPushButton *btnExit;
    bool m_placed = false;
};
