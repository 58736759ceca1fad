#include "reports/ReportLayout.h"

#include "core/AppError.h"
#include "core/Seams.h"
#include "reports/DocumentPainter.h"
#include "reports/Report.h"

#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <cmath>
#include <exception>
#include <map>
#include <memory>

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;
constexpr double Epsilon = 1e-6;

// Page numbers as the layout knows them while it places bands: the number within the
// pages numbered together, and their count once the second pass knows it; and the day
// the report is dated, the same on every page however late a page is made.
struct PageInfo {
    int page = 1;
    int totalPages = 0;  // 0 until the second pass; -1 on a page made before its count is known
    QDate printDate;
};

// Whether a formula shows a page number, directly or through named formulas.
bool readsPageNumbers(const ReportTemplate &tpl, const Formula::Expression &e) {
    if (e.usesSpecial(QStringLiteral("PageNumber")) || e.usesSpecial(QStringLiteral("TotalPages"))) return true;
    for (const QString &name : e.formulaNames())
        if (const NamedFormula *f = tpl.formula(name); f && readsPageNumbers(tpl, f->expression)) return true;
    return false;
}

// What a layout needs to know of a report once: its bands by kind, without those the
// builder hid, and the one-line cells that show page numbers (filled in a second pass).
struct Plan {
    Plan(const Report &report, const ReportTemplate &tpl) {
        headers.resize(tpl.groups.size());
        footers.resize(tpl.groups.size());
        for (const ReportSection &s : tpl.sections) {
            if (report.isHidden(s.name)) continue;
            if (s.kind == SectionKind::GroupHeader) headers[s.group].append(&s);
            else if (s.kind == SectionKind::GroupFooter) footers[s.group].append(&s);
            else bands[int(s.kind)].append(&s);
            for (const ReportObject &o : s.objects) {
                if (o.kind == ReportObject::Field && !o.canGrow && readsPageNumbers(tpl, o.expression))
                    pageCells.insert(&o);
                const bool grows = o.kind == ReportObject::Subreport ||
                                   ((o.kind == ReportObject::Text || o.kind == ReportObject::Field) && o.canGrow);
                if (grows) growing[&s].append(&o);
            }
        }
        for (auto &cells : growing)
            std::stable_sort(cells.begin(), cells.end(),
                             [](const ReportObject *a, const ReportObject *b) { return a->y < b->y; });
    }
    const QVector<const ReportSection *> &of(SectionKind kind) const { return bands[int(kind)]; }

    QVector<const ReportSection *> bands[int(SectionKind::PageFooter) + 1];
    std::vector<QVector<const ReportSection *>> headers, footers;  // per group
    QSet<const ReportObject *> pageCells;
    // Per section: the cells that can grow and the subreports, which decide its height,
    // top to bottom.
    QHash<const ReportSection *, QVector<const ReportObject *>> growing;
};

class Run;

// The runs of one subreport object: all its rows, or for a linked subreport the rows of
// each link value, each made when a band first needs it.
struct SubreportRuns {
    std::unique_ptr<Report> standIn;  // a subreport the builder never opened: no rows
    const Report *report = nullptr;
    std::shared_ptr<const Plan> plan;
    std::shared_ptr<Run> whole;
    bool indexed = false;
    QHash<QString, QVector<int>> rowsByLink;
    QHash<QString, std::shared_ptr<Run>> linked;
};

// A link value as text: each field's value as shown, without regard to case, as the
// plant's database compares text. False when a field is empty: an empty value links to
// nothing.
bool linkKey(const QVector<QVariant> &values, QString *key) {
    key->clear();
    for (const QVariant &v : values) {
        if (!v.isValid() || v.isNull()) return false;
        key->append(QChar(0x1f));
        key->append(Formula::DisplayText(v).toCaseFolded());
    }
    return true;
}

// Everything one report (the main report, a subreport, or a linked subreport's share of
// its rows) needs during one layout: its rows with group boundaries, field positions and
// aggregate results. A main report whose rows come from a stream reads them as the
// layout reaches them: a row when it is placed, the rest of a group when a total over
// the group is shown, every row when a total over the report is shown before its end.
class Run {
public:
    Run(const Report &report, std::shared_ptr<const Plan> plan, std::shared_ptr<const RowSet> share = nullptr);

    // Whether row r exists, reading on until it is read or the rows end.
    bool has(int r) const {
        while (r >= changedLevel.size() && readMore()) {
        }
        return r >= 0 && r < changedLevel.size();
    }
    // Every row, read to the end.
    int rowCount() const {
        while (readMore()) {
        }
        return rows.rows.size();
    }
    // The end (one past the last row) of group g at row r, reading on until it is known.
    int groupEndAt(int g, int r) const {
        while (groupEnd[g][r] < 0 && readMore()) {
        }
        return groupEnd[g][r];
    }

    class RowContext;
    RowContext contextFor(int row, const ReportSection *section, bool repeated = false) const;

