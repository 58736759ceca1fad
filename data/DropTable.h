#pragma once
#include <QString>

// Drops a temporary table; a failure (above all, the table not existing) is ignored.
void DropTable(const QString &table);
