// The main frame: its menu tree, windows opened at most once, File > Exit and closing
// the frame, and the About box.

#include "app/MDI.h"
#include "widgets/ChildWindow.h"
#include "app/frmAbout.h"
#include "app/Viewer.h"
#include "masterdata/frmCustomerEntry.h"
#include "masterdata/frmVendorEntry.h"
#include "product/frmStyle.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {
int g_unloads = 0;

// A window with typed input and an unload routine that counts its runs.
class ProbeWindow : public ChildWindow {
    Q_OBJECT
public:
    ProbeWindow() {
        auto *layout = new QVBoxLayout(this);
        box = new QLineEdit(this);
        box->setObjectName("txtProbe");
        layout->addWidget(box);
    }
    QLineEdit *box;

protected:
    void Form_Unload() override { ++g_unloads; }
};

// A window that may be resized, as the navigators and the Viewer are.
class StretchWindow : public ChildWindow {
    Q_OBJECT
public:
    StretchWindow() { setClientTwips(4500, 3000, true); }
};
}  // namespace

class tst_MDI : public QObject {
    Q_OBJECT
private slots:
    void init() { g_unloads = 0; }
    void menuTree();
    void unbuiltCommandsAreDisabled();
    void clientArea();
    void windowsOpenWholeInTheStartingFrame_data();
    void windowsOpenWholeInTheStartingFrame();
    void largerWindowOpensFromTheCorner();
    void firstStartFitsTheScreen();
    void frameKeepsItsPlace_data();
    void frameKeepsItsPlace();
    void windowOpensOnlyOnce();
    void fixedAndResizableBorders();
    void exitRunsNoUnload();
    void closingFrameUnloadsChildren();
    void aboutBox();
    void commandsOpenTheirWindows_data();
    void commandsOpenTheirWindows();
    void listingCommandsPreview_data();
    void listingCommandsPreview();
};

static QStringList describe(QMenu *menu, const QString &indent) {
    QStringList lines;
    for (QAction *a : menu->actions()) {
        lines << indent + a->objectName() + " \"" + a->text() + "\"";
        if (a->menu()) lines += describe(a->menu(), indent + "  ");
    }
    return lines;
}

void tst_MDI::menuTree() {
    MDI mdi;
    QStringList lines;
    for (QAction *top : mdi.menuBar()->actions()) {
        lines << top->objectName() + " \"" + top->text() + "\"";
        lines += describe(top->menu(), "  ");
    }
    const QStringList expected = {
        "File \"File\"",
        "  Exit \"Exit\"",
        "Orders \"Orders\"",
        "  OrdNav \"Order Navigator\"",
        "  OrderEntry \"Order Entry\"",
        "Shipping \"Shipping\"",
        "  ShipmentNav \"Shipment Navigator\"",
        "  ShipmentEntry \"Shipment Entry\"",
        "Administrative \"Administrative\"",
        "  CustomerEntry \"Customer Entry\"",
        "  VendorEntry \"Vendor Entry\"",
        "  StyleEntry \"Style Entry\"",
        "  CreateInvoices \"Create Invoices\"",
        "  ReceivePayments \"Receive Payments\"",
        "Reports \"Reports\"",
        "  OrderReports \"Orders\"",
        "    OrderEntryControlReport \"Order Entry Control Report\"",
        "    SalesByCustomer \"Sales By Customer\"",
        "  Production \"Production\"",
        "    SawMgr \"Saw Manager\"",
        "    FabMgr \"Fabrication Manager\"",
        "    PlantMgr \"Plant Manager\"",
        "  ShippingReports \"Shipping\"",
        "    ShippingMgr \"Shipping Mangager\"",
        "  Admin \"Administrative\"",
        "    CustomerListing \"Customer Listing\"",
        "    VendorListing \"Vendor Listing\"",
        "    BunListing \"Bun Listing\"",
        "    ComponentListing \"Component Listing\"",
        "    StyleListing \"Style Listing\"",
        "  AR \"Accounts Receivable\"",
        "    InvoiceReport \"Invoice Report\"",
        "    OpenInvoicesReport \"Open Invoices Report\"",
        "    CustomerStatementsReport \"Customer Statements\"",
        "Help \"Help\"",
        "  About \"About\"",
    };
    QCOMPARE(lines, expected);
    for (QAction *a : mdi.findChildren<QAction *>()) {
        QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
        QVERIFY2(!a->isCheckable(), qPrintable(a->objectName()));
    }
}

void tst_MDI::unbuiltCommandsAreDisabled() {
    // Every enabled command must do something: triggering it opens a window or runs a
    // listing; the others wait, disabled, for their windows.
    MDI mdi;
    QVERIFY(mdi.command("About")->isEnabled());
    QVERIFY(mdi.command("Exit")->isEnabled());
    for (QAction *a : mdi.findChildren<QAction *>()) {
        if (a->menu() || a->isEnabled()) continue;
        QVERIFY2(!a->objectName().isEmpty(), "a command without a name");
    }
}

