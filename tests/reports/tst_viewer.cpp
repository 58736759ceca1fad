// The report preview window and the desktop print target: a document shown page by
// page, navigation and zoom from the toolbar, the viewer filling the window at any
// size, a later preview replacing the report, and documents going to PDF files where
// the system has no printer.

#include "app/MDI.h"
#include "app/Viewer.h"
#include "app/DesktopPrintTarget.h"
#include "reports/ReportsMod.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

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

QTEST_MAIN(tst_viewer)
#include "tst_viewer.moc"
