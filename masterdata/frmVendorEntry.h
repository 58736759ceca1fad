#pragma once
// Vendor Entry/Edit: creates and edits the vendors the plant buys foam buns from. It
// works like customer entry: a vendor is known by its name alone, the name is looked
// up while it is typed or when it is picked, a stored vendor fills the form and an
// unknown name gives an empty form. "Save And Close" writes the one row and closes.

#include "widgets/ChildWindow.h"
#include "masterdata/MasterRecordForm.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class frmVendorEntry : public ChildWindow {
    Q_OBJECT
public:
    explicit frmVendorEntry(QWidget *parent = nullptr);
    ~frmVendorEntry() override;

private:
    void layOut();
    void Form_Load();
    void cmbVendor_Change();
    void cmbVendor_Click();
    void btnSave_Click();
    void btnExit_Click();
    void FillVendor();

    // Name and address (left column).
    QComboBox *cmbVendor;
    QLineEdit *txtAddress1;
    QLineEdit *txtAddress2;
    QLineEdit *txtCity;
    QLineEdit *txtState;
    QLineEdit *txtZip;
    // Phone, fax, contact and status (right column).
    QLineEdit *txtPhone;
    QLineEdit *txtFax;
    QLineEdit *txtContact;
    QComboBox *cmbStatus;
    QPushButton *btnSave;
    QPushButton *btnExit;

    MasterRecordForm m_form;
};
