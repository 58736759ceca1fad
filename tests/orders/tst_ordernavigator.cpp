// The Order Navigator driven through its controls inside the main frame: criteria and
// Find, Clear, the orders and their lines as shown, double-click opening an order in the
// order window, Add New, the refresh when the order window closes, and the resize rule.

#include "app/MDI.h"
#include "core/NavigatorFlags.h"
#include "data/Database.h"
#include "orders/frmOrderEntry.h"
#include "orders/frmOrderNavigator.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

void addCustomer(const TestDatabase &db, const QString &name, const QString &status = "Active") {
    db.exec("INSERT INTO Customer (Customer, Status) VALUES ('" + name + "', '" + status + "')");
}

void addOrder(const TestDatabase &db, int id, const QString &number, const QString &customer, const QString &date,
              const QString &status = "Open") {
    db.exec(QString("INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, Total, ShipTo, "
                    "ShipToAddress1, ShipToCity, ShipToState, ShipToZip, ShipToPhone, DateAdded) VALUES (%1, '%2', "
                    "'%3', #%4#, #12/31/2026#, '%5', 1234.5, 'Dock', '1 Main St', 'Tupelo', 'MS', '38801', "
                    "'662-555-0100', #12/1/2026#)")
                .arg(id)
                .arg(number, customer, date, status));
}

// Two customers, six orders; order 40002 has two lines, the first shipped 4 and 6.
void seed(const TestDatabase &db) {
    addCustomer(db, "Acme Foam");
    addCustomer(db, "Zeta Beds");
    addCustomer(db, "Gone Co", "InActive");
    addOrder(db, 40001, "A12", "Zeta Beds", "12/1/2026");
    addOrder(db, 40002, "1123", "Acme Foam", "12/1/2026");
    addOrder(db, 40003, "7*8", "Acme Foam", "12/9/2026", "Closed");
    addOrder(db, 40004, "778", "Acme Foam", "12/31/2026", "Void");
    addOrder(db, 40005, "99", "Zeta Beds", "11/30/2026");
    addOrder(db, 40006, "100", "Gone Co", "1/1/2027");
    db.exec("INSERT INTO Style (ID, Customer, Name, Type, Price, Status) VALUES (5, 'Acme Foam', 'Sofa', 'Seat', 9, 'Active')");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, StyleID, PriceEach, PriceExt) VALUES (40002, 1, 12, 5, 2.5, 30)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, StyleID, PriceEach, PriceExt) VALUES (40002, 3, 2, 5, 1234.5, 2469)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 40002, 1, 4)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (2, 40002, 1, 6)");
}

// The main frame with the navigator opened from the Orders menu.
struct Frame {
    MDI mdi;
    frmOrderNavigator *nav = nullptr;
    Frame() {
        show(&mdi);
        mdi.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mdi));
        mdi.command("OrdNav")->trigger();
        nav = qobject_cast<frmOrderNavigator *>(mdi.workspace()->activeSubWindow()->widget());
        QCoreApplication::processEvents();  // the navigator places itself once shown
    }
    Grid *orders() const { return child<Grid>(nav, "vsfgOrders"); }
    Grid *items() const { return child<Grid>(nav, "vsfgItems"); }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(nav, name); }
    void press(const QString &name) const { click(child<QPushButton>(nav, name)); }
    frmOrderEntry *orderWindow() const {
        for (QMdiSubWindow *sub : mdi.workspace()->subWindowList())
            if (auto *entry = qobject_cast<frmOrderEntry *>(sub->widget())) return entry;
        return nullptr;
    }
    int windows() const { return mdi.workspace()->subWindowList().size(); }

    // Column 0 of every listed order.
    QStringList numbers() const {
        QStringList out;
        for (int row = 1; row < orders()->rows(); ++row) out << orders()->textMatrix(row, 0);
        return out;
    }
    void doubleClick(int row) const {
        const QPoint at = orders()->visualRect(orders()->model()->index(row - 1, 0)).center();
        QTest::mouseClick(orders()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(orders()->viewport(), Qt::LeftButton, {}, at);
    }
};

