#pragma once
// Customer Entry/Edit: creates and edits customers. A customer is known by its name
// alone; the name is looked up while it is typed or when it is picked, a stored
// customer fills the form and an unknown name gives an empty form for a new customer.
// "Save And Close" writes the one row and closes; there is no delete.

#include "widgets/ChildWindow.h"
#include "masterdata/MasterRecordForm.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class frmCustomerEntry : public ChildWindow {
    Q_OBJECT
public:
    explicit frmCustomerEntry(QWidget *parent = nullptr);
    ~frmCustomerEntry() override;

private:
    void layOut();
    void Form_Load();
    void cmbCustomer_Change();
    void cmbCustomer_Click();
    void btnSave_Click();
    void btnExit_Click();
    void FillCustomer();

    // The customer's own address (left column).
    QComboBox *cmbCustomer;
    QLineEdit *txtAddress1;
    QLineEdit *txtAddress2;
    QLineEdit *txtCity;
    QLineEdit *txtState;
    QLineEdit *txtZip;
    QLineEdit *txtPhone;
    QLineEdit *txtFax;
    QComboBox *cmbStatus;
    // The default delivery address that order entry copies (right column).
    QLineEdit *txtShipTo;
    QLineEdit *txtShipToAddress1;
    QLineEdit *txtShipToAddress2;
    QLineEdit *txtShipToCity;
    QLineEdit *txtShipToState;
    QLineEdit *txtShipToZip;
    QLineEdit *txtShipToPhone;
    QLineEdit *txtShipToFax;
    QPushButton *btnSave;
    QPushButton *btnExit;

    MasterRecordForm m_form;
};
