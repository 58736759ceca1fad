#include "tests/support/TestServer.h"

#include "data/PostgresEngine.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

QString server() { return qEnvironmentVariable("QUELBY_PG_SERVER"); }

QString databaseOf(const QString &address) { return address.section(QStringLiteral("dbname="), -1).section(' ', 0, 0); }

}  // namespace

namespace TestServer {

bool inUse() {
    if (qEnvironmentVariable("QUELBY_TEST_ENGINE") != QLatin1String("postgresql")) return false;
    if (server().isEmpty()) {
        std::fputs("SKIP: no PostgreSQL server for this pass (QUELBY_PG_SERVER is not set; scripts/test.sh starts one)\n", stderr);
        std::exit(77);
    }
    return true;
}

QString makeDatabase() {
    static int made = 0;
    const QString name = QStringLiteral("quelby_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    PostgresEngine maintenance(server(), EngineAccess::ReadWrite);
    maintenance.run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    maintenance.run(QStringLiteral("CREATE DATABASE %1").arg(name));
    return server() + QStringLiteral(" dbname=") + name;
}

void dropDatabase(const QString &address) {
    PostgresEngine(server(), EngineAccess::ReadWrite).run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(databaseOf(address)));
}

}  // namespace TestServer
