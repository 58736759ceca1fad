#include "reports/Report.h"

#include "core/AppError.h"
#include "reports/PrintTarget.h"
#include "reports/ReportLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {
[[noreturn]] void reportError(const QString &text) { throw AppError(ErrorNumber::ReportError, text); }
}  // namespace

std::unique_ptr<Report> Report::create(const QString &templateName) {
    return std::make_unique<Report>(ReportTemplate::load(templateName));
}

Report::Report(std::shared_ptr<const ReportTemplate> reportTemplate) : m_template(std::move(reportTemplate)) {}

Report::~Report() = default;

std::unique_ptr<Report> Report::snapshot() const {
    auto copy = std::make_unique<Report>(m_template);
    copy->m_rows = m_rows;
    copy->m_stream = m_stream;
    copy->m_textsSet = m_textsSet;
    copy->m_hidden = m_hidden;
    copy->m_hiddenOrder = m_hiddenOrder;
    for (const auto &[name, subreport] : m_subreports) copy->m_subreports[name] = subreport->snapshot();
    return copy;
}

void Report::bind(const RowSet &rows) {
    m_bound = rows;
    m_boundStream.reset();
    m_hasBound = true;
}

void Report::bind(std::shared_ptr<RowStream> rows) {
    m_bound = RowSet();
    m_boundStream = std::move(rows);
    m_hasBound = true;
}

Report &Report::subreport(const QString &name) {
    const ReportObject *object = m_template->subreportObject(name);
    if (!object)
        reportError(QStringLiteral("Report %1 has no subreport named '%2'").arg(templateName(), name));
    auto &slot = m_subreports[name];
    if (!slot) slot = std::make_unique<Report>(object->subreport);
    return *slot;
}

const Report *Report::boundSubreport(const QString &name) const {
    const auto it = m_subreports.find(name);
    return it == m_subreports.end() ? nullptr : it->second.get();
}

void Report::discardSavedData() {
    m_rows = RowSet();
    m_stream.reset();
    for (auto &[name, subreport] : m_subreports) subreport->discardSavedData();
}

void Report::readRecords() {
    if (m_hasBound) {
        const RowSet &bound = m_boundStream ? m_boundStream->rows() : m_bound;
        const QStringList unknown = m_template->unknownFields(bound.columns);
        if (!unknown.isEmpty())
            reportError(QStringLiteral("Report %1 reads the field '%2', which its rows do not have")
                            .arg(templateName(), unknown.first()));
        m_rows = m_bound;
        m_stream = m_boundStream;
    }
    for (auto &[name, subreport] : m_subreports) subreport->readRecords();
}

void Report::setText(const QString &objectName, const QString &text) {
    if (!m_template->textObject(objectName))
        reportError(QStringLiteral("Report %1 has no text object named '%2'").arg(templateName(), objectName));
    for (auto &entry : m_textsSet)
        if (entry.first == objectName) {
            entry.second = text;
            return;
        }
    m_textsSet.append({objectName, text});
}

QString Report::textOf(const ReportObject &object) const {
    if (!object.name.isEmpty())
        for (const auto &entry : m_textsSet)
            if (entry.first == object.name) return entry.second;
    return object.text;
}

void Report::hide(const QString &name) {
    if (!m_template->hasSectionOrObject(name))
        reportError(QStringLiteral("Report %1 has no section or object named '%2'").arg(templateName(), name));
    if (!m_hidden.contains(name)) {
        m_hidden.insert(name);
        m_hiddenOrder.append(name);
    }
}

Document Report::render() const { return LayoutReport(*this); }

void Report::printOut() const { Reports::printTarget().print(render(), templateName()); }

void Report::preview() const {
    Reports::printTarget().previewPages(std::make_shared<PagedReport>(*this), templateName());
}

// ---------------------------------------------------------------------------------------

