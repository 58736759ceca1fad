// The paperwork printed when an order is saved: the eighteen calls in their order with
// their labels, the documents they print, and a failure that stops the run where it
// happens. The managers' department packets are checked through their windows.

#include "core/AppError.h"
#include "orders/Paperwork.h"
#include "tests/support/PaperworkPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QTest>

namespace {

// Each document as "template department-or-recipient-or-heading".
QStringList documents(const CaptureTarget &capture, int from = 0, int to = -1) {
    QStringList out;
    if (to < 0) to = capture.documents.size();
    for (int i = from; i < to; ++i) {
        const CapturedDocument &d = capture.documents.at(i);
        QString label = d.text(QStringLiteral("txtDepartment"));
        if (label.isEmpty()) label = d.text(QStringLiteral("txtRecipient"));
        if (d.templateName != QLatin1String("crptSummary") && !d.text(QStringLiteral("txtTitle")).isEmpty())
            label = d.text(QStringLiteral("txtTitle"));
        out << (label.isEmpty() ? d.templateName : d.templateName + QLatin1Char(' ') + label);
    }
    return out;
}

const QStringList kSawPacket = {
    "crptSummary Saw Department", "crptGlueSprayLine Supply", "crptBulletNoser Noser", "crptCNC CNC Team 1",
    "crptCNC CNC Team 2", "crptCNC CNC Team 3", "crptCNCStencil Stencil", "crptBandSaw Band Saw 1",
    "crptBandSaw Band Saw 3", "crptVerticalSlitter Slitter", "crptVerticalSlitter Bob's Saw",
    "crptTopOutSaw Top Out Saw", "crptTest Test Sheet", "crptTie Tie Sheet", "crptFoamOrder Foam Order"};
const QStringList kFabricationPacket = {"crptSummary Fabrication Department", "crptGlueSprayLine Glue 1 Team 1",
                                        "crptGlueSprayLine Glue 1 Team 2", "crptGlueSprayLine Spray 1",
                                        "crptFiberTable Fiber 1", "crptFiberOrder Fiber Order"};
const QStringList kShippingPacket = {"crptSummary Shipping Department", "crptLoadSheet"};

}  // namespace

class tst_Paperwork : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eighteenCallsInOrderWithTheirLabels();
    void savedOrderPrintsTheWholeSet();
    void orderWithoutWorkStillGetsItsDocuments();
    void failureStopsTheRunWhereItHappens();
    void demoOrderPrintsItsPaperwork();

private:
    std::unique_ptr<PaperworkFixture> m_plant;
};

void tst_Paperwork::init() {
    m_plant = std::make_unique<PaperworkFixture>();
}

void tst_Paperwork::cleanup() {
    m_plant.reset();
}

void tst_Paperwork::eighteenCallsInOrderWithTheirLabels() {
    CaptureTarget capture;
    QStringList calls;
    QVector<int> numbers;
    PrintOrderPaperwork(QStringLiteral("1"), [&](int number, const PaperworkStep &step) {
        numbers << number;
        calls << step.builder + (step.label.isEmpty() ? QString() : QStringLiteral(" ") + step.label);
    });
    QCOMPARE(calls, (QStringList{"PrintOrder Office Manager",
                                 "PrintProductionSummary Saw Department",
                                 "PrintLineSupplyTickets",
                                 "PrintBulletNoserTickets",
                                 "PrintCNCTickets",
                                 "PrintCNCStencilTickets",
                                 "PrintBandSawTickets",
                                 "PrintVerticalSlitterTickets",
                                 "PrintTopOutSawTickets",
                                 "PrintTestSheet",
                                 "PrintTieSheet",
                                 "PrintFoamOrder",
                                 "PrintProductionSummary Fabrication Department",
                                 "PrintGlueSprayLineTickets",
                                 "PrintFiberTableTickets",
                                 "PrintFiberOrder",
                                 "PrintProductionSummary Shipping Department",
                                 "PrintLoadSheet"}));
    QCOMPARE(numbers.size(), 18);
    QCOMPARE(numbers.first(), 1);
    QCOMPARE(numbers.last(), 18);
}

