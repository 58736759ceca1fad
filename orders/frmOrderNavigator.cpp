#include "orders/frmOrderNavigator.h"

#include "core/NavigatorFlags.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/Recordset.h"
#include "orders/OrderCells.h"
#include "orders/OrderSearch.h"
#include "orders/OrderStore.h"
#include "orders/frmOrderEntry.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Connectors.h"
#include "widgets/DatePicker.h"
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

// Where the frames sit when the window opens, in twips; Form_Resize keeps the left
// edges, the first frame and the top of the second, and shares out the rest.
constexpr int kLeft = 120;
constexpr int kFrame1Top = 60;
constexpr int kFrame1Height = 1500;
constexpr int kFrame2Top = kFrame1Top + kFrame1Height + 60;
constexpr int kGridLeft = 100;
constexpr int kGridTop = 270;

}  // namespace

frmOrderNavigator::frmOrderNavigator(QWidget *parent)
    : NavigatorWindow(OrderNavigatorOpen, frmOrderEntry::staticMetaObject, parent),
      Frame1(named<QGroupBox>(this, "Frame1", QStringLiteral("Search Criteria"))),
      Frame2(named<QGroupBox>(this, "Frame2", QStringLiteral("Orders"))),
      Frame3(named<QGroupBox>(this, "Frame3", QStringLiteral("Line Items"))),
      cmbCustomer(named<QComboBox>(Frame1, "cmbCustomer")),
      cmbStatus(named<QComboBox>(Frame1, "cmbStatus")),
      txtOrderNumber(named<QLineEdit>(Frame1, "txtOrderNumber")),
      chkOrderDate(named<QCheckBox>(Frame1, "chkOrderDate", QStringLiteral("Order Date"))),
      dtStartDate(named<DatePicker>(Frame1, "dtStartDate")),
      dtEndDate(named<DatePicker>(Frame1, "dtEndDate")),
      btnFind(named<QPushButton>(Frame1, "btnFind", QStringLiteral("Find"))),
      btnClear(named<QPushButton>(Frame1, "btnClear", QStringLiteral("Clear"))),
      btnAddNew(named<QPushButton>(Frame1, "btnAddNew", QStringLiteral("Add New"))),
      btnExit(named<QPushButton>(Frame1, "btnExit", QStringLiteral("Exit"))),
      vsfgOrders(named<Grid>(Frame2, "vsfgOrders")),
      vsfgItems(named<Grid>(Frame3, "vsfgItems")) {
    setWindowTitle(QStringLiteral("Order Navigator"));
    layOut();

    AttachAutoComplete(cmbCustomer);
    SelectAllOnFocus(txtOrderNumber);

    onClick(btnFind, this, [this] { btnFind_Click(); });
    onClick(btnClear, this, [this] { btnClear_Click(); });
    onClick(btnAddNew, this, [this] { btnAddNew_Click(); });
    onClick(btnExit, this, [this] { btnExit_Click(); });
    connect(vsfgOrders, &Grid::currentRowChanged, this, handler([this] { vsfgOrders_RowColChange(); }));
    connect(vsfgOrders, &Grid::rowDoubleClicked, this,
            [this](int row) { handler([this, row] { vsfgOrders_DblClick(row); })(); });

    handler([this] { Form_Load(); })();
}

frmOrderNavigator *frmOrderNavigator::instance() {
    return static_cast<frmOrderNavigator *>(loaded(OrderNavigatorOpen));
}

ChildWindow *frmOrderNavigator::newEntry() { return new frmOrderEntry; }

void frmOrderNavigator::layOut() {
    // Customer and status on the left, the number and the date range on the right, the
    // buttons underneath.
    auto *criteria = new QGridLayout(Frame1);
    criteria->setContentsMargins(8, 4, 8, 4);
    criteria->setVerticalSpacing(4);
    auto label = [this](const QString &caption, QWidget *control) {
        auto *l = new QLabel(caption, Frame1);
        l->setBuddy(control);
        return l;
    };
    criteria->addWidget(label(QStringLiteral("Customer"), cmbCustomer), 0, 0);
    criteria->addWidget(cmbCustomer, 0, 1);
    criteria->addWidget(label(QStringLiteral("Order Number"), txtOrderNumber), 0, 2);
    criteria->addWidget(txtOrderNumber, 0, 3, 1, 3);
    criteria->addWidget(label(QStringLiteral("Status"), cmbStatus), 1, 0);
    criteria->addWidget(cmbStatus, 1, 1);
    criteria->addWidget(chkOrderDate, 1, 2);
    criteria->addWidget(dtStartDate, 1, 3);
    criteria->addWidget(new QLabel(QStringLiteral("to"), Frame1), 1, 4);
    criteria->addWidget(dtEndDate, 1, 5);
    criteria->addLayout(buttonRow({btnFind, btnClear, btnAddNew, btnExit}), 2, 0, 1, 6);
    cmbCustomer->setMinimumWidth(170);

    Frame1->setGeometry(px(kLeft), px(kFrame1Top), px(8700), px(kFrame1Height));
    Frame2->move(px(kLeft), px(kFrame2Top));
    Frame3->move(px(kLeft), px(kFrame2Top + 2000));
    vsfgOrders->move(px(kGridLeft), px(kGridTop));
    vsfgItems->move(px(kGridLeft), px(kGridTop));
    setFrames(Frame1, Frame2, vsfgOrders, Frame3, vsfgItems);
    setMinimumSize(px(3000), px(kFrame2Top + 1500));

    tabOrder({cmbCustomer, cmbStatus, txtOrderNumber, chkOrderDate, dtStartDate, dtEndDate, btnFind, btnClear,
              btnAddNew, btnExit, vsfgOrders, vsfgItems});
}

