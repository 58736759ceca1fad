// The report engine on small templates: bands that break exactly at the page footer,
// group headers kept with their first row, group sums across pages, hidden sections,
// texts set between copies, names that do not exist, wrapping cells, "Page N of M",
// division by zero, subreports, visibility formulas, new pages and page numbers per
// group, group headings repeated on continuation pages, group keys without regard to
// case, and subreports linked to their band's row.

#include "core/AppError.h"
#include "reports/DocumentPainter.h"
#include "reports/Report.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"

#include <QFontMetricsF>
#include <QTest>
#include <functional>

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;

// Letter paper (279.4 mm) with 10 mm margins, a 20 mm page header and a 9.4 mm page
// footer leave exactly 230 mm for the body: 23 detail bands of 10 mm.
const double FooterTopMm = 279.4 - 10 - 9.4;

const char *const PageFrame = R"xml(
  <page size="Letter" orientation="portrait" left="10" right="10" top="10" bottom="10"/>
  <section type="pageHeader" name="PH" height="20">
    <text name="txtTitle" x="0" y="0" width="100">Tally</text>
  </section>
  <section type="pageFooter" name="PF" height="9.4">
    <field name="fPage" x="0" y="2" width="100" formula="'Page ' + PageNumber + ' of ' + TotalPages"/>
  </section>
)xml";

std::shared_ptr<ReportTemplate> makeTemplate(const QString &body, bool frame = true) {
    const QString xml = QStringLiteral("<report name=\"test\" font=\"DejaVu Sans\" size=\"8\">") +
                        (frame ? QString::fromLatin1(PageFrame) : QString()) + body + QStringLiteral("</report>");
    return ReportTemplate::parse(xml.toUtf8(), QStringLiteral("test"));
}

RowSet makeRows(const QStringList &names, const QVector<QVector<QVariant>> &rows) {
    RowSet set;
    for (const QString &n : names) set.columns.append({n, QStringLiteral("T"), n, QStringLiteral("TEXT")});
    set.rows = rows;
    return set;
}

// Rows named "Row 1" ... with a group letter and a quantity.
RowSet groupRows(const QVector<QPair<QString, int>> &groups) {
    QVector<QVector<QVariant>> rows;
    int n = 0;
    for (const auto &[group, count] : groups)
        for (int i = 1; i <= count; ++i) rows.append({group, QStringLiteral("Row %1").arg(++n), i});
    return makeRows({"Grp", "Name", "Qty"}, rows);
}

Document fill(const std::shared_ptr<ReportTemplate> &t, const RowSet &rows,
              const std::function<void(Report &)> &adjust = {}) {
    Report report(t);
    report.bind(rows);
    report.discardSavedData();
    report.readRecords();
    if (adjust) adjust(report);
    return report.render();
}

int pageOf(const Document &doc, const QString &text) {
    for (int p = 0; p < doc.pageCount(); ++p)
        if (doc.pageText(p).contains(text)) return p;
    return -1;
}

const DocumentItem *findItem(const Document &doc, int page, const QString &text) {
    for (const DocumentItem &item : doc.pages.at(page).items)
        if (item.kind == DocumentItem::Text && item.text == text) return &item;
    return nullptr;
}

// Nothing placed in the body reaches below the page footer's top.
void verifyNothingOverFooter(const Document &doc) {
    const double footerTop = FooterTopMm * PointsPerMm;
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const DocumentItem &item : doc.pages.at(p).items) {
            if (item.rect.top() >= footerTop - 1e-6) continue;  // the footer's own items
            const double bottom = item.kind == DocumentItem::Text ? item.rect.top() + LineHeight(item.font)
                                                                  : item.rect.bottom();
            QVERIFY2(bottom <= footerTop + 1e-6,
                     qPrintable(QStringLiteral("'%1' on page %2 reaches %3 pt, the footer starts at %4 pt")
                                    .arg(item.text).arg(p + 1).arg(bottom).arg(footerTop)));
        }
}

