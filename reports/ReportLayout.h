#pragma once
// Lays a report out into a Document: bands placed top to bottom, never over the page
// footer; page and column headers repeated on every page, group headers where the
// template asks; a group header kept with its first row; sections and cells shown by
// their visibility formulas; new pages and page numbers restarted per group where the
// template asks; linked subreports showing the rows of their band's row; group and
// report sums taken over their rows whatever the pages; can-grow cells wrapped, and
// what lies below them (or below a subreport) in their band moved down with them;
// "Page N of M" filled once the number of pages is known ("Page 1 of ..." on a page made
// before). The work grows with the number of rows, never with its square. A report
// whose rows come from a stream (RowStream.h) reads them as the layout reaches them, so
// its first page is laid out before its last row is read.
//
// The layout runs in two steps. Placing the bands measures each band's height and
// notes, page by page, which band of which row goes where; it can run a slice at a
// time. Making a page then renders the bands noted for it, with its page number and
// its count of pages, so a page's items exist only while the page is drawn or kept.

#include "reports/PageSource.h"

#include <memory>

class Report;

Document LayoutReport(const Report &report);

// A report laid out a slice at a time for the preview window. It works on a snapshot
// of the report, so the builder may let the report go at once.
class PagedReport : public PageSource {
public:
    explicit PagedReport(const Report &report);
    ~PagedReport() override;

    const DocumentInfo &info() const override;
    bool layOutFor(int milliseconds) override;
    bool finished() const override;
    int pageCount() const override;
    int readyPages() const override;
    int laidOutPages() const override;
    DocumentPage page(int n) const override;

private:
    struct Layout;
    std::unique_ptr<Layout> d;
};
