// Shipment Entry driven as a clerk would: a customer and an order picked, quantities
// typed into the grid, "Ship All", "Save and Close"; a stored shipment opened again.
// What is checked is the grid as shown and the rows stored.

#include "shipping/frmShipmentEntry.h"
#include "tests/support/GridKeys.h"
#include "tests/support/ShippingPlant.h"
#include "tests/support/Fakes.h"
#include "tests/support/OpenWindow.h"

#include <QApplication>
#include <QDateEdit>
#include <QtTest>

using namespace GridKeys;
using namespace ShippingPlant;
using namespace UiTest;

namespace {

const QString kObrien = QStringLiteral("O'Brien Furniture");
const QString kOrder = QStringLiteral("OB-1 - 12/1/2026");

struct Window : OpenWindow<frmShipmentEntry> {
    Grid *grid() const { return child<Grid>(w, "vsfgItems"); }
    QDateEdit *date() const { return child<QDateEdit>(w, "dtDate"); }
    void choose(const QString &customer, const QString &order = QString()) const {
        pick(combo("cmbCustomer"), customer);
        if (!order.isEmpty()) pick(combo("cmbOrder"), order);
    }
    QStringList items(const char *name) const {
        QStringList texts;
        for (int i = 0; i < combo(name)->count(); ++i) texts << combo(name)->itemText(i);
        return texts;
    }
};

// O'Brien's open order OB-1 of 12/1/2026 with lines 1, 2 and 4 (line 3 was deleted):
// 8, 8 and 5 ordered; 3 of line 2 shipped before.
struct Plant {
    TestDatabase db;
    qint64 order = 0;
    Plant() {
        addCustomer(db, kObrien);
        db.exec("INSERT INTO Customer (Customer, Status) VALUES ('Acme Foam', 'InActive')");
        addCustomer(db, "Vedu");
        order = addOrder(db, kObrien, "OB-1", {{1, 8, 12.5}, {2, 8, 10}, {4, 5, 1234.5}});
        addShipment(db, order, QDate(2026, 12, 2), {{2, 3}});
    }
};

}  // namespace

class tst_ShipmentEntry : public QObject {
    Q_OBJECT
private slots:
    void newShipmentFromPickToSave();
    void tabOrder();
    void typedQuantityIsChecked_data();
    void typedQuantityIsChecked();
    void shipAllTakesWhatRemains();
    void nothingToShipIsRefused_data();
    void nothingToShipIsRefused();
    void changingCustomerOrOrderStartsAfresh();
    void openedShipmentEditedAndSavedAgain();
};

void tst_ShipmentEntry::newShipmentFromPickToSave() {
    Plant plant;
    const qint64 earlier = addOrder(plant.db, kObrien, "OB-0", {{1, 2}}, "Open", QDate(2026, 11, 30));
    addOrder(plant.db, kObrien, "OB-7", {{1, 2}}, "Closed");
    addOrder(plant.db, kObrien, "OB-8", {{1, 2}}, "Void");
    // The grid computes the extension; a stored one that disagrees is not shown.
    plant.db.exec(QString("UPDATE OrderItems SET PriceExt = 1 WHERE OrderID = %1").arg(plant.order));
    ScopedFakes fakes;
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Shipment Entry"));
    QCOMPARE(win.items("cmbCustomer"), (QStringList{"Acme Foam", kObrien, "Vedu"}));  // any status
    QCOMPARE(win.date()->date(), QDate(2026, 12, 9));
    QCOMPARE(win.grid()->rows(), 0);
    QCOMPARE(win.w->minimumSize(), win.w->maximumSize());  // fixed border

    win.choose(kObrien);  // its open orders only, each carrying its ID
    QCOMPARE(win.items("cmbOrder"), (QStringList{"OB-0 - 11/30/2026", kOrder}));
    QCOMPARE(win.combo("cmbOrder")->itemData(0).toLongLong(), earlier);
    QCOMPARE(win.combo("cmbOrder")->currentText(), QString());

    win.choose(kObrien, kOrder);
    QCOMPARE(win.line("txtShipTo")->text(), QString("Dock OB-1"));
    QCOMPARE(win.line("txtCity")->text(), QString("Hickory"));
    QCOMPARE(win.line("txtAddress2")->text(), QString());
    Grid *grid = win.grid();
    QCOMPARE(rowTexts(grid, 0), (QStringList{"Item Number", "Qty Ordered", "Prev. Shipped", "This Shipment", "Style",
                                             "Price Each", "Price Ext."}));
    QCOMPARE(rowShown(grid, 1), (QStringList{"1", "8", "", "", "Arm-Chair", "$12.5", "$100."}));
    QCOMPARE(rowShown(grid, 2), (QStringList{"2", "8", "3", "", "Arm-Chair", "$10.", "$80."}));
    QCOMPARE(rowShown(grid, 3), (QStringList{"4", "5", "", "", "Arm-Chair", "$1,234.5", "$6,172.5"}));

    win.date()->setDate(QDate(2026, 12, 7));
    typeInCell(grid, 1, 3, "8");
    typeInCell(grid, 3, 3, "2", false);  // still being typed when Save is clicked
    win.press("btnSave");
    QVERIFY(win.closed());
    QVERIFY(fakes.messages.shown.isEmpty());
    const qint64 id = plant.db.scalar("SELECT MAX(ID) FROM Shipments").toLongLong();
    QCOMPARE(plant.db.scalar(QString("SELECT OrderID FROM Shipments WHERE ID = %1").arg(id)).toLongLong(), plant.order);
    QCOMPARE(plant.db.scalar(QString("SELECT [Date] FROM Shipments WHERE ID = %1").arg(id)).toDate(), QDate(2026, 12, 7));
    QCOMPARE(lines(plant.db, id), QString("1:8 4:2"));
    QCOMPARE(status(plant.db, plant.order), QString("Open"));
}

