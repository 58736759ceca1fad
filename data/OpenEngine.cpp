// Which engine keeps a plant: a server named by a connection string, or a file; and what
// every engine writes alike.

#include "data/Catalogue.h"
#include "data/PostgresEngine.h"
#include "data/SqliteEngine.h"

#include <QFile>

QString Engine::createIndex(const CatalogueIndex &index) const {
    QStringList columns;
    for (const QString &c : index.columns) columns << quoteName(c);
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(quoteName(index.name), quoteName(index.table), columns.join(QStringLiteral(", ")));
}

std::unique_ptr<Engine> OpenEngine(const QString &path, EngineAccess access) {
    if (PostgresEngine::isServerAddress(path)) return std::make_unique<PostgresEngine>(path, access);
    return std::make_unique<SqliteEngine>(path, access);
}

bool IsServerAddress(const QString &path) { return PostgresEngine::isServerAddress(path); }

bool AddressHoldsPassword(const QString &path) { return IsServerAddress(path) && PostgresEngine::holdsPassword(path); }

void RemovePlantFile(const QString &path) {
    if (IsServerAddress(path)) return;  // a server's plant is never removed by a program
    QFile::remove(path);
    SqliteEngine::removeSideFiles(path);
}