const char *const GroupBody = R"xml(
  <group name="Grp" key="{Grp}"/>
  <section type="columnHeader" name="CH" height="0.01">
    <text x="0" y="0" width="40">Name</text>
  </section>
  <section type="groupHeader" group="Grp" name="GH" height="8">
    <field x="0" y="0" width="60" formula="'Group ' + {Grp}"/>
  </section>
  <section type="detail" name="D" height="10">
    <field name="fName" x="0" y="0" width="40" field="Name"/>
    <field name="fQty" x="50" y="0" width="20" field="Qty" align="right"/>
  </section>
  <section type="groupFooter" group="Grp" name="GF" height="10">
    <field x="0" y="0" width="100" formula="'Total ' + {Grp} + ': ' + sum({Qty}) + ' in ' + count() + ' rows'"/>
  </section>
  <section type="reportFooter" name="RF" height="10">
    <field x="0" y="0" width="100" formula="'Grand total: ' + sum({Qty}) + ', largest ' + max({Qty})"/>
  </section>
)xml";

// An order's line with a subreport of CNC pieces in the report footer.
const char *const TallyBody = R"xml(
  <section type="detail" name="D" height="5"><field x="0" y="0" width="40" field="Name"/></section>
  <section type="reportFooter" name="RF" height="4">
    <subreport name="CNC" x="10" y="0" width="80">
      <report>
        <section type="reportHeader" height="5"><text name="txtSub" x="0" y="0" width="60">CNC tally</text></section>
        <section type="detail" height="5">
          <field x="0" y="0" width="30" field="Station"/>
          <field x="35" y="0" width="20" field="Pcs" align="right"/>
        </section>
        <section type="reportFooter" height="5">
          <field x="0" y="0" width="60" formula="'Pieces: ' + sum({Pcs})"/>
        </section>
      </report>
    </subreport>
  </section>)xml";

}  // namespace

class tst_reportengine : public QObject {
    Q_OBJECT

private slots:
    void bandsBreakAtTheFooterLine_data();
    void bandsBreakAtTheFooterLine();
    void pageNumbersOfTotal();
    void headersRepeatOnEveryPage();
    void groupSumsRunAcrossPages();
    void groupHeaderKeptWithFirstRow();
    void hiddenSectionsAndObjects();
    void textsSetBetweenCopies();
    void missingNamesFailClearly_data();
    void missingNamesFailClearly();
    void canGrowCellsWrap();
    void divisionByZeroIsEmpty();
    void subreportsShowTheirOwnRows();
    void longSubreportFlowsOverPages();
    void readingTheMainReportReadsItsSubreports();
    void recordsComeOnlyFromReadRecords();
    void visibilityFormulasHideBandsAndCells();
    void groupsStartPagesAndRestartNumbers_data();
    void groupsStartPagesAndRestartNumbers();
    void groupHeadingsRepeatOnContinuationPages();
    void groupKeysIgnoreCase();
    void linkedSubreportsShowTheRowsOfTheirBand();
    void templateErrorsNameTheLine_data();
    void templateErrorsNameTheLine();
};

void tst_reportengine::bandsBreakAtTheFooterLine_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("firstRowOfLastPage");
    QTest::newRow("one band short of full") << 22 << 1 << 1;
    QTest::newRow("last band ends on the footer line") << 23 << 1 << 1;
    QTest::newRow("one band more breaks") << 24 << 2 << 24;
    QTest::newRow("two full pages") << 46 << 2 << 24;
    QTest::newRow("third page") << 47 << 3 << 47;
}

void tst_reportengine::bandsBreakAtTheFooterLine() {
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(int, firstRowOfLastPage);
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(<section type="detail" name="D" height="10">
        <field x="0" y="0" width="40" field="Name"/></section>)xml");
    const Document doc = fill(t, groupRows({{"A", rows}}));
    QCOMPARE(doc.pageCount(), pages);
    QCOMPARE(pageOf(doc, QStringLiteral("Row %1").arg(firstRowOfLastPage)), pages - 1);
    if (firstRowOfLastPage > 1)
        QCOMPARE(pageOf(doc, QStringLiteral("Row %1").arg(firstRowOfLastPage - 1)), pages - 2);
    // The 23rd band of a page starts 10 mm above the footer.
    if (rows >= 23) {
        const DocumentItem *last = findItem(doc, 0, QStringLiteral("Row 23"));
        QVERIFY(last);
        QVERIFY(qAbs(last->rect.top() - (FooterTopMm - 10) * PointsPerMm) < 0.01);
    }
    verifyNothingOverFooter(doc);
}

