// The station work tickets on a plant whose work is known piece by piece, and on the
// demo plant: which stations get a ticket, how many copies with which headings, the
// department texts, the rows on each ticket and their order.

#include "core/AppError.h"
#include "reports/ReportsMod.h"
#include "tests/support/PaperworkPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QRegularExpression>
#include <QTest>
#include <functional>

using namespace PaperworkCheck;

namespace {


using Builder = std::function<void(const QString &)>;

// Every captured ticket as "template: heading [department]".
QStringList tickets(const CaptureTarget &capture) {
    QStringList out;
    for (const CapturedDocument &d : capture.documents) {
        QString line = d.templateName + QStringLiteral(": ") + d.text(QStringLiteral("txtTitle"));
        const QString department = d.text(QStringLiteral("txtDepartment"));
        if (!department.isEmpty()) line += QStringLiteral(" [") + department + QLatin1Char(']');
        out << line;
    }
    return out;
}

// The detail lines of a ticket that name one of the components.
QStringList componentLines(const CapturedDocument &d) {
    QStringList out;
    for (const QString &line : d.lines())
        for (const char *component : {"SEAT", "ARM", "BACK", "WRAP", "EDGE"})
            if (line.contains(QStringLiteral(" | ") + QLatin1String(component) + QStringLiteral(" | ")) ||
                line.startsWith(QLatin1String(component) + QStringLiteral(" | ")))
                out << line;
    return out;
}

Builder builderNamed(const QString &name) {
    static const QHash<QString, Builder> all = {
        {"PrintGlueSprayLineTickets", PrintGlueSprayLineTickets},
        {"PrintFiberTableTickets", PrintFiberTableTickets},
        {"PrintLineSupplyTickets", PrintLineSupplyTickets},
        {"PrintBulletNoserTickets", PrintBulletNoserTickets},
        {"PrintCNCTickets", PrintCNCTickets},
        {"PrintCNCStencilTickets", PrintCNCStencilTickets},
        {"PrintBandSawTickets", PrintBandSawTickets},
        {"PrintVerticalSlitterTickets", PrintVerticalSlitterTickets},
    };
    return all.value(name);
}

}  // namespace

class tst_StationTickets : public QObject {
    Q_OBJECT

private slots:
    void ticketsPerStationAndTeam_data();
    void ticketsPerStationAndTeam();
    void ticketRows_data();
    void ticketRows();
    void ticketShowsBothSizesAndItsFlags_data();
    void ticketShowsBothSizesAndItsFlags();
    void bandSawRowsByGradeThickestFirst();
    void bandSawRowShowsItsOwnBun();
    void longTicketRepeatsItsHeadingsOnEveryPage();
    void teamsReadAsANumber_data();
    void teamsReadAsANumber();
    void orderWithoutWorkPrintsNothing();
    void orderIdThatIsNotANumberIsRefused_data();
    void orderIdThatIsNotANumberIsRefused();
    void demoPlantTeamsOfCnc2();
};

void tst_StationTickets::ticketsPerStationAndTeam_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("glue and spray lines") << "PrintGlueSprayLineTickets"
        << QStringList{"crptGlueSprayLine: Glue 1 Team 1 [Fabrication Department]",
                       "crptGlueSprayLine: Glue 1 Team 2 [Fabrication Department]",
                       "crptGlueSprayLine: Spray 1 [Fabrication Department]"};
    QTest::newRow("line supply on the line ticket") << "PrintLineSupplyTickets"
        << QStringList{"crptGlueSprayLine: Supply [Saw Department]"};
    QTest::newRow("fiber table") << "PrintFiberTableTickets" << QStringList{"crptFiberTable: Fiber 1"};
    QTest::newRow("bullet noser") << "PrintBulletNoserTickets" << QStringList{"crptBulletNoser: Noser"};
    // CNC has three teams; CNC 2 has no work; Off CNC has work but no team.
    QTest::newRow("CNC") << "PrintCNCTickets"
        << QStringList{"crptCNC: CNC Team 1", "crptCNC: CNC Team 2", "crptCNC: CNC Team 3"};
    QTest::newRow("CNC stencil") << "PrintCNCStencilTickets" << QStringList{"crptCNCStencil: Stencil"};
    QTest::newRow("band saws") << "PrintBandSawTickets"
        << QStringList{"crptBandSaw: Band Saw 1", "crptBandSaw: Band Saw 3"};
    QTest::newRow("vertical slitters, one with a quote in its name") << "PrintVerticalSlitterTickets"
        << QStringList{"crptVerticalSlitter: Slitter [Saw Department]",
                       "crptVerticalSlitter: Bob's Saw [Saw Department]"};
}

