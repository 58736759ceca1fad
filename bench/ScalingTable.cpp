#include "bench/ScalingTable.h"

#include <QHash>
#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>
#include <optional>

namespace {

// What each measure must be within on the largest plant; none where only its growth is shown.
struct Target {
    const char *measure;
    std::optional<double> limit;
    const char *unit;
};

const Target kTargets[] = {
    {"open from the menu: Order Navigator", 300, "ms"},
    {"order navigator: find the numbers holding \"12\"", std::nullopt, "ms"},
    {"open from the menu: Shipment Navigator", 300, "ms"},
    {"open from the menu: Order Entry Control Report", 300, "ms"},
    {"open from the menu: Saw Manager", 300, "ms"},
    {"open from the menu: Fabrication Manager", 300, "ms"},
    {"open from the menu: Plant Manager", 300, "ms"},
    {"open from the menu: Shipping Mangager", 300, "ms"},
    {"open from the menu: Receive Payments", 300, "ms"},
    {"preview Customer Listing", 300, "ms"},
    {"preview Vendor Listing", 300, "ms"},
    {"preview Bun Listing", 300, "ms"},
    {"preview Component Listing", 300, "ms"},
    {"preview Open Invoices Report", 300, "ms"},
    {"preview Style Listing, every customer", 300, "ms"},
    {"preview an invoice", 300, "ms"},
    {"preview Customer Statements", 300, "ms"},
    {"preview Customer Statements, to its last page", std::nullopt, "ms"},
    {"preview Sales by Customer, in detail since 2000", 500, "ms"},
    {"preview Sales by Customer, in detail since 2000, to its last page", std::nullopt, "ms"},
    {"peak resident memory, every window open and every listing previewed", 250, "MB"},
};

struct PlantFigures {
    QString orders;  // the number of orders, as the column's heading
    QHash<QString, double> values;
};

std::optional<PlantFigures> measure(const QString &program, const QString &plant) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, {QStringLiteral("--rows"), plant});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "measuring %s failed\n", qPrintable(plant));
        return std::nullopt;
    }
    PlantFigures figures;
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 2) continue;
        if (parts[0] == QLatin1String("orders")) figures.orders = QLocale(QLocale::English).toString(parts[1].toLongLong());
        else figures.values.insert(parts[0], parts[1].toDouble());
    }
    return figures;
}

QString cell(const PlantFigures &figures, const QString &measure) {
    const auto found = figures.values.constFind(measure);
    return found == figures.values.cend() ? QStringLiteral("-") : QString::number(*found, 'f', 1);
}

}  // namespace

int PrintScalingTable(const QString &program, const QStringList &plants) {
    std::vector<PlantFigures> columns;
    for (const QString &plant : plants) {
        std::optional<PlantFigures> figures = measure(program, plant);
        if (!figures) return 1;
        columns.push_back(*figures);
    }
    QString heading = QStringLiteral("| measure | target |");
    QString rule = QStringLiteral("|---|---:|");
    for (const PlantFigures &c : columns) {
        heading += QStringLiteral(" %1 orders |").arg(c.orders);
        rule += QStringLiteral("---:|");
    }
    std::printf("%s met |\n%s:---:|\n", qPrintable(heading), qPrintable(rule));
    int missed = 0;
    for (const Target &t : kTargets) {
        const QString measure = QString::fromUtf8(t.measure);
        QString row = QStringLiteral("| %1 (%2) | %3 |").arg(measure, QString::fromLatin1(t.unit),
                                                              t.limit ? QStringLiteral("< %1").arg(*t.limit) : QStringLiteral("-"));
        for (const PlantFigures &c : columns) row += QStringLiteral(" %1 |").arg(cell(c, measure));
        QString met = QStringLiteral("-");
        const auto last = columns.back().values.constFind(measure);
        if (t.limit && last != columns.back().values.cend()) {
            met = *last < *t.limit ? QStringLiteral("yes") : QStringLiteral("no");
            if (*last >= *t.limit) ++missed;
        }
        std::printf("%s %s |\n", qPrintable(row), qPrintable(met));
    }
    std::printf("\nTargets missed on the largest plant: %d\n", missed);
    return 0;
}
