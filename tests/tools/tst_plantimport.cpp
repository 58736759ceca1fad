// A plant moving in: the demo plant exported as CSV and imported into a new plant, or
// copied onto the server and back, comes back identical and prints the same paperwork; a broken copy of it is refused with the
// bad row named and nothing written; a desktop-database file goes through the same
// mapping as the CSV files.

#include "core/AppError.h"
#include "data/Catalogue.h"
#include "data/Database.h"
#include "tools/DemoPlant.h"
#include "orders/Paperwork.h"
#include "tests/support/AdminRun.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/TestServer.h"
#include "tools/CsvFile.h"
#include "tools/PlantExport.h"
#include "tools/PlantImport.h"
#include "tools/ValueText.h"

#include <QProcess>
#include <QtTest>

namespace {

QVector<QVector<QVariant>> rowsOf(const QString &plant, const QString &table) {
    auto db = Database::open(plant);
    auto rs = db->openRecordset(QStringLiteral("SELECT * FROM [%1]").arg(table), RecordsetType::ForwardOnly);
    return rs->rowSet().rows;
}

// Rewrites one table file of an exported plant through `change`.
void editTable(const QString &dir, const QString &table, const std::function<void(SourceTable &)> &change) {
    const QString path = dir + QLatin1Char('/') + table + QStringLiteral(".csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SourceTable t = Csv::parse(Csv::decode(file.readAll(), CsvEncoding::Utf8), table);
    file.close();
    change(t);
    QVector<bool> quoted;
    for (const QString &c : t.columns) quoted << (Catalogue::kindOf(table, c) == ColumnKind::Text);
    QFile::remove(path);
    Csv::write(path, t.columns, quoted, t.rows);
}

void setField(const QString &dir, const QString &table, int row, const QString &column, const QString &value) {
    editTable(dir, table, [&](SourceTable &t) { t.rows[row][t.columns.indexOf(column)] = value; });
}

QString fixture(const QString &name) {
    return qEnvironmentVariable("QUELBY_SOURCE_DIR") + QStringLiteral("/tests/tools/fixtures/") + name;
}

}  // namespace

class tst_PlantImport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void roundTripGivesTheSamePlant();
    void copyThereAndBackGivesTheSamePlant();
    void fieldsByKind_data();
    void fieldsByKind();
    void brokenSource_data();
    void brokenSource();
    void skipBadRowsLeavesOutTheRowsAndTheirLines();
    void refusesAPlantThatHoldsRows();
    void windows1252AndQuoting();
    void desktopDatabaseGoesThroughTheSameMapping();

private:
    QString newPlant(const QString &name);
    QStringList m_serverPlants;
    void requireTheDemoPlant(const QString &plant, const QString &summary);

    QTemporaryDir m_dir;
    QString m_demo;
    QString m_exported;  // the demo plant as CSV, as export wrote it
    QString m_source;    // a fresh copy of it for each test to break
};

void tst_PlantImport::initTestCase() {
    m_demo = m_dir.filePath(QStringLiteral("demo.db"));
    Database::build(m_demo, [](Database &db) { DemoPlant::populate(db); });
    m_exported = m_dir.filePath(QStringLiteral("exported"));
    const AdminRun run = admin({QStringLiteral("export"), m_demo, m_exported});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.contains(QRegularExpression(QStringLiteral("\\nOrders +\\d+ [0-9a-f]{16}\\n"))));
}

void tst_PlantImport::init() {
    static int n = 0;
    m_source = m_dir.filePath(QStringLiteral("source%1").arg(++n));
    QDir().mkpath(m_source);
    for (const QString &name : QDir(m_exported).entryList(QDir::Files))
        QFile::copy(m_exported + QLatin1Char('/') + name, m_source + QLatin1Char('/') + name);
}

// Where a test's new plant goes: a new file, or a new database on the server in the
// server pass.
QString tst_PlantImport::newPlant(const QString &name) {
    if (!TestServer::inUse()) return m_dir.filePath(name);
    m_serverPlants << TestServer::makeDatabase();
    return m_serverPlants.last();
}

void tst_PlantImport::cleanupTestCase() {
    for (const QString &plant : m_serverPlants) TestServer::dropDatabase(plant);
}

