#pragma once
// Sales By Customer Report: the range of order dates and whether to show each style.

#include "widgets/ChildWindow.h"

class DatePicker;
class QCheckBox;
class QPushButton;

class frmSalesByCustomer : public ChildWindow {
    Q_OBJECT
public:
    explicit frmSalesByCustomer(QWidget *parent = nullptr);

private:
    void layOut();
    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();

    DatePicker *dtStart;
    DatePicker *dtEnd;
    QCheckBox *chkDetail;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
