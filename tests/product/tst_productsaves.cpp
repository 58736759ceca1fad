// The product definition's multi-table writes, without a window: the delete of a style
// component with its operations.

#include "core/AppError.h"
#include "data/Database.h"
#include "product/ProductStore.h"
#include "tests/support/Fixtures.h"

#include <QtTest>

namespace {

// Two links of one style, each with operations at two stations.
void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Cushion', 'Seat', 1, 2, 'Active')");
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('FOAM1', 'Seat foam', 'Active')");
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('FOAM2', 'Back foam', 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'FOAM1', 2)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'FOAM2', 1)");
    for (int link : {1, 2})
        for (const char *station : {"Band Saw 1", "CNC"})
            db.exec(QStringLiteral("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID) VALUES (1, %1, '%2')")
                        .arg(link)
                        .arg(station));
}

// Runs one statement of the engine's own SQL, as another program could on the same file.
void native(const QString &sql) { AppDatabase().engine().prepare(sql)->step(); }

}  // namespace

class TestProductSaves : public QObject {
    Q_OBJECT
private slots:
    void deleteStyleComponentTakesItsOperations();
    void deleteStyleComponentFailingPartWayChangesNothing();
};

void TestProductSaves::deleteStyleComponentTakesItsOperations() {
    TestDatabase db;
    seed(db);
    DeleteStyleComponent(AppDatabase(), 1);
    QCOMPARE(db.count("StyleComponent", "ID = 1"), 0);
    QCOMPARE(db.count("StyleOperation", "ComponentID = 1"), 0);
    // The other link, its operations, the component and the style stay.
    QCOMPARE(db.count("StyleComponent", "ID = 2"), 1);
    QCOMPARE(db.count("StyleOperation", "ComponentID = 2"), 2);
    QCOMPARE(db.count("Component"), 2);
    QCOMPARE(db.count("Style"), 1);
}

// The link refuses to go after its operations were deleted: the operations come back,
// and the connection is free for the next write.
void TestProductSaves::deleteStyleComponentFailingPartWayChangesNothing() {
    TestDatabase db;
    seed(db);
    const bool server = IsServerAddress(db.path());
    if (server) {
        native("CREATE FUNCTION keep_links() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE EXCEPTION 'link locked'; END$$");
        native("CREATE TRIGGER KeepLinks BEFORE DELETE ON \"StyleComponent\" FOR EACH ROW EXECUTE FUNCTION keep_links()");
    } else {
        native("CREATE TRIGGER KeepLinks BEFORE DELETE ON StyleComponent BEGIN SELECT RAISE(ABORT, 'link locked'); END");
    }

    QVERIFY_THROWS_EXCEPTION(AppError, DeleteStyleComponent(AppDatabase(), 1));
    QCOMPARE(db.count("StyleComponent"), 2);
    QCOMPARE(db.count("StyleOperation", "ComponentID = 1"), 2);
    QCOMPARE(db.count("StyleOperation"), 4);
    QVERIFY(!AppDatabase().engine().inTransaction());

    native(server ? "DROP TRIGGER KeepLinks ON \"StyleComponent\"" : "DROP TRIGGER KeepLinks");
    DeleteStyleComponent(AppDatabase(), 1);
    QCOMPARE(db.count("StyleComponent"), 1);
    QCOMPARE(db.count("StyleOperation"), 2);
}

QTEST_GUILESS_MAIN(TestProductSaves)
#include "tst_productsaves.moc"
