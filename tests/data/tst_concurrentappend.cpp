// Two copies of the application (two office PCs) working on one plant at the same moment:
// every new order's number, read right after add-new, is the one its stored row keeps,
// and no number is handed out twice; orders, shipments of one shared order and invoices
// saved side by side are all stored, and the shared order is never shipped past what
// was ordered. Run on the file and on the server.

#include "core/AppError.h"
#include "data/Database.h"
#include "orders/OrderSave.h"
#include "receivables/Invoicing.h"
#include "shipping/SaveShipment.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ShippingPlant.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTextStream>
#include <QtTest>

namespace {

const char kWorkerFlag[] = "--append-worker";
const int kOrdersPerCopy = 150;

// The second copy: appends orders as the order window does and prints "ID<TAB>number".
int runWorker(const QString &path, const QString &tag) {
    auto db = Database::open(path);
    QTextStream out(stdout);
    for (int i = 0; i < kOrdersPerCopy; ++i) {
        auto rs = db->openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = 0"));
        rs->addNew();
        const qlonglong id = rs->field(QStringLiteral("ID")).toLongLong();
        const QString number = QStringLiteral("%1-%2").arg(tag).arg(i);
        rs->setField(QStringLiteral("OrderNumber"), number);
        rs->setField(QStringLiteral("Status"), QStringLiteral("Open"));
        rs->update();
        out << id << '\t' << number << '\n';
    }
    return 0;
}

const char kSavesFlag[] = "--saves-worker";
const int kRoundsPerCopy = 12;
const char kShared[] = "Shared Foam Co";

// The second kind of copy: each round a new order (two lines), one piece of each line of
// the shared order shipped, and an invoice for the new order. Prints "order<TAB>id",
// "shipment<TAB>id" or "refused<TAB>message", and "invoice<TAB>id".
int runSavesWorker(const QString &path, const QString &tag, const QString &sharedOrder, const QString &style) {
    SetAppDatabase(Database::open(path));
    QTextStream out(stdout);
    for (int i = 0; i < kRoundsPerCopy; ++i) {
        OrderHeader header;
        header.customer = QString::fromLatin1(kShared);
        header.orderNumber = QStringLiteral("%1-%2").arg(tag).arg(i);
        header.orderDate = header.dueDate = QDate(2026, 12, 1);
        header.total = QStringLiteral("35");
        const QVector<OrderLine> lines{{"1", "A", "2", "", "10", "20", style}, {"2", "B", "3", "", "5", "15", style}};
        const qint64 order = SaveOrder(header, lines);
        out << "order\t" << order << '\n';
        try {
            const qint64 shipment = SaveShipment({QString(), sharedOrder, QDate(2026, 12, 2), {{"1", "1"}, {"2", "1"}}});
            out << "shipment\t" << shipment << '\n';
        } catch (const AppError &e) {
            out << "refused\t" << e.description() << '\n';
        }
        InvoiceRequest invoice{header.customer, QDate(2026, 12, 3), QDate(2027, 1, 2), "0", "0", QString(), {order}};
        out << "invoice\t" << CreateInvoice(invoice) << '\n';
        out.flush();
    }
    SetAppDatabase(nullptr);
    return 0;
}

QVector<QProcess *> startCopies(QObject *parent, const QStringList &arguments) {
    QVector<QProcess *> copies;
    for (const QString &tag : {QStringLiteral("A"), QStringLiteral("B")}) {
        auto *copy = new QProcess(parent);
        copy->start(QCoreApplication::applicationFilePath(), QStringList{arguments.first(), arguments.at(1), tag} + arguments.mid(2));
        copies << copy;
    }
    return copies;
}

}  // namespace

class tst_ConcurrentAppend : public QObject {
    Q_OBJECT
private slots:
    void twoCopiesAppendOrders();
    void twoCopiesSaveOrdersShipmentsAndInvoices();
};

void tst_ConcurrentAppend::twoCopiesAppendOrders() {
    TestDatabase db;
    const QVector<QProcess *> copies = startCopies(this, {kWorkerFlag, db.path()});
    QHash<qlonglong, QString> promised;  // ID read at add-new -> order number written
    for (QProcess *copy : copies) {
        QVERIFY(copy->waitForFinished(120000));
        QCOMPARE(copy->exitCode(), 0);
        const QStringList lines = QString::fromUtf8(copy->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), kOrdersPerCopy);
        for (const QString &line : lines) {
            const QStringList parts = line.split('\t');
            QVERIFY2(!promised.contains(parts[0].toLongLong()), qPrintable("number handed out twice: " + parts[0]));
            promised.insert(parts[0].toLongLong(), parts[1]);
        }
    }
    const RowSet stored = db.query("SELECT ID, OrderNumber FROM Orders ORDER BY ID");
    QCOMPARE(stored.rows.size(), 2 * kOrdersPerCopy);
    for (const auto &row : stored.rows) QCOMPARE(row.at(1).toString(), promised.value(row.at(0).toLongLong()));
}

void tst_ConcurrentAppend::twoCopiesSaveOrdersShipmentsAndInvoices() {
    TestDatabase db;
    const qint64 style = ShippingPlant::addCustomer(db, kShared);
    // Fifteen pieces of each line: the two copies together try to ship 24 of each.
    const qint64 shared = ShippingPlant::addOrder(db, kShared, "SHARED", {{1, 15}, {2, 15}});
    const QVector<QProcess *> copies = startCopies(this, {kSavesFlag, db.path(), QString::number(shared), QString::number(style)});
    QMultiHash<QString, QString> saved;  // kind -> ID (or message)
    for (QProcess *copy : copies) {
        QVERIFY(copy->waitForFinished(240000));
        QVERIFY2(copy->exitCode() == 0, copy->readAllStandardError().constData());
        for (const QString &line : QString::fromUtf8(copy->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            saved.insert(line.section('\t', 0, 0), line.section('\t', 1));
    }
    for (const char *kind : {"order", "invoice"}) {
        const QStringList ids = saved.values(kind);
        QCOMPARE(ids.size(), 2 * kRoundsPerCopy);
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
    }
    QCOMPARE(db.count("Orders"), 2 * kRoundsPerCopy + 1);
    QCOMPARE(db.count("Invoice"), 2 * kRoundsPerCopy);
    QCOMPARE(db.count("OrdersInvoiced"), 2 * kRoundsPerCopy);
    QCOMPARE(db.count("OrderItems", QString("OrderID <> %1").arg(shared)), 4 * kRoundsPerCopy);
    // Exactly fifteen shipments went out; the others were refused, naming the line.
    QCOMPARE(saved.values("shipment").size(), 15);
    QCOMPARE(saved.values("refused").size(), 2 * kRoundsPerCopy - 15);
    for (const QString &message : saved.values("refused")) QVERIFY2(message.startsWith("Line 1 has only 0 left"), qPrintable(message));
    QCOMPARE(db.scalar(QString("SELECT SUM(Qty) FROM ShipmentItems WHERE OrderID = %1").arg(shared)).toDouble(), 30.0);
    QCOMPARE(ShippingPlant::status(db, shared), QString("Closed"));
}

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], kWorkerFlag) == 0) return runWorker(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 6 && qstrcmp(argv[1], kSavesFlag) == 0)
        return runSavesWorker(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]),
                              QString::fromLocal8Bit(argv[5]));
    tst_ConcurrentAppend test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_concurrentappend.moc"