void tst_MDI::clientArea() {
    MDI mdi;
    UiTest::show(&mdi);
    QCOMPARE(mdi.windowTitle(), QString("Quelby"));
    // Never less than 740 by 594 pixels, and room for the largest windows with their
    // title bars: the Administration window (800 wide) and the Report Viewer (683 high).
    const QSize workspace = mdi.workspace()->size();
    QCOMPARE(workspace, mdi.startWorkspace());
    QVERIFY(workspace.width() > 800 && workspace.height() > 683);
}

static QMdiSubWindow *openFromMenu(MDI &mdi, const QString &command) {
    if (command == "Viewer") return qobject_cast<QMdiSubWindow *>(mdi.open<Viewer>()->parentWidget());
    mdi.command(command)->trigger();
    return mdi.workspace()->activeSubWindow();
}

static bool wholeInside(MDI &mdi, QMdiSubWindow *sub) {
    return QRect(QPoint(0, 0), mdi.workspace()->viewport()->size()).contains(sub->geometry());
}

void tst_MDI::windowsOpenWholeInTheStartingFrame_data() {
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("Administration") << QStringList{"StyleEntry"};
    QTest::newRow("Report Viewer") << QStringList{"Viewer"};
    QTest::newRow("customers") << QStringList{"CustomerEntry"};
    QTest::newRow("one after another")
        << QStringList{"About", "CustomerEntry", "VendorEntry", "SawMgr", "StyleEntry", "OrderEntryControlReport", "Viewer"};
}

void tst_MDI::windowsOpenWholeInTheStartingFrame() {
    QFETCH(QStringList, commands);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    MDI mdi;
    UiTest::show(&mdi);
    for (const QString &command : commands) {
        QMdiSubWindow *sub = openFromMenu(mdi, command);
        QVERIFY2(wholeInside(mdi, sub), qPrintable(command));
    }
    QVERIFY(!mdi.workspace()->horizontalScrollBar()->isVisible());
    QVERIFY(!mdi.workspace()->verticalScrollBar()->isVisible());
}

void tst_MDI::largerWindowOpensFromTheCorner() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    MDI mdi;
    mdi.resize(640, 480);
    UiTest::show(&mdi);
    openFromMenu(mdi, "CustomerEntry");
    QMdiSubWindow *small = openFromMenu(mdi, "About");
    QVERIFY(wholeInside(mdi, small));
    QMdiSubWindow *admin = openFromMenu(mdi, "StyleEntry");
    QCOMPARE(admin->pos(), QPoint(0, 0));
    // The labels at the window's left are in view; the rest is reached by scrolling.
    QScrollBar *across = mdi.workspace()->horizontalScrollBar();
    QCOMPARE(across->value(), across->minimum());
    QWidget *window = admin->widget();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(window)) continue;
        QVERIFY2(label->mapTo(mdi.workspace()->viewport(), QPoint(0, 0)).x() >= 0, qPrintable(label->text()));
    }
}

void tst_MDI::firstStartFitsTheScreen() {
    QTemporaryDir dir;
    QSettings placement(dir.filePath("quelby.ini"), QSettings::IniFormat);
    MDI mdi;
    const QSize startSize = mdi.size();
    mdi.showFrame(&placement);
    QVERIFY(QTest::qWaitForWindowExposed(&mdi));
    const QRect screenArea = mdi.screen()->availableGeometry();
    if (startSize.width() > screenArea.width() || startSize.height() > screenArea.height())
        QVERIFY(mdi.isMaximized());
    if (!mdi.isMaximized()) QVERIFY(screenArea.contains(mdi.frameGeometry()));
    // Shown normal again, it is the frame that holds the largest window whole.
    mdi.showNormal();
    QTRY_COMPARE(mdi.workspace()->size(), mdi.startWorkspace());
}

void tst_MDI::frameKeepsItsPlace_data() {
    QTest::addColumn<bool>("byExit");
    QTest::newRow("closed by its close box") << false;
    QTest::newRow("ended by File > Exit") << true;
}

void tst_MDI::frameKeepsItsPlace() {
    QFETCH(bool, byExit);
    QTemporaryDir dir;
    QSettings placement(dir.filePath("quelby.ini"), QSettings::IniFormat);
    const QRect place(40, 60, 700, 500);
    {
        MDI mdi;
        mdi.showFrame(&placement);
        QVERIFY(QTest::qWaitForWindowExposed(&mdi));
        mdi.showNormal();
        mdi.setGeometry(place);
        QTRY_COMPARE(mdi.geometry(), place);
        if (byExit) {
            QTimer::singleShot(0, mdi.command("Exit"), &QAction::trigger);
            QCOMPARE(QCoreApplication::exec(), 0);
        } else {
            QVERIFY(mdi.close());
        }
    }
    MDI again;
    again.showFrame(&placement);
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QVERIFY(!again.isMaximized());
    QCOMPARE(again.geometry(), place);
}