QStringList rowTexts(const Grid *grid, int row) {
    QStringList cells;
    for (int col = 0; col < grid->cols(); ++col) cells << grid->displayText(row, col);
    return cells;
}

}  // namespace

class tst_OrderNavigator : public QObject {
    Q_OBJECT
private slots:
    void opensWithEveryOrder();
    void criteria_data();
    void criteria();
    void movingToAnOrderShowsItsLines();
    void clearResetsTheCriteria();
    void doubleClickOpensTheOrder();
    void addNewOpensOneOrderWindow();
    void savingAnOrderRefreshesTheNavigator();
    void exitLowersTheFlag();
    void resizeSharesTheHeight();
};

void tst_OrderNavigator::opensWithEveryOrder() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Frame f;
    QCOMPARE(f.nav->windowTitle(), QString("Order Navigator"));
    QVERIFY(OrderNavigatorOpen);
    QCOMPARE(f.numbers(), QStringList({"1123", "7*8", "778", "100", "99", "A12"}));
    QCOMPARE(rowTexts(f.orders(), 0),
             QStringList({"Order Number", "Customer", "Order Date", "Due Date", "Status", "Total", "Ship To",
                          "Ship To Phone", "Ship To Fax", "Date Added", "OrderID"}));
    QCOMPARE(rowTexts(f.orders(), 1),
             QStringList({"1123", "Acme Foam", "12/1/2026", "12/31/2026", "Open", "$1,234.5",
                          "Dock, 1 Main St, Tupelo, MS 38801", "662-555-0100", "", "12/1/2026", "40002"}));
    QCOMPARE(f.items()->rows(), 0);
    QCOMPARE(child<QGroupBox>(f.nav, "Frame3")->title(), QString("Line Items"));
    QStringList customers;
    for (int i = 0; i < f.combo("cmbCustomer")->count(); ++i) customers << f.combo("cmbCustomer")->itemText(i);
    QCOMPARE(customers, QStringList({"Acme Foam", "Zeta Beds"}));
    QCOMPARE(f.combo("cmbCustomer")->currentIndex(), -1);
    QStringList statuses;
    for (int i = 0; i < f.combo("cmbStatus")->count(); ++i) statuses << f.combo("cmbStatus")->itemText(i);
    QCOMPARE(statuses, QStringList({"Open", "Closed", "Void"}));
    QCOMPARE(f.combo("cmbStatus")->currentIndex(), -1);
    QVERIFY(!child<QCheckBox>(f.nav, "chkOrderDate")->isChecked());
    QCOMPARE(child<QDateEdit>(f.nav, "dtStartDate")->date(), fakes.clock.today());
    QCOMPARE(child<QDateEdit>(f.nav, "dtEndDate")->date(), fakes.clock.today());
    // Top left of the workspace, 600 pixels wide, nine tenths of the frame's height.
    QCOMPARE(f.nav->parentWidget()->pos(), QPoint(0, 0));
    QCOMPARE(f.nav->parentWidget()->width(), 600);
    QCOMPARE(f.nav->parentWidget()->height(), int(f.mdi.height() * 0.9));
}

void tst_OrderNavigator::criteria_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QStringList>("found");
    const QDate none;
    QTest::newRow("customer") << "Zeta Beds" << "" << "" << none << none << QStringList({"99", "A12"});
    QTest::newRow("customer and status") << "Acme Foam" << "Void" << "" << none << none << QStringList({"778"});
    QTest::newRow("number anywhere") << "" << "" << "12" << none << none << QStringList({"1123", "A12"});
    QTest::newRow("star taken literally") << "" << "" << "*" << none << none << QStringList({"7*8"});
    QTest::newRow("both ends of the range") << "" << "" << "" << QDate(2026, 12, 1) << QDate(2026, 12, 31)
                                            << QStringList({"1123", "7*8", "778", "A12"});
    QTest::newRow("everything") << "Acme Foam" << "Closed" << "7" << QDate(2026, 12, 9) << QDate(2026, 12, 9)
                                << QStringList({"7*8"});
}

