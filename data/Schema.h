#pragma once
// The permanent tables of a plant database, made from the catalogue by the engine. Only
// the tools and the tests create them; the application never creates or alters a
// permanent table. It does add the catalogue's indexes a plant file made by an earlier
// build lacks, so that an old file finds its orders as quickly as a new one.

#include <QStringList>

class Database;

namespace Schema {

// Creates every table and index of the catalogue in an empty database, in one transaction.
void create(Database &db);
// Creates the catalogue's indexes the database lacks, in one transaction.
void addMissingIndexes(Database &db);
// The names of the permanent tables, in the order they are created.
QStringList tableNames();

}  // namespace Schema
