#include "app/Viewer.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "reports/DocumentPainter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Pixels between the pages, and around them.
constexpr int Gap = 10;
// How long one slice of layout may hold the event loop.
constexpr int SliceMs = 40;

void applyPageLayout(QPrinter &printer, const DocumentInfo &document) {
    const QPageSize size(document.landscape ? document.pageSize.transposed() : document.pageSize, QPageSize::Point,
                         QString(), QPageSize::FuzzyMatch);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(size, document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    printer.setDocName(document.templateName);
}

// Export PDF suggests the user's documents folder and the report's name: the template's
// name without its "crpt" prefix (crptCustomerListing gives CustomerListing.pdf).
QString suggestedPdfPath(const DocumentInfo &document) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QString name = document.templateName;
    if (name.startsWith(QLatin1String("crpt"))) name.remove(0, 4);
    if (name.isEmpty()) name = QStringLiteral("Report");
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

}  // namespace

// ---------------------------------------------------------------------------------------

PagePreview::PagePreview(QWidget *parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void PagePreview::setPages(std::shared_ptr<PageSource> pages) {
    m_pages = std::move(pages);
    m_items.clear();
    m_final = 0;
    m_shown = -1;
    m_firstShown = false;
    m_current = 0;
    refresh();
    scrollToPage(1);
}

void PagePreview::refresh() {
    // Pages made before their count of pages was known are made again.
    const int final = m_pages ? m_pages->readyPages() : 0;
    bool redraw = m_shown < 0;
    for (; m_final < final; ++m_final) redraw = m_items.remove(m_final) || redraw;
    // Pages laid out below the view leave it as it is.
    const int before = std::max(0, m_shown);
    m_shown = pageCount();
    redraw = redraw || (m_shown != before && pageTop(before) - verticalScrollBar()->value() < viewport()->height());
    updateScrollBars();
    if (m_current == 0 && pageCount() > 0) m_current = 1;
    if (redraw) viewport()->update();
}

int PagePreview::pageCount() const { return m_pages ? m_pages->laidOutPages() : 0; }

void PagePreview::setCurrentPage(int page) {
    if (pageCount() == 0) return;
    scrollToPage(std::clamp(page, 1, pageCount()));
}

void PagePreview::scrollToPage(int page) {
    if (page < 1 || page > pageCount()) return;
    m_current = page;
    m_scrolling = true;
    verticalScrollBar()->setValue(pageTop(page - 1) - Gap);
    m_scrolling = false;
    emit currentPageChanged(m_current);
}

void PagePreview::setZoomMode(ZoomMode mode) {
    m_mode = mode;
    const int page = m_current;
    updateScrollBars();
    scrollToPage(page);
    viewport()->update();
}

qreal PagePreview::zoomFactor() const {
    const double dpiScale = logicalDpiX() / 72.0;
    const QSizeF page = pagePoints() * dpiScale;
    const double fitWidth = std::max(1, viewport()->width() - 2 * Gap) / page.width();
    switch (m_mode) {
    case FitToWidth: return fitWidth;
    case FitInView: return std::min(fitWidth, std::max(1, viewport()->height() - 2 * Gap) / page.height());
    case CustomZoom: break;
    }
    return m_zoom;
}

void PagePreview::zoomIn(qreal factor) {
    m_zoom = zoomFactor() * factor;
    setZoomMode(CustomZoom);
}

void PagePreview::zoomOut(qreal factor) {
    m_zoom = zoomFactor() / factor;
    setZoomMode(CustomZoom);
}

QSizeF PagePreview::pagePoints() const {
    if (!m_pages) return QSizeF(612, 792);
    const DocumentInfo &info = m_pages->info();
    return info.landscape ? info.pageSize.transposed() : info.pageSize;
}

double PagePreview::pixelsPerPoint() const { return zoomFactor() * logicalDpiX() / 72.0; }

QSize PagePreview::pagePixels() const {
    const QSizeF size = pagePoints() * pixelsPerPoint();
    return QSize(std::max(1, int(std::lround(size.width()))), std::max(1, int(std::lround(size.height()))));
}

int PagePreview::pageTop(int index) const { return Gap + index * (pagePixels().height() + Gap); }

int PagePreview::pageLeft() const {
    const int width = pagePixels().width() + 2 * Gap;
    return (width < viewport()->width() ? (viewport()->width() - width) / 2 : -horizontalScrollBar()->value()) + Gap;
}

void PagePreview::updateScrollBars() {
    const QSize page = pagePixels();
    const QSize view = viewport()->size();
    const int height = pageCount() * (page.height() + Gap) + Gap;
    m_scrolling = true;
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, page.width() + 2 * Gap - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    m_scrolling = false;
}

void PagePreview::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    const int page = m_current;
    updateScrollBars();
    if (page > 0) scrollToPage(page);
}

