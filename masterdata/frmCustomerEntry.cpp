#include "masterdata/frmCustomerEntry.h"

#include "app/Handler.h"
#include "app/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterRecordLayout::named;

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
      btnSave(named<QPushButton>(this, "btnSave")),
      btnExit(named<QPushButton>(this, "btnExit")),
      m_form(QStringLiteral("Customer"), QStringLiteral("SELECT * FROM Customer ORDER BY Customer"),
             QStringLiteral("SELECT * FROM Customer WHERE Customer = '"), cmbCustomer, cmbStatus) {
    setWindowTitle(QStringLiteral("Customer Entry/Edit"));
    layOut();

    // The seventeen columns in the order a save writes them.
    m_form.addColumn(QStringLiteral("Customer"), cmbCustomer);
    m_form.addColumn(QStringLiteral("Address1"), txtAddress1);
    m_form.addColumn(QStringLiteral("Address2"), txtAddress2);
    m_form.addColumn(QStringLiteral("City"), txtCity);
    m_form.addColumn(QStringLiteral("State"), txtState);
    m_form.addColumn(QStringLiteral("Zip"), txtZip);
    m_form.addColumn(QStringLiteral("Phone"), txtPhone);
    m_form.addColumn(QStringLiteral("Fax"), txtFax);
    m_form.addColumn(QStringLiteral("Status"), cmbStatus);
    m_form.addColumn(QStringLiteral("ShipTo"), txtShipTo);
    m_form.addColumn(QStringLiteral("ShipToAddress1"), txtShipToAddress1);
    m_form.addColumn(QStringLiteral("ShipToAddress2"), txtShipToAddress2);
    m_form.addColumn(QStringLiteral("ShipToCity"), txtShipToCity);
    m_form.addColumn(QStringLiteral("ShipToState"), txtShipToState);
    m_form.addColumn(QStringLiteral("ShipToZip"), txtShipToZip);
    m_form.addColumn(QStringLiteral("ShipToPhone"), txtShipToPhone);
    m_form.addColumn(QStringLiteral("ShipToFax"), txtShipToFax);

    SelectAllOnFocus({txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax, txtShipTo,
                      txtShipToAddress1, txtShipToAddress2, txtShipToCity, txtShipToState, txtShipToZip,
                      txtShipToPhone, txtShipToFax});

    connect(cmbCustomer, &QComboBox::editTextChanged, this, handler([this] { cmbCustomer_Change(); }));
    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) handler([this] { cmbCustomer_Click(); })();
    });
    connect(btnSave, &QPushButton::clicked, this, handler([this] { btnSave_Click(); }));
    connect(btnExit, &QPushButton::clicked, this, handler([this] { btnExit_Click(); }));

    handler([this] { Form_Load(); })();
}

// The name combo loses the focus while the window is torn down and may then pick the
// entry matching its text; the lookup must not run on a half-destroyed window.
frmCustomerEntry::~frmCustomerEntry() { cmbCustomer->disconnect(this); }

void frmCustomerEntry::layOut() {
    using namespace MasterRecordLayout;

    // Left: the customer's own address and status.
    auto *own = new QGridLayout;
    addRow(own, QStringLiteral("Customer"), cmbCustomer);
    addRow(own, QStringLiteral("Address 1"), txtAddress1);
    addRow(own, QStringLiteral("Address 2"), txtAddress2);
    addRow(own, QStringLiteral("City/St/Zip"), txtCity, cityRow(txtCity, txtState, txtZip));
    addRow(own, QStringLiteral("Phone"), txtPhone);
    addRow(own, QStringLiteral("Fax"), txtFax);
    addRow(own, QStringLiteral("Status"), cmbStatus);
    own->setRowStretch(own->rowCount(), 1);

    // Right: the default ship-to address.
    auto *shipTo = new QGridLayout;
    addRow(shipTo, QStringLiteral("Ship To"), txtShipTo);
    addRow(shipTo, QStringLiteral("Ship To Address 1"), txtShipToAddress1);
    addRow(shipTo, QStringLiteral("Ship To Address 2"), txtShipToAddress2);
    addRow(shipTo, QStringLiteral("Ship To City/St/Zip"), txtShipToCity,
           cityRow(txtShipToCity, txtShipToState, txtShipToZip));
    addRow(shipTo, QStringLiteral("Ship To Phone"), txtShipToPhone);
    addRow(shipTo, QStringLiteral("Ship To Fax"), txtShipToFax);
    shipTo->setRowStretch(shipTo->rowCount(), 1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(own);
    columns->addSpacing(16);
    columns->addLayout(shipTo);

    auto *window = new QVBoxLayout(this);
    window->addLayout(columns);
    window->addLayout(buttonRow(btnSave, btnExit));
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
