#include "data/Database.h"

#include "core/AppError.h"
#include "data/SqliteEngine.h"

#include <QRegularExpression>

namespace {
std::unique_ptr<Database> g_appDatabase;
}

std::unique_ptr<Database> Database::open(const QString &path) {
    return std::make_unique<Database>(std::make_unique<SqliteEngine>(path, SqliteEngine::OpenMode::ExistingOnly), path);
}

std::unique_ptr<Database> Database::create(const QString &path) {
    return std::make_unique<Database>(std::make_unique<SqliteEngine>(path, SqliteEngine::OpenMode::CreateNew), path);
}

Database::Database(std::unique_ptr<Engine> engine, QString path) : m_engine(std::move(engine)), m_path(std::move(path)) {}

Database::~Database() = default;

std::unique_ptr<Recordset> Database::openRecordset(const QString &sql) { return std::make_unique<Recordset>(*this, sql); }

void Database::execute(const QString &sql) {
    const QString native = m_engine->translate(sql);
    auto statement = m_engine->prepare(native);
    while (statement->step()) {
    }
    // SELECT ... INTO makes a new table: its text must compare as the plant's other
    // tables do, or a station typed in another letter case would not join.
    static const QRegularExpression createAs(QStringLiteral(R"(^\s*CREATE\s+TABLE\s+(\[[^\]]+\]|"[^"]+"|\w+)\s+AS\s+SELECT\b)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const auto match = createAs.match(native);
    if (match.hasMatch()) {
        QString table = match.captured(1);
        if (table.startsWith('[') || table.startsWith('"')) table = table.mid(1, table.size() - 2);
        m_engine->compareTextWithoutCase(table);
    }
}

void Database::begin() { m_engine->begin(); }
void Database::commit() { m_engine->commit(); }
void Database::rollback() { m_engine->rollback(); }

Transaction::Transaction(Database &db) : m_db(db), m_owner(!db.engine().inTransaction()) {
    if (m_owner) m_db.begin();
}

Transaction::~Transaction() {
    if (m_owner && !m_done) {
        try {
            m_db.rollback();
        } catch (...) {
            // The failure that brought us here is the one worth reporting.
        }
    }
}

void Transaction::commit() {
    if (m_owner && !m_done) m_db.commit();
    m_done = true;
}

Database &AppDatabase() {
    if (!g_appDatabase) throw AppError(ErrorNumber::CannotOpenDatabase, QStringLiteral("No database is open."));
    return *g_appDatabase;
}

bool HasAppDatabase() { return g_appDatabase != nullptr; }

void SetAppDatabase(std::unique_ptr<Database> db) { g_appDatabase = std::move(db); }

QString DatabasePath() { return g_appDatabase ? g_appDatabase->path() : QString(); }
