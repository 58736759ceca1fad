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
    engine.foldCaseOfEveryLetter();  // a new file compares every letter from the start
    tx.commit();
}

void addMissingIndexes(Database &db) {
    Engine &engine = db.engine();
    QStringList present;
    for (const QString &name : engine.indexNames()) present << name.toLower();
    QVector<CatalogueIndex> missing;
    for (const CatalogueIndex &index : Catalogue::indexes())
        if (!present.contains(index.name.toLower())) missing << index;
    if (missing.isEmpty()) return;
    Transaction tx(db);
    for (const CatalogueIndex &index : missing) engine.prepare(engine.createIndex(index))->step();
    tx.commit();
    db.forgetStatements();  // statements planned before may now use the new indexes
}

}  // namespace Schema
