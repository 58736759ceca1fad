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
#include "widgets/Connectors.h"
#include "widgets/FetchedRows.h"
#include "widgets/FormLayout.h"
#include "widgets/NavigatorFrames.h"
#include "widgets/Grid.h"

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

// The search criteria keep their designed place (NavigatorFrames) and width; the two grid
// frames start below them and share the rest of the window.
constexpr int CriteriaWidth = 9600;
constexpr int GridTop = 300;

// A shipment's row of vsfgShipments.
QStringList ShipmentRow(const Recordset &rs) {
    return {rs.text(QStringLiteral("Orders.Customer")), rs.text(QStringLiteral("Orders.OrderNumber")),
            rs.text(QStringLiteral("Shipments.ID")), Values::ShortDate(rs.field(QStringLiteral("Shipments.Date")).toDate()),
            rs.text(QStringLiteral("Orders.ID")), ShipToText(rs)};
}

}  // namespace

frmShipmentNavigator::frmShipmentNavigator(QWidget *parent)
    : NavigatorWindow(ShipmentNavigatorOpen, frmShipmentEntry::staticMetaObject,
                      {"fraCriteria", "chkShipDate", "Ship Date", ShippingStore::Customers, "fraShipments", "Shipments",
                       "vsfgShipments", "fraLineItems"},
                      parent) {
    setWindowTitle(QStringLiteral("Shipment Navigator"));
    layOut();

    cmbCustomer->setEditable(false);
    load();
}

void frmShipmentNavigator::layOut() {
    // Customer and order number above, the ship-date range below, the buttons at the right.
    auto *criteria = new QGridLayout(fraSearch);
    addCaptioned(criteria, QStringLiteral("Customer"), cmbCustomer, 0, 0, 3);
    addCaptioned(criteria, QStringLiteral("Order Number"), txtOrderNumber, 0, 4);
    criteria->addWidget(chkDate, 1, 0);
    criteria->addWidget(dtStartDate, 1, 1);
    addCaptioned(criteria, QStringLiteral("to"), dtEndDate, 1, 2);
    criteria->addWidget(btnFind, 0, 7);
    criteria->addWidget(btnClear, 1, 7);
    criteria->addWidget(btnExit, 1, 8);
    criteria->setColumnStretch(6, 1);
    cmbCustomer->setMinimumWidth(200);
    txtOrderNumber->setMinimumWidth(140);

    fraSearch->setGeometry(px(kFrameLeft), px(kCriteriaTop), px(CriteriaWidth), px(kCriteriaHeight));
    fraUpper->move(px(kFrameLeft), px(kUpperTop));
    fraLineItems->move(px(kFrameLeft), px(kUpperTop));
    vsfgUpper->move(px(kGridLeft), px(GridTop));
    vsfgItems->move(px(kGridLeft), px(GridTop));

    tabOrder({cmbCustomer, chkDate, dtStartDate, dtEndDate, txtOrderNumber, btnFind, btnClear, btnExit,
              vsfgUpper, vsfgItems});
    // The frame's client area at opening; placed inside the main frame once shown.
    setClientTwips(CriteriaWidth + 2 * kFrameLeft, 7200, true);
}

ShipmentCriteria frmShipmentNavigator::Criteria() const {
    const ShownCriteria shown = shownCriteria();
    return {shown.customer, shown.byDate, shown.start, shown.end, shown.orderNumber};
}

void frmShipmentNavigator::UpdateGrids() {
    BusyCursor busy;
    QVector<qint64> ids = ShippingStore::FoundShipmentIds(Criteria());
    ShippingGrids::Start(vsfgUpper, kShipmentsHeader);
    vsfgUpper->setFetchedRows(std::make_unique<FetchedRows>(std::move(ids), [](const QVector<qint64> &block) {
        return CellsByKey(ShippingStore::ShipmentsWithIds(block), QStringLiteral("Shipments.ID"), ShipmentRow);
    }));
    ShippingGrids::Finish(vsfgUpper);
    EmptyLineItems();
}

void frmShipmentNavigator::upperRowChanged(int row) {
    if (row <= 0) return;
    auto rs = ShippingStore::ShipmentLines(vsfgUpper->textMatrix(row, ShipmentIdColumn));
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
void frmShipmentNavigator::upperDoubleClicked(int row) {
    auto *entry = qobject_cast<frmShipmentEntry *>(openEntry());
    if (row > 0) entry->OpenShipment(vsfgUpper->textMatrix(row, ShipmentIdColumn));
}

// Once the main frame has put the window in its workspace: the top left corner, nine
// tenths of the workspace's width and height.
void frmShipmentNavigator::PlaceInFrame() {
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || !frame->mdiArea()) return;
    const QSize area = frame->mdiArea()->viewport()->size();
    frame->setGeometry(0, 0, qRound(area.width() * 0.9), qRound(area.height() * 0.9));
}
