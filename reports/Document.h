#pragma once
// A rendered report: pages of positioned text, lines and boxes, in points (1/72 inch).
// The report engine renders a template once into a Document; one painter routine
// (DocumentPainter.h) draws it on a printer, into a PDF and in the preview.

#include <QPair>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

struct DocumentFont {
    QString family;
    double size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct DocumentItem {
    enum Kind { Text, Line, Box };
    Kind kind = Text;
    QRectF rect;             // text and box: the area; line: from topLeft to bottomRight
    QString text;            // one line of text (a wrapped cell gives one item per line)
    DocumentFont font;
    int alignment = 0;       // Qt::Alignment flags (horizontal part)
    double lineWidth = 0.5;  // points, for lines and boxes
    bool filled = false;     // box: filled with a light grey shade
};

struct DocumentPage {
    QVector<DocumentItem> items;
};

// What a rendered report is besides its pages: its template, its paper, and what the
// builder did to the report before this copy was rendered, in order.
struct DocumentInfo {
    QString templateName;
    QSizeF pageSize{612, 792};  // points, as oriented (Letter portrait by default)
    bool landscape = false;
    QVector<QPair<QString, QString>> textsSet;
    QStringList hidden;
};

class Document : public DocumentInfo {
public:
    QVector<DocumentPage> pages;

    int pageCount() const { return pages.size(); }
    // The texts of page n (0-based), in reading order: top to bottom, then left to right.
    QStringList pageText(int n) const;
    // Page n as lines of text: the items that share a line, left to right, joined by " | ".
    QStringList pageLines(int n) const;
    // Every page's lines, pages separated by an empty line; handy in test failures.
    QString plainText() const;
};
