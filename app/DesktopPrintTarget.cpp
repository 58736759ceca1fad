#include "app/DesktopPrintTarget.h"

#include "app/MDI.h"
#include "app/Viewer.h"
#include "core/AppFolders.h"
#include "reports/DocumentPainter.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

DesktopPrintTarget::DesktopPrintTarget()
    : m_folder(AppFolders::OutputFolder(QStringLiteral("printed"))) {}

void DesktopPrintTarget::print(const Document &document, const QString &templateName) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        writePdf(document, templateName);
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(templateName);
    printer.setCopyCount(1);
    PaintDocument(printer, document);
}

void DesktopPrintTarget::preview(const Document &document, const QString &templateName) {
    previewPages(std::make_shared<DocumentPages>(document), templateName);
}

void DesktopPrintTarget::previewPages(std::shared_ptr<PageSource> pages, const QString &templateName) {
    if (MDI *frame = MDI::instance()) {
        if (Viewer *viewer = frame->open<Viewer>()) {
            viewer->showPages(std::move(pages));
            return;
        }
    }
    writePdf(pages->document(), templateName);
}

void DesktopPrintTarget::writePdf(const Document &document, const QString &templateName) {
    const QString path = m_folder.write(document, templateName);
    MDI::showStatus(QStringLiteral("%1 printed to %2").arg(templateName, QDir::toNativeSeparators(path)));
}

void InstallDesktopPrintTarget() {
    static DesktopPrintTarget target;
    Reports::setPrintTarget(&target);
}
