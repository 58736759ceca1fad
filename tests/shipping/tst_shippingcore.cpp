// Shipping without a window: the save (header, lines and the order's status as one
// unit), the order-status rule as real saves drive it, and the navigator's statement
// built criterion by criterion.

#include "core/AppError.h"
#include "orders/UpdateOrderStatus.h"
#include "shipping/SaveShipment.h"
#include "shipping/ShipmentSearch.h"
#include "tests/support/ShippingPlant.h"

#include <QtTest>

using namespace ShippingPlant;

namespace {
const QString kCustomer = QStringLiteral("O'Brien Furniture");
const QDate kDay(2026, 12, 9);

QVector<ShipmentLine> typed(const QStringList &qtys) {
    QVector<ShipmentLine> out;
    for (int i = 0; i < qtys.size(); ++i) out.append({QString::number(i + 1), qtys.at(i)});
    return out;
}
}  // namespace

class tst_ShippingCore : public QObject {
    Q_OBJECT
private slots:
    void statusFollowsWhatHasShipped_data();
    void statusFollowsWhatHasShipped();
    void storedShipmentKeepsItsOrder();
    void failingLineLeavesNothingWritten();
    void shippingPastTheOrderIsRefused();
    void searchClausesInOrder_data();
    void searchClausesInOrder();
};

void tst_ShippingCore::statusFollowsWhatHasShipped_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("qtys");  // lines 1 and 2: 8 and 5 ordered, 3 of line 1 shipped before
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("stored");
    QTest::newRow("all shipped closes") << "Open" << QStringList{"5", "5"} << "Closed" << "1:5 2:5";
    QTest::newRow("one short stays open") << "Open" << QStringList{"5", "4"} << "Open" << "1:5 2:4";
    QTest::newRow("never shipped line opens") << "Closed" << QStringList{"5", "0"} << "Open" << "1:5";
    QTest::newRow("void becomes closed") << "Void" << QStringList{"5", "5"} << "Closed" << "1:5 2:5";
    QTest::newRow("void becomes open") << "Void" << QStringList{"1", ""} << "Open" << "1:1";
    // The check reads "1,200" as 1, and 1 is what is stored.
    QTest::newRow("leading number stored") << "Open" << QStringList{"1,200", " 2 "} << "Open" << "1:1 2:2";
}

void tst_ShippingCore::statusFollowsWhatHasShipped() {
    QFETCH(QString, before);
    QFETCH(QStringList, qtys);
    QFETCH(QString, after);
    QFETCH(QString, stored);
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}}, before);
    addShipment(db, order, kDay.addDays(-3), {{1, 3}});
    const QString id = QString::number(SaveShipment({QString(), QString::number(order), kDay, typed(qtys)}));
    QCOMPARE(status(db, order), after);
    QCOMPARE(lines(db, id.toLongLong()), stored);
    QCOMPARE(db.scalar("SELECT OrderID FROM Shipments WHERE ID = " + id).toLongLong(), order);
    QCOMPARE(db.scalar("SELECT [Date] FROM Shipments WHERE ID = " + id).toDate(), kDay);
}

void tst_ShippingCore::storedShipmentKeepsItsOrder() {
    // Whatever order the caller names, a stored shipment's lines and status stay with
    // the order it was made for.
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 shipped = addOrder(db, kCustomer, "OB-1", {{1, 8}});
    const qint64 other = addOrder(db, kCustomer, "OB-2", {{1, 8}});
    const qint64 id = addShipment(db, shipped, kDay, {{1, 2}});
    SaveShipment({QString::number(id), QString::number(other), kDay, typed({"8"})});
    QCOMPARE(db.scalar(QString("SELECT OrderID FROM Shipments WHERE ID = %1").arg(id)).toLongLong(), shipped);
    QCOMPARE(db.count("ShipmentItems", QString("OrderID = %1").arg(other)), 0);
    QCOMPARE(lines(db, id), QString("1:8"));
    QCOMPARE(status(db, shipped), QString("Closed"));
    QCOMPARE(status(db, other), QString("Open"));
}

