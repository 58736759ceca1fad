// The production summary on a plant whose figures are known: the seven row sets, the
// derived figures (hours, rails, buns and the labour budget) with zero divisors, the
// department text, and the six summary tables rebuilt as one unit on every run.

#include "core/AppError.h"
#include "reports/ReportsMod.h"
#include "tests/support/PaperworkPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

using namespace PaperworkCheck;

namespace {



CapturedDocument summaryOf(const QString &orderId, const QString &department = QStringLiteral("Saw Department")) {
    CaptureTarget capture;
    PrintProductionSummary(orderId, department);
    if (capture.documents.size() != 1) return {};
    return capture.documents.first();
}

QStringList tableRows(const TestDatabase &db, const QString &sql) {
    QStringList out;
    const RowSet rows = db.query(sql);
    for (const auto &row : rows.rows) {
        QStringList cells;
        for (const QVariant &v : row) cells << v.toString();
        out << cells.join(QLatin1Char('|'));
    }
    out.sort();
    return out;
}

}  // namespace

class tst_ProductionSummary : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tallyAndDerivedFigures();
    void zeroRateLeavesHoursEmpty();
    void lineOfArmsOnlyHasNoNonArms();
    void longShipToPushesTheLabourBoxDown();
    void everyPageNamesTheOrder();
    void labourShareAgainstTheTarget_data();
    void labourShareAgainstTheTarget();
    void departmentTextAndOneCopy_data();
    void departmentTextAndOneCopy();
    void orderWithoutLinesListsEveryLineStation();
    void tablesRebuiltOnEveryRun();
    void failedRunLeavesTheLastWholeSummary();
    void fieldDefinitionFiles();
    void orderIdThatIsNotANumberIsRefused();

private:
    std::unique_ptr<PaperworkFixture> m_plant;
};

void tst_ProductionSummary::init() {
    m_plant = std::make_unique<PaperworkFixture>();
}

void tst_ProductionSummary::cleanup() {
    m_plant.reset();
}

void tst_ProductionSummary::tallyAndDerivedFigures() {
    const CapturedDocument d = summaryOf(QStringLiteral("1"));
    QCOMPARE(d.templateName, QStringLiteral("crptSummary"));
    QVERIFY(!d.preview);
    QVERIFY(hasLinesInOrder(d, {
        "Production Summary", "Printed 12/9/2026", "Saw Department",
        "Acme | Ship to", "Order PO-1 | Order ID 1 | Acme Dock 2",
        // The order's value beside the labour variables: at a target of 25 % the $500
        // order can spend $125 on labour, 6.25 hours at $20 an hour.
        "Order total | $500.00 | Labour budget at target | $125.00",
        "Labour cost per hour | $20.00 | Hours the budget buys | 6.25",
        "Target labour | 25.0 %",
        "Glue line | Spray line", "Bullet noser | CNC", "Fiber table | Band saw",
        "Quelby | Page 1 of 1"}));
    // The left column of tallies.
    QVERIFY(hasLinesInOrder(linesBetween(d, 0, 95), {
        // Glue line at 10 non-arms an hour: 6 seats and 6 arms at Glue 1, 6 non-arms are
        // 0.6 hours; Glue 2 has no work but is listed with its rate.
        "Glue line", "Station | Pieces | Non-arms | Rate | Hours",
        "Glue 1 | 12 | 6 | 10.0 | 0.60", "Glue 2 | 10.0", "Total | 12 | 6 | 0.60",
        "Bullet noser", "Noser | 6", "Total | 6",
        // A wrap with no pieces per rail: its rails are empty, never infinite.
        "Fiber table", "Station | Comp. | Cut | Roll | Pieces | Pcs | Rails",
        "Fiber 1 | 54 | 54 | 1800 | 3 | 0", "Total | 3"}));
    // The right column.
    QVERIFY(hasLinesInOrder(linesBetween(d, 95, 191), {
        // Spray line at its own rate, 8: 3 backs are 0.375 hours.
        "Spray line", "Spray 1 | 3 | 3 | 8.0 | 0.38", "Total | 3 | 3 | 0.38",
        // CNC by station and pieces per rail: 6 arms at 4 a rail, 6 seats at 6 a rail; the
        // spare CNC with no team still counts its pieces.
        "CNC", "CNC | 6 | 4 | 1.5", "CNC | 6 | 6 | 1.0", "Off CNC | 6 | 4 | 1.5", "Total | 18 | 4.0",
        // Band saw: 6 seats are 1 rail, 1/8 bun; 12 edge pieces (two passes) are 1 rail of
        // a component with no rails per bun: no buns. The rebond backs are bought cut.
        "Band saw", "Band Saw 1 | 6 | 6 | 1.0 | 8 | 0.13", "Band Saw 1 | 12 | 12 | 1.0 | 0", "Total | 18 | 2.0 | 0.13"}));
    // The labour of both lines: 0.6 hours on the glue line and 0.375 on the spray line
    // at $20 are $12.00 and $7.50, $19.50 in all: 3.9 % of the $500 order.
    QVERIFY(hasLinesInOrder(d, {"Labour on the glue and spray lines", "Line | Non-arms | Hours | Labour cost",
                                "Glue line | 6 | 0.60 | $12.00", "Spray line | 3 | 0.38 | $7.50",
                                "Both lines | 9 | 0.98 | $19.50",
                                "Labour share of the order | 3.9 % | target 25.0 % | Within the target"}));
    QVERIFY(!showsANonNumber(d));
    for (const char *absent : {"Band Saw 3", "Stencil", "Slitter", "Bob's Saw", "Supply", "Top"})
        QVERIFY2(!d.contains(QLatin1String(absent)), absent);
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
}