void tst_ShipmentEntry::tabOrder() {
    Plant plant;
    ScopedFakes fakes;
    Window win;
    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    win.combo("cmbCustomer")->setFocus();
    auto focused = [] {  // the named control holding the focus (a box's inner editor counts as it)
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

void tst_ShipmentEntry::typedQuantityIsChecked_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");
    // Row 1: 8 ordered, none shipped; row 2: 8 ordered, 3 shipped.
    QTest::newRow("10 where 8 remain") << 1 << 3 << "10" << "0";
    QTest::newRow("8 where 8 remain") << 1 << 3 << "8" << "8";
    QTest::newRow("letters") << 1 << 3 << "abc" << "0";
    QTest::newRow("negative kept") << 1 << 3 << "-2" << "-2";
    QTest::newRow("6 where 5 remain") << 2 << 3 << "6" << "0";
    QTest::newRow("5 where 5 remain") << 2 << 3 << "5" << "5";
    QTest::newRow("ordered is not typed into") << 1 << 1 << "7" << "8";
}

void tst_ShipmentEntry::typedQuantityIsChecked() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    Plant plant;
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, kOrder);
    typeInCell(win.grid(), row, col, typed);
    QCOMPARE(win.grid()->textMatrix(row, col), cell);
    QVERIFY(fakes.messages.shown.isEmpty());  // corrected silently
}

void tst_ShipmentEntry::shipAllTakesWhatRemains() {
    Plant plant;
    addShipment(plant.db, plant.order, QDate(2026, 12, 3), {{4, 6}});  // line 4 shipped over
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, kOrder);
    win.press("btnShipAll");
    QCOMPARE((QStringList{win.grid()->textMatrix(1, 3), win.grid()->textMatrix(2, 3), win.grid()->textMatrix(3, 3)}),
             (QStringList{"8", "5", "0"}));
    win.press("btnSave");
    QVERIFY(win.closed());
    QCOMPARE(lines(plant.db, plant.db.scalar("SELECT MAX(ID) FROM Shipments").toLongLong()), QString("1:8 2:5"));
    QCOMPARE(status(plant.db, plant.order), QString("Closed"));
}

void tst_ShipmentEntry::nothingToShipIsRefused_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("typed");  // row 1; "all" ships all on lines shipped in full
    QTest::newRow("nothing chosen") << "" << "";
    QTest::newRow("zero typed") << kObrien << "0";
    QTest::newRow("ship all on lines shipped in full") << kObrien << "all";
}

