#pragma once
// The desktop's print target: printed documents go to the system's default printer
// without a dialog, previewed ones to the Viewer inside the main window. Where the
// system has no printer (or no main window is open to preview in), each document
// becomes a PDF in printed/ (beside the executable where it can be written, see
// AppFolders) and the status bar says where.

#include "reports/PdfFolderTarget.h"
#include "reports/PrintTarget.h"

class DesktopPrintTarget : public PrintTarget {
public:
    DesktopPrintTarget();
    void print(const Document &document, const QString &templateName) override;
    void preview(const Document &document, const QString &templateName) override;
    void previewPages(std::shared_ptr<PageSource> pages, const QString &templateName) override;

private:
    void writePdf(const Document &document, const QString &templateName);
    PdfFolderTarget m_folder;
};

// Installs the desktop target as the run-wide print target (start-up calls it).
void InstallDesktopPrintTarget();
