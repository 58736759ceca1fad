#pragma once
// The master-data store: the statements of the customer and vendor tables, the lookup
// of one row by its name and the save of that row. Widget-free (quelby_core).

#include <QPair>
#include <QString>
#include <QVector>
#include <memory>

class Recordset;

// One of the master tables whose key is a name typed by the clerk.
struct MasterTable {
    QString keyColumn;  // Customer or Vendor
    QString listSql;    // every stored row, in name order
    QString lookupSql;  // one row, up to the opening quote of its name
};

namespace MasterStore {

const MasterTable &Customers();
const MasterTable &Vendors();

// Every stored row in name order, for the list of names.
std::unique_ptr<Recordset> List(const MasterTable &table);
// The stored row of that name (none when the name is unknown).
std::unique_ptr<Recordset> FindRow(const MasterTable &table, const QString &name);

// Writes the row of that name: edits the stored row (which keeps the date it was added
// on), or appends one dated now. Each (column, text) pair is written in the order given.
void SaveRow(const MasterTable &table, const QString &name, const QVector<QPair<QString, QString>> &columns);

// The plant's database file this copy works on, as config.txt named it (empty before one
// is open), and the version of the database engine that reads it: what the About box shows.
QString PlantPath();
QString EngineVersion();

}  // namespace MasterStore
