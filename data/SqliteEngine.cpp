#include "data/SqliteEngine.h"

#include "core/AppError.h"
#include "data/Catalogue.h"
#include "data/JetDialect.h"
#include "data/SqlText.h"

#include <QFile>

#include <QFileInfo>
#include <QUrl>
#include <QVarLengthArray>
#include <algorithm>
#include <optional>
#include <sqlite3.h>

namespace {

// Maps SQLite's result codes onto the error numbers the office knows.
int errorNumberFor(int code) {
    switch (code & 0xff) {
    case SQLITE_NOTADB: return ErrorNumber::UnrecognizedFormat;
    case SQLITE_CANTOPEN: return ErrorNumber::CouldNotFindFile;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ErrorNumber::DatabaseBusy;
    case SQLITE_CONSTRAINT: return 3022;  // duplicate key
    default: return ErrorNumber::ReservedError;
    }
}

// A failure of a statement: a write lock held by another copy past the busy timeout is
// told in the office's words, not SQLite's "database is locked".
AppError statementError(int code, const QString &message) {
    const int number = errorNumberFor(code);
    return AppError(number, number == ErrorNumber::DatabaseBusy ? RecordsBusyText() : message);
}

// The plant's column kinds as declared in this engine's tables (see declaredType()). A
// table made by CREATE TABLE ... AS SELECT declares only the broad kinds INT, REAL, NUM
// and TEXT; NUM is left to the value itself.
ColumnKind kindOfDeclared(const QString &t) {
    if (t.startsWith(QLatin1String("TEXT"))) return ColumnKind::Text;
    if (t == QLatin1String("DOUBLE") || t == QLatin1String("REAL") || t == QLatin1String("FLOAT")) return ColumnKind::Number;
    if (t == QLatin1String("LONG") || t == QLatin1String("INT") || t == QLatin1String("INTEGER")) return ColumnKind::WholeNumber;
    if (t == QLatin1String("CURRENCY")) return ColumnKind::Money;
    if (t == QLatin1String("DATE")) return ColumnKind::Date;
    if (t == QLatin1String("DATETIME")) return ColumnKind::DateTime;
    if (t == QLatin1String("YESNO")) return ColumnKind::YesNo;
    return ColumnKind::Other;
}

// The declared type of a catalogue kind: the name tells the data layer the kind again
// when a result column is read, and gives SQLite the storage affinity it needs.
QString declaredType(const CatalogueColumn &column) {
    const QString name = QLatin1String(ColumnKinds::declaredName(column.kind));
    if (column.kind == ColumnKind::Text) return name + (column.key ? QStringLiteral(" COLLATE NOCASE PRIMARY KEY") : QStringLiteral(" COLLATE NOCASE"));
    if (column.kind == ColumnKind::AutoNumber) return name + QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
    return name;
}

// Text compared without regard to case, for every letter: each character stands for its
// simple case folding (Unicode), so "Müller" and "MÜLLER" are one name; "ß" and "SS" stay
// apart. Texts are UTF-8; a byte that begins no valid sequence stands for itself, above
// every character.
char32_t nextCharacter(const unsigned char *s, int n, int &i) {
    const unsigned char lead = s[i];
    int length = 1;
    char32_t c = lead;
    if (lead >= 0xC2 && lead < 0xE0) length = 2, c = lead & 0x1F;
    else if (lead >= 0xE0 && lead < 0xF0) length = 3, c = lead & 0x0F;
    else if (lead >= 0xF0 && lead < 0xF5) length = 4, c = lead & 0x07;
    else if (lead >= 0x80) length = 0;
    if (length == 0 || i + length > n) {
        ++i;
        return 0x110000 + lead;
    }
    for (int k = 1; k < length; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {
            ++i;
            return 0x110000 + lead;
        }
        c = (c << 6) | (s[i + k] & 0x3F);
    }
    i += length;
    return c > 0x10FFFF ? c : QChar::toCaseFolded(c);
}

// The rest of two texts from a character boundary on, character by character.
int compareFoldedFrom(const unsigned char *a, int n1, const unsigned char *b, int n2, int from) {
    int i = from, j = from;
    while (i < n1 && j < n2) {
        const char32_t x = nextCharacter(a, n1, i);
        const char32_t y = nextCharacter(b, n2, j);
        if (x != y) return x < y ? -1 : 1;
    }
    return int(i < n1) - int(j < n2);
}

// The plant's NOCASE. Plain ASCII, as most names and numbers are, is compared byte by byte
// exactly as SQLite's own NOCASE does, and the folded order of every other text agrees with
// it there, so keys of plain ASCII keep their order in an index made by either.
int compareFolded(void *, int n1, const void *p1, int n2, const void *p2) {
    const auto *a = static_cast<const unsigned char *>(p1);
    const auto *b = static_cast<const unsigned char *>(p2);
    const int n = std::min(n1, n2);
    for (int i = 0; i < n; ++i) {
        const unsigned char x = a[i], y = b[i];
        if ((x | y) & 0x80) return compareFoldedFrom(a, n1, b, n2, i);
        if (x == y) continue;
        const int lower = (x >= 'A' && x <= 'Z' ? x | 0x20 : x) - (y >= 'A' && y <= 'Z' ? y | 0x20 : y);
        if (lower != 0) return lower;
    }
    return n1 - n2;
}

// SQLite's own NOCASE (A-Z alone), for a file whose keys still stand in that order.
int compareAtoZ(void *, int n1, const void *p1, int n2, const void *p2) {
    const int same = sqlite3_strnicmp(static_cast<const char *>(p1), static_cast<const char *>(p2), std::min(n1, n2));
    return same != 0 ? same : n1 - n2;
}

// PRAGMA user_version of a file whose text keys are ordered by compareFolded; 0 in a file
// made by an earlier build.
constexpr int kKeysFoldEveryLetter = 1;
// The name compareFolded goes by beside NOCASE, for the statements that compare by it while
// NOCASE is still A-Z alone (the search for keys that would collide).
constexpr char kFoldedName[] = "FOLDCASE";

// like(pattern, text) as the desktop engine matches: * ? # [list] [!list], no case. The
// pattern is read once per statement and kept beside it while the rows are tried.
void jetLike(sqlite3_context *ctx, int argc, sqlite3_value **argv) {
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto *pattern = static_cast<const JetDialect::LikePattern *>(sqlite3_get_auxdata(ctx, 0));
    std::optional<JetDialect::LikePattern> unkept;
    if (!pattern) {
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[0])));
        sqlite3_set_auxdata(ctx, 0, new JetDialect::LikePattern(text),
                            [](void *kept) { delete static_cast<JetDialect::LikePattern *>(kept); });
        pattern = static_cast<const JetDialect::LikePattern *>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) pattern = &unkept.emplace(text);  // not kept (out of memory): used for this row
    }
    const auto *utf8 = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const int size = sqlite3_value_bytes(argv[1]);
    // Plain ASCII, as order numbers and names are, is widened in place without a string.
    QVarLengthArray<char16_t, 128> ascii;
    bool plain = true;
    for (int i = 0; i < size && plain; ++i) plain = static_cast<unsigned char>(utf8[i]) < 0x80;
    if (plain) {
        ascii.resize(size);
        for (int i = 0; i < size; ++i) ascii[i] = char16_t(utf8[i]);
        sqlite3_result_int(ctx, pattern->matches(QStringView(ascii.constData(), size)) ? 1 : 0);
    } else {
        sqlite3_result_int(ctx, pattern->matches(QString::fromUtf8(utf8, size)) ? 1 : 0);
    }
}

