#pragma once
// Where finished documents go. The desktop installs a target that prints on the default
// printer and previews in the Viewer; quelby-admin installs one that writes PDF files;
// tests install a capture target that records every document.

#include <QString>
#include <memory>

class Document;
class PageSource;

class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // One printed copy of a document made from the named template.
    virtual void print(const Document &document, const QString &templateName) = 0;
    // A document shown to the user in the preview window.
    virtual void preview(const Document &document, const QString &templateName) = 0;
    // A report shown in the preview window, its pages laid out and made as they are
    // shown. A target without a window of its own takes the whole document.
    virtual void previewPages(std::shared_ptr<PageSource> pages, const QString &templateName);
};

namespace Reports {
// The run-wide target. Until one is installed, documents become PDF files in printed/
// beside the executable.
PrintTarget &printTarget();
// Installs a target (not owned); nullptr restores the default.
void setPrintTarget(PrintTarget *target);
}  // namespace Reports
