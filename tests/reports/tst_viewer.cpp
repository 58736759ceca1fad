// The report preview window and the desktop print target: a document shown page by
// page, navigation and zoom from the toolbar, the viewer filling the window at any
// size, a later preview replacing the report, and documents going to PDF files where
// the system has no printer. A long report is browsed while it is still being laid
// out, and printing and export from the toolbar give every page.

#include "app/MDI.h"
#include "app/Viewer.h"
#include "app/DesktopPrintTarget.h"
#include "reports/Report.h"
#include "reports/ReportLayout.h"
#include "reports/ReportsMod.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>

namespace {

Document pages(int count, const QString &name = QStringLiteral("crptTest")) {
    Document doc;
    doc.templateName = name;
    for (int i = 1; i <= count; ++i) {
        DocumentItem item;
        item.text = QStringLiteral("Page body %1").arg(i);
        item.font.family = QStringLiteral("DejaVu Sans");
        item.rect = QRectF(72, 72, 300, 14);
        DocumentPage page;
        page.items.append(item);
        doc.pages.append(page);
    }
    return doc;
}

void press(Viewer &viewer, const char *button) {
    UiTest::click(UiTest::child<QToolButton>(&viewer, QString::fromLatin1(button)));
}

QStringList printedFiles() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/printed"))
        .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

QLabel *pageLabel(Viewer &viewer) { return UiTest::child<QLabel>(&viewer, "lblPage"); }

// Pages laid out in the shortest slices the layout makes, so that a test sees the
// layout part-way whatever the machine's speed.
class ShortSlices : public PageSource {
public:
    explicit ShortSlices(std::shared_ptr<PageSource> pages) : m_pages(std::move(pages)) {}
    const DocumentInfo &info() const override { return m_pages->info(); }
    bool layOutFor(int) override { return m_pages->layOutFor(0); }
    bool finished() const override { return m_pages->finished(); }
    int pageCount() const override { return m_pages->pageCount(); }
    int readyPages() const override { return m_pages->readyPages(); }
    int laidOutPages() const override { return m_pages->laidOutPages(); }
    DocumentPage page(int n) const override { return m_pages->page(n); }

private:
    std::shared_ptr<PageSource> m_pages;
};

// Previews go to the test's Viewer, laid out in short slices; installed for its lifetime.
class ViewerTarget : public CaptureTarget {
public:
    explicit ViewerTarget(Viewer &viewer) : m_viewer(viewer) {}
    void previewPages(std::shared_ptr<PageSource> pages, const QString &) override {
        m_viewer.showPages(std::make_shared<ShortSlices>(std::move(pages)));
    }

private:
    Viewer &m_viewer;
};

// Once a modal dialog of type D shows, hands it to the answer.
template <class D>
void answerDialog(std::function<void(D *)> answer, int tries = 500) {
    QTimer::singleShot(tries == 500 ? 0 : 20, [answer, tries] {
        if (auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget())) answer(dialog);
        else if (tries > 0) answerDialog<D>(answer, tries - 1);
    });
}

// The text of every page of a PDF file.
QStringList pdfPages(const QString &path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

// Every page of the document is in the file, in order, with all its texts.
void verifyEveryPage(const QString &pdf, const Document &expected) {
    const QStringList printed = pdfPages(pdf);
    QCOMPARE(printed.size(), expected.pageCount());
    for (int p = 0; p < printed.size(); ++p) {
        const QString page = printed.at(p).simplified();
        for (const QString &text : expected.pageText(p))
            QVERIFY2(page.contains(text.simplified()), qPrintable(QStringLiteral("page %1 lacks '%2'").arg(p + 1).arg(text)));
    }
}

// A long report numbered "Page N" (or by the footer given): many customers' invoices.
std::unique_ptr<Report> numberedReport(int rows, const QString &footer = QStringLiteral("'Page ' + PageNumber")) {
    const QString xml = QStringLiteral(R"xml(
<report name="crptNumbered" font="DejaVu Sans" size="8">
  <section type="pageHeader" height="8"><text x="0" y="0" width="100" bold="true">Invoices</text></section>
  <section type="detail" height="5">
    <field x="0" y="0.5" width="40" field="ID"/>
    <field x="42" y="0.5" width="40" field="Customer" canGrow="true"/>
  </section>
  <section type="pageFooter" height="8"><field x="0" y="2" width="100" formula="%1"/></section>
</report>)xml").arg(footer);
    RowSet set;
    for (const char *name : {"ID", "Customer"})
        set.columns.append({QString::fromLatin1(name), QStringLiteral("Invoice"), QString::fromLatin1(name), QStringLiteral("TEXT")});
    for (int i = 1; i <= rows; ++i)
        set.rows.append({QStringLiteral("INV-%1").arg(i), QStringLiteral("Hickory Comfort Seating of High Point %1").arg(i % 7)});
    auto report = std::make_unique<Report>(ReportTemplate::parse(xml.toUtf8(), QStringLiteral("test")));
    report->bind(set);
    report->discardSavedData();
    report->readRecords();
    return report;
}

}  // namespace