class SqliteStatement final : public Statement {
public:
    SqliteStatement(sqlite3 *db, sqlite3_stmt *stmt) : m_db(db), m_stmt(stmt) {}
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    void bind(int index, const QVariant &value) override {
        int rc = SQLITE_OK;
        if (value.isNull() || !value.isValid()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            default: {
                const QByteArray utf8 = value.toString().toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) throw statementError(rc, QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    bool step() override {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) {
            m_changes = sqlite3_changes(m_db);
            return false;
        }
        throw statementError(rc, QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    void reset() override {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_changes = 0;
    }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }

    ColumnMeta column(int index) const override {
        auto text = [](const char *s) { return s ? QString::fromUtf8(s) : QString(); };
        ColumnMeta meta;
        meta.name = text(sqlite3_column_name(m_stmt, index));
        meta.table = text(sqlite3_column_table_name(m_stmt, index));
        meta.origin = text(sqlite3_column_origin_name(m_stmt, index));
        meta.declType = text(sqlite3_column_decltype(m_stmt, index)).toUpper();
        meta.kind = kindOfDeclared(meta.declType);
        return meta;
    }

    QVariant value(int index) const override {
        switch (sqlite3_column_type(m_stmt, index)) {
        case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(m_stmt, index)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, index));
        case SQLITE_NULL: return QVariant();
        case SQLITE_BLOB: {
            const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, index));
            return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, index)));
        }
        default:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, index)),
                                              sqlite3_column_bytes(m_stmt, index)));
        }
    }

    // One call per field for its value, then the value's own readers, which skip the column
    // calls' checks.
    RowStore::Cell cell(int index) const override {
        RowStore::Cell cell{};
        sqlite3_value *value = sqlite3_column_value(m_stmt, index);
        switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            cell.type = RowStore::Type::Whole;
            cell.whole = sqlite3_value_int64(value);
            break;
        case SQLITE_FLOAT:
            cell.type = RowStore::Type::Real;
            cell.real = sqlite3_value_double(value);
            break;
        case SQLITE_NULL: cell.type = RowStore::Type::Null; break;
        case SQLITE_BLOB:
            cell.type = RowStore::Type::Bytes;
            cell.at = static_cast<const char *>(sqlite3_value_blob(value));
            cell.size = quint32(sqlite3_value_bytes(value));
            break;
        default:
            cell.type = RowStore::Type::Text;
            cell.at = reinterpret_cast<const char *>(sqlite3_value_text(value));
            cell.size = quint32(sqlite3_value_bytes(value));
        }
        return cell;
    }

    int changes() const override { return m_changes; }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt;
    int m_changes = 0;
};

}  // namespace