void tst_reportengine::pageNumbersOfTotal() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(<section type="detail" name="D" height="10">
        <field x="0" y="0" width="40" field="Name"/></section>)xml");
    const Document doc = fill(t, groupRows({{"A", 50}}));
    QCOMPARE(doc.pageCount(), 3);
    for (int p = 0; p < 3; ++p) QCOMPARE(doc.pageText(p).last(), QStringLiteral("Page %1 of 3").arg(p + 1));
}

void tst_reportengine::headersRepeatOnEveryPage() {
    ScopedFakes fakes;
    const Document doc = fill(makeTemplate(GroupBody), groupRows({{"A", 40}, {"B", 20}}));
    QVERIFY(doc.pageCount() >= 3);
    for (int p = 0; p < doc.pageCount(); ++p) {
        const QStringList text = doc.pageText(p);
        QCOMPARE(text.value(0), QStringLiteral("Tally"));
        QCOMPARE(text.value(1), QStringLiteral("Name"));
    }
}

void tst_reportengine::groupSumsRunAcrossPages() {
    ScopedFakes fakes;
    // Group A: quantities 1..30 (465) over two pages; group B: 1..5 (15).
    const Document doc = fill(makeTemplate(GroupBody), groupRows({{"A", 30}, {"B", 5}}));
    QVERIFY(pageOf(doc, QStringLiteral("Row 1")) != pageOf(doc, QStringLiteral("Row 30")));
    QVERIFY(doc.plainText().contains(QStringLiteral("Total A: 465 in 30 rows")));
    QVERIFY(doc.plainText().contains(QStringLiteral("Total B: 15 in 5 rows")));
    QVERIFY(doc.plainText().contains(QStringLiteral("Grand total: 480, largest 30")));
    QVERIFY(pageOf(doc, QStringLiteral("Total A: 465 in 30 rows")) >= pageOf(doc, QStringLiteral("Row 30")));
    verifyNothingOverFooter(doc);
}

void tst_reportengine::groupHeaderKeptWithFirstRow() {
    ScopedFakes fakes;
    // Without group footers: header A (8 mm) and 21 rows leave 12 mm, room for header B
    // but not for header B with its first row.
    const Document doc = fill(makeTemplate(GroupBody), groupRows({{"A", 21}, {"B", 3}}),
                              [](Report &r) { r.hide(QStringLiteral("GF")); });
    QCOMPARE(pageOf(doc, QStringLiteral("Row 21")), 0);
    QCOMPARE(pageOf(doc, QStringLiteral("Group B")), 1);
    QCOMPARE(pageOf(doc, QStringLiteral("Row 22")), 1);
    // On page 2 the group header comes right after the repeated headers.
    QCOMPARE(doc.pageText(1).mid(0, 4),
             (QStringList{"Tally", "Name", "Group B", "Row 22"}));
}

void tst_reportengine::hiddenSectionsAndObjects() {
    ScopedFakes fakes;
    const auto t = makeTemplate(GroupBody);
    const RowSet rows = groupRows({{"A", 2}, {"B", 2}});

    const Document plain = fill(t, rows);
    QVERIFY(plain.plainText().contains(QStringLiteral("Total A: 3 in 2 rows")));
    QVERIFY(plain.pageLines(0).contains(QStringLiteral("Row 1 | 1")));

    const Document hidden = fill(t, rows, [](Report &r) {
        r.hide(QStringLiteral("GF"));
        r.hide(QStringLiteral("fQty"));
    });
    QVERIFY(!hidden.plainText().contains(QStringLiteral("Total")));
    QVERIFY(hidden.pageLines(0).contains(QStringLiteral("Row 1")));
    QVERIFY(!hidden.pageLines(0).contains(QStringLiteral("Row 1 | 1")));
    QVERIFY(hidden.plainText().contains(QStringLiteral("Grand total: 6")));  // report footer stays
    QCOMPARE(hidden.hidden, (QStringList{"GF", "fQty"}));
}

