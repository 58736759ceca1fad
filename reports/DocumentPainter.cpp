#include "reports/DocumentPainter.h"

#include "core/AppError.h"
#include "reports/PageSource.h"

#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QVarLengthArray>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

QFont DocumentQFont(const DocumentFont &font) {
    QFont f(font.family);
    f.setPixelSize(std::max(1, int(std::lround(font.size * DecipointsPerPoint))));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    return f;
}

namespace {

// What the layout measures of one font again and again, kept for the run: the height of
// a line, the advances of the printable ASCII characters and the kerning of each pair of
// them (measured when first met), from which the width of a plain text is told without
// shaping it.
class FontMeasure {
    // Within this share of the line (and the ink past an advance) of its edge, a break
    // is not told from the plain advances: the text is laid out as it will be drawn.
    static constexpr double FitMargin = 0.0005;

public:
    explicit FontMeasure(const DocumentFont &font) : m_font(font), m_metrics(DocumentQFont(font)) {
        m_lineHeight = m_metrics.height() / DecipointsPerPoint;
        for (int c = 0; c < Printable; ++c) {
            m_advance[c] = m_metrics.horizontalAdvance(QChar(First + c));
            m_overhang[c] = std::max(0.0, -m_metrics.rightBearing(QChar(First + c)));
        }
        m_kerning.fill(std::numeric_limits<float>::quiet_NaN());
    }

    bool measures(const DocumentFont &font) const {
        return font.size == m_font.size && font.bold == m_font.bold && font.italic == m_font.italic &&
               font.family == m_font.family;
    }
    double lineHeight() const { return m_lineHeight; }

    // The lines WrapText made of a text at a width before (0 when not known). Listings
    // repeat their values (cut styles, buns, descriptions), so most are known.
    int knownLineCount(const QString &text, double widthPoints) const {
        const auto width = m_lineCounts.constFind(widthPoints);
        return width == m_lineCounts.constEnd() ? 0 : width->value(text);
    }
    void keepLineCount(const QString &text, double widthPoints, int lines) {
        if (++m_kept > KeptLineCounts) {
            m_lineCounts.clear();  // a long run of unrepeated texts: start afresh
            m_kept = 1;
        }
        m_lineCounts[widthPoints].insert(text, lines);
    }

