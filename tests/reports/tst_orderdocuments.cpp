// The order documents: the order report and Vedu's form, the load sheet, the test and
// tie sheets, the top-out saw sheet and the two purchase lists, on a plant whose rows are
// known and on every order of the demo plant.

#include "core/AppError.h"
#include "data/Database.h"
#include "reports/ReportsMod.h"
#include "tests/support/PaperworkPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <functional>

using namespace PaperworkCheck;

namespace {



// The lines of the document that contain the fragment.
QStringList linesWith(const CapturedDocument &d, const QString &fragment) {
    QStringList out;
    for (const QString &line : d.lines())
        if (line.contains(fragment)) out << line;
    return out;
}

using SheetBuilder = std::function<void(const QString &)>;

SheetBuilder sheet(const QString &name) {
    static const QHash<QString, SheetBuilder> all = {
        {"PrintTestSheet", PrintTestSheet},           {"PrintTieSheet", PrintTieSheet},
        {"PrintTopOutSawTickets", PrintTopOutSawTickets}, {"PrintFoamOrder", PrintFoamOrder},
        {"PrintFiberOrder", PrintFiberOrder},
    };
    return all.value(name);
}

}  // namespace

class tst_OrderDocuments : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void orderFormByCustomer_data();
    void orderFormByCustomer();
    void orderReport();
    void orderReportOfAMissingOrder();
    void loadSheet();
    void sheets_data();
    void sheets();
    void emptySheetsStillPrint_data();
    void emptySheetsStillPrint();
    void foamOrderFieldDefinitions();
    void fiberOrderTotalsWhatItsRowsShow();
    void everyDocumentOfTheDemoPlantFitsItsCells();

private:
    std::unique_ptr<PaperworkFixture> m_plant;
};

void tst_OrderDocuments::init() {
    m_plant = std::make_unique<PaperworkFixture>();
}

void tst_OrderDocuments::cleanup() {
    m_plant.reset();
}

void tst_OrderDocuments::orderFormByCustomer_data() {
    QTest::addColumn<QString>("orderId");
    QTest::addColumn<QString>("templateName");
    QTest::newRow("Acme") << "1" << "crptOrder";
    QTest::newRow("Vedu") << "2" << "crptOrder2";
    QTest::newRow("VEDU in other letters") << "3" << "crptOrder";
    QTest::newRow("Vedu Interiors, a longer name") << "4" << "crptOrder";
}

void tst_OrderDocuments::orderFormByCustomer() {
    QFETCH(QString, orderId);
    QFETCH(QString, templateName);
    CaptureTarget capture;
    PrintOrder(orderId, false, QStringLiteral("Office Manager"));
    QCOMPARE(capture.templates(), QStringList{templateName});
    QCOMPARE(capture.documents.first().text(QStringLiteral("txtRecipient")), QStringLiteral("Office Manager"));
}

void tst_OrderDocuments::orderReport() {
    CaptureTarget capture;
    PrintOrder(QStringLiteral("1"), false, QStringLiteral("Plant Mangager"));
    PrintOrder(QStringLiteral("2"), true, QStringLiteral("Office Manager"));
    QCOMPARE(capture.documents.size(), 2);
    const CapturedDocument &acme = capture.documents.at(0);
    QVERIFY(!acme.preview);
    QCOMPARE(acme.text(QStringLiteral("txtRecipient")), QStringLiteral("Plant Mangager"));
    QVERIFY(hasLinesInOrder(acme, {"Order", "Printed 12/9/2026", "Copy for | Plant Mangager", "Acme | Ship to",
                       "Order PO-1 | Order ID 1 | Acme Dock 2", "9 Mill Rd", "Ordered 12/1/2026 | Due 12/15/2026",
                       "Hickory, NC  28601", "Item | Line | Qty | Style | Price each | Extended",
                       "1 | A | 3 | Lounge-Sofa | $100.00 | $300.00", "2 | B | 5 | Bare-Chair | $40.00 | $200.00",
                       "Lines: 2   Pieces: 8 | Order total | $500.00", "Quelby | Page 1 of 1"}));
    const CapturedDocument &vedu = capture.documents.at(1);
    QVERIFY(vedu.preview);
    QCOMPARE(vedu.templateName, QStringLiteral("crptOrder2"));
    QVERIFY(hasLinesInOrder(vedu, {"Vedu Order", "Printed 12/9/2026", "Copy for | Office Manager", "Vedu | Ship to",
                       "Vedu P.O. V-1 | Order ID 2", "Vedu line | Item | Style ID | Style | Qty | Price each | Extended",
                       "7A | 1 | 2 | Bare-Chair | 1 | $40.00 | $40.00", "Lines: 1   Pieces: 1 | Order total | $40.00",
                       "Acknowledged by ______________________ | Date ____________"}));
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
}

