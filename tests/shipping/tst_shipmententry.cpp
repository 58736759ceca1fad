// Shipment Entry driven as a clerk would: a customer and an order picked, quantities
// typed into the grid, "Ship All", "Save and Close"; a stored shipment opened again.
// What is checked is the grid as shown and the rows stored.

#include "shipping/frmShipmentEntry.h"
#include "tests/shipping/GridKeys.h"
#include "tests/shipping/ShippingPlant.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QDateEdit>
#include <QtTest>

using namespace GridKeys;
using namespace ShippingPlant;
using namespace UiTest;

namespace {

const QString kObrien = QStringLiteral("O'Brien Furniture");

struct Window : OpenWindow<frmShipmentEntry> {
    Grid *grid() const { return child<Grid>(w, "vsfgItems"); }
    QDateEdit *date() const { return child<QDateEdit>(w, "dtDate"); }
    void choose(const QString &customer, const QString &order) const {
        pick(combo("cmbCustomer"), customer);
        if (!order.isEmpty()) pick(combo("cmbOrder"), order);
    }
    QStringList orders() const {
        QStringList texts;
        for (int i = 0; i < combo("cmbOrder")->count(); ++i) texts << combo("cmbOrder")->itemText(i);
        return texts;
    }
};

// O'Brien's open order OB-1 of 12/1/2026 with lines 1, 2 and 4 (line 3 was deleted):
// 8, 8 and 5 ordered; 3 of line 2 shipped before.
struct Plant {
    TestDatabase db;
    qint64 order = 0;
    qint64 earlier = 0;
    Plant() {
        addCustomer(db, kObrien);
        db.exec("INSERT INTO Customer (Customer, Status) VALUES ('Acme Foam', 'InActive')");
        addCustomer(db, "Vedu");
        order = addOrder(db, kObrien, "OB-1", {{1, 8, 12.5}, {2, 8, 10}, {4, 5, 1234.5}});
        earlier = addShipment(db, order, QDate(2026, 12, 2), {{2, 3}});
    }
};

void checkRefused(const ScopedFakes &fakes) {
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].kind, QString("tell"));
    QCOMPARE(fakes.messages.shown[0].text, QString("No Items to save."));
    QCOMPARE(fakes.messages.shown[0].title, QString("Unable to Save"));
}

}  // namespace

class tst_ShipmentEntry : public QObject {
    Q_OBJECT
private slots:
    void opensEmptyWithEveryCustomer();
    void tabOrder();
    void customerListsItsOpenOrders();
    void orderShowsAddressAndLines();
    void typedQuantityIsChecked_data();
    void typedQuantityIsChecked();
    void onlyThisShipmentIsTyped();
    void shipAllTakesWhatRemains();
    void nothingToShipIsRefused_data();
    void nothingToShipIsRefused();
    void saveStoresTheShipmentAndCloses();
    void changingCustomerOrOrderStartsAfresh();
    void openedShipmentFindsLinesByItemNumber();
    void resavingWithALineAtZeroReopensTheOrder();
    void lineOfADeletedOrderLineIsDropped();
};

void tst_ShipmentEntry::opensEmptyWithEveryCustomer() {
    Plant plant;
    ScopedFakes fakes;
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Shipment Entry"));
    QComboBox *customers = win.combo("cmbCustomer");
    QStringList listed;
    for (int i = 0; i < customers->count(); ++i) listed << customers->itemText(i);
    QCOMPARE(listed, (QStringList{"Acme Foam", kObrien, "Vedu"}));  // InActive ones too
    QCOMPARE(customers->currentIndex(), -1);
    QCOMPARE(win.date()->date(), QDate(2026, 12, 9));
    QCOMPARE(win.grid()->rows(), 0);
    QCOMPARE(win.line("txtID")->text(), QString());
    QCOMPARE(win.w->minimumSize(), win.w->maximumSize());  // fixed border
}

void tst_ShipmentEntry::tabOrder() {
    Plant plant;
    ScopedFakes fakes;
    Window win;
    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    win.combo("cmbCustomer")->setFocus();
    // The control that has the focus, named (a date box's inner line edit counts as it).
    auto focused = [] {
        QWidget *at = QApplication::focusWidget();
        while (at && (at->objectName().isEmpty() || at->objectName().startsWith("qt_"))) at = at->parentWidget();
        return at ? at->objectName() : QString();
    };
    QStringList visited{focused()};
    for (int i = 0; i < 13; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focused();
    }
    QCOMPARE(visited, (QStringList{"cmbCustomer", "cmbOrder", "dtDate", "txtShipTo", "txtAddress1", "txtAddress2",
                                   "txtCity", "txtState", "txtZip", "txtID", "vsfgItems", "btnShipAll", "btnSave",
                                   "btnExit"}));
}

