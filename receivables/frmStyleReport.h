#pragma once
// Style Selection: picks what the style listing shows. Customer, style name and type
// each hold a value or their "***All ...***" entry; choosing a customer lists its style
// names, typing or choosing a style name lists that style's types.

#include "widgets/ChildWindow.h"

class QComboBox;
class QPushButton;

class frmStyleReport : public ChildWindow {
    Q_OBJECT
public:
    explicit frmStyleReport(QWidget *parent = nullptr);

private:
    void layOut();
    void Form_Load();
    void cmbCustomer_Click();
    void cmbStyle_Change();
    void btnPrint_Click();
    void btnCancel_Click();

    QComboBox *cmbCustomer;
    QComboBox *cmbStyle;
    QComboBox *cmbType;
    QPushButton *btnPrint;
    QPushButton *btnCancel;
};
