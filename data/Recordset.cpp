#include "data/Recordset.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "core/Values.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString kRowIdColumn = QStringLiteral("__rowid__");

// "SELECT [TOP n] * FROM Table [WHERE ...] [ORDER BY ...]": the one shape of statement
// that gives an updatable set. Returns the table name, or "" for a read-only set.
QString updatableTable(const QString &sql) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*SELECT\s+(?:TOP\s+\d+\s+)?\*\s+FROM\s+\[?([A-Za-z_][A-Za-z0-9_]*)\]?)"
                       R"((?:\s+(?:WHERE|ORDER\s+BY)\b.*)?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression join(QStringLiteral(R"(\bJOIN\b)"), QRegularExpression::CaseInsensitiveOption);
    const auto match = shape.match(sql);
    if (!match.hasMatch()) return {};
    const QString rest = sql.mid(match.capturedEnd(1));
    if (join.match(rest).hasMatch()) return {};
    return match.captured(1);
}

// Adds the row key to an updatable statement so that edits find their row.
QString withRowId(const QString &translated) {
    static const QRegularExpression selectStar(QStringLiteral(R"(^(\s*SELECT\s+)\*)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString sql = translated;
    sql.replace(selectStar, QStringLiteral("\\1rowid AS ") + kRowIdColumn + QStringLiteral(", *"));
    return sql;
}

bool isDateKind(const QString &declType) { return declType == QLatin1String("DATE") || declType == QLatin1String("DATETIME"); }
bool isNumberKind(const QString &declType) {
    return declType == QLatin1String("DOUBLE") || declType == QLatin1String("LONG") ||
           declType == QLatin1String("CURRENCY") || declType == QLatin1String("INTEGER") ||
           declType == QLatin1String("INT") || declType == QLatin1String("REAL") || declType == QLatin1String("NUM");
}

[[noreturn]] void conversionError(const QString &column, const QVariant &value) {
    throw AppError(ErrorNumber::ConversionError,
                   QStringLiteral("Data type conversion error: column '%1' cannot hold the value '%2'.")
                       .arg(column, value.toString()));
}

QDateTime parseDateTime(const QString &text) {
    const QString t = text.trimmed();
    for (const char *format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "M/d/yyyy H:mm:ss", "M/d/yyyy H:mm",
                               "M/d/yyyy h:mm:ss AP", "M/d/yyyy h:mm AP"}) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(format));
        if (dt.isValid()) return dt;
    }
    const QDate date = Values::ParseShortDate(t);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
}

// Converts a value written to a column into what the column stores, as the desktop
// engine converts: numeric text with blanks, a currency sign, thousands separators or
// parentheses; dates from date values or month/day/year text; yes/no from flags,
// numbers or True/False text.
QVariant toStored(const TableColumn &column, const QVariant &value) {
    if (!value.isValid() || value.isNull()) return QVariant();
    const QString &kind = column.declType;
    const bool isText = value.typeId() == QMetaType::QString;
    if (isNumberKind(kind)) {
        double number = 0;
        if (value.typeId() == QMetaType::Bool) number = value.toBool() ? -1 : 0;
        else if (isText) {
            if (!Values::IsNumeric(value.toString())) conversionError(column.name, value);
            number = Values::NumericValue(value.toString());
        } else {
            bool ok = false;
            number = value.toDouble(&ok);
            if (!ok) conversionError(column.name, value);
        }
        if (kind == QLatin1String("CURRENCY")) return std::round(number * 10000.0) / 10000.0;
        if (kind == QLatin1String("LONG") || kind == QLatin1String("INTEGER") || kind == QLatin1String("INT"))
            return qlonglong(std::llround(number));
        return number;
    }
    if (kind == QLatin1String("YESNO")) {
        if (isText) {
            const QString t = value.toString().trimmed();
            if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0 ||
                t.compare(QLatin1String("On"), Qt::CaseInsensitive) == 0)
                return 1;
            if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("No"), Qt::CaseInsensitive) == 0 ||
                t.compare(QLatin1String("Off"), Qt::CaseInsensitive) == 0)
                return 0;
            if (!Values::IsNumeric(t)) conversionError(column.name, value);
            return Values::NumericValue(t) != 0 ? 1 : 0;
        }
        if (value.typeId() == QMetaType::Bool) return value.toBool() ? 1 : 0;
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok) conversionError(column.name, value);
        return number != 0 ? 1 : 0;
    }
    if (isDateKind(kind)) {
        QDateTime when;
        if (value.typeId() == QMetaType::QDate) when = QDateTime(value.toDate(), QTime(0, 0));
        else if (value.typeId() == QMetaType::QDateTime) when = value.toDateTime();
        else if (isText) when = parseDateTime(value.toString());
        if (!when.isValid()) conversionError(column.name, value);
        // Midnight is kept as the plain date, so that "<= #m/d/yyyy#" includes it.
        if (kind == QLatin1String("DATE") || when.time() == QTime(0, 0)) return when.date().toString(Qt::ISODate);
        return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::QDate) return Values::ShortDate(value.toDate());
    return value.toString();
}

}  // namespace