void tst_OrderDocuments::orderReportOfAMissingOrder() {
    CaptureTarget capture;
    try {
        PrintOrder(QStringLiteral("99"), false, QStringLiteral("Office Manager"));
        QFAIL("an order that does not exist was printed");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::NoCurrentRecord);
        QVERIFY(e.description().contains(QStringLiteral("99")));
    }
    QVERIFY(capture.documents.isEmpty());
    QCOMPARE(m_plant->fakes.cursor.depth, 0);
    // An order without lines is an order: its report prints with no lines.
    PrintOrder(QStringLiteral("5"), false, QStringLiteral("Office Manager"));
    QCOMPARE(capture.documents.size(), 1);
    QVERIFY(hasLinesInOrder(capture.documents.first(), {"Order PO-EMPTY | Order ID 5", "Lines: 0   Pieces: 0 | Order total | $0.00"}));
}

void tst_OrderDocuments::loadSheet() {
    CaptureTarget capture;
    PrintLoadSheet(QStringLiteral("1"), false);
    PrintLoadSheet(QStringLiteral("1"), true);
    QCOMPARE(capture.templates(), (QStringList{"crptLoadSheet", "crptLoadSheet"}));
    QVERIFY(!capture.documents.at(0).preview);
    QVERIFY(capture.documents.at(1).preview);
    // Only the seats print on shipping: by style, then line.
    QVERIFY(hasLinesInOrder(capture.documents.at(0),
                {"Load Sheet", "Printed 12/9/2026", "Shipping Department", "Acme | Ship to",
                 "Order PO-1 | Order ID 1 | Acme Dock 2",
                 "Item | Line | Qty | Component | Description | Pieces | Size T x W x L | Loaded",
                 "Lounge-Sofa", "1 | A | 3 | SEAT | Seat core | 6 | 4 x 22 x 24 | [   ]", "Lounge-Sofa: 6 pieces",
                 "Bare-Chair", "2 | B | 5 | SEAT | Seat core | 5 | 4 x 22 x 24 | [   ]", "Bare-Chair: 5 pieces",
                 "Pieces: 11"}));
    QVERIFY(linesWith(capture.documents.at(0), QStringLiteral("ARM")).isEmpty());
}

