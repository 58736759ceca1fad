// quelby-admin as the lead developer's scripts and support staff run it: a real process,
// its exit code, what it prints and what it leaves in the database file.

#include "tests/support/AdminRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What the standard sqlite3 tool prints for a statement on a file.
QString sqliteTool(const QString &path, const QString &sql) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("sqlite3")), {path, sql});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

const QRegularExpression kReportedError(QStringLiteral(R"(^\d+: \S.*\n$)"));

}  // namespace

class tst_Admin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void help_data();
    void help();
    void badArguments_data();
    void badArguments();
    void demoThenQueryOfOrders();
    void queryPrintsValuesAsTheOfficeReadsThem_data();
    void queryPrintsValuesAsTheOfficeReadsThem();
    void execChangesARow();
    void initMakesAnEmptyDatabase();
    void refusesAnExistingFile_data();
    void refusesAnExistingFile();
    void failuresExitNonZeroWithTheError_data();
    void failuresExitNonZeroWithTheError();
    void largePlant();
    void printWritesPdfFiles();
    void printKnowsThePaperworkBuilders_data();
    void printKnowsThePaperworkBuilders();
    void paperworkWritesTheWholeSetAsPdfFiles();
    void paperworkRefusesWhatItCannotPrint_data();
    void paperworkRefusesWhatItCannotPrint();
    void secondStatementIsRefused_data();
    void secondStatementIsRefused();
    void foreignFileIsLeftAlone_data();
    void foreignFileIsLeftAlone();
    void killedDemoLeavesNoFile();
    void upgradeOfAFileMadeBefore();

private:
    QTemporaryDir m_dir;
    QString m_demo;  // one demo plant shared by the read-only cases
};

void tst_Admin::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_demo = m_dir.filePath("demo.db");
    const AdminRun run = admin({"demo", m_demo});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFile::exists(m_demo));
}

void tst_Admin::help_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("first");
    QTest::newRow("--help") << QStringList{"--help"} << "Usage: quelby-admin COMMAND";
    QTest::newRow("help") << QStringList{"help"} << "Usage: quelby-admin COMMAND";
    QTest::newRow("init --help") << QStringList{"init", "--help"} << "Usage: quelby-admin init PATH";
    QTest::newRow("demo --help") << QStringList{"demo", "--help"} << "Usage: quelby-admin demo PATH";
    QTest::newRow("query --help") << QStringList{"query", "x.db", "--help"} << "Usage: quelby-admin query PATH";
    QTest::newRow("exec --help") << QStringList{"exec", "--help"} << "Usage: quelby-admin exec PATH";
    QTest::newRow("print --help") << QStringList{"print", "--help"} << "Usage: quelby-admin print PATH";
}

void tst_Admin::help() {
    QFETCH(QStringList, args);
    QFETCH(QString, first);
    const AdminRun run = admin(args);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(first), qPrintable(run.out));
    QCOMPARE(run.err, QString());
    QVERIFY(!QFile::exists("x.db"));
}

void tst_Admin::badArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("nothing") << QStringList{} << "no command";
    QTest::newRow("unknown command") << QStringList{"frobnicate", "a.db"} << "unknown command 'frobnicate'";
    QTest::newRow("init without path") << QStringList{"init"} << "init takes one PATH";
    QTest::newRow("init with two paths") << QStringList{"init", "a.db", "b.db"} << "init takes one PATH";
    QTest::newRow("query without SQL") << QStringList{"query", "a.db"} << "query takes PATH and one SQL";
    QTest::newRow("exec with two statements") << QStringList{"exec", "a.db", "DELETE FROM Orders", "DELETE FROM Bun"}
                                              << "exec takes PATH and one SQL";
    QTest::newRow("large without counts") << QStringList{"demo", "a.db", "--large"} << "--large STYLES ORDERS";
    QTest::newRow("print without --out") << QStringList{"print", "a.db", "PrintBunListing"} << "--out DIR";
    QTest::newRow("large with a word") << QStringList{"demo", "a.db", "--large", "many", "5"} << "STYLES must be a whole number";
}

