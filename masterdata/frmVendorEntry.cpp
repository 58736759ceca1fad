#include "masterdata/frmVendorEntry.h"

#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormLayout;

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
      btnSave(named<QPushButton>(this, "btnSave", QStringLiteral("Save And Close"))),
      btnExit(named<QPushButton>(this, "btnExit", QStringLiteral("Exit"))),
      m_form(MasterStore::Vendors(), cmbVendor, cmbStatus) {
    setWindowTitle(QStringLiteral("Vendor Entry/Edit"));
    layOut();

    // The ten columns in the order a save writes them.
    m_form.addColumns({cmbVendor, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, txtContact,
                       cmbStatus});

    // The state box selects its whole text on focus too, like every other box here and
    // the customer window's state box, so that typing over a state always replaces it.
    SelectAllOnFocus({txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, txtContact});

    onEdit(cmbVendor, this, [this] { cmbVendor_Change(); });
    onPick(cmbVendor, this, [this] { cmbVendor_Click(); });
    onClick(btnSave, this, [this] { btnSave_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });

    handler([this] { Form_Load(); })();
}

// The name combo loses the focus while the window is torn down and may then pick the
// entry matching its text; the lookup must not run on a half-destroyed window.
frmVendorEntry::~frmVendorEntry() { cmbVendor->disconnect(this); }

void frmVendorEntry::layOut() {
    QGridLayout *address = addressColumn({
        {QStringLiteral("Vendor"), cmbVendor},
        {QStringLiteral("Address 1"), txtAddress1},
        {QStringLiteral("Address 2"), txtAddress2},
        {QStringLiteral("City/St/Zip"), txtCity, cityRow(txtCity, txtState, txtZip)},
    });
    QGridLayout *contact = addressColumn({
        {QStringLiteral("Phone"), txtPhone},
        {QStringLiteral("Fax"), txtFax},
        {QStringLiteral("Contact"), txtContact},
        {QStringLiteral("Status"), cmbStatus},
    });

    auto *columns = new QHBoxLayout;
    columns->addLayout(address);
    columns->addSpacing(16);
    columns->addLayout(contact);

    auto *window = new QVBoxLayout(this);
    window->addLayout(columns);
    window->addLayout(buttonRow({btnSave, btnExit}));
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
