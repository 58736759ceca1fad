#pragma once
// The one painter routine for rendered documents: the printer, PDF files and the
// preview all draw each page through PaintPage. It needs a QGuiApplication (fonts).

#include "reports/Document.h"

#include <QFont>
#include <QString>
#include <QStringList>

class PageSource;
class QPagedPaintDevice;
class QPainter;

// Drawing works in tenths of a point; fonts are sized in those units so that a document
// measures and paints alike on every device.
constexpr double DecipointsPerPoint = 10.0;
QFont DocumentQFont(const DocumentFont &font);

// The lines a text takes when wrapped at a width in points (words kept whole where
// they fit; explicit line breaks kept), and the height of one line in points.
QStringList WrapText(const QString &text, const DocumentFont &font, double widthPoints, double *lineHeight);
// The height of one line of the font, in points.
double LineHeight(const DocumentFont &font);
// How many lines WrapText makes of the text, told without laying it out where the text
// plainly fits on one line (the layout asks this of every growing cell of every row).
int WrappedLineCount(const QString &text, const DocumentFont &font, double widthPoints);

// Draws one page on a painter whose origin is the page's top-left corner and whose
// unit is one point.
void PaintPage(QPainter &painter, const DocumentPage &page);
void PaintPage(QPainter &painter, const Document &document, int page);
// Sets the device's page size and orientation to the document's and draws every page.
void PaintDocument(QPagedPaintDevice &device, const Document &document);
// The same for pages made as they are drawn: the layout is finished first, and each
// page is made, drawn and let go in turn.
void PaintPages(QPagedPaintDevice &device, PageSource &pages);
// Writes the document as a PDF file; a file that cannot be written throws AppError.
void WritePdf(const Document &document, const QString &path);
void WritePdf(PageSource &pages, const QString &path);
