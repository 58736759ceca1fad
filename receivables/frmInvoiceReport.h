#pragma once
// Invoice Report: previews one invoice picked by its number, newest first.

#include "widgets/ChildWindow.h"

class QComboBox;
class QPushButton;

class frmInvoiceReport : public ChildWindow {
    Q_OBJECT
public:
    explicit frmInvoiceReport(QWidget *parent = nullptr);

private:
    void layOut();
    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();

    QComboBox *cmbInvoice;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
