#include "data/Recordset.h"

#include "core/AppError.h"
#include "core/Values.h"
#include "data/Catalogue.h"
#include "data/Database.h"
#include "data/JetDialect.h"

#include <QDateTime>
#include <QSet>
#include <QTimeZone>
#include <cmath>
#include <cstring>

namespace {

// The desktop engine's bounds: Long is a 32-bit whole number; Currency keeps 4 decimals
// within +/-922,337,203,685,477.5807.
constexpr double kLongMin = -2147483648.0;
constexpr double kLongMax = 2147483647.0;
constexpr double kCurrencyLimit = 922337203685477.5807;

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
// numbers or True/False text. A number the column cannot hold (beyond a double, a Long
// or a Currency) does not convert.
double toNumber(const QString &column, const QVariant &value) {
    double number = 0;
    if (value.typeId() == QMetaType::Bool) {
        number = value.toBool() ? -1 : 0;
    } else if (value.typeId() == QMetaType::QString) {
        if (!Values::IsNumeric(value.toString())) conversionError(column, value);
        number = Values::NumericValue(value.toString());
    } else {
        bool ok = false;
        number = value.toDouble(&ok);
        if (!ok) conversionError(column, value);
    }
    if (!std::isfinite(number)) conversionError(column, value);
    return number;
}

QVariant toStoredNumber(ColumnKind kind, const QString &column, const QVariant &value) {
    const double number = toNumber(column, value);
    if (kind == ColumnKind::Money) {
        const double rounded = std::round(number * 10000.0) / 10000.0;
        if (std::fabs(rounded) > kCurrencyLimit) conversionError(column, value);
        return rounded;
    }
    if (kind == ColumnKind::WholeNumber || kind == ColumnKind::AutoNumber) {
        const double rounded = std::round(number);
        if (rounded < kLongMin || rounded > kLongMax) conversionError(column, value);
        return qlonglong(rounded);
    }
    return number;
}

QVariant toStoredYesNo(const QString &column, const QVariant &value) {
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        for (const char *yes : {"True", "Yes", "On"})
            if (t.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0) return 1;
        for (const char *no : {"False", "No", "Off"})
            if (t.compare(QLatin1String(no), Qt::CaseInsensitive) == 0) return 0;
    }
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? 1 : 0;
    return toNumber(column, value) != 0 ? 1 : 0;
}

QVariant toStoredDate(ColumnKind kind, const QString &column, const QVariant &value) {
    QDateTime when;
    if (value.typeId() == QMetaType::QDate) when = QDateTime(value.toDate(), QTime(0, 0));
    else if (value.typeId() == QMetaType::QDateTime) when = value.toDateTime();
    else if (value.typeId() == QMetaType::QString) when = parseDateTime(value.toString());
    if (!when.isValid()) conversionError(column, value);
    // Midnight is kept as the plain date, so that "<= #m/d/yyyy#" includes it.
    if (kind == ColumnKind::Date || when.time() == QTime(0, 0)) return when.date().toString(Qt::ISODate);
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant toStored(ColumnKind kind, const QString &column, const QVariant &value) {
    if (!value.isValid() || value.isNull()) return QVariant();
    switch (kind) {
    case ColumnKind::Number:
    case ColumnKind::WholeNumber:
    case ColumnKind::Money:
    case ColumnKind::AutoNumber: return toStoredNumber(kind, column, value);
    case ColumnKind::YesNo: return toStoredYesNo(column, value);
    case ColumnKind::Date:
    case ColumnKind::DateTime: return toStoredDate(kind, column, value);
    case ColumnKind::Text:
    case ColumnKind::Other: break;
    }
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::QDate) return Values::ShortDate(value.toDate());
    return value.toString();
}

