// Which engine keeps a plant: a server named by a connection string, or a file.

#include "data/PostgresEngine.h"
#include "data/SqliteEngine.h"

#include <QFile>

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
