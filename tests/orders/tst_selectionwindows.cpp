// The five "Order Selection" windows as the managers use them: opened from the Reports
// menu, an order found by typing, Print and Cancel. What is checked is what reaches the
// printer (or the Report Viewer) and whether the window stays.

#include "app/DesktopPrintTarget.h"
#include "app/MDI.h"
#include "app/Viewer.h"
#include "reports/PrintTarget.h"
#include "tests/support/PaperworkPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

// The window a menu command opened: the workspace's active window.
QWidget *openFromMenu(MDI &mdi, const QString &command) {
    mdi.command(command)->trigger();
    QMdiSubWindow *sub = mdi.workspace()->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

bool isOpen(const QPointer<QWidget> &window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !window.isNull() && window->isVisible();
}

// Types the letters into the order list quickly, as a clerk does.
void typeAhead(QComboBox *combo, const QString &letters) {
    combo->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(combo, letters);
}

// Every captured document as "template: text of txtTitle/txtDepartment/txtRecipient".
QStringList printed(const CaptureTarget &capture) {
    QStringList out;
    for (const CapturedDocument &d : capture.documents) {
        QStringList texts;
        for (const auto &[name, text] : d.texts) texts << text;
        out << d.templateName + (d.preview ? QStringLiteral(" (preview)") : QString()) + QStringLiteral(": ") +
                   texts.join(QStringLiteral(", "));
    }
    return out;
}

struct RestorePrintTarget {
    PrintTarget *before = &Reports::printTarget();
    ~RestorePrintTarget() { Reports::setPrintTarget(before); }
};

}  // namespace

class tst_SelectionWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layoutListAndTabOrder();
    void printWithoutAnOrderDoesNothing();
    void cancelClosesWithoutPrinting();
    void eachWindowPrintsItsSet_data();
    void eachWindowPrintsItsSet();
    void equalEntriesPrintTheirOwnOrder();
    void failureKeepsTheWindowOpen();
    void orderEntryReportPreviewsInTheViewerAndCloses();

private:
    std::unique_ptr<PaperworkFixture> m_plant;
};

void tst_SelectionWindows::init() {
    m_plant = std::make_unique<PaperworkFixture>();
}

void tst_SelectionWindows::cleanup() {
    m_plant.reset();
}

