#include "product/ProductStore.h"

#include "data/Database.h"
#include "data/RecordId.h"
#include "data/RowWriter.h"
#include "data/SqlText.h"

namespace ProductStore {

namespace {

std::unique_ptr<Recordset> open(const QString &sql) { return AppDatabase().openRecordset(sql); }
std::unique_ptr<Recordset> read(const QString &sql) {
    return AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly);
}
QString quoted(const QString &text) { return QStringLiteral("'") + SqlText::Escaped(text) + QStringLiteral("'"); }

const QString kVariablesSql = QStringLiteral("SELECT * FROM Data WHERE ID = 'Data'");

QString bunSql(const QString &id) { return QStringLiteral("SELECT * FROM Bun WHERE ID = ") + quoted(id); }
QString componentSql(const QString &id) { return QStringLiteral("SELECT * FROM Component WHERE ID = ") + quoted(id); }
QString stationSql(const QString &station) { return "SELECT * FROM Operation WHERE Station = " + quoted(station); }
QString styleTypeSql(const QString &id) { return QStringLiteral("SELECT * FROM StyleType WHERE ID = ") + quoted(id); }
QString styleSql(const QVariant &id) { return "SELECT * FROM Style WHERE ID = " + RecordId::Sql(id); }
QString styleComponentSql(const QVariant &componentId, const QVariant &styleId) {
    return QStringLiteral("SELECT * FROM StyleComponent WHERE ComponentID = ") + quoted(componentId.toString()) +
           QStringLiteral(" AND StyleID = ") + RecordId::Sql(styleId);
}
QString styleOperationSql(const QString &styleId, const QString &styleComponentId, const QString &station) {
    return "SELECT * FROM StyleOperation WHERE StyleID = " + styleId + " AND ComponentID = " + styleComponentId +
           " AND OperationID = " + quoted(station);
}

// Writes the loaded row by its ID when it is still there, else the row `sql` finds (or a
// new one).
void writeLoadedOr(const QString &table, const QString &loadedId, const QString &sql, const RowFill &fill) {
    if (!loadedId.isEmpty()) {
        RowWriter loaded(AppDatabase(), "SELECT * FROM " + table + " WHERE ID = " + RecordId::Sql(loadedId));
        if (loaded.found()) {
            loaded.edit(fill);
            return;
        }
    }
    WriteRow(AppDatabase(), sql, fill);
}

}  // namespace