// Digits of a stored ISO date or time: `count` digits at `at`, or -1.
template <typename Char>
int digitsAt(const Char *text, int at, int count) {
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const auto c = char16_t(text[i]);
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// A date as the plant stores it: yyyy-MM-dd, with " HH:mm:ss" where a time is kept. Read by
// hand, as each date of a long listing is read, from the stored bytes or from a string;
// any other text is left to parseDateTime().
template <typename Char>
bool readStoredDate(const Char *c, qsizetype size, QDate &date, QTime &time) {
    if (size != 10 && size != 19) return false;
    if (c[4] != Char('-') || c[7] != Char('-')) return false;
    const int year = digitsAt(c, 0, 4), month = digitsAt(c, 5, 2), day = digitsAt(c, 8, 2);
    if (year < 0 || month < 0 || day < 0) return false;
    date = QDate(year, month, day);
    if (!date.isValid()) return false;
    if (size == 10) {
        time = QTime(0, 0);
        return true;
    }
    if (c[10] != Char(' ') || c[13] != Char(':') || c[16] != Char(':')) return false;
    const int hour = digitsAt(c, 11, 2), minute = digitsAt(c, 14, 2), second = digitsAt(c, 17, 2);
    if (hour < 0 || minute < 0 || second < 0) return false;
    time = QTime(hour, minute, second);
    return time.isValid();
}

// The plant's local time, read through the zone's own table, which Qt reads once, rather than
// through the C library, which looks at the zone file again for every value.
QDateTime localDateTime(const QDate &date, const QTime &time) {
    static const QTimeZone local = QTimeZone::systemTimeZone();
    return local.isValid() ? QDateTime(date, time, local) : QDateTime(date, time);
}

QVariant dateOf(ColumnKind kind, const QDate &date, const QTime &time) {
    return kind == ColumnKind::Date ? QVariant(date) : QVariant(localDateTime(date, time));
}

QVariant readDate(ColumnKind kind, const QVariant &raw) {
    if (raw.typeId() == QMetaType::QString) {
        const QString text = raw.toString();
        QDate date;
        QTime time;
        if (readStoredDate(text.utf16(), text.size(), date, time)) return dateOf(kind, date, time);
    }
    const QDateTime dt = parseDateTime(raw.toString());
    if (!dt.isValid()) return raw;
    return kind == ColumnKind::Date ? QVariant(dt.date()) : QVariant(dt);
}

QVariant numberOr(const QVariant &raw, bool whole) {
    bool ok = false;
    if (whole) {
        const qlonglong n = raw.toLongLong(&ok);
        return ok ? QVariant(n) : raw;
    }
    const double d = raw.toDouble(&ok);
    return ok ? QVariant(d) : raw;
}

}  // namespace

QVariant StoredValue(ColumnKind kind, const QString &column, const QVariant &value) {
    return toStored(kind, column, value);
}

Recordset::Recordset(Database &db, const QString &jetSql, RecordsetType type) : m_db(db) {
    db.setOpened(jetSql, type);
    // Values compared in the WHERE clause are bound, so that a lookup by another ID runs the
    // statement already prepared for the first.
    const JetDialect::BoundValues bound = JetDialect::bindComparedValues(jetSql);
    const std::shared_ptr<Database::SelectPlan> plan = db.selectPlan(bound.text);
    std::unique_ptr<Statement> statement = plan->spare ? std::move(plan->spare) : db.engine().prepare(plan->native);
    try {
        for (int i = 0; i < bound.values.size(); ++i) statement->bind(i + 1, bound.values.at(i));
        const int count = statement->columnCount();
        m_keyColumns = plan->updatableTable.isEmpty() ? 0 : 1;
        // A SELECT * reads the table's columns as they are now, after a change of the table too.
        if (!plan->columns || plan->columns->columns.size() != count - m_keyColumns)
            plan->columns = resolveColumns(*statement, m_keyColumns, plan->updatableTable);
        m_shape = plan->columns;
        if (type == RecordsetType::ForwardOnly) {
            m_forwardOnly = true;
            m_atEnd = !statement->step();
            m_plan = plan;
            m_cursor = std::move(statement);
            if (m_atEnd) releaseCursor();
            return;
        }
        m_rows = RowStore(count);
        m_plan = plan;
        m_unread = std::move(statement);
    } catch (...) {
        statement->reset();
        throw;
    }
}

