// quelby-databench: the data layer's overhead on a plant of ten years' history. Each
// statement runs through Recordset (every field of every row read by name, the set opened
// forward-only as a listing or a grid reads it, or as a dynaset as a window that may edit
// reads it) and through the
// bare SQLite C API (prepared once, stepped to the end, every column read), and the table
// gives both times and their ratio, then the peak resident memory. A last column gives the
// bare reading that also makes each text a QString, and one for the bare reading that makes
// every column the QVariant a Qt program passes it on in.
//
//   quelby-databench PLANT.db [ROWS-NAMED]
//
// The plant is made by `quelby-admin demo PLANT.db --large 3000 100000`. The first rows are
// single statements; the rest are the statements the navigators run and those a document
// runs, gathered by running its builder once and timed together. Appends run in a
// transaction that is rolled back; the builders write only the summary's scratch tables. A
// second argument runs only the rows whose name holds it. Every time is the best of five
// runs in processor seconds, on a warm file, with the bare connection configured as the
// data layer's.

#include "data/Database.h"
#include "data/SqliteEngine.h"
#include "orders/OrderSearch.h"
#include "orders/Paperwork.h"
#include "reports/PrintTarget.h"
#include "reports/ReportsMod.h"
#include "shipping/ShipmentSearch.h"

#include <QGuiApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>
#include <time.h>

namespace {

const char *kOrdersWithoutDates =
    "SELECT ID, OrderNumber, Customer, Status, ShipTo, ShipToAddress1, ShipToAddress2, ShipToCity, ShipToState, "
    "ShipToZip, ShipToPhone, ShipToFax, Total FROM Orders";
const char *kLinesWithStyles =
    "SELECT OrderItems.*, Style.* FROM OrderItems INNER JOIN Style ON OrderItems.StyleID = Style.ID";
constexpr int kLookups = 10000;
constexpr int kAppends = 10000;

// The processor time of this thread for each piece of work, over the best of five rounds.
// The pieces take turns within a round, so that a busy spell of a shared machine slows all
// of them alike: the machine's other work inflates a run, never shortens it. On an idle
// machine it is the wall-clock time, as the file is read warm.
QVector<double> seconds(const QVector<std::function<void()>> &works) {
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    };
    QVector<double> best(works.size(), 1e9);
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < works.size(); ++i) {
            const double start = now();
            works[i]();
            best[i] = std::min(best[i], now() - start);
        }
    }
    return best;
}

// A statement as the application opens it.
struct Opened {
    QString sql;
    RecordsetType type;
};
using Opens = QVector<Opened>;

Opens forwardOnly(const QString &sql) { return {{sql, RecordsetType::ForwardOnly}}; }
Opens dynaset(const QString &sql) { return {{sql, RecordsetType::Dynaset}}; }

// Every field of every row, by the names the set gives.
qint64 readAll(Database &db, const Opened &opened) {
    auto rs = db.openRecordset(opened.sql, opened.type);
    QStringList names;
    for (int i = 0; i < rs->fieldCount(); ++i) names << rs->column(i).name;
    qint64 seen = 0;
    for (; !rs->eof(); rs->moveNext())
        for (const QString &name : names)
            if (!rs->field(name).isNull()) ++seen;
    return seen;
}

// How the bare reading takes each column: as SQLite hands it out; with each text made into
// a QString, as any Qt program reading it must; or with every column made into the QVariant
// a Qt program passes values around in. The last two are floors for a data layer that hands
// out Qt values.
enum class BareReading { Pointers, Strings, Variants };

qint64 bareVariant(sqlite3_stmt *stmt, int i, int type) {
    switch (type) {
    case SQLITE_INTEGER: return !QVariant(qlonglong(sqlite3_column_int64(stmt, i))).isNull();
    case SQLITE_FLOAT: return !QVariant(sqlite3_column_double(stmt, i)).isNull();
    case SQLITE_NULL: return !QVariant().isNull();
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
        return !QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i))).isNull();
    }
    }
}

// Steps a statement to its end reading every column.
qint64 bareStep(sqlite3_stmt *stmt, BareReading reading = BareReading::Pointers) {
    qint64 seen = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            const int type = sqlite3_column_type(stmt, i);
            if (reading == BareReading::Variants) {
                seen += bareVariant(stmt, i, type);
                continue;
            }
            switch (type) {
            case SQLITE_INTEGER: seen += sqlite3_column_int64(stmt, i) != 0; break;
            case SQLITE_FLOAT: seen += sqlite3_column_double(stmt, i) != 0; break;
            case SQLITE_NULL: break;
            default: {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
                const int size = sqlite3_column_bytes(stmt, i);
                if (reading == BareReading::Strings) seen += !QString::fromUtf8(text, size).isEmpty();
                else seen += size > 0 && text != nullptr;
            }
            }
        }
    }
    sqlite3_reset(stmt);
    return seen;
}