void PagePreview::scrollContentsBy(int, int) {
    viewport()->update();
    if (m_scrolling || pageCount() == 0) return;
    // Scrolled by hand: the page at the middle of the view is the current one.
    const int stride = pagePixels().height() + Gap;
    const int middle = verticalScrollBar()->value() + viewport()->height() / 2 - Gap;
    const int page = std::clamp(middle / stride + 1, 1, pageCount());
    if (page != m_current) {
        m_current = page;
        emit currentPageChanged(m_current);
    }
}

const DocumentPage &PagePreview::itemsOf(int index) {
    if (const DocumentPage *kept = m_items.object(index)) return *kept;
    auto *page = new DocumentPage;
    try {
        *page = m_pages->page(index);
    } catch (const AppError &e) {
        // Never out of a paint event: said once the painting is over.
        QTimer::singleShot(0, this, [e] { ReportFailure(e); });
    }
    m_items.insert(index, page);
    return *m_items.object(index);
}

void PagePreview::paintEvent(QPaintEvent *) {
    QPainter painter(viewport());
    const int count = pageCount();
    if (count == 0) {
        if (m_pages && !m_pages->finished())
            painter.drawText(viewport()->rect(), Qt::AlignCenter, QStringLiteral("Laying out the report..."));
        return;
    }
    const QSize size = pagePixels();
    const int stride = size.height() + Gap;
    const int scroll = verticalScrollBar()->value();
    const int first = std::max(0, (scroll - Gap) / stride);
    const int last = std::min(count - 1, (scroll + viewport()->height()) / stride);
    const double scale = pixelsPerPoint();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int i = first; i <= last; ++i) {
        const QRect page(pageLeft(), pageTop(i) - scroll, size.width(), size.height());
        painter.fillRect(page.translated(3, 3), QColor(0, 0, 0, 90));
        painter.fillRect(page, Qt::white);
        painter.save();
        painter.translate(page.topLeft());
        painter.scale(scale, scale);
        PaintPage(painter, itemsOf(i));
        painter.restore();
    }
    if (first == 0 && !m_firstShown) {
        m_firstShown = true;
        emit firstPageShown();
    }
}

// ---------------------------------------------------------------------------------------

Viewer::Viewer(QWidget *parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("Viewer"));
    setWindowTitle(QStringLiteral("Report Viewer"));

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbViewer"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addCommand(QStringLiteral("btnFirst"), QStringLiteral("|<"), QStringLiteral("First page"), &Viewer::btnFirst_Click);
    addCommand(QStringLiteral("btnPrevious"), QStringLiteral("<"), QStringLiteral("Previous page"), &Viewer::btnPrevious_Click);
    auto *label = new QLabel(m_toolBar);
    label->setObjectName(QStringLiteral("lblPage"));
    label->setMinimumWidth(70);
    label->setAlignment(Qt::AlignCenter);
    m_pageLabel = m_toolBar->addWidget(label);
    addCommand(QStringLiteral("btnNext"), QStringLiteral(">"), QStringLiteral("Next page"), &Viewer::btnNext_Click);
    addCommand(QStringLiteral("btnLast"), QStringLiteral(">|"), QStringLiteral("Last page"), &Viewer::btnLast_Click);
    m_toolBar->addSeparator();
    addCommand(QStringLiteral("btnZoomIn"), QStringLiteral("Zoom In"), QStringLiteral("Zoom in"), &Viewer::btnZoomIn_Click);
    addCommand(QStringLiteral("btnZoomOut"), QStringLiteral("Zoom Out"), QStringLiteral("Zoom out"), &Viewer::btnZoomOut_Click);
    addCommand(QStringLiteral("btnFit"), QStringLiteral("Fit Page"), QStringLiteral("Show the whole page"), &Viewer::btnFit_Click);
    m_toolBar->addSeparator();
    addCommand(QStringLiteral("btnPrint"), QStringLiteral("Print..."), QStringLiteral("Print the report"), &Viewer::btnPrint_Click);
    addCommand(QStringLiteral("btnExport"), QStringLiteral("Export PDF..."), QStringLiteral("Save the report as a PDF file"),
               &Viewer::btnExport_Click);

    CRViewer = new PagePreview(this);
    CRViewer->setObjectName(QStringLiteral("CRViewer"));
    connect(CRViewer, &PagePreview::currentPageChanged, this, [this] { updatePageLabel(); });
    connect(CRViewer, &PagePreview::firstPageShown, this, &Viewer::firstPageShown);

    m_layoutTimer = new QTimer(this);
    m_layoutTimer->setInterval(0);
    connect(m_layoutTimer, &QTimer::timeout, this, handler([this] { layOutSlice(); }));

    // The toolbar and the viewer fill the window without any margin, whatever its size.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(CRViewer, 1);

    setClientTwips(11205, 10245, true);
    updatePageLabel();
}

Viewer::~Viewer() = default;

QAction *Viewer::addCommand(const QString &name, const QString &caption, const QString &tip, void (Viewer::*slot)()) {
    QAction *action = m_toolBar->addAction(caption);
    action->setObjectName(name);
    action->setToolTip(tip);
    if (QWidget *button = m_toolBar->widgetForAction(action)) button->setObjectName(name);
    connect(action, &QAction::triggered, this, handler([this, slot] { (this->*slot)(); }));
    return action;
}

