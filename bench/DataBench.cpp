// quelby-databench: the data layer's overhead on a plant of ten years' history. Each
// statement runs through Recordset (every field of every row read by name) and through the
// bare SQLite C API (prepared once, stepped to the end, every column read), and the table
// gives both times and their ratio, then the peak resident memory.
//
//   quelby-databench PLANT.db
//
// The plant is made by `quelby-admin demo PLANT.db --large 3000 100000`. Appends run in a
// transaction that is rolled back, so the file is left as it was.

#include "data/Catalogue.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

const char *kOrdersWithoutDates =
    "SELECT ID, OrderNumber, Customer, Status, ShipTo, ShipToAddress1, ShipToAddress2, ShipToCity, ShipToState, "
    "ShipToZip, ShipToPhone, ShipToFax, Total FROM Orders";
const char *kOpenInvoices =
    "SELECT Invoice.ID, Invoice.Customer, Invoice.InvoiceDate, Invoice.DueDate, Invoice.Total, "
    "Sum(Payments.Amount + Payments.Adjustment) AS Paid FROM Invoice LEFT JOIN Payments ON Payments.Invoice = Invoice.ID "
    "GROUP BY Invoice.ID, Invoice.Customer, Invoice.InvoiceDate, Invoice.DueDate, Invoice.Total "
    "HAVING Sum(Payments.Amount + Payments.Adjustment) IS NULL OR Sum(Payments.Amount + Payments.Adjustment) < Invoice.Total";
const char *kLinesWithStyles =
    "SELECT OrderItems.OrderID, OrderItems.ItemNumber, OrderItems.Qty, OrderItems.PriceEach, Style.Name, Style.Customer "
    "FROM OrderItems INNER JOIN Style ON OrderItems.StyleID = Style.ID";
constexpr int kLookups = 10000;
constexpr int kAppends = 10000;

// The best of three runs: the machine's other work inflates a run, never shortens it.
double seconds(const std::function<void()> &work) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

// Every field of every row, by the names the set gives.
qint64 readAll(Database &db, const QString &sql) {
    auto rs = db.openRecordset(sql);
    QStringList names;
    for (int i = 0; i < rs->fieldCount(); ++i) names << rs->column(i).name;
    qint64 seen = 0;
    for (; !rs->eof(); rs->moveNext())
        for (const QString &name : names)
            if (!rs->field(name).isNull()) ++seen;
    return seen;
}

qint64 bareStep(sqlite3_stmt *stmt) {
    qint64 seen = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER: seen += sqlite3_column_int64(stmt, i) != 0; break;
            case SQLITE_FLOAT: seen += sqlite3_column_double(stmt, i) != 0; break;
            case SQLITE_NULL: break;
            default: seen += sqlite3_column_bytes(stmt, i) > 0 && sqlite3_column_text(stmt, i) != nullptr;
            }
        }
    }
    sqlite3_reset(stmt);
    return seen;
}

sqlite3_stmt *barePrepare(sqlite3 *bare, const char *sql) {
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(bare, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sqlite3_errmsg(bare), sql);
        std::exit(1);
    }
    return stmt;
}

double bareSelect(sqlite3 *bare, const char *sql) {
    sqlite3_stmt *stmt = barePrepare(bare, sql);
    const double t = seconds([&] { bareStep(stmt); });
    sqlite3_reset(stmt);
    sqlite3_finalize(stmt);
    return t;
}

void row(const char *what, double quelby, double bare) {
    std::printf("| %-44s | %9.3f | %9.3f | %6.2fx |\n", what, quelby, bare, bare > 0 ? quelby / bare : 0.0);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "Usage: quelby-databench PLANT.db [ROWS-NAMED]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    auto db = Database::open(path);
    sqlite3 *bare = nullptr;
    // The bare connection is configured as the data layer's: one thread, the same page
    // cache and memory map, so the ratio is the data layer's own cost.
    sqlite3_open_v2(argv[1], &bare, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_exec(bare, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    sqlite3_exec(bare, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
    sqlite3_exec(bare, "SELECT count(*) FROM Orders", nullptr, nullptr, nullptr);

    std::printf("| %-44s | %9s | %9s | %7s |\n", "statement", "quelby s", "bare s", "ratio");
    std::printf("|%s|%s|%s|%s|\n", QByteArray(46, '-').constData(), QByteArray(11, '-').constData(),
                QByteArray(11, '-').constData(), QByteArray(9, '-').constData());
    const struct {
        const char *what;
        const char *sql;
    } selects[] = {
        {"SELECT * FROM Orders, every field", "SELECT * FROM Orders"},
        {"Orders without its three dates", kOrdersWithoutDates},
        {"open invoices", kOpenInvoices},
        {"order lines joined to styles", kLinesWithStyles},
    };
    const QByteArray only = argc == 3 ? QByteArray(argv[2]) : QByteArray();
    for (const auto &s : selects) {
        if (!QByteArray(s.what).contains(only)) continue;
        bareSelect(bare, s.sql);  // both read a warm file
        const double quelby = seconds([&] { readAll(*db, QString::fromLatin1(s.sql)); });
        row(s.what, quelby, bareSelect(bare, s.sql));
    }

    if (!only.isEmpty()) return 0;
    const double quelbyLookups = seconds([&] {
        for (int n = 1; n <= kLookups; ++n) {
            auto rs = db->openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID=%1").arg(n * 7 % 100000 + 1));
            for (int i = 0; i < rs->fieldCount(); ++i) rs->field(rs->column(i).name);
        }
    });
    sqlite3_stmt *lookup = barePrepare(bare, "SELECT * FROM Orders WHERE ID=?");
    const double bareLookups = seconds([&] {
        for (int n = 1; n <= kLookups; ++n) {
            sqlite3_bind_int(lookup, 1, n * 7 % 100000 + 1);
            bareStep(lookup);
        }
    });
    sqlite3_finalize(lookup);
    row("10,000 lookups SELECT * FROM Orders WHERE ID=n", quelbyLookups, bareLookups);

    const double quelbyAppends = seconds([&] {
        Transaction tx(*db);
        auto rs = db->openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = 0"));
        for (int n = 0; n < kAppends; ++n) {
            rs->addNew();
            rs->setField(QStringLiteral("OrderNumber"), QStringLiteral("B-%1").arg(n));
            rs->setField(QStringLiteral("Customer"), QStringLiteral("Vedu"));
            rs->setField(QStringLiteral("Status"), QStringLiteral("Open"));
            rs->setField(QStringLiteral("Total"), 12.5);
            rs->update();
        }
    });  // rolled back
    sqlite3_stmt *append = barePrepare(bare, "INSERT INTO Orders (OrderNumber, Customer, Status, Total) VALUES (?, ?, ?, ?)");
    const double bareAppends = seconds([&] {
        sqlite3_exec(bare, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int n = 0; n < kAppends; ++n) {
            const QByteArray number = QByteArray("B-") + QByteArray::number(n);
            sqlite3_bind_text(append, 1, number.constData(), int(number.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(append, 2, "Vedu", -1, SQLITE_STATIC);
            sqlite3_bind_text(append, 3, "Open", -1, SQLITE_STATIC);
            sqlite3_bind_double(append, 4, 12.5);
            sqlite3_step(append);
            sqlite3_reset(append);
        }
        sqlite3_exec(bare, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    sqlite3_finalize(append);
    row("10,000 appends in one transaction", quelbyAppends, bareAppends);
    sqlite3_close(bare);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\npeak resident memory: %.0f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