// A command line that cannot be run says why, shows the usage, exits 2 and creates nothing.
void tst_Admin::badArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const QString here = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const AdminRun run = admin(args);
    QDir::setCurrent(here);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    QVERIFY2(run.err.contains("Usage: quelby-admin"), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QVERIFY(!QFile::exists(m_dir.filePath("a.db")));
}

void tst_Admin::demoThenQueryOfOrders() {
    const AdminRun run = admin({"query", m_demo,
                           "SELECT TOP 1 * FROM Orders WHERE OrderDate >= #1/1/2000# AND OrderNumber Like '*1*'"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3);  // header, one row, and the final line break
    QCOMPARE(lines[2], QString());
    const QStringList header = lines[0].split('\t');
    QCOMPARE(header, (QStringList{"ID", "OrderNumber", "Customer", "OrderDate", "DueDate", "Status", "ShipTo",
                                  "ShipToAddress1", "ShipToAddress2", "ShipToCity", "ShipToState", "ShipToZip",
                                  "ShipToPhone", "ShipToFax", "DateAdded", "Total"}));
    const QStringList row = lines[1].split('\t');
    QCOMPARE(row.size(), header.size());
    bool numeric = false;
    row[0].toLongLong(&numeric);
    QVERIFY(numeric);
    QVERIFY(row[1].contains('1'));
    QVERIFY2(QRegularExpression(R"(^\d{1,2}/\d{1,2}/\d{4}$)").match(row[3]).hasMatch(), qPrintable(row[3]));
    QVERIFY(!row[2].isEmpty());
}

void tst_Admin::queryPrintsValuesAsTheOfficeReadsThem_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("yes/no") << "SELECT ID, Test, Tie FROM Component WHERE ID = 'SC-200'" << "ID\tTest\tTie\nSC-200\tTrue\tFalse\n";
    QTest::newRow("quoted name") << "SELECT Customer FROM Customer WHERE Customer = 'O''Brien Furniture'"
                                 << "Customer\nO'Brien Furniture\n";
    QTest::newRow("money") << "SELECT Price FROM Style WHERE Customer = 'Vedu' AND Name = 'Metro' AND Type = 'Sofa'"
                           << "Price\n212.5\n";
    QTest::newRow("null") << "SELECT MAX(Amount) AS Most, COUNT(*) AS N FROM Payments WHERE Invoice = 0" << "Most\tN\n\t0\n";
    QTest::newRow("several rows") << "SELECT Station, Teams FROM Operation WHERE ReportType = 'CNC' ORDER BY Station"
                                  << "Station\tTeams\nCNC\t1\nCNC 2\t2\n";
    QTest::newRow("no rows") << "SELECT Customer FROM Customer WHERE Customer Like 'Zz*'" << "Customer\n";
    QTest::newRow("text with tabs and line breaks") << "SELECT 'a' || char(9) || 'b' || char(10) || 'c' AS T" << "T\na b c\n";
}

void tst_Admin::queryPrintsValuesAsTheOfficeReadsThem() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    const AdminRun run = admin({"query", m_demo, sql});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, expected);
}

void tst_Admin::execChangesARow() {
    const QString path = m_dir.filePath("exec.db");
    QCOMPARE(admin({"demo", path}).exitCode, 0);
    const QString where = " WHERE OrderNumber = 'LU-7790'";
    AdminRun run = admin({"exec", path, "UPDATE Orders SET Status = 'Void', DueDate = #7/4/2026# " + where});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString());
    run = admin({"exec", path, "UPDATE Customer SET DateAdded = #7/4/2026 14:05:00# WHERE Customer = 'Vedu'"});
    QCOMPARE(run.exitCode, 0);

    run = admin({"query", path, "SELECT OrderNumber, Status, DueDate FROM Orders" + where});
    QCOMPARE(run.out, QString("OrderNumber\tStatus\tDueDate\nLU-7790\tVoid\t7/4/2026\n"));
    run = admin({"query", path, "SELECT DateAdded FROM Customer WHERE Customer = 'Vedu'"});
    QCOMPARE(run.out, QString("DateAdded\n7/4/2026 2:05:00 PM\n"));
    // The other orders are untouched.
    run = admin({"query", path, "SELECT COUNT(*) AS N FROM Orders WHERE Status = 'Void'"});
    QCOMPARE(run.out, QString("N\n3\n"));
}