void tst_ShipmentEntry::customerListsItsOpenOrders() {
    Plant plant;
    const qint64 second = addOrder(plant.db, kObrien, "OB-0", {{1, 2}}, "Open", QDate(2026, 11, 30));
    addOrder(plant.db, kObrien, "OB-7", {{1, 2}}, "Closed");
    addOrder(plant.db, kObrien, "OB-8", {{1, 2}}, "Void");
    addOrder(plant.db, "Vedu", "V-1", {{1, 2}});
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, QString());
    QCOMPARE(win.orders(), (QStringList{"OB-0 - 11/30/2026", "OB-1 - 12/1/2026"}));
    QCOMPARE(win.combo("cmbOrder")->itemData(0).toLongLong(), second);
    QCOMPARE(win.combo("cmbOrder")->itemData(1).toLongLong(), plant.order);
    QCOMPARE(win.combo("cmbOrder")->currentIndex(), -1);
    QCOMPARE(win.combo("cmbOrder")->currentText(), QString());
    QCOMPARE(win.grid()->rows(), 0);

    win.choose("Acme Foam", QString());  // no open orders
    QCOMPARE(win.orders(), QStringList());
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_ShipmentEntry::orderShowsAddressAndLines() {
    Plant plant;
    addShipment(plant.db, plant.order, QDate(2026, 12, 3), {{2, 1}, {4, 2}});
    // The grid computes the extension; a stored one that disagrees is not shown.
    plant.db.exec(QString("UPDATE OrderItems SET PriceExt = 1 WHERE OrderID = %1").arg(plant.order));
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, "OB-1 - 12/1/2026");
    QCOMPARE(win.line("txtShipTo")->text(), QString("Dock OB-1"));
    QCOMPARE(win.line("txtAddress1")->text(), QString("1 Mill Rd"));
    QCOMPARE(win.line("txtAddress2")->text(), QString());
    QCOMPARE(win.line("txtCity")->text(), QString("Hickory"));
    QCOMPARE(win.line("txtState")->text(), QString("NC"));
    QCOMPARE(win.line("txtZip")->text(), QString("28601"));

    Grid *grid = win.grid();
    QCOMPARE(grid->rows(), 4);
    QCOMPARE(rowTexts(grid, 0), (QStringList{"Item Number", "Qty Ordered", "Prev. Shipped", "This Shipment", "Style",
                                             "Price Each", "Price Ext."}));
    QCOMPARE(rowShown(grid, 1), (QStringList{"1", "8", "", "", "Arm-Chair", "$12.5", "$100."}));
    QCOMPARE(rowShown(grid, 2), (QStringList{"2", "8", "4", "", "Arm-Chair", "$10.", "$80."}));
    QCOMPARE(rowShown(grid, 3), (QStringList{"4", "5", "2", "", "Arm-Chair", "$1,234.5", "$6,172.5"}));
}

void tst_ShipmentEntry::typedQuantityIsChecked_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    // Row 1: 8 ordered, none shipped; row 2: 8 ordered, 3 shipped.
    QTest::newRow("10 where 8 remain") << 1 << "10" << "0";
    QTest::newRow("8 where 8 remain") << 1 << "8" << "8";
    QTest::newRow("letters") << 1 << "abc" << "0";
    QTest::newRow("zero") << 1 << "0" << "0";
    QTest::newRow("negative kept") << 1 << "-2" << "-2";
    QTest::newRow("6 where 5 remain") << 2 << "6" << "0";
    QTest::newRow("5 where 5 remain") << 2 << "5" << "5";
}

void tst_ShipmentEntry::typedQuantityIsChecked() {
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    Plant plant;
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, "OB-1 - 12/1/2026");
    typeInCell(win.grid(), row, 3, typed);
    QCOMPARE(win.grid()->textMatrix(row, 3), cell);
    QVERIFY(fakes.messages.shown.isEmpty());  // corrected silently
}

void tst_ShipmentEntry::onlyThisShipmentIsTyped() {
    Plant plant;
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, "OB-1 - 12/1/2026");
    for (int col : {0, 1, 2, 4, 5, 6}) typeInCell(win.grid(), 1, col, "7");
    QCOMPARE(rowTexts(win.grid(), 1), (QStringList{"1", "8", "", "", "Arm-Chair", "12.5", "100"}));
}

