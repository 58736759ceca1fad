// The shared routines: the rule that sets an order Open or Closed from its shipments,
// and the quiet drop of a temporary table.

#include "core/AppError.h"
#include "data/Database.h"
#include "data/DropTable.h"
#include "orders/UpdateOrderStatus.h"
#include "tests/support/Fixtures.h"

#include <QtTest>

class tst_MainMod : public QObject {
    Q_OBJECT
private slots:
    void orderStatusRule_data();
    void orderStatusRule();
    void orderStatusLeavesOtherOrdersAlone();
    void dropTableIgnoresMissingTable();
};

void tst_MainMod::orderStatusRule_data() {
    // Lines as "ordered:shipped,shipped;..." per line; "-" for a line never shipped.
    QTest::addColumn<QString>("startStatus");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every line shipped in full") << "Open" << "10:10;5:2,3" << "Closed";
    QTest::newRow("one line short") << "Open" << "10:10;5:4" << "Open";
    QTest::newRow("a line never shipped") << "Open" << "10:10;5:-" << "Open";
    QTest::newRow("no lines at all") << "Open" << "" << "Closed";
    QTest::newRow("shipped more than ordered") << "Open" << "10:12" << "Closed";
    QTest::newRow("void order fully shipped") << "Void" << "3:3" << "Closed";
    QTest::newRow("void order partly shipped") << "Void" << "3:1" << "Open";
    QTest::newRow("closed order reopened") << "Closed" << "3:1" << "Open";
}

void tst_MainMod::orderStatusRule() {
    QFETCH(QString, startStatus);
    QFETCH(QString, lines);
    QFETCH(QString, expected);
    TestDatabase db;
    db.exec("INSERT INTO Orders (ID, OrderNumber, Status) VALUES (70001, 'PO', '" + startStatus + "')");
    int item = 0;
    int shipment = 0;
    for (const QString &line : lines.split(';', Qt::SkipEmptyParts)) {
        item += 2;  // item numbers with gaps, as after a deleted line
        const QStringList parts = line.split(':');
        db.exec(QString("INSERT INTO OrderItems (OrderID, ItemNumber, Qty) VALUES (70001, %1, %2)").arg(item).arg(parts[0]));
        if (parts[1] == "-") continue;
        for (const QString &qty : parts[1].split(',')) {
            ++shipment;
            db.exec(QString("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (%1, 70001, %2, %3)")
                        .arg(shipment).arg(item).arg(qty));
        }
    }
    UpdateOrderStatus("70001");
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 70001").toString(), expected);
}

void tst_MainMod::orderStatusLeavesOtherOrdersAlone() {
    TestDatabase db;
    db.exec("INSERT INTO Orders (ID, Status) VALUES (1, 'Open')");
    db.exec("INSERT INTO Orders (ID, Status) VALUES (2, 'Void')");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty) VALUES (1, 1, 4)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 1, 1, 4)");
    // A shipment of order 2's item number 1 must not count for order 1, and the reverse.
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty) VALUES (2, 1, 4)");
    UpdateOrderStatus("1");
    UpdateOrderStatus("2");
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 1").toString(), QString("Closed"));
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 2").toString(), QString("Open"));
}

void tst_MainMod::dropTableIgnoresMissingTable() {
    TestDatabase db;
    DropTable("tmpGlueLineMain");  // not there: nothing happens, nothing is reported
    AppDatabase().execute("SELECT Customer INTO tmpGlueLineMain FROM Customer");
    QCOMPARE(db.count("tmpGlueLineMain"), 0);
    DropTable("tmpGlueLineMain");
    bool gone = false;
    try {
        db.count("tmpGlueLineMain");
    } catch (const AppError &) {
        gone = true;
    }
    QVERIFY(gone);
}

QTEST_GUILESS_MAIN(tst_MainMod)
#include "tst_mainmod.moc"
