// The order save without a window: the header row and the lines it stores, and that a
// failure part-way leaves the file exactly as it was.

#include "core/AppError.h"
#include "data/Database.h"
#include "orders/OrderSave.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QtTest>

namespace {

OrderHeader header(const QString &id = QString()) {
    OrderHeader h;
    h.id = id;
    h.customer = "O'Brien Furniture";
    h.orderNumber = "PO-77";
    h.orderDate = QDate(2026, 12, 1);
    h.dueDate = QDate(2026, 12, 15);
    h.shipTo = "O'Brien Dock";
    h.shipToAddress1 = "11 Mill Rd";
    h.shipToAddress2 = "";
    h.shipToCity = "Hickory";
    h.shipToState = "NC";
    h.shipToZip = "28602";
    h.shipToPhone = "828-555-0103";
    h.shipToFax = "828-555-0104";
    h.total = "112.5";
    return h;
}

OrderLine line(const QString &item, const QString &qty, const QString &price, const QString &styleId = "7") {
    return {item, "L" + item, qty, "Sofa-Seat", price, QString::number(qty.toDouble() * price.toDouble()), styleId};
}

// "item:qty:priceEach:priceExt:styleId:line" for every stored line of an order, by item number.
QStringList storedLines(const TestDatabase &db, qint64 id) {
    QStringList out;
    const RowSet rows = db.query(QString("SELECT * FROM OrderItems WHERE OrderID = %1 ORDER BY ItemNumber").arg(id));
    for (int r = 0; r < rows.rows.size(); ++r) {
        QStringList cells;
        for (const char *c : {"ItemNumber", "Qty", "PriceEach", "PriceExt", "StyleID", "Line"})
            cells << rows.value(r, c).toString();
        out << cells.join(':');
    }
    return out;
}

// A stored order of three lines, the second shipped in two shipments.
qint64 storedOrder(const TestDatabase &db) {
    db.exec("INSERT INTO Orders (ID, OrderNumber, Customer, Status, Total, DateAdded) "
            "VALUES (40000, 'PO-9', 'Acme Foam', 'Closed', 60, #1/2/2026#)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES "
            "(40000, 1, 'A', 2, 5, 10, 20)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES "
            "(40000, 2, 'B', 4, 5, 10, 40)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES "
            "(40000, 3, 'C', 1, 6, 0, 0)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 40000, 2, 1)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (2, 40000, 2, 3)");
    return 40000;
}

}  // namespace

class tst_OrderSave : public QObject {
    Q_OBJECT
private slots:
    void newOrderStoresHeaderAndLines();
    void existingOrderKeepsItsNumber_data();
    void existingOrderKeepsItsNumber();
    void failurePartWayWritesNothing_data();
    void failurePartWayWritesNothing();
    void shippedLineCannotBeDropped();
    void orderNumberExists_data();
    void orderNumberExists();
    void lineHasShipments();
};

void tst_OrderSave::newOrderStoresHeaderAndLines() {
    TestDatabase db;
    ScopedFakes fakes;
    OrderHeader h = header();
    h.status = "Void";  // a new order is stored Open whatever the label shows
    const qint64 id =
        SaveOrder(h, {line("1", "10", "2.5"), line("3", "4", "12.50"), line("4", "1", "$1,000.00", "9")});
    QVERIFY(id > 0);
    const RowSet o = db.query(QString("SELECT * FROM Orders WHERE ID = %1").arg(id));
    QCOMPARE(o.rows.size(), 1);
    QCOMPARE(o.value(0, "Status").toString(), QString("Open"));
    QCOMPARE(o.value(0, "OrderNumber").toString(), QString("PO-77"));
    QCOMPARE(o.value(0, "Customer").toString(), QString("O'Brien Furniture"));
    QCOMPARE(o.value(0, "OrderDate").toDate(), QDate(2026, 12, 1));
    QCOMPARE(o.value(0, "DueDate").toDate(), QDate(2026, 12, 15));
    QCOMPARE(o.value(0, "DateAdded").toDate(), fakes.clock.today());
    QCOMPARE(o.value(0, "ShipTo").toString(), QString("O'Brien Dock"));
    QCOMPARE(o.value(0, "ShipToCity").toString(), QString("Hickory"));
    QCOMPARE(o.value(0, "ShipToFax").toString(), QString("828-555-0104"));
    QCOMPARE(o.value(0, "Total").toDouble(), 112.5);
    QCOMPARE(storedLines(db, id), QStringList({"1:10:2.5:25:7:L1", "3:4:12.5:50:7:L3", "4:1:1000:0:9:L4"}));
}

void tst_OrderSave::existingOrderKeepsItsNumber_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("stored");
    QTest::newRow("empty label stores Open") << "" << "Open";
    QTest::newRow("voided") << "Void" << "Void";
    QTest::newRow("closed by the clerk") << "Closed" << "Closed";
}

