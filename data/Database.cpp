#include "data/Database.h"

#include "core/AppError.h"
#include "data/Catalogue.h"
#include "data/JetDialect.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

std::unique_ptr<Database> g_appDatabase;

// A plant file holds every table of the catalogue; anything else (a file of another
// program, an empty file, a file whose making was cut short) is refused before a byte is
// written to it.
void requirePlantTables(Engine &engine, const QString &path) {
    QStringList present;
    for (const QString &name : engine.tableNames()) present << name.toLower();
    QStringList missing;
    for (const CatalogueTable &table : Catalogue::tables())
        if (!present.contains(table.name.toLower())) missing << table.name;
    if (missing.isEmpty()) return;
    const QString reason = missing.size() == Catalogue::tables().size()
                               ? QStringLiteral("it holds none of the plant's tables")
                               : QStringLiteral("the plant's tables %1 are missing").arg(missing.join(QStringLiteral(", ")));
    throw AppError(ErrorNumber::UnrecognizedFormat,
                   QStringLiteral("Unrecognized database format '%1': %2.").arg(path, reason));
}

QString temporaryNameBeside(const QString &path) {
    const QFileInfo target(path);
    const QString suffix = QString::number(QRandomGenerator::global()->generate64(), 36);
    return target.dir().filePath(target.fileName() + QStringLiteral(".incomplete-") + suffix);
}

}  // namespace

std::unique_ptr<Database> Database::open(const QString &path) {
    {
        const auto probe = OpenEngine(path, EngineAccess::ReadOnly);
        requirePlantTables(*probe, path);
    }
    auto db = std::make_unique<Database>(OpenEngine(path, EngineAccess::ReadWrite), path);
    Schema::addMissingIndexes(*db);
    db->m_caseFolding = db->engine().foldCaseOfEveryLetter();
    if (db->m_caseFolding.rebuilt) db->forgetStatements();
    return db;
}

QString Database::caseFoldingNotice() const {
    if (m_caseFolding.collisions.isEmpty()) return QString();
    return QStringLiteral("These names differ only in the case of letters other than A-Z, and would become one:\n\n%1\n\n"
                          "Until all but one of each are renamed, names in '%2' are compared without regard to "
                          "case for A-Z only, as before.")
        .arg(m_caseFolding.collisions.join(QLatin1Char('\n')), m_path);
}

std::unique_ptr<Database> Database::create(const QString &path) {
    return std::make_unique<Database>(OpenEngine(path, EngineAccess::CreateNew), path);
}

void Database::build(const QString &path, const std::function<void(Database &)> &fill) {
    if (IsServerAddress(path)) {
        // On a server the plant is made in one transaction: it appears whole or not at all.
        auto db = create(path);
        Transaction tx(*db);
        Schema::create(*db);
        fill(*db);
        tx.commit();
        return;
    }
    if (QFileInfo::exists(path))
        throw AppError(ErrorNumber::TableExists, QStringLiteral("Database '%1' already exists.").arg(path));
    const QString building = temporaryNameBeside(path);
    try {
        {
            auto db = create(building);
            Schema::create(*db);
            fill(*db);
        }
        // Renaming never replaces a file that appeared under the name meanwhile.
        if (!QFile::rename(building, path)) {
            if (QFileInfo::exists(path))
                throw AppError(ErrorNumber::TableExists, QStringLiteral("Database '%1' already exists.").arg(path));
            throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot move the new database to '%1'.").arg(path));
        }
    } catch (...) {
        RemovePlantFile(building);
        throw;
    }
}

