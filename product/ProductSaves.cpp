#include "product/ProductSaves.h"

#include "data/Database.h"

void DeleteStyleComponent(Database &db, qint64 styleComponentId) {
    const QString link = QString::number(styleComponentId);
    // The operations go first, so that even outside a transaction no operation would be
    // left behind without its link.
    Transaction tx(db);
    db.execute(QStringLiteral("DELETE * FROM StyleOperation WHERE ComponentID = ") + link);
    db.execute(QStringLiteral("DELETE * FROM StyleComponent WHERE ID = ") + link);
    tx.commit();
}