// The plant holds the demo plant's rows table for table, the summary a command printed
// counts them, new orders go on past the highest key, and the paperwork prints the same.
void tst_PlantImport::requireTheDemoPlant(const QString &plant, const QString &summary) {
    auto original = Database::open(m_demo);
    auto copy = Database::open(plant);
    for (const CatalogueTable &table : Catalogue::tables()) {
        const auto rows = rowsOf(m_demo, table.name);
        QVERIFY2(!rows.isEmpty(), qPrintable(table.name));
        QCOMPARE(rowsOf(plant, table.name), rows);
        QCOMPARE(PlantExport::tableChecksum(*copy, table.name), PlantExport::tableChecksum(*original, table.name));
        QVERIFY2(summary.contains(QRegularExpression(QStringLiteral("\\n%1 +%2 +%2 +0 ").arg(table.name).arg(rows.size()))),
                 qPrintable(table.name + QStringLiteral(" not summed up in:\n") + summary));
    }
    const qlonglong highest = copy->openRecordset(QStringLiteral("SELECT MAX(ID) AS M FROM Orders"))->field(QStringLiteral("M")).toLongLong();
    auto orders = copy->openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = 0"));
    orders->addNew();
    QCOMPARE(orders->field(QStringLiteral("ID")).toLongLong(), highest + 1);
    orders.reset();
    copy.reset();
    original.reset();

    QStringList pages[2];
    const QString plants[2] = {m_demo, plant};
    for (int i = 0; i < 2; ++i) {
        SetAppDatabase(Database::open(plants[i]));
        CaptureTarget capture;
        PrintOrderPaperwork(QStringLiteral("1"));
        for (const CapturedDocument &d : capture.documents) pages[i] << d.templateName << d.lines().join(QLatin1Char('\n'));
    }
    SetAppDatabase(nullptr);
    QVERIFY(pages[0].size() > 10);
    QCOMPARE(pages[1], pages[0]);
}

void tst_PlantImport::roundTripGivesTheSamePlant() {
    const QString imported = newPlant(QStringLiteral("roundtrip.db"));
    const AdminRun run = admin({QStringLiteral("import"), m_source, imported});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(!run.out.contains(QStringLiteral("skipped.")) && !run.out.contains(QStringLiteral("left empty")), qPrintable(run.out));
    requireTheDemoPlant(imported, run.out);
}

// copy moves the plant (onto the server in the server pass) and back into a file.
void tst_PlantImport::copyThereAndBackGivesTheSamePlant() {
    const QString there = newPlant(QStringLiteral("there.db"));
    const AdminRun out = admin({QStringLiteral("copy"), m_demo, there});
    QVERIFY2(out.exitCode == 0, qPrintable(out.err));
    requireTheDemoPlant(there, out.out);
    const QString back = m_dir.filePath(QStringLiteral("back.db"));
    const AdminRun in = admin({QStringLiteral("copy"), there, back});
    QVERIFY2(in.exitCode == 0, qPrintable(in.err));
    requireTheDemoPlant(back, in.out);
    QCOMPARE(admin({QStringLiteral("copy"), m_demo, there}).exitCode, 1);  // a plant holding rows is refused
}

// How a source's text becomes a stored value and is written out again; "error" where the
// text is refused.
void tst_PlantImport::fieldsByKind_data() {
    QTest::addColumn<ColumnKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    using K = ColumnKind;
    QTest::newRow("currency of libmdb") << K::Money << "21.3500" << "21.35";
    QTest::newRow("currency, sign and separators") << K::Money << "$1,234.5" << "1234.50";
    QTest::newRow("currency in parentheses") << K::Money << "(3.10)" << "-3.10";
    QTest::newRow("currency, five decimals") << K::Money << "0.00005" << "error";
    QTest::newRow("yes as -1") << K::YesNo << "-1" << "True";
    QTest::newRow("no as False") << K::YesNo << "false" << "False";
    QTest::newRow("yes/no of 2") << K::YesNo << "2" << "error";
    QTest::newRow("long too large") << K::WholeNumber << "2147483648" << "error";
    QTest::newRow("double, comma") << K::Number << "12,5" << "error";
    QTest::newRow("date m/d/yyyy") << K::Date << "1/31/2004" << "2004-01-31";
    QTest::newRow("date keeps no time") << K::Date << "2004-01-31 10:00:00" << "2004-01-31";
    QTest::newRow("date and time") << K::DateTime << "1/31/2004 2:05:09 PM" << "2004-01-31 14:05:09";
    QTest::newRow("no such day") << K::Date << "2/30/2024" << "error";
}

