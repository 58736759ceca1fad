// A report laid out a slice at a time for the preview: the pages made while the rest
// are still being placed are the very pages the whole layout makes, and a page is
// final only once its "Page N of M" can be filled; before, it shows "Page N of ...". Growing cells are measured as the
// text layout wraps them.

#include "reports/DocumentPainter.h"
#include "reports/Report.h"
#include "reports/ReportLayout.h"
#include "tests/support/Fakes.h"

#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

// Groups of rows, one customer each, with a description long enough to wrap on every
// fifth row. Rows on a second page carry a note that wraps, so the page number read
// while the bands are placed decides their height.
RowSet customerRows(int customers, int rowsEach) {
    RowSet rows;
    for (const char *name : {"Customer", "ID", "Description"})
        rows.columns.append({QString::fromLatin1(name), QStringLiteral("Invoice"), QString::fromLatin1(name), QStringLiteral("TEXT")});
    for (int c = 0; c < customers; ++c)
        for (int i = 0; i < rowsEach; ++i)
            rows.rows.append({QStringLiteral("Customer %1").arg(c, 2, 10, QLatin1Char('0')), QStringLiteral("INV-%1-%2").arg(c).arg(i),
                              i % 5 ? QStringLiteral("Cushion core") : QStringLiteral("Seat cushion core with a dacron wrap glued on")});
    return rows;
}

std::unique_ptr<Report> filledReport(const QString &groupAttributes, const QString &footerFormula, const RowSet &rows) {
    const QString xml = QStringLiteral(R"xml(
<report name="test" font="DejaVu Sans" size="8">
  <page size="Letter" orientation="portrait" left="10" right="10" top="10" bottom="10"/>
  <group name="Customer" key="{Customer}" %1/>
  <section type="pageHeader" height="10"><field x="0" y="0" width="100" formula="'Invoices of ' + {Customer}"/></section>
  <section type="groupHeader" group="Customer" height="6"><field x="0" y="0" width="100" field="Customer" bold="true"/></section>
  <section type="detail" height="5">
    <field x="0" y="0.5" width="30" field="ID"/>
    <field x="32" y="0.5" width="30" field="Description" canGrow="true"/>
    <field x="64" y="0.5" width="30" canGrow="true" formula="if(PageNumber = 2, 'Carried over from the first page', '')"/>
  </section>
  <section type="pageFooter" height="8"><field x="0" y="2" width="100" formula="%2"/></section>
</report>)xml")
                            .arg(groupAttributes, footerFormula);
    auto report = std::make_unique<Report>(ReportTemplate::parse(xml.toUtf8(), QStringLiteral("test")));
    report->bind(rows);
    report->discardSavedData();
    report->readRecords();
    return report;
}

QStringList withCountUnknown(QStringList texts) {
    static const QRegularExpression count(QStringLiteral("^(Page \\d+ of )\\d+$"));
    texts.replaceInStrings(count, QStringLiteral("\\1..."));
    return texts;
}

QStringList textOf(const DocumentPage &page) {
    Document document;
    document.pages.append(page);
    return document.pageText(0);
}

}  // namespace

class tst_pagedlayout : public QObject {
    Q_OBJECT
private slots:
    void lineCountsAreTheTextLayouts_data();
    void lineCountsAreTheTextLayouts();
    void lineCountsAreTheTextLayoutsOnMixedTexts();
    void pagesMadeMidwayAreTheWholeLayouts_data();
    void pagesMadeMidwayAreTheWholeLayouts();
};

void tst_pagedlayout::lineCountsAreTheTextLayouts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("slack");  // points added to the text's own width (or a width when no text fits)
    QTest::newRow("fits exactly") << "SC-200-2612-31412" << true << 0.0;
    QTest::newRow("a hair short") << "SC-200-2612-31412" << true << -0.05;
    QTest::newRow("a hair over") << "SC-200-2612-31412" << true << 0.05;
    QTest::newRow("words") << "Seat cushion core with a one inch dacron wrap" << false << -40.0;
    QTest::newRow("hyphenated") << "Foam-Rubber High-Resilience Bonded-Fiber" << false << -60.0;
    QTest::newRow("one long word cut") << "AR-110-2183-26289-STOCK" << true << -45.0;
    QTest::newRow("ligatures") << "Stuffing fill for a profile buffer" << false << -30.0;
    QTest::newRow("trailing blanks") << "Back filler pad     " << false << -20.0;
    QTest::newRow("leading blanks") << "   Back filler pad" << false << -12.0;
    QTest::newRow("line breaks") << "Arm pad\nrolled\n\n" << false << 0.0;
    QTest::newRow("tab") << "Arm\tpad rolled" << false << -5.0;
    QTest::newRow("accents") << "Crème coussin façonné" << false << -15.0;
    QTest::newRow("empty") << "" << false << 20.0;
    QTest::newRow("blanks only") << "      " << false << -1.0;
}