void tst_ShipmentEntry::nothingToShipIsRefused() {
    QFETCH(QString, customer);
    QFETCH(QString, typed);
    Plant plant;
    addShipment(plant.db, plant.order, QDate(2026, 12, 3), {{1, 8}, {2, 5}, {4, 5}});
    ScopedFakes fakes;
    Window win;
    if (!customer.isEmpty()) win.choose(customer, kOrder);
    if (typed == "all") win.press("btnShipAll");
    else if (!typed.isEmpty()) typeInCell(win.grid(), 1, 3, typed);
    win.press("btnSave");
    QCOMPARE(fakes.messages.texts(), QStringList{"No Items to save."});
    QCOMPARE(fakes.messages.shown[0].title, QString("Unable to Save"));
    QVERIFY(!win.closed());
    QCOMPARE(plant.db.count("Shipments"), 2);
}

void tst_ShipmentEntry::changingCustomerOrOrderStartsAfresh() {
    Plant plant;
    addOrder(plant.db, kObrien, "OB-2", {{1, 3}});
    addOrder(plant.db, "Vedu", "V-1", {{1, 3}});
    ScopedFakes fakes;
    Window win;
    win.choose(kObrien, kOrder);
    typeInCell(win.grid(), 1, 3, "8");
    pick(win.combo("cmbOrder"), "OB-2 - 12/1/2026");  // its own lines, nothing typed
    QCOMPARE(rowTexts(win.grid(), 1).mid(0, 4), (QStringList{"1", "3", "", ""}));

    // Another customer: nothing of the order shown before can be saved against the
    // orders of the new one.
    typeInCell(win.grid(), 1, 3, "3");
    pick(win.combo("cmbCustomer"), "Vedu");
    QCOMPARE(win.grid()->rows(), 0);
    QCOMPARE(win.line("txtShipTo")->text(), QString());
    win.press("btnSave");
    QCOMPARE(fakes.messages.texts(), QStringList{"No Items to save."});
    QCOMPARE(plant.db.count("ShipmentItems"), 1);
}

void tst_ShipmentEntry::openedShipmentEditedAndSavedAgain() {
    // Stored: 1 of line 2, 3 of line 4, and 4 of a line 3 deleted from the order since.
    Plant plant;
    const qint64 id = addShipment(plant.db, plant.order, QDate(2026, 12, 5), {{4, 3}, {2, 1}, {3, 4}});
    ScopedFakes fakes;
    Window win;
    win.choose("Vedu");
    win.w->OpenShipment(QString::number(id));
    QCOMPARE(win.line("txtID")->text(), QString::number(id));
    QCOMPARE(win.combo("cmbCustomer")->currentText(), kObrien);
    QCOMPARE(win.combo("cmbOrder")->currentText(), kOrder);
    QCOMPARE(win.combo("cmbOrder")->currentIndex(), -1);  // shown, though listed, not picked
    QCOMPARE(win.date()->date(), QDate(2026, 12, 5));
    Grid *grid = win.grid();
    // Found by item number; "Prev. Shipped" is what the other shipments shipped.
    QCOMPARE(rowTexts(grid, 1).mid(0, 4), (QStringList{"1", "8", "", ""}));
    QCOMPARE(rowTexts(grid, 2).mid(0, 4), (QStringList{"2", "8", "3", "1"}));
    QCOMPARE(rowTexts(grid, 3).mid(0, 4), (QStringList{"4", "5", "0", "3"}));
    QVERIFY(!win.combo("cmbCustomer")->isEnabled());  // it stays with its customer and order
    QVERIFY(!win.combo("cmbOrder")->isEnabled());

    // Its own quantity does not count against it: all 5 of line 4 may go in it.
    typeInCell(grid, 3, 3, "5");
    QCOMPARE(grid->textMatrix(3, 3), QString("5"));
    win.press("btnSave");
    QVERIFY(win.closed());
    QCOMPARE(lines(plant.db, id), QString("2:1 4:5"));
    QCOMPARE(plant.db.count("Shipments"), 2);

    // Opened again and line 4 set to 0: its row goes, and the closed order opens.
    plant.db.exec(QString("UPDATE Orders SET Status = 'Closed' WHERE ID = %1").arg(plant.order));
    Window again;
    again.w->OpenShipment(QString::number(id));
    typeInCell(again.grid(), 3, 3, "0");
    again.press("btnSave");
    QVERIFY(again.closed());
    QCOMPARE(lines(plant.db, id), QString("2:1"));
    QCOMPARE(status(plant.db, plant.order), QString("Open"));
}

QTEST_MAIN(tst_ShipmentEntry)
#include "tst_shipmententry.moc"