Recordset::Recordset(Database &db, const QString &jetSql) : m_db(db), m_sql(jetSql) {
    Engine &engine = db.engine();
    m_table = updatableTable(jetSql);
    QString native = engine.translate(jetSql);
    if (!m_table.isEmpty()) native = withRowId(native);
    auto statement = engine.prepare(native);
    const int count = statement->columnCount();
    const int first = m_table.isEmpty() ? 0 : 1;
    for (int i = first; i < count; ++i) m_columns << statement->column(i);
    while (statement->step()) {
        QVector<QVariant> row;
        row.reserve(count - first);
        for (int i = first; i < count; ++i) row << statement->value(i);
        if (first) m_rowids << statement->value(0).toLongLong();
        m_rows << row;
    }
    for (int i = m_columns.size() - 1; i >= 0; --i) {
        const ColumnMeta &c = m_columns.at(i);
        m_index.insert(c.name.toLower(), i);
        if (!c.table.isEmpty()) m_index.insert((c.table + '.' + c.origin).toLower(), i);
    }
    if (!m_table.isEmpty()) {
        for (const TableColumn &c : engine.tableColumns(m_table))
            if (c.primaryKey && c.declType == QLatin1String("INTEGER")) m_autoNumberColumn = c.name;
    }
}

Recordset::~Recordset() = default;

void Recordset::moveNext() {
    if (eof()) throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record."));
    ++m_pos;
}

void Recordset::moveFirst() { m_pos = 0; }

int Recordset::columnIndex(const QString &name) const { return m_index.value(name.toLower(), -1); }

int Recordset::requireColumn(const QString &name) const {
    const int index = columnIndex(name);
    if (index < 0) throw AppError(ErrorNumber::ItemNotFound, QStringLiteral("Item '%1' not found in this collection.").arg(name));
    return index;
}

bool Recordset::hasField(const QString &name) const { return columnIndex(name) >= 0; }

QVariant Recordset::convertForRead(int column, const QVariant &raw) const {
    if (raw.isNull()) return QVariant();
    const QString &kind = m_columns.at(column).declType;
    if (kind == QLatin1String("DATE")) {
        const QDateTime dt = parseDateTime(raw.toString());
        return dt.isValid() ? QVariant(dt.date()) : raw;
    }
    if (kind == QLatin1String("DATETIME")) {
        const QDateTime dt = parseDateTime(raw.toString());
        return dt.isValid() ? QVariant(dt) : raw;
    }
    if (kind == QLatin1String("YESNO")) return raw.toDouble() != 0;
    if (kind == QLatin1String("DOUBLE") || kind == QLatin1String("CURRENCY")) {
        bool ok = false;
        const double d = raw.toDouble(&ok);
        return ok ? QVariant(d) : raw;
    }
    if (kind == QLatin1String("LONG") || kind == QLatin1String("INTEGER")) {
        bool ok = false;
        const qlonglong n = raw.toLongLong(&ok);
        return ok ? QVariant(n) : raw;
    }
    if (kind.startsWith(QLatin1String("TEXT")) && raw.typeId() != QMetaType::QString) return raw.toString();
    return raw;
}