void tst_reportengine::textsSetBetweenCopies() {
    ScopedFakes fakes;
    CaptureTarget capture;
    Report report(makeTemplate(GroupBody));
    report.bind(groupRows({{"A", 30}}));
    report.discardSavedData();
    report.readRecords();
    for (int team = 1; team <= 2; ++team) {
        report.setText(QStringLiteral("txtTitle"), QStringLiteral("CNC 2 Team %1").arg(team));
        report.printOut();
    }
    QCOMPARE(capture.documents.size(), 2);
    for (int team = 1; team <= 2; ++team) {
        const CapturedDocument &d = capture.documents.at(team - 1);
        QVERIFY(!d.preview);
        QCOMPARE(d.templateName, QStringLiteral("test"));
        QCOMPARE(d.text(QStringLiteral("txtTitle")), QStringLiteral("CNC 2 Team %1").arg(team));
        QCOMPARE(d.texts.size(), 1);
        QCOMPARE(d.pages.size(), 2);
        for (const QStringList &page : d.pages) QCOMPARE(page.first(), QStringLiteral("CNC 2 Team %1").arg(team));
    }
    report.preview();
    QCOMPARE(capture.documents.size(), 3);
    QVERIFY(capture.documents.last().preview);
}

void tst_reportengine::missingNamesFailClearly_data() {
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("template") << 0 << "crptNoSuchReport" << "Report template 'crptNoSuchReport' does not exist";
    QTest::newRow("text object") << 1 << "txtHeading" << "Report test has no text object named 'txtHeading'";
    QTest::newRow("a field is no text object") << 1 << "fQty" << "Report test has no text object named 'fQty'";
    QTest::newRow("section or object") << 2 << "GroupFooter2" << "Report test has no section or object named 'GroupFooter2'";
    QTest::newRow("subreport") << 3 << "GlueLine" << "Report test has no subreport named 'GlueLine'";
    QTest::newRow("field the rows lack") << 4 << "Qty" << "Report test reads the field 'Qty', which its rows do not have";
}

void tst_reportengine::missingNamesFailClearly() {
    QFETCH(int, operation);
    QFETCH(QString, name);
    QFETCH(QString, message);
    ScopedFakes fakes;
    Report report(makeTemplate(GroupBody));
    try {
        switch (operation) {
        case 0: Report::create(name); break;
        case 1: report.setText(name, QStringLiteral("x")); break;
        case 2: report.hide(name); break;
        case 3: report.subreport(name); break;
        case 4:
            report.bind(makeRows({"Grp", "Name"}, {{"A", "Row 1"}}));
            report.discardSavedData();
            report.readRecords();
            break;
        }
        QFAIL("the engine accepted a name that does not exist");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::ReportError);
        QCOMPARE(e.description(), message);
    }
}

void tst_reportengine::canGrowCellsWrap() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(<section type="detail" name="D" height="5">
        <field x="0" y="0" width="20" field="Name"/>
        <field name="fDesc" x="25" y="0" width="30" field="Desc" canGrow="true"/>
        <field x="60" y="0" width="30" field="Desc"/></section>)xml");
    const QString longText = QStringLiteral("Seat cushion core cut from the high resilience bun with a one inch "
                                            "dacron wrap glued on all six sides");
    const Document doc = fill(t, makeRows({"Name", "Desc"}, {{"First", longText}, {"Second", "Short"}}));

    QVector<const DocumentItem *> wrapped;
    const DocumentItem *fixed = nullptr;
    for (const DocumentItem &item : doc.pages.at(0).items) {
        if (item.kind != DocumentItem::Text) continue;
        if (qAbs(item.rect.left() - (10 + 25) * PointsPerMm) < 0.01) wrapped.append(&item);
        if (qAbs(item.rect.left() - (10 + 60) * PointsPerMm) < 0.01 && item.text != QLatin1String("Short")) fixed = &item;
    }
    QVERIFY(wrapped.size() >= 4);  // three or more lines for the long text, one for "Short"
    QStringList lines;
    const double width = 30 * PointsPerMm;
    for (const DocumentItem *item : wrapped.mid(0, wrapped.size() - 1)) {
        lines.append(item->text);
        const double advance = QFontMetricsF(DocumentQFont(item->font)).horizontalAdvance(item->text) / DecipointsPerPoint;
        QVERIFY2(advance <= width + 0.01, qPrintable(item->text));
    }
    QCOMPARE(lines.join(QLatin1Char(' ')), longText);
    // The cell that cannot grow keeps the text on one line.
    QVERIFY(fixed);
    QCOMPARE(fixed->text, longText);
    // The band grew: the second row starts below the last wrapped line.
    const DocumentItem *second = findItem(doc, 0, QStringLiteral("Second"));
    QVERIFY(second);
    const DocumentItem *lastLine = wrapped.at(wrapped.size() - 2);
    QVERIFY(second->rect.top() >= lastLine->rect.top() + LineHeight(lastLine->font) - 0.01);
}