void tst_ShipmentEntry::shipAllTakesWhatRemains() {
    Plant plant;
    addShipment(plant.db, plant.order, QDate(2026, 12, 3), {{4, 5}});  // line 4 shipped in full
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, "OB-1 - 12/1/2026");
    win.press("btnShipAll");
    QCOMPARE(win.grid()->textMatrix(1, 3), QString("8"));
    QCOMPARE(win.grid()->textMatrix(2, 3), QString("5"));
    QCOMPARE(win.grid()->textMatrix(3, 3), QString("0"));
    win.press("btnSave");
    QVERIFY(win.closed());
    QCOMPARE(status(plant.db, plant.order), QString("Closed"));
    const qint64 id = plant.db.scalar("SELECT MAX(ID) FROM Shipments").toLongLong();
    QCOMPARE(lines(plant.db, id), QString("1:8 2:5"));
}

void tst_ShipmentEntry::nothingToShipIsRefused_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("chooseOrder");
    QTest::addColumn<bool>("shippedInFull");
    QTest::addColumn<QString>("typed");  // row 1
    QTest::newRow("nothing chosen") << "" << false << false << "";
    QTest::newRow("customer without order") << kObrien << false << false << "";
    QTest::newRow("nothing typed") << kObrien << true << false << "";
    QTest::newRow("zero typed") << kObrien << true << false << "0";
    QTest::newRow("ship all on lines shipped in full") << kObrien << true << true << "";
}

void tst_ShipmentEntry::nothingToShipIsRefused() {
    QFETCH(QString, customer);
    QFETCH(bool, chooseOrder);
    QFETCH(bool, shippedInFull);
    QFETCH(QString, typed);
    Plant plant;
    if (shippedInFull) addShipment(plant.db, plant.order, QDate(2026, 12, 3), {{1, 8}, {2, 5}, {4, 5}});
    ScopedFakes fakes;
    Window win;
    if (!customer.isEmpty()) win.choose(customer, chooseOrder ? "OB-1 - 12/1/2026" : QString());
    if (!typed.isEmpty()) typeInCell(win.grid(), 1, 3, typed);
    if (shippedInFull) {
        win.press("btnShipAll");
        QCOMPARE(win.grid()->textMatrix(1, 3), QString("0"));
    }
    const int shipments = plant.db.count("Shipments");
    win.press("btnSave");
    checkRefused(fakes);
    QVERIFY(!win.closed());
    QCOMPARE(plant.db.count("Shipments"), shipments);
    QCOMPARE(status(plant.db, plant.order), QString("Open"));
}

void tst_ShipmentEntry::saveStoresTheShipmentAndCloses() {
    Plant plant;
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, "OB-1 - 12/1/2026");
    win.date()->setDate(QDate(2026, 12, 7));
    typeInCell(win.grid(), 1, 3, "8");
    typeInCell(win.grid(), 3, 3, "2");
    win.press("btnSave");
    QVERIFY(win.closed());
    QVERIFY(fakes.messages.shown.isEmpty());
    const auto rows = plant.db.query("SELECT ID, OrderID, [Date] FROM Shipments ORDER BY ID");
    QCOMPARE(rows.rows.size(), 2);
    QCOMPARE(rows.rows[1][1].toLongLong(), plant.order);
    QCOMPARE(rows.rows[1][2].toDate(), QDate(2026, 12, 7));
    QCOMPARE(lines(plant.db, rows.rows[1][0].toLongLong()), QString("1:8 4:2"));
    QCOMPARE(status(plant.db, plant.order), QString("Open"));  // line 2 and part of 4 to go
}

void tst_ShipmentEntry::changingCustomerOrOrderStartsAfresh() {
    Plant plant;
    addOrder(plant.db, kObrien, "OB-2", {{1, 3}});
    addOrder(plant.db, "Vedu", "V-1", {{1, 3}});
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, "OB-1 - 12/1/2026");
    typeInCell(win.grid(), 1, 3, "8");

    // Another order of the customer: its own lines, nothing typed.
    pick(win.combo("cmbOrder"), "OB-2 - 12/1/2026");
    QCOMPARE(win.grid()->rows(), 2);
    QCOMPARE(rowTexts(win.grid(), 1).mid(0, 4), (QStringList{"1", "3", "", ""}));

    // Another customer: the order shown before is gone, so nothing of it can be saved
    // against an order of the new customer.
    typeInCell(win.grid(), 1, 3, "3");
    pick(win.combo("cmbCustomer"), "Vedu");
    QCOMPARE(win.grid()->rows(), 0);
    QCOMPARE(win.line("txtShipTo")->text(), QString());
    QCOMPARE(win.orders(), QStringList{"V-1 - 12/1/2026"});
    win.press("btnSave");
    checkRefused(fakes);
    QCOMPARE(plant.db.count("ShipmentItems"), 1);
}

