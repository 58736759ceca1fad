// Shipment Navigator driven as a clerk would: criteria set in its boxes, "Find",
// "Clear", "Exit", rows moved to and double-clicked; and its refresh when Shipment Entry
// closes. What is checked is what the grids show.

#include "core/NavigatorFlags.h"
#include "shipping/frmShipmentEntry.h"
#include "shipping/frmShipmentNavigator.h"
#include "tests/shipping/GridKeys.h"
#include "tests/shipping/ShippingPlant.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QPointer>
#include <QtTest>

using namespace GridKeys;
using namespace ShippingPlant;
using namespace UiTest;

namespace {

const QString kObrien = QStringLiteral("O'Brien Furniture");

struct Navigator : OpenWindow<frmShipmentNavigator> {
    Grid *shipments() const { return child<Grid>(w, "vsfgShipments"); }
    Grid *items() const { return child<Grid>(w, "vsfgItems"); }
    QCheckBox *byDate() const { return child<QCheckBox>(w, "chkShipDate"); }
    QDateEdit *date(const char *name) const { return child<QDateEdit>(w, name); }
    QGroupBox *frame(const char *name) const { return child<QGroupBox>(w, name); }
    // The data row listing a shipment.
    int rowOf(qint64 shipmentId) const {
        for (int row = 1; row < shipments()->rows(); ++row)
            if (shipments()->textMatrix(row, 2) == QString::number(shipmentId)) return row;
        return -1;
    }
    // The given column of every data row of the shipments grid.
    QStringList listed(int col = 1) const {
        QStringList texts;
        for (int row = 1; row < shipments()->rows(); ++row) texts << shipments()->textMatrix(row, col);
        return texts;
    }
};

// Shipments of four orders: O'Brien's 120 (two shipments) and 312, Vedu's 1200 and 21.
struct Plant {
    TestDatabase db;
    qint64 order120 = 0;
    qint64 first120 = 0;
    qint64 second120 = 0;
    Plant() {
        addCustomer(db, kObrien);
        addCustomer(db, "Vedu");
        addCustomer(db, "Acme Foam");
        order120 = addOrder(db, kObrien, "120", {{1, 8, 12.5}, {3, 4, 1234.5}});
        first120 = addShipment(db, order120, QDate(2026, 12, 4), {{3, 2}, {1, 5}});
        second120 = addShipment(db, order120, QDate(2026, 12, 6), {{1, 3}});
        addShipment(db, addOrder(db, kObrien, "312", {{1, 2}}), QDate(2026, 12, 5), {{1, 2}});
        addShipment(db, addOrder(db, "Vedu", "1200", {{1, 2}}), QDate(2026, 12, 9), {{1, 1}});
        addShipment(db, addOrder(db, "Vedu", "21", {{1, 2}}), QDate(2026, 11, 20), {{1, 1}});
        db.exec(QString("UPDATE Orders SET ShipToAddress2 = Null WHERE ID = %1").arg(order120));
    }
};

}  // namespace

class tst_ShipmentNavigator : public QObject {
    Q_OBJECT
private slots:
    void opensListingEveryShipment();
    void findUsesTheCriteriaSet_data();
    void findUsesTheCriteriaSet();
    void movingToARowShowsItsLines();
    void clearListsEverythingAgain();
    void doubleClickOpensTheShipment();
    void closingEntryRefreshesTheLists();
    void exitClearsTheFlag();
    void resizeSharesTheHeight_data();
    void resizeSharesTheHeight();
};

void tst_ShipmentNavigator::opensListingEveryShipment() {
    Plant plant;
    ScopedFakes fakes;
    QVERIFY(!ShipmentNavigatorOpen);
    Navigator nav;
    QVERIFY(ShipmentNavigatorOpen);
    QCOMPARE(frmShipmentNavigator::current(), nav.w.data());
    QCOMPARE(nav.w->windowTitle(), QString("Shipment Navigator"));
    QCOMPARE(nav.combo("cmbCustomer")->count(), 3);
    QCOMPARE(nav.combo("cmbCustomer")->currentIndex(), -1);
    QVERIFY(!nav.byDate()->isChecked());
    QCOMPARE(nav.date("dtStartDate")->date(), QDate(2026, 12, 9));
    QCOMPARE(nav.date("dtEndDate")->date(), QDate(2026, 12, 9));
    QVERIFY(nav.w->resizable());

    Grid *grid = nav.shipments();
    QCOMPARE(rowTexts(grid, 0), (QStringList{"Customer", "Order Number", "Shipment ID", "Shipment Date", "Order ID",
                                             "Ship To"}));
    QCOMPARE(nav.listed(), (QStringList{"120", "120", "312", "1200", "21"}));
    const int first = nav.rowOf(plant.first120);
    QCOMPARE(rowTexts(grid, first), (QStringList{kObrien, "120", QString::number(plant.first120), "12/4/2026",
                                                 QString::number(plant.order120),
                                                 "Dock 120, 1 Mill Rd, , Hickory, NC  28601"}));
    QCOMPARE(nav.items()->rows(), 0);
    QVERIFY(fakes.cursor.busyCount > 0);
    QCOMPARE(fakes.cursor.depth, 0);
}