    int fieldIndex(const QString &name) const {
        auto it = fieldIndexes.constFind(name);
        if (it != fieldIndexes.constEnd()) return it.value();
        const int index = rows.indexOf(name);
        fieldIndexes.insert(name, index);
        return index;
    }

    // The rows [from, to) an aggregate reads in a section, for a scope name or by default.
    std::pair<int, int> range(int row, const ReportSection *section, const QString &scope) const {
        if (!has(row)) return {0, 0};
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
        if (group < 0) return {0, rowCount()};
        // Finding the group's end may read more rows, which grows groupStart: read its
        // start only afterwards.
        const int end = groupEndAt(group, row);
        return {groupStart[group][row], end};
    }

    bool shows(const ReportSection &section, int row, bool repeated = false) const;
    bool shows(const ReportSection &section, const ReportObject &object, int row, bool repeated) const;
    // The run of a subreport placed in a band of this run, for the band's row.
    const Run &subreport(const ReportObject &object, const ReportSection &section, int row) const;

private:
    bool readMore() const;
    void absorb() const;

public:
    const Report &report;
    const ReportTemplate &tpl;
    std::shared_ptr<const Plan> plan;
    std::shared_ptr<const RowSet> share;
    std::shared_ptr<RowStream> feed;  // where the rows come from, when they are streamed
    const RowSet &rows;
    PageInfo *page = nullptr;
    // Per row read: the outermost group level that starts there, and per group level the
    // first row of its group and the end of the group (-1 until a later row or the end
    // of the rows shows it).
    mutable QVector<int> changedLevel;
    mutable std::vector<QVector<int>> groupStart, groupEnd;
    mutable QVector<QString> lastKeys;  // the group keys of the last row read
    mutable bool closed = false;        // every group ended with the last row
    mutable QHash<QString, int> fieldIndexes;
    mutable QHash<QString, QVariant> aggregates;
    mutable std::map<const ReportObject *, std::unique_ptr<SubreportRuns>> subreports;
};