sqlite3_stmt *barePrepare(sqlite3 *bare, const QByteArray &sql) {
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(bare, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sqlite3_errmsg(bare), sql.constData());
        std::exit(1);
    }
    return stmt;
}

void row(const QString &what, double quelby, double bare, double bareStrings = -1, double bareVariants = -1) {
    auto ms = [](double seconds) { return seconds < 0 ? QByteArray("-") : QByteArray::number(seconds * 1000, 'f', 1); };
    std::printf("| %-58s | %9.1f | %9.1f | %6.2fx | %15s | %16s |\n", what.toUtf8().constData(), quelby * 1000, bare * 1000,
                bare > 0 ? quelby / bare : 0.0, ms(bareStrings).constData(), ms(bareVariants).constData());
}

// A print target that lets documents go: only the statements their builders run matter here.
class NoPrinting : public PrintTarget {
public:
    void print(const Document &, const QString &) override {}
    void preview(const Document &, const QString &) override {}
};

class Bench {
public:
    Bench(Database &db, sqlite3 *bare, QByteArray only) : m_db(db), m_bare(bare), m_only(std::move(only)) {}

    bool wanted(const QString &what) const { return m_only.isEmpty() || what.toUtf8().contains(m_only); }

    // Statements of the desktop engine's dialect, read whole through Recordset and bare,
    // their times summed.
    void statements(const QString &what, const Opens &jetSql) {
        if (!wanted(what) || jetSql.isEmpty()) return;
        QVector<sqlite3_stmt *> prepared;
        for (const Opened &opened : jetSql) prepared << barePrepare(m_bare, m_db.engine().translate(opened.sql).toUtf8());
        for (sqlite3_stmt *stmt : prepared) bareStep(stmt);  // both read a warm file
        const QVector<double> times = seconds({[&] {
                                                   for (const Opened &opened : jetSql) readAll(m_db, opened);
                                               },
                                               [&] {
                                                   for (sqlite3_stmt *stmt : prepared) bareStep(stmt);
                                               },
                                               [&] {
                                                   for (sqlite3_stmt *stmt : prepared) bareStep(stmt, BareReading::Strings);
                                               },
                                               [&] {
                                                   for (sqlite3_stmt *stmt : prepared) bareStep(stmt, BareReading::Variants);
                                               }});
        for (sqlite3_stmt *stmt : prepared) sqlite3_finalize(stmt);
        for (const Opened &opened : jetSql) noteFullScans(what, m_db.engine().translate(opened.sql).toUtf8());
        row(jetSql.size() == 1 ? what : QStringLiteral("%1 (%2 statements)").arg(what).arg(jetSql.size()), times[0], times[1],
            times[2], times[3]);
    }

    // The result sets a builder opens, as it opens them, gathered by running it once.
    void document(const QString &what, const std::function<void()> &builder) {
        if (!wanted(what)) return;
        Opens opened;
        m_db.observeStatements([&](const QString &sql, std::optional<RecordsetType> type) {
            if (type && std::none_of(opened.cbegin(), opened.cend(), [&](const Opened &o) { return o.sql == sql; }))
                opened.push_back({sql, *type});
        });
        builder();
        m_db.observeStatements({});
        statements(what, opened);
    }

    static void bareLookups(sqlite3_stmt *lookup, BareReading reading) {
        for (int n = 1; n <= kLookups; ++n) {
            sqlite3_bind_int(lookup, 1, n * 7 % 100000 + 1);
            bareStep(lookup, reading);
        }
    }

    void lookups() {
        const QString what = QStringLiteral("%L1 lookups SELECT * FROM Orders WHERE ID=n").arg(kLookups);
        if (!wanted(what)) return;
        sqlite3_stmt *lookup = barePrepare(m_bare, "SELECT * FROM Orders WHERE ID=?");
        const QVector<double> times = seconds({[&] {
                                                   for (int n = 1; n <= kLookups; ++n) {
                                                       auto rs = m_db.openRecordset(
                                                           QStringLiteral("SELECT * FROM Orders WHERE ID=%1").arg(n * 7 % 100000 + 1));
                                                       for (int i = 0; i < rs->fieldCount(); ++i) rs->field(rs->column(i).name);
                                                   }
                                               },
                                               [&] { bareLookups(lookup, BareReading::Pointers); },
                                               [&] { bareLookups(lookup, BareReading::Strings); },
                                               [&] { bareLookups(lookup, BareReading::Variants); }});
        sqlite3_finalize(lookup);
        row(what, times[0], times[1], times[2], times[3]);
    }

