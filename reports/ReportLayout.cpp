#include "reports/ReportLayout.h"

#include "core/AppError.h"
#include "core/Seams.h"
#include "reports/DocumentPainter.h"
#include "reports/Report.h"

#include <QHash>
#include <cmath>
#include <memory>

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
constexpr double Epsilon = 1e-6;

class Run;

// Page numbers as the layout knows them while it places bands.
struct PageInfo {
    int page = 1;
    int totalPages = 0;  // 0 until the second pass
};

// Everything one report (the main report or a subreport) needs during one layout:
// its rows with group boundaries worked out ahead, field positions and aggregate results.
class Run {
public:
    Run(const Report &report, const ReportTemplate &tpl);

    class RowContext;
    RowContext contextFor(int row, const ReportSection *section) const;

    int fieldIndex(const QString &name) const {
        auto it = fieldIndexes.constFind(name);
        if (it != fieldIndexes.constEnd()) return it.value();
        const int index = rows.indexOf(name);
        fieldIndexes.insert(name, index);
        return index;
    }

    // The rows [from, to) an aggregate reads in a section, for a scope name or by default.
    std::pair<int, int> range(int row, const ReportSection *section, const QString &scope) const {
        const int n = rows.rows.size();
        if (row < 0 || row >= n) return {0, 0};
        int group = -1;
        if (scope.isEmpty()) {
            if (section && (section->kind == SectionKind::GroupHeader || section->kind == SectionKind::GroupFooter))
                group = section->group;
            else if (section && section->kind == SectionKind::Detail)
                group = tpl.groups.size() - 1;
        } else if (scope.compare(QLatin1String("report"), Qt::CaseInsensitive) != 0) {
            group = tpl.groupIndex(scope);
            if (group < 0)
                throw AppError(ErrorNumber::ReportError,
                               QStringLiteral("Report %1 has no group named '%2'").arg(tpl.name, scope));
        }
        if (group < 0) return {0, n};
        return {groupStart[group][row], groupEnd[group][row]};
    }

    const Report &report;
    const ReportTemplate &tpl;
    const RowSet &rows;
    PageInfo *page = nullptr;
    QVector<int> changedLevel;  // the outermost group level that starts at each row
    std::vector<QVector<int>> groupStart, groupEnd;
    mutable QHash<QString, int> fieldIndexes;
    mutable QHash<QString, QVariant> aggregates;
    mutable QHash<QString, std::shared_ptr<Run>> subruns;
    mutable std::vector<std::unique_ptr<Report>> unboundSubreports;
};

class Run::RowContext : public Formula::Context {
public:
    RowContext(const Run &run, int row, const ReportSection *section) : m_run(run), m_row(row), m_section(section) {}

    QVariant field(const QString &name) const override {
        const int index = m_run.fieldIndex(name);
        if (index < 0) {
            if (m_run.rows.columns.isEmpty()) return {};  // a subreport given no rows
            throw AppError(ErrorNumber::ReportError,
                           QStringLiteral("Report %1 reads the field '%2', which its rows do not have")
                               .arg(m_run.tpl.name, name));
        }
        if (m_row < 0 || m_row >= m_run.rows.rows.size()) return {};
        return m_run.rows.rows.at(m_row).value(index);
    }

    QVariant special(const QString &name) const override {
        if (name == QLatin1String("PageNumber")) return m_run.page ? m_run.page->page : 1;
        if (name == QLatin1String("TotalPages"))
            return m_run.page && m_run.page->totalPages > 0 ? m_run.page->totalPages : (m_run.page ? m_run.page->page : 1);
        if (name == QLatin1String("PrintDate")) return Seams::clock().today();
        if (name == QLatin1String("RecordNumber")) return m_row + 1;
        return {};
    }

    QVariant namedFormula(const QString &name) const override {
        const NamedFormula *f = m_run.tpl.formula(name);
        return f ? f->expression.evaluate(*this) : QVariant();
    }