void tst_Admin::initMakesAnEmptyDatabase() {
    const QString path = m_dir.filePath("empty.db");
    const AdminRun run = admin({"init", path});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    for (const char *table : {"Customer", "Orders", "Style", "Operation", "Payments"})
        QCOMPARE(admin({"query", path, QString("SELECT COUNT(*) AS N FROM ") + table}).out, QString("N\n0\n"));
}

void tst_Admin::refusesAnExistingFile_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("init") << "init";
    QTest::newRow("demo") << "demo";
}

// init and demo never overwrite: the file stays byte for byte as it was.
void tst_Admin::refusesAnExistingFile() {
    QFETCH(QString, command);
    const QString path = m_dir.filePath(command + "-existing.db");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the office's only copy");
    }
    const AdminRun run = admin({command, path});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(kReportedError.match(run.err).hasMatch(), qPrintable(run.err));
    QVERIFY(run.err.contains("already exists"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the office's only copy"));
}

void tst_Admin::failuresExitNonZeroWithTheError_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sql");
    QTest::newRow("query of a missing table") << "query" << "demo.db" << "SELECT * FROM NoSuchTable";
    QTest::newRow("query with bad syntax") << "query" << "demo.db" << "SELECT FROM WHERE";
    QTest::newRow("exec with bad syntax") << "exec" << "demo.db" << "UPDATE Orders SET";
    QTest::newRow("exec of a missing column") << "exec" << "demo.db" << "UPDATE Orders SET Colour = 'Red'";
    QTest::newRow("query of a missing file") << "query" << "missing.db" << "SELECT * FROM Orders";
}

void tst_Admin::failuresExitNonZeroWithTheError() {
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(QString, sql);
    const AdminRun run = admin({command, m_dir.filePath(file), sql});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(kReportedError.match(run.err).hasMatch(), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QVERIFY(!QFile::exists(m_dir.filePath("missing.db")));
}

void tst_Admin::largePlant() {
    const QString path = m_dir.filePath("large.db");
    const AdminRun run = admin({"demo", path, "--large", "40", "120"});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(admin({"query", path, "SELECT COUNT(*) AS N FROM Orders"}).out, QString("N\n120\n"));
    QCOMPARE(admin({"query", path, "SELECT COUNT(*) AS N FROM Style"}).out, QString("N\n40\n"));
}

// print runs a document builder on the demo plant and lists the PDF files it wrote.
void tst_Admin::printWritesPdfFiles() {
    const QString out = m_dir.filePath("printed");
    const AdminRun run = admin({"print", m_demo, "PrintBunListing", "--out", out});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QStringList files = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(files.size(), 1);
    QVERIFY2(files[0].endsWith("crptBunListing.pdf"), qPrintable(files[0]));
    QFile pdf(files[0]);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
}

// The ID of a demo order, by its number, as a script would look it up.
static QString demoOrderId(const QString &demo, const QString &orderNumber) {
    const AdminRun run = admin({"query", demo, "SELECT ID FROM Orders WHERE OrderNumber = '" + orderNumber + "'"});
    return run.out.split('\n', Qt::SkipEmptyParts).value(1);
}

void tst_Admin::printKnowsThePaperworkBuilders_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QStringList>("arguments");  // after the order ID
    QTest::addColumn<QString>("file");
    QTest::newRow("order report") << "PrintOrder" << QStringList{"false", "Plant Mangager"} << "crptOrder";
    QTest::newRow("summary") << "PrintProductionSummary" << QStringList{"Saw Department"} << "crptSummary";
    QTest::newRow("load sheet previewed") << "PrintLoadSheet" << QStringList{"true"} << "crptLoadSheet";
    QTest::newRow("foam order") << "PrintFoamOrder" << QStringList{} << "crptFoamOrder";
}