void tst_OrderNavigator::criteria() {
    QFETCH(QString, customer);
    QFETCH(QString, status);
    QFETCH(QString, number);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QStringList, found);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Frame f;
    if (!customer.isEmpty()) pick(f.combo("cmbCustomer"), customer);
    if (!status.isEmpty()) pick(f.combo("cmbStatus"), status);
    type(child<QLineEdit>(f.nav, "txtOrderNumber"), number);
    if (start.isValid()) {
        click(child<QCheckBox>(f.nav, "chkOrderDate"));
        child<QDateEdit>(f.nav, "dtStartDate")->setDate(start);
        child<QDateEdit>(f.nav, "dtEndDate")->setDate(end);
    }
    f.press("btnFind");
    QCOMPARE(f.numbers(), found);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_OrderNavigator::movingToAnOrderShowsItsLines() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Frame f;
    f.orders()->setRow(1);
    QCOMPARE(child<QGroupBox>(f.nav, "Frame3")->title(), QString("Order 1123 Line Items"));
    QCOMPARE(f.items()->rows(), 3);
    QCOMPARE(rowTexts(f.items(), 0),
             QStringList({"Item Number", "Qty Ordered", "Qty Shipped", "Style", "Price Each", "Price Ext."}));
    QCOMPARE(rowTexts(f.items(), 1), QStringList({"1", "12", "10", "Sofa-Seat", "$2.5", "$30."}));
    QCOMPARE(rowTexts(f.items(), 2), QStringList({"3", "2", "", "Sofa-Seat", "$1,234.5", "$2,469."}));
    f.orders()->setRow(3);
    QCOMPARE(child<QGroupBox>(f.nav, "Frame3")->title(), QString("Order 778 Line Items"));
    QCOMPARE(f.items()->rows(), 1);  // the header alone
    f.press("btnFind");
    QCOMPARE(f.items()->rows(), 0);
}

void tst_OrderNavigator::clearResetsTheCriteria() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Frame f;
    pick(f.combo("cmbCustomer"), "Acme Foam");
    pick(f.combo("cmbStatus"), "Open");
    type(child<QLineEdit>(f.nav, "txtOrderNumber"), "11");
    click(child<QCheckBox>(f.nav, "chkOrderDate"));
    child<QDateEdit>(f.nav, "dtStartDate")->setDate(QDate(2026, 11, 1));
    f.press("btnFind");
    f.orders()->setRow(1);
    QCOMPARE(f.numbers(), QStringList({"1123"}));
    f.press("btnClear");
    QCOMPARE(f.combo("cmbCustomer")->currentIndex(), -1);
    QCOMPARE(f.combo("cmbStatus")->currentIndex(), -1);
    QCOMPARE(child<QLineEdit>(f.nav, "txtOrderNumber")->text(), QString());
    QVERIFY(!child<QCheckBox>(f.nav, "chkOrderDate")->isChecked());
    QCOMPARE(child<QDateEdit>(f.nav, "dtStartDate")->date(), QDate(2026, 11, 1));  // the dates stay
    QCOMPARE(f.numbers().size(), 6);
    QCOMPARE(f.items()->rows(), 0);
    QCOMPARE(child<QGroupBox>(f.nav, "Frame3")->title(), QString("Line Items"));
}

void tst_OrderNavigator::doubleClickOpensTheOrder() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Frame f;
    f.doubleClick(4);  // order 100 of a customer no longer active
    frmOrderEntry *entry = f.orderWindow();
    QVERIFY(entry);
    QCOMPARE(child<QLabel>(entry, "lblID")->text(), QString("40006"));
    QCOMPARE(child<QComboBox>(entry, "cmbCustomer")->currentText(), QString("Gone Co"));
    QCOMPARE(child<QLineEdit>(entry, "txtOrderNumber")->text(), QString("100"));

    // The order window stays the one window; a second double-click loads another order.
    f.doubleClick(1);
    QCOMPARE(f.orderWindow(), entry);
    QCOMPARE(f.windows(), 2);
    QCOMPARE(child<QLabel>(entry, "lblID")->text(), QString("40002"));
    QCOMPARE(child<Grid>(entry, "vsfgItems")->rows(), 3);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_OrderNavigator::addNewOpensOneOrderWindow() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Frame f;
    f.press("btnAddNew");
    frmOrderEntry *entry = f.orderWindow();
    QVERIFY(entry);
    QCOMPARE(child<QLabel>(entry, "lblID")->text(), QString());
    type(child<QLineEdit>(entry, "txtOrderNumber"), "in progress");
    f.press("btnAddNew");
    QCOMPARE(f.windows(), 2);
    QCOMPARE(child<QLineEdit>(entry, "txtOrderNumber")->text(), QString("in progress"));
}