    QVariant aggregate(const QString &function, const Formula::Expression &argument,
                       const QString &scope) const override {
        const auto [from, to] = m_run.range(m_row, m_section, scope);
        const QString key = QStringLiteral("%1|%2|%3|%4")
                                .arg(function)
                                .arg(quintptr(argument.id()))
                                .arg(from)
                                .arg(to);
        auto cached = m_run.aggregates.constFind(key);
        if (cached != m_run.aggregates.constEnd()) return cached.value();
        QVariant result;
        double sum = 0;
        int count = 0;
        for (int r = from; r < to; ++r) {
            if (argument.isEmpty()) {
                ++count;
                continue;
            }
            const QVariant v = argument.evaluate(RowContext(m_run, r, m_section));
            if (!v.isValid() || v.isNull()) continue;
            ++count;
            double n = 0;
            if (function == QLatin1String("sum")) {
                if (Formula::ToNumber(v, &n)) sum += n;
            } else if (function == QLatin1String("min") || function == QLatin1String("max")) {
                if (!result.isValid()) {
                    result = v;
                } else {
                    double a = 0, b = 0;
                    bool less;
                    if (Formula::ToNumber(v, &a) && Formula::ToNumber(result, &b)) less = a < b;
                    else if (v.typeId() == QMetaType::QDate && result.typeId() == QMetaType::QDate)
                        less = v.toDate() < result.toDate();
                    else less = Formula::DisplayText(v) < Formula::DisplayText(result);
                    if ((function == QLatin1String("min")) == less) result = v;
                }
            }
        }
        if (function == QLatin1String("sum")) result = sum;
        else if (function == QLatin1String("count")) result = double(count);
        m_run.aggregates.insert(key, result);
        return result;
    }

private:
    const Run &m_run;
    int m_row;
    const ReportSection *m_section;
};

Run::Run(const Report &report, const ReportTemplate &tpl) : report(report), tpl(tpl), rows(report.rows()) {
    const int n = rows.rows.size();
    const int groups = tpl.groups.size();
    changedLevel.resize(n);
    groupStart.assign(groups, QVector<int>(n));
    groupEnd.assign(groups, QVector<int>(n));
    QVector<QString> previous(groups);
    for (int r = 0; r < n; ++r) {
        int changed = groups;
        for (int g = 0; g < groups; ++g) {
            const QString key = Formula::DisplayText(tpl.groups.at(g).key.evaluate(contextFor(r, nullptr)));
            if (key != previous[g]) changed = std::min(changed, g);
            previous[g] = key;
        }
        if (r == 0) changed = 0;
        changedLevel[r] = changed;
        for (int g = 0; g < groups; ++g) groupStart[g][r] = (changed <= g || r == 0) ? r : groupStart[g][r - 1];
    }
    for (int r = n - 1; r >= 0; --r)
        for (int g = 0; g < groups; ++g)
            groupEnd[g][r] = (r == n - 1 || changedLevel[r + 1] <= g) ? r + 1 : groupEnd[g][r + 1];
}

Run::RowContext Run::contextFor(int row, const ReportSection *section) const { return RowContext(*this, row, section); }

// A band laid out at the top of its own little page: its items relative to its top-left
// corner (x already includes the page's left margin), its height, and the cells that
// must be filled again once the number of pages is known.
struct Band {
    struct Deferred {
        int item;
        const Run *run;
        const ReportSection *section;
        const ReportObject *object;
        int row;
    };
    double height = 0;
    QVector<DocumentItem> items;
    QVector<Deferred> deferred;

    void append(const Band &other, double dx, double dy) {
        const int base = items.size();
        for (DocumentItem item : other.items) {
            item.rect.translate(dx, dy);
            items.append(item);
        }
        for (Deferred d : other.deferred) {
            d.item += base;
            deferred.append(d);
        }
    }
};

Band renderSubreport(const Run &parent, const ReportObject &object);

QString cellText(const Run &run, const ReportSection &section, const ReportObject &object, int row) {
    if (object.kind == ReportObject::Text) return run.report.textOf(object);
    return Formula::DisplayText(object.expression.evaluate(run.contextFor(row, &section)), object.format);
}