// A dynaset's rows, read the first time the set is asked for one. A set opened to add rows
// (a saved order, an invoice) never reads the thousands already in its table; rows it added
// before that keep their place after the rows read, as they would have had the set been
// read when it opened.
void Recordset::readRows() const {
    std::unique_ptr<Statement> statement = std::move(m_unread);
    RowStore added = std::move(m_rows);
    m_rows = RowStore(added.width());
    // Row keys are the engine's own values: compared by their text.
    auto keyOf = [](const RowStore::Cell &cell) { return RowStore::valueOf(cell).toString(); };
    QSet<QString> addedKeys;
    for (int i = 0; i < added.rowCount(); ++i) addedKeys.insert(keyOf(added.cell(i, 0)));
    try {
        while (statement->step()) {
            if (!addedKeys.isEmpty() && addedKeys.contains(keyOf(statement->cell(0)))) continue;
            statement->appendRowTo(m_rows, 0);
        }
    } catch (...) {
        statement->reset();
        m_rows = std::move(added);  // what the set knows for sure: the rows it added
        throw;
    }
    statement->reset();
    m_plan->spare = std::move(statement);
    for (int i = 0; i < added.rowCount(); ++i) m_rows.appendRow(added.row(i));
}

// A set that closes unread gives its statement back for the next set of its text.
void Recordset::releaseUnread() {
    if (!m_unread || !m_plan) return;
    m_unread->reset();
    m_plan->spare = std::move(m_unread);
}

// A forward-only set at its end gives its statement back for the next set of its text, and
// lets go of the file's read snapshot.
void Recordset::releaseCursor() {
    m_atEnd = true;
    if (!m_cursor || !m_plan) return;
    m_cursor->reset();
    m_plan->spare = std::move(m_cursor);
}

// The catalogue decides the kind of every column of a permanent table; the engine's
// metadata that of computed columns and of the production summary's own tables.
std::shared_ptr<const RecordsetColumns> Recordset::resolveColumns(Statement &statement, int first, const QString &table) {
    auto shape = std::make_shared<RecordsetColumns>();
    for (int i = first; i < statement.columnCount(); ++i) shape->columns << statement.column(i);
    for (int i = shape->columns.size() - 1; i >= 0; --i) {
        const ColumnMeta &c = shape->columns.at(i);
        shape->exact.insert(c.name, i);
        shape->folded.insert(c.name.toLower(), i);
        if (!c.table.isEmpty()) shape->folded.insert((c.table + '.' + c.origin).toLower(), i);
    }
    shape->kinds.reserve(shape->columns.size());
    for (const ColumnMeta &c : shape->columns) {
        const ColumnKind known = c.table.isEmpty() ? ColumnKind::Other : Catalogue::kindOf(c.table, c.origin);
        shape->kinds << (known != ColumnKind::Other ? known : c.kind);
    }
    shape->table = table;
    if (const CatalogueTable *t = table.isEmpty() ? nullptr : Catalogue::table(table)) {
        shape->table = t->name;  // the table's own spelling, however the statement spells it
        if (const CatalogueColumn *id = t->autoNumber()) shape->autoNumberColumn = id->name;
    }
    return shape;
}

Recordset::~Recordset() {
    releaseCursor();
    releaseUnread();
}

void Recordset::moveNext() {
    if (eof()) throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record."));
    ++m_pos;
    if (m_forwardOnly) step();
}

// The next row of a forward-only set; a failed step ends the set.
void Recordset::step() {
    bool more = false;
    try {
        more = m_cursor->step();
    } catch (...) {
        releaseCursor();
        throw;
    }
    if (!more) releaseCursor();
}

void Recordset::moveFirst() {
    if (m_forwardOnly && m_pos > 0)
        throw AppError(ErrorNumber::NotSupported, QStringLiteral("Operation is not supported for this type of object."));
    m_pos = 0;
}

int Recordset::columnIndex(const QString &name) const {
    std::vector<RecordsetColumns::ReadName> &names = m_shape->readNames;
    auto same = [&name](const RecordsetColumns::ReadName &read) {
        return read.name.constData() == name.constData() && read.name.size() == name.size();
    };
    if (m_nextName >= names.size()) m_nextName = 0;
    if (m_nextName < names.size() && same(names[m_nextName])) return names[m_nextName++].column;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!same(names[i])) continue;
        m_nextName = i + 1;
        return names[i].column;
    }
    // A name made afresh for each read (from a C string in a loop) lies elsewhere every
    // time: it is found by its characters, and kept once.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].name != name) continue;
        m_nextName = i + 1;
        return names[i].column;
    }
    const int column = lookUpColumn(name);
    constexpr std::size_t kNamesKept = 64;
    if (column >= 0 && names.size() < kNamesKept) {
        names.push_back({name, column});
        m_nextName = names.size();
    }
    return column;
}

