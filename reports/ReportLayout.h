#pragma once
// Lays a report out into a Document: bands placed top to bottom, never over the page
// footer; page and column headers repeated on every page; a group header kept with its
// first row; group and report sums taken over their rows whatever the pages; can-grow
// cells wrapped; "Page N of M" filled once the number of pages is known.

#include "reports/Document.h"

class Report;

Document LayoutReport(const Report &report);
