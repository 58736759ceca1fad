// quelby-admin backup and check, run as their own processes as a plant's IT person runs
// them: a backup taken while order saves go on opens as a sound plant, and check finds
// each inconsistency planted in a small plant, naming the rows' keys.

#include "data/Database.h"
#include "orders/OrderSave.h"
#include "tests/support/AdminRun.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

QString scalar(const QString &plant, const QString &sql) {
    const AdminRun run = admin({QStringLiteral("query"), plant, sql});
    return run.out.section(QLatin1Char('\n'), 1, 1);
}

// Two orders of customer Acme: order 1 (two lines, the first shipped whole) is Open;
// order 2 (one line, shipped whole) is Closed and on invoice 1 with freight and misc.
const QStringList kSmallPlant = {
    "INSERT INTO Orders (ID, OrderNumber, Customer, Status) VALUES (1, 'A-1', 'Acme', 'Open')",
    "INSERT INTO Orders (ID, OrderNumber, Customer, Status) VALUES (2, 'A-2', 'Acme', 'Closed')",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Qty, PriceEach, PriceExt) VALUES (1, 1, 10, 10, 100)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Qty, PriceEach, PriceExt) VALUES (1, 2, 5, 10, 50)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Qty, PriceEach, PriceExt) VALUES (2, 1, 4, 10, 40)",
    "INSERT INTO Shipments (ID, OrderID) VALUES (1, 1)",
    "INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 1, 1, 10)",
    "INSERT INTO Shipments (ID, OrderID) VALUES (2, 2)",
    "INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (2, 2, 1, 4)",
    "INSERT INTO OrdersInvoiced (OrderID) VALUES (2)",
    "INSERT INTO Invoice (ID, Customer, Freight, Misc, Subtotal, Total) VALUES (1, 'Acme', 5, 1.5, 40, 46.5)",
    "INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (1, 2)",
};

}  // namespace

class tst_PlantCare : public QObject {
    Q_OBJECT

private slots:
    void backupRefusesToOverwrite();
    void backupDuringOrderSavesIsSound();
    void checkFindsNothingInASoundPlant();
    void checkFindsWhatWasPlanted_data();
    void checkFindsWhatWasPlanted();

private:
    QString smallPlant(const QStringList &planted);
    QTemporaryDir m_dir;
    int m_plants = 0;
};

// Runs each statement on the plant; false (with a warning) at the first that fails.
bool runAll(const QString &plant, const QStringList &statements) {
    for (const QString &sql : statements) {
        const AdminRun run = admin({"exec", plant, sql});
        if (run.exitCode != 0) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(run.err));
            return false;
        }
    }
    return true;
}

// A copy of the small plant (made once), with the statements of `planted` run on it.
QString tst_PlantCare::smallPlant(const QStringList &planted) {
    const QString base = m_dir.filePath(QStringLiteral("small.db"));
    if (!QFile::exists(base) && (admin({"init", base}).exitCode != 0 || !runAll(base, kSmallPlant))) {
        QFile::remove(base);
        return QString();
    }
    const QString path = m_dir.filePath(QStringLiteral("small%1.db").arg(++m_plants));
    if (!QFile::copy(base, path) || !runAll(path, planted)) return QString();
    return path;
}

void tst_PlantCare::backupRefusesToOverwrite() {
    const QString plant = smallPlant({});
    const QString copy = m_dir.filePath(QStringLiteral("copy.db"));
    QCOMPARE(admin({"backup", plant, copy}).exitCode, 0);
    QCOMPARE(scalar(copy, "SELECT COUNT(*) FROM OrderItems"), QString("3"));

    admin({"exec", plant, "DELETE FROM OrderItems WHERE OrderID = 1"});
    const AdminRun again = admin({"backup", plant, copy});
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains("--force"), qPrintable(again.err));
    QCOMPARE(scalar(copy, "SELECT COUNT(*) FROM OrderItems"), QString("3"));

    QCOMPARE(admin({"backup", plant, copy, "--force"}).exitCode, 0);
    QCOMPARE(scalar(copy, "SELECT COUNT(*) FROM OrderItems"), QString("1"));
    QCOMPARE(admin({"backup", plant, plant, "--force"}).exitCode, 1);
    QCOMPARE(scalar(plant, "SELECT COUNT(*) FROM OrderItems"), QString("1"));
}

