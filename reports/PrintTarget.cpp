#include "reports/PrintTarget.h"

#include "core/AppFolders.h"
#include "reports/PageSource.h"
#include "reports/PdfFolderTarget.h"

#include <memory>

namespace {
PrintTarget *g_installed = nullptr;

// Without an installed target documents are not lost: they become PDF files in
// printed/ beside the executable (or under the documents folder, see AppFolders).
PrintTarget &fallbackTarget() {
    static std::unique_ptr<PdfFolderTarget> target;
    if (!target)
        target = std::make_unique<PdfFolderTarget>(AppFolders::OutputFolder(QStringLiteral("printed")));
    return *target;
}
}  // namespace

void PrintTarget::previewPages(std::shared_ptr<PageSource> pages, const QString &templateName) {
    preview(pages->document(), templateName);
}

namespace Reports {

PrintTarget &printTarget() { return g_installed ? *g_installed : fallbackTarget(); }

void setPrintTarget(PrintTarget *target) { g_installed = target; }

}  // namespace Reports