void tst_ProductionSummary::zeroRateLeavesHoursEmpty() {
    m_plant->db->exec(QStringLiteral("UPDATE Data SET SprayLineNonArmPerHour = 0, LaborCostPerHour = 0"));
    const CapturedDocument d = summaryOf(QStringLiteral("1"));
    QVERIFY(hasLinesInOrder(d, {"Order total | $500.00 | Labour budget at target | $125.00",
                                "Labour cost per hour | $0.00 | Hours the budget buys"}));
    QVERIFY(hasLinesInOrder(linesBetween(d, 0, 95), {"Glue 1 | 12 | 6 | 10.0 | 0.60", "Total | 12 | 6 | 0.60"}));
    QVERIFY(hasLinesInOrder(linesBetween(d, 95, 191), {"Spray 1 | 3 | 3 | 0.0", "Total | 3 | 3"}));
    // The spray line's hours cannot be known, so neither can the labour share.
    QVERIFY(hasLinesInOrder(d, {"Glue line | 6 | 0.60 | $0.00", "Spray line | 3", "Both lines | 9 | 0.60 | $0.00",
                                "Labour share of the order | target 25.0 %",
                                "Not known: a station with non-arms has no rate."}));
    QVERIFY(!showsANonNumber(d));
}

void tst_ProductionSummary::lineOfArmsOnlyHasNoNonArms() {
    // With the seats made arms, Glue 1 glues 12 arm pieces: no non-arms, no hours; Glue 2,
    // which has no work, stays empty.
    m_plant->db->exec(QStringLiteral("UPDATE Component SET Arm = True WHERE ID = 'SEAT'"));
    const CapturedDocument d = summaryOf(QStringLiteral("1"));
    QVERIFY(hasLinesInOrder(linesBetween(d, 0, 95),
                            {"Glue 1 | 12 | 0 | 10.0 | 0.00", "Glue 2 | 10.0", "Total | 12 | 0 | 0.00"}));
    QVERIFY(hasLinesInOrder(d, {"Glue line | 0 | 0.00 | $0.00", "Spray line | 3 | 0.38 | $7.50",
                                "Both lines | 3 | 0.38 | $7.50",
                                "Labour share of the order | 1.5 % | target 25.0 % | Within the target"}));
}

void tst_ProductionSummary::longShipToPushesTheLabourBoxDown() {
    // Two long lines that wrap, a second address line and the numbers: seven lines.
    m_plant->db->exec(QStringLiteral(
        "UPDATE Orders SET ShipTo = 'Acme Furniture Receiving Department, North Building Loading Dock 2', "
        "ShipToAddress1 = '9 Mill Road, Hickory Industrial Park, Building C, Gate 7', "
        "ShipToAddress2 = 'Attention: Receiving Supervisor', ShipToPhone = '828-555-0100', "
        "ShipToFax = '828-555-0101' WHERE ID = 1"));
    const CapturedDocument d = summaryOf(QStringLiteral("1"));
    QVERIFY(hasLinesInOrder(d, {"Attention: Receiving Supervisor", "Hickory, NC  28601",
                                "Phone 828-555-0100   Fax 828-555-0101",
                                "Order total | $500.00 | Labour budget at target | $125.00",
                                "Labour cost per hour | $20.00 | Hours the budget buys | 6.25", "Target labour | 25.0 %"}));
    QVERIFY(printsClear(d));
}