SqliteEngine::SqliteEngine(const QString &path, EngineAccess access) {
    const QFileInfo info(path);
    if (access != EngineAccess::CreateNew && !info.exists())
        throw AppError(ErrorNumber::CouldNotFindFile, QStringLiteral("Could not find file '%1'.").arg(path));
    if (access == EngineAccess::CreateNew && info.exists())
        throw AppError(ErrorNumber::TableExists, QStringLiteral("Database '%1' already exists.").arg(path));

    // A connection is used by one thread at a time, so SQLite need not lock it on every call.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    QByteArray name = path.toUtf8();
    if (access == EngineAccess::ReadOnly) {
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
        // Without a WAL file beside it the file itself holds everything: read it as
        // immutable, so that not even a WAL or shared-memory file is made next to a file of
        // another program.
        if (!QFileInfo::exists(path + QLatin1String("-wal"))) {
            flags |= SQLITE_OPEN_URI;
            name = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded() + "?immutable=1";
        }
    }
    if (access == EngineAccess::CreateNew) flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(name.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw AppError(errorNumberFor(rc), QStringLiteral("Cannot open database '%1': %2").arg(path, message));
    }
    sqlite3_busy_timeout(m_db, 10000);
    // A plant of ten years' history is read through a 64 MB page cache, without a memory
    // map: a mapped file counts every page a long listing once read as the application's
    // own memory (over 500 MB with every window open on 300,000 orders), and reading
    // through the cache was no slower on the large plant.
    sqlite3_exec(m_db, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    sqlite3_exec(m_db, "PRAGMA mmap_size=0", nullptr, nullptr, nullptr);
    sqlite3_extended_result_codes(m_db, 0);
    try {
        // Reading the schema proves the file is a database before anything is written.
        run("SELECT count(*) FROM sqlite_master");
        // A plant file in use takes the WAL journal, so that several copies can share it.
        // A file only read is left as it is; a new file is built in the plain journal and
        // takes WAL when it is first opened for work.
        if (access == EngineAccess::ReadWrite) run("PRAGMA journal_mode=WAL");
        run("PRAGMA foreign_keys=OFF");
    } catch (const AppError &e) {
        sqlite3_close(m_db);
        m_db = nullptr;
        if (e.number() == ErrorNumber::UnrecognizedFormat)
            throw AppError(e.number(), QStringLiteral("Unrecognized database format '%1'.").arg(path));
        throw;
    }
    addPlantFunctions(m_db);
    if (!keysFoldEveryLetter()) compareWithoutCase(false);
}

void SqliteEngine::addPlantFunctions(sqlite3 *db) {
    sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, jetLike, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, jetLike, nullptr, nullptr);
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, compareFolded);
    sqlite3_create_collation(db, kFoldedName, SQLITE_UTF8, nullptr, compareFolded);
}

