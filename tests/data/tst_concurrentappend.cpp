// Two copies of the application appending orders to one plant file at the same moment:
// every new order's number, read right after add-new, is the one its stored row keeps,
// and no number is handed out twice.

#include "data/Database.h"
#include "tests/support/Fixtures.h"

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

}  // namespace

class tst_ConcurrentAppend : public QObject {
    Q_OBJECT
private slots:
    void twoCopiesAppendOrders();
};

void tst_ConcurrentAppend::twoCopiesAppendOrders() {
    TestDatabase db;
    QVector<QProcess *> copies;
    for (const QString &tag : {QStringLiteral("A"), QStringLiteral("B")}) {
        auto *copy = new QProcess(this);
        copy->start(QCoreApplication::applicationFilePath(), {kWorkerFlag, db.path(), tag});
        copies << copy;
    }
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

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], kWorkerFlag) == 0) return runWorker(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    tst_ConcurrentAppend test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_concurrentappend.moc"
