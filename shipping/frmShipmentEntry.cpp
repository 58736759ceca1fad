#include "shipping/frmShipmentEntry.h"

#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "shipping/ShipmentQuantities.h"
#include "shipping/ShippingStore.h"
#include "widgets/DatePicker.h"
#include "shipping/ShippingGrids.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"
#include "widgets/Grid.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace FormLayout;

namespace {

// Columns of the line grid; only "This Shipment" is typed into.
enum Column { ItemNumber, QtyOrdered, PrevShipped, ThisShipment, Style, PriceEach, PriceExt };

const QStringList kHeader = {QStringLiteral("Item Number"), QStringLiteral("Qty Ordered"),
                             QStringLiteral("Prev. Shipped"), QStringLiteral("This Shipment"),
                             QStringLiteral("Style"), QStringLiteral("Price Each"), QStringLiteral("Price Ext.")};

const QString kMoney = QStringLiteral("$#,###.##");

const QStringList kShipToColumns = {QStringLiteral("ShipTo"), QStringLiteral("ShipToAddress1"),
                                    QStringLiteral("ShipToAddress2"), QStringLiteral("ShipToCity"),
                                    QStringLiteral("ShipToState"), QStringLiteral("ShipToZip")};

QString OrderEntryText(const Recordset &rs) {
    return rs.text(QStringLiteral("OrderNumber")) + QStringLiteral(" - ") +
           Values::ShortDate(rs.field(QStringLiteral("OrderDate")).toDate());
}

}  // namespace

frmShipmentEntry::frmShipmentEntry(QWidget *parent)
    : ChildWindow(parent),
      cmbCustomer(named<QComboBox>(this, "cmbCustomer")),
      cmbOrder(named<QComboBox>(this, "cmbOrder")),
      dtDate(named<DatePicker>(this, "dtDate")),
      txtShipTo(named<QLineEdit>(this, "txtShipTo")),
      txtAddress1(named<QLineEdit>(this, "txtAddress1")),
      txtAddress2(named<QLineEdit>(this, "txtAddress2")),
      txtCity(named<QLineEdit>(this, "txtCity")),
      txtState(named<QLineEdit>(this, "txtState")),
      txtZip(named<QLineEdit>(this, "txtZip")),
      txtID(named<QLineEdit>(this, "txtID")),
      vsfgItems(named<Grid>(this, "vsfgItems")),
      btnShipAll(named<QPushButton>(this, "btnShipAll", QStringLiteral("Ship All"))),
      btnSave(named<QPushButton>(this, "btnSave", QStringLiteral("Save and Close"))),
      btnExit(named<QPushButton>(this, "btnExit", QStringLiteral("Exit"))) {
    setWindowTitle(QStringLiteral("Shipment Entry"));
    layOut();

    cmbCustomer->setEditable(false);
    makeKeyCombo(cmbOrder);
    AttachAutoComplete(cmbCustomer);
    AttachAutoComplete(cmbOrder);
    // The address and the shipment's ID are shown, never typed.
    for (QLineEdit *box : {txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtID})
        box->setReadOnly(true);
    SelectAllOnFocus({txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip});

    vsfgItems->setEditableCol(ThisShipment);
    vsfgItems->setBeforeEdit([this](int row, int col) { return vsfgItems_BeforeEdit(row, col); });
    vsfgItems->setAfterEdit([this](int row, int col) { vsfgItems_AfterEdit(row, col); });

    onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
    onPick(cmbOrder, this, [this] { cmbOrder_Click(); });
    onClick(btnShipAll, this, [this] { btnShipAll_Click(); });
    onClick(btnSave, this, [this] { btnSave_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });

    handler([this] { Form_Load(); })();
}

// The combos may select an entry while the window is torn down; their handlers must not
// run on a half-destroyed window.
frmShipmentEntry::~frmShipmentEntry() {
    cmbCustomer->disconnect(this);
    cmbOrder->disconnect(this);
}

