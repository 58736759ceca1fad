// quelby-windowbench: how quickly the windows answer on a large plant. Runs the main
// frame on the offscreen platform with the desktop print target, as the application runs,
// and prints a table of:
//   - opening the Administration window (median of a few openings),
//   - a click on a style, a style component and an operation node of its tree,
//   - the component listing from the menu command to the Viewer's first page,
// and, after every window of the menus has been opened and every listing previewed, the
// peak resident memory of the process.
//
//   quelby-windowbench PLANT.db
//
// The plant is made by `quelby-admin demo PLANT.db --large 3000 100000`. Nothing is saved:
// questions are answered No and messages are only counted.

#include "app/DesktopPrintTarget.h"
#include "app/MDI.h"
#include "app/Viewer.h"
#include "core/Seams.h"
#include "data/Database.h"
#include "product/StyleTree.h"
#include "product/frmStyle.h"
#include "reports/ReportsMod.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
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

double elapsedMs(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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

// The nodes of one level found under a few customers spread over the tree, opening the
// nodes above them as the clerk would.
std::vector<QTreeWidgetItem *> nodesOfLevel(StyleTree *tree, int level, int wanted) {
    std::vector<QTreeWidgetItem *> found;
    QTreeWidgetItem *root = tree->topLevelItem(0);
    if (!root) return found;
    const int customers = root->childCount();
    // One node under each of `wanted` customers spread over the tree.
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
double clickNode(StyleTree *tree, QTreeWidgetItem *item) {
    tree->scrollToItem(item);
    settle();
    const QPoint centre = tree->visualItemRect(item).center();
    const double ms = elapsedMs([&] {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
        settle();
    });
    if (qEnvironmentVariableIsSet("BENCH_DEBUG"))
        std::fprintf(stderr, "click %s: %.1f ms, style id %s\n", qPrintable(item->text(0)), ms,
                     qPrintable(tree->window()->findChild<QLineEdit *>("txtStyleNameID")->text()));
    return ms;
}

double medianClick(StyleTree *tree, int level, const char *kind) {
    std::vector<double> times;
    for (QTreeWidgetItem *item : nodesOfLevel(tree, level, kClicksPerKind)) times.push_back(clickNode(tree, item));
    if (times.empty()) std::fprintf(stderr, "no %s node in the tree\n", kind);
    return median(times);
}

// Waits until the Viewer shows the first page of what was just previewed.
bool waitForFirstPage(MDI &mdi) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kViewerWaitMs) {
        if (Viewer *viewer = openWindow<Viewer>(mdi))
            if (viewer->previewWidget()->pageCount() > 0) return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return false;
}

double componentListingToFirstPage(MDI &mdi) {
    closeWindow(openWindow<Viewer>(mdi));
    bool shown = false;
    const double ms = elapsedMs([&] {
        PrintComponentListing();
        shown = waitForFirstPage(mdi);
    });
    if (!shown) std::fprintf(stderr, "the Viewer showed no page of the component listing\n");
    return ms;
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
void previewThroughWindow(MDI &mdi, const char *command, const std::function<void(QWidget *)> &fill,
                          const char *button) {
    QMdiSubWindow *before = mdi.workspace()->activeSubWindow();
    mdi.command(QString::fromLatin1(command))->trigger();
    settle();
    QMdiSubWindow *active = mdi.workspace()->activeSubWindow();
    if (!active || active == before) {
        std::fprintf(stderr, "%s opened no window\n", command);
        return;
    }
    QWidget *window = active->widget();
    fill(window);
    press(window, button);
    if (!waitForFirstPage(mdi)) std::fprintf(stderr, "%s previewed nothing\n", command);
}

// Opens every window of the menus and previews every listing, leaving the windows open.
void openEverything(MDI &mdi) {
    const char *windows[] = {"OrdNav", "OrderEntry", "ShipmentNav", "ShipmentEntry", "CustomerEntry",
                             "VendorEntry", "StyleEntry", "CreateInvoices", "ReceivePayments",
                             "OrderEntryControlReport", "SawMgr", "FabMgr", "PlantMgr", "ShippingMgr", "About"};
    for (const char *name : windows) {
        if (QAction *action = mdi.command(QString::fromLatin1(name)); action && action->isEnabled()) {
            action->trigger();
            settle();
        } else {
            std::fprintf(stderr, "no menu command %s\n", name);
        }
    }
    const char *listings[] = {"CustomerListing", "VendorListing", "BunListing", "ComponentListing",
                              "OpenInvoicesReport", "CustomerStatementsReport"};
    for (const char *name : listings) {
        mdi.command(QString::fromLatin1(name))->trigger();
        if (!waitForFirstPage(mdi)) std::fprintf(stderr, "%s previewed nothing\n", name);
    }
    previewThroughWindow(mdi, "StyleListing", [](QWidget *w) { pickFirst(w, "cmbCustomer"); }, "btnPrint");
    previewThroughWindow(
        mdi, "SalesByCustomer",
        [](QWidget *w) {
            if (auto *start = control<QDateEdit>(w, "dtStart")) start->setDate(QDate(2000, 1, 1));
            if (auto *detail = control<QCheckBox>(w, "chkDetail")) detail->setChecked(true);
        },
        "btnOK");
    previewThroughWindow(mdi, "InvoiceReport", [](QWidget *w) { pickFirst(w, "cmbInvoice"); }, "btnOK");
}

double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quelby-windowbench PLANT.db\n");
        return 2;
    }
    BenchMessages messages;
    Seams::setMessages(&messages);
    SetAppDatabase(Database::open(QString::fromLocal8Bit(argv[1])));
    InstallDesktopPrintTarget();

    MDI mdi;
    mdi.show();
    settle();

    std::vector<double> openings;
    for (int i = 0; i < kOpenings; ++i) {
        closeWindow(openWindow<frmStyle>(mdi));
        openings.push_back(elapsedMs([&] { openAdministration(mdi); }));
    }
    auto *tree = openWindow<frmStyle>(mdi)->findChild<StyleTree *>(QStringLiteral("StyleTree"));
    const double styleClick = medianClick(tree, StyleTree::StyleLevel, "style");
    const double componentClick = medianClick(tree, StyleTree::ComponentLevel, "style component");
    const double operationClick = medianClick(tree, StyleTree::OperationLevel, "operation");
    closeWindow(openWindow<frmStyle>(mdi));

    const double listing = componentListingToFirstPage(mdi);

    openEverything(mdi);
    const double peak = peakResidentMb();

    std::printf("| measure | value |\n|---|---:|\n");
    std::printf("| Administration window open (median of %d) | %.0f ms |\n", kOpenings, median(openings));
    std::printf("| click on a style node (median of %d) | %.1f ms |\n", kClicksPerKind, styleClick);
    std::printf("| click on a component node (median of %d) | %.1f ms |\n", kClicksPerKind, componentClick);
    std::printf("| click on an operation node (median of %d) | %.1f ms |\n", kClicksPerKind, operationClick);
    std::printf("| component listing to the Viewer's first page | %.0f ms |\n", listing);
    std::printf("| peak resident memory, every window open and every listing previewed | %.0f MB |\n", peak);
    if (messages.shown) std::printf("\n%d message(s) shown during the run (see standard error)\n", messages.shown);

    mdi.workspace()->closeAllSubWindows();
    settle();
    SetAppDatabase(nullptr);
    return 0;
}
