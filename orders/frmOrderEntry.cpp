#include "orders/frmOrderEntry.h"

#include "core/Seams.h"
#include "data/Recordset.h"
#include "orders/LineItemsFrame.h"
#include "orders/OrderCells.h"
#include "orders/OrderSave.h"
#include "orders/OrderStore.h"
#include "orders/Paperwork.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/DatePicker.h"
#include "widgets/FormLayout.h"
#include "widgets/NumberBox.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormLayout;

namespace {

QLabel *borderedLabel(QWidget *parent, const char *name) {
    auto *label = named<QLabel>(parent, name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(60);
    return label;
}

}  // namespace

frmOrderEntry::frmOrderEntry(QWidget *parent)
    : ChildWindow(parent),
      cmbCustomer(named<QComboBox>(this, "cmbCustomer")),
      txtOrderNumber(named<QLineEdit>(this, "txtOrderNumber")),
      dtOrderDate(named<DatePicker>(this, "dtOrderDate")),
      dtDueDate(named<DatePicker>(this, "dtDueDate")),
      txtShipTo(named<QLineEdit>(this, "txtShipTo")),
      txtAddress1(named<QLineEdit>(this, "txtAddress1")),
      txtAddress2(named<QLineEdit>(this, "txtAddress2")),
      txtCity(named<QLineEdit>(this, "txtCity")),
      txtState(named<QLineEdit>(this, "txtState")),
      txtZip(named<QLineEdit>(this, "txtZip")),
      txtPhone(named<QLineEdit>(this, "txtPhone")),
      txtFax(named<QLineEdit>(this, "txtFax")),
      lblStatus(borderedLabel(this, "lblStatus")),
      lblID(borderedLabel(this, "lblID")),
      m_items(new LineItemsFrame(this)),
      lblTotal(named<NumberBox>(this, "lblTotal", QStringLiteral("$#,##0.00;($#,##0.00)"))),
      btnClose(named<QPushButton>(this, "btnClose", QStringLiteral("Close Order"))),
      btnOpenOrder(named<QPushButton>(this, "btnOpenOrder", QStringLiteral("Open Order"))),
      btnVoidOrder(named<QPushButton>(this, "btnVoidOrder", QStringLiteral("Void Order"))),
      btnSave(named<QPushButton>(this, "btnSave", QStringLiteral("Save and Close"))),
      btnExit(named<QPushButton>(this, "btnExit", QStringLiteral("Exit"))) {
    setWindowTitle(QStringLiteral("Order Entry"));
    layOut();
    setClientTwips(8805, 6915);

    lblTotal->setReadOnly(true);
    lblTotal->setFocusPolicy(Qt::NoFocus);
    AttachAutoComplete(cmbCustomer);
    SelectAllOnFocus({txtOrderNumber, txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtPhone, txtFax});

    onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
    onClick(btnClose, this, [this] { btnClose_Click(); });
    onClick(btnOpenOrder, this, [this] { btnOpenOrder_Click(); });
    onClick(btnVoidOrder, this, [this] { btnVoidOrder_Click(); });
    onClick(btnSave, this, [this] { btnSave_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });
    connect(m_items, &LineItemsFrame::linesChanged, this, handler([this] { UpdateTotal(); }));

    handler([this] { Form_Load(); })();
}

void frmOrderEntry::layOut() {
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(6, 4, 6, 6);
    window->setSpacing(4);
    window->addWidget(orderInfo());
    window->addWidget(m_items, 1);
    window->addLayout(buttons());

    tabOrder({cmbCustomer, txtOrderNumber, dtOrderDate, dtDueDate, txtShipTo, txtAddress1, txtAddress2, txtCity,
              txtState, txtZip, txtPhone, txtFax, m_items->firstField()});
    tabOrder({m_items->lastField(), btnClose, btnOpenOrder, btnVoidOrder, btnSave, btnExit});
}

// The header: the order on the left, where it goes on the right.
QGroupBox *frmOrderEntry::orderInfo() {
    auto *frame = named<QGroupBox>(this, "fraOrderInfo", QStringLiteral("Order Info"));
    auto *status = new QHBoxLayout;
    status->setContentsMargins(0, 0, 0, 0);
    status->addWidget(lblStatus);
    status->addWidget(lblID);
    QGridLayout *order = labelledRows({
        {QStringLiteral("Customer"), cmbCustomer},
        {QStringLiteral("Order Number"), txtOrderNumber},
        {QStringLiteral("Order Date"), dtOrderDate},
        {QStringLiteral("Due Date"), dtDueDate},
    });
    const int statusRow = order->rowCount();
    auto *statusLabel = new QLabel(QStringLiteral("Status/ID"), this);
    statusLabel->setBuddy(lblStatus);
    order->addWidget(statusLabel, statusRow, 0);
    order->addLayout(status, statusRow, 1);
    addRow(order, QStringLiteral("Order Total"), lblTotal);

    QGridLayout *shipTo = addressColumn({
        {QStringLiteral("Ship To"), txtShipTo},
        {QStringLiteral("Address 1"), txtAddress1},
        {QStringLiteral("Address 2"), txtAddress2},
        {QStringLiteral("City/St/Zip"), txtCity, cityRow(txtCity, txtState, txtZip)},
        {QStringLiteral("Ship To Phone"), txtPhone},
        {QStringLiteral("Ship To Fax"), txtFax},
    });
    for (QGridLayout *column : {order, shipTo}) column->setVerticalSpacing(3);
    cmbCustomer->setMinimumWidth(170);
    auto *columns = new QHBoxLayout(frame);
    columns->setContentsMargins(6, 2, 6, 4);
    columns->addLayout(order);
    columns->addSpacing(10);
    columns->addLayout(shipTo, 1);
    return frame;
}

// Status buttons on the left, save and exit on the right.
QLayout *frmOrderEntry::buttons() {
    auto *row = new QHBoxLayout;
    row->addWidget(btnClose);
    row->addWidget(btnOpenOrder);
    row->addWidget(btnVoidOrder);
    row->addStretch();
    row->addWidget(btnSave);
    row->addWidget(btnExit);
    return row;
}

void frmOrderEntry::Form_Load() {
    BusyCursor busy;
    FillCombo(cmbCustomer, OrderStore::ActiveCustomers(), QStringLiteral("Customer"));
    const QDate today = Seams::clock().today();
    dtOrderDate->setDate(today);
    dtDueDate->setDate(today);
    lblTotal->setText(QStringLiteral("0"));
    RefreshGrid();
}

// The customer's default ship-to block and active styles.
void frmOrderEntry::cmbCustomer_Click() {
    const QString customer = cmbCustomer->currentText();
    auto rs = OrderStore::Customer(customer);
    if (!rs->eof()) showShipTo(*rs);
    rs->close();
    if (!customer.isEmpty()) m_items->FillStyles(customer);
}

// The ship-to boxes from a row holding the ship-to columns (a customer's defaults or an
// order's own); an empty box where a column holds nothing.
void frmOrderEntry::showShipTo(const Recordset &row) {
    const std::pair<QLineEdit *, const char *> boxes[] = {
        {txtShipTo, "ShipTo"},     {txtAddress1, "ShipToAddress1"}, {txtAddress2, "ShipToAddress2"},
        {txtCity, "ShipToCity"},   {txtState, "ShipToState"},       {txtZip, "ShipToZip"},
        {txtPhone, "ShipToPhone"}, {txtFax, "ShipToFax"},
    };
    for (const auto &[box, column] : boxes) {
        box->setText(BoxText(row.field(QString::fromLatin1(column))));
        box->setCursorPosition(0);  // a long name shows from its start
    }
}

void frmOrderEntry::askStatus(const QString &verb, const QString &title, const QString &status) {
    if (Seams::messages().ask(QStringLiteral("Are you sure you want to ") + verb + QStringLiteral(" this order?"), title))
        lblStatus->setText(status);
}

void frmOrderEntry::btnClose_Click() {
    askStatus(QStringLiteral("close"), QStringLiteral("Close Order Confirmations"), QStringLiteral("Closed"));
}

void frmOrderEntry::btnOpenOrder_Click() {
    askStatus(QStringLiteral("open"), QStringLiteral("Open Order Confirmations"), QStringLiteral("Open"));
}

void frmOrderEntry::btnVoidOrder_Click() {
    askStatus(QStringLiteral("void"), QStringLiteral("Void Order Confirmations"), QStringLiteral("Void"));
}

// The required fields, and for a new order the question when the customer already
// has an order of that number.
bool frmOrderEntry::readyToSave() {
    const QString customer = cmbCustomer->currentText();
    const QString number = txtOrderNumber->text();
    if (m_items->lines().isEmpty() || number.isEmpty() || customer.isEmpty()) {
        Seams::messages().tell(
            QStringLiteral("Customer, Order Number, and atleast one item must be entered before saving Order."),
            QStringLiteral("Required Fields"));
        return false;
    }
    if (lblID->text().isEmpty() && OrderNumberExists(number, customer)) {
        return Seams::messages().ask(QStringLiteral("Order Number ") + number + QStringLiteral(" already exists for ") +
                                         customer +
                                         QStringLiteral(". This will not overwrite the previous Order. Are you sure "
                                                        "you want two Orders with the same number?"),
                                     QStringLiteral("Order Number Exists"));
    }
    return true;
}

OrderHeader frmOrderEntry::header() const {
    OrderHeader h;
    h.id = lblID->text();
    h.status = lblStatus->text();
    h.orderNumber = txtOrderNumber->text();
    h.customer = cmbCustomer->currentText();
    h.orderDate = dtOrderDate->date();
    h.dueDate = dtDueDate->date();
    h.shipTo = txtShipTo->text();
    h.shipToAddress1 = txtAddress1->text();
    h.shipToAddress2 = txtAddress2->text();
    h.shipToCity = txtCity->text();
    h.shipToState = txtState->text();
    h.shipToZip = txtZip->text();
    h.shipToPhone = txtPhone->text();
    h.shipToFax = txtFax->text();
    h.total = lblTotal->text();
    return h;
}

// Stores the header with all its lines; only once they are stored does the paperwork
// print. A save that fails leaves the window as it was, with everything typed.
void frmOrderEntry::btnSave_Click() {
    if (!readyToSave()) return;
    BusyCursor busy;
    const qint64 id = SaveOrder(header(), m_items->lines());
    lblID->setText(QString::number(id));
    PrintOrderPaperwork(lblID->text());
    unload();
}

void frmOrderEntry::btnExit_Click() { unload(); }

// Selects the order's customer, which fills the ship-to boxes and the styles. A customer
// no longer active is not in the list: the name is added so the order still shows it.
void frmOrderEntry::selectCustomer(const QString &customer) {
    int index = cmbCustomer->findText(customer, Qt::MatchFixedString);
    if (index < 0) {
        cmbCustomer->addItem(customer);
        index = cmbCustomer->count() - 1;
    }
    if (cmbCustomer->currentIndex() == index) cmbCustomer_Click();  // chosen already: fill afresh
    else cmbCustomer->setCurrentIndex(index);
}

void frmOrderEntry::OpenOrder(qint64 id) {
    auto rs = OrderStore::Order(id);
    if (rs->eof()) {
        rs->close();
        return;
    }
    selectCustomer(rs->text(QStringLiteral("Customer")));
    txtOrderNumber->setText(rs->text(QStringLiteral("OrderNumber")));
    dtOrderDate->setDate(rs->field(QStringLiteral("OrderDate")).toDate());
    dtDueDate->setDate(rs->field(QStringLiteral("DueDate")).toDate());
    lblStatus->setText(rs->text(QStringLiteral("Status")));
    lblID->setText(CellText(rs->field(QStringLiteral("ID"))));
    showShipTo(*rs);  // the order's own, in place of the customer's defaults
    const QVariant total = rs->field(QStringLiteral("Total"));
    lblTotal->setText(total.isNull() ? QStringLiteral("0") : CellText(total));
    for (QWidget *fixed : {static_cast<QWidget *>(cmbCustomer), static_cast<QWidget *>(txtOrderNumber),
                           static_cast<QWidget *>(dtOrderDate), static_cast<QWidget *>(dtDueDate)})
        fixed->setEnabled(false);
    RefreshGrid();
    rs->close();
}

void frmOrderEntry::RefreshGrid() { m_items->RefreshGrid(lblID->text()); }

void frmOrderEntry::UpdateTotal() { lblTotal->setText(NumberText(m_items->total())); }