void tst_reportengine::divisionByZeroIsEmpty() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(<section type="detail" name="D" height="5">
        <field x="0" y="0" width="20" field="Name"/>
        <field x="30" y="0" width="20" formula="{A} / {B}" format="0.00"/></section>)xml");
    const Document doc = fill(t, makeRows({"Name", "A", "B"}, {{"Even", 4, 2}, {"Zero", 4, 0}, {"Empty", 4, QVariant()}}));
    const QStringList lines = doc.pageLines(0);
    QVERIFY2(lines.contains(QStringLiteral("Even | 2.00")), qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(QStringLiteral("Zero")));
    QVERIFY(lines.contains(QStringLiteral("Empty")));
}

void tst_reportengine::subreportsShowTheirOwnRows() {
    ScopedFakes fakes;
    const auto t = makeTemplate(TallyBody);
    const RowSet main = makeRows({"Name"}, {{"Order 12"}});
    const Document unbound = fill(t, main);
    QCOMPARE(unbound.pageLines(0).mid(1, 3), (QStringList{"Order 12", "CNC tally", "Pieces: 0"}));

    const Document bound = fill(t, main, [](Report &r) {
        Report &sub = r.subreport(QStringLiteral("CNC"));
        sub.bind(makeRows({"Station", "Pcs"}, {{"CNC 1", 40}, {"CNC 2", 24}}));
        sub.discardSavedData();
        sub.readRecords();
        sub.setText(QStringLiteral("txtSub"), QStringLiteral("CNC pieces"));
    });
    QCOMPARE(bound.pageLines(0).mid(1, 5),
             (QStringList{"Order 12", "CNC pieces", "CNC 1 | 40", "CNC 2 | 24", "Pieces: 64"}));
    // The subreport sits at its own x inside the band.
    QVERIFY(qAbs(findItem(bound, 0, QStringLiteral("CNC 1"))->rect.left() - 20 * PointsPerMm) < 0.01);
}

void tst_reportengine::longSubreportFlowsOverPages() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(
      <section type="reportHeader" name="RH" height="2">
        <subreport name="Lines" x="0" y="0" width="80">
          <report><section type="detail" height="10"><field x="0" y="0" width="30" field="Name"/></section></report>
        </subreport>
      </section>)xml");
    Report report(t);
    report.subreport(QStringLiteral("Lines")).bind(groupRows({{"A", 60}}));
    report.subreport(QStringLiteral("Lines")).readRecords();
    const Document doc = report.render();
    QCOMPARE(doc.pageCount(), 3);
    for (int i = 1; i <= 60; ++i) QVERIFY(pageOf(doc, QStringLiteral("Row %1").arg(i)) >= 0);
    QVERIFY(pageOf(doc, QStringLiteral("Row 24")) < pageOf(doc, QStringLiteral("Row 60")));
    verifyNothingOverFooter(doc);
}

void tst_reportengine::readingTheMainReportReadsItsSubreports() {
    ScopedFakes fakes;
    // As the production summary fills its report: the subreport's rows bound, then
    // discard and read on the main report only.
    Report report(makeTemplate(TallyBody));
    report.bind(makeRows({"Name"}, {{"Order 12"}}));
    report.subreport(QStringLiteral("CNC")).bind(makeRows({"Station", "Pcs"}, {{"CNC 1", 40}, {"CNC 2", 24}}));
    report.discardSavedData();
    report.readRecords();
    QCOMPARE(report.render().pageLines(0).mid(1, 5),
             (QStringList{"Order 12", "CNC tally", "CNC 1 | 40", "CNC 2 | 24", "Pieces: 64"}));
    // Discarding the main report's data empties its subreports as well.
    report.discardSavedData();
    QCOMPARE(report.render().pageLines(0).mid(1, 2), (QStringList{"CNC tally", "Pieces: 0"}));
}