void tst_OrderDocuments::sheets_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("alsoLines");  // rows whose order among equals the sort leaves open
    QTest::newRow("test sheet: the tested seats of both lines") << "PrintTestSheet" << "crptTest" << "Test Sheet"
        << QStringList{"1 | A | 3 | Lounge-Sofa | SEAT | Seat core | 6 | 30-34 | Dacron | HD36 | ____________",
                       "2 | B | 5 | Bare-Chair | SEAT | Seat core | 5 | 30-34 | Dacron | HD36 | ____________",
                       "Pieces: 11"} << QStringList{};
    QTest::newRow("tie sheet: every operation on the tied arms") << "PrintTieSheet" << "crptTie" << "Tie Sheet"
        << QStringList{"1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | CNC | Shape arm",
                       "1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | Glue 1 | Glue arm",
                       "1 | A | 3 | Lounge-Sofa | ARM | Arm pad | 6 | Off CNC | Shape arm on the spare",
                       "Pieces: 18"} << QStringList{};
    // The seat is cut on a band saw, so its CNC trim stays off; the arm has no band-saw
    // operation, so both of its CNC operations are on; the rebond back is bought cut.
    QTest::newRow("top-out saw") << "PrintTopOutSawTickets" << "crptTopOutSaw" << "Top Out Saw"
        // By station, grade, bun width, then the longest piece first.
        << QStringList{"From Band Saw 1 (Band Saw)",
                       "HD36 | 48 x 96 | EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 1 x 2.5 x 30.5 | Cut edge rails",
                       "HD36 | 48 x 96 | SEAT | Seat core | Lounge-Sofa | 1 | 6 | 4 x 22.5 x 24.5 | Cut seat rails",
                       "Band Saw 1: 18 pieces", "From CNC (CNC)",
                       "HD36 | 48 x 96 | ARM | Arm pad | Lounge-Sofa | 1 | 6 | 2 x 6 x 30 | Shape arm", "CNC: 6 pieces",
                       "From Off CNC (CNC)", "Off CNC: 6 pieces", "Pieces: 30"}
        << QStringList{"HD36 | 48 x 96 | EDGE | Edge strip | Lounge-Sofa | 1 | 6 | 1 x 2.25 x 30.25 | Second pass"};
    // Foam for the stations named Band Saw 1, Band Saw 2 and CNC; the spare CNC is not one.
    // The seat (Band Saw 1 and CNC) and the edge (two passes on Band Saw 1) are listed
    // on each of their rows but bought once: 6 seats on 1 rail (1/8 bun), 6 edges on half
    // a rail without rails per bun, 6 arms on 1.5 rails (0.15 bun).
    QTest::newRow("foam order") << "PrintFoamOrder" << "crptFoamOrder" << "Foam Order"
        << QStringList{"Vendor: FoamCo", "FoamCo total | 18 | 3.0 | 0.28", "Pieces: 18 | Buns to order: 0.28"}
        << QStringList{"Band Saw 1 | HD36 | 48 x 96 | SEAT | Seat core | 1 | 6 | 6 | 1.0 | 8 | 0.13",
                       "Band Saw 1 | HD36 | 48 x 96 | EDGE | Edge strip | 1 | 6 | 12 | 0.5 | 0",
                       "CNC | HD36 | 48 x 96 | ARM | Arm pad | 1 | 6 | 4 | 1.5 | 10 | 0.15",
                       "CNC | HD36 | 48 x 96 | SEAT | Seat core | 1 | 6 | 6 | 1.0 | 8 | 0.13"};
    QTest::newRow("fiber order: no pieces per rail, no lengths") << "PrintFiberOrder" << "crptFiberOrder" << "Fiber Order"
        << QStringList{"Fiber Dacron", "F1 | 54 x 1800 | Fiber 1 | WRAP | Seat wrap | 1 | 3 | 54 x 60 | 0 | FiberCo",
                       "Dacron total | 3", "Pieces: 3"} << QStringList{};
}

void tst_OrderDocuments::sheets() {
    QFETCH(QString, builder);
    QFETCH(QString, templateName);
    QFETCH(QString, heading);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, alsoLines);
    CaptureTarget capture;
    sheet(builder)(QStringLiteral("1"));
    QCOMPARE(capture.templates(), QStringList{templateName});
    const CapturedDocument &d = capture.documents.first();
    QVERIFY(!d.preview);
    QCOMPARE(d.text(QStringLiteral("txtTitle")), heading);
    QCOMPARE(d.lines().mid(0, 2), (QStringList{heading, "Printed 12/9/2026"}));
    if (templateName == QLatin1String("crptTie") || templateName == QLatin1String("crptTest")) {
        // Rows without a sort clause: compare the component rows as a set.
        QStringList found;
        for (const QString &line : d.lines())
            if (line.contains(QStringLiteral(" | SEAT | ")) || line.contains(QStringLiteral(" | ARM | "))) found << line;
        QStringList want = lines.mid(0, lines.size() - 1);
        found.sort();
        want.sort();
        QCOMPARE(found, want);
        QVERIFY(hasLinesInOrder(d, {lines.last()}));
    } else {
        QVERIFY(hasLinesInOrder(d, lines));
    }
    for (const QString &line : alsoLines) QVERIFY2(d.lines().contains(line), qPrintable(line));
    QVERIFY(!d.contains(QStringLiteral("Band Saw 3")));
    QVERIFY(!d.contains(QStringLiteral("BACK")));
}

void tst_OrderDocuments::emptySheetsStillPrint_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("note");
    QTest::newRow("test sheet") << "PrintTestSheet" << "Test Sheet" << "No component of this order is tested.";
    QTest::newRow("tie sheet") << "PrintTieSheet" << "Tie Sheet" << "No component of this order is tied.";
    QTest::newRow("top-out saw") << "PrintTopOutSawTickets" << "Top Out Saw" << "Nothing on this sheet for this order.";
    QTest::newRow("foam order") << "PrintFoamOrder" << "Foam Order" << "No foam to order for this order.";
    QTest::newRow("fiber order") << "PrintFiberOrder" << "Fiber Order" << "No fiber to order for this order.";
}

