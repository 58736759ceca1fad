// The reader of desktop-database files on public sample files of both generations: the
// tables and columns it finds, its row counts, and its values compared with what mdb-export
// (the mdbtools command, formatting with the same library) prints for the same cells.

#include "tools/CsvFile.h"
#include "tools/DesktopDatabaseReader.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString fixture(const QString &name) {
    return qEnvironmentVariable("QUELBY_SOURCE_DIR") + QStringLiteral("/tests/tools/fixtures/") + name;
}

const SourceTable *tableNamed(const SourceTables &tables, const QString &name) {
    for (const SourceTable &t : tables)
        if (t.name == name) return &t;
    return nullptr;
}

// The row whose `keyColumn` holds `key`, or an empty list.
QStringList rowWith(const SourceTable &table, const QString &keyColumn, const QString &key) {
    const int at = table.columns.indexOf(keyColumn);
    for (const QStringList &row : table.rows)
        if (row.value(at) == key) return row;
    return {};
}

QString cell(const SourceTable &table, const QString &keyColumn, const QString &key, const QString &column) {
    const QStringList row = rowWith(table, keyColumn, key);
    return row.isEmpty() ? QStringLiteral("<no row>") : row.value(table.columns.indexOf(column), QStringLiteral("<no column>"));
}

bool haveMdbExport() { return !QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty(); }

// What mdb-export prints for a table, dates in the reader's form, read back as CSV.
SourceTable mdbExport(const QString &file, const QString &table) {
    const QString format = QStringLiteral("%Y-%m-%d %H:%M:%S");
    QProcess process;
    process.start(QStringLiteral("mdb-export"), {QStringLiteral("-D"), format, QStringLiteral("-T"), format, file, table});
    process.waitForFinished(60000);
    return Csv::parse(Csv::decode(process.readAllStandardOutput(), CsvEncoding::Utf8), table);
}

}  // namespace

class tst_DesktopDatabase : public QObject {
    Q_OBJECT

private slots:
    void tablesAndRowCounts_data();
    void tablesAndRowCounts();
    void cells_data();
    void cells();
    void everyTableAsMdbExportPrintsIt_data();
    void everyTableAsMdbExportPrintsIt();
};

void tst_DesktopDatabase::tablesAndRowCounts_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("rows");
    const QStringList nwind = {"Order Details", "Orders",    "Products",  "Shippers", "Categories",
                               "Customers",     "Employees", "Suppliers", QStringLiteral("Umsätze")};
    QTest::newRow("JET3 customers") << "nwind.mdb" << nwind << "Customers"
                                    << QStringList{"CustomerID", "CompanyName", "ContactName", "ContactTitle", "Address",
                                                   "City", "Region", "PostalCode", "Country", "Phone", "Fax"}
                                    << 91;
    // The photo (an OLE object) is left out.
    QTest::newRow("JET3 employees") << "nwind.mdb" << nwind << "Employees"
                                    << QStringList{"EmployeeID", "LastName", "FirstName", "Title", "TitleOfCourtesy",
                                                   "BirthDate", "HireDate", "Address", "City", "Region", "PostalCode",
                                                   "Country", "HomePhone", "Extension", "Notes", "ReportsTo"}
                                    << 9;
    QTest::newRow("JET4") << "DateTestDatabase.mdb" << QStringList{"DateTest"} << "DateTest"
                          << QStringList{"IDCol", "DateTimeCol", "DateCol", "TimeCol", "LongTextCol", "ShortTextCol"} << 6;
    QTest::newRow("ACE12") << "ASampleDatabase.accdb" << QStringList{"Asset Items"} << "Asset Items"
                           << QStringList{"Asset No", "Asset Category", "Make", "Model", "Description", "Owner", "Serial No",
                                          "Acquired", "Cost", "Warranty", "Tax Scale", "Supplier No", "Comments"}
                           << 65;
}

void tst_DesktopDatabase::tablesAndRowCounts() {
    QFETCH(QString, file);
    QFETCH(QStringList, tables);
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    QFETCH(int, rows);
    const SourceTables read = DesktopDatabase::read(fixture(file));
    QStringList names;
    for (const SourceTable &t : read) names << t.name;
    QCOMPARE(names, tables);
    const SourceTable *t = tableNamed(read, table);
    QVERIFY(t);
    QCOMPARE(t->columns, columns);
    QCOMPARE(t->rows.size(), rows);
    for (const QStringList &row : t->rows) QCOMPARE(row.size(), columns.size());
}