void tst_reportengine::recordsComeOnlyFromReadRecords() {
    ScopedFakes fakes;
    Report report(makeTemplate(GroupBody));
    report.bind(groupRows({{"A", 2}}));
    QVERIFY(!report.render().plainText().contains(QStringLiteral("Row 1")));
    report.discardSavedData();
    report.readRecords();
    QVERIFY(report.render().plainText().contains(QStringLiteral("Row 1")));
    report.discardSavedData();
    QVERIFY(!report.render().plainText().contains(QStringLiteral("Row 1")));
}

void tst_reportengine::visibilityFormulasHideBandsAndCells() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(
      <group name="Grp" key="{Grp}"/>
      <section type="groupHeader" group="Grp" name="GH" height="6" visible="count() > 1">
        <field x="0" y="0" width="60" formula="'Group ' + {Grp}"/>
      </section>
      <section type="detail" name="D" height="6" visible="{Qty} &lt;&gt; 2">
        <field x="0" y="0" width="40" field="Name"/>
        <field name="fBig" x="50" y="0" width="20" visible="{Qty} >= 3" formula="'big'"/>
      </section>
      <section type="groupFooter" group="Grp" name="GF" height="6">
        <field x="0" y="0" width="100" formula="'Total ' + {Grp} + ': ' + sum({Qty})"/>
      </section>)xml");
    const Document doc = fill(t, groupRows({{"A", 3}, {"B", 1}}));
    // Row 2 (quantity 2) is not shown, but still counts in its group's total; group B's
    // single row shows without its heading; only rows of 3 and more carry the mark.
    QCOMPARE(doc.pageLines(0).mid(1, 6),
             (QStringList{"Group A", "Row 1", "Row 3 | big", "Total A: 6", "Row 4", "Total B: 1"}));
    // A hidden cell leaves the rest of its band in place.
    QCOMPARE(findItem(doc, 0, QStringLiteral("Row 3"))->rect.top(), findItem(doc, 0, QStringLiteral("big"))->rect.top());
}

void tst_reportengine::groupsStartPagesAndRestartNumbers_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("footers");  // the page footer of every page
    QTest::addColumn<int>("reportFooterPage");
    // Group A fills two pages, B one, C three.
    QTest::newRow("new page before") << "newPageBefore"
        << QStringList{"Page 1 of 6", "Page 2 of 6", "Page 3 of 6", "Page 4 of 6", "Page 5 of 6", "Page 6 of 6"} << 5;
    QTest::newRow("new page after: the report footer on a page of its own") << "newPageAfter"
        << QStringList{"Page 1 of 7", "Page 2 of 7", "Page 3 of 7", "Page 4 of 7", "Page 5 of 7", "Page 6 of 7",
                       "Page 7 of 7"} << 6;
    QTest::newRow("page numbers per group") << "restartPageNumbers"
        << QStringList{"Page 1 of 2", "Page 2 of 2", "Page 1 of 1", "Page 1 of 3", "Page 2 of 3", "Page 3 of 3"} << 5;
}

void tst_reportengine::groupsStartPagesAndRestartNumbers() {
    QFETCH(QString, option);
    QFETCH(QStringList, footers);
    QFETCH(int, reportFooterPage);
    ScopedFakes fakes;
    const QString body = QString::fromLatin1(GroupBody).replace(
        QStringLiteral("<group name=\"Grp\" key=\"{Grp}\"/>"),
        QStringLiteral("<group name=\"Grp\" key=\"{Grp}\" %1=\"true\"/>").arg(option));
    const Document doc = fill(makeTemplate(body), groupRows({{"A", 30}, {"B", 3}, {"C", 50}}));
    QCOMPARE(doc.pageCount(), footers.size());
    for (int p = 0; p < doc.pageCount(); ++p) QCOMPARE(doc.pageText(p).last(), footers.at(p));
    // Each group opens its own page, right below the repeated headers.
    QCOMPARE(doc.pageText(0).mid(2, 2), (QStringList{"Group A", "Row 1"}));
    QCOMPARE(doc.pageText(2).mid(2, 2), (QStringList{"Group B", "Row 31"}));
    QCOMPARE(doc.pageText(3).mid(2, 2), (QStringList{"Group C", "Row 34"}));
    QCOMPARE(pageOf(doc, QStringLiteral("Total B: 6 in 3 rows")), 2);
    QCOMPARE(pageOf(doc, QStringLiteral("Grand total: 1746, largest 50")), reportFooterPage);
    verifyNothingOverFooter(doc);
}