void tst_OrderDocuments::emptySheetsStillPrint() {
    QFETCH(QString, builder);
    QFETCH(QString, heading);
    QFETCH(QString, note);
    CaptureTarget capture;
    sheet(builder)(QStringLiteral("5"));  // no lines
    sheet(builder)(QStringLiteral("99"));  // no such order
    QCOMPARE(capture.documents.size(), 2);
    for (const CapturedDocument &d : capture.documents) {
        QCOMPARE(d.text(QStringLiteral("txtTitle")), heading);
        QVERIFY2(d.contains(note), qPrintable(d.lines().join('\n')));
        QVERIFY(d.contains(QStringLiteral("Page 1 of 1")));
    }
}

void tst_OrderDocuments::foamOrderFieldDefinitions() {
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/ttx/FoamOrderRpt.ttx");
    QFile::remove(path);
    CaptureTarget capture;
    PrintFoamOrder(QStringLiteral("5"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // One line per column of the foam order's rows, the two of one name told apart.
    QCOMPARE(lines.size(), 41);
    QVERIFY(lines.contains(QStringLiteral("Orders.ID\tLong")));
    QVERIFY(lines.contains(QStringLiteral("Vendor\tString\t255")) || lines.last().startsWith(QStringLiteral("Vendor\t")));
}

void tst_OrderDocuments::fiberOrderTotalsWhatItsRowsShow() {
    // Three lines of sofas, each with 3 wraps at 8 a length: 0.375 lengths a row, shown
    // as 0.4; the grade's total adds the rows as they read.
    m_plant->db->exec(QStringLiteral("UPDATE Component SET PiecesPerRail = 8 WHERE ID = 'WRAP'"));
    for (int item = 3; item <= 4; ++item)
        m_plant->db->exec(QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, "
                                         "PriceExt) VALUES (1, %1, 'C', 3, 1, 100, 300)")
                              .arg(item));
    CaptureTarget capture;
    PrintFiberOrder(QStringLiteral("1"));
    const CapturedDocument &d = capture.documents.first();
    const QStringList rows = linesWith(d, QStringLiteral(" | WRAP | "));
    QCOMPARE(rows.size(), 3);
    for (const QString &row : rows) QVERIFY2(row.endsWith(QStringLiteral(" | 3 | 54 x 60 | 8 | 0.4 | FiberCo")), qPrintable(row));
    QVERIFY(hasLinesInOrder(d, {"Dacron total | 9 | 1.2", "Pieces: 9"}));
}

void tst_OrderDocuments::everyDocumentOfTheDemoPlantFitsItsCells() {
    // Every document of this paperwork for every order of the demo plant: each renders,
    // and no text is wider than its cell, off the page or printed over another.
    m_plant->useDemoPlant();
    TestDatabase &demo = *m_plant->db;
    CaptureTarget capture;
    const RowSet orders = demo.query(QStringLiteral("SELECT ID FROM Orders ORDER BY ID"));
    QVERIFY(orders.rows.size() >= 10);
    for (const auto &row : orders.rows) {
        const QString id = row.value(0).toString();
        PrintOrder(id, false, QStringLiteral("Office Manager"));
        PrintProductionSummary(id, QStringLiteral("Saw Department"));
        for (auto builder : {PrintGlueSprayLineTickets, PrintFiberTableTickets, PrintLineSupplyTickets,
                             PrintBulletNoserTickets, PrintCNCTickets, PrintCNCStencilTickets, PrintBandSawTickets,
                             PrintVerticalSlitterTickets, PrintTopOutSawTickets, PrintTestSheet, PrintTieSheet,
                             PrintFoamOrder, PrintFiberOrder})
            builder(id);
        PrintLoadSheet(id, false);
    }
    QStringList seen;
    for (const CapturedDocument &d : capture.documents) {
        if (!seen.contains(d.templateName)) seen << d.templateName;
        QVERIFY(printsClear(d));
        QVERIFY2(!showsANonNumber(d), qPrintable(d.templateName));
    }
    seen.sort();
    QCOMPARE(seen.size(), 16);  // every template of the paperwork, Vedu's form included
}

QTEST_MAIN(tst_OrderDocuments)
#include "tst_orderdocuments.moc"
