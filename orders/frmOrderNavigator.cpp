#include "orders/frmOrderNavigator.h"

#include "core/NavigatorFlags.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "orders/OrderCells.h"
#include "orders/OrderSearch.h"
#include "orders/OrderStore.h"
#include "orders/frmOrderEntry.h"
#include "widgets/Connectors.h"
#include "widgets/DatePicker.h"
#include "widgets/FetchedRows.h"
#include "widgets/FormLayout.h"
#include "widgets/NavigatorFrames.h"
#include "widgets/Grid.h"
#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

using namespace FormLayout;
using namespace NavigatorFrames;

namespace {

const QString kMoney = QStringLiteral("$#,###.##");

// Where the grids sit in their frames, in twips (the frames: NavigatorFrames); Form_Resize
// keeps the left edges, the first frame and the top of the second, and shares out the rest.
constexpr int kGridTop = 270;

// An order's row of vsfgOrders.
QStringList OrderRow(const Recordset &order) {
    static const QString before[] = {QStringLiteral("OrderNumber"), QStringLiteral("Customer"), QStringLiteral("OrderDate"),
                                     QStringLiteral("DueDate"), QStringLiteral("Status"), QStringLiteral("Total")};
    static const QString after[] = {QStringLiteral("ShipToPhone"), QStringLiteral("ShipToFax"), QStringLiteral("DateAdded"),
                                    QStringLiteral("ID")};
    QStringList row;
    row.reserve(11);
    for (const QString &column : before) row << CellText(order.field(column));
    row << ShipToLine(order);
    for (const QString &column : after) row << CellText(order.field(column));
    return row;
}

}  // namespace

frmOrderNavigator::frmOrderNavigator(QWidget *parent)
    : NavigatorWindow(OrderNavigatorOpen, frmOrderEntry::staticMetaObject,
                      {"Frame1", "chkOrderDate", "Order Date", OrderStore::ActiveCustomers,
                       "Frame2", "Orders", "vsfgOrders", "Frame3"},
                      parent),
      cmbStatus(named<QComboBox>(fraSearch, "cmbStatus")),
      btnAddNew(named<QPushButton>(fraSearch, "btnAddNew", QStringLiteral("Add New"))) {
    setWindowTitle(QStringLiteral("Order Navigator"));
    layOut();

    FillList(cmbStatus, {QStringLiteral("Open"), QStringLiteral("Closed"), QStringLiteral("Void")});
    setStatusList(cmbStatus);
    onClick(btnAddNew, this, [this] { btnAddNew_Click(); });
    load();
}

frmOrderNavigator *frmOrderNavigator::instance() {
    return static_cast<frmOrderNavigator *>(loaded(OrderNavigatorOpen));
}

void frmOrderNavigator::layOut() {
    // Customer and status on the left, the number and the date range on the right, the
    // buttons underneath.
    auto *criteria = new QGridLayout(fraSearch);
    criteria->setContentsMargins(8, 4, 8, 4);
    criteria->setVerticalSpacing(4);
    addCaptioned(criteria, QStringLiteral("Customer"), cmbCustomer, 0, 0);
    addCaptioned(criteria, QStringLiteral("Order Number"), txtOrderNumber, 0, 2, 3);
    addCaptioned(criteria, QStringLiteral("Status"), cmbStatus, 1, 0);
    criteria->addWidget(chkDate, 1, 2);
    criteria->addWidget(dtStartDate, 1, 3);
    criteria->addWidget(new QLabel(QStringLiteral("to"), fraSearch), 1, 4);
    criteria->addWidget(dtEndDate, 1, 5);
    criteria->addLayout(buttonRow({btnFind, btnClear, btnAddNew, btnExit}), 2, 0, 1, 6);
    cmbCustomer->setMinimumWidth(170);

    fraSearch->setGeometry(px(kFrameLeft), px(kCriteriaTop), px(8700), px(kCriteriaHeight));
    fraUpper->move(px(kFrameLeft), px(kUpperTop));
    fraLineItems->move(px(kFrameLeft), px(kUpperTop + 2000));
    vsfgUpper->move(px(kGridLeft), px(kGridTop));
    vsfgItems->move(px(kGridLeft), px(kGridTop));
    setMinimumSize(px(3000), px(kUpperTop + 1500));

    tabOrder({cmbCustomer, cmbStatus, txtOrderNumber, chkDate, dtStartDate, dtEndDate, btnFind, btnClear,
              btnAddNew, btnExit, vsfgUpper, vsfgItems});
}

