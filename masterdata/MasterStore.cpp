#include "masterdata/MasterStore.h"

#include "core/Seams.h"
#include "data/Database.h"
#include "data/RowWriter.h"
#include "data/SqlText.h"

namespace MasterStore {

const MasterTable &Customers() {
    static const MasterTable table{QStringLiteral("Customer"), QStringLiteral("SELECT * FROM Customer ORDER BY Customer"),
                                   QStringLiteral("SELECT * FROM Customer WHERE Customer = '")};
    return table;
}

const MasterTable &Vendors() {
    static const MasterTable table{QStringLiteral("Vendor"), QStringLiteral("SELECT * FROM Vendor ORDER BY Vendor"),
                                   QStringLiteral("SELECT * FROM Vendor WHERE Vendor = '")};
    return table;
}

static QString lookupSql(const MasterTable &table, const QString &name) {
    return table.lookupSql + SqlText::Escaped(name) + QStringLiteral("'");
}

std::unique_ptr<Recordset> List(const MasterTable &table) {
    return AppDatabase().openRecordset(table.listSql, RecordsetType::ForwardOnly);
}

std::unique_ptr<Recordset> FindRow(const MasterTable &table, const QString &name) {
    return AppDatabase().openRecordset(lookupSql(table, name));
}

void SaveRow(const MasterTable &table, const QString &name, const QVector<QPair<QString, QString>> &columns) {
    WriteRow(AppDatabase(), lookupSql(table, name), [&](Recordset &rs, bool adding) {
        if (adding) rs.setField(QStringLiteral("DateAdded"), Seams::clock().now());
        for (const auto &[column, value] : columns) rs.setField(column, value);
    });
}

QString PlantPath() { return DatabasePath(); }

QString EngineVersion() { return HasAppDatabase() ? AppDatabase().engine().versionText() : QString(); }

}  // namespace MasterStore
