#include "masterdata/frmVendorEntry.h"

#include "app/Handler.h"
#include "app/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterRecordLayout::named;

frmVendorEntry::frmVendorEntry(QWidget *parent)
    : ChildWindow(parent),
      cmbVendor(named<QComboBox>(this, "cmbVendor")),
      txtAddress1(named<QLineEdit>(this, "txtAddress1")),
      txtAddress2(named<QLineEdit>(this, "txtAddress2")),
      txtCity(named<QLineEdit>(this, "txtCity")),
      txtState(named<QLineEdit>(this, "txtState")),
      txtZip(named<QLineEdit>(this, "txtZip")),
      txtPhone(named<QLineEdit>(this, "txtPhone")),
      txtFax(named<QLineEdit>(this, "txtFax")),
      txtContact(named<QLineEdit>(this, "txtContact")),
      cmbStatus(named<QComboBox>(this, "cmbStatus")),
      btnSave(named<QPushButton>(this, "btnSave")),
      btnExit(named<QPushButton>(this, "btnExit")),
      m_form(QStringLiteral("Vendor"), QStringLiteral("SELECT * FROM Vendor ORDER BY Vendor"),
             QStringLiteral("SELECT * FROM Vendor WHERE Vendor = '"), cmbVendor, cmbStatus) {
    setWindowTitle(QStringLiteral("Vendor Entry/Edit"));
    layOut();

    // The ten columns in the order a save writes them.
    m_form.addColumn(QStringLiteral("Vendor"), cmbVendor);
    m_form.addColumn(QStringLiteral("Address1"), txtAddress1);
    m_form.addColumn(QStringLiteral("Address2"), txtAddress2);
    m_form.addColumn(QStringLiteral("City"), txtCity);
    m_form.addColumn(QStringLiteral("State"), txtState);
    m_form.addColumn(QStringLiteral("Zip"), txtZip);
    m_form.addColumn(QStringLiteral("Phone"), txtPhone);
    m_form.addColumn(QStringLiteral("Fax"), txtFax);
    m_form.addColumn(QStringLiteral("Contact"), txtContact);
    m_form.addColumn(QStringLiteral("Status"), cmbStatus);

    // The state box selects its whole text on focus too, like every other box here and
    // the customer window's state box, so that typing over a state always replaces it.
    SelectAllOnFocus({txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, txtContact});

    connect(cmbVendor, &QComboBox::editTextChanged, this, handler([this] { cmbVendor_Change(); }));
    connect(cmbVendor, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) handler([this] { cmbVendor_Click(); })();
    });
    connect(btnSave, &QPushButton::clicked, this, handler([this] { btnSave_Click(); }));
    connect(btnExit, &QPushButton::clicked, this, handler([this] { btnExit_Click(); }));

    handler([this] { Form_Load(); })();
}

// The name combo loses the focus while the window is torn down and may then pick the
// entry matching its text; the lookup must not run on a half-destroyed window.
frmVendorEntry::~frmVendorEntry() { cmbVendor->disconnect(this); }

void frmVendorEntry::layOut() {
    using namespace MasterRecordLayout;

    auto *address = new QGridLayout;
    addRow(address, QStringLiteral("Vendor"), cmbVendor);
    addRow(address, QStringLiteral("Address 1"), txtAddress1);
    addRow(address, QStringLiteral("Address 2"), txtAddress2);
    addRow(address, QStringLiteral("City/St/Zip"), txtCity, cityRow(txtCity, txtState, txtZip));
    address->setRowStretch(address->rowCount(), 1);

    auto *contact = new QGridLayout;
    addRow(contact, QStringLiteral("Phone"), txtPhone);
    addRow(contact, QStringLiteral("Fax"), txtFax);
    addRow(contact, QStringLiteral("Contact"), txtContact);
    addRow(contact, QStringLiteral("Status"), cmbStatus);
    contact->setRowStretch(contact->rowCount(), 1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(address);
    columns->addSpacing(16);
    columns->addLayout(contact);

    auto *window = new QVBoxLayout(this);
    window->addLayout(columns);
    window->addLayout(buttonRow(btnSave, btnExit));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable

    tabOrder({cmbVendor, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, txtContact,
              cmbStatus, btnSave, btnExit});
}

void frmVendorEntry::Form_Load() { m_form.load(); }

void frmVendorEntry::cmbVendor_Change() { FillVendor(); }

void frmVendorEntry::cmbVendor_Click() { FillVendor(); }

void frmVendorEntry::FillVendor() { m_form.lookUp(); }

void frmVendorEntry::btnSave_Click() {
    if (m_form.save(QStringLiteral("Vendor Name and Status are required."))) unload();
}

void frmVendorEntry::btnExit_Click() { unload(); }
