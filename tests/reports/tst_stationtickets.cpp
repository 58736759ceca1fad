// The station work tickets on a plant whose work is known piece by piece, and on the
// demo plant: which stations get a ticket, how many copies with which headings, the
// department texts, the rows on each ticket and their order.

#include "core/AppError.h"
#include "reports/ReportsMod.h"
#include "tests/support/PaperworkPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

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
    void bandSawRowsByGradeThickestFirst();
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
    // Item | line | qty | style | component | description | arm | pieces | size | instructions
    QTest::newRow("glue line: seats and arms, the style without operations on no ticket")
        << "PrintGlueSprayLineTickets" << 0
        << QStringList{"1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | 4 x 22 x 24 | Glue seat",
                       "1 | A | 3 | Lounge-Sofa | ARM | Arm pad | Arm | 6 | 2 x 6 x 30 | Glue arm"}
        << QStringList{"Pieces: 12 | Non-arm pieces: 6", "Acme", "Order PO-1 | Ordered 12/1/2026 | Due 12/15/2026 | Order ID 1",
                       "Fabrication Department"};
    QTest::newRow("second team's copy has the same rows") << "PrintGlueSprayLineTickets" << 1
        << QStringList{"1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | 4 x 22 x 24 | Glue seat",
                       "1 | A | 3 | Lounge-Sofa | ARM | Arm pad | Arm | 6 | 2 x 6 x 30 | Glue arm"}
        << QStringList{"Glue 1 Team 2"};
    QTest::newRow("CNC: rails from pieces per rail") << "PrintCNCTickets" << 0
        << QStringList{"1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | 4 | 1.5 | HD36 | 2 x 6 x 30 | Shape arm",
                       "1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | 6 | 1.0 | HD36 | 4 x 22 x 24 | Trim seat"}
        << QStringList{"Pieces: 12 | Rails: 2.5"};
    QTest::newRow("fiber table: zero pieces per rail") << "PrintFiberTableTickets" << 0
        << QStringList{"1 | A | 3 | Lounge-Sofa | WRAP | Seat wrap | 3 | Dacron | 54 | 54 x 60 | Cut wrap"}
        << QStringList{"Pieces: 3"};
    QTest::newRow("vertical slitter with a quote in its name") << "PrintVerticalSlitterTickets" << 1
        << QStringList{"1 | A | 3 | Lounge-Sofa | EDGE | Edge strip | 6 | 1 x 2 x 30 | 1 x 2 x 30 | Slit edge"}
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

void tst_StationTickets::bandSawRowsByGradeThickestFirst() {
    PaperworkFixture plant;
    CaptureTarget capture;
    PrintBandSawTickets(QStringLiteral("1"));
    QCOMPARE(capture.documents.size(), 2);
    // Seats (4" thick) before edges (1"); the edge's two passes, wider first. Buns are
    // empty where the component has no rails per bun.
    QCOMPARE(componentLines(capture.documents.at(0)),
             (QStringList{"SEAT | Seat core | Lounge-Sofa | 1 | 6 | 4 x 22.5 x 24.5 | 6 | 1.0 | 8 | 0.13 | Cut seat rails",
                          "EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 1 x 2.5 x 30.5 | 12 | 0.5 | 0 | Cut edge rails",
                          "EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 1 x 2.25 x 30.25 | 12 | 0.5 | 0 | Second pass"}));
    const CapturedDocument &saw1 = capture.documents.at(0);
    QVERIFY(saw1.contains(QStringLiteral("Grade HD36   bun 48 x 96")));
    QVERIFY(saw1.contains(QStringLiteral("Grade HD36 total | 18 | 2.0 | 0.13")));
    QVERIFY(saw1.contains(QStringLiteral("Pieces: 18 | Rails: 2.0   Buns: 0.13")));
    QVERIFY(!showsANonNumber(saw1));
    // A ticket lists a bun kept off the purchase lists; it says so.
    QVERIFY(capture.documents.at(1).contains(QStringLiteral("Grade Rebond   bun 40 x 80   (bought cut: off all lists)")));
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
        QCOMPARE(lines.value(6), p == 0 ? QStringLiteral("Grade HD36   bun 48 x 96")
                                        : QStringLiteral("Grade HD36   bun 48 x 96   (continued)"));
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

QTEST_MAIN(tst_StationTickets)
#include "tst_stationtickets.moc"