void frmOrderNavigator::Form_Load() {
    raiseOpenFlag();
    FillList(cmbStatus, {QStringLiteral("Open"), QStringLiteral("Closed"), QStringLiteral("Void")});
    FillCombo(cmbCustomer, OrderStore::ActiveCustomers(), QStringLiteral("Customer"));
    setToday(dtStartDate, dtEndDate);
    chkOrderDate->setChecked(false);
    UpdateGrids();
    EmptyLineItems();
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
    OrderCriteria c;
    if (cmbCustomer->currentIndex() >= 0) c.customer = cmbCustomer->currentText();
    if (cmbStatus->currentIndex() >= 0) c.status = cmbStatus->currentText();
    c.byOrderDate = chkOrderDate->isChecked();
    c.startDate = dtStartDate->date();
    c.endDate = dtEndDate->date();
    c.orderNumber = txtOrderNumber->text();
    return c;
}

void frmOrderNavigator::UpdateGrids() {
    BusyCursor busy;
    auto rs = OrderStore::FindOrders(criteria());
    vsfgOrders->setRedraw(false);
    vsfgOrders->clear();
    vsfgOrders->setCols(11);
    vsfgOrders->addItem({QStringLiteral("Order Number"), QStringLiteral("Customer"), QStringLiteral("Order Date"),
                         QStringLiteral("Due Date"), QStringLiteral("Status"), QStringLiteral("Total"),
                         QStringLiteral("Ship To"), QStringLiteral("Ship To Phone"), QStringLiteral("Ship To Fax"),
                         QStringLiteral("Date Added"), QStringLiteral("OrderID")});
    static const QString before[] = {QStringLiteral("OrderNumber"), QStringLiteral("Customer"), QStringLiteral("OrderDate"),
                                     QStringLiteral("DueDate"), QStringLiteral("Status"), QStringLiteral("Total")};
    static const QString after[] = {QStringLiteral("ShipToPhone"), QStringLiteral("ShipToFax"), QStringLiteral("DateAdded"),
                                    QStringLiteral("ID")};
    for (; !rs->eof(); rs->moveNext()) {
        QStringList row;
        row.reserve(11);
        for (const QString &column : before) row << CellText(rs->field(column));
        row << ShipToLine(*rs);
        for (const QString &column : after) row << CellText(rs->field(column));
        vsfgOrders->addItem(std::move(row));
    }
    rs->close();
    vsfgOrders->setColAlignment(-1, Qt::AlignCenter);
    vsfgOrders->setColFormat(5, kMoney);
    vsfgOrders->autoSize();
    vsfgOrders->setRedraw(true);
    EmptyLineItems();
}

void frmOrderNavigator::vsfgOrders_RowColChange() {
    const int row = vsfgOrders->row();
    if (row < 1) return;
    const qint64 id = vsfgOrders->textMatrix(row, 10).toLongLong();
    Frame3->setTitle(QStringLiteral("Order ") + vsfgOrders->textMatrix(row, 0) + QStringLiteral(" Line Items"));

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
void frmOrderNavigator::vsfgOrders_DblClick(int pointerRow) {
    const qint64 id = pointerRow >= 1 ? vsfgOrders->textMatrix(vsfgOrders->row(), 10).toLongLong() : 0;
    qobject_cast<frmOrderEntry *>(openEntry())->OpenOrder(id);
}

void frmOrderNavigator::btnFind_Click() { UpdateGrids(); }

void frmOrderNavigator::btnClear_Click() {
    cmbCustomer->setCurrentIndex(-1);
    cmbStatus->setCurrentIndex(-1);
    txtOrderNumber->clear();
    chkOrderDate->setChecked(false);
    UpdateGrids();
    EmptyLineItems();
    Frame3->setTitle(QStringLiteral("Line Items"));
}

void frmOrderNavigator::btnAddNew_Click() { openEntry(); }

void frmOrderNavigator::btnExit_Click() { unload(); }
