#include "masterdata/frmCustomerEntry.h"

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

frmCustomerEntry::frmCustomerEntry(QWidget *parent)
    : ChildWindow(parent),
      cmbCustomer(named<QComboBox>(this, "cmbCustomer")),
      txtAddress1(named<QLineEdit>(this, "txtAddress1")),
      txtAddress2(named<QLineEdit>(this, "txtAddress2")),
      txtCity(named<QLineEdit>(this, "txtCity")),
      txtState(named<QLineEdit>(this, "txtState")),
      txtZip(named<QLineEdit>(this, "txtZip")),
      txtPhone(named<QLineEdit>(this, "txtPhone")),
      txtFax(named<QLineEdit>(this, "txtFax")),
      cmbStatus(named<QComboBox>(this, "cmbStatus")),
      txtShipTo(named<QLineEdit>(this, "txtShipTo")),
      txtShipToAddress1(named<QLineEdit>(this, "txtShipToAddress1")),
      txtShipToAddress2(named<QLineEdit>(this, "txtShipToAddress2")),
      txtShipToCity(named<QLineEdit>(this, "txtShipToCity")),
      txtShipToState(named<QLineEdit>(this, "txtShipToState")),
      txtShipToZip(named<QLineEdit>(this, "txtShipToZip")),
      txtShipToPhone(named<QLineEdit>(this, "txtShipToPhone")),
      txtShipToFax(named<QLineEdit>(this, "txtShipToFax")),
      btnSave(named<QPushButton>(this, "btnSave", QStringLiteral("Save And Close"))),
      btnExit(named<QPushButton>(this, "btnExit", QStringLiteral("Exit"))),
      m_form(MasterStore::Customers(), cmbCustomer, cmbStatus) {
    setWindowTitle(QStringLiteral("Customer Entry/Edit"));
    layOut();

    // The seventeen columns in the order a save writes them.
    m_form.addColumns({cmbCustomer, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, cmbStatus,
                       txtShipTo, txtShipToAddress1, txtShipToAddress2, txtShipToCity, txtShipToState,
                       txtShipToZip, txtShipToPhone, txtShipToFax});

    SelectAllOnFocus({txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, txtShipTo,
                      txtShipToAddress1, txtShipToAddress2, txtShipToCity, txtShipToState, txtShipToZip,
                      txtShipToPhone, txtShipToFax});

    onEdit(cmbCustomer, this, [this] { cmbCustomer_Change(); });
    onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
    onClick(btnSave, this, [this] { btnSave_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });

    handler([this] { Form_Load(); })();
}

// The name combo loses the focus while the window is torn down and may then pick the
// entry matching its text; the lookup must not run on a half-destroyed window.
frmCustomerEntry::~frmCustomerEntry() { cmbCustomer->disconnect(this); }

void frmCustomerEntry::layOut() {
    // Left: the customer's own address and status.
    QGridLayout *own = addressColumn({
        {QStringLiteral("Customer"), cmbCustomer},
        {QStringLiteral("Address 1"), txtAddress1},
        {QStringLiteral("Address 2"), txtAddress2},
        {QStringLiteral("City/St/Zip"), txtCity, cityRow(txtCity, txtState, txtZip)},
        {QStringLiteral("Phone"), txtPhone},
        {QStringLiteral("Fax"), txtFax},
        {QStringLiteral("Status"), cmbStatus},
    });

    // Right: the default ship-to address.
    QGridLayout *shipTo = addressColumn({
        {QStringLiteral("Ship To"), txtShipTo},
        {QStringLiteral("Ship To Address 1"), txtShipToAddress1},
        {QStringLiteral("Ship To Address 2"), txtShipToAddress2},
        {QStringLiteral("Ship To City/St/Zip"), txtShipToCity, cityRow(txtShipToCity, txtShipToState, txtShipToZip)},
        {QStringLiteral("Ship To Phone"), txtShipToPhone},
        {QStringLiteral("Ship To Fax"), txtShipToFax},
    });

    auto *columns = new QHBoxLayout;
    columns->addLayout(own);
    columns->addSpacing(16);
    columns->addLayout(shipTo);

    auto *window = new QVBoxLayout(this);
    window->addLayout(columns);
    window->addLayout(buttonRow({btnSave, btnExit}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable

    tabOrder({cmbCustomer, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, cmbStatus,
              txtShipTo, txtShipToAddress1, txtShipToAddress2, txtShipToCity, txtShipToState, txtShipToZip,
              txtShipToPhone, txtShipToFax, btnSave, btnExit});
}

void frmCustomerEntry::Form_Load() { m_form.load(); }

void frmCustomerEntry::cmbCustomer_Change() { FillCustomer(); }

void frmCustomerEntry::cmbCustomer_Click() { FillCustomer(); }

void frmCustomerEntry::FillCustomer() { m_form.lookUp(); }

void frmCustomerEntry::btnSave_Click() {
    if (m_form.save(QStringLiteral("Customer Name and Status are required."))) unload();
}

void frmCustomerEntry::btnExit_Click() { unload(); }