void Viewer::showDocument(const Document &document) { showPages(std::make_shared<DocumentPages>(document)); }

void Viewer::showPages(std::shared_ptr<PageSource> pages) {
    m_layoutTimer->stop();
    m_whole.reset();
    m_pages = std::move(pages);
    CRViewer->setPages(m_pages);
    layOutSlice();
}

// One slice of layout; the next runs from the event loop until every page is laid out.
// Until the first page can be shown the slice ends as soon as it can, so that it is shown
// at once.
void Viewer::layOutSlice() {
    if (!m_pages) return;
    bool done = true;
    try {
        if (m_pages->laidOutPages() > 0) {
            done = m_pages->layOutFor(SliceMs);
        } else {
            QElapsedTimer clock;
            clock.start();
            do done = m_pages->layOutFor(0);
            while (!done && m_pages->laidOutPages() == 0 && clock.elapsed() < SliceMs);
        }
    } catch (...) {
        m_layoutTimer->stop();
        CRViewer->viewport()->unsetCursor();
        throw;
    }
    if (done) {
        m_layoutTimer->stop();
        CRViewer->viewport()->unsetCursor();
    } else if (!m_layoutTimer->isActive()) {
        m_layoutTimer->start();
        CRViewer->viewport()->setCursor(Qt::BusyCursor);
    }
    layoutProgressed();
}

void Viewer::layoutProgressed() const {
    CRViewer->refresh();
    updatePageLabel();
}

// Lays out until the page (from 1) can be shown, or there is no such page.
void Viewer::layOutThrough(int page) {
    if (!m_pages || m_pages->laidOutPages() >= page || m_pages->finished()) return;
    BusyCursor busy;
    m_pages->layOutThrough(page - 1);
    if (m_pages->finished()) {
        m_layoutTimer->stop();
        CRViewer->viewport()->unsetCursor();
    }
    layoutProgressed();
}

void Viewer::finishLayout() const {
    if (!m_pages || m_pages->finished()) return;
    BusyCursor busy;
    m_pages->finish();
    m_layoutTimer->stop();
    CRViewer->viewport()->unsetCursor();
    layoutProgressed();
}

bool Viewer::hasPages() const {
    finishLayout();
    return m_pages && m_pages->readyPages() > 0;
}

const Document &Viewer::document() const {
    if (!m_whole) {
        finishLayout();
        m_whole = std::make_unique<Document>(m_pages ? m_pages->document() : Document());
    }
    return *m_whole;
}

void Viewer::btnFirst_Click() {
    layOutThrough(1);
    CRViewer->setCurrentPage(1);
}

void Viewer::btnPrevious_Click() {
    layOutThrough(1);
    CRViewer->setCurrentPage(std::max(1, CRViewer->currentPage() - 1));
}

void Viewer::btnNext_Click() {
    const int next = CRViewer->currentPage() + 1;
    layOutThrough(next);
    CRViewer->setCurrentPage(std::min(CRViewer->pageCount(), next));
}

void Viewer::btnLast_Click() {
    finishLayout();
    CRViewer->setCurrentPage(CRViewer->pageCount());
}

void Viewer::btnZoomIn_Click() { CRViewer->zoomIn(); }

void Viewer::btnZoomOut_Click() { CRViewer->zoomOut(); }

void Viewer::btnFit_Click() { CRViewer->fitInView(); }

void Viewer::btnPrint_Click() {
    if (!hasPages()) return;
    QPrinter printer(QPrinter::HighResolution);
    applyPageLayout(printer, m_pages->info());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print Report"));
    if (dialog.exec() != QDialog::Accepted) return;
    BusyCursor busy;
    PaintPages(printer, *m_pages);
}

void Viewer::btnExport_Click() {
    if (!hasPages()) return;
    QFileDialog dialog(this, QStringLiteral("Export to PDF"), QString(), QStringLiteral("PDF files (*.pdf)"));
    dialog.setObjectName(QStringLiteral("dlgExport"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggestedPdfPath(m_pages->info()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    exportPdf(path);
    // Say where the file went, so the clerk can find it again.
    Seams::messages().tell(QStringLiteral("The report was saved as %1").arg(QDir::toNativeSeparators(path)),
                           QStringLiteral("Export PDF"));
}

void Viewer::exportPdf(const QString &path) {
    if (!hasPages()) return;
    BusyCursor busy;
    WritePdf(*m_pages, path);
}

void Viewer::updatePageLabel() const {
    auto *label = qobject_cast<QLabel *>(m_toolBar->widgetForAction(m_pageLabel));
    if (!label) return;
    const int count = CRViewer->pageCount();
    if (count == 0) {
        label->clear();
        return;
    }
    // The count of pages is shown once it is known.
    const QString page = QString::number(std::max(1, CRViewer->currentPage()));
    label->setText(m_pages->finished() ? QStringLiteral("%1 of %2").arg(page).arg(count)
                                       : QStringLiteral("%1 of ...").arg(page));
}
