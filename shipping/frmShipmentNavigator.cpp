#include "shipping/frmShipmentNavigator.h"

#include "core/NavigatorFlags.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "shipping/ShipmentQuantities.h"
#include "shipping/ShippingStore.h"
#include "widgets/DatePicker.h"
#include "shipping/ShippingGrids.h"
#include "shipping/frmShipmentEntry.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/FormLayout.h"
#include "widgets/NavigatorFrames.h"
#include "widgets/Grid.h"
#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

using namespace FormLayout;
using namespace NavigatorFrames;

namespace {

// The shipments grid's key column.
constexpr int ShipmentIdColumn = 2;

const QStringList kShipmentsHeader = {QStringLiteral("Customer"), QStringLiteral("Order Number"),
                                      QStringLiteral("Shipment ID"), QStringLiteral("Shipment Date"),
                                      QStringLiteral("Order ID"), QStringLiteral("Ship To")};
const QStringList kItemsHeader = {QStringLiteral("Item Number"), QStringLiteral("Qty Ordered"),
                                  QStringLiteral("Qty Shipped"), QStringLiteral("Part No."),
                                  QStringLiteral("Price Each"), QStringLiteral("Price Ext.")};
const QString kMoney = QStringLiteral("$#,###.##");

// Where the frames sit: the search criteria keep their designed place and size; the
// two grid frames start below them and share the rest of the window.
constexpr int FrameLeft = 120;
constexpr int CriteriaTop = 60;
constexpr int CriteriaWidth = 9600;
constexpr int CriteriaHeight = 1500;
constexpr int ShipmentsTop = CriteriaTop + CriteriaHeight + 60;
constexpr int GridLeft = 100;
constexpr int GridTop = 300;

}  // namespace

frmShipmentNavigator::frmShipmentNavigator(QWidget *parent)
    : NavigatorWindow(ShipmentNavigatorOpen, frmShipmentEntry::staticMetaObject, parent),
      fraCriteria(named<QGroupBox>(this, "fraCriteria", QStringLiteral("Search Criteria"))),
      cmbCustomer(named<QComboBox>(fraCriteria, "cmbCustomer")),
      chkShipDate(named<QCheckBox>(fraCriteria, "chkShipDate", QStringLiteral("Ship Date"))),
      dtStartDate(named<DatePicker>(fraCriteria, "dtStartDate")),
      dtEndDate(named<DatePicker>(fraCriteria, "dtEndDate")),
      txtOrderNumber(named<QLineEdit>(fraCriteria, "txtOrderNumber")),
      btnFind(named<QPushButton>(fraCriteria, "btnFind", QStringLiteral("Find"))),
      btnClear(named<QPushButton>(fraCriteria, "btnClear", QStringLiteral("Clear"))),
      btnExit(named<QPushButton>(fraCriteria, "btnExit", QStringLiteral("Exit"))),
      fraShipments(named<QGroupBox>(this, "fraShipments", QStringLiteral("Shipments"))),
      vsfgShipments(named<Grid>(fraShipments, "vsfgShipments")),
      fraLineItems(named<QGroupBox>(this, "fraLineItems", QStringLiteral("Line Items"))),
      vsfgItems(named<Grid>(fraLineItems, "vsfgItems")) {
    setWindowTitle(QStringLiteral("Shipment Navigator"));
    layOut();

    cmbCustomer->setEditable(false);
    AttachAutoComplete(cmbCustomer);
    SelectAllOnFocus(txtOrderNumber);

    connect(vsfgShipments, &Grid::currentRowChanged, this,
            [this](int row) { handler([this, row] { vsfgShipments_RowColChange(row); })(); });
    connect(vsfgShipments, &Grid::rowDoubleClicked, this,
            [this](int row) { handler([this, row] { vsfgShipments_DblClick(row); })(); });
    onClick(btnFind, this, [this] { btnFind_Click(); });
    onClick(btnClear, this, [this] { btnClear_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });

    handler([this] { Form_Load(); })();
}

frmShipmentNavigator *frmShipmentNavigator::instance() {
    return static_cast<frmShipmentNavigator *>(loaded(ShipmentNavigatorOpen));
}

ChildWindow *frmShipmentNavigator::newEntry() { return new frmShipmentEntry; }

