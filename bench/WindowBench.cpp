// quelby-windowbench: how quickly the windows answer on a large plant. Runs the main
// frame on the offscreen platform with the desktop print target, as the application runs,
// and prints a table of:
//   - opening the Administration window (the first time, and the median of a few openings),
//   - a click on a style, a style component and an operation node of its tree,
//   - the component listing from the menu command to the Viewer's first page,
//   - every window of the menus from its command until it is shown, and every listing
//     from its command (or its selection window's button) to the Viewer's first page,
// each as wall-clock time and as the processor time of the user-interface thread (which a
// busy machine does not inflate), and, after every window of the menus has been opened and
// every listing previewed, the peak resident memory of the process; last, a new order saved
// through the order window, in a transaction that is rolled back.
//
//   quelby-windowbench PLANT.db [--listings]
//   quelby-windowbench --scaling SMALL.db MEDIUM.db LARGE.db   (see ScalingTable.h)
//
// The plant is made by `quelby-admin demo PLANT.db --large 3000 100000`. Nothing is saved:
// questions are answered No, messages are only counted, and the one save is rolled back.

#include "app/DesktopPrintTarget.h"
#include "app/MDI.h"
#include "app/Viewer.h"
#include "bench/ScalingTable.h"
#include "core/Seams.h"
#include "data/Database.h"
#include "orders/frmOrderEntry.h"
#include "orders/frmOrderNavigator.h"
#include "product/StyleTree.h"
#include "product/frmStyle.h"
#include "reports/PrintTarget.h"
#include "reports/ReportsMod.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kOpenings = 5;
constexpr int kClicksPerKind = 5;
constexpr qint64 kViewerWaitMs = 120000;

// Questions are answered No, so nothing is deleted or changed; every message is counted
// and shown on standard error, since a message during the run means it did not do what
// was meant.
class BenchMessages : public MessageBoxes {
public:
    void tell(const QString &text, const QString &title) override {
        ++shown;
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool ask(const QString &text, const QString &title) override {
        ++shown;
        std::fprintf(stderr, "question (answered No): %s: %s\n", qPrintable(title), qPrintable(text));
        return false;
    }
    int shown = 0;
};

// Wall-clock time, and the processor time this thread spent, which other work on a
// busy machine does not inflate.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

Timing timed(const std::function<void()> &work) {
    QElapsedTimer timer;
    const double cpuBefore = threadCpuMs();
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e6, threadCpuMs() - cpuBefore};
}

double medianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Timing median(const std::vector<Timing> &timings) {
    std::vector<double> wall, cpu;
    for (const Timing &t : timings) {
        wall.push_back(t.wallMs);
        cpu.push_back(t.cpuMs);
    }
    return {medianOf(wall), medianOf(cpu)};
}

void printRow(const QString &measure, const Timing &timing) {
    std::printf("| %s | %.1f | %.1f |\n", qPrintable(measure), timing.wallMs, timing.cpuMs);
}

// Lets the frame lay out and paint what the last step changed.
void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

template <class W>
W *openWindow(MDI &mdi) {
    for (QMdiSubWindow *sub : mdi.workspace()->subWindowList())
        if (auto *window = qobject_cast<W *>(sub->widget())) return window;
    return nullptr;
}

void closeWindow(QWidget *window) {
    if (!window) return;
    if (auto *child = qobject_cast<ChildWindow *>(window)) child->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    settle();
}

frmStyle *openAdministration(MDI &mdi) {
    mdi.command(QStringLiteral("StyleEntry"))->trigger();
    settle();
    return openWindow<frmStyle>(mdi);
}