void tst_StationTickets::ticketsPerStationAndTeam() {
    QFETCH(QString, builder);
    QFETCH(QStringList, expected);
    PaperworkFixture plant;
    CaptureTarget capture;
    builderNamed(builder)(QStringLiteral("1"));
    QCOMPARE(tickets(capture), expected);
    for (const CapturedDocument &d : capture.documents) QVERIFY(!d.preview);
    QCOMPARE(plant.fakes.cursor.busyCount, 1);
    QCOMPARE(plant.fakes.cursor.depth, 0);
}

void tst_StationTickets::ticketRows_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<int>("copy");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("also");
    // Item | line | qty | style | component | description | pieces | ... | instructions; the
    // sizes and flags on the line below are checked by ticketShowsBothSizesAndItsFlags.
    QTest::newRow("glue line: seats and arms, the style without operations on no ticket")
        << "PrintGlueSprayLineTickets" << 0
        << QStringList{"1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | Glue seat",
                       "1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | Glue arm"}
        << QStringList{"Pieces: 12 | Non-arm pieces: 6", "Acme", "Order PO-1 | Ordered 12/1/2026 | Due 12/15/2026 | Order ID 1",
                       "Fabrication Department"};
    QTest::newRow("second team's copy has the same rows") << "PrintGlueSprayLineTickets" << 1
        << QStringList{"1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | Glue seat",
                       "1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | Glue arm"}
        << QStringList{"Glue 1 Team 2"};
    QTest::newRow("CNC: rails from pieces per rail") << "PrintCNCTickets" << 0
        << QStringList{"1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | 4 | 1.5 | HD36 | Shape arm",
                       "1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | 6 | 1.0 | HD36 | Trim seat"}
        << QStringList{"Pieces: 12 | Rails: 2.5"};
    QTest::newRow("fiber table: zero pieces per rail") << "PrintFiberTableTickets" << 0
        << QStringList{"1 | A | 3 | Lounge-Sofa | WRAP | Seat wrap | 3 | Dacron | 54 | Cut wrap"}
        << QStringList{"Pieces: 3"};
    QTest::newRow("vertical slitter with a quote in its name") << "PrintVerticalSlitterTickets" << 1
        << QStringList{"1 | A | 3 | Lounge-Sofa | EDGE | Edge strip | 6 | Slit edge"}
        << QStringList{"Bob's Saw", "Saw Department"};
}

void tst_StationTickets::ticketRows() {
    QFETCH(QString, builder);
    QFETCH(int, copy);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, also);
    PaperworkFixture plant;
    CaptureTarget capture;
    builderNamed(builder)(QStringLiteral("1"));
    QVERIFY(capture.documents.size() > copy);
    const CapturedDocument &d = capture.documents.at(copy);
    QStringList found = componentLines(d);
    // The rows come as the database returns them: compare as sets.
    found.sort();
    rows.sort();
    QCOMPARE(found, rows);
    for (const QString &fragment : also) QVERIFY2(d.contains(fragment), qPrintable(fragment + "\n" + d.lines().join('\n')));
}

