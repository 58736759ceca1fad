#pragma once
// The report preview window: a previewed document shown page by page in CRViewer, with
// page navigation, zoom, printing (with the printer dialog) and export to PDF. A later
// preview replaces the document in the same window.

#include "widgets/ChildWindow.h"
#include "reports/Document.h"

#include <memory>

class QAction;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

class Viewer : public ChildWindow {
    Q_OBJECT
public:
    explicit Viewer(QWidget *parent = nullptr);
    ~Viewer() override;

    // Shows a rendered document, replacing the one shown before.
    void showDocument(const Document &document);
    const Document &document() const { return m_document; }
    // Writes the shown document to a PDF file at the given path. Nothing is written while
    // no document is shown. The toolbar's "Export PDF..." asks for the path first,
    // suggesting the user's documents folder and the report's name, and afterwards says
    // where the file went.
    void exportPdf(const QString &path);
    QPrintPreviewWidget *previewWidget() const { return CRViewer; }

private:
    void CRViewer_PaintRequested(QPrinter *printer);
    void btnFirst_Click();
    void btnPrevious_Click();
    void btnNext_Click();
    void btnLast_Click();
    void btnZoomIn_Click();
    void btnZoomOut_Click();
    void btnFit_Click();
    void btnPrint_Click();
    void btnExport_Click();
    void updatePageLabel();
    QAction *addCommand(const QString &name, const QString &caption, const QString &tip, void (Viewer::*slot)());

    Document m_document;
    std::unique_ptr<QPrinter> m_printer;
    QToolBar *m_toolBar = nullptr;
    QPrintPreviewWidget *CRViewer = nullptr;
    QAction *m_pageLabel = nullptr;
};
