// quelby-databench: the data layer's overhead on a plant of ten years' history. Each
// statement runs through Recordset (every field of every row read by name, the set opened
// forward-only as a listing or a grid reads it, or as a dynaset as a window that may edit
// reads it) and bare (bench/BareSide.h: the SQLite C API for a plant file, libpq for a
// plant on a server; prepared once, run to the end, every column read), and the table
// gives both times and their ratio, then the peak resident memory. A last column gives the
// bare reading that also makes each text a QString, and one for the bare reading that makes
// every column the QVariant a Qt program passes it on in.
//
//   quelby-databench PLANT [ROWS-NAMED]
//   quelby-databench --saves ORDERS PLANT...
//
// PLANT is a plant file or a server's connection string, made by
// `quelby-admin demo PLANT --large 3000 100000`. The first rows are
// single statements; the rest are the statements the navigators run and those a document
// runs, gathered by running its builder once and timed together. Appends run in a
// transaction that is rolled back; the builders write only the summary's scratch tables. A
// second argument runs only the rows whose name holds it. Every time is the best of five
// runs, on a warm plant, with the bare connection configured as the data layer's: in
// processor seconds of this thread on a file, in wall-clock seconds on a server, whose
// work runs in its own process. --saves times orders saved by one process alone and by two
// at once on each plant given (bench/ConcurrentSaves.h); the orders stay in the plant.

#include "bench/BareSide.h"
#include "bench/ConcurrentSaves.h"
#include "data/Database.h"
#include "data/PostgresEngine.h"
#include "data/SqlText.h"
#include "orders/OrderSearch.h"
#include "orders/Paperwork.h"
#include "reports/PrintTarget.h"
#include "reports/ReportsMod.h"
#include "shipping/ShipmentSearch.h"

#include <QGuiApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
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

// The clock a plant's work is timed by. On a file it is the processor time of this
// thread: the pieces take turns within a round, so that a busy spell of a shared machine
// slows all of them alike, and on an idle machine it is the wall-clock time, as the file is
// read warm. On a server the statements run in the server's own process, which this
// thread's time leaves out, so there it is the wall-clock time.
clockid_t g_clock = CLOCK_THREAD_CPUTIME_ID;