// Top left of the main window's workspace, 9000 twips wide and nine tenths of the main
// window's height high.
void frmOrderNavigator::PlaceInFrame() {
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (sub && sub->mdiArea()) {
        sub->setGeometry(0, 0, px(9000), int(sub->mdiArea()->window()->height() * 0.9));
    } else {
        resize(px(9000), px(8100));
    }
}

OrderCriteria frmOrderNavigator::criteria() const {
    const ShownCriteria shown = shownCriteria();
    return {shown.customer, shown.status, shown.byDate, shown.start, shown.end, shown.orderNumber};
}

void frmOrderNavigator::UpdateGrids() {
    BusyCursor busy;
    QVector<qint64> ids = ReadKeys(OrderStore::FoundOrderIds(criteria()), QStringLiteral("ID"));
    vsfgUpper->setRedraw(false);
    vsfgUpper->clear();
    vsfgUpper->setCols(11);
    vsfgUpper->addItem({QStringLiteral("Order Number"), QStringLiteral("Customer"), QStringLiteral("Order Date"),
                         QStringLiteral("Due Date"), QStringLiteral("Status"), QStringLiteral("Total"),
                         QStringLiteral("Ship To"), QStringLiteral("Ship To Phone"), QStringLiteral("Ship To Fax"),
                         QStringLiteral("Date Added"), QStringLiteral("OrderID")});
    vsfgUpper->setFetchedRows(std::make_unique<FetchedRows>(std::move(ids), [](const QVector<qint64> &block) {
        return CellsByKey(OrderStore::OrdersWithIds(block), QStringLiteral("ID"), OrderRow);
    }));
    vsfgUpper->setColAlignment(-1, Qt::AlignCenter);
    vsfgUpper->setColFormat(5, kMoney);
    vsfgUpper->autoSize();
    vsfgUpper->setRedraw(true);
    EmptyLineItems();
}

void frmOrderNavigator::upperRowChanged(int) {
    const int row = vsfgUpper->row();
    if (row < 1) return;
    const qint64 id = vsfgUpper->textMatrix(row, 10).toLongLong();
    fraLineItems->setTitle(QStringLiteral("Order ") + vsfgUpper->textMatrix(row, 0) + QStringLiteral(" Line Items"));

    vsfgItems->clear();
    vsfgItems->setCols(6);
    vsfgItems->addItem({QStringLiteral("Item Number"), QStringLiteral("Qty Ordered"), QStringLiteral("Qty Shipped"),
                        QStringLiteral("Style"), QStringLiteral("Price Each"), QStringLiteral("Price Ext.")});
    auto rs = OrderStore::LinesShipped(id);
    for (; !rs->eof(); rs->moveNext()) {
        vsfgItems->addItem({CellText(rs->field(QStringLiteral("ItemNumber"))), CellText(rs->field(QStringLiteral("Qty"))),
                            CellText(rs->field(QStringLiteral("Shipped"))),
                            StyleText(*rs),
                            CellText(rs->field(QStringLiteral("PriceEach"))),
                            CellText(rs->field(QStringLiteral("PriceExt")))});
    }
    rs->close();
    vsfgItems->setColAlignment(-1, Qt::AlignCenter);
    vsfgItems->setColFormat(4, kMoney);
    vsfgItems->setColFormat(5, kMoney);
    vsfgItems->autoSize();
}

// The order under the pointer opens in the order window; on the header the ID is 0,
// which finds no order, so the order window is left as it was.
void frmOrderNavigator::upperDoubleClicked(int pointerRow) {
    const qint64 id = pointerRow >= 1 ? vsfgUpper->textMatrix(vsfgUpper->row(), 10).toLongLong() : 0;
    qobject_cast<frmOrderEntry *>(openEntry())->OpenOrder(id);
}

void frmOrderNavigator::btnAddNew_Click() { openEntry(); }