Band renderBand(const Run &run, const ReportSection &section, int row, double left) {
    Band band;
    const double designed = section.height * PointsPerMm;
    double growth = 0;
    for (const ReportObject &object : section.objects) {
        if (run.report.isHidden(object.name)) continue;
        const double x = left + object.x * PointsPerMm, y = object.y * PointsPerMm;
        const double w = object.width * PointsPerMm, h = object.height * PointsPerMm;
        switch (object.kind) {
        case ReportObject::Text:
        case ReportObject::Field: {
            const QString text = cellText(run, section, object, row);
            DocumentItem item;
            item.kind = DocumentItem::Text;
            item.font = object.font;
            item.alignment = object.alignment;
            if (object.canGrow) {
                double lineHeight = 0;
                const QStringList lines = WrapText(text, object.font, w, &lineHeight);
                for (int i = 0; i < lines.size(); ++i) {
                    item.text = lines.at(i);
                    item.rect = QRectF(x, y + i * lineHeight, w, std::max(h, lineHeight));
                    band.items.append(item);
                }
                growth = std::max(growth, lines.size() * lineHeight - h);
            } else {
                item.text = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
                item.rect = QRectF(x, y, w, std::max(h, LineHeight(object.font)));
                if (object.kind == ReportObject::Field && object.expression.usesSpecial(QStringLiteral("TotalPages")))
                    band.deferred.append({int(band.items.size()), &run, &section, &object, row});
                band.items.append(item);
            }
            break;
        }
        case ReportObject::Line: {
            DocumentItem item;
            item.kind = DocumentItem::Line;
            item.rect = QRectF(QPointF(x, y), QPointF(left + object.x2 * PointsPerMm, object.y2 * PointsPerMm));
            item.lineWidth = object.lineWidth;
            band.items.append(item);
            break;
        }
        case ReportObject::Box: {
            DocumentItem item;
            item.kind = DocumentItem::Box;
            item.rect = QRectF(x, y, w, h);
            item.lineWidth = object.lineWidth;
            item.filled = object.filled;
            band.items.append(item);
            break;
        }
        case ReportObject::Subreport: {
            const Band block = renderSubreport(run, object);
            band.append(block, x, y);
            growth = std::max(growth, block.height);
            break;
        }
        }
    }
    band.height = designed + std::max(0.0, growth);
    return band;
}

QVector<const ReportSection *> sectionsOf(const Run &run, SectionKind kind, int group = -1) {
    QVector<const ReportSection *> out;
    for (const ReportSection &s : run.tpl.sections)
        if (s.kind == kind && (group < 0 || s.group == group) && !run.report.isHidden(s.name)) out.append(&s);
    return out;
}

// A subreport is laid out as one block in its band: its report header, column and page
// headers once at the top, its groups and rows, its report and page footers at the end.
Band renderSubreport(const Run &parent, const ReportObject &object) {
    auto &slot = parent.subruns[object.name];
    if (!slot) {
        const Report *bound = parent.report.boundSubreport(object.name);
        if (bound) {
            slot = std::make_shared<Run>(*bound, bound->reportTemplate());
        } else {
            // Never opened by the builder: the subreport shows without rows.
            parent.unboundSubreports.push_back(std::make_unique<Report>(object.subreport));
            slot = std::make_shared<Run>(*parent.unboundSubreports.back(), *object.subreport);
        }
        slot->page = parent.page;
    }
    const Run &run = *slot;
    Band block;
    auto add = [&](const ReportSection *section, int row) {
        const Band b = renderBand(run, *section, row, 0);
        block.append(b, 0, block.height);
        block.height += b.height;
    };
    const int n = run.rows.rows.size();
    const int groups = run.tpl.groups.size();
    for (SectionKind k : {SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::ColumnHeader})
        for (const ReportSection *s : sectionsOf(run, k)) add(s, n > 0 ? 0 : -1);
    for (int r = 0; r < n; ++r) {
        const int changed = run.changedLevel[r];
        if (r > 0)
            for (int g = groups - 1; g >= changed; --g)
                for (const ReportSection *s : sectionsOf(run, SectionKind::GroupFooter, g)) add(s, r - 1);
        for (int g = changed; g < groups; ++g)
            for (const ReportSection *s : sectionsOf(run, SectionKind::GroupHeader, g)) add(s, r);
        for (const ReportSection *s : sectionsOf(run, SectionKind::Detail)) add(s, r);
    }
    if (n > 0)
        for (int g = groups - 1; g >= 0; --g)
            for (const ReportSection *s : sectionsOf(run, SectionKind::GroupFooter, g)) add(s, n - 1);
    for (SectionKind k : {SectionKind::ReportFooter, SectionKind::PageFooter})
        for (const ReportSection *s : sectionsOf(run, k)) add(s, n > 0 ? n - 1 : -1);
    return block;
}