void tst_ProductionSummary::everyPageNamesTheOrder() {
    // Sixty more glue-line stations run the tallies over to further pages.
    for (int n = 10; n < 70; ++n)
        m_plant->db->exec(QStringLiteral("INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES "
                                         "('Glue %1', 'Glue Line', 1, 'Active')")
                              .arg(n));
    const CapturedDocument d = summaryOf(QStringLiteral("1"));
    QVERIFY(d.document.pageCount() >= 2);
    for (int p = 1; p < d.document.pageCount(); ++p) {
        const QStringList lines = d.document.pageLines(p);
        QVERIFY2(hasLinesInOrder(lines, {"Production Summary", "Saw Department", "Acme | Order PO-1   Order ID 1"}),
                 qPrintable(QString::number(p + 1)));
    }
    QVERIFY(printsClear(d));
}

void tst_ProductionSummary::labourShareAgainstTheTarget_data() {
    QTest::addColumn<QString>("labourPercent");
    QTest::addColumn<QString>("orderTotal");
    QTest::addColumn<QString>("line");
    QTest::newRow("well within") << "25" << "500" << "Labour share of the order | 3.9 % | target 25.0 % | Within the target";
    QTest::newRow("on the target") << "3.9" << "500" << "Labour share of the order | 3.9 % | target 3.9 % | Within the target";
    QTest::newRow("over") << "3" << "500" << "Labour share of the order | 3.9 % | target 3.0 % | Over the target";
    QTest::newRow("small order") << "25" << "50" << "Labour share of the order | 39.0 % | target 25.0 % | Over the target";
    QTest::newRow("order without a value") << "25" << "0" << "Labour share of the order | target 25.0 %";
}

void tst_ProductionSummary::labourShareAgainstTheTarget() {
    QFETCH(QString, labourPercent);
    QFETCH(QString, orderTotal);
    QFETCH(QString, line);
    m_plant->db->exec(QStringLiteral("UPDATE Data SET LaborPercent = ") + labourPercent);
    m_plant->db->exec(QStringLiteral("UPDATE Orders SET Total = %1 WHERE ID = 1").arg(orderTotal));
    const CapturedDocument d = summaryOf(QStringLiteral("1"));
    QVERIFY(hasLinesInOrder(d, {"Both lines | 9 | 0.98 | $19.50", line}));
    QVERIFY(!d.contains(QStringLiteral("Not known")));
    QVERIFY(!showsANonNumber(d));
}

void tst_ProductionSummary::departmentTextAndOneCopy_data() {
    QTest::addColumn<QString>("department");
    QTest::newRow("saw") << "Saw Department";
    QTest::newRow("fabrication") << "Fabrication Department";
    QTest::newRow("shipping") << "Shipping Department";
}

void tst_ProductionSummary::departmentTextAndOneCopy() {
    QFETCH(QString, department);
    CaptureTarget capture;
    PrintProductionSummary(QStringLiteral("1"), department);
    QCOMPARE(capture.documents.size(), 1);
    QCOMPARE(capture.documents.first().text(QStringLiteral("txtDepartment")), department);
    QVERIFY(capture.documents.first().contains(department));
}

void tst_ProductionSummary::orderWithoutLinesListsEveryLineStation() {
    const CapturedDocument d = summaryOf(QStringLiteral("5"));
    QVERIFY(hasLinesInOrder(d, {"Order PO-EMPTY | Order ID 5", "Order total | $0.00 | Labour budget at target | $0.00",
                                "Glue line | Spray line", "Glue 1 | 10.0 | Spray 1 | 8.0", "Glue 2 | 10.0",
                                "Bullet noser | CNC", "Fiber table | Band saw"}));
}

