// The shipment save without a window: header, lines and the order's status written as
// one unit, and the order-status rule as real saves drive it.

#include "core/AppError.h"
#include "shipping/SaveShipment.h"
#include "shipping/ShipmentQuantities.h"
#include "tests/shipping/ShippingPlant.h"
#include "tests/support/Fixtures.h"

#include <QtTest>

using namespace ShippingPlant;

namespace {
const QString kCustomer = QStringLiteral("O'Brien Furniture");
const QDate kDay(2026, 12, 9);

QVector<ShipmentLine> typed(const QStringList &qtys, const QList<int> &items = {1, 2, 3}) {
    QVector<ShipmentLine> out;
    for (int i = 0; i < qtys.size(); ++i) out.append({QString::number(items.at(i)), qtys.at(i)});
    return out;
}
}  // namespace

class tst_SaveShipment : public QObject {
    Q_OBJECT
private slots:
    void newShipmentWritesHeaderAndNonZeroLines();
    void statusFollowsWhatHasShipped_data();
    void statusFollowsWhatHasShipped();
    void resavingWithALineAtZeroDeletesItsRowAndReopens();
    void storedShipmentKeepsItsOrder();
    void failingLineLeavesNothingWritten();
    void quantityIsTheLeadingNumber();
    void hasQuantities_data();
    void hasQuantities();
    void typedQuantityChecked_data();
    void typedQuantityChecked();
    void shipAllTakesWhatRemains_data();
    void shipAllTakesWhatRemains();
};

void tst_SaveShipment::newShipmentWritesHeaderAndNonZeroLines() {
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}, {4, 3}});
    ShipmentToSave s{QString(), QString::number(order), kDay, typed({"8", "0", "", }, {1, 2, 4})};
    const QString id = SaveShipment(s);
    QVERIFY(!id.isEmpty());
    QCOMPARE(db.count("Shipments"), 1);
    QCOMPARE(db.scalar("SELECT OrderID FROM Shipments WHERE ID = " + id).toLongLong(), order);
    QCOMPARE(db.scalar("SELECT [Date] FROM Shipments WHERE ID = " + id).toDate(), kDay);
    QCOMPARE(lines(db, id.toLongLong()), QString("1:8"));
    QCOMPARE(db.count("ShipmentItems", "OrderID = " + QString::number(order)), 1);
    QCOMPARE(status(db, order), QString("Open"));
}

void tst_SaveShipment::statusFollowsWhatHasShipped_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("qtys");  // this shipment, lines 1 and 2 (8 and 5 ordered, 3 of line 1 shipped)
    QTest::addColumn<QString>("after");
    QTest::newRow("all shipped closes") << "Open" << QStringList{"5", "5"} << "Closed";
    QTest::newRow("one short stays open") << "Open" << QStringList{"5", "4"} << "Open";
    QTest::newRow("never shipped line opens") << "Closed" << QStringList{"5", "0"} << "Open";
    QTest::newRow("over shipped counts as shipped") << "Open" << QStringList{"7", "5"} << "Closed";
    QTest::newRow("void becomes closed") << "Void" << QStringList{"5", "5"} << "Closed";
    QTest::newRow("void becomes open") << "Void" << QStringList{"1", "0"} << "Open";
}

void tst_SaveShipment::statusFollowsWhatHasShipped() {
    QFETCH(QString, before);
    QFETCH(QStringList, qtys);
    QFETCH(QString, after);
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}}, before);
    addShipment(db, order, kDay.addDays(-3), {{1, 3}});
    SaveShipment({QString(), QString::number(order), kDay, typed(qtys)});
    QCOMPARE(status(db, order), after);
}

void tst_SaveShipment::resavingWithALineAtZeroDeletesItsRowAndReopens() {
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}});
    const QString id = SaveShipment({QString(), QString::number(order), kDay, typed({"8", "5"})});
    QCOMPARE(status(db, order), QString("Closed"));

    SaveShipment({id, QString::number(order), kDay.addDays(1), typed({"8", "0"})});
    QCOMPARE(db.count("Shipments"), 1);
    QCOMPARE(lines(db, id.toLongLong()), QString("1:8"));
    QCOMPARE(db.scalar("SELECT [Date] FROM Shipments WHERE ID = " + id).toDate(), kDay.addDays(1));
    QCOMPARE(status(db, order), QString("Open"));
}