void tst_OrderNavigator::savingAnOrderRefreshesTheNavigator() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    CaptureTarget capture;
    Frame f;
    pick(f.combo("cmbCustomer"), "Acme Foam");
    f.press("btnFind");
    f.orders()->setRow(1);
    QCOMPARE(f.items()->rows(), 3);
    f.press("btnAddNew");
    frmOrderEntry *entry = f.orderWindow();
    pick(child<QComboBox>(entry, "cmbCustomer"), "Acme Foam");
    type(child<QLineEdit>(entry, "txtOrderNumber"), "0001");
    pick(child<QComboBox>(entry, "cmbStyle"), "Sofa-Seat");
    type(child<QLineEdit>(entry, "txtQty"), "3");
    QTest::mouseClick(child<QPushButton>(entry, "btnSaveItem"), Qt::LeftButton);  // leaving Qty works out Price Ext
    click(child<QPushButton>(entry, "btnSave"));
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QCOMPARE(f.windows(), 1);
    QCOMPARE(f.numbers(), QStringList({"0001", "1123", "7*8", "778"}));  // the criteria kept
    f.orders()->setFocus(Qt::ActiveWindowFocusReason);  // the focus back on the refilled list
    QCOMPARE(f.items()->rows(), 0);
    QVERIFY(!capture.documents.isEmpty());
}

void tst_OrderNavigator::exitLowersTheFlag() {
    TestDatabase db;
    ScopedFakes fakes;
    Frame f;
    QVERIFY(OrderNavigatorOpen);
    QVERIFY(frmOrderNavigator::instance());
    f.press("btnExit");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!OrderNavigatorOpen);
    QVERIFY(!frmOrderNavigator::instance());
    QCOMPARE(f.windows(), 0);
}

void tst_OrderNavigator::resizeSharesTheHeight() {
    TestDatabase db;
    ScopedFakes fakes;
    Frame f;
    QWidget *outer = f.nav->parentWidget();
    auto *frame1 = child<QGroupBox>(f.nav, "Frame1");
    auto *frame2 = child<QGroupBox>(f.nav, "Frame2");
    auto *frame3 = child<QGroupBox>(f.nav, "Frame3");
    outer->resize(700, 520);
    // In twips, 15 a pixel: the free height is the outer height less the criteria and 650.
    const double free = 520 * 15.0 - frame1->height() * 15.0 - 650;
    QCOMPARE(frame2->width(), int((700 * 15 - 300) / 15.0));
    QCOMPARE(frame3->width(), frame2->width());
    QCOMPARE(frame2->height(), int(free * 0.55 / 15));
    QCOMPARE(frame3->height(), int(free * 0.45 / 15));
    QCOMPARE(frame3->y(), frame2->y() + frame2->height() + int(100 / 15.0));
    QCOMPARE(f.orders()->width(), frame2->width() - int(200 / 15.0));
    QCOMPARE(f.orders()->height(), frame2->height() - int(700 / 15.0));
    QCOMPARE(f.items()->height(), frame3->height() - int(600 / 15.0));
    const int top = frame2->y();
    outer->resize(760, 600);
    QCOMPARE(frame2->y(), top);
    QCOMPARE(frame1->y(), int(60 / 15.0));
    QCOMPARE(frame2->height(), int((600 * 15.0 - frame1->height() * 15.0 - 650) * 0.55 / 15));
}

QTEST_MAIN(tst_OrderNavigator)
#include "tst_ordernavigator.moc"
