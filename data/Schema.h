#pragma once
// The permanent tables of a plant database, made from the catalogue by the engine. Only
// the tools and the tests create them; the application never creates or alters a
// permanent table.

#include <QStringList>

class Database;

namespace Schema {

// Creates every table and index of the catalogue in an empty database, in one transaction.
void create(Database &db);
// The names of the permanent tables, in the order they are created.
QStringList tableNames();

}  // namespace Schema