    void appends() {
        const QString what = QStringLiteral("%L1 appends to Orders in one transaction").arg(kAppends);
        if (!wanted(what)) return;
        sqlite3_stmt *append = barePrepare(m_bare, "INSERT INTO Orders (OrderNumber, Customer, Status, Total) VALUES (?, ?, ?, ?)");
        auto quelby = [&] {
            Transaction tx(m_db);  // rolled back
            auto rs = m_db.openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = 0"));
            for (int n = 0; n < kAppends; ++n) {
                rs->addNew();
                rs->setField(QStringLiteral("OrderNumber"), QStringLiteral("B-%1").arg(n));
                rs->setField(QStringLiteral("Customer"), QStringLiteral("Vedu"));
                rs->setField(QStringLiteral("Status"), QStringLiteral("Open"));
                rs->setField(QStringLiteral("Total"), 12.5);
                rs->update();
            }
        };
        auto bare = [&] {
            sqlite3_exec(m_bare, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            for (int n = 0; n < kAppends; ++n) {
                const QByteArray number = QByteArray("B-") + QByteArray::number(n);
                sqlite3_bind_text(append, 1, number.constData(), int(number.size()), SQLITE_TRANSIENT);
                sqlite3_bind_text(append, 2, "Vedu", -1, SQLITE_STATIC);
                sqlite3_bind_text(append, 3, "Open", -1, SQLITE_STATIC);
                sqlite3_bind_double(append, 4, 12.5);
                sqlite3_step(append);
                sqlite3_reset(append);
            }
            sqlite3_exec(m_bare, "ROLLBACK", nullptr, nullptr, nullptr);
        };
        const QVector<double> times = seconds({quelby, bare});
        sqlite3_finalize(append);
        row(what, times[0], times[1]);
    }

    // The tables a statement reads whole, without an index, as SQLite plans it.
    void noteFullScans(const QString &what, const QByteArray &sql) {
        sqlite3_stmt *plan = barePrepare(m_bare, "EXPLAIN QUERY PLAN " + sql);
        while (sqlite3_step(plan) == SQLITE_ROW) {
            const QString detail = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3)));
            if (detail.startsWith(QLatin1String("SCAN ")) && !detail.contains(QLatin1String(" USING ")))
                m_fullScans << QStringLiteral("%1: %2").arg(what, detail);
        }
        sqlite3_finalize(plan);
    }
    void printFullScans() const {
        std::printf("\ntables read whole (SQLite's plan has no index to use):\n");
        for (const QString &scan : m_fullScans) std::printf("- %s\n", scan.toUtf8().constData());
    }

    // A value the plant holds, for the navigators' criteria.
    QString first(const QString &sql) {
        auto rs = m_db.openRecordset(sql);
        return rs->eof() ? QString() : rs->field(rs->column(0).name).toString();
    }

private:
    Database &m_db;
    sqlite3 *m_bare;
    QByteArray m_only;
    QStringList m_fullScans;
};

}  // namespace