void tst_ShipmentNavigator::findUsesTheCriteriaSet_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("byDate");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QStringList>("numbers");
    const QDate none;
    QTest::newRow("customer with a quote") << kObrien << false << none << none << "" << QStringList{"120", "120", "312"};
    QTest::newRow("fragment 12") << "" << false << none << none << "12" << QStringList{"120", "120", "312", "1200"};
    QTest::newRow("customer and fragment") << "Vedu" << false << none << none << "12" << QStringList{"1200"};
    QTest::newRow("one day, both ends") << "" << true << QDate(2026, 12, 5) << QDate(2026, 12, 5) << ""
                                        << QStringList{"312"};
    QTest::newRow("range") << "" << true << QDate(2026, 12, 4) << QDate(2026, 12, 6) << ""
                           << QStringList{"120", "120", "312"};
    QTest::newRow("all three") << kObrien << true << QDate(2026, 12, 5) << QDate(2026, 12, 9) << "2"
                               << QStringList{"120", "312"};
    QTest::newRow("wildcard typed") << "" << false << none << none << "1*" << QStringList{};
}

void tst_ShipmentNavigator::findUsesTheCriteriaSet() {
    QFETCH(QString, customer);
    QFETCH(bool, byDate);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, fragment);
    QFETCH(QStringList, numbers);
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    if (!customer.isEmpty()) pick(nav.combo("cmbCustomer"), customer);
    if (byDate) {
        click(nav.byDate());
        nav.date("dtStartDate")->setDate(start);
        nav.date("dtEndDate")->setDate(end);
    }
    if (!fragment.isEmpty()) type(nav.line("txtOrderNumber"), fragment);
    nav.press("btnFind");
    QCOMPARE(nav.listed(), numbers);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_ShipmentNavigator::movingToARowShowsItsLines() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    moveTo(nav.shipments(), nav.rowOf(plant.first120));
    Grid *items = nav.items();
    QCOMPARE(rowTexts(items, 0),
             (QStringList{"Item Number", "Qty Ordered", "Qty Shipped", "Part No.", "Price Each", "Price Ext."}));
    QCOMPARE(items->rows(), 3);
    QCOMPARE(rowShown(items, 1), (QStringList{"1", "8", "5", "Arm-Chair", "$12.5", "$100."}));
    QCOMPARE(rowShown(items, 2), (QStringList{"3", "4", "2", "Arm-Chair", "$1,234.5", "$4,938."}));

    moveTo(nav.shipments(), nav.rowOf(plant.second120));
    QCOMPARE(items->rows(), 2);
    QCOMPARE(rowTexts(items, 1).mid(0, 3), (QStringList{"1", "8", "3"}));
}

void tst_ShipmentNavigator::clearListsEverythingAgain() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    pick(nav.combo("cmbCustomer"), "Vedu");
    click(nav.byDate());
    nav.date("dtStartDate")->setDate(QDate(2026, 12, 1));
    type(nav.line("txtOrderNumber"), "12");
    nav.press("btnFind");
    QCOMPARE(nav.listed(), QStringList{"1200"});
    moveTo(nav.shipments(), 1);
    QVERIFY(nav.items()->rows() > 0);

    nav.press("btnClear");
    QCOMPARE(nav.combo("cmbCustomer")->currentIndex(), -1);
    QCOMPARE(nav.line("txtOrderNumber")->text(), QString());
    QVERIFY(!nav.byDate()->isChecked());
    QCOMPARE(nav.date("dtStartDate")->date(), QDate(2026, 12, 1));  // the dates stay
    QCOMPARE(nav.listed().size(), 5);
    QCOMPARE(nav.items()->rows(), 0);
    QCOMPARE(nav.frame("fraLineItems")->title(), QString("Line Items"));
}