void tst_MDI::windowOpensOnlyOnce() {
    MDI mdi;
    UiTest::show(&mdi);
    ProbeWindow *first = mdi.open<ProbeWindow>();
    UiTest::type(first->box, "order in progress");
    mdi.command("About")->trigger();
    ProbeWindow *again = mdi.open<ProbeWindow>();
    QCOMPARE(again, first);
    QCOMPARE(first->box->text(), QString("order in progress"));
    QCOMPARE(mdi.workspace()->activeSubWindow()->widget(), static_cast<QWidget *>(first));
    mdi.command("About")->trigger();
    QCOMPARE(mdi.workspace()->subWindowList().size(), 2);
}

void tst_MDI::fixedAndResizableBorders() {
    MDI mdi;
    UiTest::show(&mdi);
    QWidget *fixed = mdi.open<ProbeWindow>()->parentWidget();
    QWidget *stretch = mdi.open<StretchWindow>()->parentWidget();
    QVERIFY(!(fixed->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(fixed->minimumSize(), fixed->maximumSize());
    QVERIFY(stretch->minimumSize() != stretch->maximumSize());
    QCOMPARE(stretch->findChild<StretchWindow *>()->size(), QSize(300, 200));
}

void tst_MDI::exitRunsNoUnload() {
    MDI mdi;
    UiTest::show(&mdi);
    mdi.open<ProbeWindow>();
    QSignalSpy quit(qApp, &QCoreApplication::aboutToQuit);
    QTimer::singleShot(0, mdi.command("Exit"), &QAction::trigger);
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); });  // guard only
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(g_unloads, 0);
    QCOMPARE(mdi.workspace()->subWindowList().size(), 1);
}

void tst_MDI::closingFrameUnloadsChildren() {
    auto *mdi = new MDI;
    UiTest::show(mdi);
    mdi->open<ProbeWindow>();
    QVERIFY(mdi->close());
    QCOMPARE(g_unloads, 1);
    QVERIFY(mdi->workspace()->subWindowList().isEmpty());
    delete mdi;
    QCOMPARE(g_unloads, 1);
}

void tst_MDI::aboutBox() {
    ScopedFakes fakes;
    TestDatabase db;
    MDI mdi;
    UiTest::show(&mdi);
    mdi.command("About")->trigger();
    auto *about = qobject_cast<frmAbout *>(mdi.workspace()->activeSubWindow()->widget());
    QVERIFY(about);
    QCOMPARE(UiTest::child<QLabel>(about, "lblTitle")->text(), QString("Quelby"));
    QCOMPARE(UiTest::child<QLabel>(about, "lblVersion")->text(), QString("Version 1.2 7/20/04"));
    QVERIFY(!UiTest::child<QLabel>(about, "lblMaker")->text().isEmpty());
    QCOMPARE(UiTest::child<QLabel>(about, "lblDatabase")->text(),
             "Plant database: " + QDir::toNativeSeparators(db.path()));
    const QString facts = frmAbout::systemFacts();
    QVERIFY(facts.contains("Database engine: SQLite 3."));
    QVERIFY(facts.contains(QString("Qt: ") + qVersion()));
}

void tst_MDI::commandsOpenTheirWindows_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("windowClass");
    QTest::addColumn<QString>("caption");
    QTest::newRow("customers") << "CustomerEntry" << "frmCustomerEntry" << "Customer Entry/Edit";
    QTest::newRow("vendors") << "VendorEntry" << "frmVendorEntry" << "Vendor Entry/Edit";
    QTest::newRow("styles") << "StyleEntry" << "frmStyle" << "Administration";
}

void tst_MDI::commandsOpenTheirWindows() {
    QFETCH(QString, command);
    QFETCH(QString, windowClass);
    QFETCH(QString, caption);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    MDI mdi;
    UiTest::show(&mdi);
    QVERIFY(mdi.command(command)->isEnabled());
    mdi.command(command)->trigger();
    mdi.command(command)->trigger();
    QCOMPARE(mdi.workspace()->subWindowList().size(), 1);
    QWidget *window = mdi.workspace()->activeSubWindow()->widget();
    QCOMPARE(QString(window->metaObject()->className()), windowClass);
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_MDI::listingCommandsPreview_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("templateName");
    QTest::newRow("customers") << "CustomerListing" << "crptCustomerListing";
    QTest::newRow("vendors") << "VendorListing" << "crptVendorListing";
    QTest::newRow("buns") << "BunListing" << "crptBunListing";
    QTest::newRow("components") << "ComponentListing" << "crptComponentListing";
}

void tst_MDI::listingCommandsPreview() {
    QFETCH(QString, command);
    QFETCH(QString, templateName);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    CaptureTarget capture;
    MDI mdi;
    mdi.command(command)->trigger();
    QCOMPARE(capture.templates(), QStringList{templateName});
    QVERIFY(capture.documents.first().preview);
    QVERIFY(!capture.documents.first().pages.isEmpty());
    QVERIFY(fakes.messages.shown.isEmpty());
}

QTEST_MAIN(tst_MDI)
#include "tst_mdi.moc"
