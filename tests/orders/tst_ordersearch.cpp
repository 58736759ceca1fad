// The order navigator's queries: the text built clause by clause, and what it finds in a
// real database (sorting, inclusive dates, order-number fragments taken literally, the
// lines with their shipped sums).

#include "data/Database.h"
#include "data/SqlText.h"
#include "orders/OrderSearch.h"
#include "tests/support/Fixtures.h"

#include <QtTest>

namespace {

void addOrder(const TestDatabase &db, int id, const QString &number, const QString &customer, const QString &date,
              const QString &status = "Open") {
    db.exec(QString("INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, Status) VALUES (%1, '%2', '%3', #%4#, '%5')")
                .arg(id)
                .arg(SqlText::Escaped(number), SqlText::Escaped(customer), date, status));
}

QStringList found(const TestDatabase &db, const OrderCriteria &criteria) {
    QStringList numbers;
    const RowSet rows = db.query(OrderSearchSql(criteria));
    for (int r = 0; r < rows.rows.size(); ++r) numbers << rows.value(r, "OrderNumber").toString();
    return numbers;
}

}  // namespace

class tst_OrderSearch : public QObject {
    Q_OBJECT
private slots:
    void queryText_data();
    void queryText();
    void everyOrderSortedByCustomerThenNumber();
    void numberFragment_data();
    void numberFragment();
    void dateRangeIncludesBothEnds();
    void customerAndStatusTogether();
    void linesWithShippedSums();
    void shipToOnOneLine_data();
    void shipToOnOneLine();
};

void tst_OrderSearch::queryText_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("byDate");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("sql");
    const QString order = " ORDER BY Orders.Customer, Orders.OrderNumber";
    const QString dates = " Orders.OrderDate >= #12/1/2026# AND Orders.OrderDate <= #12/31/2026#";
    QTest::newRow("nothing") << "" << "" << false << "" << "SELECT * FROM Orders" + order;
    QTest::newRow("customer") << "Acme Foam" << "" << false << ""
                              << "SELECT * FROM Orders WHERE  Orders.Customer = 'Acme Foam'" + order;
    QTest::newRow("customer and status")
        << "Acme Foam" << "Open" << false << ""
        << "SELECT * FROM Orders WHERE  Orders.Customer = 'Acme Foam' AND  Orders.Status = 'Open'" + order;
    QTest::newRow("status alone") << "" << "Void" << false << ""
                                  << "SELECT * FROM Orders WHERE  Orders.Status = 'Void'" + order;
    QTest::newRow("dates alone") << "" << "" << true << "" << "SELECT * FROM Orders WHERE " + dates + order;
    QTest::newRow("number alone") << "" << "" << false << "12"
                                  << "SELECT * FROM Orders WHERE  Orders.OrderNumber Like '*12*'" + order;
    QTest::newRow("all four")
        << "Acme Foam" << "Closed" << true << "7"
        << "SELECT * FROM Orders WHERE  Orders.Customer = 'Acme Foam' AND  Orders.Status = 'Closed' AND " + dates +
               " AND  Orders.OrderNumber Like '*7*'" + order;
    QTest::newRow("quote in a customer") << "O'Brien" << "" << false << ""
                                         << "SELECT * FROM Orders WHERE  Orders.Customer = 'O''Brien'" + order;
    QTest::newRow("wildcards in a number") << "" << "" << false << "*?#[x]'"
                                           << "SELECT * FROM Orders WHERE  Orders.OrderNumber Like '*[*][?][#][[]x]''*'" + order;
}

void tst_OrderSearch::queryText() {
    QFETCH(QString, customer);
    QFETCH(QString, status);
    QFETCH(bool, byDate);
    QFETCH(QString, number);
    QFETCH(QString, sql);
    OrderCriteria c;
    c.customer = customer;
    c.status = status;
    c.byOrderDate = byDate;
    c.startDate = QDate(2026, 12, 1);
    c.endDate = QDate(2026, 12, 31);
    c.orderNumber = number;
    QCOMPARE(OrderSearchSql(c), sql);
}

void tst_OrderSearch::everyOrderSortedByCustomerThenNumber() {
    TestDatabase db;
    addOrder(db, 1, "B2", "Zeta Beds", "1/5/2026");
    addOrder(db, 2, "A9", "acme foam", "1/5/2026");
    addOrder(db, 3, "A10", "Acme Foam", "1/5/2026");
    addOrder(db, 4, "a1", "Acme Foam", "1/5/2026");
    QCOMPARE(found(db, {}), QStringList({"a1", "A10", "A9", "B2"}));
}

void tst_OrderSearch::numberFragment_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("digits anywhere") << "12" << QStringList({"1123", "A12"});
    QTest::newRow("letter case ignored") << "a1" << QStringList({"A12"});
    QTest::newRow("star") << "*" << QStringList({"7*8"});
    QTest::newRow("question mark") << "?" << QStringList({"Q?1"});
    QTest::newRow("number sign") << "#5" << QStringList({"#5"});
    QTest::newRow("opening bracket") << "[x" << QStringList({"[x]"});
    QTest::newRow("bracketed list") << "[x]" << QStringList({"[x]"});
    QTest::newRow("quote") << "O'" << QStringList({"O'5"});
    QTest::newRow("percent is ordinary") << "%" << QStringList();
}