class tst_viewer : public QObject {
    Q_OBJECT

private slots:
    void captionSizeAndControls();
    void navigatesPagesFromTheToolbar();
    void zoomsFromTheToolbar();
    void viewerFillsAnySize_data();
    void viewerFillsAnySize();
    void laterPreviewReplacesTheReport();
    void desktopTargetPreviewsInOneViewer();
    void withoutPrinterDocumentsBecomePdfFiles();
    void browsesALongReportWhileItIsLaidOut();
    void showsPageOneBeforeItsCountIsKnown();
    void longListingPrintsAndExportsEveryPage();
};

void tst_viewer::captionSizeAndControls() {
    Viewer viewer;
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Report Viewer"));
    QCOMPARE(viewer.size(), QSize(747, 683));  // 11205 by 10245 twips
    QCOMPARE(UiTest::child<PagePreview>(&viewer, "CRViewer"), viewer.previewWidget());
    for (const char *name : {"btnFirst", "btnPrevious", "btnNext", "btnLast", "btnZoomIn", "btnZoomOut", "btnFit",
                             "btnPrint", "btnExport"})
        QVERIFY2(viewer.findChild<QToolButton *>(QString::fromLatin1(name)), name);
}

void tst_viewer::navigatesPagesFromTheToolbar() {
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showDocument(pages(3));
    PagePreview *crv = viewer.previewWidget();
    auto *label = UiTest::child<QLabel>(&viewer, "lblPage");
    QCOMPARE(crv->pageCount(), 3);
    QCOMPARE(crv->currentPage(), 1);
    QCOMPARE(label->text(), QStringLiteral("1 of 3"));

    struct Step { const char *button; int page; };
    const Step steps[] = {{"btnNext", 2}, {"btnNext", 3}, {"btnNext", 3}, {"btnPrevious", 2},
                          {"btnFirst", 1}, {"btnPrevious", 1}, {"btnLast", 3}};
    for (const Step &s : steps) {
        press(viewer, s.button);
        QCOMPARE(crv->currentPage(), s.page);
        QCOMPARE(label->text(), QStringLiteral("%1 of 3").arg(s.page));
    }
}

void tst_viewer::zoomsFromTheToolbar() {
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showDocument(pages(1));
    PagePreview *crv = viewer.previewWidget();
    const qreal start = crv->zoomFactor();
    press(viewer, "btnZoomIn");
    QVERIFY(crv->zoomFactor() > start);
    const qreal in = crv->zoomFactor();
    press(viewer, "btnZoomOut");
    QVERIFY(crv->zoomFactor() < in);
    press(viewer, "btnFit");
    QCOMPARE(crv->zoomMode(), PagePreview::FitInView);
}

void tst_viewer::viewerFillsAnySize_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("initial") << QSize(747, 683);
    QTest::newRow("small") << QSize(320, 240);
    QTest::newRow("wide and low") << QSize(1200, 300);
    QTest::newRow("large") << QSize(1400, 1000);
}

