// Shipment Navigator driven as a clerk would: criteria set in its boxes, "Find",
// "Clear", "Exit", rows moved to and double-clicked; and its refresh when Shipment Entry
// closes. What is checked is what the grids show.

#include "core/NavigatorFlags.h"
#include "shipping/frmShipmentEntry.h"
#include "shipping/frmShipmentNavigator.h"
#include "tests/support/GridKeys.h"
#include "tests/support/ShippingPlant.h"
#include "tests/support/Fakes.h"
#include "tests/support/OpenWindow.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QtTest>

using namespace GridKeys;
using namespace ShippingPlant;
using namespace UiTest;

namespace {

const QString kObrien = QStringLiteral("O'Brien Furniture");

struct Navigator : OpenWindow<frmShipmentNavigator> {
    Grid *shipments() const { return child<Grid>(w, "vsfgShipments"); }
    Grid *items() const { return child<Grid>(w, "vsfgItems"); }
    QGroupBox *frame(const char *name) const { return child<QGroupBox>(w, name); }
    void setDates(const QDate &start, const QDate &end) const {
        click(child<QCheckBox>(w, "chkShipDate"));
        child<QDateEdit>(w, "dtStartDate")->setDate(start);
        child<QDateEdit>(w, "dtEndDate")->setDate(end);
    }
    int rowOf(qint64 shipmentId) const {
        for (int row = 1; row < shipments()->rows(); ++row)
            if (shipments()->textMatrix(row, 2) == QString::number(shipmentId)) return row;
        return -1;
    }
    QStringList listed() const {  // the order numbers listed
        QStringList texts;
        for (int row = 1; row < shipments()->rows(); ++row) texts << shipments()->textMatrix(row, 1);
        return texts;
    }
};

// O'Brien's 120 (shipped twice), 312 and AB*7; Vedu's 1200 and 21.
struct Plant {
    TestDatabase db;
    qint64 order120 = 0, first120 = 0, second120 = 0;
    Plant() {
        addCustomer(db, kObrien);
        addCustomer(db, "Vedu");
        order120 = addOrder(db, kObrien, "120", {{1, 8, 12.5}, {3, 4, 1234.5}});
        first120 = addShipment(db, order120, QDate(2026, 12, 4), {{3, 2}, {1, 5}});
        second120 = addShipment(db, order120, QDate(2026, 12, 6), {{1, 3}});
        addShipment(db, addOrder(db, kObrien, "312", {{1, 2}}), QDate(2026, 12, 5), {{1, 2}});
        addShipment(db, addOrder(db, kObrien, "AB*7", {{1, 2}}), QDate(2026, 12, 1), {{1, 2}});
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
    void rowsShowTheirLinesAndOpen();
    void withoutAFrameItOpensOneEntryWindowOfItsOwn();
    void clearAndExit();
    void closingEntryRefreshesTheLists();
    void resizeSharesTheHeight_data();
    void resizeSharesTheHeight();
};

void tst_ShipmentNavigator::opensListingEveryShipment() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    QVERIFY(ShipmentNavigatorOpen);
    QCOMPARE(nav.w->windowTitle(), QString("Shipment Navigator"));
    QCOMPARE(nav.combo("cmbCustomer")->currentIndex(), -1);
    QVERIFY(!child<QCheckBox>(nav.w, "chkShipDate")->isChecked());
    QCOMPARE(child<QDateEdit>(nav.w, "dtEndDate")->date(), QDate(2026, 12, 9));
    QCOMPARE(rowTexts(nav.shipments(), 0), (QStringList{"Customer", "Order Number", "Shipment ID", "Shipment Date",
                                                        "Order ID", "Ship To"}));
    QCOMPARE(nav.listed(), (QStringList{"120", "120", "312", "AB*7", "1200", "21"}));
    QCOMPARE(rowTexts(nav.shipments(), nav.rowOf(plant.first120)),
             (QStringList{kObrien, "120", QString::number(plant.first120), "12/4/2026", QString::number(plant.order120),
                          "Dock 120, 1 Mill Rd, , Hickory, NC  28601"}));
    QCOMPARE(nav.items()->rows(), 0);
    QCOMPARE(fakes.cursor.depth, 0);
    QVERIFY(fakes.cursor.busyCount > 0);
}

void tst_ShipmentNavigator::findUsesTheCriteriaSet_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QDate>("start");  // null: the date filter stays off
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QStringList>("numbers");
    const QDate off;
    QTest::newRow("customer with a quote") << kObrien << off << off << "" << QStringList{"120", "120", "312", "AB*7"};
    QTest::newRow("12 anywhere") << "" << off << off << "12" << QStringList{"120", "120", "312", "1200"};
    QTest::newRow("customer and fragment") << "Vedu" << off << off << "12" << QStringList{"1200"};
    QTest::newRow("one day, both ends") << "" << QDate(2026, 12, 5) << QDate(2026, 12, 5) << "" << QStringList{"312"};
    QTest::newRow("range") << "" << QDate(2026, 12, 4) << QDate(2026, 12, 6) << "" << QStringList{"120", "120", "312"};
    QTest::newRow("all three") << kObrien << QDate(2026, 12, 5) << QDate(2026, 12, 9) << "2" << QStringList{"120", "312"};
    QTest::newRow("asterisk is an asterisk") << "" << off << off << "*" << QStringList{"AB*7"};
    QTest::newRow("letters in any case") << "" << off << off << "b*" << QStringList{"AB*7"};
    QTest::newRow("quote finds nothing") << "" << off << off << "1'" << QStringList{};
}