// The office goes on saving orders of two lines while the backup runs; the copy holds
// whole orders only, as many as were saved when it was taken, and check finds nothing.
void tst_PlantCare::backupDuringOrderSavesIsSound() {
    const QString plant = m_dir.filePath(QStringLiteral("busy.db"));
    QCOMPARE(admin({"demo", plant}).exitCode, 0);
    const QString customer = scalar(plant, "SELECT TOP 1 Customer FROM Style ORDER BY ID");
    const QString style = scalar(plant, "SELECT TOP 1 ID FROM Style ORDER BY ID");
    const int before = scalar(plant, "SELECT COUNT(*) FROM Orders").toInt();
    const QString bare = "SELECT COUNT(*) FROM Orders WHERE ID NOT IN (SELECT OrderID FROM OrderItems)";
    const QString ordersWithoutLines = scalar(plant, bare);

    SetAppDatabase(Database::open(plant));
    std::atomic<bool> stop{false};
    std::atomic<int> saved{0};
    std::atomic<bool> failed{false};
    QString failure;  // read once the office has stopped
    std::thread office([&] {
        try {
            while (!stop) {
                OrderHeader header;
                header.orderNumber = QStringLiteral("B-%1").arg(saved.load());
                header.customer = customer;
                header.orderDate = header.dueDate = QDate(2026, 12, 10);
                header.total = QStringLiteral("25");
                const QVector<OrderLine> lines{{"1", "a", "2", "", "5", "10", style}, {"2", "b", "3", "", "5", "15", style}};
                SaveOrder(header, lines);
                ++saved;
            }
        } catch (const std::exception &e) {
            failure = QString::fromLocal8Bit(e.what());
            failed = true;
        }
    });
    while (saved < 3 && !failed) QThread::yieldCurrentThread();
    const QString copy = m_dir.filePath(QStringLiteral("busy-copy.db"));
    const AdminRun backup = admin({"backup", plant, copy});
    const int savedAtEnd = saved;
    stop = true;
    office.join();
    SetAppDatabase(nullptr);
    QCOMPARE(failure, QString());
    QCOMPARE(backup.err, QString());
    QCOMPARE(backup.exitCode, 0);

    const int copied = scalar(copy, "SELECT COUNT(*) FROM Orders").toInt();
    QVERIFY2(copied >= before + 3 && copied <= before + savedAtEnd + 1, qPrintable(QString::number(copied)));
    QCOMPARE(scalar(copy, bare), ordersWithoutLines);
    const AdminRun check = admin({"check", copy});
    QCOMPARE(check.out, QString("The plant is sound.\n"));
    QCOMPARE(check.exitCode, 0);
}

void tst_PlantCare::checkFindsNothingInASoundPlant() {
    const QString sound = smallPlant({});
    QVERIFY(!sound.isEmpty());
    const AdminRun clean = admin({"check", sound});
    QCOMPARE(clean.out, QString("The plant is sound.\n"));
    QCOMPARE(clean.exitCode, 0);
}

void tst_PlantCare::checkFindsWhatWasPlanted_data() {
    QTest::addColumn<QStringList>("planted");
    QTest::addColumn<QString>("finding");  // rule and keys, as printed
    QTest::newRow("line without its order")
        << QStringList{"INSERT INTO OrderItems (OrderID, ItemNumber, Qty) VALUES (7, 3, 1)"}
        << "line without its order\tOrderItems.OrderID=7 ItemNumber=3\t";
    QTest::newRow("shipped above ordered") << QStringList{"UPDATE ShipmentItems SET Qty = 12 WHERE ShipmentID = 1"}
                                           << "shipped above ordered\tOrderItems.OrderID=1 ItemNumber=1\t";
    QTest::newRow("Closed with a line short") << QStringList{"UPDATE Orders SET Status = 'Closed' WHERE ID = 1"}
                                              << "status disagrees with shipments\tOrders.ID=1\t";
    QTest::newRow("Open with every line shipped") << QStringList{"UPDATE Orders SET Status = 'Open' WHERE ID = 2"}
                                                  << "status disagrees with shipments\tOrders.ID=2\t";
    QTest::newRow("Closed and never shipped")
        << QStringList{"INSERT INTO Orders (ID, Customer, Status) VALUES (3, 'Acme', 'Closed')",
                       "INSERT INTO OrderItems (OrderID, ItemNumber, Qty) VALUES (3, 1, 2)"}
        << "status disagrees with shipments\tOrders.ID=3\t";
    QTest::newRow("invoiced, on no invoice") << QStringList{"DELETE FROM InvoiceOrders"}
                                             << "invoiced order not on exactly one invoice\tOrdersInvoiced.OrderID=2\t";
    QTest::newRow("invoiced, on two invoices")
        << QStringList{"INSERT INTO Invoice (ID, Customer, Subtotal, Total) VALUES (2, 'Acme', 40, 40)",
                       "INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (2, 2)"}
        << "invoiced order not on exactly one invoice\tOrdersInvoiced.OrderID=2\t";
    QTest::newRow("on an invoice, not marked") << QStringList{"INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (1, 1)"}
                                               << "order on an invoice not marked invoiced\tInvoiceOrders.Invoice=1 OrderID=1\t";
    QTest::newRow("subtotal") << QStringList{"UPDATE Invoice SET Subtotal = 41"}
                              << "invoice subtotal differs from its orders' lines\tInvoice.ID=1\t";
    QTest::newRow("total") << QStringList{"UPDATE Invoice SET Total = 46"}
                           << "invoice total differs from lines, freight and misc\tInvoice.ID=1\t";
}

void tst_PlantCare::checkFindsWhatWasPlanted() {
    QFETCH(QStringList, planted);
    QFETCH(QString, finding);
    const QString path = smallPlant(planted);
    QVERIFY(!path.isEmpty());
    const AdminRun run = admin({"check", path});
    QVERIFY2(run.out.contains(QLatin1Char('\n') + finding) || run.out.startsWith(finding), qPrintable(run.out));
    QCOMPARE(run.exitCode, 3);
}

QTEST_GUILESS_MAIN(tst_PlantCare)
#include "tst_plantcare.moc"