void SqliteEngine::compareWithoutCase(bool everyLetter) {
    const int rc = sqlite3_create_collation(m_db, "NOCASE", SQLITE_UTF8, nullptr, everyLetter ? compareFolded : compareAtoZ);
    if (rc != SQLITE_OK) throw AppError(errorNumberFor(rc), QString::fromUtf8(sqlite3_errmsg(m_db)));
    m_foldsEveryLetter = everyLetter;
}

bool SqliteEngine::keysFoldEveryLetter() {
    auto version = prepare(QStringLiteral("PRAGMA user_version"));
    return version->step() && version->value(0).toInt() >= kKeysFoldEveryLetter;
}

CaseFoldingOutcome SqliteEngine::foldCaseOfEveryLetter() {
    if (m_foldsEveryLetter) return {};
    const bool ownTransaction = !inTransaction();
    if (ownTransaction) run("BEGIN IMMEDIATE");
    try {
        CaseFoldingOutcome outcome;
        if (keysFoldEveryLetter()) {
            compareWithoutCase(true);  // another copy ordered them meanwhile
        } else if (outcome.collisions = foldedCollisions(); outcome.collisions.isEmpty()) {
            compareWithoutCase(true);
            run("REINDEX NOCASE");
            run(QByteArray("PRAGMA user_version = " + QByteArray::number(kKeysFoldEveryLetter)).constData());
            outcome.rebuilt = true;
        }
        if (ownTransaction) run("COMMIT");
        return outcome;
    } catch (...) {
        if (ownTransaction && inTransaction()) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        compareWithoutCase(false);
        throw;
    }
}

// The keys of every unique index over text that would become one under compareFolded.
QStringList SqliteEngine::foldedCollisions() {
    QStringList found;
    auto indexes = prepare(QStringLiteral("SELECT m.name, i.name FROM sqlite_master m, pragma_index_list(m.name) i "
                                          "WHERE m.type = 'table' AND i.\"unique\" ORDER BY m.name, i.name"));
    while (indexes->step()) {
        const QString table = indexes->value(0).toString();
        QStringList keys, values;
        bool text = false;
        auto columns = prepare(QStringLiteral("SELECT name, coll FROM pragma_index_xinfo(%1) WHERE key AND name IS NOT NULL")
                                   .arg(SqlText::Quoted(indexes->value(1).toString())));
        while (columns->step()) {
            const bool nocase = columns->value(1).toString().compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0;
            text = text || nocase;
            keys << quoteName(columns->value(0).toString()) + (nocase ? QStringLiteral(" COLLATE ") + QLatin1String(kFoldedName) : QString());
            values << quoteName(columns->value(0).toString());
        }
        if (!text) continue;
        // Keys left empty (null) never collide in a unique index.
        auto same = prepare(QStringLiteral("SELECT group_concat(%1, char(31)) FROM %2 WHERE %3 IS NOT NULL GROUP BY %4 "
                                           "HAVING count(*) > 1")
                                .arg(values.join(QStringLiteral(" || ', ' || ")), quoteName(table),
                                     values.join(QStringLiteral(" IS NOT NULL AND ")), keys.join(',')));
        while (same->step()) {
            QStringList names = same->value(0).toString().split(QChar(31));
            names.sort();
            found << table + QStringLiteral(": ") + names.join(QStringLiteral(" | "));
        }
    }
    return found;
}