void tst_reportengine::groupHeadingsRepeatOnContinuationPages() {
    ScopedFakes fakes;
    const QString body = QString::fromLatin1(GroupBody).replace(
        QStringLiteral("formula=\"'Group ' + {Grp}\""),
        QStringLiteral("formula=\"'Group ' + {Grp} + if(InRepeatedGroupHeader, ' (continued)', '')\""));
    const RowSet rows = groupRows({{"A", 50}, {"B", 30}});

    const Document plain = fill(makeTemplate(body), rows);
    QCOMPARE(plain.pageText(1).mid(0, 3), (QStringList{"Tally", "Name", "Row 23"}));

    const QString repeating = QString(body).replace(QStringLiteral("key=\"{Grp}\""),
                                                     QStringLiteral("key=\"{Grp}\" repeatHeader=\"true\""));
    const Document doc = fill(makeTemplate(repeating), rows);
    // Page 2 goes on with group A under its heading; the rows still fit 22 to a page.
    QCOMPARE(doc.pageText(1).mid(0, 4), (QStringList{"Tally", "Name", "Group A (continued)", "Row 23"}));
    QCOMPARE(pageOf(doc, QStringLiteral("Row 44")), 1);
    // Group B opens with its own heading, and is continued on the next page.
    const int b = pageOf(doc, QStringLiteral("Group B"));
    QVERIFY(b > 0);
    QCOMPARE(doc.pageText(b + 1).value(2), QStringLiteral("Group B (continued)"));
    QCOMPARE(doc.plainText().count(QStringLiteral("Group A (continued)")), 2);
    verifyNothingOverFooter(doc);
}

void tst_reportengine::groupKeysIgnoreCase() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(
      <group name="Grp" key="{Grp}"/>
      <section type="groupHeader" group="Grp" name="GH" height="6">
        <field x="0" y="0" width="60" formula="'Group ' + {Grp}"/>
      </section>
      <section type="detail" name="D" height="6"><field x="0" y="0" width="40" field="Name"/></section>
      <section type="groupFooter" group="Grp" name="GF" height="6">
        <field x="0" y="0" width="100" formula="first({Grp}) + ': ' + count() + ' rows'"/>
      </section>)xml");
    const Document doc = fill(t, makeRows({"Grp", "Name"}, {{"active", "Row 1"}, {"Active", "Row 2"},
                                                           {"ACTIVE", "Row 3"}, {"Inactive", "Row 4"}}));
    QCOMPARE(doc.pageLines(0).mid(1, 8), (QStringList{"Group active", "Row 1", "Row 2", "Row 3", "active: 3 rows",
                                                       "Group Inactive", "Row 4", "Inactive: 1 rows"}));
}