void tst_pagedlayout::lineCountsAreTheTextLayouts() {
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(double, slack);
    DocumentFont font{QStringLiteral("DejaVu Sans"), 7.5, bold};
    const double own = QFontMetricsF(DocumentQFont(font)).horizontalAdvance(text) / DecipointsPerPoint;
    const double width = std::max(5.0, own + slack);
    QCOMPARE(WrappedLineCount(text, font, width), int(WrapText(text, font, width, nullptr).size()));
}

// Generated texts of the characters plant data holds, at widths right at the edge of
// one of their beginnings and at random widths, in the four faces.
void tst_pagedlayout::lineCountsAreTheTextLayoutsOnMixedTexts() {
    QRandomGenerator random(2026);
    const QString plain = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789    TTJ");
    const QString characters = plain + QStringLiteral("--/.,()'\"&#%:fifl");
    for (int face = 0; face < 4; ++face) {
        const DocumentFont font{QStringLiteral("DejaVu Sans"), face < 2 ? 7.5 : 9.0, bool(face & 1), face >= 2};
        const QFontMetricsF metrics(DocumentQFont(font));
        for (int i = 0; i < 1500; ++i) {
            const QString &pool = i % 3 ? characters : plain;
            QString text;
            for (int n = 1 + random.bounded(60); n > 0; --n) text += pool.at(random.bounded(pool.size()));
            const double width = i % 2 ? 4 + random.bounded(120)
                                       : std::max(3.0, metrics.horizontalAdvance(text.left(1 + random.bounded(text.size()))) /
                                                               DecipointsPerPoint +
                                                           (random.bounded(41) - 20) * 0.01);
            QVERIFY2(WrappedLineCount(text, font, width) == WrapText(text, font, width, nullptr).size(),
                     qPrintable(QStringLiteral("'%1' at %2 pt, face %3").arg(text).arg(width).arg(face)));
        }
    }
}

void tst_pagedlayout::pagesMadeMidwayAreTheWholeLayouts_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("footer");
    QTest::addColumn<QString>("offeredEarly");  // which pages are offered before every row is placed
    QTest::newRow("page count printed") << "" << "'Page ' + PageNumber + ' of ' + TotalPages" << "none";
    QTest::newRow("count per customer") << "restartPageNumbers=\"true\" repeatHeader=\"true\""
                                        << "'Page ' + PageNumber + ' of ' + TotalPages" << "finished customers";
    QTest::newRow("page numbers only") << "repeatHeader=\"true\"" << "'Page ' + PageNumber" << "all but the last";
}

void tst_pagedlayout::pagesMadeMidwayAreTheWholeLayouts() {
    QFETCH(QString, group);
    QFETCH(QString, footer);
    QFETCH(QString, offeredEarly);
    ScopedFakes fakes;
    auto report = filledReport(group, footer, customerRows(6, 70));
    const Document whole = LayoutReport(*report);
    QVERIFY(whole.pageCount() > 10);

    // Slices of the shortest kind; every page offered is made at once, between slices.
    PagedReport paged(*report);
    QVector<QStringList> made(whole.pageCount());
    int offered = 0, slices = 0;
    bool offeredBeforeEnd = false;
    for (bool done = false; !done; ++slices) {
        done = paged.layOutFor(0);
        QVERIFY(paged.readyPages() >= offered);
        QVERIFY(paged.readyPages() <= whole.pageCount());
        if (offeredEarly == QLatin1String("none") && !done) QCOMPARE(paged.readyPages(), 0);
        if (offeredEarly == QLatin1String("all but the last") && !done)
            QCOMPARE(paged.readyPages(), paged.pageCount() - 1);
        if (!done && paged.readyPages() > 0) offeredBeforeEnd = true;
        for (; offered < paged.readyPages(); ++offered) made[offered] = textOf(paged.page(offered));
        // A page laid out before its count of pages is known shows "..." for the count.
        for (int p = paged.readyPages(); p < paged.laidOutPages(); ++p)
            QCOMPARE(textOf(paged.page(p)), withCountUnknown(whole.pageText(p)));
    }
    QVERIFY2(slices > 10, "the report should take many slices");
    QCOMPARE(offeredBeforeEnd, offeredEarly != QLatin1String("none"));
    QCOMPARE(paged.pageCount(), whole.pageCount());
    for (int p = 0; p < whole.pageCount(); ++p) QCOMPARE(made.at(p), whole.pageText(p));
}

QTEST_MAIN(tst_pagedlayout)
#include "tst_pagedlayout.moc"
