#pragma once
// The report preview window: a previewed report shown page by page in CRViewer, with
// page navigation, zoom, printing (with the printer dialog) and export to PDF. A later
// preview replaces the report in the same window.
//
// A long report shows its first pages while the rest are laid out a slice at a time on
// the event loop; only the pages in view are drawn. Where the report prints its number
// of pages, a page shown before that number is known says "Page 1 of ..." and is drawn
// again with the number once the layout knows it. Going to the last page, printing and
// exporting finish the layout first.

#include "widgets/ChildWindow.h"
#include "reports/PageSource.h"

#include <QAbstractScrollArea>
#include <QCache>
#include <memory>

class QAction;
class QPrinter;
class QTimer;
class QToolBar;

// The pages of the shown report one under the other in a scrolled area, each drawn
// through the document painter when it comes into view, at the zoom chosen.
class PagePreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum ZoomMode { CustomZoom, FitToWidth, FitInView };

    explicit PagePreview(QWidget *parent = nullptr);

    // Shows these pages from the first on.
    void setPages(std::shared_ptr<PageSource> pages);
    // Takes in the pages that have become ready since.
    void refresh();
    // The pages laid out so far (every page once the layout has finished).
    int pageCount() const;
    // The page in view, from 1 (0 while none is shown).
    int currentPage() const { return m_current; }
    void setCurrentPage(int page);

    ZoomMode zoomMode() const { return m_mode; }
    void setZoomMode(ZoomMode mode);
    // 1 shows a page at its printed size.
    qreal zoomFactor() const;
    void zoomIn(qreal factor = 1.1);
    void zoomOut(qreal factor = 1.1);
    void fitInView() { setZoomMode(FitInView); }
    void fitToWidth() { setZoomMode(FitToWidth); }

    bool hasShownFirstPage() const { return m_firstShown; }

signals:
    void currentPageChanged(int page);
    // The first page of the pages set last has been painted.
    void firstPageShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF pagePoints() const;
    double pixelsPerPoint() const;
    QSize pagePixels() const;
    int pageTop(int index) const;
    int pageLeft() const;
    void updateScrollBars();
    void scrollToPage(int page);
    const DocumentPage &itemsOf(int index);

    std::shared_ptr<PageSource> m_pages;
    QCache<int, DocumentPage> m_items{12};  // the items of the pages drawn last
    int m_final = 0;  // pages before this one were final when their items were kept
    int m_shown = -1;  // pages laid out when the view was last brought up to date
    ZoomMode m_mode = FitToWidth;
    qreal m_zoom = 1.0;  // the zoom chosen, in CustomZoom
    int m_current = 0;
    bool m_firstShown = false;
    bool m_scrolling = false;  // the preview itself is scrolling to a page
};

class Viewer : public ChildWindow {
    Q_OBJECT
public:
    explicit Viewer(QWidget *parent = nullptr);
    ~Viewer() override;

    // Shows a rendered document, replacing the one shown before.
    void showDocument(const Document &document);
    // Shows a report whose pages are laid out and made as they are shown, replacing the
    // one shown before. Its first slice of layout runs at once, the rest on the event
    // loop.
    void showPages(std::shared_ptr<PageSource> pages);
    // The whole shown document with every page made; the layout is finished first.
    const Document &document() const;
    // Writes the shown document to a PDF file at the given path. Nothing is written while
    // no document is shown. The toolbar's "Export PDF..." asks for the path first,
    // suggesting the user's documents folder and the report's name, and afterwards says
    // where the file went.
    void exportPdf(const QString &path);
    PagePreview *previewWidget() const { return CRViewer; }
    // True once the first page of the report shown last has been painted on screen.
    bool hasShownFirstPage() const { return CRViewer->hasShownFirstPage(); }
    // True once every page of the report shown last is laid out.
    bool layoutFinished() const { return !m_pages || m_pages->finished(); }

signals:
    // The first page of a report just shown has been painted on screen.
    void firstPageShown();

private:
    void btnFirst_Click();
    void btnPrevious_Click();
    void btnNext_Click();
    void btnLast_Click();
    void btnZoomIn_Click();
    void btnZoomOut_Click();
    void btnFit_Click();
    void btnPrint_Click();
    void btnExport_Click();
    void layOutSlice();
    void layOutThrough(int page);
    void finishLayout() const;
    void layoutProgressed() const;
    bool hasPages() const;
    void updatePageLabel() const;
    QAction *addCommand(const QString &name, const QString &caption, const QString &tip, void (Viewer::*slot)());

    std::shared_ptr<PageSource> m_pages;
    mutable std::unique_ptr<Document> m_whole;  // made when document() is first asked for
    QTimer *m_layoutTimer = nullptr;
    QToolBar *m_toolBar = nullptr;
    PagePreview *CRViewer = nullptr;
    QAction *m_pageLabel = nullptr;
};
