#include "data/DropTable.h"

#include "core/AppError.h"
#include "data/Database.h"

void DropTable(const QString &table) {
    try {
        AppDatabase().execute(QStringLiteral("DROP TABLE ") + table);
    } catch (const AppError &) {
        // The table was not there: nothing to drop.
    }
}