void tst_SaveShipment::storedShipmentKeepsItsOrder() {
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

void tst_SaveShipment::failingLineLeavesNothingWritten() {
    // The second line cannot be stored (an item number that is no number): the header
    // and the first line written before it are undone, and the status is not touched.
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}});
    const qint64 id = addShipment(db, order, kDay.addDays(-1), {{1, 8}, {2, 5}});
    db.exec(QString("UPDATE Orders SET Status = 'Closed' WHERE ID = %1").arg(order));

    QVector<ShipmentLine> bad{{"1", "2"}, {"two", "1"}};
    QVERIFY_THROWS_EXCEPTION(AppError, SaveShipment({QString(), QString::number(order), kDay, bad}));
    QCOMPARE(db.count("Shipments"), 1);
    QCOMPARE(db.count("ShipmentItems"), 2);

    QVERIFY_THROWS_EXCEPTION(AppError, SaveShipment({QString::number(id), QString(), kDay, bad}));
    QCOMPARE(lines(db, id), QString("1:8 2:5"));
    QCOMPARE(db.scalar(QString("SELECT [Date] FROM Shipments WHERE ID = %1").arg(id)).toDate(), kDay.addDays(-1));
    QCOMPARE(status(db, order), QString("Closed"));
}

void tst_SaveShipment::quantityIsTheLeadingNumber() {
    // The remainder check reads "1,200" as 1; the stored quantity is that same 1.
    TestDatabase db;
    addCustomer(db, kCustomer);
    const qint64 order = addOrder(db, kCustomer, "OB-1", {{1, 8}, {2, 5}});
    const QString id = SaveShipment({QString(), QString::number(order), kDay, typed({"1,200", " 2 "})});
    QCOMPARE(lines(db, id.toLongLong()), QString("1:1 2:2"));
}

void tst_SaveShipment::hasQuantities_data() {
    QTest::addColumn<QStringList>("qtys");
    QTest::addColumn<bool>("has");
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("zeros and blanks") << QStringList{"0", "", "0.0"} << false;
    QTest::newRow("letters read as zero") << QStringList{"abc", "$5"} << false;
    QTest::newRow("one line") << QStringList{"0", "3"} << true;
    QTest::newRow("negative counts") << QStringList{"-1"} << true;
}

void tst_SaveShipment::hasQuantities() {
    QFETCH(QStringList, qtys);
    QFETCH(bool, has);
    QVector<ShipmentLine> lines;
    for (const QString &q : qtys) lines.append({"1", q});
    QCOMPARE(HasQuantities(lines), has);
}

void tst_SaveShipment::typedQuantityChecked_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("prevShipped");  // of 8 ordered
    QTest::addColumn<QString>("cell");
    QTest::newRow("more than remains") << "10" << "" << "0";
    QTest::newRow("exactly what remains") << "8" << "" << "8";
    QTest::newRow("letters") << "abc" << "" << "0";
    QTest::newRow("empty") << "" << "" << "0";
    QTest::newRow("zero") << "0" << "" << "0";
    QTest::newRow("negative as typed") << "-2" << "" << "-2";
    QTest::newRow("decimal as typed") << "2.5" << "3" << "2.5";
    QTest::newRow("over what the others left") << "6" << "3" << "0";
    QTest::newRow("what the others left") << "5" << "3" << "5";
    QTest::newRow("number with trailing text") << "5 pcs" << "" << "0";
}

void tst_SaveShipment::typedQuantityChecked() {
    QFETCH(QString, typed);
    QFETCH(QString, prevShipped);
    QFETCH(QString, cell);
    QCOMPARE(ShipmentQuantities::Checked(typed, "8", prevShipped), cell);
}

void tst_SaveShipment::shipAllTakesWhatRemains_data() {
    QTest::addColumn<QString>("ordered");
    QTest::addColumn<QString>("prevShipped");
    QTest::addColumn<QString>("cell");
    QTest::newRow("never shipped") << "8" << "" << "8";
    QTest::newRow("part shipped") << "8" << "3" << "5";
    QTest::newRow("shipped in full") << "8" << "8" << "0";
    QTest::newRow("shipped over") << "8" << "10" << "0";
    QTest::newRow("decimal") << "2.5" << "1" << "1.5";
}

void tst_SaveShipment::shipAllTakesWhatRemains() {
    QFETCH(QString, ordered);
    QFETCH(QString, prevShipped);
    QFETCH(QString, cell);
    QCOMPARE(ShipmentQuantities::Plain(ShipmentQuantities::Remaining(ordered, prevShipped)), cell);
}

QTEST_GUILESS_MAIN(tst_SaveShipment)
#include "tst_saveshipment.moc"