void tst_ShipmentNavigator::doubleClickOpensTheShipment() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    QPointer<frmShipmentEntry> entry;
    int opened = 0;
    nav.w->setEntryOpener([&] {
        ++opened;
        if (!entry) entry = new frmShipmentEntry;
        return entry.data();
    });

    doubleClick(nav.shipments(), nav.rowOf(plant.second120));
    QCOMPARE(opened, 1);
    QVERIFY(entry);
    QCOMPARE(child<QLineEdit>(entry, "txtID")->text(), QString::number(plant.second120));
    QCOMPARE(child<Grid>(entry, "vsfgItems")->textMatrix(1, 3), QString("3"));

    // The header only brings the entry window forward: it keeps what it shows.
    doubleClick(nav.shipments(), 0);
    QCOMPARE(opened, 2);
    QCOMPARE(child<QLineEdit>(entry, "txtID")->text(), QString::number(plant.second120));
    delete entry;
}

void tst_ShipmentNavigator::closingEntryRefreshesTheLists() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    moveTo(nav.shipments(), 1);
    QVERIFY(nav.items()->rows() > 0);

    // A new shipment saved: the navigator lists it at once.
    {
        OpenWindow<frmShipmentEntry> entry;
        pick(entry.combo("cmbCustomer"), "Vedu");
        pick(entry.combo("cmbOrder"), "1200 - 12/1/2026");
        entry.press("btnShipAll");
        entry.press("btnSave");
        QVERIFY(entry.closed());
    }
    QCOMPARE(nav.listed(), (QStringList{"120", "120", "312", "1200", "1200", "21"}));
    QCOMPARE(nav.items()->rows(), 0);

    // Leaving the entry window with Exit refreshes as well.
    plant.db.exec(QString("UPDATE Orders SET OrderNumber = '122' WHERE ID = %1").arg(plant.order120));
    {
        OpenWindow<frmShipmentEntry> entry;
        entry.press("btnExit");
        QVERIFY(entry.closed());
    }
    QCOMPARE(nav.listed().mid(0, 3), (QStringList{"122", "122", "312"}));
}

void tst_ShipmentNavigator::exitClearsTheFlag() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    nav.press("btnExit");
    QVERIFY(nav.closed());
    QVERIFY(!ShipmentNavigatorOpen);
    QCOMPARE(frmShipmentNavigator::current(), nullptr);

    // An entry window closing afterwards has no navigator to refresh.
    OpenWindow<frmShipmentEntry> entry;
    entry.press("btnExit");
    QVERIFY(entry.closed());
}

void tst_ShipmentNavigator::resizeSharesTheHeight_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("opening size") << QSize(656, 480);
    QTest::newRow("wide and tall") << QSize(1000, 700);
    QTest::newRow("narrow") << QSize(400, 500);
}

void tst_ShipmentNavigator::resizeSharesTheHeight() {
    QFETCH(QSize, size);
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    nav.w->resize(size);
    QCoreApplication::processEvents();
    const QRect criteria = nav.frame("fraCriteria")->geometry();
    const QRect shipments = nav.frame("fraShipments")->geometry();
    const QRect items = nav.frame("fraLineItems")->geometry();
    // Twips: width - 300 for the frames, frame - 200 for the grids; the free height
    // (height - search frame - 650) goes 55 to 45, 100 between; grids 700 and 600 less.
    const double free = size.height() - criteria.height() - 650 / 15.0;
    auto near = [](int actual, double expected) { return qAbs(actual - expected) <= 1.0; };
    QVERIFY(near(shipments.width(), size.width() - 20));
    QCOMPARE(items.width(), shipments.width());
    QVERIFY(near(nav.shipments()->width(), shipments.width() - 200 / 15.0));
    QVERIFY(near(nav.items()->width(), shipments.width() - 200 / 15.0));
    QVERIFY(near(shipments.height(), free * 0.55));
    QVERIFY(near(items.height(), free * 0.45));
    QVERIFY(near(items.top(), shipments.top() + shipments.height() + 100 / 15.0));
    QVERIFY(near(nav.shipments()->height(), shipments.height() - 700 / 15.0));
    QVERIFY(near(nav.items()->height(), items.height() - 600 / 15.0));
    QCOMPARE(criteria.size(), QSize(640, 100));  // the search frame keeps its size
}

QTEST_MAIN(tst_ShipmentNavigator)
#include "tst_shipmentnavigator.moc"
