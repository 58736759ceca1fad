#include "tests/support/Fixtures.h"

#include "data/Database.h"
#include "tools/DemoPlant.h"
#include "data/Schema.h"
#include "tests/support/TestServer.h"

TestDatabase::TestDatabase(Content content) {
    m_path = TestServer::inUse() ? TestServer::makeDatabase() : m_dir.filePath(QStringLiteral("plant.db"));
    {
        auto db = Database::create(m_path);
        Schema::create(*db);
        if (content == Demo) DemoPlant::populate(*db);
    }
    SetAppDatabase(Database::open(m_path));
}

TestDatabase::~TestDatabase() {
    SetAppDatabase(nullptr);
    if (TestServer::inUse()) TestServer::dropDatabase(m_path);
}

RowSet TestDatabase::query(const QString &jetSql) const { return AppDatabase().openRecordset(jetSql)->rowSet(); }

void TestDatabase::exec(const QString &jetSql) const { AppDatabase().execute(jetSql); }

QVariant TestDatabase::scalar(const QString &jetSql) const {
    const RowSet rows = query(jetSql);
    return rows.rows.isEmpty() ? QVariant() : rows.rows.first().value(0);
}

int TestDatabase::count(const QString &table, const QString &where) const {
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
    return scalar(sql).toInt();
}