void frmShipmentNavigator::layOut() {
    // Customer and order number above, the ship-date range below, the buttons at the right.
    auto *criteria = new QGridLayout(fraCriteria);
    auto label = [this](const QString &caption, QWidget *control) {
        auto *text = new QLabel(caption, fraCriteria);
        text->setBuddy(control);
        return text;
    };
    criteria->addWidget(label(QStringLiteral("Customer"), cmbCustomer), 0, 0);
    criteria->addWidget(cmbCustomer, 0, 1, 1, 3);
    criteria->addWidget(label(QStringLiteral("Order Number"), txtOrderNumber), 0, 4);
    criteria->addWidget(txtOrderNumber, 0, 5);
    criteria->addWidget(chkShipDate, 1, 0);
    criteria->addWidget(dtStartDate, 1, 1);
    criteria->addWidget(label(QStringLiteral("to"), dtEndDate), 1, 2);
    criteria->addWidget(dtEndDate, 1, 3);
    criteria->addWidget(btnFind, 0, 7);
    criteria->addWidget(btnClear, 1, 7);
    criteria->addWidget(btnExit, 1, 8);
    criteria->setColumnStretch(6, 1);
    cmbCustomer->setMinimumWidth(200);
    txtOrderNumber->setMinimumWidth(140);

    fraCriteria->setGeometry(px(FrameLeft), px(CriteriaTop), px(CriteriaWidth), px(CriteriaHeight));
    fraShipments->move(px(FrameLeft), px(ShipmentsTop));
    fraLineItems->move(px(FrameLeft), px(ShipmentsTop));
    vsfgShipments->move(px(GridLeft), px(GridTop));
    vsfgItems->move(px(GridLeft), px(GridTop));
    setFrames(fraCriteria, fraShipments, vsfgShipments, fraLineItems, vsfgItems);

    tabOrder({cmbCustomer, chkShipDate, dtStartDate, dtEndDate, txtOrderNumber, btnFind, btnClear, btnExit,
              vsfgShipments, vsfgItems});
    // The frame's client area at opening; placed inside the main frame once shown.
    setClientTwips(CriteriaWidth + 2 * FrameLeft, 7200, true);
}

void frmShipmentNavigator::Form_Load() {
    raiseOpenFlag();
    FillCriteria();
    UpdateGrids();
    EmptyLineItems();
}

void frmShipmentNavigator::FillCriteria() {
    FillCombo(cmbCustomer, ShippingStore::Customers(), QStringLiteral("Customer"));
    setToday(dtStartDate, dtEndDate);
}

ShipmentCriteria frmShipmentNavigator::Criteria() const {
    ShipmentCriteria criteria;
    criteria.customer = cmbCustomer->currentIndex() < 0 ? QString() : cmbCustomer->currentText();
    criteria.byShipDate = chkShipDate->isChecked();
    criteria.startDate = dtStartDate->date();
    criteria.endDate = dtEndDate->date();
    criteria.orderNumber = txtOrderNumber->text();
    return criteria;
}

void frmShipmentNavigator::UpdateGrids() {
    BusyCursor busy;
    auto rs = ShippingStore::FindShipments(Criteria());
    ShippingGrids::Start(vsfgShipments, kShipmentsHeader);
    for (; !rs->eof(); rs->moveNext())
        vsfgShipments->addItem({rs->text(QStringLiteral("Orders.Customer")), rs->text(QStringLiteral("Orders.OrderNumber")),
                                rs->text(QStringLiteral("Shipments.ID")),
                                Values::ShortDate(rs->field(QStringLiteral("Shipments.Date")).toDate()),
                                rs->text(QStringLiteral("Orders.ID")), ShipToText(*rs)});
    rs->close();
    ShippingGrids::Finish(vsfgShipments);
    EmptyLineItems();
}

void frmShipmentNavigator::vsfgShipments_RowColChange(int row) {
    if (row <= 0) return;
    auto rs = ShippingStore::ShipmentLines(vsfgShipments->textMatrix(row, ShipmentIdColumn));
    ShippingGrids::Start(vsfgItems, kItemsHeader);
    for (; !rs->eof(); rs->moveNext())
        vsfgItems->addItem({ShipmentQuantities::Plain(rs->field(QStringLiteral("OrderItems.ItemNumber"))),
                            ShipmentQuantities::Plain(rs->field(QStringLiteral("OrderItems.Qty"))),
                            ShipmentQuantities::Plain(rs->field(QStringLiteral("ShipmentItems.Qty"))),
                            rs->text(QStringLiteral("Name")) + QLatin1Char('-') + rs->text(QStringLiteral("Type")),
                            ShipmentQuantities::Plain(rs->field(QStringLiteral("PriceEach"))), ShipmentQuantities::Plain(rs->field(QStringLiteral("PriceExt")))});
    rs->close();
    vsfgItems->setColFormat(4, kMoney);
    vsfgItems->setColFormat(5, kMoney);
    ShippingGrids::Finish(vsfgItems);
}

// A data row opens its shipment; the header only brings the entry window forward.
void frmShipmentNavigator::vsfgShipments_DblClick(int row) {
    auto *entry = qobject_cast<frmShipmentEntry *>(openEntry());
    if (row > 0) entry->OpenShipment(vsfgShipments->textMatrix(row, ShipmentIdColumn));
}

void frmShipmentNavigator::btnFind_Click() { UpdateGrids(); }

void frmShipmentNavigator::btnClear_Click() {
    cmbCustomer->setCurrentIndex(-1);
    txtOrderNumber->clear();
    chkShipDate->setChecked(false);  // the dates keep their values
    UpdateGrids();
    EmptyLineItems();
    fraLineItems->setTitle(QStringLiteral("Line Items"));
}

void frmShipmentNavigator::btnExit_Click() { unload(); }

// Once the main frame has put the window in its workspace: the top left corner, nine
// tenths of the workspace's width and height.
void frmShipmentNavigator::PlaceInFrame() {
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || !frame->mdiArea()) return;
    const QSize area = frame->mdiArea()->viewport()->size();
    frame->setGeometry(0, 0, qRound(area.width() * 0.9), qRound(area.height() * 0.9));
}