void tst_OrderSearch::numberFragment() {
    QFETCH(QString, typed);
    QFETCH(QStringList, numbers);
    TestDatabase db;
    int id = 0;
    for (const char *number : {"1123", "A12", "7*8", "778", "Q?1", "QQ1", "#5", "55", "[x]", "x", "O'5"}) {
        addOrder(db, ++id, QString::fromLatin1(number), "Acme Foam", "1/5/2026");
    }
    OrderCriteria c;
    c.orderNumber = typed;
    QCOMPARE(found(db, c), numbers);
}

void tst_OrderSearch::dateRangeIncludesBothEnds() {
    TestDatabase db;
    addOrder(db, 1, "before", "Acme Foam", "11/30/2026");
    addOrder(db, 2, "first day", "Acme Foam", "12/1/2026");
    addOrder(db, 3, "middle", "Acme Foam", "12/9/2026");
    addOrder(db, 4, "last day", "Acme Foam", "12/31/2026");
    addOrder(db, 5, "after", "Acme Foam", "1/1/2027");
    OrderCriteria c;
    c.byOrderDate = true;
    c.startDate = QDate(2026, 12, 1);
    c.endDate = QDate(2026, 12, 31);
    QCOMPARE(found(db, c), QStringList({"first day", "last day", "middle"}));
    c.byOrderDate = false;  // an unticked range asks nothing
    QCOMPARE(found(db, c).size(), 5);
}

void tst_OrderSearch::customerAndStatusTogether() {
    TestDatabase db;
    addOrder(db, 1, "1", "Acme Foam", "1/5/2026", "Open");
    addOrder(db, 2, "2", "Acme Foam", "1/5/2026", "Closed");
    addOrder(db, 3, "3", "Zeta Beds", "1/5/2026", "Open");
    addOrder(db, 4, "4", "O'Brien", "1/5/2026", "Open");
    OrderCriteria c;
    c.customer = "Acme Foam";
    c.status = "Open";
    QCOMPARE(found(db, c), QStringList({"1"}));
    c.customer = "O'Brien";
    QCOMPARE(found(db, c), QStringList({"4"}));
}

void tst_OrderSearch::linesWithShippedSums() {
    TestDatabase db;
    db.exec("INSERT INTO Style (ID, Name, Type) VALUES (5, 'Sofa', 'Seat')");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, StyleID, PriceEach, PriceExt) VALUES (70000, 1, 12, 5, 2.5, 30)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, StyleID, PriceEach, PriceExt) VALUES (70000, 3, 2, 99, 1, 2)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, StyleID, PriceEach, PriceExt) VALUES (70001, 1, 9, 5, 1, 9)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 70000, 1, 4)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (2, 70000, 1, 6)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (2, 70001, 3, 6)");
    const RowSet rows = db.query(OrderLinesSql(70000));
    QCOMPARE(rows.rows.size(), 2);
    QCOMPARE(rows.value(0, "ItemNumber").toInt(), 1);
    QCOMPARE(rows.value(0, "Qty").toDouble(), 12.0);
    QCOMPARE(rows.value(0, "Shipped").toDouble(), 10.0);
    QCOMPARE(rows.value(0, "Name").toString(), QString("Sofa"));
    QCOMPARE(rows.value(0, "PriceExt").toDouble(), 30.0);
    QCOMPARE(rows.value(1, "ItemNumber").toInt(), 3);
    QVERIFY(rows.value(1, "Shipped").isNull());  // never shipped (another order's item 3 was)
    QVERIFY(rows.value(1, "Name").isNull());     // its style is gone
}

void tst_OrderSearch::shipToOnOneLine_data() {
    QTest::addColumn<QString>("address2");
    QTest::addColumn<QString>("line");
    QTest::newRow("two address lines") << "'Gate B'" << "Dock, 11 Mill Rd, Gate B, Hickory, NC 28602";
    QTest::newRow("empty second line") << "''" << "Dock, 11 Mill Rd, Hickory, NC 28602";
    QTest::newRow("null second line") << "Null" << "Dock, 11 Mill Rd, Hickory, NC 28602";
}

void tst_OrderSearch::shipToOnOneLine() {
    QFETCH(QString, address2);
    QFETCH(QString, line);
    TestDatabase db;
    db.exec("INSERT INTO Orders (ID, ShipTo, ShipToAddress1, ShipToAddress2, ShipToCity, ShipToState, ShipToZip) "
            "VALUES (1, 'Dock', '11 Mill Rd', " + address2 + ", 'Hickory', 'NC', '28602')");
    db.exec("INSERT INTO Orders (ID) VALUES (2)");
    auto rs = AppDatabase().openRecordset("SELECT * FROM Orders ORDER BY ID");
    QCOMPARE(ShipToLine(*rs), line);
    rs->moveNext();
    QCOMPARE(ShipToLine(*rs), QString(", , ,  "));  // nothing known: the separators alone
}

QTEST_GUILESS_MAIN(tst_OrderSearch)
#include "tst_ordersearch.moc"