// The time of each piece of work, over the best of five rounds.
QVector<double> seconds(const QVector<std::function<void()>> &works) {
    auto now = [] {
        timespec t{};
        clock_gettime(g_clock, &t);
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

// Each row's ratio, by its statement, for the targets printed after the table.
QHash<QString, double> g_ratios;

void row(const QString &what, double quelby, double bare, double bareStrings = -1, double bareVariants = -1) {
    if (bare > 0) g_ratios.insert(what, quelby / bare);
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
    Bench(Database &db, BareConnection &bare, QByteArray only) : m_db(db), m_bare(bare), m_only(std::move(only)) {}

    bool wanted(const QString &what) const { return m_only.isEmpty() || what.toUtf8().contains(m_only); }

    // A statement of the desktop engine's dialect, prepared bare as the engine translates it.
    std::unique_ptr<BareStatement> prepareBare(const QString &jetSql) {
        return m_bare.prepare(m_db.engine().translate(jetSql).toUtf8());
    }

    // Statements of the desktop engine's dialect, read whole through Recordset and bare,
    // their times summed.
    void statements(const QString &what, const Opens &jetSql) {
        if (!wanted(what) || jetSql.isEmpty()) return;
        std::vector<std::unique_ptr<BareStatement>> prepared;
        for (const Opened &opened : jetSql) prepared.push_back(prepareBare(opened.sql));
        auto bare = [&](BareReading reading) {
            return [&prepared, reading] {
                for (const auto &stmt : prepared) stmt->run(reading);
            };
        };
        bare(BareReading::Pointers)();  // both read a warm file
        const QVector<double> times = seconds({[&] {
                                                   for (const Opened &opened : jetSql) readAll(m_db, opened);
                                               },
                                               bare(BareReading::Pointers), bare(BareReading::Strings),
                                               bare(BareReading::Variants)});
        for (const Opened &opened : jetSql) noteFullScans(what, m_db.engine().translate(opened.sql).toUtf8());
        row(jetSql.size() == 1 ? what : QStringLiteral("%1 (%2 statements)").arg(what).arg(jetSql.size()), times[0], times[1],
            times[2], times[3]);
    }

    // The result sets a builder opens, as it opens them, gathered by running it once, and
    // the scratch tables it makes, which the bare side reads too.
    void document(const QString &what, const std::function<void()> &builder) {
        if (!wanted(what)) return;
        Opens opened;
        QVector<QByteArray> made;
        m_db.observeStatements([&](const QString &sql, std::optional<RecordsetType> type) {
            if (!type) {
                const QByteArray native = m_db.engine().translate(sql).toUtf8();
                if (native.startsWith("CREATE") && !made.contains(native)) made << native;
            }
            if (type && std::none_of(opened.cbegin(), opened.cend(), [&](const Opened &o) { return o.sql == sql; }))
                opened.push_back({sql, *type});
        });
        builder();
        m_bare.makeScratchTables(made);
        m_db.observeStatements({});
        statements(what, opened);
    }

    static int lookedUp(int n) { return n * 7 % 100000 + 1; }

    void lookups() {
        const QString what = QStringLiteral("%L1 lookups SELECT * FROM Orders WHERE ID=n").arg(kLookups);
        if (!wanted(what)) return;
        timeLookups(what, QStringLiteral("SELECT * FROM Orders WHERE ID=?"),
                    [](int n) { return QStringLiteral("SELECT * FROM Orders WHERE ID=%1").arg(lookedUp(n)); },
                    [](int n) { return QVariant(lookedUp(n)); });
    }

    // The lookup a window makes by a text key: a customer by name, its quotes doubled as the
    // windows write them.
    void lookupsByName() {
        const QString what = QStringLiteral("%L1 lookups SELECT * FROM Customer WHERE Customer='n'").arg(kLookups);
        if (!wanted(what)) return;
        QStringList names;
        for (auto rs = m_db.openRecordset(QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer"), RecordsetType::ForwardOnly);
             !rs->eof(); rs->moveNext())
            names << rs->text(QStringLiteral("Customer"));
        if (names.isEmpty()) return;
        auto named = [&names](int n) { return names.at(n * 7 % names.size()); };
        timeLookups(what, QStringLiteral("SELECT * FROM Customer WHERE Customer=?"),
                    [&](int n) { return QStringLiteral("SELECT * FROM Customer WHERE Customer=%1").arg(SqlText::Quoted(named(n))); },
                    [&](int n) { return QVariant(named(n)); });
    }

    // Times kLookups lookups, every field read: through Recordset by the text `quelbySql`
    // gives for the n-th, and bare through one statement with a marker, bound to `value`.
    void timeLookups(const QString &what, const QString &bareSql, const std::function<QString(int)> &quelbySql,
                     const std::function<QVariant(int)> &value) {
        const auto lookup = prepareBare(bareSql);
        auto bare = [&](BareReading reading) {
            return [&, reading] {
                for (int n = 1; n <= kLookups; ++n) lookup->run(reading, {value(n)});
            };
        };
        auto quelby = [&] {
            for (int n = 1; n <= kLookups; ++n) {
                auto rs = m_db.openRecordset(quelbySql(n));
                for (int i = 0; i < rs->fieldCount(); ++i) rs->field(rs->column(i).name);
            }
        };
        const QVector<double> times =
            seconds({quelby, bare(BareReading::Pointers), bare(BareReading::Strings), bare(BareReading::Variants)});
        row(what, times[0], times[1], times[2], times[3]);
    }

    void appends() {
        const QString what = QStringLiteral("%L1 appends to Orders in one transaction").arg(kAppends);
        if (!wanted(what)) return;
        const auto append = prepareBare(QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, Status, Total) VALUES (?, ?, ?, ?)"));
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
            m_bare.begin();
            for (int n = 0; n < kAppends; ++n)
                append->run(BareReading::Pointers, {QStringLiteral("B-%1").arg(n), QStringLiteral("Vedu"), QStringLiteral("Open"), 12.5});
            m_bare.rollback();
        };
        const QVector<double> times = seconds({quelby, bare});
        row(what, times[0], times[1]);
    }

    // The tables a statement reads whole, without an index, where the bare side looks at
    // the database's plan.
    void noteFullScans(const QString &what, const QByteArray &sql) {
        const std::optional<QStringList> scans = m_bare.fullScans(sql);
        if (!scans) return;
        m_plansRead = true;
        for (const QString &scan : *scans) m_fullScans << QStringLiteral("%1: %2").arg(what, scan);
    }
    void printFullScans() const {
        if (!m_plansRead) return;
        std::printf("\ntables read whole (%s's plan has no index to use):\n", m_bare.library());
        for (const QString &scan : m_fullScans) std::printf("- %s\n", scan.toUtf8().constData());
    }

    // A value the plant holds, for the navigators' criteria.
    QString first(const QString &sql) {
        auto rs = m_db.openRecordset(sql);
        return rs->eof() ? QString() : rs->field(rs->column(0).name).toString();
    }

private:
    Database &m_db;
    BareConnection &m_bare;
    QByteArray m_only;
    QStringList m_fullScans;
    bool m_plansRead = false;
};

}  // namespace

namespace {

void printHeading(const char *library) {
    std::printf("data layer against bare %s, %s\n\n", library,
                g_clock == CLOCK_MONOTONIC ? "wall-clock time" : "this thread's processor time");
    std::printf("| %-58s | %9s | %9s | %7s | %15s | %16s |\n", "statement", "quelby ms", "bare ms", "ratio", "bare+QString ms",
                "bare+QVariant ms");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", QByteArray(60, '-').constData(), QByteArray(11, '-').constData(),
                QByteArray(11, '-').constData(), QByteArray(9, '-').constData(), QByteArray(17, '-').constData(),
                QByteArray(18, '-').constData());
}

void runRows(Bench &bench, Database &db) {
    const QString orders = QStringLiteral("SELECT * FROM Orders");
    bench.statements(QStringLiteral("SELECT * FROM Orders, every field, forward-only"), forwardOnly(orders));
    bench.statements(QStringLiteral("SELECT * FROM Orders, every field, dynaset"), dynaset(orders));
    bench.statements(QStringLiteral("Orders without its three dates, forward-only"), forwardOnly(QString::fromLatin1(kOrdersWithoutDates)));
    bench.statements(QStringLiteral("Orders without its three dates, dynaset"), dynaset(QString::fromLatin1(kOrdersWithoutDates)));
    bench.document(QStringLiteral("open invoices"), [] { PrintOpenInvoices(); });
    bench.statements(QStringLiteral("order lines joined to styles, forward-only"), forwardOnly(QString::fromLatin1(kLinesWithStyles)));
    bench.statements(QStringLiteral("order lines joined to styles, dynaset"), dynaset(QString::fromLatin1(kLinesWithStyles)));
    bench.lookups();
    bench.lookupsByName();
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
}

// What the plant asks of the data layer against bare SQLite on the file: a row whose
// statement holds `row`, within `limit` times the bare time.
struct RatioTarget {
    const char *row;
    double limit;
};
const RatioTarget kSqliteTargets[] = {{"lookups SELECT * FROM Customer WHERE Customer='n'", 1.3},
                                      {"appends to Orders in one transaction", 1.5}};

void printTargets() {
    std::printf("\ntargets against bare SQLite:\n");
    for (const RatioTarget &target : kSqliteTargets)
        for (auto it = g_ratios.cbegin(); it != g_ratios.cend(); ++it)
            if (it.key().contains(QLatin1String(target.row)))
                std::printf("- %s: %.2fx, target within %.1fx: %s\n", qPrintable(it.key()), it.value(), target.limit,
                            it.value() <= target.limit ? "met" : "missed");
}

}  // namespace