QVariant Recordset::field(const QString &name) const {
    const int index = requireColumn(name);
    if (m_mode != EditMode::None) return convertForRead(index, m_buffer.at(index));
    if (eof()) throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record."));
    return convertForRead(index, m_rows.at(m_pos).at(index));
}

void Recordset::addNew() {
    if (!updatable()) throw AppError(ErrorNumber::NotUpdatable, QStringLiteral("Database or object is read-only."));
    m_mode = EditMode::Adding;
    m_buffer = QVector<QVariant>(m_columns.size());
    m_dirty = QVector<bool>(m_columns.size(), false);
    if (!m_autoNumberColumn.isEmpty()) {
        const int index = requireColumn(m_autoNumberColumn);
        m_buffer[index] = m_db.engine().reserveAutoNumber(m_table, m_autoNumberColumn);
        m_dirty[index] = true;
    }
}

void Recordset::edit() {
    if (!updatable()) throw AppError(ErrorNumber::NotUpdatable, QStringLiteral("Database or object is read-only."));
    if (eof()) throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record."));
    m_mode = EditMode::Editing;
    m_buffer = m_rows.at(m_pos);
    m_dirty = QVector<bool>(m_columns.size(), false);
}

void Recordset::setField(const QString &name, const QVariant &value) {
    if (m_mode == EditMode::None)
        throw AppError(ErrorNumber::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const int index = requireColumn(name);
    const ColumnMeta &meta = m_columns.at(index);
    if (meta.origin.compare(m_autoNumberColumn, Qt::CaseInsensitive) == 0 && !m_autoNumberColumn.isEmpty())
        throw AppError(3164, QStringLiteral("Field '%1' cannot be updated.").arg(meta.origin));
    TableColumn column;
    column.name = meta.origin.isEmpty() ? meta.name : meta.origin;
    column.declType = meta.declType;
    m_buffer[index] = toStored(column, value);
    m_dirty[index] = true;
}

void Recordset::update() {
    if (m_mode == EditMode::None)
        throw AppError(ErrorNumber::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    if (m_mode == EditMode::Adding) insertRow();
    else updateRow();
    m_mode = EditMode::None;
    m_buffer.clear();
    m_dirty.clear();
}

void Recordset::insertRow() {
    QStringList names;
    QStringList marks;
    QVector<QVariant> values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_dirty.at(i)) continue;
        names << QLatin1Char('"') + m_columns.at(i).origin + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << m_buffer.at(i);
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(m_table)
                            : QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(m_table, names.join(','), marks.join(','));
    auto statement = m_db.engine().prepare(sql);
    for (int i = 0; i < values.size(); ++i) statement->bind(i + 1, values.at(i));
    statement->step();
    // The new row joins the set after its last row; the current row stays where it was.
    m_rows << m_buffer;
    auto rowid = m_db.engine().prepare(QStringLiteral("SELECT last_insert_rowid()"));
    rowid->step();
    m_rowids << rowid->value(0).toLongLong();
}

void Recordset::updateRow() {
    QStringList sets;
    QVector<QVariant> values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_dirty.at(i)) continue;
        sets << QLatin1Char('"') + m_columns.at(i).origin + QStringLiteral("\" = ?");
        values << m_buffer.at(i);
    }
    if (!sets.isEmpty()) {
        auto statement = m_db.engine().prepare(
            QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?").arg(m_table, sets.join(',')));
        for (int i = 0; i < values.size(); ++i) statement->bind(i + 1, values.at(i));
        statement->bind(values.size() + 1, m_rowids.at(m_pos));
        statement->step();
    }
    m_rows[m_pos] = m_buffer;
}

void Recordset::close() {
    m_rows.clear();
    m_rowids.clear();
    m_mode = EditMode::None;
    m_pos = 0;
}

RowSet Recordset::rowSet() const {
    RowSet set;
    for (const ColumnMeta &c : m_columns) set.columns << RowSetColumn{c.name, c.table, c.origin, c.declType};
    set.rows.reserve(m_rows.size());
    for (const auto &raw : m_rows) {
        QVector<QVariant> row;
        row.reserve(raw.size());
        for (int i = 0; i < raw.size(); ++i) row << convertForRead(i, raw.at(i));
        set.rows << row;
    }
    return set;
}
