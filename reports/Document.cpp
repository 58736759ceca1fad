#include "reports/Document.h"

#include <algorithm>
#include <cmath>

namespace {

// Items closer than this (in points) vertically are read as one line.
constexpr double LineTolerance = 1.0;

// The text items of a page grouped into lines (tops within the tolerance of the line's
// first item), lines top to bottom, items in a line left to right.
QVector<QVector<const DocumentItem *>> textLines(const DocumentPage &page) {
    QVector<const DocumentItem *> items;
    for (const DocumentItem &item : page.items)
        if (item.kind == DocumentItem::Text && !item.text.isEmpty()) items.append(&item);
    std::stable_sort(items.begin(), items.end(), [](const DocumentItem *a, const DocumentItem *b) {
        return a->rect.top() < b->rect.top();
    });
    QVector<QVector<const DocumentItem *>> lines;
    double lineTop = 0;
    for (const DocumentItem *item : items) {
        if (lines.isEmpty() || item->rect.top() - lineTop > LineTolerance) {
            lines.append(QVector<const DocumentItem *>());
            lineTop = item->rect.top();
        }
        lines.last().append(item);
    }
    for (auto &line : lines)
        std::stable_sort(line.begin(), line.end(), [](const DocumentItem *a, const DocumentItem *b) {
            return a->rect.left() < b->rect.left();
        });
    return lines;
}

}  // namespace

QStringList Document::pageText(int n) const {
    QStringList texts;
    if (n < 0 || n >= pages.size()) return texts;
    for (const auto &line : textLines(pages.at(n)))
        for (const DocumentItem *item : line) texts.append(item->text);
    return texts;
}

QStringList Document::pageLines(int n) const {
    QStringList lines;
    if (n < 0 || n >= pages.size()) return lines;
    for (const auto &line : textLines(pages.at(n))) {
        QStringList parts;
        for (const DocumentItem *item : line) parts.append(item->text);
        lines.append(parts.join(QStringLiteral(" | ")));
    }
    return lines;
}

QString Document::plainText() const {
    QStringList all;
    for (int i = 0; i < pages.size(); ++i) all.append(pageLines(i).join(QLatin1Char('\n')));
    return all.join(QStringLiteral("\n\n"));
}
