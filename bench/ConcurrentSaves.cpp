#include "bench/ConcurrentSaves.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "data/PostgresEngine.h"
#include "orders/OrderSave.h"

#include <QCoreApplication>
#include <QProcess>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <time.h>

namespace {

constexpr int kLinesPerOrder = 6;

double monotonicNow() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void sleepUntil(double moment) {
    const double wait = moment - monotonicNow();
    if (wait <= 0) return;
    timespec t{time_t(wait), long((wait - double(time_t(wait))) * 1e9)};
    nanosleep(&t, nullptr);
}

// A new order of the plant's first customer and six of its styles, as the window holds it.
struct Order {
    OrderHeader header;
    QVector<OrderLine> lines;
};

Order orderTemplate(Database &db) {
    Order order;
    auto customer = db.openRecordset(QStringLiteral("SELECT TOP 1 Customer FROM Orders ORDER BY ID"));
    order.header.customer = customer->field(QStringLiteral("Customer")).toString();
    order.header.orderDate = QDate::currentDate();
    order.header.dueDate = order.header.orderDate.addDays(14);
    order.header.shipTo = order.header.customer;
    order.header.total = QStringLiteral("300");
    auto styles = db.openRecordset(QStringLiteral("SELECT TOP %1 ID FROM Style ORDER BY ID").arg(kLinesPerOrder));
    for (int item = 1; !styles->eof(); styles->moveNext(), ++item)
        order.lines << OrderLine{QString::number(item), QString(), QStringLiteral("4"), QString(), QStringLiteral("12.5"),
                                 QStringLiteral("50"), styles->field(QStringLiteral("ID")).toString()};
    return order;
}

// What one saver printed.
struct Saved {
    double start = 0;
    double end = 0;
    int failed = 0;
};

// Runs `processes` savers at once on the plant and reads what each printed.
QVector<Saved> runSavers(const QString &program, int orders, const QString &plant, int processes, int run) {
    const double startAt = monotonicNow() + 3.0;  // time for each to open the plant
    std::vector<std::unique_ptr<QProcess>> savers;
    for (int p = 0; p < processes; ++p) {
        savers.push_back(std::make_unique<QProcess>());
        savers.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        savers.back()->start(program, {QStringLiteral("--saver"), QString::number(orders),
                                       QStringLiteral("S%1-%2-%3").arg(QCoreApplication::applicationPid()).arg(run).arg(p),
                                       QString::number(startAt, 'f', 6), plant});
    }
    QVector<Saved> saved;
    for (const auto &saver : savers) {
        saver->waitForFinished(-1);
        const QList<QByteArray> words = saver->readAllStandardOutput().trimmed().split(' ');
        if (saver->exitCode() != 0 || words.size() != 4 || words.at(0) != "saved") {
            std::fprintf(stderr, "a saver on %s failed\n", plant.toLocal8Bit().constData());
            std::exit(1);
        }
        saved.push_back({words.at(1).toDouble(), words.at(2).toDouble(), words.at(3).toInt()});
    }
    return saved;
}

}  // namespace

int RunSaver(const QString &plant, int orders, const QString &tag, double startAt) {
    SetAppDatabase(Database::open(plant));
    Order order = orderTemplate(AppDatabase());
    sleepUntil(startAt);
    const double start = monotonicNow();
    int failed = 0;
    for (int n = 1; n <= orders; ++n) {
        order.header.orderNumber = QStringLiteral("%1-%2").arg(tag).arg(n);
        try {
            SaveOrder(order.header, order.lines);
        } catch (const AppError &e) {
            ++failed;
            std::fprintf(stderr, "%s\n", e.report().toLocal8Bit().constData());
        }
    }
    std::printf("saved %.6f %.6f %d\n", start, monotonicNow(), failed);
    return 0;
}

int RunConcurrentSaves(const QString &program, int orders, const QStringList &plants) {
    std::printf("| %-6s | %-11s | %11s | %8s | %8s | %6s |\n", "plant", "processes", "orders each", "wall s", "orders/s",
                "failed");
    std::printf("|--------|-------------|-------------|----------|----------|--------|\n");
    int run = 0;
    for (const QString &plant : plants) {
        const char *engine = PostgresEngine::isServerAddress(plant) ? "server" : "file";
        for (int processes : {1, 2}) {
            const QVector<Saved> saved = runSavers(program, orders, plant, processes, ++run);
            double start = saved.front().start, end = saved.front().end;
            int failed = 0;
            for (const Saved &s : saved) {
                start = std::min(start, s.start);
                end = std::max(end, s.end);
                failed += s.failed;
            }
            const int stored = processes * orders - failed;
            std::printf("| %-6s | %-11s | %11d | %8.2f | %8.1f | %6d |\n", engine, processes == 1 ? "one alone" : "two at once",
                        orders, end - start, stored / (end - start), failed);
            std::fflush(stdout);
        }
    }
    return 0;
}