void tst_viewer::viewerFillsAnySize() {
    QFETCH(QSize, size);
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showDocument(pages(2));
    viewer.resize(size);
    QTRY_COMPARE(viewer.size(), size);
    QCoreApplication::processEvents();
    const QRect crv = viewer.previewWidget()->geometry();
    const QRect bar = viewer.findChild<QToolBar *>()->geometry();
    // The toolbar on top and CRViewer below it cover the window with no margin.
    QCOMPARE(bar.topLeft(), QPoint(0, 0));
    QCOMPARE(bar.width(), size.width());
    QCOMPARE(crv.left(), 0);
    QCOMPARE(crv.top(), bar.bottom() + 1);
    QCOMPARE(crv.width(), size.width());
    QCOMPARE(crv.bottom(), size.height() - 1);
}

void tst_viewer::laterPreviewReplacesTheReport() {
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showDocument(pages(3, QStringLiteral("crptFirst")));
    press(viewer, "btnLast");
    viewer.showDocument(pages(1, QStringLiteral("crptSecond")));
    QCOMPARE(viewer.previewWidget()->pageCount(), 1);
    QCOMPARE(viewer.previewWidget()->currentPage(), 1);
    QCOMPARE(viewer.document().templateName, QStringLiteral("crptSecond"));
    QCOMPARE(viewer.document().pageText(0), QStringList{"Page body 1"});
}

void tst_viewer::desktopTargetPreviewsInOneViewer() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    MDI frame;
    UiTest::show(&frame);
    InstallDesktopPrintTarget();
    PrintVendorListing();
    PrintBunListing();
    Reports::setPrintTarget(nullptr);

    QVector<Viewer *> viewers;
    for (QMdiSubWindow *sub : frame.workspace()->subWindowList())
        if (auto *v = qobject_cast<Viewer *>(sub->widget())) viewers.append(v);
    QCOMPARE(viewers.size(), 1);
    QCOMPARE(viewers.first()->document().templateName, QStringLiteral("crptBunListing"));
    QCOMPARE(viewers.first()->document().pageText(0).first(), QStringLiteral("Bun Listing"));
    QCOMPARE(viewers.first()->previewWidget()->pageCount(), 1);
}

void tst_viewer::withoutPrinterDocumentsBecomePdfFiles() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this system has a default printer");
    const QStringList before = printedFiles();
    {
        // No main window: a preview has nowhere to show and becomes a file too.
        DesktopPrintTarget target;
        target.preview(pages(1), QStringLiteral("crptAlone"));
    }
    MDI frame;
    UiTest::show(&frame);
    DesktopPrintTarget target;
    target.print(pages(2), QStringLiteral("crptPrinted"));

    QStringList added = printedFiles();
    for (const QString &f : before) added.removeAll(f);
    QCOMPARE(added.size(), 2);
    QVERIFY2(added.at(0).endsWith(QStringLiteral("-crptAlone.pdf")), qPrintable(added.at(0)));
    QVERIFY2(added.at(1).endsWith(QStringLiteral("-crptPrinted.pdf")), qPrintable(added.at(1)));
    QCOMPARE(added.at(1).left(4).toInt(), added.at(0).left(4).toInt() + 1);
    const QString path = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/printed/") + added.at(1));
    QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("crptPrinted printed to ") + path);
    for (const QString &f : added) QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/printed/") + f);
}

void tst_viewer::browsesALongReportWhileItIsLaidOut() {
    ScopedFakes fakes;
    auto report = numberedReport(600);
    const Document whole = LayoutReport(*report);
    QVERIFY(whole.pageCount() > 8);
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showPages(std::make_shared<ShortSlices>(std::make_shared<PagedReport>(*report)));
    PagePreview *crv = viewer.previewWidget();

    // Part-way through the layout: the pages laid out so far are browsed; the count of
    // pages is not known yet.
    press(viewer, "btnNext");
    QCOMPARE(crv->currentPage(), 2);
    QCOMPARE(pageLabel(viewer)->text(), QStringLiteral("2 of ..."));
    QVERIFY(crv->pageCount() < whole.pageCount());
    press(viewer, "btnNext");
    press(viewer, "btnPrevious");
    QCOMPARE(crv->currentPage(), 2);
    press(viewer, "btnFirst");
    QCOMPARE(pageLabel(viewer)->text(), QStringLiteral("1 of ..."));

    // The last page waits for the rest of the layout.
    press(viewer, "btnLast");
    const int pages = whole.pageCount();
    QCOMPARE(crv->pageCount(), pages);
    QCOMPARE(crv->currentPage(), pages);
    QCOMPARE(pageLabel(viewer)->text(), QStringLiteral("%1 of %1").arg(pages));
    press(viewer, "btnNext");
    QCOMPARE(crv->currentPage(), pages);
    press(viewer, "btnPrevious");
    QCOMPARE(pageLabel(viewer)->text(), QStringLiteral("%1 of %2").arg(pages - 1).arg(pages));
    QCOMPARE(viewer.document().pageText(pages - 1), whole.pageText(pages - 1));
}