// Nodes of one level, the first under each of `wanted` customers spread over the tree; the
// nodes above them are opened as the clerk would.
std::vector<QTreeWidgetItem *> nodesOfLevel(StyleTree *tree, int level, int wanted) {
    std::vector<QTreeWidgetItem *> found;
    QTreeWidgetItem *root = tree->topLevelItem(0);
    if (!root) return found;
    const int customers = root->childCount();
    std::function<bool(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *item) {
        if (item->data(0, StyleTree::LevelRole).toInt() == level) {
            found.push_back(item);
            return true;
        }
        item->setExpanded(true);
        for (int i = 0; i < item->childCount(); ++i)
            if (walk(item->child(i))) return true;
        item->setExpanded(false);
        return false;
    };
    for (int step = 0; step < wanted; ++step)
        for (int c = (customers * step) / wanted; c < customers; ++c)
            if (walk(root->child(c))) break;
    return found;
}

// Clicks the node with the mouse and waits until the frames have been painted again.
Timing clickNode(StyleTree *tree, QTreeWidgetItem *item) {
    tree->scrollToItem(item);
    settle();
    const QPoint centre = tree->visualItemRect(item).center();
    return timed([&] {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
        settle();
    });
}

Timing medianClick(StyleTree *tree, int level, const char *kind) {
    std::vector<Timing> times;
    for (QTreeWidgetItem *item : nodesOfLevel(tree, level, kClicksPerKind)) times.push_back(clickNode(tree, item));
    if (times.empty()) std::fprintf(stderr, "no %s node in the tree\n", kind);
    return median(times);
}

// Set while the listings are previewed a second time, to the end of their layout; the
// resident memory once each is laid out, with its Viewer open.
bool g_toLastPage = false;
std::vector<double> g_residentAtLastPage;
double g_residentBeforeLastPages = 0;

double residentMb() {
    long pages = 0, resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024.0) / 1024.0;
}

// Waits until the Viewer has painted the first page of what was just previewed (and,
// with g_toLastPage, has laid out its last page).
bool waitForFirstPage(MDI &mdi) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kViewerWaitMs) {
        if (Viewer *viewer = openWindow<Viewer>(mdi))
            if (viewer->hasShownFirstPage() && (!g_toLastPage || viewer->layoutFinished())) {
                if (g_toLastPage) g_residentAtLastPage.push_back(residentMb());
                return true;
            }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return false;
}

Timing componentListingToFirstPage(MDI &mdi) {
    closeWindow(openWindow<Viewer>(mdi));
    bool shown = false;
    const Timing timing = timed([&] {
        PrintComponentListing();
        shown = waitForFirstPage(mdi);
    });
    if (!shown) std::fprintf(stderr, "the Viewer showed no page of the component listing\n");
    return timing;
}

template <class T>
T *control(QWidget *window, const char *name) {
    T *found = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (!found) std::fprintf(stderr, "no control %s\n", name);
    return found;
}

void press(QWidget *window, const char *name) {
    if (auto *button = control<QPushButton>(window, name)) QTest::mouseClick(button, Qt::LeftButton);
    settle();
}