// Places the main report's bands on pages.
class Pager {
public:
    Pager(const Run &run, Document &doc, PageInfo &info) : m_run(run), m_doc(doc), m_info(info) {
        const PageSetup &page = run.tpl.page;
        m_left = page.left * PointsPerMm;
        m_top = page.top * PointsPerMm;
        m_pageHeight = doc.pageSize.height();
        double footer = 0;
        for (const ReportSection *s : sectionsOf(run, SectionKind::PageFooter)) footer += s->height * PointsPerMm;
        m_footerTop = m_pageHeight - page.bottom * PointsPerMm - footer;
    }

    // A new page: the page header, on the first page the report header (which may run
    // on over pages of its own), then the column header.
    void startPage(int row) {
        m_doc.pages.append(DocumentPage());
        m_info.page = m_doc.pages.size();
        m_cursor = m_top;
        m_columnHeaderPlaced = false;
        for (const ReportSection *s : sectionsOf(m_run, SectionKind::PageHeader)) put(renderBand(m_run, *s, row, m_left));
        m_bodyTop = m_cursor;
        if (m_doc.pages.size() == 1)
            for (const ReportSection *s : sectionsOf(m_run, SectionKind::ReportHeader)) place(*s, row);
        if (!m_columnHeaderPlaced) {
            m_columnHeaderPlaced = true;
            for (const ReportSection *s : sectionsOf(m_run, SectionKind::ColumnHeader))
                put(renderBand(m_run, *s, row, m_left));
        }
        m_bodyTop = m_cursor;
    }

    // The page footer goes at the foot of the page, with the last row placed on it.
    void finishPage() {
        double y = m_footerTop;
        for (const ReportSection *s : sectionsOf(m_run, SectionKind::PageFooter)) {
            Band b = renderBand(m_run, *s, m_lastRow, m_left);
            b.height = s->height * PointsPerMm;  // a page footer keeps its height
            putAt(b, y);
            y += b.height;
        }
    }

    bool atBodyTop() const { return m_cursor <= m_bodyTop + Epsilon; }
    bool fits(double height) const { return m_cursor + height <= m_footerTop + Epsilon; }

    // Keeps bands together on one page when they fit on an empty one: the group headers
    // that open a group with the group's first row.
    void keepTogether(double height, int row) {
        if (!fits(height) && !atBodyTop() && height <= m_footerTop - bodyTopOfFreshPage() + Epsilon) {
            finishPage();
            startPage(row);
        }
    }

    void place(const ReportSection &section, int row) {
        Band band = renderBand(m_run, section, row, m_left);
        if (!fits(band.height) && !atBodyTop()) {
            finishPage();
            startPage(row);
            band = renderBand(m_run, section, row, m_left);  // page numbers may have changed
        }
        // A band taller than the room on an empty page goes on in pieces, cut between
        // its items, so that nothing is painted over the footer.
        while (!fits(band.height)) {
            const double room = m_footerTop - m_cursor;
            Band first, rest;
            splitBand(band, room, first, rest);
            if (first.items.isEmpty()) break;  // one item taller than a page: place it whole
            put(first);
            m_lastRow = row;
            finishPage();
            startPage(row);
            band = rest;
        }
        put(band);
        m_lastRow = row;
    }