    // The lines WrapText makes of the text at a width in decipoints, told from the plain
    // advances as QTextLayout breaks lines: word by word (a word ends at a blank or at a
    // line-break opportunity; blanks at the end of a line hang free) while the words
    // fit, and a line that starts with a word longer than itself cut between
    // characters. 0 when the text holds anything but printable ASCII characters (line
    // breaks, tabs, accents, other scripts) or starts with a blank, or when some break
    // falls too near the edge to be told this way.
    int plainLineCount(const QString &text, double lineWidth) {
        const int n = text.size();
        if (n > 0 && text.at(0) == QLatin1Char(' ')) return 0;
        // Each character's advance as shaped, its kerning with the next included. An f
        // with an f, i or l after it makes one glyph with it, which pairs do not tell.
        QVarLengthArray<double, 64> advance(n);
        int previous = -1;
        bool punctuation = false;
        for (int i = n - 1; i >= 0; --i) {
            const QChar ch = text.at(i);
            const int c = ch.unicode() - First;
            if (c < 0 || c >= Printable) return 0;
            if (c == 'f' - First && (previous == 'f' - First || previous == 'i' - First || previous == 'l' - First))
                return 0;
            punctuation = punctuation || !(ch.isLetterOrNumber() || ch == QLatin1Char(' '));
            advance[i] = m_advance[c] + (previous >= 0 ? kerning(c, previous) : 0.0);
            previous = c;
        }
        // Between letters and digits a line never breaks; other characters (hyphens,
        // slashes, brackets) may allow a break, as the Unicode line-breaking rules say.
        QVarLengthArray<bool, 64> breakBefore(n + 1);
        std::fill(breakBefore.begin(), breakBefore.end(), false);
        if (punctuation) {
            QTextBoundaryFinder opportunities(QTextBoundaryFinder::Line, text);
            for (int p = opportunities.toNextBoundary(); p >= 0; p = opportunities.toNextBoundary()) breakBefore[p] = true;
        }

        // A line fits when it does even to the end of its last character's ink, and is
        // too long when it is even without; between the two the layout decides.
        const double margin = lineWidth * FitMargin + 0.5;
        auto fits = [&](double width, int last) {
            return width + m_overhang[text.at(last).unicode() - First] <= lineWidth - margin;
        };
        auto over = [&](double width, int) { return width > lineWidth + margin; };
        auto isBlank = [&](int i) { return text.at(i) == QLatin1Char(' '); };

        int lines = 1;
        double used = 0, hanging = 0;  // the line's width to the end of its last word; the blanks after it
        bool empty = true;
        for (int start = 0; start < n;) {
            int end = start;
            double word = 0;
            do word += advance[end++];
            while (end < n && !isBlank(end) && !breakBefore[end]);
            double blanks = 0;
            int next = end;
            while (next < n && isBlank(next)) blanks += advance[next++];
            if (!empty) {
                const double width = used + hanging + word;
                if (fits(width, end - 1)) {
                    used = width;
                    hanging = blanks;
                    start = next;
                    continue;
                }
                if (!over(width, end - 1)) return 0;
                ++lines;
                used = hanging = 0;
            }
            if (fits(word, end - 1)) {
                used = word;
            } else if (over(word, end - 1)) {
                // Longer than a whole line: cut between characters.
                used = 0;
                for (int i = start; i < end; ++i) {
                    if (fits(used + advance[i], i)) {
                        used += advance[i];
                    } else if (over(used + advance[i], i) && used > 0) {
                        ++lines;
                        used = advance[i];
                    } else {
                        return 0;
                    }
                }
            } else {
                return 0;
            }
            hanging = blanks;
            empty = false;
            start = next;
        }
        return lines;
    }

private:
    static constexpr int First = 0x20, Printable = 0x7f - First;

    double kerning(int a, int b) {
        float &k = m_kerning[a * Printable + b];
        if (std::isnan(k)) {
            const QChar chars[2] = {QChar(First + a), QChar(First + b)};
            const QString pair(chars, 2);
            k = float(m_metrics.horizontalAdvance(pair) - m_advance[a] - m_advance[b]);
        }
        return k;
    }

    static constexpr int KeptLineCounts = 50000;

    DocumentFont m_font;
    QFontMetricsF m_metrics;
    QHash<double, QHash<QString, int>> m_lineCounts;
    int m_kept = 0;
    double m_lineHeight = 0;
    std::array<double, Printable> m_advance{};
    std::array<double, Printable> m_overhang{};  // how far each character's ink reaches past its advance
    std::array<float, Printable * Printable> m_kerning{};
};

FontMeasure &measureFor(const DocumentFont &font) {
    thread_local std::vector<std::unique_ptr<FontMeasure>> fonts;
    for (const auto &f : fonts)
        if (f->measures(font)) return *f;
    fonts.push_back(std::make_unique<FontMeasure>(font));
    return *fonts.back();
}

}  // namespace

double LineHeight(const DocumentFont &font) { return measureFor(font).lineHeight(); }

int WrappedLineCount(const QString &text, const DocumentFont &font, double widthPoints) {
    const double lineWidth = std::max(1.0, widthPoints * DecipointsPerPoint);
    FontMeasure &measure = measureFor(font);
    int lines = measure.plainLineCount(text, lineWidth);
    if (lines == 0) lines = measure.knownLineCount(text, widthPoints);
    if (lines == 0) {
        lines = WrapText(text, font, widthPoints, nullptr).size();
        measure.keepLineCount(text, widthPoints, lines);
    }
    return lines;
}