std::unique_ptr<Recordset> BunIds() { return read(QStringLiteral("SELECT ID FROM Bun ORDER BY ID")); }
std::unique_ptr<Recordset> ActiveBunIds() {
    return read(QStringLiteral("SELECT ID FROM Bun WHERE Status = 'Active' ORDER BY ID"));
}
std::unique_ptr<Recordset> VendorNames() { return read(QStringLiteral("SELECT Vendor FROM Vendor ORDER BY Vendor")); }
std::unique_ptr<Recordset> Stations() { return read(QStringLiteral("SELECT * FROM Operation ORDER BY Station")); }
std::unique_ptr<Recordset> StationNames() { return read(QStringLiteral("SELECT Station FROM Operation ORDER BY Station")); }
std::unique_ptr<Recordset> StyleTypeIds() { return read(QStringLiteral("SELECT ID FROM StyleType ORDER BY ID")); }
std::unique_ptr<Recordset> CustomerNames() {
    return read(QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer"));
}
std::unique_ptr<Recordset> StyleNames(const QString &customer) {
    return read("SELECT DISTINCT Name FROM Style WHERE Customer = '" + SqlText::Escaped(customer) + "' ORDER BY Name");
}

std::unique_ptr<Recordset> StylesByName() { return read(QStringLiteral("SELECT ID, Name, Type FROM Style ORDER BY Name")); }
std::unique_ptr<Recordset> ComponentsById() {
    return read(QStringLiteral("SELECT ID, Description FROM Component ORDER BY ID"));
}

// Every style in the order the tree shows them: by customer, name and type.
std::unique_ptr<Recordset> StylesForTree() {
    return read(QStringLiteral("SELECT ID, Customer, Name, Type FROM Style ORDER BY Customer, Name, Type, ID"));
}

// The styles that have components, which open to show them.
std::unique_ptr<Recordset> StylesWithComponents() { return read(QStringLiteral("SELECT DISTINCT StyleID FROM StyleComponent")); }

// A style's components in order of component ID, each with its component's description.
std::unique_ptr<Recordset> TreeComponents(qint64 styleId) {
    return read(QStringLiteral(
                    "SELECT StyleComponent.ID AS LinkID, StyleComponent.ComponentID AS Component, Component.Description AS "
                    "Description, Qty FROM StyleComponent LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID "
                    "WHERE StyleComponent.StyleID = ") +
                QString::number(styleId) + QStringLiteral(" ORDER BY StyleComponent.ComponentID, StyleComponent.ID"));
}

// A style's operations in order of station; each shows under its style component.
std::unique_ptr<Recordset> TreeOperations(qint64 styleId) {
    return read(QStringLiteral("SELECT ID, ComponentID, OperationID, Instructions FROM StyleOperation WHERE StyleID = ") +
                QString::number(styleId) + QStringLiteral(" ORDER BY OperationID, ID"));
}

std::unique_ptr<Recordset> Bun(const QString &id) { return open(bunSql(id)); }
std::unique_ptr<Recordset> Component(const QString &id) { return open(componentSql(id)); }
std::unique_ptr<Recordset> Station(const QString &station) { return open(stationSql(station)); }
std::unique_ptr<Recordset> StyleType(const QString &id) { return open(styleTypeSql(id)); }
std::unique_ptr<Recordset> Variables() { return open(kVariablesSql); }
std::unique_ptr<Recordset> Style(const QVariant &styleId) { return open(styleSql(styleId)); }

std::unique_ptr<Recordset> StyleNamed(const QString &customer, const QString &name, const QString &type) {
    return open("SELECT * FROM Style WHERE Name = '" + SqlText::Escaped(name) + "' AND Type = '" +
                SqlText::Escaped(type) + "' AND Customer = '" + SqlText::Escaped(customer) + "'");
}

std::unique_ptr<Recordset> StyleComponentLink(const QVariant &componentId, const QVariant &styleId) {
    return open(styleComponentSql(componentId, styleId));
}

std::unique_ptr<Recordset> StyleComponentRecord(const QString &styleComponentId) {
    return open(
        "SELECT ComponentID,Description,Qty,Style.ID,Name,Customer,Type,Cost,Price FROM ((StyleComponent LEFT "
        "JOIN Style ON StyleComponent.StyleID = Style.ID) LEFT JOIN Component ON StyleComponent.ComponentID = "
        "Component.ID) WHERE StyleComponent.ID = " +
        styleComponentId);
}

std::unique_ptr<Recordset> StyleOperationRecord(const QString &styleOperationId) {
    return open(
        "SELECT OperationID,Instructions,StyleOperation.Thickness,StyleOperation.Width,StyleOperation.Length,"
        "StyleComponent.ID,StyleComponent.ComponentID,Description,Qty,Style.ID,Name,Customer,Type,Cost,Price FROM "
        "(((StyleOperation LEFT JOIN StyleComponent ON StyleOperation.ComponentID = StyleComponent.ID) LEFT JOIN "
        "Style ON StyleOperation.StyleID = Style.ID) LEFT JOIN Component ON StyleComponent.ComponentID = "
        "Component.ID) WHERE StyleOperation.ID = " +
        styleOperationId);
}

std::unique_ptr<Recordset> ComponentsOfStyle(const QVariant &styleId) {
    return open(
        "SELECT StyleComponent.ID,ComponentID,Description FROM StyleComponent LEFT JOIN Component ON "
        "StyleComponent.ComponentID = Component.ID WHERE StyleID = " +
        RecordId::Sql(styleId));
}

std::unique_ptr<Recordset> StyleOperationAt(const QVariant &styleId, const QVariant &styleComponentId,
                                            const QString &station) {
    return open(styleOperationSql(RecordId::Sql(styleId), RecordId::Sql(styleComponentId), station));
}

void SaveBun(const BunRow &bun) {
    WriteRow(AppDatabase(), bunSql(bun.id), [&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("ID"), bun.id);
        rs.setField(QStringLiteral("OffAll"), bun.offAll);
        rs.setField(QStringLiteral("Width"), bun.width);
        rs.setField(QStringLiteral("Length"), bun.length);
        rs.setField(QStringLiteral("Grade"), bun.grade);
        rs.setField(QStringLiteral("Vendor"), bun.vendor);
        rs.setField(QStringLiteral("Status"), bun.status);
    });
}

void SaveComponent(const ComponentRow &c) {
    WriteRow(AppDatabase(), componentSql(c.id), [&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("ID"), c.id);
        rs.setField(QStringLiteral("Description"), c.description);
        rs.setField(QStringLiteral("Thickness"), c.thickness);
        rs.setField(QStringLiteral("Width"), c.width);
        rs.setField(QStringLiteral("Length"), c.length);
        rs.setField(QStringLiteral("CutStyle"), c.cutStyle);
        rs.setField(QStringLiteral("Test"), c.test);
        rs.setField(QStringLiteral("TestRange"), c.testRange);
        rs.setField(QStringLiteral("Topped"), c.topped);
        rs.setField(QStringLiteral("PrintOnShipping"), c.printOnShipping);
        rs.setField(QStringLiteral("Arm"), c.arm);
        rs.setField(QStringLiteral("Tie"), c.tie);
        rs.setField(QStringLiteral("BunID"), c.bunId);
        rs.setField(QStringLiteral("RailsPerBun"), c.railsPerBun);
        rs.setField(QStringLiteral("PiecesPerRail"), c.piecesPerRail);
        rs.setField(QStringLiteral("Status"), c.status);
    });
}