int main(int argc, char **argv) {
    // The builders lay their documents out with fonts, which a GUI application provides.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 5 && args.at(0) == QLatin1String("--saver"))
        return RunSaver(args.at(4), args.at(1).toInt(), args.at(2), args.at(3).toDouble());
    if (args.size() >= 3 && args.at(0) == QLatin1String("--saves") && args.at(1).toInt() > 0)
        return RunConcurrentSaves(app.applicationFilePath(), args.at(1).toInt(), args.mid(2));
    if (args.size() != 1 && args.size() != 2) {
        std::fprintf(stderr, "Usage: quelby-databench PLANT [ROWS-NAMED]\n"
                             "       quelby-databench --saves ORDERS PLANT...\n");
        return 2;
    }
    const QString path = args.at(0);
    SetAppDatabase(Database::open(path));
    Database &db = AppDatabase();
    NoPrinting noPrinting;
    Reports::setPrintTarget(&noPrinting);
    const std::unique_ptr<BareConnection> bare =
        PostgresEngine::isServerAddress(path) ? OpenBarePostgres(path.toUtf8()) : OpenBareSqlite(path.toUtf8());
    if (PostgresEngine::isServerAddress(path)) g_clock = CLOCK_MONOTONIC;
    printHeading(bare->library());
    Bench bench(db, *bare, args.size() == 2 ? args.at(1).toUtf8() : QByteArray());
    runRows(bench, db);
    bench.printFullScans();
    if (!PostgresEngine::isServerAddress(path)) printTargets();
    Reports::setPrintTarget(nullptr);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("\npeak resident memory: %.0f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