namespace {

QString fieldDefType(const RowSetColumn &column, const RowSet &rows, int index) {
    const QString t = column.declType.toUpper();
    if (t.startsWith(QLatin1String("VARCHAR")) || t.startsWith(QLatin1String("TEXT")) || t.startsWith(QLatin1String("CHAR")))
        return QStringLiteral("String");
    if (t == QLatin1String("MEMO")) return QStringLiteral("Memo");
    if (t == QLatin1String("CURRENCY") || t == QLatin1String("MONEY")) return QStringLiteral("Currency");
    if (t.startsWith(QLatin1String("DATE")) || t == QLatin1String("TIME")) return QStringLiteral("Date");
    if (t == QLatin1String("YESNO") || t.startsWith(QLatin1String("BOOL")) || t == QLatin1String("BIT"))
        return QStringLiteral("Boolean");
    if (t == QLatin1String("LONG") || t == QLatin1String("INTEGER") || t == QLatin1String("INT") ||
        t == QLatin1String("COUNTER") || t == QLatin1String("AUTOINCREMENT"))
        return QStringLiteral("Long");
    if (t == QLatin1String("SHORT") || t == QLatin1String("SMALLINT") || t == QLatin1String("BYTE"))
        return QStringLiteral("Short");
    if (!t.isEmpty()) return QStringLiteral("Number");  // DOUBLE, SINGLE, REAL, NUMERIC ...
    // A computed column: judge by the first value it holds.
    for (const auto &row : rows.rows) {
        const QVariant v = row.value(index);
        if (v.isNull() || !v.isValid()) continue;
        switch (v.typeId()) {
        case QMetaType::QString: return QStringLiteral("String");
        case QMetaType::Bool: return QStringLiteral("Boolean");
        case QMetaType::QDate:
        case QMetaType::QDateTime: return QStringLiteral("Date");
        case QMetaType::Int:
        case QMetaType::LongLong: return QStringLiteral("Long");
        default: return QStringLiteral("Number");
        }
    }
    return QStringLiteral("Number");
}

int stringLength(const QString &declType) {
    // TEXT(50) or VARCHAR(50) gives 50; a plain text column holds up to 255 characters.
    const int open = declType.indexOf(QLatin1Char('('));
    if (open >= 0) {
        bool ok = false;
        const int n = declType.mid(open + 1, declType.indexOf(QLatin1Char(')')) - open - 1).trimmed().toInt(&ok);
        if (ok && n > 0) return n;
    }
    return 255;
}

}  // namespace

void CreateFieldDefFile(const RowSet &rows, const QString &path, bool overwrite) {
    QString cleaned = path;
    while (cleaned.endsWith(QLatin1Char(' '))) cleaned.chop(1);
    cleaned.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(cleaned);
    if (info.exists() && !overwrite) return;
    if (!QDir().mkpath(info.absolutePath()))
        throw AppError(ErrorNumber::PathNotFound,
                       QStringLiteral("Path not found: %1").arg(QDir::toNativeSeparators(info.absolutePath())));
    QFile file(cleaned);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw AppError(ErrorNumber::PathNotFound,
                       QStringLiteral("Cannot write the field-definition file %1").arg(cleaned));
    // Two columns of one name (Component.Width and StyleOperation.Width) are told apart
    // by their tables.
    QHash<QString, int> seen;
    for (const auto &c : rows.columns) seen[c.name.toLower()] += 1;
    QTextStream out(&file);
    for (int i = 0; i < rows.columns.size(); ++i) {
        const RowSetColumn &c = rows.columns.at(i);
        const QString name = seen.value(c.name.toLower()) > 1 && !c.table.isEmpty() ? c.table + QLatin1Char('.') + c.name
                                                                                     : c.name;
        const QString type = fieldDefType(c, rows, i);
        out << name << '\t' << type;
        if (type == QLatin1String("String")) out << '\t' << stringLength(c.declType);
        out << '\n';
    }
}
