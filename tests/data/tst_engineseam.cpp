// The data layer above the Engine seam: with an engine that only records what it is asked,
// a result set opens, adds, edits and stores rows, and a SELECT ... INTO runs, using
// nothing but the engine's own words (its row key, quoting and DDL). A second engine can
// stand in without a change above the seam.

#include "core/AppError.h"
#include "data/Catalogue.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "tests/support/Fixtures.h"

#include <QtTest>
#include <memory>

namespace {

struct Log {
    QStringList statements;          // every text prepared, and BEGIN / COMMIT / ROLLBACK
    QVector<QVariantList> bindings;  // the values bound to each prepared text, in order
    QVector<QVariantList> runs;      // the values bound at each run of a statement, in order
};

// Answers every SELECT with the rows it was given; records everything else.
class RecordingStatement : public Statement {
public:
    RecordingStatement(Log &log, QVector<ColumnMeta> columns, QVector<QVector<QVariant>> rows)
        : m_log(log), m_index(log.bindings.size() - 1), m_columns(std::move(columns)), m_rows(std::move(rows)) {}
    void bind(int index, const QVariant &value) override {
        QVariantList &bound = m_log.bindings[m_index];
        while (bound.size() < index) bound << QVariant();
        bound[index - 1] = value;
    }
    bool step() override {
        if (m_row < 0) m_log.runs << m_log.bindings.at(m_index);
        return ++m_row < m_rows.size();
    }
    void reset() override { m_row = -1; }
    int columnCount() const override { return m_columns.size(); }
    ColumnMeta column(int index) const override { return m_columns.at(index); }
    QVariant value(int index) const override { return m_rows.at(m_row).at(index); }
    int changes() const override { return 1; }

private:
    Log &m_log;
    int m_index;
    QVector<ColumnMeta> m_columns;
    QVector<QVector<QVariant>> m_rows;
    int m_row = -1;
};

class RecordingEngine : public Engine {
public:
    Log log;
    QVector<ColumnMeta> columns;  // what a SELECT returns
    QVector<QVector<QVariant>> rows;
    bool failTextComparison = false;
    int inserted = 0;

    QString translate(const QString &jetSql) override { return jetSql; }
    std::unique_ptr<Statement> prepare(const QString &nativeSql) override {
        log.statements << nativeSql;
        log.bindings << QVariantList();
        const bool select = nativeSql.startsWith(QLatin1String("SELECT"));
        if (nativeSql.startsWith(QLatin1String("INSERT"))) ++inserted;
        return std::make_unique<RecordingStatement>(log, select ? columns : QVector<ColumnMeta>(),
                                                    select ? rows : QVector<QVector<QVariant>>());
    }
    QString quoteName(const QString &name) const override { return '`' + name + '`'; }
    QString rowKeyExpression() const override { return QStringLiteral("ROW_KEY()"); }
    QVariant lastInsertedRowKey() override { return QStringLiteral("new-%1").arg(inserted); }
    QStringList tableNames() override { return Schema::tableNames(); }
    QStringList indexNames() override { return {}; }
    QStringList createTable(const CatalogueTable &table) const override {
        return {QStringLiteral("CREATE TABLE ") + quoteName(table.name)};
    }
    QString versionText() const override { return QStringLiteral("recording"); }
    QString createIndex(const CatalogueIndex &index) const override {
        return QStringLiteral("CREATE INDEX ") + quoteName(index.name);
    }
    qint64 reserveAutoNumber(const QString &, const QString &) override { return 41; }
    void keepAutoNumberPast(const QString &, const QString &, qint64) override {}
    void compareTextWithoutCase(const QString &table) override {
        log.statements << QStringLiteral("TEXT WITHOUT CASE ") + table;
        if (failTextComparison) throw AppError(ErrorNumber::ReservedError, QStringLiteral("disk full"));
    }
    void begin() override {
        log.statements << QStringLiteral("BEGIN");
        m_open = true;
    }
    void commit() override {
        log.statements << QStringLiteral("COMMIT");
        m_open = false;
    }
    void rollback() override {
        log.statements << QStringLiteral("ROLLBACK");
        m_open = false;
    }
    bool inTransaction() const override { return m_open; }
    void backupTo(const QString &) override {}
    QStringList integrityProblems() override { return {}; }

private:
    bool m_open = false;
};

// The columns of an Orders row as an engine reports them, the row key first.
void answerWithOrders(RecordingEngine &engine) {
    engine.columns << ColumnMeta{QStringLiteral("__rowkey__"), {}, {}, {}, ColumnKind::Other};
    QVector<QVariant> row{QStringLiteral("key-5")};
    for (const CatalogueColumn &c : Catalogue::table(QStringLiteral("Orders"))->columns) {
        engine.columns << ColumnMeta{c.name, QStringLiteral("Orders"), c.name, {}, ColumnKind::Other};
        row << (c.name == QLatin1String("ID") ? QVariant(5) : QVariant());
    }
    engine.rows << row;
}

}  // namespace

class tst_EngineSeam : public QObject {
    Q_OBJECT

private slots:
    void recordsetSpeaksOnlyThroughTheEngine();
    void madeTableAndItsTextComparisonAreOneUnit_data();
    void madeTableAndItsTextComparisonAreOneUnit();
    void schemaIsMadeFromTheCatalogue();
    void engineDeclaresTheCatalogueKinds();
};