void tst_Admin::printKnowsThePaperworkBuilders() {
    QFETCH(QString, builder);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QTemporaryDir out;
    const QString id = demoOrderId(m_demo, "HC-5630");
    QVERIFY(!id.isEmpty());
    const AdminRun run = admin(QStringList{"print", m_demo, builder, id} + arguments + QStringList{"--out", out.path()});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts).size(), 1);
    QVERIFY2(run.out.trimmed().endsWith("0001-" + file + ".pdf"), qPrintable(run.out));
}

void tst_Admin::paperworkWritesTheWholeSetAsPdfFiles() {
    QTemporaryDir out;
    const QString id = demoOrderId(m_demo, "V-1088");
    QVERIFY(!id.isEmpty());
    const AdminRun run = admin({"paperwork", m_demo, id, "--out", out.path()});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QStringList files = run.out.split('\n', Qt::SkipEmptyParts);
    QVERIFY2(files.size() >= 18, qPrintable(run.out));
    // The office copy (Vedu's form) first, the load sheet last, a summary ahead of each
    // department's packet; every file is a PDF in the folder, in printing order.
    QVERIFY2(files.first().endsWith("0001-crptOrder2.pdf"), qPrintable(files.first()));
    QVERIFY2(files.at(1).endsWith("0002-crptSummary.pdf"), qPrintable(files.at(1)));
    QVERIFY2(files.last().endsWith(QString("%1-crptLoadSheet.pdf").arg(files.size(), 4, 10, QChar('0'))),
             qPrintable(files.last()));
    QCOMPARE(files.filter("crptSummary").size(), 3);
    QCOMPARE(files.filter("crptCNC.pdf").size(), 3);  // CNC, and CNC 2 once per team
    QCOMPARE(QDir(out.path()).entryList(QDir::Files).size(), files.size());
    for (const QString &f : files) {
        QFile pdf(f);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    }
}

void tst_Admin::paperworkRefusesWhatItCannotPrint_data() {
    QTest::addColumn<QStringList>("args");  // %DB% and %OUT% stand for the paths
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    QTest::newRow("an order ID that is not a number")
        << QStringList{"%DB%", "7 OR 1=1", "--out", "%OUT%"} << 1 << "13: Type mismatch";
    QTest::newRow("an order that does not exist") << QStringList{"%DB%", "9999", "--out", "%OUT%"} << 1 << "3021: ";
    QTest::newRow("no order ID") << QStringList{"%DB%", "--out", "%OUT%"} << 2 << "paperwork: ";
    QTest::newRow("two order IDs") << QStringList{"%DB%", "1", "2", "--out", "%OUT%"} << 2 << "paperwork: ";
    QTest::newRow("no --out") << QStringList{"%DB%", "1"} << 2 << "paperwork: ";
    QTest::newRow("no database there") << QStringList{"%DB%.missing", "1", "--out", "%OUT%"} << 1 << "3024: ";
}

void tst_Admin::paperworkRefusesWhatItCannotPrint() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QTemporaryDir out;
    for (QString &a : args) a.replace("%DB%", m_demo).replace("%OUT%", out.filePath("pdf"));
    const AdminRun run = admin(QStringList{"paperwork"} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QVERIFY(!QDir(out.filePath("pdf")).exists() || QDir(out.filePath("pdf")).isEmpty());
}

void tst_Admin::secondStatementIsRefused_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("sql");
    QTest::newRow("exec") << "exec" << "UPDATE Orders SET Status = 'Void'; DELETE FROM Orders";
    QTest::newRow("query") << "query" << "SELECT COUNT(*) AS N FROM Orders; DELETE FROM Orders";
}

// Everything after a ';' used to be dropped without a word; now nothing runs at all.
void tst_Admin::secondStatementIsRefused() {
    QFETCH(QString, command);
    QFETCH(QString, sql);
    const QString path = m_dir.filePath(command + "-two.db");
    QCOMPARE(admin({"demo", path}).exitCode, 0);
    const QString before = admin({"query", path, "SELECT Status, COUNT(*) AS N FROM Orders GROUP BY Status"}).out;
    const AdminRun run = admin({command, path, sql});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("3142: "), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(admin({"query", path, "SELECT Status, COUNT(*) AS N FROM Orders GROUP BY Status"}).out, before);
}

