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
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
void applyPageLayout(QPrinter &printer, const Document &document) {
    const QPageSize size(document.landscape ? document.pageSize.transposed() : document.pageSize, QPageSize::Point,
                         QString(), QPageSize::FuzzyMatch);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(size, document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    printer.setDocName(document.templateName);
}

// Export PDF suggests the user's documents folder and the report's name: the template's
// name without its "crpt" prefix (crptCustomerListing gives CustomerListing.pdf).
QString suggestedPdfPath(const Document &document) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QString name = document.templateName;
    if (name.startsWith(QLatin1String("crpt"))) name.remove(0, 4);
    if (name.isEmpty()) name = QStringLiteral("Report");
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}
}  // namespace

Viewer::Viewer(QWidget *parent) : ChildWindow(parent) {
    setObjectName(QStringLiteral("Viewer"));
    setWindowTitle(QStringLiteral("Report Viewer"));

    m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);  // the preview draws; it never prints
    applyPageLayout(*m_printer, m_document);

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

    CRViewer = new QPrintPreviewWidget(m_printer.get(), this);
    CRViewer->setObjectName(QStringLiteral("CRViewer"));
    CRViewer->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(CRViewer, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { handler([this, printer] { CRViewer_PaintRequested(printer); })(); });
    connect(CRViewer, &QPrintPreviewWidget::previewChanged, this, [this] { updatePageLabel(); });

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

void Viewer::showDocument(const Document &document) {
    m_document = document;
    applyPageLayout(*m_printer, m_document);
    CRViewer->updatePreview();
    CRViewer->setCurrentPage(1);
    updatePageLabel();
}

void Viewer::CRViewer_PaintRequested(QPrinter *printer) {
    if (m_document.pageCount() == 0) return;
    PaintDocument(*printer, m_document);
}

void Viewer::btnFirst_Click() {
    CRViewer->setCurrentPage(1);
    updatePageLabel();
}

void Viewer::btnPrevious_Click() {
    CRViewer->setCurrentPage(std::max(1, CRViewer->currentPage() - 1));
    updatePageLabel();
}

void Viewer::btnNext_Click() {
    CRViewer->setCurrentPage(std::min(CRViewer->pageCount(), CRViewer->currentPage() + 1));
    updatePageLabel();
}

void Viewer::btnLast_Click() {
    CRViewer->setCurrentPage(CRViewer->pageCount());
    updatePageLabel();
}

void Viewer::btnZoomIn_Click() { CRViewer->zoomIn(); }

void Viewer::btnZoomOut_Click() { CRViewer->zoomOut(); }

void Viewer::btnFit_Click() { CRViewer->fitInView(); }

void Viewer::btnPrint_Click() {
    if (m_document.pageCount() == 0) return;
    QPrinter printer(QPrinter::HighResolution);
    applyPageLayout(printer, m_document);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print Report"));
    if (dialog.exec() != QDialog::Accepted) return;
    PaintDocument(printer, m_document);
}

void Viewer::btnExport_Click() {
    if (m_document.pageCount() == 0) return;
    QFileDialog dialog(this, QStringLiteral("Export to PDF"), QString(), QStringLiteral("PDF files (*.pdf)"));
    dialog.setObjectName(QStringLiteral("dlgExport"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggestedPdfPath(m_document));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    exportPdf(path);
    // Say where the file went, so the clerk can find it again.
    Seams::messages().tell(QStringLiteral("The report was saved as %1").arg(QDir::toNativeSeparators(path)),
                           QStringLiteral("Export PDF"));
}

void Viewer::exportPdf(const QString &path) {
    if (m_document.pageCount() == 0) return;
    WritePdf(m_document, path);
}

void Viewer::updatePageLabel() {
    auto *label = qobject_cast<QLabel *>(m_toolBar->widgetForAction(m_pageLabel));
    if (!label) return;
    const int count = m_document.pageCount();
    label->setText(count == 0 ? QString()
                              : QStringLiteral("%1 of %2").arg(std::max(1, CRViewer->currentPage())).arg(count));
}