void tst_StationTickets::ticketShowsBothSizesAndItsFlags_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("sizes");  // the line under the component's first row
    // The seat is 3.75 x 26.25 x 66.5, cut to 3.5 x 26.25 x 66.5 at each of its stations;
    // it is straight cut, tested 30-34 and topped with Dacron. The arm is pattern cut, an
    // arm and tied. Each station shows the flags its crew works by.
    const QString seat = QStringLiteral("Size 3.75 x 26.25 x 66.5 | Cut 3.5 x 26.25 x 66.5");
    QTest::newRow("glue line: topped") << "PrintGlueSprayLineTickets" << "SEAT" << seat + " | Topped Dacron";
    QTest::newRow("glue line: arm and tie") << "PrintGlueSprayLineTickets" << "ARM" << "Size 2 x 6 x 30 | Cut 0 x 0 x 0 | Arm | Tie";
    QTest::newRow("line supply") << "PrintLineSupplyTickets" << "WRAP" << "Size 0.5 x 54 x 60 | Cut 0 x 0 x 0";
    QTest::newRow("bullet noser") << "PrintBulletNoserTickets" << "SEAT" << seat + " | Straight Cut | Topped Dacron";
    QTest::newRow("CNC: test range") << "PrintCNCTickets" << "SEAT" << seat + " | Straight Cut | Test 30-34";
    QTest::newRow("CNC: pattern-cut arm") << "PrintCNCTickets" << "ARM" << "Size 2 x 6 x 30 | Cut 2 x 6 x 30 | Pattern Cut | Arm";
    QTest::newRow("CNC stencil") << "PrintCNCStencilTickets" << "EDGE" << "Size 1 x 2 x 30 | Cut 1 x 2 x 30 | Straight Cut";
    QTest::newRow("band saw") << "PrintBandSawTickets" << "SEAT" << seat + " | Straight Cut | Test 30-34";
    QTest::newRow("vertical slitter") << "PrintVerticalSlitterTickets" << "BACK" << "Size 3 x 20 x 26 | Cut 3 x 20 x 26 | Straight Cut";
    QTest::newRow("fiber table") << "PrintFiberTableTickets" << "WRAP" << "Size 0.5 x 54 x 60 | Cut 0.5 x 54 x 60";
}

void tst_StationTickets::ticketShowsBothSizesAndItsFlags() {
    QFETCH(QString, builder);
    QFETCH(QString, component);
    QFETCH(QString, sizes);
    PaperworkFixture plant;
    plant.db->exec(QStringLiteral("UPDATE Component SET Thickness = 3.75, Width = 26.25, Length = 66.5 WHERE ID = 'SEAT'"));
    plant.db->exec(QStringLiteral("UPDATE StyleOperation SET Thickness = 3.5, Width = 26.25, Length = 66.5 "
                                  "WHERE StyleID = 1 AND ComponentID = 1"));
    CaptureTarget capture;
    builderNamed(builder)(QStringLiteral("1"));
    QVERIFY(!capture.documents.isEmpty());
    const CapturedDocument &d = capture.documents.first();
    const QStringList lines = d.lines();
    const qsizetype row = lines.indexOf(QRegularExpression(QStringLiteral("(.* \\| )?%1 \\| .*").arg(component)));
    QVERIFY2(row >= 0, qPrintable(lines.join('\n')));
    QCOMPARE(lines.value(row + 1), sizes);
    QVERIFY(printsClear(d));
}