void Database::backup(const QString &destination, bool replace) {
    if (IsServerAddress(m_path)) m_engine->backupTo(destination);  // refused, naming the server's own tools
    const QFileInfo target(destination);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(m_path).canonicalFilePath())
        throw AppError(ErrorNumber::PathFileAccessError,
                       QStringLiteral("'%1' is the plant itself; a backup goes to another file.").arg(destination));
    if (target.exists() && (!replace || target.isDir()))
        throw AppError(ErrorNumber::TableExists, QStringLiteral("'%1' already exists.").arg(destination));
    const QString building = temporaryNameBeside(destination);
    try {
        m_engine->backupTo(building);
        // An older file of that name is moved aside (and put back when the copy cannot
        // take its place) and its journal files removed, since they would be read with
        // the new file.
        if (replace) {
            const QString old = building + QStringLiteral(".old");
            if (target.exists() && !QFile::rename(destination, old))
                throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot replace '%1'.").arg(destination));
            RemovePlantFile(destination);
            if (!QFile::rename(building, destination)) {
                QFile::rename(old, destination);
                throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot move the copy to '%1'.").arg(destination));
            }
            QFile::remove(old);
        } else if (!QFile::rename(building, destination)) {
            throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot move the copy to '%1'.").arg(destination));
        }
    } catch (...) {
        RemovePlantFile(building);
        throw;
    }
}

Database::Database(std::unique_ptr<Engine> engine, QString path) : m_engine(std::move(engine)), m_path(std::move(path)) {}

Database::~Database() = default;

std::unique_ptr<Recordset> Database::openRecordset(const QString &sql, RecordsetType type) {
    return std::make_unique<Recordset>(*this, sql, type);
}

void Database::execute(const QString &sql) {
    if (m_observer) m_observer(sql, std::nullopt);
    const JetDialect::StatementShape shape = JetDialect::shapeOf(sql);
    if (shape.secondStatement) throw JetDialect::secondStatementError();
    // The values a write compares or sets are bound, so that the saves of a long session
    // prepare each statement once.
    JetDialect::BoundValues bound = JetDialect::bindComparedValues(sql);
    QString native = m_engine->translate(bound.text);
    const bool changesRows = native.startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive) ||
                             native.startsWith(QLatin1String("UPDATE"), Qt::CaseInsensitive) ||
                             native.startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive);
    if (!changesRows && !bound.values.isEmpty()) {
        bound = {sql, {}};
        native = m_engine->translate(sql);
    }
    // A statement that makes, drops or alters a table may change what a kept SELECT * returns.
    if (!changesRows) forgetStatements();
    auto run = [&] {
        auto statement = takeStatement(native);
        try {
            for (int i = 0; i < bound.values.size(); ++i) statement->bind(i + 1, bound.values.at(i));
            while (statement->step()) {
            }
        } catch (...) {
            statement->reset();
            throw;
        }
        if (changesRows) giveBack(native, std::move(statement));
    };
    if (shape.madeTable.isEmpty()) {
        run();
        return;
    }
    // A table made by SELECT ... INTO must compare text as the plant's other tables do, or
    // a station typed in another letter case would not join; it never exists without that.
    Transaction tx(*this);
    run();
    m_engine->compareTextWithoutCase(shape.madeTable);
    tx.commit();
}

std::unique_ptr<Statement> Database::takeStatement(const QString &nativeSql) {
    std::unique_ptr<Statement> statement = m_statements.take(nativeSql);
    return statement ? std::move(statement) : m_engine->prepare(nativeSql);
}

void Database::giveBack(const QString &nativeSql, std::unique_ptr<Statement> statement) {
    statement->reset();
    m_statements.put(nativeSql, std::move(statement));
}

std::shared_ptr<Database::SelectPlan> Database::selectPlan(const QString &jetSql) {
    if (const auto *kept = m_plans.find(jetSql)) return *kept;
    const JetDialect::StatementShape shape = JetDialect::shapeOf(jetSql);
    if (shape.secondStatement) throw JetDialect::secondStatementError();
    auto plan = std::make_shared<SelectPlan>();
    plan->updatableTable = shape.updatableTable;
    QString keyed = jetSql;
    // An updatable set selects the row key before its columns, to find each row again.
    if (!shape.updatableTable.isEmpty())
        keyed.insert(shape.starPosition, m_engine->rowKeyExpression() + QStringLiteral(" AS __rowkey__, "));
    plan->native = m_engine->translate(keyed);
    return m_plans.put(jetSql, std::move(plan));
}

void Database::forgetStatements() {
    m_statements.clear();
    m_plans.clear();
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