void tst_OrderSave::existingOrderKeepsItsNumber() {
    QFETCH(QString, label);
    QFETCH(QString, stored);
    TestDatabase db;
    ScopedFakes fakes;
    const qint64 id = storedOrder(db);
    OrderHeader h = header(QString::number(id));
    h.status = label;
    h.orderNumber = "CHANGED";  // the number box is disabled for an existing order
    QCOMPARE(SaveOrder(h, {line("1", "3", "10", "5"), line("2", "4", "10", "5"), line("5", "2", "1", "6")}), id);
    QCOMPARE(db.count("Orders"), 1);
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 40000").toString(), stored);
    QCOMPARE(db.scalar("SELECT OrderNumber FROM Orders WHERE ID = 40000").toString(), QString("PO-9"));
    QCOMPARE(db.scalar("SELECT DateAdded FROM Orders WHERE ID = 40000").toDate(), fakes.clock.today());
    QCOMPARE(storedLines(db, id), QStringList({"1:3:10:30:5:L1", "2:4:10:40:5:L2", "5:2:1:2:6:L5"}));
}

void tst_OrderSave::failurePartWayWritesNothing_data() {
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("badLine");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shown");
    QTest::newRow("new order, quantity in words") << false << 2 << "ten" << "2" << "Qty \"ten\"";
    QTest::newRow("new order, price with a letter") << false << 3 << "1" << "2.5O" << "Price Each \"2.5O\"";
    QTest::newRow("changed order, last line") << true << 3 << "1" << "abc" << "Price Each \"abc\"";
    QTest::newRow("changed order, first line") << true << 1 << "1 1/2" << "4" << "Qty \"1 1/2\"";
}

void tst_OrderSave::failurePartWayWritesNothing() {
    QFETCH(bool, existing);
    QFETCH(int, badLine);
    QFETCH(QString, qty);
    QFETCH(QString, price);
    QFETCH(QString, shown);
    TestDatabase db;
    ScopedFakes fakes;
    storedOrder(db);
    const QStringList linesBefore = storedLines(db, 40000);
    const RowSet ordersBefore = db.query("SELECT * FROM Orders");

    QVector<OrderLine> lines = {line("1", "1", "1", "5"), line("2", "4", "10", "5"), line("3", "1", "1", "6")};
    lines[badLine - 1].qty = qty;
    lines[badLine - 1].priceEach = price;
    OrderHeader h = header(existing ? "40000" : QString());
    h.status = "Void";
    try {
        SaveOrder(h, lines);
        QFAIL("the save went through");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(ErrorNumber::ConversionError));
        QVERIFY2(e.description().startsWith(QString("Line Item %1: ").arg(badLine)), qPrintable(e.description()));
        QVERIFY2(e.description().contains(shown), qPrintable(e.description()));
    }
    QCOMPARE(db.query("SELECT * FROM Orders").rows, ordersBefore.rows);
    QCOMPARE(storedLines(db, 40000), linesBefore);
    QCOMPARE(db.count("OrderItems"), 3);
}

void tst_OrderSave::shippedLineCannotBeDropped() {
    TestDatabase db;
    ScopedFakes fakes;
    storedOrder(db);
    const QStringList before = storedLines(db, 40000);
    try {
        SaveOrder(header("40000"), {line("1", "2", "10", "5"), line("3", "1", "0", "6")});
        QFAIL("a shipped line was dropped");
    } catch (const AppError &e) {
        QCOMPARE(e.description(), QString("Line Item 2: Shipments exists for this Line Item. It cannot be deleted."));
    }
    QCOMPARE(storedLines(db, 40000), before);
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 40000").toString(), QString("Closed"));

    // Keeping the shipped line and dropping another one is a normal save.
    SaveOrder(header("40000"), {line("2", "4", "10", "5")});
    QCOMPARE(storedLines(db, 40000), QStringList({"2:4:10:40:5:L2"}));
}

void tst_OrderSave::orderNumberExists_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("exists");
    QTest::newRow("same customer and number") << "PO-9" << "Acme Foam" << true;
    QTest::newRow("letter case ignored") << "po-9" << "ACME FOAM" << true;
    QTest::newRow("another customer's number") << "PO-9" << "Bare Co" << false;
    QTest::newRow("part of the number") << "PO" << "Acme Foam" << false;
    QTest::newRow("number with a quote") << "O'1" << "Acme Foam" << true;
    QTest::newRow("customer with a quote") << "7" << "O'Brien Furniture" << true;
}

void tst_OrderSave::orderNumberExists() {
    QFETCH(QString, number);
    QFETCH(QString, customer);
    QFETCH(bool, exists);
    TestDatabase db;
    storedOrder(db);
    db.exec("INSERT INTO Orders (OrderNumber, Customer) VALUES ('O''1', 'Acme Foam')");
    db.exec("INSERT INTO Orders (OrderNumber, Customer) VALUES ('7', 'O''Brien Furniture')");
    QCOMPARE(OrderNumberExists(number, customer), exists);
}

void tst_OrderSave::lineHasShipments() {
    TestDatabase db;
    storedOrder(db);
    QVERIFY(LineHasShipments("40000", "2"));
    QVERIFY(!LineHasShipments("40000", "1"));
    QVERIFY(!LineHasShipments("40000", "3"));
    QVERIFY(!LineHasShipments("", "2"));  // a new order
}

QTEST_GUILESS_MAIN(tst_OrderSave)
#include "tst_ordersave.moc"