int main(int argc, char **argv) {
    // The builders lay their documents out with fonts, which a GUI application provides.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "Usage: quelby-databench PLANT.db [ROWS-NAMED]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    SetAppDatabase(Database::open(path));
    Database &db = AppDatabase();
    NoPrinting noPrinting;
    Reports::setPrintTarget(&noPrinting);
    // The bare connection is configured as the data layer's: one thread, the same page
    // cache and memory map, the same Like, so the ratio is the data layer's own cost.
    sqlite3 *bare = nullptr;
    sqlite3_open_v2(argv[1], &bare, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_exec(bare, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    sqlite3_exec(bare, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
    SqliteEngine::addPlantFunctions(bare);

    std::printf("| %-58s | %9s | %9s | %7s | %15s | %16s |\n", "statement", "quelby ms", "bare ms", "ratio", "bare+QString ms",
                "bare+QVariant ms");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", QByteArray(60, '-').constData(), QByteArray(11, '-').constData(),
                QByteArray(11, '-').constData(), QByteArray(9, '-').constData(), QByteArray(17, '-').constData(),
                QByteArray(18, '-').constData());
    Bench bench(db, bare, argc == 3 ? QByteArray(argv[2]) : QByteArray());
    const QString orders = QStringLiteral("SELECT * FROM Orders");
    bench.statements(QStringLiteral("SELECT * FROM Orders, every field, forward-only"), forwardOnly(orders));
    bench.statements(QStringLiteral("SELECT * FROM Orders, every field, dynaset"), dynaset(orders));
    bench.statements(QStringLiteral("Orders without its three dates, forward-only"), forwardOnly(QString::fromLatin1(kOrdersWithoutDates)));
    bench.statements(QStringLiteral("Orders without its three dates, dynaset"), dynaset(QString::fromLatin1(kOrdersWithoutDates)));
    bench.document(QStringLiteral("open invoices"), [] { PrintOpenInvoices(); });
    bench.statements(QStringLiteral("order lines joined to styles, forward-only"), forwardOnly(QString::fromLatin1(kLinesWithStyles)));
    bench.statements(QStringLiteral("order lines joined to styles, dynaset"), dynaset(QString::fromLatin1(kLinesWithStyles)));
    bench.lookups();
    bench.appends();

    const QString customer = bench.first(QStringLiteral("SELECT Customer FROM Orders GROUP BY Customer ORDER BY Count(*) DESC"));
    const QString orderId = bench.first(QStringLiteral("SELECT OrderID FROM OrderItems GROUP BY OrderID ORDER BY Count(*) DESC"));
    const QDate lastDay = db.openRecordset(QStringLiteral("SELECT Max(OrderDate) AS Last FROM Orders"))->field(QStringLiteral("Last")).toDate();
    OrderCriteria open;
    open.status = QStringLiteral("Open");
    OrderCriteria customersOrders;
    customersOrders.customer = customer;
    OrderCriteria lastYear;
    lastYear.byOrderDate = true;
    lastYear.startDate = lastDay.addYears(-1);
    lastYear.endDate = lastDay;
    OrderCriteria numbered;
    numbered.orderNumber = QStringLiteral("12");
    bench.statements(QStringLiteral("order navigator: every order, as it opens"), forwardOnly(OrderSearchSql(OrderCriteria())));
    bench.statements(QStringLiteral("order navigator: every open order"), forwardOnly(OrderSearchSql(open)));
    bench.statements(QStringLiteral("order navigator: one customer's orders"), forwardOnly(OrderSearchSql(customersOrders)));
    bench.statements(QStringLiteral("order navigator: a year of orders"), forwardOnly(OrderSearchSql(lastYear)));
    bench.statements(QStringLiteral("order navigator: number holding \"12\""), forwardOnly(OrderSearchSql(numbered)));
    bench.statements(QStringLiteral("order navigator: the lines of the longest order"), forwardOnly(OrderLinesSql(orderId.toLongLong())));
    ShipmentCriteria shippedLastMonth;
    shippedLastMonth.byShipDate = true;
    shippedLastMonth.startDate = lastDay.addMonths(-1);
    shippedLastMonth.endDate = lastDay;
    ShipmentCriteria customersShipments;
    customersShipments.customer = customer;
    bench.statements(QStringLiteral("shipment navigator: every shipment, as it opens"), forwardOnly(ShipmentSearchSql(ShipmentCriteria())));
    bench.statements(QStringLiteral("shipment navigator: a month of shipments"), forwardOnly(ShipmentSearchSql(shippedLastMonth)));
    bench.statements(QStringLiteral("shipment navigator: one customer's shipments"), forwardOnly(ShipmentSearchSql(customersShipments)));
    bench.document(QStringLiteral("paperwork of the longest order"),
                   [&] { PrintOrderPaperwork(orderId); });
    bench.document(QStringLiteral("customer statements"), [] { PrintCustomerStatements(); });
    bench.document(QStringLiteral("style listing, every customer"), [] {
        PrintStyleListing(StyleListingFilter::AllCustomers, StyleListingFilter::AllStyles, StyleListingFilter::AllTypes);
    });
    bench.document(QStringLiteral("sales by customer, the last year"), [&] {
        PrintSalesByCustomer(lastYear.startDate.toString(QStringLiteral("M/d/yyyy")), lastDay.toString(QStringLiteral("M/d/yyyy")), 1);
    });
    bench.document(QStringLiteral("component listing"), [] { PrintComponentListing(); });
    bench.document(QStringLiteral("customer listing"), [] { PrintCustomerListing(); });
    bench.printFullScans();
    sqlite3_close(bare);
    Reports::setPrintTarget(nullptr);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\npeak resident memory: %.0f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