void frmShipmentEntry::layOut() {
    auto *orderInfo = named<QGroupBox>(this, "fraOrderInfo", QStringLiteral("Order Info"));
    QGridLayout *shipment = labelledRows({
        {QStringLiteral("Customer"), cmbCustomer},
        {QStringLiteral("Order Number"), cmbOrder},
        {QStringLiteral("Shipment Date"), dtDate},
        {QStringLiteral("Shipment ID"), txtID},
    });
    shipment->setRowStretch(shipment->rowCount(), 1);
    cmbCustomer->setMinimumWidth(220);
    QGridLayout *shipTo = addressColumn({
        {QStringLiteral("Ship To"), txtShipTo},
        {QStringLiteral("Address 1"), txtAddress1},
        {QStringLiteral("Address 2"), txtAddress2},
        {QStringLiteral("City/St/Zip"), txtCity, cityRow(txtCity, txtState, txtZip)},
    });
    auto *columns = new QHBoxLayout(orderInfo);
    columns->addLayout(shipment);
    columns->addSpacing(16);
    columns->addLayout(shipTo);

    auto *selection = named<QGroupBox>(this, "fraShipmentSelection", QStringLiteral("Shipment Selection"));
    auto *gridBox = new QVBoxLayout(selection);
    gridBox->addWidget(vsfgItems);
    vsfgItems->setMinimumSize(640, 220);

    auto *window = new QVBoxLayout(this);
    window->addWidget(orderInfo);
    window->addWidget(selection);
    window->addLayout(buttonRow({btnShipAll, btnSave, btnExit}));
    window->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border: not resizable

    tabOrder({cmbCustomer, cmbOrder, dtDate, txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtID,
              vsfgItems, btnShipAll, btnSave, btnExit});
}

void frmShipmentEntry::Form_Load() {
    dtDate->setDate(Seams::clock().today());
    // Shipments go out for customers of any status.
    FillCombo(cmbCustomer, ShippingStore::Customers(), QStringLiteral("Customer"));
    vsfgItems->clear();
}

void frmShipmentEntry::cmbCustomer_Click() { ListOpenOrders(); }

// The chosen customer's open orders. Whatever order was shown goes with the old choice,
// so a new shipment can never carry one order's quantities to another.
void frmShipmentEntry::ListOpenOrders() {
    const QString customer = cmbCustomer->currentText();
    if (customer.isEmpty()) return;
    ClearOrder();
    const QSignalBlocker blocker(cmbOrder);
    cmbOrder->clear();
    auto rs = ShippingStore::OpenOrders(customer);
    for (; !rs->eof(); rs->moveNext()) AddItem(cmbOrder, OrderEntryText(*rs), rs->field(QStringLiteral("ID")));
    rs->close();
    cmbOrder->setCurrentIndex(-1);
    cmbOrder->setEditText(QString());
}

void frmShipmentEntry::ClearOrder() {
    m_shownOrderId.clear();
    SetShipTo({});
    vsfgItems->clear();
}

void frmShipmentEntry::SetShipTo(const QStringList &lines) {
    const QList<QLineEdit *> boxes = {txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip};
    for (int i = 0; i < boxes.size(); ++i) boxes[i]->setText(lines.value(i));
}

void frmShipmentEntry::cmbOrder_Click() { FillOrder(SelectedId(cmbOrder).toString()); }

void frmShipmentEntry::FillOrder(const QString &orderId) {
    if (cmbOrder->currentText().isEmpty() || orderId.isEmpty()) return;
    auto order = ShippingStore::Order(orderId);
    if (!order->eof()) {
        QStringList shipTo;
        for (const QString &column : kShipToColumns) shipTo << BoxText(order->field(column));
        SetShipTo(shipTo);
    }
    order->close();

    ShippingGrids::Start(vsfgItems, kHeader);
    auto lines = ShippingStore::OrderLines(orderId);
    for (; !lines->eof(); lines->moveNext()) {
        const double qty = lines->field(QStringLiteral("OrderItems.Qty")).toDouble();
        const double each = lines->field(QStringLiteral("PriceEach")).toDouble();
        vsfgItems->addItem({ShipmentQuantities::Plain(lines->field(QStringLiteral("ItemNumber"))),
                            ShipmentQuantities::Plain(lines->field(QStringLiteral("OrderItems.Qty"))),
                            ShipmentQuantities::Plain(lines->field(QStringLiteral("Shipped"))), QString(),
                            lines->text(QStringLiteral("Name")) + QLatin1Char('-') + lines->text(QStringLiteral("Type")),
                            ShipmentQuantities::Plain(lines->field(QStringLiteral("PriceEach"))), ShipmentQuantities::Plain(qty * each)});
    }
    lines->close();
    vsfgItems->setColFormat(PriceEach, kMoney);
    vsfgItems->setColFormat(PriceExt, kMoney);
    ShippingGrids::Finish(vsfgItems);
}