void tst_reportengine::linkedSubreportsShowTheRowsOfTheirBand() {
    ScopedFakes fakes;
    const auto t = makeTemplate(R"xml(
      <section type="detail" name="D" height="6">
        <field x="0" y="0" width="40" formula="'Order ' + {Order}"/>
        <subreport name="Lines" x="10" y="5" width="100">
          <link main="ID" sub="OrderID"/>
          <link main="Customer" sub="Customer"/>
          <report>
            <section type="reportHeader" height="5" visible="count() > 0">
              <text x="0" y="0" width="30">Style</text><text x="40" y="0" width="20">Qty</text>
            </section>
            <section type="detail" height="5">
              <field x="0" y="0" width="30" field="Style"/>
              <field x="40" y="0" width="20" field="Qty"/>
            </section>
            <section type="reportFooter" height="5">
              <field x="0" y="0" width="80" formula="'Lines: ' + count() + ', pieces ' + sum({Qty})"/>
            </section>
          </report>
        </subreport>
      </section>)xml");
    // The lines come in any order; numbers link to equal numbers whatever their type,
    // text without regard to case; an order without an ID has no lines.
    const RowSet orders = makeRows({"ID", "Order", "Customer"},
                                   {{1, "HC-5512", "Vedu"}, {2, "V-1041", "Vedu"}, {3, "OB-2207", "O'Brien"},
                                    {QVariant(), "Draft", "Vedu"}});
    const RowSet lines = makeRows({"OrderID", "Customer", "Style", "Qty"},
                                  {{1.0, "VEDU", "Madison Sofa", 10}, {2.0, "Vedu", "Metro Sofa", 8},
                                   {1.0, "vedu", "Heritage Chair", 12}, {2.0, "Vedu", "Metro Chair", 16},
                                   {3.0, "Lakeside", "Harbor Loveseat", 6}, {QVariant(), "Vedu", "Loose Line", 1}});
    const Document doc = fill(t, orders, [&](Report &r) {
        r.subreport(QStringLiteral("Lines")).bind(lines);
        r.subreport(QStringLiteral("Lines")).readRecords();
    });
    QCOMPARE(doc.pageLines(0).mid(1),
             (QStringList{"Order HC-5512", "Style | Qty", "Madison Sofa | 10", "Heritage Chair | 12",
                          "Lines: 2, pieces 22", "Order V-1041", "Style | Qty", "Metro Sofa | 8", "Metro Chair | 16",
                          "Lines: 2, pieces 24", "Order OB-2207", "Lines: 0, pieces 0", "Order Draft",
                          "Lines: 0, pieces 0", "Page 1 of 1"}));

    // A link field the main report's rows lack is named when the records are read.
    Report report(t);
    report.bind(makeRows({"Order", "Customer"}, {{"HC-5512", "Vedu"}}));
    QVERIFY_THROWS_EXCEPTION(AppError, report.readRecords());
}

void tst_reportengine::templateErrorsNameTheLine_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("unknown section type") << "<section type=\"details\"/>" << "unknown section type 'details'";
    QTest::newRow("group that is not defined") << "<section type=\"groupHeader\" group=\"Status\"/>"
                                               << "names no defined group ('Status')";
    QTest::newRow("misspelt attribute") << "<section type=\"detail\"><field x=\"0\" widht=\"5\" field=\"A\"/></section>"
                                        << "<field> has no attribute 'widht'";
    QTest::newRow("field without a width") << "<section type=\"detail\"><field x=\"0\" field=\"A\"/></section>"
                                           << "<field> needs a width";
    QTest::newRow("bad formula") << "<section type=\"detail\"><field width=\"5\" formula=\"1 +\"/></section>"
                                 << "Formula error in \"1 +\"";
    QTest::newRow("undefined named formula") << "<formula name=\"A\">{@B} + 1</formula>" << "formula 'B' is not defined";
    QTest::newRow("formula loop") << "<formula name=\"A\">{@B}</formula><formula name=\"B\">{@A}</formula>"
                                  << "refers to itself";
    QTest::newRow("bad number") << "<section type=\"detail\" height=\"ten\"/>" << "'height' must be a number";
    QTest::newRow("bad visibility formula") << "<section type=\"detail\" visible=\"{Paid} &lt;\"/>"
                                            << "Formula error in \"{Paid} <\"";
    QTest::newRow("link without its subreport field")
        << "<section type=\"detail\"><subreport name=\"S\" width=\"5\"><link main=\"ID\"/>"
           "<report><section type=\"detail\"/></report></subreport></section>"
        << "a <link> names a field of the main report (main=) and one of the subreport (sub=)";
    QTest::newRow("group option not true or false") << "<group name=\"G\" key=\"{G}\" repeatHeader=\"always\"/>"
                                                    << "'repeatHeader' must be true or false";
}

void tst_reportengine::templateErrorsNameTheLine() {
    QFETCH(QString, body);
    QFETCH(QString, fragment);
    try {
        makeTemplate(body, false);
        QFAIL("the template was accepted");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::ReportError);
        QVERIFY2(e.description().startsWith(QStringLiteral("Report template test, line 1: ")), qPrintable(e.description()));
        QVERIFY2(e.description().contains(fragment), qPrintable(e.description()));
    }
}

QTEST_MAIN(tst_reportengine)
#include "tst_reportengine.moc"