void pickFirst(QWidget *window, const char *name) {
    if (auto *combo = control<QComboBox>(window, name)) combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

// A listing previewed through a selection window: the window is opened from its menu
// command, filled as the clerk would, and its print button pressed.
// Timed from the button to the Viewer's first page.
Timing previewThroughWindow(MDI &mdi, const char *command, const std::function<void(QWidget *)> &fill,
                            const char *button) {
    QMdiSubWindow *before = mdi.workspace()->activeSubWindow();
    mdi.command(QString::fromLatin1(command))->trigger();
    settle();
    QMdiSubWindow *active = mdi.workspace()->activeSubWindow();
    if (!active || active == before) {
        std::fprintf(stderr, "%s opened no window\n", command);
        return {};
    }
    QWidget *window = active->widget();
    fill(window);
    closeWindow(openWindow<Viewer>(mdi));
    return timed([&] {
        press(window, button);
        if (!waitForFirstPage(mdi)) std::fprintf(stderr, "%s previewed nothing\n", command);
    });
}

void previewEveryListing(MDI &mdi, std::vector<std::pair<QString, Timing>> &openings);

double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

// The peak resident memory once every window of the menus is open, before any listing.
double g_windowsPeakMb = 0;

// Opens every window of the menus, each timed from its menu command until it is shown, and
// previews every listing, each timed until the Viewer shows its first page, then again
// until its last page is laid out, leaving the windows open.
std::vector<std::pair<QString, Timing>> openEverything(MDI &mdi) {
    std::vector<std::pair<QString, Timing>> openings;
    const char *windows[] = {"OrdNav", "OrderEntry", "ShipmentNav", "ShipmentEntry", "CustomerEntry",
                             "VendorEntry", "StyleEntry", "CreateInvoices", "ReceivePayments",
                             "OrderEntryControlReport", "SawMgr", "FabMgr", "PlantMgr", "ShippingMgr", "About"};
    for (const char *name : windows) {
        if (QAction *action = mdi.command(QString::fromLatin1(name)); action && action->isEnabled()) {
            openings.emplace_back(QStringLiteral("open from the menu: %1").arg(action->text().remove(QLatin1Char('&'))), timed([&] {
                                      action->trigger();
                                      settle();
                                  }));
        } else {
            std::fprintf(stderr, "no menu command %s\n", name);
        }
    }
    g_windowsPeakMb = peakResidentMb();
    previewEveryListing(mdi, openings);
    closeWindow(openWindow<Viewer>(mdi));
    g_residentBeforeLastPages = residentMb();
    g_toLastPage = true;
    previewEveryListing(mdi, openings);
    g_toLastPage = false;
    return openings;
}

void previewEveryListing(MDI &mdi, std::vector<std::pair<QString, Timing>> &openings) {
    const QString end = g_toLastPage ? QStringLiteral(", to its last page") : QString();
    const char *listings[] = {"CustomerListing", "VendorListing", "BunListing", "ComponentListing",
                              "OpenInvoicesReport", "CustomerStatementsReport"};
    for (const char *name : listings) {
        QAction *action = mdi.command(QString::fromLatin1(name));
        closeWindow(openWindow<Viewer>(mdi));
        openings.emplace_back(QStringLiteral("preview %1%2").arg(action->text().remove(QLatin1Char('&')), end), timed([&] {
                                  action->trigger();
                                  if (!waitForFirstPage(mdi)) std::fprintf(stderr, "%s previewed nothing\n", name);
                              }));
    }
    openings.emplace_back(QStringLiteral("preview Style Listing, every customer") + end,
                          previewThroughWindow(mdi, "StyleListing", [](QWidget *w) { pickFirst(w, "cmbCustomer"); }, "btnPrint"));
    openings.emplace_back(QStringLiteral("preview Sales by Customer, in detail since 2000") + end, previewThroughWindow(
        mdi, "SalesByCustomer",
        [](QWidget *w) {
            if (auto *start = control<QDateEdit>(w, "dtStart")) start->setDate(QDate(2000, 1, 1));
            if (auto *detail = control<QCheckBox>(w, "chkDetail")) detail->setChecked(true);
        },
        "btnOK"));
    openings.emplace_back(QStringLiteral("preview an invoice") + end,
                          previewThroughWindow(mdi, "InvoiceReport", [](QWidget *w) { pickFirst(w, "cmbInvoice"); }, "btnOK"));
}

// A print target that lets documents go: the save is timed up to its paperwork built.
class NoPrinting : public PrintTarget {
public:
    void print(const Document &, const QString &) override { ++documents; }
    void preview(const Document &, const QString &) override { ++documents; }
    int documents = 0;
};

void typeInto(QWidget *window, const char *name, const QString &text) {
    if (auto *box = control<QLineEdit>(window, name)) {
        box->setFocus(Qt::OtherFocusReason);
        box->setText(text);
    }
}

// A new order of eight lines saved through the order window as the clerk does, timed from
// Save until its paperwork is built (printing, which does not grow with the plant, aside).
// The order navigator, left open, lists the orders again, as it does after every save. The
// save runs inside a transaction that is rolled back: the plant keeps no order.
Timing saveNewOrder(MDI &mdi) {
    mdi.command(QStringLiteral("OrderEntry"))->trigger();
    settle();
    QWidget *window = openWindow<frmOrderEntry>(mdi);
    if (auto *customer = control<QComboBox>(window, "cmbCustomer")) customer->setCurrentIndex(std::min(5, customer->count() - 1));
    typeInto(window, "txtOrderNumber", QStringLiteral("BENCH-1"));
    constexpr int kLines = 8;
    for (int i = 0; i < kLines; ++i) {
        typeInto(window, "txtLine", QStringLiteral("L%1").arg(i + 1));
        if (auto *style = control<QComboBox>(window, "cmbStyle")) style->setCurrentIndex(style->count() > 0 ? i % style->count() : -1);
        typeInto(window, "txtQty", QStringLiteral("5"));
        typeInto(window, "txtPriceEach", QStringLiteral("10"));
        press(window, "btnSaveItem");
    }
    NoPrinting noPrinting;
    PrintTarget &desktop = Reports::printTarget();
    Reports::setPrintTarget(&noPrinting);
    Transaction untouched(AppDatabase());
    const Timing timing = timed([&] { press(window, "btnSave"); });
    Reports::setPrintTarget(&desktop);
    if (noPrinting.documents == 0) std::fprintf(stderr, "the order was not saved: no paperwork\n");
    return timing;
}

// Find pressed in a navigator left open, its criteria as it opened with (every row).
Timing findInNavigator(MDI &mdi, const char *className) {
    for (QMdiSubWindow *sub : mdi.workspace()->subWindowList())
        if (sub->widget() && qstrcmp(sub->widget()->metaObject()->className(), className) == 0)
            return timed([&] { press(sub->widget(), "btnFind"); });
    std::fprintf(stderr, "no open %s\n", className);
    return {};
}

// The order navigator (open) finds the orders whose number holds "12", as the clerk asks.
Timing findOrdersHolding12(MDI &mdi) {
    if (auto *number = control<QLineEdit>(openWindow<frmOrderNavigator>(mdi), "txtOrderNumber"))
        number->setText(QStringLiteral("12"));
    return findInNavigator(mdi, "frmOrderNavigator");
}

long long ordersOfThePlant() {
    auto count = AppDatabase().openRecordset(QStringLiteral("SELECT Count(*) AS n FROM Orders"), RecordsetType::ForwardOnly);
    return count->field(QStringLiteral("n")).toLongLong();
}

// The measures of the scaling table on this plant, one "name<TAB>value" line each.
int printScalingRows(MDI &mdi) {
    std::printf("orders\t%lld\n", ordersOfThePlant());
    for (const auto &[measure, timing] : openEverything(mdi)) std::printf("%s\t%.1f\n", qPrintable(measure), timing.wallMs);
    std::printf("peak resident memory, every window open and every listing previewed\t%.0f\n", peakResidentMb());
    std::printf("order navigator: find the numbers holding \"12\"\t%.1f\n", findOrdersHolding12(mdi).wallMs);
    mdi.workspace()->closeAllSubWindows();
    settle();
    SetAppDatabase(nullptr);
    return 0;
}

// With --listings: the listings alone, each previewed to its last page, with the resident
// memory once it is laid out in the Viewer (the Viewer before closed), so that what the
// Viewer holds of the biggest listings shows without the other windows' share.
int previewListingsOnly(MDI &mdi) {
    std::vector<std::pair<QString, Timing>> rows;
    const double before = residentMb();
    g_toLastPage = true;
    previewEveryListing(mdi, rows);
    std::printf("| measure | wall ms | CPU ms | resident MB |\n|---|---:|---:|---:|\n");
    for (std::size_t i = 0; i < rows.size(); ++i)
        std::printf("| %s | %.1f | %.1f | %.0f |\n", qPrintable(rows[i].first), rows[i].second.wallMs, rows[i].second.cpuMs,
                    i < g_residentAtLastPage.size() ? g_residentAtLastPage[i] : 0.0);
    std::printf("\nResident memory before the first listing: %.0f MB; peak: %.0f MB\n", before, peakResidentMb());
    mdi.workspace()->closeAllSubWindows();
    settle();
    SetAppDatabase(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() >= 2 && args.first() == QLatin1String("--scaling"))
        return PrintScalingTable(QCoreApplication::applicationFilePath(), args.mid(1));
    const bool listingsOnly = args.size() == 2 && args.last() == QLatin1String("--listings");
    const bool scalingRows = args.size() == 2 && args.first() == QLatin1String("--rows");
    if (args.size() != 1 && !listingsOnly && !scalingRows) {
        std::fprintf(stderr, "usage: quelby-windowbench PLANT.db [--listings]\n"
                             "       quelby-windowbench --scaling PLANT.db...\n");
        return 2;
    }
    BenchMessages messages;
    Seams::setMessages(&messages);
    SetAppDatabase(Database::open(scalingRows ? args.last() : args.first()));
    InstallDesktopPrintTarget();

    MDI mdi;
    mdi.show();
    settle();
    if (listingsOnly) return previewListingsOnly(mdi);
    if (scalingRows) return printScalingRows(mdi);

    std::vector<Timing> openings;
    for (int i = 0; i < kOpenings; ++i) {
        closeWindow(openWindow<frmStyle>(mdi));
        openings.push_back(timed([&] { openAdministration(mdi); }));
    }
    auto *tree = openWindow<frmStyle>(mdi)->findChild<StyleTree *>(QStringLiteral("StyleTree"));
    const Timing styleClick = medianClick(tree, StyleTree::StyleLevel, "style");
    const Timing componentClick = medianClick(tree, StyleTree::ComponentLevel, "style component");
    const Timing operationClick = medianClick(tree, StyleTree::OperationLevel, "operation");
    closeWindow(openWindow<frmStyle>(mdi));

    const Timing listing = componentListingToFirstPage(mdi);

    const std::vector<std::pair<QString, Timing>> windows = openEverything(mdi);
    const double peak = peakResidentMb();
    const Timing orderFind = findInNavigator(mdi, "frmOrderNavigator");
    const Timing shipmentFind = findInNavigator(mdi, "frmShipmentNavigator");
    const Timing save = saveNewOrder(mdi);

    std::printf("| measure | wall ms | CPU ms |\n|---|---:|---:|\n");
    printRow(QStringLiteral("Administration window, first opening"), openings.front());
    printRow(QStringLiteral("Administration window open (median of %1)").arg(kOpenings), median(openings));
    printRow(QStringLiteral("click on a style node (median of %1)").arg(kClicksPerKind), styleClick);
    printRow(QStringLiteral("click on a component node (median of %1)").arg(kClicksPerKind), componentClick);
    printRow(QStringLiteral("click on an operation node (median of %1)").arg(kClicksPerKind), operationClick);
    printRow(QStringLiteral("component listing to the Viewer's first page"), listing);
    for (const auto &[measure, timing] : windows) printRow(measure, timing);
    printRow(QStringLiteral("order navigator: Find, every order"), orderFind);
    printRow(QStringLiteral("shipment navigator: Find, every shipment"), shipmentFind);
    printRow(QStringLiteral("save a new order of eight lines, its paperwork built, the order navigator open"), save);
    std::printf("\nPeak resident memory with every window of the menus open, before the listings: %.0f MB\n",
                g_windowsPeakMb);
    std::printf("Peak resident memory with every window of the menus open and every listing previewed: %.0f MB\n",
                peak);
    std::printf("Resident memory before the listings are laid out to their last page: %.0f MB; with each laid out in the "
                "Viewer:\n",
                g_residentBeforeLastPages);
    std::size_t at = 0;
    for (const auto &[measure, timing] : windows)
        if (measure.endsWith(QLatin1String(", to its last page")) && at < g_residentAtLastPage.size())
            std::printf("  %s: %.0f MB\n", qPrintable(measure.section(QLatin1Char(','), 0, 0)), g_residentAtLastPage[at++]);
    if (messages.shown) std::printf("\n%d message(s) shown during the run (see standard error)\n", messages.shown);

    mdi.workspace()->closeAllSubWindows();
    settle();
    SetAppDatabase(nullptr);
    return 0;
}
