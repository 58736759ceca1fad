#include "reports/DocumentPainter.h"

#include "core/AppError.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <cmath>

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

double LineHeight(const DocumentFont &font) {
    return QFontMetricsF(DocumentQFont(font)).height() / DecipointsPerPoint;
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
    painter.save();
    painter.scale(1.0 / DecipointsPerPoint, 1.0 / DecipointsPerPoint);
    const double k = DecipointsPerPoint;
    for (const DocumentItem &item : document.pages.at(page).items) {
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

void PaintDocument(QPagedPaintDevice &device, const Document &document) {
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
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0 && !device.newPage())
            throw AppError(ErrorNumber::PrinterError, QStringLiteral("The printer could not start a new page"));
        painter.save();
        painter.scale(pointsToDevice, pointsToDevice);
        PaintPage(painter, document, i);
        painter.restore();
    }
    painter.end();
}

void WritePdf(const Document &document, const QString &path) {
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly))
            throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot write the file %1").arg(path));
    }
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Quelby"));
    writer.setTitle(document.templateName);
    writer.setResolution(600);
    PaintDocument(writer, document);
}