int Recordset::lookUpColumn(const QString &name) const {
    // Most reads spell the name as the statement does; only the others pay for folding case.
    const auto exact = m_shape->exact.constFind(name);
    if (exact != m_shape->exact.constEnd()) return *exact;
    return m_shape->folded.value(name.toLower(), -1);
}

int Recordset::requireColumn(const QString &name) const {
    const int index = columnIndex(name);
    if (index < 0) throw AppError(ErrorNumber::ItemNotFound, QStringLiteral("Item '%1' not found in this collection.").arg(name));
    return index;
}

bool Recordset::hasField(const QString &name) const { return columnIndex(name) >= 0; }

QVariant Recordset::convertForRead(int column, const QVariant &raw) const {
    if (raw.isNull()) return QVariant();
    switch (m_shape->kinds.at(column)) {
    case ColumnKind::Date:
    case ColumnKind::DateTime: return readDate(m_shape->kinds.at(column), raw);
    case ColumnKind::YesNo: return raw.toDouble() != 0;
    case ColumnKind::Number:
    case ColumnKind::Money: return numberOr(raw, false);
    case ColumnKind::WholeNumber:
    case ColumnKind::AutoNumber: return numberOr(raw, true);
    case ColumnKind::Text: return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
    case ColumnKind::Other: break;
    }
    return raw;
}

// A field of the current row where it lies: in the store, or in a forward-only set's
// statement.
RowStore::Cell Recordset::currentCell(int column) const {
    return m_forwardOnly ? m_cursor->cell(m_keyColumns + column) : rows().cell(m_pos, m_keyColumns + column);
}

// A stored field read as it lies, as convertForRead() reads it from a value.
QVariant Recordset::readCell(int column, const RowStore::Cell &cell) const {
    using Type = RowStore::Type;
    const ColumnKind kind = m_shape->kinds.at(column);
    switch (cell.type) {
    case Type::Null: return QVariant();
    case Type::Whole:
        if (ColumnKinds::isNumeric(kind) && kind != ColumnKind::Number && kind != ColumnKind::Money) return QVariant(qlonglong(cell.whole));
        if (kind == ColumnKind::Number || kind == ColumnKind::Money) return QVariant(double(cell.whole));
        if (kind == ColumnKind::YesNo) return QVariant(cell.whole != 0);
        if (kind == ColumnKind::Other) return QVariant(qlonglong(cell.whole));
        break;
    case Type::Real:
        if (kind == ColumnKind::Number || kind == ColumnKind::Money || kind == ColumnKind::Other) return QVariant(cell.real);
        break;
    case Type::Text: {
        if (kind == ColumnKind::Text || kind == ColumnKind::Other || kind == ColumnKind::Date || kind == ColumnKind::DateTime) {
            QVariant value = textOf(column, cell);
            if (value.isValid()) return value;
        }
        break;
    }
    case Type::Bytes: break;
    }
    return convertForRead(column, RowStore::valueOf(cell));
}