void tst_viewer::showsPageOneBeforeItsCountIsKnown() {
    ScopedFakes fakes;
    auto report = numberedReport(2000, QStringLiteral("'Page ' + PageNumber + ' of ' + TotalPages"));
    const Document whole = LayoutReport(*report);
    Viewer viewer;
    UiTest::show(&viewer);
    QString labelWhenShown;
    connect(&viewer, &Viewer::firstPageShown, &viewer, [&] { labelWhenShown = pageLabel(viewer)->text(); });
    viewer.showPages(std::make_shared<ShortSlices>(std::make_shared<PagedReport>(*report)));
    QTRY_VERIFY(viewer.hasShownFirstPage());
    QCOMPARE(labelWhenShown, QStringLiteral("1 of ..."));
    // Once the layout is done the page holds its count.
    QCOMPARE(viewer.document().pageText(0), whole.pageText(0));
    QVERIFY(whole.pageText(0).contains(QStringLiteral("Page 1 of %1").arg(whole.pageCount())));
    QCOMPARE(pageLabel(viewer)->text(), QStringLiteral("1 of %1").arg(whole.pageCount()));
}

void tst_viewer::longListingPrintsAndExportsEveryPage() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    for (int i = 1; i <= 500; ++i)
        db.exec(QStringLiteral("INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, BunID, "
                               "RailsPerBun, PiecesPerRail, Status) VALUES ('ZC-%1', 'Seat cushion core %1 with a "
                               "dacron wrap', 2, 20, 24, 'Straight Cut', '1845-76', 3, 12, 'Active')")
                    .arg(i, 3, 10, QLatin1Char('0')));
    Document listing;
    {
        CaptureTarget capture;
        PrintComponentListing();
        listing = capture.documents.value(0).document;
    }
    const int pages = listing.pageCount();
    QVERIFY(pages > 10);

    Viewer viewer;
    UiTest::show(&viewer);
    QSignalSpy shown(&viewer, &Viewer::firstPageShown);
    QString labelWhenShown;
    connect(&viewer, &Viewer::firstPageShown, &viewer, [&] { labelWhenShown = pageLabel(viewer)->text(); });
    {
        ViewerTarget target(viewer);
        PrintComponentListing();
    }
    // The listing prints "Page N of M": the first page shows before M is known, and the
    // count follows once every page is laid out.
    QTRY_VERIFY(viewer.hasShownFirstPage());
    QCOMPARE(labelWhenShown, QStringLiteral("1 of ..."));
    QTRY_COMPARE(pageLabel(viewer)->text(), QStringLiteral("1 of %1").arg(pages));
    QCOMPARE(shown.count(), 1);

    QTemporaryDir out;
    const QString printed = out.filePath(QStringLiteral("printed.pdf"));
    answerDialog<QPrintDialog>([printed](QPrintDialog *dialog) {
        UiTest::child<QLineEdit>(dialog, "filename")->setText(printed);
        dialog->accept();
    });
    press(viewer, "btnPrint");
    verifyEveryPage(printed, listing);

    const QString exported = out.filePath(QStringLiteral("exported.pdf"));
    answerDialog<QFileDialog>([exported](QFileDialog *dialog) {
        auto *name = UiTest::child<QLineEdit>(dialog, "fileNameEdit");
        name->setText(exported);
        QTest::keyClick(name, Qt::Key_Return);
    });
    press(viewer, "btnExport");
    verifyEveryPage(exported, listing);
    QCOMPARE(fakes.messages.texts(), QStringList{"The report was saved as " + QDir::toNativeSeparators(exported)});
}

QTEST_MAIN(tst_viewer)
#include "tst_viewer.moc"