SqliteEngine::~SqliteEngine() {
    m_kept.clear();
    if (m_db) sqlite3_close_v2(m_db);
}

QString SqliteEngine::translate(const QString &jetSql) { return JetDialect::translate(jetSql); }

std::unique_ptr<Statement> SqliteEngine::prepare(const QString &nativeSql) {
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = nativeSql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(stmt);
        int number = errorNumberFor(rc);
        if (message.startsWith(QLatin1String("no such table"))) number = ErrorNumber::NoSuchTable;
        else if (message.contains(QLatin1String("already exists"))) number = ErrorNumber::TableExists;
        else if (message.startsWith(QLatin1String("no such column"))) number = 3061;  // too few parameters
        else if (number == ErrorNumber::ReservedError) number = ErrorNumber::SyntaxError;
        throw AppError(number, message + QStringLiteral(" in '") + nativeSql + QStringLiteral("'"));
    }
    if (!stmt) throw AppError(ErrorNumber::SyntaxError, QStringLiteral("Empty statement."));
    // SQLite prepares the first statement only: anything after it but blanks, comments
    // and semicolons would be dropped without a word, so it is refused.
    const char *end = utf8.constData() + utf8.size();
    while (tail && tail < end) {
        sqlite3_stmt *next = nullptr;
        const char *after = nullptr;
        const int nextRc = sqlite3_prepare_v2(m_db, tail, int(end - tail), &next, &after);
        if (next || nextRc != SQLITE_OK || after == tail) {
            sqlite3_finalize(next);
            sqlite3_finalize(stmt);
            throw JetDialect::secondStatementError();
        }
        tail = after;
    }
    return std::make_unique<SqliteStatement>(m_db, stmt);
}

QString SqliteEngine::quoteName(const QString &name) const {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString SqliteEngine::rowKeyExpression() const { return QStringLiteral("rowid"); }

QVariant SqliteEngine::lastInsertedRowKey() { return QVariant(qlonglong(sqlite3_last_insert_rowid(m_db))); }

QStringList SqliteEngine::tableNames() { return schemaNames("table"); }

QStringList SqliteEngine::indexNames() { return schemaNames("index"); }

QStringList SqliteEngine::schemaNames(const char *type) {
    QStringList names;
    auto stmt = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = '%1'").arg(QLatin1String(type)));
    while (stmt->step()) names << stmt->value(0).toString();
    return names;
}

QStringList SqliteEngine::createTable(const CatalogueTable &table) const {
    QStringList columns;
    for (const CatalogueColumn &c : table.columns) columns << quoteName(c.name) + QLatin1Char(' ') + declaredType(c);
    return {QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(table.name), columns.join(QStringLiteral(", ")))};
}

QVector<SqliteEngine::TableColumn> SqliteEngine::tableColumns(const QString &table) {
    QVector<TableColumn> columns;
    auto stmt = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)));
    while (stmt->step()) columns << TableColumn{stmt->value(1).toString(), stmt->value(2).toString().toUpper()};
    return columns;
}

