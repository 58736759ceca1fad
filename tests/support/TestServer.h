#pragma once
// Plants made on a PostgreSQL server for the pass of the suite that runs on it
// (QUELBY_TEST_ENGINE=postgresql, the server in QUELBY_PG_SERVER).

#include <QString>

namespace TestServer {

// True in the server pass. Without a server named there, the test ends at once as
// skipped (exit code 77), saying why.
bool inUse();
// A new, empty database on the server; its connection string.
QString makeDatabase();
// Drops a database made by makeDatabase(), closing whatever still uses it.
void dropDatabase(const QString &address);

}  // namespace TestServer