void tst_PlantImport::fieldsByKind() {
    QFETCH(ColumnKind, kind);
    QFETCH(QString, text);
    QFETCH(QString, written);
    QString error;
    const QVariant value = ValueText::read(kind, text, error);
    if (written == QLatin1String("error")) {
        QVERIFY2(!error.isEmpty(), qPrintable(value.toString()));
        return;
    }
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(ValueText::write(kind, value), written);
    // Stored as the windows store it, and read back to the same text.
    const QVariant stored = StoredValue(kind, QStringLiteral("column"), value);
    if (kind == ColumnKind::Money) QCOMPARE(ValueText::write(kind, stored), written);
}

void tst_PlantImport::brokenSource_data() {
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<bool>("stops");
    QTest::addColumn<QString>("reported");
    QTest::newRow("bad date") << "date" << true << "Orders, ID 1, column OrderDate, value '2024-02-30': not a date";
    QTest::newRow("duplicate key") << "duplicate" << true << "column Customer, value '%1': a second row with the same key";
    QTest::newRow("duplicate auto-number") << "duplicate order" << true << "Orders, ID 1, column ID, value '1': a second row with the same key";
    QTest::newRow("line of a missing order") << "orphan line" << true
                                             << "column OrderID, value '99999': no Orders row has ID 99999";
    QTest::newRow("unknown column") << "column" << false << "Style: column Colour is not a plant column; skipped.";
    QTest::newRow("unknown table") << "table" << false << "Notes: not a table of the plant; skipped (1 row).";
    QTest::newRow("missing table") << "missing" << false << "Vendor: not in the source; left empty.";
}

void tst_PlantImport::brokenSource() {
    QFETCH(QString, breakage);
    QFETCH(bool, stops);
    QFETCH(QString, reported);
    QString firstCustomer;
    if (breakage == QLatin1String("date")) setField(m_source, QStringLiteral("Orders"), 0, QStringLiteral("OrderDate"), QStringLiteral("2024-02-30"));
    if (breakage == QLatin1String("orphan line")) setField(m_source, QStringLiteral("OrderItems"), 0, QStringLiteral("OrderID"), QStringLiteral("99999"));
    if (breakage == QLatin1String("duplicate") || breakage == QLatin1String("duplicate order")) {
        const QString table = breakage == QLatin1String("duplicate") ? QStringLiteral("Customer") : QStringLiteral("Orders");
        editTable(m_source, table, [&](SourceTable &t) {
            firstCustomer = t.rows.first().first();
            t.rows << t.rows.first();
        });
        if (table == QLatin1String("Customer")) reported = reported.arg(firstCustomer);
    }
    if (breakage == QLatin1String("column"))
        editTable(m_source, QStringLiteral("Style"), [](SourceTable &t) {
            t.columns << QStringLiteral("Colour");
            for (QStringList &row : t.rows) row << QStringLiteral("blue");
        });
    if (breakage == QLatin1String("table")) {
        QFile notes(m_source + QStringLiteral("/Notes.csv"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("Note\r\n\"call back\"\r\n");
    }
    if (breakage == QLatin1String("missing")) QVERIFY(QFile::remove(m_source + QStringLiteral("/Vendor.csv")));

    const QString target = m_dir.filePath(QStringLiteral("broken-%1.db").arg(QTest::currentDataTag()));
    const AdminRun run = admin({QStringLiteral("import"), m_source, target});
    if (stops) {
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(reported), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("3421: Nothing was written: ")), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(target));
    } else {
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(reported), qPrintable(run.out));
        const bool vendorsGone = breakage == QLatin1String("missing");
        QCOMPARE(rowsOf(target, QStringLiteral("Vendor")).isEmpty(), vendorsGone);
        QCOMPARE(rowsOf(target, QStringLiteral("Style")), rowsOf(m_demo, QStringLiteral("Style")));
    }
}