void tst_ShipmentEntry::openedShipmentFindsLinesByItemNumber() {
    Plant plant;
    const qint64 id = addShipment(plant.db, plant.order, QDate(2026, 12, 5), {{4, 3}, {2, 1}});
    plant.db.exec(QString("UPDATE Orders SET Status = 'Closed' WHERE ID = %1").arg(plant.order));
    ScopedFakes fakes;
    Window win;
    win.choose("Vedu", QString());
    win.w->OpenShipment(QString::number(id));

    QCOMPARE(win.line("txtID")->text(), QString::number(id));
    QCOMPARE(win.combo("cmbCustomer")->currentText(), kObrien);
    QCOMPARE(win.combo("cmbOrder")->currentText(), QString("OB-1 - 12/1/2026"));
    QCOMPARE(win.combo("cmbOrder")->currentIndex(), -1);  // a closed order is not listed
    QCOMPARE(win.date()->date(), QDate(2026, 12, 5));
    QCOMPARE(win.line("txtShipTo")->text(), QString("Dock OB-1"));
    Grid *grid = win.grid();
    QCOMPARE(rowTexts(grid, 1).mid(0, 4), (QStringList{"1", "8", "", ""}));
    QCOMPARE(rowTexts(grid, 2).mid(0, 4), (QStringList{"2", "8", "3", "1"}));  // 3 by the other shipment
    QCOMPARE(rowTexts(grid, 3).mid(0, 4), (QStringList{"4", "5", "0", "3"}));

    // Its own quantity is not counted against it: all 5 of line 4 may go in it.
    typeInCell(grid, 3, 3, "5");
    QCOMPARE(grid->textMatrix(3, 3), QString("5"));
    typeInCell(grid, 2, 3, "6");
    QCOMPARE(grid->textMatrix(2, 3), QString("0"));

    // The shipment stays with its customer and order.
    QVERIFY(!win.combo("cmbCustomer")->isEnabled());
    QVERIFY(!win.combo("cmbOrder")->isEnabled());
}

void tst_ShipmentEntry::resavingWithALineAtZeroReopensTheOrder() {
    Plant plant;
    const qint64 id = addShipment(plant.db, plant.order, QDate(2026, 12, 5), {{1, 8}, {2, 5}, {4, 5}});
    plant.db.exec(QString("UPDATE Orders SET Status = 'Closed' WHERE ID = %1").arg(plant.order));
    ScopedFakes fakes;
    Window win;
    win.w->OpenShipment(QString::number(id));
    typeInCell(win.grid(), 3, 3, "0");
    win.date()->setDate(QDate(2026, 12, 6));
    win.press("btnSave");
    QVERIFY(win.closed());
    QCOMPARE(lines(plant.db, id), QString("1:8 2:5"));
    QCOMPARE(plant.db.scalar(QString("SELECT [Date] FROM Shipments WHERE ID = %1").arg(id)).toDate(), QDate(2026, 12, 6));
    QCOMPARE(plant.db.count("Shipments"), 2);
    QCOMPARE(status(plant.db, plant.order), QString("Open"));
}

void tst_ShipmentEntry::lineOfADeletedOrderLineIsDropped() {
    Plant plant;
    const qint64 id = addShipment(plant.db, plant.order, QDate(2026, 12, 5), {{1, 2}, {3, 4}});
    ScopedFakes fakes;
    Window win;
    win.w->OpenShipment(QString::number(id));
    QCOMPARE(win.grid()->rows(), 4);
    QCOMPARE(rowTexts(win.grid(), 1).mid(0, 4), (QStringList{"1", "8", "0", "2"}));
    QCOMPARE(win.combo("cmbOrder")->currentIndex(), -1);  // shown, though listed, not picked
    win.press("btnSave");
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QVERIFY(win.closed());
    QCOMPARE(lines(plant.db, id), QString("1:2"));
}

QTEST_MAIN(tst_ShipmentEntry)
#include "tst_shipmententry.moc"