class Run::RowContext : public Formula::Context {
public:
    RowContext(const Run &run, int row, const ReportSection *section, bool repeated)
        : m_run(run), m_row(row), m_section(section), m_repeated(repeated) {}

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
        if (name == QLatin1String("TotalPages") && m_run.page && m_run.page->totalPages < 0)
            return QStringLiteral("...");  // a page shown before the count of its pages is known
        if (name == QLatin1String("TotalPages"))
            return m_run.page && m_run.page->totalPages > 0 ? m_run.page->totalPages : (m_run.page ? m_run.page->page : 1);
        if (name == QLatin1String("PrintDate"))
            return m_run.page && m_run.page->printDate.isValid() ? m_run.page->printDate : Seams::clock().today();
        if (name == QLatin1String("RecordNumber")) return m_row + 1;
        if (name == QLatin1String("InRepeatedGroupHeader")) return m_repeated;
        return {};
    }

    QVariant namedFormula(const QString &name) const override {
        const NamedFormula *f = m_run.tpl.formula(name);
        return f ? f->expression.evaluate(*this) : QVariant();
    }

    QVariant aggregate(const QString &function, const Formula::Expression &argument, const QString &scope,
                       const Formula::Expression &once) const override {
        const auto [from, to] = m_run.range(m_row, m_section, scope);
        const QString key = QStringLiteral("%1|%2|%3|%4|%5")
                                .arg(function)
                                .arg(quintptr(argument.id()))
                                .arg(from)
                                .arg(to)
                                .arg(quintptr(once.id()));
        auto cached = m_run.aggregates.constFind(key);
        if (cached != m_run.aggregates.constEnd()) return cached.value();
        QVariant result;
        double sum = 0;
        int count = 0;
        if (function == QLatin1String("first")) {
            if (from < to) result = argument.evaluate(RowContext(m_run, from, m_section, false));
            m_run.aggregates.insert(key, result);
            return result;
        }
        const bool keyed = function == QLatin1String("sumonce");
        QSet<QString> counted;  // sumonce: the keys already added
        for (int r = from; r < to; ++r) {
            if (argument.isEmpty()) {
                ++count;
                continue;
            }
            const RowContext row(m_run, r, m_section, false);
            if (keyed && !addsOnce(once.evaluate(row), counted)) continue;
            const QVariant v = argument.evaluate(row);
            if (!v.isValid() || v.isNull()) continue;
            ++count;
            double n = 0;
            if (function == QLatin1String("sum") || keyed) {
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
        if (function == QLatin1String("sum") || keyed) result = sum;
        else if (function == QLatin1String("count")) result = double(count);
        m_run.aggregates.insert(key, result);
        return result;
    }

private:
    // True the first time a key is met: keys compare as they show, text without regard
    // to case, as the database groups them.
    static bool addsOnce(const QVariant &key, QSet<QString> &counted) {
        const QString text = Formula::DisplayText(key).toCaseFolded();
        if (counted.contains(text)) return false;
        counted.insert(text);
        return true;
    }

    const Run &m_run;
    int m_row;
    const ReportSection *m_section;
    bool m_repeated;
};

Run::Run(const Report &report, std::shared_ptr<const Plan> plan, std::shared_ptr<const RowSet> share)
    : report(report), tpl(report.reportTemplate()), plan(std::move(plan)), share(std::move(share)),
      feed(this->share ? nullptr : report.stream()), rows(this->share ? *this->share : report.rows()),
      groupStart(tpl.groups.size()), groupEnd(tpl.groups.size()), lastKeys(tpl.groups.size()) {
    absorb();
}

// Reads a few more rows of a streamed report; false when there are no more.
bool Run::readMore() const {
    constexpr int Slice = 64;
    if (changedLevel.size() < rows.rows.size()) {
        absorb();  // rows another layout of the same stream has read
        return true;
    }
    if (!feed || closed) return false;
    feed->readMore(Slice);
    absorb();
    return true;
}

// Works out the groups of the rows read since the last call. Rows arrive sorted by the
// group keys, and the database sorts text without regard to case: "active" and
// "Active" are one group. A group ends where a row opens a group at its level or
// further out, or with the last row.
void Run::absorb() const {
    const int groups = tpl.groups.size();
    const int from = changedLevel.size(), n = rows.rows.size();
    changedLevel.resize(n);
    for (int g = 0; g < groups; ++g) {
        groupStart[g].resize(n);
        groupEnd[g].resize(n);
    }
    for (int r = from; r < n; ++r) {
        int changed = groups;
        for (int g = 0; g < groups; ++g) {
            const QString key = Formula::DisplayText(tpl.groups.at(g).key.evaluate(contextFor(r, nullptr)));
            if (key.compare(lastKeys[g], Qt::CaseInsensitive) != 0) changed = std::min(changed, g);
            lastKeys[g] = key;
        }
        if (r == 0) changed = 0;
        changedLevel[r] = changed;
        for (int g = 0; g < groups; ++g) {
            groupStart[g][r] = (changed <= g || r == 0) ? r : groupStart[g][r - 1];
            groupEnd[g][r] = -1;
            if (r > 0 && changed <= g)
                for (int i = groupStart[g][r - 1]; i < r; ++i) groupEnd[g][i] = r;
        }
    }
    if (closed || (feed && !feed->ended())) return;
    closed = true;
    if (n > 0)
        for (int g = 0; g < groups; ++g)
            for (int i = groupStart[g][n - 1]; i < n; ++i) groupEnd[g][i] = n;
}

Run::RowContext Run::contextFor(int row, const ReportSection *section, bool repeated) const {
    return RowContext(*this, row, section, repeated);
}

bool Run::shows(const ReportSection &section, int row, bool repeated) const {
    return section.visible.isEmpty() || Formula::IsTrue(section.visible.evaluate(contextFor(row, &section, repeated)));
}

bool Run::shows(const ReportSection &section, const ReportObject &object, int row, bool repeated) const {
    if (report.isHidden(object.name)) return false;
    return object.visible.isEmpty() || Formula::IsTrue(object.visible.evaluate(contextFor(row, &section, repeated)));
}

const Run &Run::subreport(const ReportObject &object, const ReportSection &section, int row) const {
    auto &slot = subreports[&object];
    if (!slot) {
        slot = std::make_unique<SubreportRuns>();
        slot->report = report.boundSubreport(object.name);
        if (!slot->report) {
            slot->standIn = std::make_unique<Report>(object.subreport);
            slot->report = slot->standIn.get();
        }
        slot->plan = std::make_shared<Plan>(*slot->report, slot->report->reportTemplate());
    }
    SubreportRuns &runs = *slot;
    auto makeRun = [&](std::shared_ptr<const RowSet> share) {
        auto run = std::make_shared<Run>(*runs.report, runs.plan, std::move(share));
        run->page = page;
        return run;
    };
    if (object.links.isEmpty()) {
        if (!runs.whole) runs.whole = makeRun(nullptr);
        return *runs.whole;
    }

    const RowSet &all = runs.report->rows();
    if (!runs.indexed) {
        runs.indexed = true;
        QVector<int> columns;
        for (const SubreportLink &link : object.links) columns.append(all.indexOf(link.sub));
        if (!columns.contains(-1)) {
            QVector<QVariant> values(columns.size());
            QString key;
            for (int r = 0; r < all.rows.size(); ++r) {
                for (int i = 0; i < columns.size(); ++i) values[i] = all.rows.at(r).value(columns.at(i));
                if (linkKey(values, &key)) runs.rowsByLink[key].append(r);
            }
        }
    }
    QVector<QVariant> values;
    const RowContext context = contextFor(row, &section);
    for (const SubreportLink &link : object.links) values.append(context.field(link.main));
    QString key;
    if (!linkKey(values, &key)) key = QStringLiteral("\x1e");  // no link key starts so: no rows
    auto &linked = runs.linked[key];
    if (!linked) {
        auto share = std::make_shared<RowSet>();
        share->columns = all.columns;
        for (int r : runs.rowsByLink.value(key)) share->rows.append(all.rows.at(r));
        linked = makeRun(std::move(share));
    }
    return *linked;
}

// A band laid out at the top of its own little page: its items relative to its top-left
// corner (x already includes the page's left margin), its height, and the cells that
// must be filled again once the page numbers are known.
struct Band {
    struct Deferred {
        int item;
        const Run *run;
        const ReportSection *section;
        const ReportObject *object;
        int row;
        bool repeated;
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

Band renderSubreport(const Run &run);

QString cellText(const Run &run, const ReportSection &section, const ReportObject &object, int row, bool repeated) {
    if (object.kind == ReportObject::Text) return run.report.textOf(object);
    return Formula::DisplayText(object.expression.evaluate(run.contextFor(row, &section, repeated)), object.format);
}

double measureSubreport(const Run &run);

// A cell of a band that grows (wrapping text, a subreport): by how much, in points, and
// how far the cells growing above it have moved it down.
struct Growth {
    const ReportObject *cell;
    double by;
    double shift;
};

// How far a cell whose top is at topMm moves down: as far as the lowest reach of the
// growing cells that begin higher and end above it, so that nothing below a cell that
// wraps, or below a subreport, is printed over.
double shiftAt(const QVector<Growth> &growth, double topMm) {
    double shift = 0;
    for (const Growth &g : growth)
        if (g.cell->y < topMm - Epsilon && g.cell->y + g.cell->height <= topMm + Epsilon)
            shift = std::max(shift, g.shift + g.by);
    return shift;
}

QVector<Growth> growthOf(const Run &run, const ReportSection &section, int row, bool repeated) {
    QVector<Growth> growth;
    for (const ReportObject *object : run.plan->growing.value(&section)) {
        if (!run.shows(section, *object, row, repeated)) continue;
        double by = 0;
        if (object->kind == ReportObject::Subreport) {
            by = measureSubreport(run.subreport(*object, section, row));
        } else {
            const QString text = cellText(run, section, *object, row, repeated);
            const int lines = WrappedLineCount(text, object->font, object->width * PointsPerMm);
            by = lines * LineHeight(object->font) - object->height * PointsPerMm;
        }
        growth.append({object, std::max(0.0, by), shiftAt(growth, object->y)});
    }
    return growth;
}

double bandGrowth(const QVector<Growth> &growth) {
    double most = 0;
    for (const Growth &g : growth) most = std::max(most, g.shift + g.by);
    return most;
}

Band renderBand(const Run &run, const ReportSection &section, int row, double left, bool repeated = false) {
    Band band;
    const QVector<Growth> growth = growthOf(run, section, row, repeated);
    for (const ReportObject &object : section.objects) {
        if (!run.shows(section, object, row, repeated)) continue;
        const double top = object.kind == ReportObject::Line ? std::min(object.y, object.y2) : object.y;
        const double shift = shiftAt(growth, top);
        const double x = left + object.x * PointsPerMm, y = object.y * PointsPerMm + shift;
        const double w = object.width * PointsPerMm, h = object.height * PointsPerMm;
        switch (object.kind) {
        case ReportObject::Text:
        case ReportObject::Field: {
            const QString text = cellText(run, section, object, row, repeated);
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
            } else {
                item.text = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
                item.rect = QRectF(x, y, w, std::max(h, LineHeight(object.font)));
                if (run.plan->pageCells.contains(&object))
                    band.deferred.append({int(band.items.size()), &run, &section, &object, row, repeated});
                band.items.append(item);
            }
            break;
        }
        case ReportObject::Line: {
            DocumentItem item;
            item.kind = DocumentItem::Line;
            item.rect = QRectF(QPointF(x, y), QPointF(left + object.x2 * PointsPerMm, object.y2 * PointsPerMm + shift));
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
        case ReportObject::Subreport:
            band.append(renderSubreport(run.subreport(object, section, row)), x, y);
            break;
        }
    }
    band.height = section.height * PointsPerMm + bandGrowth(growth);
    return band;
}

// The height renderBand gives a band, told without making its items: only the cells
// that grow and the subreports can make a band taller than designed.
double measureBand(const Run &run, const ReportSection &section, int row, bool repeated = false) {
    return section.height * PointsPerMm + bandGrowth(growthOf(run, section, row, repeated));
}

// A subreport is laid out as one block in its band: its report header, column and page
// headers once at the top, its groups and rows, its report and page footers at the end.
// Hands each band shown, with its row, to the visitor in that order.
template <class Visit>
void forEachSubreportBand(const Run &run, Visit visit) {
    const Plan &plan = *run.plan;
    auto add = [&](const QVector<const ReportSection *> &sections, int row) {
        for (const ReportSection *section : sections)
            if (run.shows(*section, row)) visit(*section, row);
    };
    const int n = run.rowCount();
    const int groups = run.tpl.groups.size();
    for (SectionKind k : {SectionKind::ReportHeader, SectionKind::PageHeader, SectionKind::ColumnHeader})
        add(plan.of(k), n > 0 ? 0 : -1);
    for (int r = 0; r < n; ++r) {
        const int changed = run.changedLevel[r];
        if (r > 0)
            for (int g = groups - 1; g >= changed; --g) add(plan.footers[g], r - 1);
        for (int g = changed; g < groups; ++g) add(plan.headers[g], r);
        add(plan.of(SectionKind::Detail), r);
    }
    if (n > 0)
        for (int g = groups - 1; g >= 0; --g) add(plan.footers[g], n - 1);
    for (SectionKind k : {SectionKind::ReportFooter, SectionKind::PageFooter}) add(plan.of(k), n > 0 ? n - 1 : -1);
}

Band renderSubreport(const Run &run) {
    Band block;
    forEachSubreportBand(run, [&](const ReportSection &section, int row) {
        const Band b = renderBand(run, section, row, 0);
        block.append(b, 0, block.height);
        block.height += b.height;
    });
    return block;
}

double measureSubreport(const Run &run) {
    double height = 0;
    forEachSubreportBand(run, [&](const ReportSection &section, int row) { height += measureBand(run, section, row); });
    return height;
}

// Where one band goes on a page. The band is rendered again from its section and row
// when the page is made; the pieces of a band cut over pages are kept as cut.
struct Placement {
    const ReportSection *section = nullptr;
    int row = -1;
    bool repeated = false;
    double y = 0;
    std::shared_ptr<const Band> piece;
};

// A page as placing the bands leaves it: its bands and its number among the pages
// numbered together.
struct PlacedPage {
    QVector<Placement> bands;
    int number = 1;
};

// Places the main report's bands on pages: page and column headers on every page, the
// headers of open groups that ask for it repeated, breaks asked for by the groups, page
// numbers counted from 1 again where a group restarts them. Bands are measured, not
// rendered, except a band too tall for a page, which is cut between its items.
class Pager {
public:
    Pager(const Run &run, const DocumentInfo &doc, PageInfo &info)
        : m_run(run), m_plan(*run.plan), m_info(info), m_openRow(run.tpl.groups.size(), -1) {
        const PageSetup &page = run.tpl.page;
        m_left = page.left * PointsPerMm;
        m_top = page.top * PointsPerMm;
        double footer = 0;
        for (const ReportSection *s : m_plan.of(SectionKind::PageFooter)) footer += s->height * PointsPerMm;
        m_footerTop = doc.pageSize.height() - page.bottom * PointsPerMm - footer;
    }

    double left() const { return m_left; }
    const QVector<PlacedPage> &pages() const { return m_pages; }
    // The index of the last page numbered 1 but the first (0 when none): every page
    // before it has its count of pages known.
    int lastRestart() const { return m_lastRestart; }

    // A new page: the page header, on the first page the report header (which may run
    // on over pages of its own), then the column header and the repeated group headers.
    void startPage(int row) {
        const bool restart = m_pages.isEmpty() || m_restartNumbers;
        m_pages.append(PlacedPage{{}, restart ? 1 : m_pages.last().number + 1});
        if (restart && m_pages.size() > 1) m_lastRestart = m_pages.size() - 1;
        m_restartNumbers = false;
        m_info.page = m_pages.last().number;
        m_cursor = m_top;
        m_columnHeaderPlaced = false;
        for (const ReportSection *s : m_plan.of(SectionKind::PageHeader))
            if (m_run.shows(*s, row)) put(*s, row);
        m_bodyTop = m_cursor;
        if (m_pages.size() == 1)
            for (const ReportSection *s : m_plan.of(SectionKind::ReportHeader)) place(*s, row);
        if (!m_columnHeaderPlaced) {
            m_columnHeaderPlaced = true;
            for (const ReportSection *s : m_plan.of(SectionKind::ColumnHeader))
                if (m_run.shows(*s, row)) put(*s, row);
            repeatGroupHeaders();
        }
        m_bodyTop = m_cursor;
    }

    // The page footer goes at the foot of the page, with the last row placed on it; a
    // page footer keeps its height.
    void finishPage() {
        double y = m_footerTop;
        for (const ReportSection *s : m_plan.of(SectionKind::PageFooter)) {
            if (!m_run.shows(*s, m_lastRow)) continue;
            m_pages.last().bands.append(Placement{s, m_lastRow, false, y, nullptr});
            y += s->height * PointsPerMm;
        }
    }

    // The next band placed starts a new page, unless the page holds nothing yet below
    // its headers; with restart, that page is numbered 1.
    void breakBeforeNext(bool restartNumbers) {
        m_breakPending = true;
        m_restartNumbers = m_restartNumbers || restartNumbers;
    }

    // The groups open while rows are placed: their headers repeat on a new page.
    void openGroup(int group, int row) { m_openRow[group] = row; }
    void closeGroup(int group) { m_openRow[group] = -1; }

    // Keeps bands together on one page when they fit on an empty one: the group headers
    // that open a group with the group's first row.
    void keepTogether(double height, int row) {
        takeBreak(row);
        if (!fits(height) && !atBodyTop() && height <= m_footerTop - m_bodyTop + Epsilon) {
            finishPage();
            startPage(row);
        }
    }

    void place(const ReportSection &section, int row) {
        if (!m_run.shows(section, row)) return;
        takeBreak(row);
        double height = measureBand(m_run, section, row);
        // A band that would fit on a page of its own starts one; a taller band (a long
        // subreport) starts where it is and is cut.
        if (!fits(height) && !atBodyTop() && height <= m_footerTop - m_bodyTop + Epsilon) {
            finishPage();
            startPage(row);
            height = measureBand(m_run, section, row);  // page numbers may have changed
        }
        if (fits(height)) {
            put(section, row, false, height);
            m_lastRow = row;
            return;
        }
        placeCut(renderBand(m_run, section, row, m_left), section, row);
    }

private:
    bool atBodyTop() const { return m_cursor <= m_bodyTop + Epsilon; }
    bool fits(double height) const { return m_cursor + height <= m_footerTop + Epsilon; }

    // A band taller than the room on an empty page goes on in pieces, cut between its
    // items, so that nothing is painted over the footer.
    void placeCut(Band band, const ReportSection &section, int row) {
        while (!fits(band.height)) {
            const double room = m_footerTop - m_cursor;
            Band first, rest;
            splitBand(band, room, first, rest);
            if (first.items.isEmpty()) break;  // one item taller than a page: place it whole
            putPiece(std::move(first), section, row);
            m_lastRow = row;
            finishPage();
            startPage(row);
            band = rest;
        }
        putPiece(std::move(band), section, row);
        m_lastRow = row;
    }

    void takeBreak(int row) {
        if (!m_breakPending) return;
        m_breakPending = false;
        if (!atBodyTop()) {
            finishPage();
            startPage(row);
        } else if (m_restartNumbers) {
            // Nothing is on this page yet: it becomes the first of the new numbering.
            m_pages.last().number = 1;
            if (m_pages.size() > 1) m_lastRestart = m_pages.size() - 1;
            m_info.page = 1;
            m_restartNumbers = false;
        }
    }

    void repeatGroupHeaders() {
        for (int g = 0; g < int(m_openRow.size()); ++g) {
            const int row = m_openRow.at(g);
            if (row < 0 || !m_run.tpl.groups.at(g).repeatHeader) continue;
            for (const ReportSection *s : m_plan.headers[g])
                if (m_run.shows(*s, row, true)) put(*s, row, true);
        }
    }

    static void splitBand(const Band &band, double room, Band &first, Band &rest) {
        // Cut at the top of the first item that does not end within the room.
        double cut = room;
        for (const DocumentItem &item : band.items) {
            const double bottom = std::max(item.rect.top(), item.rect.bottom());
            if (bottom > room + Epsilon) cut = std::min(cut, std::min(item.rect.top(), item.rect.bottom()));
        }
        first.height = cut;
        rest.height = band.height - cut;
        QHash<int, const Band::Deferred *> deferredAt;
        for (const Band::Deferred &d : band.deferred) deferredAt.insert(d.item, &d);
        for (int i = 0; i < band.items.size(); ++i) {
            const DocumentItem &item = band.items.at(i);
            const bool above = std::min(item.rect.top(), item.rect.bottom()) < cut - Epsilon;
            Band &target = above ? first : rest;
            DocumentItem moved = item;
            if (!above) moved.rect.translate(0, -cut);
            if (const Band::Deferred *d = deferredAt.value(i)) {
                Band::Deferred copy = *d;
                copy.item = target.items.size();
                target.deferred.append(copy);
            }
            target.items.append(moved);
        }
    }

    // Notes a whole band at the cursor and moves the cursor below it.
    void put(const ReportSection &section, int row, bool repeated = false) {
        put(section, row, repeated, measureBand(m_run, section, row, repeated));
    }
    void put(const ReportSection &section, int row, bool repeated, double height) {
        m_pages.last().bands.append(Placement{&section, row, repeated, m_cursor, nullptr});
        m_cursor += height;
    }

    void putPiece(Band piece, const ReportSection &section, int row) {
        const double height = piece.height;
        m_pages.last().bands.append(
            Placement{&section, row, false, m_cursor, std::make_shared<const Band>(std::move(piece))});
        m_cursor += height;
    }

    const Run &m_run;
    const Plan &m_plan;
    PageInfo &m_info;
    double m_left = 0, m_top = 0, m_footerTop = 0;
    double m_cursor = 0, m_bodyTop = 0;
    bool m_columnHeaderPlaced = false;
    bool m_breakPending = false;
    bool m_restartNumbers = false;
    int m_lastRow = -1;
    int m_lastRestart = 0;
    std::vector<int> m_openRow;  // per group: the first row of the open group, or -1
    QVector<PlacedPage> m_pages;
};

// The main report's rows, group by group: footers of the groups that end, headers of
// those that begin (kept on one page with the first row shown), then the row itself;
// after the last row the footers of every group and of the report. Placed a row at a
// time, so the layout can stop between rows and go on later.
class MainLayout {
public:
    MainLayout(const Run &run, Pager &pager) : m_run(run), m_plan(*run.plan), m_pager(pager) {}

    bool done() const { return m_done; }

    // Places the next row, or when every row is placed, what ends the report.
    void placeNext() {
        if (!m_started) {
            m_started = true;
            m_pager.startPage(m_run.has(0) ? 0 : -1);
        }
        if (m_run.has(m_next)) {
            const int r = m_next++;
            if (r > 0) closeGroups(m_run.changedLevel[r], r - 1);
            openGroups(m_run.changedLevel[r], r);
            for (const ReportSection *s : m_plan.of(SectionKind::Detail)) m_pager.place(*s, r);
            return;
        }
        const int n = m_next;  // every row is placed
        if (n > 0) closeGroups(0, n - 1);
        for (const ReportSection *s : m_plan.of(SectionKind::ReportFooter)) m_pager.place(*s, n > 0 ? n - 1 : -1);
        m_pager.finishPage();
        m_done = true;
    }

private:
    void closeGroups(int outermost, int lastRow) {
        for (int g = int(m_run.tpl.groups.size()) - 1; g >= outermost; --g) {
            for (const ReportSection *s : m_plan.footers[g]) m_pager.place(*s, lastRow);
            m_pager.closeGroup(g);
            if (m_run.tpl.groups.at(g).newPageAfter) m_pager.breakBeforeNext(false);
        }
    }

    void openGroups(int outermost, int row) {
        const int groups = m_run.tpl.groups.size();
        if (outermost >= groups) return;
        double height = 0;
        for (int g = outermost; g < groups; ++g) {
            const ReportGroup &group = m_run.tpl.groups.at(g);
            if (row > 0 && (group.newPageBefore || group.restartPageNumbers))
                m_pager.breakBeforeNext(group.restartPageNumbers);
            for (const ReportSection *s : m_plan.headers[g])
                if (m_run.shows(*s, row)) height += measureBand(m_run, *s, row);
        }
        if (height > 0) {
            height += firstDetailHeight(row);
            m_pager.keepTogether(height, row);
        }
        for (int g = outermost; g < groups; ++g) {
            for (const ReportSection *s : m_plan.headers[g]) m_pager.place(*s, row);
            m_pager.openGroup(g, row);
        }
    }

    // The height of the first detail band shown among the rows of the innermost group
    // that opens at row `from`; the rows after the first shown are not read for it.
    double firstDetailHeight(int from) const {
        const int innermost = int(m_run.tpl.groups.size()) - 1;
        for (int r = from; m_run.has(r) && (r == from || m_run.changedLevel[r] > innermost); ++r)
            for (const ReportSection *s : m_plan.of(SectionKind::Detail))
                if (m_run.shows(*s, r)) return measureBand(m_run, *s, r);
        return 0;
    }

    const Run &m_run;
    const Plan &m_plan;
    Pager &m_pager;
    int m_next = 0;
    bool m_started = false;
    bool m_done = false;
};

// Whether any formula of the template or of its subreports shows the count of pages.
bool readsTotalPages(const ReportTemplate &tpl) {
    const QString total = QStringLiteral("TotalPages");
    for (const NamedFormula &f : tpl.formulas)
        if (f.expression.usesSpecial(total)) return true;
    for (const ReportSection &s : tpl.sections) {
        if (s.visible.usesSpecial(total)) return true;
        for (const ReportObject &o : s.objects)
            if (o.expression.usesSpecial(total) || o.visible.usesSpecial(total) || (o.subreport && readsTotalPages(*o.subreport)))
                return true;
    }
    return false;
}

}  // namespace

// Everything one layout holds: the report's snapshot, the run over its rows, the pages
// placed so far, and once every row is placed each page's count of pages.
struct PagedReport::Layout {
    explicit Layout(const Report &source)
        : report(source.snapshot()), tpl(report->reportTemplate()),
          run(*report, std::make_shared<Plan>(*report, tpl)), pager(run, init(), pageInfo), rows(run, pager),
          waitsForTotal(readsTotalPages(tpl)) {
        run.page = &pageInfo;
    }

    const DocumentInfo &init() {
        doc.templateName = tpl.name;
        doc.landscape = tpl.page.landscape;
        doc.pageSize = tpl.page.sizePoints();
        doc.textsSet = report->textsSet();
        doc.hidden = report->hiddenNames();
        pageInfo.printDate = Seams::clock().today();
        return doc;
    }

    // The count of the pages numbered with page p: the number of the last page before
    // the next one numbered 1. Known once that page is placed.
    int countOf(int p) const {
        if (p < totals.size()) return totals.at(p);
        const QVector<PlacedPage> &pages = pager.pages();
        int q = p + 1;
        while (q < pages.size() && pages.at(q).number != 1) ++q;
        return pages.at(q - 1).number;
    }

    // Whether the count of the pages numbered with page p is known: every page is placed,
    // or a later page is numbered 1 again.
    bool countKnown(int p) const { return rows.done() || pager.lastRestart() > p; }

    // The count of pages numbered with each page, once every page is placed.
    void countPages() {
        const QVector<PlacedPage> &pages = pager.pages();
        totals.resize(pages.size());
        for (int p = pages.size() - 1; p >= 0; --p)
            totals[p] = p + 1 < pages.size() && pages.at(p + 1).number != 1 ? totals.at(p + 1) : pages.at(p).number;
    }

    // Renders the bands placed on page p, with its number, then fills the cells that
    // show page numbers with its number and count.
    DocumentPage render(int p) {
        const PlacedPage &placed = pager.pages().at(p);
        const PageInfo kept = pageInfo;  // the placing of bands may go on after this page is made
        pageInfo.page = placed.number;
        pageInfo.totalPages = 0;
        DocumentPage page;
        struct Cell {
            int item;
            Band::Deferred cell;
        };
        QVector<Cell> cells;
        for (const Placement &placement : placed.bands) {
            const Band band = placement.piece ? *placement.piece
                                              : renderBand(run, *placement.section, placement.row, pager.left(), placement.repeated);
            const int base = page.items.size();
            for (DocumentItem item : band.items) {
                item.rect.translate(0, placement.y);
                page.items.append(item);
            }
            for (const Band::Deferred &d : band.deferred) cells.append({base + d.item, d});
        }
        pageInfo.totalPages = countKnown(p) ? countOf(p) : -1;
        for (const Cell &c : cells)
            page.items[c.item].text = cellText(*c.cell.run, *c.cell.section, *c.cell.object, c.cell.row, c.cell.repeated);
        pageInfo = kept;
        return page;
    }

    std::unique_ptr<Report> report;
    const ReportTemplate &tpl;
    DocumentInfo doc;
    PageInfo pageInfo;
    Run run;
    Pager pager;
    MainLayout rows;
    const bool waitsForTotal;
    QVector<int> totals;
    std::exception_ptr failure;
};

PagedReport::PagedReport(const Report &report) : d(std::make_unique<Layout>(report)) {}

PagedReport::~PagedReport() = default;

const DocumentInfo &PagedReport::info() const { return d->doc; }

bool PagedReport::layOutFor(int milliseconds) {
    if (d->failure) std::rethrow_exception(d->failure);  // a layout that failed stays failed
    if (d->rows.done()) return true;
    QElapsedTimer clock;
    clock.start();
    // Once the first page can be shown, the rest of a stream's rows are read ahead of the
    // layout, so that its query lets go of the file's read snapshot as soon as it can
    // rather than when the last page is laid out. Rows are placed in small runs between
    // looks at the clock.
    try {
        const std::shared_ptr<RowStream> &stream = d->report->stream();
        if (stream && laidOutPages() > 0)
            while (!stream->ended() && stream->readMore(256) && clock.elapsed() < milliseconds) {
            }
        for (int placed = 1; !d->rows.done(); ++placed) {
            d->rows.placeNext();
            if (placed % 32 == 0 && clock.elapsed() >= milliseconds) break;
        }
    } catch (...) {
        d->failure = std::current_exception();
        throw;
    }
    if (d->rows.done()) d->countPages();
    return d->rows.done();
}

bool PagedReport::finished() const { return d->rows.done(); }

int PagedReport::pageCount() const { return d->pager.pages().size(); }

int PagedReport::laidOutPages() const {
    // The last page may still take bands.
    return d->rows.done() ? pageCount() : std::max(0, pageCount() - 1);
}

int PagedReport::readyPages() const {
    if (d->rows.done()) return pageCount();
    // The last page may still take bands, and be numbered afresh.
    return d->waitsForTotal ? d->pager.lastRestart() : std::max(0, pageCount() - 1);
}

DocumentPage PagedReport::page(int n) const {
    if (n < 0 || n >= laidOutPages()) return {};
    return d->render(n);
}

Document LayoutReport(const Report &report) { return PagedReport(report).document(); }