void tst_ShipmentNavigator::findUsesTheCriteriaSet() {
    QFETCH(QString, customer);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, fragment);
    QFETCH(QStringList, numbers);
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    if (!customer.isEmpty()) pick(nav.combo("cmbCustomer"), customer);
    if (start.isValid()) nav.setDates(start, end);
    if (!fragment.isEmpty()) type(nav.line("txtOrderNumber"), fragment);
    nav.press("btnFind");
    QCOMPARE(nav.listed(), numbers);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_ShipmentNavigator::rowsShowTheirLinesAndOpen() {
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

    QPointer<frmShipmentEntry> entry;
    int opened = 0;
    nav.w->setEntryOpener([&] {
        ++opened;
        if (!entry) entry = new frmShipmentEntry;
        return entry.data();
    });
    doubleClick(nav.shipments(), nav.rowOf(plant.second120));
    QCOMPARE(items->rows(), 2);
    QCOMPARE(opened, 1);
    QCOMPARE(child<QLineEdit>(entry, "txtID")->text(), QString::number(plant.second120));
    // The header only brings the entry window forward: it keeps what it shows.
    doubleClick(nav.shipments(), 0);
    QCOMPARE(opened, 2);
    QCOMPARE(child<QLineEdit>(entry, "txtID")->text(), QString::number(plant.second120));
    delete entry;
}

void tst_ShipmentNavigator::withoutAFrameItOpensOneEntryWindowOfItsOwn() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    doubleClick(nav.shipments(), nav.rowOf(plant.second120));
    doubleClick(nav.shipments(), nav.rowOf(plant.first120));
    QList<frmShipmentEntry *> entries;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *entry = qobject_cast<frmShipmentEntry *>(window); entry && entry->isVisible()) entries << entry;
    QCOMPARE(entries.size(), 1);
    QCOMPARE(child<QLineEdit>(entries.first(), "txtID")->text(), QString::number(plant.first120));
    delete entries.first();
}

void tst_ShipmentNavigator::clearAndExit() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    pick(nav.combo("cmbCustomer"), "Vedu");
    nav.setDates(QDate(2026, 12, 1), QDate(2026, 12, 9));
    type(nav.line("txtOrderNumber"), "12");
    nav.press("btnFind");
    moveTo(nav.shipments(), 1);
    QVERIFY(nav.items()->rows() > 0);

    nav.press("btnClear");
    QCOMPARE(nav.combo("cmbCustomer")->currentIndex(), -1);
    QCOMPARE(nav.line("txtOrderNumber")->text(), QString());
    QVERIFY(!child<QCheckBox>(nav.w, "chkShipDate")->isChecked());
    QCOMPARE(child<QDateEdit>(nav.w, "dtStartDate")->date(), QDate(2026, 12, 1));  // the dates stay
    QCOMPARE(nav.listed().size(), 6);
    QCOMPARE(nav.items()->rows(), 0);
    QCOMPARE(nav.frame("fraLineItems")->title(), QString("Line Items"));

    nav.press("btnExit");
    QVERIFY(nav.closed());
    QVERIFY(!ShipmentNavigatorOpen);
    OpenWindow<frmShipmentEntry> entry;  // closing with no navigator to refresh
    entry.press("btnExit");
    QVERIFY(entry.closed());
}

void tst_ShipmentNavigator::closingEntryRefreshesTheLists() {
    Plant plant;
    ScopedFakes fakes;
    Navigator nav;
    moveTo(nav.shipments(), 1);
    {
        OpenWindow<frmShipmentEntry> entry;  // a new shipment saved
        pick(entry.combo("cmbCustomer"), "Vedu");
        pick(entry.combo("cmbOrder"), "1200 - 12/1/2026");
        entry.press("btnShipAll");
        entry.press("btnSave");
        QVERIFY(entry.closed());
    }
    QCOMPARE(nav.listed(), (QStringList{"120", "120", "312", "AB*7", "1200", "1200", "21"}));
    // The focus comes back to the refilled list; it picks no shipment by itself.
    nav.w->activateWindow();
    nav.shipments()->setFocus(Qt::ActiveWindowFocusReason);
    QCoreApplication::processEvents();
    QCOMPARE(nav.items()->rows(), 0);

    plant.db.exec(QString("UPDATE Orders SET OrderNumber = '122' WHERE ID = %1").arg(plant.order120));
    {
        OpenWindow<frmShipmentEntry> entry;  // left with Exit
        entry.press("btnExit");
    }
    QCOMPARE(nav.listed().mid(0, 2), (QStringList{"122", "122"}));
}

void tst_ShipmentNavigator::resizeSharesTheHeight_data() {
    QTest::addColumn<QSize>("size");
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
    // In twips: the frames as wide as the window less 300, the grids 200 less than
    // their frames; the height below the search frame less 650 goes 55 to 45 with 100
    // between; the grids 700 and 600 lower than their frames.
    const double free = size.height() - criteria.height() - 650 / 15.0;
    auto near = [](int actual, double expected) { return qAbs(actual - expected) <= 1.0; };
    QVERIFY(near(shipments.width(), size.width() - 20));
    QCOMPARE(items.width(), shipments.width());
    QVERIFY(near(nav.items()->width(), shipments.width() - 200 / 15.0));
    QVERIFY(near(shipments.height(), free * 0.55));
    QVERIFY(near(items.height(), free * 0.45));
    QVERIFY(near(items.top(), shipments.bottom() + 1 + 100 / 15.0));
    QVERIFY(near(nav.shipments()->height(), shipments.height() - 700 / 15.0));
    QVERIFY(near(nav.items()->height(), items.height() - 600 / 15.0));
    QCOMPARE(criteria.size(), QSize(640, 100));  // the search frame keeps its size
}

QTEST_MAIN(tst_ShipmentNavigator)
#include "tst_shipmentnavigator.moc"