void tst_Paperwork::savedOrderPrintsTheWholeSet() {
    CaptureTarget capture;
    PrintOrderPaperwork(QStringLiteral("1"));
    QStringList expected = {"crptOrder Office Manager"};
    expected += kSawPacket;
    expected += kFabricationPacket;
    expected += kShippingPacket;
    QCOMPARE(documents(capture), expected);
    // Everything printed, nothing previewed; the three summaries differ only in the
    // department they are made out to.
    for (const CapturedDocument &d : capture.documents) QVERIFY(!d.preview);
    QStringList summaries;
    for (const CapturedDocument &d : capture.documents)
        if (d.templateName == QLatin1String("crptSummary")) {
            QStringList lines = d.lines();
            lines.removeAll(d.text(QStringLiteral("txtDepartment")));
            summaries << lines.join(QLatin1Char('\n'));
        }
    QCOMPARE(summaries.size(), 3);
    QCOMPARE(summaries.at(1), summaries.at(0));
    QCOMPARE(summaries.at(2), summaries.at(0));
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
    // Saving the order again prints the whole set again.
    capture.clear();
    PrintOrderPaperwork(QStringLiteral("1"));
    QCOMPARE(documents(capture), expected);
}

void tst_Paperwork::orderWithoutWorkStillGetsItsDocuments() {
    // Vedu's chair has no operations: no station ticket, but every single document.
    CaptureTarget capture;
    PrintOrderPaperwork(QStringLiteral("2"));
    QCOMPARE(documents(capture),
             (QStringList{"crptOrder2 Office Manager", "crptSummary Saw Department", "crptTopOutSaw Top Out Saw",
                          "crptTest Test Sheet", "crptTie Tie Sheet", "crptFoamOrder Foam Order",
                          "crptSummary Fabrication Department", "crptFiberOrder Fiber Order",
                          "crptSummary Shipping Department", "crptLoadSheet"}));
}

void tst_Paperwork::failureStopsTheRunWhereItHappens() {
    // The stations are gone: the office copy prints, the saw department's summary
    // cannot be made, and nothing after it is printed.
    m_plant->db->exec(QStringLiteral("DROP TABLE Operation"));
    CaptureTarget capture;
    QStringList started;
    QVERIFY_THROWS_EXCEPTION(AppError, PrintOrderPaperwork(QStringLiteral("1"), [&](int, const PaperworkStep &step) {
                                 started << step.builder;
                             }));
    QCOMPARE(started.last(), QStringLiteral("PrintProductionSummary"));
    QCOMPARE(documents(capture), QStringList{"crptOrder Office Manager"});
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
}

void tst_Paperwork::demoOrderPrintsItsPaperwork() {
    m_plant->useDemoPlant();
    TestDatabase &demo = *m_plant->db;
    const QString id = demo.scalar(QStringLiteral("SELECT ID FROM Orders WHERE OrderNumber = 'V-1088'")).toString();
    CaptureTarget capture;
    PrintOrderPaperwork(id);
    const QStringList docs = documents(capture);
    QCOMPARE(docs.first(), QStringLiteral("crptOrder2 Office Manager"));
    QCOMPARE(docs.last(), QStringLiteral("crptLoadSheet"));
    QCOMPARE(docs.filter(QStringLiteral("crptSummary")),
             (QStringList{"crptSummary Saw Department", "crptSummary Fabrication Department",
                          "crptSummary Shipping Department"}));
    QVERIFY(docs.contains(QStringLiteral("crptCNC CNC 2 Team 1")));
    QVERIFY(docs.contains(QStringLiteral("crptCNC CNC 2 Team 2")));
    // Every document with rows is this order's: the order, the summaries and the tickets.
    for (const CapturedDocument &d : capture.documents)
        if (d.templateName.startsWith(QLatin1String("crptOrder")) || d.templateName == QLatin1String("crptSummary") ||
            d.templateName == QLatin1String("crptCNC") || d.templateName == QLatin1String("crptGlueSprayLine"))
            QVERIFY2(d.contains(QStringLiteral("V-1088")), qPrintable(d.templateName));
}

QTEST_MAIN(tst_Paperwork)
#include "tst_paperwork.moc"