QStringList WrapText(const QString &text, const DocumentFont &font, double widthPoints, double *lineHeight) {
    const QFont qfont = DocumentQFont(font);
    const double height = QFontMetricsF(qfont).height() / DecipointsPerPoint;
    if (lineHeight) *lineHeight = height;
    QStringList lines;
    const QStringList paragraphs = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (const QString &paragraph : paragraphs) {
        if (paragraph.trimmed().isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, qfont);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) break;
            line.setLineWidth(std::max(1.0, widthPoints * DecipointsPerPoint));
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
    }
    while (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void PaintPage(QPainter &painter, const Document &document, int page) {
    if (page < 0 || page >= document.pages.size()) return;
    PaintPage(painter, document.pages.at(page));
}

void PaintPage(QPainter &painter, const DocumentPage &page) {
    painter.save();
    painter.scale(1.0 / DecipointsPerPoint, 1.0 / DecipointsPerPoint);
    const double k = DecipointsPerPoint;
    for (const DocumentItem &item : page.items) {
        const QRectF r(item.rect.x() * k, item.rect.y() * k, item.rect.width() * k, item.rect.height() * k);
        switch (item.kind) {
        case DocumentItem::Text: {
            painter.setPen(Qt::black);
            painter.setFont(DocumentQFont(item.font));
            painter.drawText(r, int(item.alignment) | Qt::AlignTop | Qt::TextSingleLine, item.text);
            break;
        }
        case DocumentItem::Line: {
            QPen pen(Qt::black);
            pen.setWidthF(item.lineWidth * k);
            painter.setPen(pen);
            painter.drawLine(QLineF(r.topLeft(), r.bottomRight()));
            break;
        }
        case DocumentItem::Box: {
            QPen pen(Qt::black);
            pen.setWidthF(item.lineWidth * k);
            painter.setPen(item.lineWidth > 0 ? pen : QPen(Qt::NoPen));
            painter.setBrush(item.filled ? QBrush(QColor(0xE4, 0xE4, 0xE4)) : QBrush(Qt::NoBrush));
            painter.drawRect(r);
            painter.setBrush(Qt::NoBrush);
            break;
        }
        }
    }
    painter.restore();
}

namespace {

// Sets the device's paper to the document's and draws pages 0 to count-1 on it, each
// through paintPage on a painter in points.
void paintPages(QPagedPaintDevice &device, const DocumentInfo &document, int count,
                const std::function<void(QPainter &, int)> &paintPage) {
    const QPageSize size(document.landscape ? document.pageSize.transposed() : document.pageSize,
                         QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    device.setPageLayout(QPageLayout(size, document.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&device))
        throw AppError(ErrorNumber::PrinterError, QStringLiteral("The printer could not start the document"));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double pointsToDevice = device.logicalDpiX() / 72.0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device.newPage())
            throw AppError(ErrorNumber::PrinterError, QStringLiteral("The printer could not start a new page"));
        painter.save();
        painter.scale(pointsToDevice, pointsToDevice);
        paintPage(painter, i);
        painter.restore();
    }
    painter.end();
}

// Writes a PDF file of the document's pages through paint.
void writePdf(const DocumentInfo &document, const QString &path, const std::function<void(QPdfWriter &)> &paint) {
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot write the file %1").arg(path));
    }
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Quelby"));
    writer.setTitle(document.templateName);
    writer.setResolution(600);
    paint(writer);
}

}  // namespace

void PaintDocument(QPagedPaintDevice &device, const Document &document) {
    paintPages(device, document, document.pageCount(),
               [&document](QPainter &painter, int i) { PaintPage(painter, document, i); });
}

void PaintPages(QPagedPaintDevice &device, PageSource &pages) {
    pages.finish();
    paintPages(device, pages.info(), pages.readyPages(),
               [&pages](QPainter &painter, int i) { PaintPage(painter, pages.page(i)); });
}

void WritePdf(const Document &document, const QString &path) {
    writePdf(document, path, [&document](QPdfWriter &writer) { PaintDocument(writer, document); });
}

void WritePdf(PageSource &pages, const QString &path) {
    pages.finish();
    writePdf(pages.info(), path, [&pages](QPdfWriter &writer) { PaintPages(writer, pages); });
}