void tst_Admin::foreignFileIsLeftAlone_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("sql");
    QTest::newRow("query") << "query" << "SELECT 1 AS N";
    QTest::newRow("exec") << "exec" << "DROP TABLE Anything";
}

// A zero-byte file named by mistake is no plant: refused, and not turned into a database.
void tst_Admin::foreignFileIsLeftAlone() {
    QFETCH(QString, command);
    QFETCH(QString, sql);
    const QString path = m_dir.filePath(command + "-zero.db");
    { QFile file(path); QVERIFY(file.open(QIODevice::WriteOnly)); }
    const AdminRun run = admin({command, path, sql});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("3343: Unrecognized database format"), qPrintable(run.err));
    QCOMPARE(QFileInfo(path).size(), 0);
    QVERIFY(!QFile::exists(path + "-wal"));
}

// A demo stopped part-way leaves no file under the name asked for, so that running it again
// simply works; only a leftover under a temporary name may remain.
void tst_Admin::killedDemoLeavesNoFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.db");
    QProcess process;
    process.start(QStringLiteral(QUELBY_ADMIN_PATH), {"demo", path, "--large", "400", "40000"});
    QVERIFY(process.waitForStarted());
    // Wait until the new database is being written, then stop the tool at once.
    QDir folder(dir.path());
    bool writing = false;
    for (int i = 0; i < 6000 && !writing && process.state() == QProcess::Running; ++i) {
        for (const QFileInfo &file : folder.entryInfoList(QDir::Files | QDir::Hidden))
            if (file.size() > 0) writing = true;
        if (!writing) QThread::msleep(10);
    }
    QVERIFY2(writing, "quelby-admin wrote nothing");
    QVERIFY2(process.state() == QProcess::Running, "the large plant was finished before it could be stopped");
    process.kill();
    process.waitForFinished();
    QVERIFY2(!QFile::exists(path), "a half-made database was left under its name");
    const AdminRun again = admin({"demo", path});
    QCOMPARE(again.err, QString());
    QCOMPARE(again.exitCode, 0);
    QVERIFY(admin({"query", path, "SELECT COUNT(*) AS N FROM Orders"}).out != QString("N\n0\n"));
}

// Customers of other alphabets pass the sqlite3 tool's check. An earlier build's file with
// two names that would become one is refused, losing nothing; once one is gone, upgraded.
void tst_Admin::upgradeOfAFileMadeBefore() {
    if (QStandardPaths::findExecutable("sqlite3").isEmpty()) QSKIP("the sqlite3 tool is not installed");
    const QString path = m_dir.filePath("upgrade.db");
    QCOMPARE(admin({"demo", path}).exitCode, 0);
    for (const char *name : {"Müller Schaumstoff", "Ærø Møbler", "Ελλάδα Αφρός", "Ölfabrik Nord", "Öko Schaum"})
        admin({"exec", path, QString("INSERT INTO Customer (Customer) VALUES ('%1')").arg(name)});
    QCOMPARE(sqliteTool(path, "PRAGMA integrity_check"), QString("ok\n"));
    sqliteTool(path, "INSERT INTO Customer (Customer) VALUES ('MÜLLER SCHAUMSTOFF'); PRAGMA user_version = 0; REINDEX");
    const QString lookup = "SELECT Customer FROM Customer WHERE Customer = 'MÜLLER SCHAUMSTOFF'";
    const AdminRun refused = admin({"upgrade", path});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("Customer: MÜLLER SCHAUMSTOFF | Müller Schaumstoff"), qPrintable(refused.err));
    QCOMPARE(admin({"query", path, lookup}).out, QString("Customer\nMÜLLER SCHAUMSTOFF\n"));
    sqliteTool(path, "DELETE FROM Customer WHERE Customer = 'MÜLLER SCHAUMSTOFF'");
    QCOMPARE(admin({"upgrade", path}).out, path + ": upgraded; names compare without regard to case for every letter.\n");
    QCOMPARE(sqliteTool(path, "PRAGMA integrity_check"), QString("ok\n"));
}

QTEST_GUILESS_MAIN(tst_Admin)
#include "tst_admin.moc"