// A stored text as the column reads it: a string, or a date where the column keeps dates
// (invalid for a date text not in the stored form). The values last read from each column
// are kept: a customer, a status or an order date repeated down a listing is made once. A
// dynaset knows them by where their text lies (the store keeps a repeated text once); a
// forward-only set by their bytes.
QVariant Recordset::textOf(int column, const RowStore::Cell &cell) const {
    const ColumnKind kind = m_shape->kinds.at(column);
    // Nothing is kept for a set of one row (a lookup), which reads each text once, nor for
    // a column whose texts do not come back (order numbers, addresses).
    const bool lookup = !m_forwardOnly && rows().rowCount() < 2;
    if (!lookup && m_readTexts.empty()) m_readTexts.resize(std::size_t(m_shape->columns.size()));
    if (lookup || m_readTexts[std::size_t(column)].misses >= kMissesBeforeGivingUp) {
        ReadText read;
        return readText(kind, cell, read) ? handOut(read) : QVariant();
    }
    ReadTexts &texts = m_readTexts[std::size_t(column)];
    auto same = [&](const ReadText &read) {
        if (!read.filled || read.size != cell.size) return false;
        if (!m_forwardOnly) return read.at == cell.at;
        return cell.size <= sizeof(read.kept) && std::memcmp(read.kept, cell.at, cell.size) == 0;
    };
    for (const ReadText &read : texts.recent) {
        if (!same(read)) continue;
        texts.misses = 0;
        return handOut(read);
    }
    ++texts.misses;
    ReadText &read = texts.recent[texts.next];
    if (!readText(kind, cell, read)) return QVariant();
    texts.next = (texts.next + 1) % int(std::size(texts.recent));
    read.at = cell.at;
    read.size = cell.size;
    read.filled = !m_forwardOnly || cell.size <= sizeof(read.kept);
    if (m_forwardOnly && read.filled) std::memcpy(read.kept, cell.at, cell.size);
    return handOut(read);
}

// A text made into the value its column reads: false for a date not in the stored form.
bool Recordset::readText(ColumnKind kind, const RowStore::Cell &cell, ReadText &read) {
    const QByteArrayView bytes = RowStore::bytes(cell);
    if (kind == ColumnKind::Date || kind == ColumnKind::DateTime) {
        QDate date;
        QTime time;
        if (!readStoredDate(bytes.data(), bytes.size(), date, time)) return false;
        read.kind = kind == ColumnKind::Date ? ReadText::Day : ReadText::When;
        read.day = date;
        if (kind == ColumnKind::DateTime) read.when = localDateTime(date, time);
    } else {
        read.kind = ReadText::Text;
        read.text = QString::fromUtf8(bytes);
    }
    return true;
}

// A value is handed out from the one kept as a QString, QDate or QDateTime: a QVariant made
// from one is made inline, where a QVariant copied is copied through its type's functions.
QVariant Recordset::handOut(const ReadText &read) {
    switch (read.kind) {
    case ReadText::Day: return QVariant(read.day);
    case ReadText::When: return QVariant(read.when);
    case ReadText::Text: break;
    }
    return QVariant(read.text);
}

QVariant Recordset::field(const QString &name) const {
    const int index = requireColumn(name);
    if (m_mode != EditMode::None) return convertForRead(index, m_buffer.at(index));
    if (eof()) throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record."));
    return readCell(index, currentCell(index));
}

void Recordset::addNew() {
    if (!updatable()) throw AppError(ErrorNumber::NotUpdatable, QStringLiteral("Database or object is read-only."));
    m_mode = EditMode::Adding;
    m_buffer = QVector<QVariant>(m_shape->columns.size());
    m_dirty = QVector<bool>(m_shape->columns.size(), false);
    if (!m_shape->autoNumberColumn.isEmpty()) {
        const int index = requireColumn(m_shape->autoNumberColumn);
        m_buffer[index] = m_db.engine().reserveAutoNumber(m_shape->table, m_shape->autoNumberColumn);
        m_dirty[index] = true;
    }
}

void Recordset::edit() {
    if (!updatable()) throw AppError(ErrorNumber::NotUpdatable, QStringLiteral("Database or object is read-only."));
    if (eof()) throw AppError(ErrorNumber::NoCurrentRecord, QStringLiteral("No current record."));
    m_mode = EditMode::Editing;
    m_buffer = m_rows.row(m_pos).mid(m_keyColumns);
    m_dirty = QVector<bool>(m_shape->columns.size(), false);
}