void tst_PlantImport::skipBadRowsLeavesOutTheRowsAndTheirLines() {
    setField(m_source, QStringLiteral("Orders"), 0, QStringLiteral("OrderDate"), QStringLiteral("someday"));
    const QString target = m_dir.filePath(QStringLiteral("skipped.db"));
    const AdminRun run = admin({QStringLiteral("import"), m_source, target, QStringLiteral("--skip-bad-rows")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QStringLiteral("Rows left out:\n  Orders, ID 1, column OrderDate, value 'someday': not a date\n")), qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("OrderItems, OrderID 1, ItemNumber 1, column OrderID, value '1': no Orders row has ID 1")));
    auto db = Database::open(target);
    const int orders = rowsOf(m_demo, QStringLiteral("Orders")).size();
    QCOMPARE(rowsOf(target, QStringLiteral("Orders")).size(), orders - 1);
    QVERIFY(db->openRecordset(QStringLiteral("SELECT * FROM OrderItems WHERE OrderID = 1"))->isEmpty());
    QVERIFY(run.out.contains(QRegularExpression(QStringLiteral("\\nOrders +%1 +%2 +1 ").arg(orders).arg(orders - 1))));
}

void tst_PlantImport::refusesAPlantThatHoldsRows() {
    const AdminRun run = admin({QStringLiteral("import"), m_source, m_demo});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("3010: The plant '%1' already holds rows (Customer, ").arg(m_demo)), qPrintable(run.err));
}

// A desktop engine's export: Windows-1252, line breaks and quotes inside quoted fields,
// an empty text apart from a null.
void tst_PlantImport::windows1252AndQuoting() {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Customer.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Customer,Address1,Address2,City,DateAdded,Days\r\n"
               "\"Caf\xe9 \"\"Bol\xedvar\"\"\",\"Calle 5,\r\nLocal 2\",\"\",,1/31/2004 2:05:09 PM,30\r\n");
    file.close();
    const QString target = dir.filePath(QStringLiteral("plant.db"));
    const AdminRun run = admin({QStringLiteral("import"), dir.path(), target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    auto db = Database::open(target);
    auto rs = db->openRecordset(QStringLiteral("SELECT * FROM Customer"));
    QCOMPARE(rs->text(QStringLiteral("Customer")), QStringLiteral("Café \"Bolívar\""));
    QCOMPARE(rs->text(QStringLiteral("Address1")), QStringLiteral("Calle 5,\r\nLocal 2"));
    QVERIFY(!rs->field(QStringLiteral("Address2")).isNull());
    QVERIFY(rs->field(QStringLiteral("City")).isNull());
    QCOMPARE(rs->field(QStringLiteral("DateAdded")).toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             QStringLiteral("2004-01-31 14:05:09"));
    QCOMPARE(rs->field(QStringLiteral("Days")).toInt(), 30);
}

// No plant-shaped desktop-database file can be made here; the reader's tables go through
// the same mapping: the orders of the sample keep their dates, the rest is reported.
void tst_PlantImport::desktopDatabaseGoesThroughTheSameMapping() {
    const QString target = m_dir.filePath(QStringLiteral("nwind.db"));
    const AdminRun run = admin({QStringLiteral("import"), fixture(QStringLiteral("nwind.mdb")), target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.contains(QStringLiteral("Customers: not a table of the plant; skipped (91 rows).")));
    QVERIFY(run.out.contains(QStringLiteral("Orders: column Freight is not a plant column; skipped.")));
    QVERIFY(run.out.contains(QStringLiteral("Orders: the source has no column ID; its rows get new numbers.")));
    QVERIFY(run.out.contains(QRegularExpression(QStringLiteral("\\nOrders +830 +830 +0 "))));
    auto db = Database::open(target);
    auto rs = db->openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = 1"));
    QCOMPARE(rs->field(QStringLiteral("OrderDate")).toDate(), QDate(1994, 11, 16));
    rs = db->openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = 830"));
    QVERIFY(rs->field(QStringLiteral("OrderDate")).toDate().isValid());
}

QTEST_MAIN(tst_PlantImport)
#include "tst_plantimport.moc"
