// Names compared without regard to case for every letter, as the clerks type them
// ("MÜLLER SCHAUMSTOFF" is "Müller Schaumstoff"), and plant files made when only A-Z
// compared so brought over once, losing nothing.

#include "core/AppError.h"
#include "data/Database.h"
#include "data/SqliteEngine.h"
#include "tests/support/Fixtures.h"

#include <QtTest>
#include <sqlite3.h>

namespace {

// Rows of a query as "a,b|c,d"; a refused statement as "error N".
QString outcome(const TestDatabase &db, const QString &sql) {
    try {
        if (sql.startsWith("INSERT")) {
            db.exec(sql);
            return "stored";
        }
        QStringList rows;
        for (const auto &row : db.query(sql).rows) {
            QStringList cells;
            for (const QVariant &v : row) cells << v.toString();
            rows << cells.join(',');
        }
        return rows.join('|');
    } catch (const AppError &e) {
        return QStringLiteral("error %1").arg(e.number());
    }
}

// A file as an earlier build left it: its keys ordered by A-Z alone (SQLite's own NOCASE)
// and no mark of the comparison of every letter.
void writeAsBefore(const QString &path, const char *sql) {
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, "PRAGMA user_version = 0; REINDEX", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// PRAGMA integrity_check on a connection that compares as the plant's own do, and the mark.
QString checkAsThePlant(const QString &path, int *version = nullptr) {
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    SqliteEngine::addPlantFunctions(db);
    sqlite3_stmt *stmt = nullptr;
    QStringList lines;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr);
    if (sqlite3_step(stmt) == SQLITE_ROW && version) *version = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return lines.join('\n');
}

// Names whose order under A-Z alone differs from their order by every letter ("Ö" sorts
// before "ö" byte by byte), with orders under names typed in other cases.
const char kOldPlant[] =
    "INSERT INTO Customer (Customer, City) VALUES ('Acme Foam', 'Tupelo'), ('Ölfabrik Nord', 'Kiel'), "
    "('öko Schaum', 'Bremen'), ('Müller Schaumstoff', 'Ulm'), ('Zebra Seating', 'Hickory');"
    "INSERT INTO Orders (OrderNumber, Customer) VALUES ('A-1', 'ACME FOAM'), ('M-1', 'MÜLLER SCHAUMSTOFF'), "
    "('M-2', 'Müller Schaumstoff'), ('O-1', 'ÖKO SCHAUM');";

}  // namespace

class tst_CaseFolding : public QObject {
    Q_OBJECT
private slots:
    void everyLetterWithoutCase_data();
    void everyLetterWithoutCase();
    void oldFileIsReorderedOnceLosingNothing();
    void collidingNamesKeepTheOldComparison();
};

void tst_CaseFolding::everyLetterWithoutCase_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("=") << "SELECT Customer FROM Customer WHERE Customer = 'MÜLLER SCHAUMSTOFF'" << "Müller Schaumstoff";
    QTest::newRow("= Greek, final sigma") << "SELECT Customer FROM Customer WHERE Customer = 'ΕΛΛΆΔΑ ΑΦΡΌΣ'"
                                           << "Ελλάδα Αφρός";
    QTest::newRow("<>") << "SELECT Customer FROM Customer WHERE Customer <> 'ærø møbler' ORDER BY Customer"
                        << "Müller Schaumstoff|öko Schaum|öko Schauß|Ölfabrik Nord|Ελλάδα Αφρός";
    QTest::newRow("Like") << "SELECT Customer FROM Customer WHERE Customer Like 'ÆRØ*'" << "Ærø Møbler";
    QTest::newRow("ORDER BY") << "SELECT Customer FROM Customer WHERE Customer Like 'ö*' ORDER BY Customer"
                              << "öko Schaum|öko Schauß|Ölfabrik Nord";
    QTest::newRow("GROUP BY") << "SELECT Count(*) FROM Orders GROUP BY Customer ORDER BY Count(*)" << "1|2";
    QTest::newRow("join on the customer") << "SELECT Orders.OrderNumber, Customer.City FROM Orders INNER JOIN Customer "
                                             "ON Orders.Customer = Customer.Customer ORDER BY Orders.OrderNumber"
                                          << "A-1,Ærøskøbing|M-1,Ulm|M-2,Ulm";
    QTest::newRow("unique key") << "INSERT INTO Customer (Customer) VALUES ('ÆRØ MØBLER')" << "error 3022";
}