void tst_ProductionSummary::tablesRebuiltOnEveryRun() {
    summaryOf(QStringLiteral("1"));
    QCOMPARE(tableRows(*m_plant->db, "SELECT Station, Rate FROM tmpGlueLineMain"), (QStringList{"Glue 1|10", "Glue 2|10"}));
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, TotalArms FROM tmpGlueLineTotal"), QStringList{"Glue 1|12"});
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, NonArms FROM tmpGlueLineNonArm"), QStringList{"Glue 1|6"});
    QCOMPARE(tableRows(*m_plant->db, "SELECT Station, Rate FROM tmpSprayLineMain"), QStringList{"Spray 1|8"});
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, TotalArms FROM tmpSprayLineTotal"), QStringList{"Spray 1|3"});
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, NonArms FROM tmpSprayLineNonArm"), QStringList{"Spray 1|3"});
    // The next order's summary starts from nothing: none of order 1's pieces remain.
    m_plant->db->exec(QStringLiteral("UPDATE Data SET NonArmPerHour = 12"));
    summaryOf(QStringLiteral("2"));
    QCOMPARE(tableRows(*m_plant->db, "SELECT Station, Rate FROM tmpGlueLineMain"), (QStringList{"Glue 1|12", "Glue 2|12"}));
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, TotalArms FROM tmpGlueLineTotal"), QStringList());
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, NonArms FROM tmpSprayLineNonArm"), QStringList());
}

void tst_ProductionSummary::failedRunLeavesTheLastWholeSummary() {
    summaryOf(QStringLiteral("1"));
    // The next run gets as far as rebuilding the glue-line stations with a new rate, then
    // its tally cannot be made: nothing of it stays, the tables are order 1's.
    m_plant->db->exec(QStringLiteral("UPDATE Data SET NonArmPerHour = 99"));
    m_plant->db->exec(QStringLiteral("DROP TABLE StyleOperation"));
    CaptureTarget capture;
    QVERIFY_THROWS_EXCEPTION(AppError, PrintProductionSummary(QStringLiteral("2"), QStringLiteral("Saw Department")));
    QVERIFY(capture.documents.isEmpty());
    QCOMPARE(tableRows(*m_plant->db, "SELECT Station, Rate FROM tmpGlueLineMain"), (QStringList{"Glue 1|10", "Glue 2|10"}));
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, TotalArms FROM tmpGlueLineTotal"), QStringList{"Glue 1|12"});
    QCOMPARE(tableRows(*m_plant->db, "SELECT ID, NonArms FROM tmpSprayLineNonArm"), QStringList{"Spray 1|3"});
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
}

void tst_ProductionSummary::fieldDefinitionFiles() {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/ttx/");
    QFile::remove(folder + QStringLiteral("SummaryCNCRpt.ttx"));
    QFile::remove(folder + QStringLiteral("SummaryBandSawRpt.ttx"));
    summaryOf(QStringLiteral("1"));
    QFile cnc(folder + QStringLiteral("SummaryCNCRpt.ttx"));
    QVERIFY(cnc.open(QIODevice::ReadOnly));
    const QStringList cncLines = QString::fromUtf8(cnc.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(cncLines.size(), 3);
    QVERIFY(cncLines.at(0).startsWith(QStringLiteral("OperationID\tString")));
    QVERIFY(cncLines.at(1).startsWith(QStringLiteral("CompQty\t")));
    QVERIFY(cncLines.at(2).startsWith(QStringLiteral("PiecesPerRail\t")));
    QFile bandSaw(folder + QStringLiteral("SummaryBandSawRpt.ttx"));
    QVERIFY(bandSaw.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(bandSaw.readAll()).count(QLatin1Char('\n')), 4);
}

void tst_ProductionSummary::orderIdThatIsNotANumberIsRefused() {
    CaptureTarget capture;
    QVERIFY_THROWS_EXCEPTION(AppError, PrintProductionSummary(QStringLiteral("1; DROP TABLE Orders"),
                                                              QStringLiteral("Saw Department")));
    QVERIFY(capture.documents.isEmpty());
    QCOMPARE(m_plant->db->count(QStringLiteral("Orders")), 5);
    // Nothing was built either.
    QVERIFY_THROWS_EXCEPTION(AppError, m_plant->db->query(QStringLiteral("SELECT * FROM tmpGlueLineMain")));
}

QTEST_MAIN(tst_ProductionSummary)
#include "tst_productionsummary.moc"