void Recordset::setField(const QString &name, const QVariant &value) {
    if (m_mode == EditMode::None)
        throw AppError(ErrorNumber::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const int index = requireColumn(name);
    const ColumnMeta &meta = m_shape->columns.at(index);
    if (meta.origin.compare(m_shape->autoNumberColumn, Qt::CaseInsensitive) == 0 && !m_shape->autoNumberColumn.isEmpty())
        throw AppError(3164, QStringLiteral("Field '%1' cannot be updated.").arg(meta.origin));
    m_buffer[index] = toStored(m_shape->kinds.at(index), meta.origin.isEmpty() ? meta.name : meta.origin, value);
    m_dirty[index] = true;
}

void Recordset::setField(const QString &name, const Values::TypedNumber &number) {
    try {
        setField(name, number.value);
    } catch (const AppError &e) {
        if (e.number() != ErrorNumber::ConversionError) throw;
        const ColumnMeta &meta = m_shape->columns.at(requireColumn(name));
        conversionError(meta.origin.isEmpty() ? meta.name : meta.origin, number.text);
    }
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
    QVector<QVariant> values;
    for (int i = 0; i < m_shape->columns.size(); ++i)
        if (m_dirty.at(i)) values << m_buffer.at(i);
    runKept(insertStatement(), values);
    // The new row joins the set after its last row; the current row stays where it was.
    m_rows.appendRow(QVector<QVariant>{m_db.engine().lastInsertedRowKey()} + m_buffer);
}

// The INSERT of the columns the row being added sets, made again only when they differ
// from the last row's: a long run of appends writes one text.
QString Recordset::insertStatement() {
    if (m_dirty == m_insertColumns && !m_insertSql.isEmpty()) return m_insertSql;
    Engine &engine = m_db.engine();
    QStringList names;
    QStringList marks;
    for (int i = 0; i < m_shape->columns.size(); ++i) {
        if (!m_dirty.at(i)) continue;
        names << engine.quoteName(m_shape->columns.at(i).origin);
        marks << QStringLiteral("?");
    }
    const QString table = engine.quoteName(m_shape->table);
    m_insertSql = names.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(','), marks.join(','));
    m_insertColumns = m_dirty;
    return m_insertSql;
}

// Runs a write of this set through the statement kept for its text, values bound in order.
void Recordset::runKept(const QString &sql, const QVector<QVariant> &values) {
    std::unique_ptr<Statement> statement = m_db.takeStatement(sql);
    try {
        for (int i = 0; i < values.size(); ++i) statement->bind(i + 1, values.at(i));
        statement->step();
    } catch (...) {
        statement->reset();
        throw;
    }
    m_db.giveBack(sql, std::move(statement));
}

void Recordset::updateRow() {
    Engine &engine = m_db.engine();
    QStringList sets;
    QVector<QVariant> values;
    for (int i = 0; i < m_shape->columns.size(); ++i) {
        if (!m_dirty.at(i)) continue;
        sets << engine.quoteName(m_shape->columns.at(i).origin) + QStringLiteral(" = ?");
        values << m_buffer.at(i);
    }
    if (!sets.isEmpty()) {
        values << m_rows.value(m_pos, 0);
        runKept(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                    .arg(engine.quoteName(m_shape->table), sets.join(','), engine.rowKeyExpression()),
                values);
    }
    m_rows.replaceRow(m_pos, QVector<QVariant>{m_rows.value(m_pos, 0)} + m_buffer);
}

void Recordset::close() {
    releaseCursor();
    releaseUnread();
    m_rows.clear();
    m_readTexts.clear();
    m_mode = EditMode::None;
    m_pos = 0;
}

RowSet Recordset::rowSet() {
    RowSet set;
    const int width = m_shape->columns.size();
    for (int i = 0; i < width; ++i) {
        const ColumnMeta &c = m_shape->columns.at(i);
        set.columns << RowSetColumn{c.name, c.table, c.origin, c.declType, m_shape->kinds.at(i)};
    }
    auto appendCurrent = [&] {
        QVector<QVariant> row;
        row.reserve(width);
        for (int i = 0; i < width; ++i) row << readCell(i, currentCell(i));
        set.rows << row;
    };
    if (m_forwardOnly) {
        for (; !m_atEnd; ++m_pos, step()) appendCurrent();
        return set;
    }
    const int current = m_pos;
    set.rows.reserve(rows().rowCount());
    for (m_pos = 0; m_pos < m_rows.rowCount(); ++m_pos) appendCurrent();
    m_pos = current;
    return set;
}
