// The shipment navigator's statements: clauses added criterion by criterion, and what
// they find in a real database (inclusive dates, order-number fragments, names and
// fragments holding quotes or pattern characters).

#include "data/Database.h"
#include "shipping/ShipmentSearch.h"
#include "tests/shipping/ShippingPlant.h"
#include "tests/support/Fixtures.h"

#include <QtTest>

using namespace ShippingPlant;

namespace {
const QString kFrom = QStringLiteral("FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = Orders.ID ");
const QString kOrderBy = QStringLiteral(" ORDER BY Orders.Customer, Orders.OrderNumber");

// The order numbers the search finds, in its order.
QStringList found(const ShipmentCriteria &criteria) {
    auto rs = AppDatabase().openRecordset(ShipmentSearchSql(criteria));
    QStringList numbers;
    for (; !rs->eof(); rs->moveNext()) numbers << rs->text("Orders.OrderNumber");
    rs->close();
    return numbers;
}

ShipmentCriteria byNumber(const QString &fragment) {
    ShipmentCriteria c;
    c.orderNumber = fragment;
    return c;
}
}  // namespace

class tst_ShipmentSearch : public QObject {
    Q_OBJECT
private slots:
    void clausesInOrder_data();
    void clausesInOrder();
    void datesAreInclusive_data();
    void datesAreInclusive();
    void fragmentMatchesAnywhere_data();
    void fragmentMatchesAnywhere();
    void customerWithAQuote();
    void linesOfOneShipment();
};

void tst_ShipmentSearch::clausesInOrder_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("byDate");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("tail");  // what follows the FROM clause
    QTest::newRow("nothing set") << "" << false << "" << kOrderBy;
    QTest::newRow("only the dates")
        << "" << true << ""
        << " WHERE  Shipments.Date >= #12/1/2026# AND Shipments.Date <= #12/9/2026#" + kOrderBy;
    QTest::newRow("customer and number")
        << "Vedu" << false << "12"
        << " WHERE  Orders.Customer = 'Vedu' AND  Orders.OrderNumber Like '*12*'" + kOrderBy;
    QTest::newRow("all three")
        << "Vedu" << true << "12"
        << " WHERE  Orders.Customer = 'Vedu' AND  Shipments.Date >= #12/1/2026# AND Shipments.Date <= #12/9/2026#"
           " AND  Orders.OrderNumber Like '*12*'" + kOrderBy;
    QTest::newRow("quote and wildcards stand for themselves")
        << "O'Brien" << false << "A*1?#[x]"
        << " WHERE  Orders.Customer = 'O''Brien' AND  Orders.OrderNumber Like '*A[*]1[?][#][[]x]*'" + kOrderBy;
}

void tst_ShipmentSearch::clausesInOrder() {
    QFETCH(QString, customer);
    QFETCH(bool, byDate);
    QFETCH(QString, number);
    QFETCH(QString, tail);
    ShipmentCriteria c{customer, byDate, QDate(2026, 12, 1), QDate(2026, 12, 9), number};
    const QString sql = ShipmentSearchSql(c);
    QVERIFY(sql.startsWith("SELECT Shipments.ID,Shipments.Date,Orders.ID,Orders.Customer,"));
    const int from = sql.indexOf(kFrom);
    QVERIFY(from > 0);
    QCOMPARE(sql.mid(from + kFrom.size()), tail);
}

void tst_ShipmentSearch::datesAreInclusive_data() {
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("start and end on the day") << QDate(2026, 12, 5) << QDate(2026, 12, 5) << QStringList{"B-2"};
    QTest::newRow("range over two days") << QDate(2026, 12, 4) << QDate(2026, 12, 5) << QStringList{"A-1", "B-2"};
    QTest::newRow("day before") << QDate(2026, 12, 3) << QDate(2026, 12, 3) << QStringList{};
    QTest::newRow("across a year end") << QDate(2026, 12, 30) << QDate(2027, 1, 2) << QStringList{"C-3"};
}