void frmShipmentEntry::OpenShipment(const QString &shipmentId) {
    if (shipmentId.isEmpty()) return;
    auto rs = ShippingStore::StoredShipment(shipmentId);
    const bool found = !rs->eof();
    if (found) ShowShipment(shipmentId, *rs);
    rs->close();
    // A shipment removed meanwhile leaves the window as it was.
    if (!found) return;
    ShowShippedLines(shipmentId);
    vsfgItems->autoSize();
    LockOrder();
}

// The shipment's header and its order, with the order's lines as they stand.
void frmShipmentEntry::ShowShipment(const QString &shipmentId, const Recordset &rs) {
    txtID->setText(shipmentId);
    {
        const QSignalBlocker blocker(cmbCustomer);
        SelectByText(cmbCustomer, rs.text(QStringLiteral("Orders.Customer")));
    }
    ClearOrder();
    ListOpenOrders();
    m_shownOrderId = rs.text(QStringLiteral("Orders.ID"));
    cmbOrder->setEditText(OrderEntryText(rs));
    dtDate->setDate(rs.field(QStringLiteral("Shipments.Date")).toDate());
    FillOrder(m_shownOrderId);
}

// Each stored line on the row of its item number (item numbers may have gaps); the
// row's "Prev. Shipped" then shows what the other shipments shipped.
void frmShipmentEntry::ShowShippedLines(const QString &shipmentId) {
    auto stored = ShippingStore::ShipmentItems(shipmentId);
    for (; !stored->eof(); stored->moveNext()) {
        const double item = stored->field(QStringLiteral("OrderLineItem")).toDouble();
        const double qty = stored->field(QStringLiteral("Qty")).toDouble();
        for (int row = 1; row < vsfgItems->rows(); ++row) {
            if (Values::Val(vsfgItems->textMatrix(row, ItemNumber)) != item) continue;
            vsfgItems->setTextMatrix(row, ThisShipment, ShipmentQuantities::Plain(qty));
            vsfgItems->setTextMatrix(
                row, PrevShipped,
                ShipmentQuantities::Plain(Values::Val(vsfgItems->textMatrix(row, PrevShipped)) - qty));
        }
    }
    stored->close();
}

// A stored shipment stays with its customer and order. The order box that loses the
// focus as it is disabled must not pick the list entry matching its text, which would
// show the order afresh without the shipment's quantities.
void frmShipmentEntry::LockOrder() {
    const QSignalBlocker keepText(cmbOrder->lineEdit());
    cmbCustomer->setEnabled(false);
    cmbOrder->setEnabled(false);
}

QString frmShipmentEntry::CurrentOrderId() const {
    return cmbOrder->currentIndex() >= 0 ? SelectedId(cmbOrder).toString() : m_shownOrderId;
}

bool frmShipmentEntry::vsfgItems_BeforeEdit(int, int col) { return col == ThisShipment; }

void frmShipmentEntry::vsfgItems_AfterEdit(int row, int col) {
    if (col != ThisShipment) return;
    vsfgItems->setTextMatrix(row, col,
                             ShipmentQuantities::Checked(vsfgItems->textMatrix(row, ThisShipment),
                                                         vsfgItems->textMatrix(row, QtyOrdered),
                                                         vsfgItems->textMatrix(row, PrevShipped)));
}

void frmShipmentEntry::btnShipAll_Click() {
    vsfgItems->finishEditing();
    for (int row = 1; row < vsfgItems->rows(); ++row)
        vsfgItems->setTextMatrix(row, ThisShipment,
                                 ShipmentQuantities::Plain(ShipmentQuantities::Remaining(
                                     vsfgItems->textMatrix(row, QtyOrdered), vsfgItems->textMatrix(row, PrevShipped))));
}

QVector<ShipmentLine> frmShipmentEntry::TypedLines() const {
    QVector<ShipmentLine> lines;
    for (int row = 1; row < vsfgItems->rows(); ++row)
        lines.append({vsfgItems->textMatrix(row, ItemNumber), vsfgItems->textMatrix(row, ThisShipment)});
    return lines;
}

void frmShipmentEntry::btnSave_Click() {
    vsfgItems->finishEditing();  // a quantity still being typed counts
    const QVector<ShipmentLine> lines = TypedLines();
    if (!HasQuantities(lines) || vsfgItems->rows() < 2 || cmbCustomer->currentText().isEmpty()) {
        Seams::messages().tell(QStringLiteral("No Items to save."), QStringLiteral("Unable to Save"));
        return;
    }
    txtID->setText(QString::number(SaveShipment({txtID->text(), CurrentOrderId(), dtDate->date(), lines})));
    unload();
}

void frmShipmentEntry::btnExit_Click() { unload(); }