void tst_EngineSeam::recordsetSpeaksOnlyThroughTheEngine() {
    auto owned = std::make_unique<RecordingEngine>();
    RecordingEngine &engine = *owned;
    answerWithOrders(engine);
    Database db(std::move(owned), QStringLiteral("plant"));

    auto rs = db.openRecordset("SELECT TOP 1 * FROM Orders WHERE OrderNumber = 'join us'");
    QVERIFY(rs->updatable());
    rs->addNew();
    QCOMPARE(rs->field("ID").toLongLong(), 41);
    rs->setField("OrderNumber", "PO-9");
    rs->setField("Total", "$12.50");
    rs->update();
    rs->edit();  // the row the set opened on
    rs->setField("Status", "Closed");
    rs->update();
    rs->moveNext();  // the row just added
    rs->edit();
    rs->setField("Status", "Void");
    rs->update();
    rs->close();

    // The UPDATE of one column is prepared once and kept for the second edit.
    QCOMPARE(engine.log.statements,
             (QStringList{"SELECT TOP 1 ROW_KEY() AS __rowkey__, * FROM Orders WHERE OrderNumber = ?",
                          "INSERT INTO `Orders` (`ID`,`OrderNumber`,`Total`) VALUES (?,?,?)",
                          "UPDATE `Orders` SET `Status` = ? WHERE ROW_KEY() = ?"}));
    QCOMPARE(engine.log.bindings.at(0), (QVariantList{"join us"}));
    QCOMPARE(engine.log.bindings.at(1), (QVariantList{41, "PO-9", 12.5}));
    // The set reads its row the first time it is asked for one, at the edit after the insert;
    // the row it added stays after it.
    QCOMPARE(engine.log.runs,
             (QVector<QVariantList>{{41, "PO-9", 12.5}, {"join us"}, {"Closed", "key-5"}, {"Void", "new-1"}}));
    for (const QString &sql : engine.log.statements)
        for (const char *word : {"rowid", "sqlite", "pragma", "last_insert", "autoincrement", "\""})
            QVERIFY2(!sql.contains(QLatin1String(word), Qt::CaseInsensitive), qPrintable(sql));
}

void tst_EngineSeam::madeTableAndItsTextComparisonAreOneUnit_data() {
    QTest::addColumn<bool>("comparisonFails");
    QTest::newRow("made") << false;
    QTest::newRow("interrupted") << true;
}

// A summary table never exists without the plant's text comparison: its making and the
// rebuild run in one transaction.
void tst_EngineSeam::madeTableAndItsTextComparisonAreOneUnit() {
    QFETCH(bool, comparisonFails);
    auto owned = std::make_unique<RecordingEngine>();
    RecordingEngine &engine = *owned;
    engine.failTextComparison = comparisonFails;
    Database db(std::move(owned), QStringLiteral("plant"));
    const QString sql = "SELECT Station, Rate INTO [tmpGlueLineMain] FROM Operation";
    bool failed = false;
    try {
        db.execute(sql);
    } catch (const AppError &) {
        failed = true;
    }
    QCOMPARE(failed, comparisonFails);
    QCOMPARE(engine.log.statements, (QStringList{"BEGIN", sql, "TEXT WITHOUT CASE tmpGlueLineMain",
                                                 comparisonFails ? "ROLLBACK" : "COMMIT"}));

    // A second statement is refused before the engine is asked anything.
    engine.log.statements.clear();
    try {
        db.execute("DELETE FROM Orders; DELETE FROM Bun");
        QFAIL("a second statement was accepted");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), 3142);
    }
    QCOMPARE(engine.log.statements, QStringList());
}

void tst_EngineSeam::schemaIsMadeFromTheCatalogue() {
    auto owned = std::make_unique<RecordingEngine>();
    RecordingEngine &engine = *owned;
    Database db(std::move(owned), QStringLiteral("plant"));
    Schema::create(db);
    QStringList expected{"BEGIN"};
    for (const CatalogueTable &t : Catalogue::tables()) expected << "CREATE TABLE `" + t.name + "`";
    for (const CatalogueIndex &i : Catalogue::indexes()) expected << "CREATE INDEX `" + i.name + "`";
    expected << "COMMIT";
    QCOMPARE(engine.log.statements, expected);
}

// The plant file's own column declarations give back the catalogue's kinds, so the
// production summary's tables and computed columns read as the permanent ones do.
void tst_EngineSeam::engineDeclaresTheCatalogueKinds() {
    TestDatabase plant;
    for (const CatalogueTable &table : Catalogue::tables()) {
        Engine &engine = AppDatabase().engine();
        auto statement = engine.prepare(engine.translate("SELECT * FROM " + table.name));
        QCOMPARE(statement->columnCount(), table.columns.size());
        for (int i = 0; i < table.columns.size(); ++i) {
            const CatalogueColumn &c = table.columns.at(i);
            const ColumnKind expected = c.kind == ColumnKind::AutoNumber ? ColumnKind::WholeNumber : c.kind;
            QCOMPARE(statement->column(i).name, c.name);
            QVERIFY2(statement->column(i).kind == expected, qPrintable(table.name + "." + c.name));
        }
    }
}

QTEST_GUILESS_MAIN(tst_EngineSeam)
#include "tst_engineseam.moc"