void tst_ShipmentSearch::datesAreInclusive() {
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QStringList, numbers);
    TestDatabase db;
    addCustomer(db, "Vedu");
    addShipment(db, addOrder(db, "Vedu", "A-1", {{1, 4}}), QDate(2026, 12, 4), {{1, 1}});
    addShipment(db, addOrder(db, "Vedu", "B-2", {{1, 4}}), QDate(2026, 12, 5), {{1, 1}});
    addShipment(db, addOrder(db, "Vedu", "C-3", {{1, 4}}), QDate(2027, 1, 1), {{1, 1}});
    ShipmentCriteria c;
    c.byShipDate = true;
    c.startDate = start;
    c.endDate = end;
    QCOMPARE(found(c), numbers);
}

void tst_ShipmentSearch::fragmentMatchesAnywhere_data() {
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("12 anywhere") << "12" << QStringList{"120", "1200", "312"};
    QTest::newRow("letters in any case") << "ab" << QStringList{"AB*7", "xAb?"};
    QTest::newRow("asterisk is an asterisk") << "*" << QStringList{"AB*7"};
    QTest::newRow("question mark is a question mark") << "?" << QStringList{"xAb?"};
    QTest::newRow("number sign is a number sign") << "#" << QStringList{"No#5"};
    QTest::newRow("bracket is a bracket") << "[7" << QStringList{"[7]"};
    QTest::newRow("quote") << "O'" << QStringList{"O'9"};
    QTest::newRow("percent is ordinary") << "%" << QStringList{};
}

void tst_ShipmentSearch::fragmentMatchesAnywhere() {
    QFETCH(QString, fragment);
    QFETCH(QStringList, numbers);
    TestDatabase db;
    addCustomer(db, "Vedu");
    for (const char *number : {"120", "312", "1200", "21", "1-2", "AB*7", "xAb?", "No#5", "[7]", "O'9"})
        addShipment(db, addOrder(db, "Vedu", number, {{1, 4}}), QDate(2026, 12, 4), {{1, 1}});
    QCOMPARE(found(byNumber(fragment)), numbers);
}

void tst_ShipmentSearch::customerWithAQuote() {
    TestDatabase db;
    addCustomer(db, "O'Brien Furniture");
    addCustomer(db, "Vedu");
    addShipment(db, addOrder(db, "O'Brien Furniture", "OB-1", {{1, 4}}), QDate(2026, 12, 4), {{1, 1}});
    addShipment(db, addOrder(db, "Vedu", "V-1", {{1, 4}}), QDate(2026, 12, 4), {{1, 1}});
    ShipmentCriteria c;
    c.customer = "O'Brien Furniture";
    QCOMPARE(found(c), QStringList{"OB-1"});
    QCOMPARE(found(ShipmentCriteria{}), (QStringList{"OB-1", "V-1"}));
}

void tst_ShipmentSearch::linesOfOneShipment() {
    TestDatabase db;
    addCustomer(db, "Vedu");
    const qint64 order = addOrder(db, "Vedu", "V-1", {{1, 4, 2.5}, {3, 6, 10}, {7, 2, 1000}});
    addShipment(db, order, QDate(2026, 12, 1), {{1, 4}});
    const qint64 id = addShipment(db, order, QDate(2026, 12, 4), {{7, 1}, {3, 2}});
    db.exec(QString("UPDATE Orders SET ShipToAddress2 = Null, ShipToState = Null WHERE ID = %1").arg(order));

    auto rs = AppDatabase().openRecordset(ShipmentLinesSql(QString::number(id)));
    QStringList rows;
    for (; !rs->eof(); rs->moveNext())
        rows << QStringList{rs->text("OrderItems.ItemNumber"), rs->text("OrderItems.Qty"), rs->text("ShipmentItems.Qty"),
                            rs->text("Name") + "-" + rs->text("Type"), rs->text("PriceEach"), rs->text("PriceExt")}
                    .join('|');
    QCOMPARE(rows, (QStringList{"3|6|2|Arm-Chair|10|60", "7|2|1|Arm-Chair|1000|2000"}));
    rs->moveFirst();
    QCOMPARE(ShipToText(*rs), QString("Dock V-1, 1 Mill Rd, , Hickory,   28601"));
    rs->close();
}

QTEST_GUILESS_MAIN(tst_ShipmentSearch)
#include "tst_shipmentsearch.moc"