void tst_SelectionWindows::layoutListAndTabOrder() {
    MDI mdi;
    show(&mdi);
    QWidget *w = openFromMenu(mdi, QStringLiteral("SawMgr"));
    QVERIFY(w);
    QCOMPARE(QString(w->metaObject()->className()), QStringLiteral("frmSawMgrReports"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Order Selection"));
    auto *orders = child<QComboBox>(w, QStringLiteral("cmbOrder"));
    QVERIFY(!orders->isEditable());
    QCOMPARE(orders->currentIndex(), -1);
    QStringList items;
    for (int i = 0; i < orders->count(); ++i) items << orders->itemText(i);
    // Every order whatever its status, by customer then order number.
    QCOMPARE(items, (QStringList{"Acme - PO-1", "Acme - PO-EMPTY", "Vedu - V-1", "VEDU - V-2", "Vedu Interiors - VI-1"}));
    QCOMPARE(child<QPushButton>(w, QStringLiteral("btnPrint"))->text(), QStringLiteral("Print"));
    QCOMPARE(child<QPushButton>(w, QStringLiteral("btnCancel"))->text(), QStringLiteral("Cancel"));
    bool labelled = false;
    for (QLabel *label : w->findChildren<QLabel *>()) labelled = labelled || (label->text() == "Order Number" && label->buddy() == orders);
    QVERIFY(labelled);
    QCOMPARE(orders->nextInFocusChain(), child<QPushButton>(w, QStringLiteral("btnPrint")));
    QCOMPARE(child<QPushButton>(w, QStringLiteral("btnPrint"))->nextInFocusChain(),
             child<QPushButton>(w, QStringLiteral("btnCancel")));
    // A second command opens no second window.
    openFromMenu(mdi, QStringLiteral("SawMgr"));
    QCOMPARE(mdi.workspace()->subWindowList().size(), 1);
    // A fixed border: the frame has no maximise button.
    QVERIFY(!(mdi.workspace()->activeSubWindow()->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void tst_SelectionWindows::printWithoutAnOrderDoesNothing() {
    MDI mdi;
    show(&mdi);
    CaptureTarget capture;
    for (const char *command : {"SawMgr", "FabMgr", "PlantMgr", "ShippingMgr", "OrderEntryControlReport"}) {
        QPointer<QWidget> w = openFromMenu(mdi, QLatin1String(command));
        click(child<QPushButton>(w, QStringLiteral("btnPrint")));
        QVERIFY2(isOpen(w), command);
    }
    QVERIFY(capture.documents.isEmpty());
    QVERIFY(m_plant->fakes.messages.shown.isEmpty());
    QCOMPARE(mdi.workspace()->subWindowList().size(), 5);
}

void tst_SelectionWindows::cancelClosesWithoutPrinting() {
    MDI mdi;
    show(&mdi);
    CaptureTarget capture;
    QPointer<QWidget> w = openFromMenu(mdi, QStringLiteral("PlantMgr"));
    typeAhead(child<QComboBox>(w, QStringLiteral("cmbOrder")), QStringLiteral("acme"));
    click(child<QPushButton>(w, QStringLiteral("btnCancel")));
    QVERIFY(!isOpen(w));
    QVERIFY(capture.documents.isEmpty());
}

void tst_SelectionWindows::eachWindowPrintsItsSet_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("windowClass");
    QTest::addColumn<QStringList>("documents");
    QTest::newRow("saw manager") << "SawMgr" << "frmSawMgrReports"
        << QStringList{"crptSummary: Saw Department",
                       "crptGlueSprayLine: Saw Department, Supply",
                       "crptBulletNoser: Noser",
                       "crptCNC: CNC Team 1", "crptCNC: CNC Team 2", "crptCNC: CNC Team 3",
                       "crptCNCStencil: Stencil",
                       "crptBandSaw: Band Saw 1", "crptBandSaw: Band Saw 3",
                       "crptVerticalSlitter: Saw Department, Slitter", "crptVerticalSlitter: Saw Department, Bob's Saw",
                       "crptTopOutSaw: Top Out Saw", "crptTest: Test Sheet", "crptTie: Tie Sheet",
                       "crptFoamOrder: Foam Order"};
    QTest::newRow("fabrication manager") << "FabMgr" << "frmFabMgrReports"
        << QStringList{"crptSummary: Fabrication Department",
                       "crptGlueSprayLine: Fabrication Department, Glue 1 Team 1",
                       "crptGlueSprayLine: Fabrication Department, Glue 1 Team 2",
                       "crptGlueSprayLine: Fabrication Department, Spray 1",
                       "crptFiberTable: Fiber 1", "crptFiberOrder: Fiber Order"};
    QTest::newRow("plant manager") << "PlantMgr" << "frmPlantMgrReports"
        << QStringList{"crptOrder: Plant Mangager"};
    QTest::newRow("shipping manager") << "ShippingMgr" << "frmShipMgrReports"
        << QStringList{"crptSummary: Shipping Department", "crptLoadSheet: "};
}

void tst_SelectionWindows::eachWindowPrintsItsSet() {
    QFETCH(QString, command);
    QFETCH(QString, windowClass);
    QFETCH(QStringList, documents);
    MDI mdi;
    show(&mdi);
    CaptureTarget capture;
    QPointer<QWidget> w = openFromMenu(mdi, command);
    QCOMPARE(QString(w->metaObject()->className()), windowClass);
    auto *orders = child<QComboBox>(w, QStringLiteral("cmbOrder"));
    // "ac" finds Acme's first order, the one with the work.
    typeAhead(orders, QStringLiteral("ac"));
    QCOMPARE(orders->currentText(), QStringLiteral("Acme - PO-1"));
    click(child<QPushButton>(w, QStringLiteral("btnPrint")));
    QCOMPARE(printed(capture), documents);
    for (const CapturedDocument &d : capture.documents) {
        QVERIFY(!d.preview);
        QVERIFY2(d.contains(QStringLiteral("PO-1")), qPrintable(d.templateName));
    }
    QVERIFY(!isOpen(w));
    QVERIFY(m_plant->fakes.messages.shown.isEmpty());
}

void tst_SelectionWindows::equalEntriesPrintTheirOwnOrder() {
    // A customer that reused its order number: two equal entries, each its own order.
    m_plant->db->exec(QStringLiteral("INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, "
                              "Total) VALUES (6, 'PO-1', 'Acme', '2026-12-05', '2026-12-19', 'Closed', '2026-12-05', 80)"));
    MDI mdi;
    show(&mdi);
    CaptureTarget capture;
    for (int entry : {0, 1}) {
        QPointer<QWidget> w = openFromMenu(mdi, QStringLiteral("PlantMgr"));
        auto *orders = child<QComboBox>(w, QStringLiteral("cmbOrder"));
        QCOMPARE(orders->itemText(0), QStringLiteral("Acme - PO-1"));
        QCOMPARE(orders->itemText(1), QStringLiteral("Acme - PO-1"));
        pick(orders, QStringLiteral("Acme - PO-1"));
        orders->setCurrentIndex(entry);
        click(child<QPushButton>(w, QStringLiteral("btnPrint")));
        QVERIFY(!isOpen(w));
    }
    QCOMPARE(capture.documents.size(), 2);
    QStringList ids;
    for (const CapturedDocument &d : capture.documents)
        for (const QString &line : d.lines())
            if (line.contains(QStringLiteral("Order ID "))) ids << line.mid(line.indexOf(QStringLiteral("Order ID ")));
    ids.sort();
    QCOMPARE(ids, (QStringList{"Order ID 1 | Acme Dock 2", "Order ID 6"}));
}

void tst_SelectionWindows::failureKeepsTheWindowOpen() {
    MDI mdi;
    show(&mdi);
    CaptureTarget capture;
    QPointer<QWidget> w = openFromMenu(mdi, QStringLiteral("ShippingMgr"));
    pick(child<QComboBox>(w, QStringLiteral("cmbOrder")), QStringLiteral("Vedu - V-1"));
    // The labour variables are gone: the summary cannot be made.
    m_plant->db->exec(QStringLiteral("DROP TABLE Data"));
    click(child<QPushButton>(w, QStringLiteral("btnPrint")));
    QVERIFY(isOpen(w));
    QCOMPARE(m_plant->fakes.messages.shown.size(), 1);
    QVERIFY2(m_plant->fakes.messages.shown.first().text.contains(QStringLiteral("Data")),
             qPrintable(m_plant->fakes.messages.shown.first().text));
    QVERIFY(capture.documents.isEmpty());
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
}

void tst_SelectionWindows::orderEntryReportPreviewsInTheViewerAndCloses() {
    RestorePrintTarget restore;
    MDI mdi;
    show(&mdi);
    InstallDesktopPrintTarget();
    QPointer<QWidget> w = openFromMenu(mdi, QStringLiteral("OrderEntryControlReport"));
    QCOMPARE(QString(w->metaObject()->className()), QStringLiteral("frmOrderEntryReport"));
    typeAhead(child<QComboBox>(w, QStringLiteral("cmbOrder")), QStringLiteral("vedu - "));
    QCOMPARE(child<QComboBox>(w, QStringLiteral("cmbOrder"))->currentText(), QStringLiteral("Vedu - V-1"));
    click(child<QPushButton>(w, QStringLiteral("btnPrint")));
    QVERIFY(!isOpen(w));
    Viewer *viewer = nullptr;
    for (QMdiSubWindow *sub : mdi.workspace()->subWindowList())
        if (auto *v = qobject_cast<Viewer *>(sub->widget())) viewer = v;
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    const Document &doc = viewer->document();
    QCOMPARE(doc.templateName, QStringLiteral("crptOrder2"));
    QVERIFY(doc.pageLines(0).contains(QStringLiteral("Copy for | Office Manager")));
    QVERIFY(m_plant->fakes.messages.shown.isEmpty());
}

QTEST_MAIN(tst_SelectionWindows)
#include "tst_selectionwindows.moc"