void tst_CaseFolding::everyLetterWithoutCase() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    TestDatabase db;
    db.exec("INSERT INTO Customer (Customer, City) VALUES ('Müller Schaumstoff', 'Ulm')");
    db.exec("INSERT INTO Customer (Customer, City) VALUES ('Ærø Møbler', 'Ærøskøbing')");
    db.exec("INSERT INTO Customer (Customer, City) VALUES ('Ελλάδα Αφρός', 'Πάτρα')");
    db.exec("INSERT INTO Customer (Customer, City) VALUES ('Ölfabrik Nord', 'Kiel')");
    db.exec("INSERT INTO Customer (Customer, City) VALUES ('öko Schaum', 'Bremen')");
    db.exec("INSERT INTO Customer (Customer) VALUES ('öko Schauß')");
    db.exec("INSERT INTO Orders (OrderNumber, Customer) VALUES ('A-1', 'ærø møbler')");
    db.exec("INSERT INTO Orders (OrderNumber, Customer) VALUES ('M-1', 'Müller Schaumstoff')");
    db.exec("INSERT INTO Orders (OrderNumber, Customer) VALUES ('M-2', 'MÜLLER SCHAUMSTOFF')");
    QCOMPARE(outcome(db, sql), expected);
}

// A file made when only A-Z compared is reordered on its first opening, in one transaction:
// every row stays, names typed in other cases find their rows, and the next opening finds
// nothing left to do.
void tst_CaseFolding::oldFileIsReorderedOnceLosingNothing() {
    TestDatabase db;
    SetAppDatabase(nullptr);
    writeAsBefore(db.path(), kOldPlant);
    int version = -1;
    QVERIFY(checkAsThePlant(db.path(), &version) != "ok");  // its keys stand in the old order
    QCOMPARE(version, 0);

    auto opened = Database::open(db.path());
    QVERIFY(opened->caseFolding().rebuilt);
    QVERIFY(opened->caseFolding().collisions.isEmpty());
    QCOMPARE(opened->caseFoldingNotice(), QString());
    SetAppDatabase(std::move(opened));
    QCOMPARE(db.count("Customer"), 5);
    QCOMPARE(db.count("Orders"), 4);
    QCOMPARE(db.count("Orders", "Customer = 'müller schaumstoff'"), 2);
    QCOMPARE(outcome(db, "SELECT City FROM Customer WHERE Customer = 'ÖLFABRIK NORD'"), QString("Kiel"));
    QCOMPARE(outcome(db, "SELECT Customer FROM Customer WHERE Customer Like 'ö*' ORDER BY Customer"),
             QString("öko Schaum|Ölfabrik Nord"));
    SetAppDatabase(nullptr);
    QCOMPARE(checkAsThePlant(db.path(), &version), QString("ok"));
    QCOMPARE(version, 1);
    QVERIFY(!Database::open(db.path())->caseFolding().rebuilt);
}

// Two customers that would become one are never merged: the file is left as it was, the
// notice names them, and names compare A-Z alone until one is renamed.
void tst_CaseFolding::collidingNamesKeepTheOldComparison() {
    TestDatabase db;
    SetAppDatabase(nullptr);
    writeAsBefore(db.path(), "INSERT INTO Customer (Customer, City) VALUES ('Müller Schaumstoff', 'Ulm'), "
                             "('MÜLLER SCHAUMSTOFF', 'Köln'), ('Acme Foam', 'Tupelo')");
    auto opened = Database::open(db.path());
    QVERIFY(!opened->caseFolding().rebuilt);
    QCOMPARE(opened->caseFolding().collisions, QStringList{"Customer: MÜLLER SCHAUMSTOFF | Müller Schaumstoff"});
    QVERIFY(opened->caseFoldingNotice().contains("Customer: MÜLLER SCHAUMSTOFF | Müller Schaumstoff"));
    SetAppDatabase(std::move(opened));
    QCOMPARE(db.count("Customer"), 3);
    QCOMPARE(outcome(db, "SELECT City FROM Customer WHERE Customer = 'MÜLLER SCHAUMSTOFF'"), QString("Köln"));
    QCOMPARE(outcome(db, "SELECT City FROM Customer WHERE Customer = 'ACME FOAM'"), QString("Tupelo"));
    db.exec("UPDATE Customer SET Customer = 'Müller Köln' WHERE City = 'Köln'");
    SetAppDatabase(nullptr);
    int version = -1;
    checkAsThePlant(db.path(), &version);
    QCOMPARE(version, 0);

    SetAppDatabase(Database::open(db.path()));
    QVERIFY(AppDatabase().caseFolding().rebuilt);
    QCOMPARE(outcome(db, "SELECT City FROM Customer WHERE Customer = 'MÜLLER SCHAUMSTOFF'"), QString("Ulm"));
}

QTEST_GUILESS_MAIN(tst_CaseFolding)
#include "tst_casefolding.moc"