void tst_StationTickets::bandSawRowsByGradeThickestFirst() {
    PaperworkFixture plant;
    CaptureTarget capture;
    PrintBandSawTickets(QStringLiteral("1"));
    QCOMPARE(capture.documents.size(), 2);
    // Seats (4" thick) before edges (1"); the edge's two passes, wider (2.5") first. Buns
    // are empty where the component has no rails per bun.
    QCOMPARE(componentLines(capture.documents.at(0)),
             (QStringList{"SEAT | Seat core | Lounge-Sofa | 1 | 6 | 48 x 96 | 6 | 1.0 | 8 | 0.13 | Cut seat rails",
                          "EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 48 x 96 | 12 | 0.5 | 0 | Cut edge rails",
                          "EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 48 x 96 | 12 | 0.5 | 0 | Second pass"}));
    const CapturedDocument &saw1 = capture.documents.at(0);
    QVERIFY(hasLinesInOrder(saw1, {"Grade HD36", "Size 1 x 2 x 30 | Cut 1 x 2.5 x 30.5 | Straight Cut",
                                   "Size 1 x 2 x 30 | Cut 1 x 2.25 x 30.25 | Straight Cut"}));
    QVERIFY(saw1.contains(QStringLiteral("Grade HD36 total | 18 | 2.0 | 0.13")));
    QVERIFY(saw1.contains(QStringLiteral("Pieces: 18 | Rails: 2.0   Buns: 0.13")));
    QVERIFY(!showsANonNumber(saw1));
    // A ticket lists a bun kept off the purchase lists; it says so.
    QVERIFY(hasLinesInOrder(capture.documents.at(1),
                            {"Grade Rebond", "BACK | Back rebond | Lounge-Sofa | 1 | 3 | 40 x 80 * | 3 | 1.0 | 6 | 0.17 | Trim rebond",
                             "* bun bought cut: kept off the foam order and the band-saw tally"}));
}

void tst_StationTickets::longTicketRepeatsItsHeadingsOnEveryPage() {
    PaperworkFixture plant;
    // Forty more lines of Lounge sofas: 120 band-saw rows of one grade.
    for (int item = 3; item <= 42; ++item)
        plant.db->exec(QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) "
                               "VALUES (1, %1, 'X', 1, 1, 100, 100)")
                    .arg(item));
    CaptureTarget capture;
    PrintBandSawTickets(QStringLiteral("1"));
    const CapturedDocument &saw1 = capture.documents.first();
    const int pages = saw1.document.pageCount();
    QVERIFY(pages >= 3);
    for (int p = 0; p < pages; ++p) {
        const QStringList lines = saw1.document.pageLines(p);
        // Every page names the station and the order, heads its columns and says where
        // it stands; the grade's heading comes again, marked as continued.
        QCOMPARE(lines.value(0), QStringLiteral("Band Saw 1"));
        QVERIFY(lines.contains(QStringLiteral("Order PO-1 | Ordered 12/1/2026 | Due 12/15/2026 | Order ID 1")));
        QVERIFY(lines.value(4).startsWith(QStringLiteral("Component | Description | Style | Item | Pieces")));
        QCOMPARE(lines.value(6), p == 0 ? QStringLiteral("Grade HD36") : QStringLiteral("Grade HD36   (continued)"));
        QCOMPARE(lines.last(), QStringLiteral("Quelby | Page %1 of %2").arg(p + 1).arg(pages));
    }
    // 6 + 40 x 2 seats on 14.3 rails (1.79 buns), and as many edge pieces cut twice on
    // 14.3 rails of a component without rails per bun: 258 pieces.
    QVERIFY(hasLinesInOrder(saw1, {"Grade HD36 total | 258 | 28.7 | 1.79", "Pieces: 258 | Rails: 28.7   Buns: 1.79"}));
}

void tst_StationTickets::teamsReadAsANumber_data() {
    QTest::addColumn<QString>("teams");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("0 teams: nothing") << "0" << QStringList{};
    QTest::newRow("1 team: the station's name alone") << "1" << QStringList{"CNC"};
    QTest::newRow("2 teams") << "2" << QStringList{"CNC Team 1", "CNC Team 2"};
    QTest::newRow("1.5 teams: one copy, numbered") << "1.5" << QStringList{"CNC Team 1"};
    QTest::newRow("no teams stored: nothing") << "Null" << QStringList{};
}