void SaveStation(const QString &station, const QString &reportType, const QString &teams, const QString &status) {
    WriteRow(AppDatabase(), stationSql(station), [&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("Station"), station);
        rs.setField(QStringLiteral("ReportType"), reportType);
        rs.setField(QStringLiteral("Teams"), teams);
        rs.setField(QStringLiteral("Status"), status);
    });
}

void SaveStyleType(const QString &id, const QString &description, const QString &status) {
    WriteRow(AppDatabase(), styleTypeSql(id), [&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("ID"), id);
        rs.setField(QStringLiteral("Description"), description);
        rs.setField(QStringLiteral("Status"), status);
    });
}

void SaveVariables(const VariablesRow &v) {
    WriteRow(AppDatabase(), kVariablesSql, [&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("ID"), QStringLiteral("Data"));
        rs.setField(QStringLiteral("LaborCostPerHour"), v.laborCostPerHour);
        rs.setField(QStringLiteral("NonArmPerHour"), v.nonArmPerHour);
        rs.setField(QStringLiteral("SprayLineNonArmPerHour"), v.sprayLineNonArmPerHour);
        rs.setField(QStringLiteral("LaborPercent"), v.laborPercent);
    });
}

void SaveStyle(const StyleRow &style) {
    const QString byName = "SELECT * FROM Style WHERE Customer = '" + SqlText::Escaped(style.customer) +
                           "' AND Name = '" + SqlText::Escaped(style.name) + "' AND Type = '" +
                           SqlText::Escaped(style.type) + "'";
    writeLoadedOr(QStringLiteral("Style"), style.loadedId, byName, [&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("Customer"), style.customer);
        rs.setField(QStringLiteral("Name"), style.name);
        rs.setField(QStringLiteral("Type"), style.type);
        rs.setField(QStringLiteral("Cost"), style.cost);
        rs.setField(QStringLiteral("Price"), style.price);
        rs.setField(QStringLiteral("Status"), QStringLiteral("Active"));
    });
}

void InactivateStyle(const QString &styleId) {
    AppDatabase().execute("UPDATE Style SET Status = 'Inactive' WHERE ID = " + RecordId::Sql(styleId));
}

void SaveStyleComponent(const QString &loadedId, const QVariant &componentId, const QVariant &styleId,
                        const Values::TypedNumber &qty) {
    writeLoadedOr(QStringLiteral("StyleComponent"), loadedId, styleComponentSql(componentId, styleId),
                  [&](Recordset &rs, bool) {
                      rs.setField(QStringLiteral("ComponentID"), componentId);
                      rs.setField(QStringLiteral("StyleID"), styleId);
                      rs.setField(QStringLiteral("Qty"), qty);
                  });
}

void DeleteStyleComponent(const QString &styleComponentId) {
    ::DeleteStyleComponent(AppDatabase(), RecordId::Parse(styleComponentId).value_or(0));
}

void SaveStyleOperation(const StyleOperationRow &op) {
    const QString styleId = RecordId::Sql(op.styleId);
    const QString styleComponentId = RecordId::Sql(op.styleComponentId);
    writeLoadedOr(QStringLiteral("StyleOperation"), op.loadedId, styleOperationSql(styleId, styleComponentId, op.station),
                  [&](Recordset &rs, bool) {
                      rs.setField(QStringLiteral("OperationID"), op.station);
                      rs.setField(QStringLiteral("Instructions"), op.instructions);
                      rs.setField(QStringLiteral("Thickness"), op.thickness);
                      rs.setField(QStringLiteral("Width"), op.width);
                      rs.setField(QStringLiteral("Length"), op.length);
                      rs.setField(QStringLiteral("StyleID"), styleId);
                      rs.setField(QStringLiteral("ComponentID"), styleComponentId);
                  });
}

void DeleteStyleOperation(const QString &styleOperationId) {
    AppDatabase().execute("DELETE * FROM StyleOperation WHERE ID = " + RecordId::Sql(styleOperationId));
}

}  // namespace ProductStore

void DeleteStyleComponent(Database &db, qint64 styleComponentId) {
    const QString link = QString::number(styleComponentId);
    // The operations go first, so that even outside a transaction no operation would be
    // left behind without its link.
    Transaction tx(db);
    db.execute(QStringLiteral("DELETE * FROM StyleOperation WHERE ComponentID = ") + link);
    db.execute(QStringLiteral("DELETE * FROM StyleComponent WHERE ID = ") + link);
    tx.commit();
}