    double bodyTopOfFreshPage() const { return m_bodyTop; }

private:
    static void splitBand(const Band &band, double room, Band &first, Band &rest) {
        // Cut at the top of the first item that does not end within the room.
        double cut = room;
        for (const DocumentItem &item : band.items) {
            const double bottom = std::max(item.rect.top(), item.rect.bottom());
            if (bottom > room + Epsilon) cut = std::min(cut, std::min(item.rect.top(), item.rect.bottom()));
        }
        first.height = cut;
        rest.height = band.height - cut;
        for (int i = 0; i < band.items.size(); ++i) {
            const DocumentItem &item = band.items.at(i);
            const bool above = std::min(item.rect.top(), item.rect.bottom()) < cut - Epsilon;
            Band &target = above ? first : rest;
            DocumentItem moved = item;
            if (!above) moved.rect.translate(0, -cut);
            for (const Band::Deferred &d : band.deferred)
                if (d.item == i) {
                    Band::Deferred copy = d;
                    copy.item = target.items.size();
                    target.deferred.append(copy);
                }
            target.items.append(moved);
        }
    }

    void put(const Band &band) {
        putAt(band, m_cursor);
        m_cursor += band.height;
    }

    void putAt(const Band &band, double y) {
        DocumentPage &page = m_doc.pages.last();
        const int base = page.items.size();
        for (DocumentItem item : band.items) {
            item.rect.translate(0, y);
            page.items.append(item);
        }
        for (const Band::Deferred &d : band.deferred)
            m_deferred.append({int(m_doc.pages.size() - 1), base + d.item, d.run, d.section, d.object, d.row});
    }

public:
    struct PlacedDeferred {
        int page;
        int item;
        const Run *run;
        const ReportSection *section;
        const ReportObject *object;
        int row;
    };
    QVector<PlacedDeferred> m_deferred;

private:
    const Run &m_run;
    Document &m_doc;
    PageInfo &m_info;
    double m_left = 0, m_top = 0, m_pageHeight = 0, m_footerTop = 0;
    double m_cursor = 0, m_bodyTop = 0;
    bool m_columnHeaderPlaced = false;
    int m_lastRow = -1;
};

}  // namespace

Document LayoutReport(const Report &report) {
    const ReportTemplate &tpl = report.reportTemplate();
    Document doc;
    doc.templateName = tpl.name;
    doc.landscape = tpl.page.landscape;
    doc.pageSize = tpl.page.sizePoints();
    doc.textsSet = report.textsSet();
    doc.hidden = report.hiddenNames();

    PageInfo info;
    Run run(report, tpl);
    run.page = &info;
    Pager pager(run, doc, info);
    const int n = run.rows.rows.size();
    const int groups = tpl.groups.size();
    const double left = tpl.page.left * PointsPerMm;

    pager.startPage(n > 0 ? 0 : -1);
    for (int r = 0; r < n; ++r) {
        const int changed = run.changedLevel[r];
        if (r > 0)
            for (int g = groups - 1; g >= changed; --g)
                for (const ReportSection *s : sectionsOf(run, SectionKind::GroupFooter, g)) pager.place(*s, r - 1);
        // The headers that open groups here stay on one page with the first row.
        QVector<const ReportSection *> headers;
        for (int g = changed; g < groups; ++g) headers += sectionsOf(run, SectionKind::GroupHeader, g);
        const auto details = sectionsOf(run, SectionKind::Detail);
        if (!headers.isEmpty()) {
            double height = 0;
            for (const ReportSection *s : headers) height += renderBand(run, *s, r, left).height;
            if (!details.isEmpty()) height += renderBand(run, *details.first(), r, left).height;
            pager.keepTogether(height, r);
        }
        for (const ReportSection *s : headers) pager.place(*s, r);
        for (const ReportSection *s : details) pager.place(*s, r);
    }
    if (n > 0)
        for (int g = groups - 1; g >= 0; --g)
            for (const ReportSection *s : sectionsOf(run, SectionKind::GroupFooter, g)) pager.place(*s, n - 1);
    for (const ReportSection *s : sectionsOf(run, SectionKind::ReportFooter)) pager.place(*s, n > 0 ? n - 1 : -1);
    pager.finishPage();

    // Second pass: the cells that show the number of pages.
    info.totalPages = doc.pages.size();
    for (const auto &d : pager.m_deferred) {
        info.page = d.page + 1;
        doc.pages[d.page].items[d.item].text = cellText(*d.run, *d.section, *d.object, d.row);
    }
    return doc;
}