void tst_DesktopDatabase::cells_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("keyColumn");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << "nwind.mdb" << "Orders" << "OrderID" << "10330" << "OrderDate" << "1994-11-16 00:00:00";
    QTest::newRow("currency") << "nwind.mdb" << "Orders" << "OrderID" << "10330" << "Freight" << "12.7500";
    QTest::newRow("currency with cents") << "nwind.mdb" << "Products" << "ProductID" << "5" << "UnitPrice" << "21.3500";
    QTest::newRow("yes") << "nwind.mdb" << "Products" << "ProductID" << "5" << "Discontinued" << "1";
    QTest::newRow("no") << "nwind.mdb" << "Products" << "ProductID" << "1" << "Discontinued" << "0";
    QTest::newRow("memo") << "nwind.mdb" << "Employees" << "EmployeeID" << "1" << "Notes"
                          << "Education includes a BA in psychology from Colorado State University in 1970.  She also "
                             "completed \"The Art of the Cold Call.\"  Nancy is a member of Toastmasters International.";
    QTest::newRow("memo with a line break") << "DateTestDatabase.mdb" << "DateTest" << "IDCol" << "6" << "LongTextCol"
                                            << "New line\r\nin field";
    QTest::newRow("apostrophe") << "nwind.mdb" << "Customers" << "CustomerID" << "BONAP" << "CompanyName" << "Bon app'";
    QTest::newRow("non-ASCII letters") << "nwind.mdb" << "Customers" << "CustomerID" << "ANATR" << "Address"
                                       << QStringLiteral("Avda. de la Constitución 2222");
    QTest::newRow("null") << "nwind.mdb" << "Customers" << "CustomerID" << "ANATR" << "Region" << QString();
    QTest::newRow("ACE12 date") << "ASampleDatabase.accdb" << "Asset Items" << "Asset No" << "30050" << "Acquired"
                                << "1997-09-02 00:00:00";
    QTest::newRow("ACE12 currency") << "ASampleDatabase.accdb" << "Asset Items" << "Asset No" << "30050" << "Cost"
                                    << "1995.5000";
}

void tst_DesktopDatabase::cells() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, keyColumn);
    QFETCH(QString, key);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    const SourceTables read = DesktopDatabase::read(fixture(file));
    const SourceTable *t = tableNamed(read, table);
    QVERIFY(t);
    const QString value = cell(*t, keyColumn, key, column);
    QCOMPARE(value, expected);
    QCOMPARE(value.isNull(), expected.isNull());
    if (!haveMdbExport()) QSKIP("mdb-export is not installed (Debian package mdbtools); compared with the known value only");
    const QString printed = cell(mdbExport(fixture(file), table), keyColumn, key, column);
    QCOMPARE(value, printed);
}

void tst_DesktopDatabase::everyTableAsMdbExportPrintsIt_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("JET3") << "nwind.mdb";
    QTest::newRow("JET4") << "DateTestDatabase.mdb";
    QTest::newRow("ACE12") << "ASampleDatabase.accdb";
}

void tst_DesktopDatabase::everyTableAsMdbExportPrintsIt() {
    QFETCH(QString, file);
    if (!haveMdbExport()) QSKIP("mdb-export is not installed (Debian package mdbtools)");
    for (const SourceTable &t : DesktopDatabase::read(fixture(file))) {
        const SourceTable printed = mdbExport(fixture(file), t.name);
        QCOMPARE(printed.rows.size(), t.rows.size());
        for (int c = 0; c < t.columns.size(); ++c) {
            const int at = printed.columns.indexOf(t.columns.at(c));
            QVERIFY2(at >= 0, qPrintable(t.name + QLatin1Char('.') + t.columns.at(c)));
            for (int r = 0; r < t.rows.size(); ++r)
                QVERIFY2(t.rows.at(r).at(c) == printed.rows.at(r).at(at),
                         qPrintable(QStringLiteral("%1.%2 row %3: '%4' where mdb-export prints '%5'")
                                        .arg(t.name, t.columns.at(c)).arg(r + 1)
                                        .arg(t.rows.at(r).at(c), printed.rows.at(r).at(at))));
        }
    }
}

QTEST_GUILESS_MAIN(tst_DesktopDatabase)
#include "tst_desktopdatabase.moc"
