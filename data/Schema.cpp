#include "data/Schema.h"

#include "data/Catalogue.h"
#include "data/Database.h"

namespace Schema {

QStringList tableNames() {
    QStringList names;
    for (const CatalogueTable &table : Catalogue::tables()) names << table.name;
    return names;
}

void create(Database &db) {
    Engine &engine = db.engine();
    Transaction tx(db);
    for (const CatalogueTable &table : Catalogue::tables())
        for (const QString &sql : engine.createTable(table)) engine.prepare(sql)->step();
    for (const CatalogueIndex &index : Catalogue::indexes()) engine.prepare(engine.createIndex(index))->step();
    tx.commit();
}

}  // namespace Schema
