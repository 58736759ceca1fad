// Grid timings: a navigator's grid filled with 50,000 orders (eleven columns, the total
// as money), its widths fitted and the view told once, as the order navigator fills it.

#include "widgets/Grid.h"

#include <QVector>
#include <benchmark/benchmark.h>

namespace {

QVector<QStringList> orders(int count) {
    QVector<QStringList> rows;
    rows.reserve(count);
    const QStringList customers = {"Acme Foam", "Hickory Upholstery", "O'Neil Furniture", "Tupelo Seating"};
    const QStringList statuses = {"Open", "Closed", "Void"};
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("A%1").arg(i + 1000), customers.at(i % 4), QStringLiteral("3/%1/2026").arg(i % 28 + 1),
                     QStringLiteral("4/%1/2026").arg(i % 28 + 1), statuses.at(i % 3), QString::number(125.5 + i * 3.25),
                     QStringLiteral("Receiving, %1 Mill Rd, Hickory, NC 28601").arg(i % 900),
                     QStringLiteral("828-555-0101"), QStringLiteral("828-555-0102"), QStringLiteral("3/1/2026"),
                     QString::number(i + 1)});
    return rows;
}

void fill(Grid &grid, const QVector<QStringList> &rows) {
    grid.setRedraw(false);
    grid.clear();
    grid.setCols(11);
    grid.addItem({"Order Number", "Customer", "Order Date", "Due Date", "Status", "Total", "Ship To", "Ship To Phone",
                  "Ship To Fax", "Date Added", "OrderID"});
    for (const QStringList &row : rows) grid.addItem(row);
    grid.setColAlignment(-1, Qt::AlignCenter);
    grid.setColFormat(5, QStringLiteral("$#,###.##"));
    grid.autoSize();
    grid.setRedraw(true);
}

void BM_GridFill(benchmark::State &state) {
    const QVector<QStringList> rows = orders(int(state.range(0)));
    Grid grid;
    grid.resize(900, 600);
    grid.show();
    for (auto _ : state) {
        fill(grid, rows);
        benchmark::DoNotOptimize(grid.rows());
    }
    state.counters["rows"] = double(grid.rows() - 1);
}
BENCHMARK(BM_GridFill)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
