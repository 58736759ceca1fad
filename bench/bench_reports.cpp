// Report engine timings: laying out long listings (rows held in memory, so the time is
// the engine's alone), painting one into a PDF file, and previewing one in the Viewer
// until its first page is on screen.

#include "app/DesktopPrintTarget.h"
#include "app/MDI.h"
#include "app/Viewer.h"
#include "reports/DocumentPainter.h"
#include "reports/Report.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

RowSetColumn column(const char *name, const char *type) {
    return {QString::fromLatin1(name), QStringLiteral("Component"), QString::fromLatin1(name), QString::fromLatin1(type)};
}

// Components as the component listing binds them; every seventh has a description long
// enough to wrap.
RowSet components(int count) {
    RowSet rows;
    rows.columns = {column("ID", "TEXT"),          column("Description", "TEXT"), column("Thickness", "DOUBLE"),
                    column("Width", "DOUBLE"),     column("Length", "DOUBLE"),    column("Cutstyle", "TEXT"),
                    column("Test", "YESNO"),       column("TestRange", "TEXT"),   column("BunID", "TEXT"),
                    column("Topped", "TEXT"),      column("RailsPerBun", "DOUBLE"), column("PiecesPerRail", "DOUBLE"),
                    column("PrintOnShipping", "YESNO"), column("Arm", "YESNO"), column("Tie", "YESNO")};
    for (int i = 0; i < count; ++i) {
        const QString description = i % 7 == 0
            ? QStringLiteral("Seat cushion core %1 with a one inch dacron wrap glued on every side").arg(i)
            : QStringLiteral("Back filler pad %1").arg(i);
        rows.rows.append({QStringLiteral("C-%1").arg(i, 5, 10, QLatin1Char('0')), description, 1.0 + i % 5,
                          18.0 + i % 9, 20.0 + i % 40, i % 3 ? QStringLiteral("Straight Cut") : QStringLiteral("Pattern Cut"),
                          i % 4 == 0, i % 4 == 0 ? QStringLiteral("33-38") : QString(), QStringLiteral("1845-76"),
                          i % 6 == 0 ? QStringLiteral("1\" Dacron") : QString(), double(1 + i % 12), double(4 + i % 20),
                          i % 2 == 0, i % 3 == 0, i % 5 == 0});
    }
    return rows;
}

// Vendors in four status groups, for the grouped listing.
RowSet vendors(int count) {
    RowSet rows;
    for (const char *n : {"Vendor", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Contact", "Status"})
        rows.columns.append({QString::fromLatin1(n), QStringLiteral("Vendor"), QString::fromLatin1(n), QStringLiteral("TEXT")});
    const QStringList statuses = {"Active", "Hold", "InActive", "Prospect"};
    for (int i = 0; i < count; ++i)
        rows.rows.append({QStringLiteral("Vendor %1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("%1 Mill St").arg(i),
                          i % 3 ? QString() : QStringLiteral("Unit %1").arg(i % 50), QStringLiteral("Hickory"),
                          QStringLiteral("NC"), QStringLiteral("28601"), QStringLiteral("828-555-0190"),
                          QStringLiteral("828-555-0191"), QStringLiteral("Pat Smith"), statuses.at(i * 4 / count)});
    return rows;
}

std::unique_ptr<Report> filled(const char *templateName, const RowSet &rows) {
    auto report = Report::create(QString::fromLatin1(templateName));
    report->bind(rows);
    report->discardSavedData();
    report->readRecords();
    return report;
}

// Lays the filled report out once per iteration and reports the page count.
void layOut(benchmark::State &state, const std::unique_ptr<Report> &report) {
    int pages = 0;
    for (auto _ : state) {
        const Document doc = report->render();
        pages = doc.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["rows"] = double(state.range(0));
}

void BM_LayoutComponentListing(benchmark::State &state) {
    layOut(state, filled("crptComponentListing", components(int(state.range(0)))));
}

void BM_LayoutVendorListingGrouped(benchmark::State &state) {
    layOut(state, filled("crptVendorListing", vendors(int(state.range(0)))));
}

void BM_WritePdfComponentListing(benchmark::State &state) {
    const Document doc = filled("crptComponentListing", components(int(state.range(0))))->render();
    QTemporaryDir dir;
    for (auto _ : state) WritePdf(doc, dir.filePath(QStringLiteral("listing.pdf")));
    state.counters["pages"] = doc.pageCount();
}

// A filled component listing previewed through the desktop print target, from the call
// until the Viewer has painted its first page. The listing prints "Page N of M", so
// every row is placed first; only the page in view is rendered.
void BM_ViewerFirstPageComponentListing(benchmark::State &state) {
    const auto report = filled("crptComponentListing", components(int(state.range(0))));
    MDI frame;
    frame.resize(1200, 900);
    frame.show();
    while (!frame.windowHandle()->isExposed()) QCoreApplication::processEvents();
    PrintTarget *before = &Reports::printTarget();
    InstallDesktopPrintTarget();
    int pages = 0;
    for (auto _ : state) {
        report->preview();
        Viewer *viewer = frame.open<Viewer>();
        while (!viewer->hasShownFirstPage()) QCoreApplication::processEvents();
        pages = viewer->previewWidget()->pageCount();
    }
    Reports::setPrintTarget(before);
    state.counters["pages"] = pages;
    state.counters["rows"] = double(state.range(0));
}

}  // namespace

BENCHMARK(BM_LayoutComponentListing)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutVendorListingGrouped)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePdfComponentListing)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ViewerFirstPageComponentListing)->Arg(36000)->Unit(benchmark::kMillisecond);
