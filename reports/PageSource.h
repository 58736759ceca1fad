#pragma once
// Pages to show, print or export, made when they are asked for. A rendered Document is
// one (DocumentPages); a previewed report is another (PagedReport, ReportLayout.h): it
// lays its pages out a slice at a time and makes a page's items only when the page is
// drawn, so a long listing shows its first page long before its last is laid out.

#include "reports/Document.h"

class PageSource {
public:
    virtual ~PageSource() = default;

    virtual const DocumentInfo &info() const = 0;
    // Goes on laying pages out for about the given time (at least a little way);
    // true once every page is laid out.
    virtual bool layOutFor(int milliseconds) = 0;
    virtual bool finished() const = 0;
    // Pages laid out so far; every page once finished.
    virtual int pageCount() const = 0;
    // How many pages, from the first, are final: laid out and, where the report prints
    // its number of pages ("Page 3 of 12"), with that number known.
    virtual int readyPages() const = 0;
    // How many pages, from the first, are laid out and can be shown now: a page beyond
    // the ready ones shows "..." for the number of pages ("Page 3 of ...") and is made
    // again, final, once that number is known.
    virtual int laidOutPages() const { return readyPages(); }
    // The items of page n (0-based), one of the pages laid out.
    virtual DocumentPage page(int n) const = 0;

    // Lays out whatever is left.
    void finish();
    // Lays out until page n (0-based) can be shown, or no such page exists.
    void layOutThrough(int n);
    // The whole document: every page made (the layout is finished first).
    Document document();
};

// The pages of a document already rendered whole.
class DocumentPages : public PageSource {
public:
    explicit DocumentPages(Document document) : m_document(std::move(document)) {}
    const DocumentInfo &info() const override { return m_document; }
    bool layOutFor(int) override { return true; }
    bool finished() const override { return true; }
    int pageCount() const override { return m_document.pageCount(); }
    int readyPages() const override { return m_document.pageCount(); }
    DocumentPage page(int n) const override { return m_document.pages.value(n); }

private:
    Document m_document;
};