// Auto-numbers. The next number of a table is one more than the highest ever handed out
// (its sqlite_sequence entry) or stored, and is written to sqlite_sequence at once, in a
// write transaction, so that two copies appending at the same moment never get the same
// number. A number reserved inside a transaction that later rolls back is written again
// by rollback() before the write lock is let go, so it is never handed out twice either.
qint64 SqliteEngine::reserveAutoNumber(const QString &table, const QString &column) {
    const bool ownTransaction = !inTransaction();
    if (!ownTransaction) {
        if (const qint64 next = nextInRun(table); next > 0) return next;
    }
    if (ownTransaction) run("BEGIN IMMEDIATE");
    try {
        const QString quotedTable = QString(table).replace('\'', "''");
        qint64 next = qMax<qint64>(1, m_reserved.value(table) + 1);
        {
            // Names are matched without regard to case, as SQLite matches table names.
            Statement &seq = kept(QStringLiteral("SELECT max(seq) FROM sqlite_sequence WHERE name = '%1' COLLATE NOCASE").arg(quotedTable));
            if (seq.step() && !seq.value(0).isNull()) next = qMax(next, seq.value(0).toLongLong() + 1);
            seq.reset();
        }
        {
            Statement &max = kept(QStringLiteral("SELECT max(%1) FROM %2").arg(quoteName(column), quoteName(table)));
            if (max.step() && !max.value(0).isNull()) next = qMax(next, max.value(0).toLongLong() + 1);
            max.reset();
        }
        keepSequenceAtLeast(table, next);
        if (ownTransaction) {
            run("COMMIT");
        } else {
            m_reserved[table] = qMax(m_reserved.value(table), next);
            m_lastReserved[table] = {next, sqlite3_total_changes(m_db)};
        }
        return next;
    } catch (...) {
        if (ownTransaction) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// Inside a transaction this connection alone writes the file. When nothing was written
// since the table's last number was reserved, or only that number's own row was stored,
// the next number is the one after it, and no statement need ask; anything else written
// meanwhile (a row stored by plain SQL) sends the caller to read the table again. The
// numbers reserved so are written to sqlite_sequence when the transaction ends.
qint64 SqliteEngine::nextInRun(const QString &table) {
    const auto last = m_lastReserved.find(table);
    if (last == m_lastReserved.end()) return 0;
    const int changes = sqlite3_total_changes(m_db);
    const bool untouched = changes == last->changes;
    const bool ownRowOnly = changes == last->changes + 1 && sqlite3_last_insert_rowid(m_db) == last->number;
    if (!untouched && !ownRowOnly) return 0;
    const qint64 next = last->number + 1;
    *last = {next, changes};
    m_reserved[table] = qMax(m_reserved.value(table), next);
    return next;
}

void SqliteEngine::keepAutoNumberPast(const QString &table, const QString &, qint64 highest) {
    keepSequenceAtLeast(table, highest);
}

void SqliteEngine::keepSequenceAtLeast(const QString &table, qint64 number) {
    const QString quotedTable = QString(table).replace('\'', "''");
    Statement &write = kept(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = '%1' COLLATE NOCASE").arg(quotedTable));
    write.bind(1, number);
    write.step();
    const int changed = write.changes();
    write.reset();
    if (changed == 0)
        prepare(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('%1', %2)").arg(quotedTable).arg(number))->step();
}

Statement &SqliteEngine::kept(const QString &sql) {
    auto found = m_kept.find(sql);
    if (found == m_kept.end()) found = m_kept.emplace(sql, prepare(sql)).first;
    found->second->reset();
    return *found->second;
}

void SqliteEngine::compareTextWithoutCase(const QString &table) {
    m_kept.clear();  // the statements naming the table are made again for the new one
    // A table made by CREATE TABLE ... AS SELECT has no collation of its own: copy it into
    // one whose text columns compare without regard to case, under the same name.
    const QString staging = table + QStringLiteral("__nocase");
    QStringList columns;
    QStringList names;
    for (const TableColumn &c : tableColumns(table)) {
        const QString quoted = quoteName(c.name);
        names << quoted;
        // Text columns, and computed columns of no declared kind, compare without case;
        // the kind of every column stays as it was, so sums remain numbers.
        const bool text = c.declType.isEmpty() || c.declType.startsWith(QLatin1String("TEXT"));
        columns << quoted + QLatin1Char(' ') + c.declType + (text ? QStringLiteral(" COLLATE NOCASE") : QString());
    }
    if (columns.isEmpty()) return;
    prepare(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(staging), columns.join(QStringLiteral(", "))))->step();
    prepare(QStringLiteral("INSERT INTO %1 SELECT %2 FROM %3").arg(quoteName(staging), names.join(','), quoteName(table)))->step();
    prepare(QStringLiteral("DROP TABLE %1").arg(quoteName(table)))->step();
    prepare(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoteName(staging), quoteName(table)))->step();
}

// A transaction is BEGIN IMMEDIATE (the write lock at once, so two copies never deadlock
// half-way) with a savepoint, so that rollback() can undo the work and still keep the
// auto-numbers reserved in it.
void SqliteEngine::begin() {
    run("BEGIN IMMEDIATE");
    m_reserved.clear();
    m_lastReserved.clear();
    try {
        run("SAVEPOINT work");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteEngine::commit() {
    m_lastReserved.clear();
    // Numbers reserved without a row stored stay handed out.
    for (auto it = m_reserved.constBegin(); it != m_reserved.constEnd(); ++it) keepSequenceAtLeast(it.key(), it.value());
    run("COMMIT");
    m_reserved.clear();
}

void SqliteEngine::rollback() {
    m_lastReserved.clear();
    if (m_reserved.isEmpty()) {
        if (inTransaction()) run("ROLLBACK");
        return;
    }
    if (!inTransaction()) {
        // SQLite rolled back by itself (a full disk, an I/O error): write the numbers again
        // in a transaction of their own, as soon as the file can be written.
        keepReservedNumbers();
        return;
    }
    try {
        run("ROLLBACK TO work");
        for (auto it = m_reserved.constBegin(); it != m_reserved.constEnd(); ++it) keepSequenceAtLeast(it.key(), it.value());
        m_reserved.clear();
        run("COMMIT");
    } catch (...) {
        m_reserved.clear();
        if (inTransaction()) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteEngine::keepReservedNumbers() {
    const QHash<QString, qint64> reserved = std::exchange(m_reserved, {});
    try {
        run("BEGIN IMMEDIATE");
        for (auto it = reserved.constBegin(); it != reserved.constEnd(); ++it) keepSequenceAtLeast(it.key(), it.value());
        run("COMMIT");
    } catch (...) {
        if (inTransaction()) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

bool SqliteEngine::inTransaction() const { return m_db && !sqlite3_get_autocommit(m_db); }

void SqliteEngine::run(const char *sql) {
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(message);
        throw statementError(rc, text);
    }
}

QString SqliteEngine::libraryVersion() { return QString::fromLatin1(sqlite3_libversion()); }

void SqliteEngine::removeSideFiles(const QString &path) {
    for (const char *suffix : {"-journal", "-wal", "-shm"}) QFile::remove(path + QLatin1String(suffix));
}

void SqliteEngine::backupTo(const QString &path) {
    sqlite3 *copy = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &copy,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    const auto fail = [&](int code) {
        const QString message = copy ? QString::fromUtf8(sqlite3_errmsg(copy)) : QStringLiteral("out of memory");
        sqlite3_close(copy);
        throw AppError(errorNumberFor(code), QStringLiteral("Cannot copy the plant to '%1': %2").arg(path, message));
    };
    if (rc != SQLITE_OK) fail(rc);
    sqlite3_backup *backup = sqlite3_backup_init(copy, "main", m_db, "main");
    if (!backup) fail(sqlite3_errcode(copy));
    // All pages in one step: the source is read in one read transaction, so the copy is
    // the file at one moment; with the WAL journal the other copies' saves go on meanwhile
    // and do not restart the copy. A write lock held elsewhere is waited for.
    for (int tries = 0;; ++tries) {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || tries == 200) break;
        sqlite3_sleep(50);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) fail(rc);
    // The copy is one self-contained file in the plain journal, ready to be moved or
    // opened anywhere; the application turns WAL on again when it opens it for work.
    rc = sqlite3_exec(copy, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc);
    sqlite3_close(copy);
}

QStringList SqliteEngine::integrityProblems() {
    QStringList problems;
    auto check = prepare(QStringLiteral("PRAGMA integrity_check"));
    while (check->step()) problems << check->value(0).toString();
    if (problems == QStringList{QStringLiteral("ok")}) problems.clear();
    return problems;
}
