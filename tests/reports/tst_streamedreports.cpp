// The builders' rows flow from their queries into the layout: each listing previewed on a
// plant of some size is, page for page, the document of its rows read whole; a page shown
// before its count of pages is known says "of ..."; page 1 shows before the layout ends.

#include "data/Database.h"
#include "reports/BuilderRegistry.h"
#include "reports/BuilderSupport.h"
#include "reports/PageSource.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tools/DemoPlant.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Keeps the pages of the last preview, laid out by the test itself.
class KeepPages : public CaptureTarget {
public:
    void previewPages(std::shared_ptr<PageSource> pages, const QString &) override { kept = std::move(pages); }
    std::shared_ptr<PageSource> kept;
};

// A page's texts with its count of pages not known yet.
QStringList withCountUnknown(QStringList texts) {
    static const QRegularExpression count(QStringLiteral("^(Page \\d+ of )\\d+$"));
    texts.replaceInStrings(count, QStringLiteral("\\1..."));
    return texts;
}

QStringList textOf(const DocumentPage &page) { return Document{{}, {page}}.pageText(0); }

}  // namespace

class tst_streamedreports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void streamedDocumentIsTheWholeOne_data();
    void streamedDocumentIsTheWholeOne();

private:
    std::unique_ptr<ScopedFakes> m_fakes;
    std::unique_ptr<TestDatabase> m_plant;
};

void tst_streamedreports::initTestCase() {
    m_fakes = std::make_unique<ScopedFakes>();
    m_plant = std::make_unique<TestDatabase>();
    DemoPlant::populateLarge(AppDatabase(), 150, 1200);
}

void tst_streamedreports::streamedDocumentIsTheWholeOne_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("firstPageEarly");  // page 1 is shown before the layout ends
    // "Page N of M" (per customer where statements restart it), groups, group totals shown
    // in a group's header, report totals, three groups nested, sales read by customer.
    QTest::newRow("customer listing") << "PrintCustomerListing" << QStringList{} << true;
    QTest::newRow("component listing") << "PrintComponentListing" << QStringList{} << true;
    QTest::newRow("open invoices") << "PrintOpenInvoices" << QStringList{} << false;
    QTest::newRow("customer statements") << "PrintCustomerStatements" << QStringList{} << true;
    QTest::newRow("style listing") << "PrintStyleListing"
                                   << QStringList{"***All Customers***", "***All Styles***", "***All Types***"} << true;
    QTest::newRow("sales in detail") << "PrintSalesByCustomer" << QStringList{"1/1/2000", "12/31/2099", "1"} << false;
    QTest::newRow("sales by customer") << "PrintSalesByCustomer" << QStringList{"1/1/2000", "12/31/2099", "0"} << false;
    QTest::newRow("sales of no order") << "PrintSalesByCustomer" << QStringList{"1/1/1990", "12/31/1990", "1"} << false;
}

void tst_streamedreports::streamedDocumentIsTheWholeOne() {
    QFETCH(QString, builder);
    QFETCH(QStringList, args);
    QFETCH(bool, firstPageEarly);
    // The document its rows read whole before the layout give.
    Document whole;
    {
        SetRowsStreamed(false);
        CaptureTarget capture;
        RunBuilder(builder, args);
        SetRowsStreamed(true);
        whole = capture.documents.value(0).document;
    }

    KeepPages target;
    RunBuilder(builder, args);
    QVERIFY(target.kept);
    PageSource &pages = *target.kept;
    // Laid out in the shortest slices; each page made as soon as it can be shown, and
    // again once it is final.
    bool shownEarly = false;
    int made = 0;
    for (bool done = false; !done;) {
        done = pages.layOutFor(0);
        shownEarly = shownEarly || (!done && pages.laidOutPages() > 0);
        for (; made < pages.laidOutPages(); ++made) {
            QVERIFY(made < whole.pageCount());
            const QStringList text = textOf(pages.page(made));
            if (made < pages.readyPages()) QCOMPARE(text, whole.pageText(made));
            else QCOMPARE(text, withCountUnknown(whole.pageText(made)));
        }
    }
    if (firstPageEarly) QVERIFY(shownEarly);
    const Document streamed = pages.document();
    QCOMPARE(streamed.pageCount(), whole.pageCount());
    for (int p = 0; p < whole.pageCount(); ++p) QCOMPARE(streamed.pageText(p), whole.pageText(p));
}

QTEST_MAIN(tst_streamedreports)
#include "tst_streamedreports.moc"
