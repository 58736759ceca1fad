#pragma once
// Writes of the product definition that touch more than one table. Each runs in one
// transaction, so a failure part-way leaves every table as it was; the windows gather
// what the clerk chose, ask their questions and call these.

#include <QtGlobal>

class Database;

// Removes a style component (the link of a component to a style) together with every
// operation attached to it. The component itself and the style stay.
void DeleteStyleComponent(Database &db, qint64 styleComponentId);