void tst_ShippingCore::failingLineLeavesNothingWritten() {
    // The second line cannot be stored (an item number that is no number): the header
    // and the first line written before it are undone, and the status is not touched.
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}}, "Closed");
    const qint64 id = addShipment(db, order, kDay.addDays(-1), {{1, 8}, {2, 5}});
    const QVector<ShipmentLine> bad{{"1", "2"}, {"two", "1"}};

    QVERIFY_THROWS_EXCEPTION(AppError, SaveShipment({QString(), QString::number(order), kDay, bad}));
    QCOMPARE(db.count("Shipments"), 1);
    QCOMPARE(db.count("ShipmentItems"), 2);

    QVERIFY_THROWS_EXCEPTION(AppError, SaveShipment({QString::number(id), QString(), kDay, bad}));
    QCOMPARE(lines(db, id), QString("1:8 2:5"));
    QCOMPARE(db.scalar(QString("SELECT [Date] FROM Shipments WHERE ID = %1").arg(id)).toDate(), kDay.addDays(-1));
    QCOMPARE(status(db, order), QString("Closed"));
}

void tst_ShippingCore::shippingPastTheOrderIsRefused() {
    // Another clerk's shipment of 3 was saved after this clerk's lines were shown: 7 of
    // line 1 no longer fits the 5 left, and nothing of the shipment is written.
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}});
    addShipment(db, order, kDay.addDays(-3), {{1, 3}});
    try {
        SaveShipment({QString(), QString::number(order), kDay, typed({"7", "5"})});
        QFAIL("a shipment past the order was saved");
    } catch (const AppError &e) {
        QVERIFY2(e.description().startsWith("Line 1 has only 5 left to ship"), qPrintable(e.description()));
    }
    QCOMPARE(db.count("Shipments"), 1);
    QCOMPARE(db.count("ShipmentItems"), 1);
    // What was shipped past the order before (it stands in older plants) counts as shipped.
    addShipment(db, order, kDay, {{1, 7}, {2, 5}});
    UpdateOrderStatus(QString::number(order));
    QCOMPARE(status(db, order), QString("Closed"));
}

void tst_ShippingCore::searchClausesInOrder_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("byDate");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("tail");  // what follows the FROM clause, before ORDER BY
    QTest::newRow("nothing set") << "" << false << "" << "";
    QTest::newRow("only the dates") << "" << true << ""
                                    << " WHERE  Shipments.Date >= #12/1/2026# AND Shipments.Date <= #12/9/2026#";
    QTest::newRow("customer and number") << "Vedu" << false << "12"
                                         << " WHERE  Orders.Customer = 'Vedu' AND  Orders.OrderNumber Like '*12*'";
    QTest::newRow("all three, quote and wildcards as typed")
        << "O'Brien" << true << "A*1?#[x]"
        << " WHERE  Orders.Customer = 'O''Brien' AND  Shipments.Date >= #12/1/2026# AND Shipments.Date <= "
           "#12/9/2026# AND  Orders.OrderNumber Like '*A[*]1[?][#][[]x]*'";
}

void tst_ShippingCore::searchClausesInOrder() {
    QFETCH(QString, customer);
    QFETCH(bool, byDate);
    QFETCH(QString, number);
    QFETCH(QString, tail);
    const QString from = "FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = Orders.ID ";
    const QString sql = ShipmentSearchSql({customer, byDate, QDate(2026, 12, 1), kDay, number});
    QVERIFY(sql.startsWith("SELECT Shipments.ID,Shipments.Date,Orders.ID,Orders.Customer,"));
    QCOMPARE(sql.mid(sql.indexOf(from) + from.size()), tail + " ORDER BY Orders.Customer, Orders.OrderNumber");
}

QTEST_GUILESS_MAIN(tst_ShippingCore)
#include "tst_shippingcore.moc"