void tst_StationTickets::teamsReadAsANumber() {
    QFETCH(QString, teams);
    QFETCH(QStringList, headings);
    PaperworkFixture plant;
    plant.db->exec(QStringLiteral("UPDATE Operation SET Teams = %1 WHERE Station = 'CNC'").arg(teams));
    CaptureTarget capture;
    PrintCNCTickets(QStringLiteral("1"));
    QStringList found;
    for (const CapturedDocument &d : capture.documents) found << d.text(QStringLiteral("txtTitle"));
    QCOMPARE(found, headings);
}

void tst_StationTickets::orderWithoutWorkPrintsNothing() {
    PaperworkFixture plant;
    CaptureTarget capture;
    for (const QString &id : {QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("99")})
        for (const char *name : {"PrintGlueSprayLineTickets", "PrintFiberTableTickets", "PrintLineSupplyTickets",
                                 "PrintBulletNoserTickets", "PrintCNCTickets", "PrintCNCStencilTickets",
                                 "PrintBandSawTickets", "PrintVerticalSlitterTickets"})
            builderNamed(QLatin1String(name))(id);
    QCOMPARE(tickets(capture), QStringList());
    QCOMPARE(plant.fakes.cursor.depth, 0);
}

void tst_StationTickets::orderIdThatIsNotANumberIsRefused_data() {
    QTest::addColumn<QString>("orderId");
    QTest::newRow("empty") << "";
    QTest::newRow("a condition") << "1 OR 1=1";
    QTest::newRow("a quote") << "1'";
    QTest::newRow("a decimal") << "1.5";
}

void tst_StationTickets::orderIdThatIsNotANumberIsRefused() {
    QFETCH(QString, orderId);
    PaperworkFixture plant;
    CaptureTarget capture;
    try {
        PrintCNCTickets(orderId);
        QFAIL("the order ID was taken");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::TypeMismatch);
        QVERIFY(e.description().contains(orderId));
    }
    QVERIFY(capture.documents.isEmpty());
}

void tst_StationTickets::demoPlantTeamsOfCnc2() {
    // Order V-1088 (Vedu, Avalon sectionals and Metro sofas) is cut on CNC 2, a station
    // with two crews, and on CNC.
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    const QString id = db.scalar(QStringLiteral("SELECT ID FROM Orders WHERE OrderNumber = 'V-1088'")).toString();
    CaptureTarget capture;
    PrintCNCTickets(id);
    QStringList headings;
    for (const CapturedDocument &d : capture.documents) headings << d.text(QStringLiteral("txtTitle"));
    headings.sort();
    QCOMPARE(headings, (QStringList{"CNC", "CNC 2 Team 1", "CNC 2 Team 2"}));
    for (const CapturedDocument &d : capture.documents) {
        QVERIFY(d.contains(QStringLiteral("Vedu")));
        QVERIFY(d.contains(QStringLiteral("Order V-1088")));
    }
}

void tst_StationTickets::bandSawRowShowsItsOwnBun() {
    // The edges are cut from a longer bun of the seats' grade.
    PaperworkFixture plant;
    plant.db->exec(QStringLiteral("INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) VALUES "
                                  "('B3', 60, 120, 'HD36', 'FoamCo', False, 'Active')"));
    plant.db->exec(QStringLiteral("UPDATE Component SET BunID = 'B3' WHERE ID = 'EDGE'"));
    CaptureTarget capture;
    PrintBandSawTickets(QStringLiteral("1"));
    const CapturedDocument &saw1 = capture.documents.first();
    QCOMPARE(componentLines(saw1),
             (QStringList{"SEAT | Seat core | Lounge-Sofa | 1 | 6 | 48 x 96 | 6 | 1.0 | 8 | 0.13 | Cut seat rails",
                          "EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 60 x 120 | 12 | 0.5 | 0 | Cut edge rails",
                          "EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 60 x 120 | 12 | 0.5 | 0 | Second pass"}));
    QVERIFY(hasLinesInOrder(saw1, {"Grade HD36", "Grade HD36 total | 18 | 2.0 | 0.13"}));
}

QTEST_MAIN(tst_StationTickets)
#include "tst_stationtickets.moc"
