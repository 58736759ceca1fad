#pragma once
// Lays a report out into a Document: bands placed top to bottom, never over the page
// footer; page and column headers repeated on every page, group headers where the
// template asks; a group header kept with its first row; sections and cells shown by
// their visibility formulas; new pages and page numbers restarted per group where the
// template asks; linked subreports showing the rows of their band's row; group and
// report sums taken over their rows whatever the pages; can-grow cells wrapped;
// "Page N of M" filled once the number of pages is known. The work grows with the
// number of rows, never with its square.

#include "reports/Document.h"

class Report;

Document LayoutReport(const Report &report);
