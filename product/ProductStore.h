#pragma once
// The product store: every statement, lookup and save of the product definition (buns,
// components, stations, style types, the plant's variables, styles, the components of a
// style and their operations). Widget-free (quelby_core); the Administration window's
// tabs and frames gather what the clerk chose, ask their questions and call these.
// Writes that touch more than one table run in one transaction, so a failure part-way
// leaves every table as it was.

#include "core/Values.h"

#include <QString>
#include <QVariant>
#include <memory>

class Database;
class Recordset;

namespace ProductStore {

// Lists, for the combos (each read once, front to back).
std::unique_ptr<Recordset> BunIds();                          // ID
std::unique_ptr<Recordset> ActiveBunIds();                    // ID
std::unique_ptr<Recordset> VendorNames();                     // Vendor
std::unique_ptr<Recordset> Stations();                        // every Operation row, by station
std::unique_ptr<Recordset> StationNames();                    // the Station column only
std::unique_ptr<Recordset> StyleTypeIds();                    // ID
std::unique_ptr<Recordset> CustomerNames();                   // Customer
std::unique_ptr<Recordset> StyleNames(const QString &customer);  // each name of the customer's styles once
std::unique_ptr<Recordset> StylesByName();       // ID, Name, Type
std::unique_ptr<Recordset> ComponentsById();     // ID, Description

// The style tree's statements.
std::unique_ptr<Recordset> StylesForTree();            // ID, Customer, Name, Type
std::unique_ptr<Recordset> StylesWithComponents();     // StyleID
std::unique_ptr<Recordset> TreeComponents(qint64 styleId);
std::unique_ptr<Recordset> TreeOperations(qint64 styleId);

// One row each, by its key (none found: the set is empty).
std::unique_ptr<Recordset> Bun(const QString &id);
std::unique_ptr<Recordset> Component(const QString &id);
std::unique_ptr<Recordset> Station(const QString &station);
std::unique_ptr<Recordset> StyleType(const QString &id);
std::unique_ptr<Recordset> Variables();
std::unique_ptr<Recordset> Style(const QVariant &styleId);
std::unique_ptr<Recordset> StyleNamed(const QString &customer, const QString &name, const QString &type);
std::unique_ptr<Recordset> StyleComponentLink(const QVariant &componentId, const QVariant &styleId);
// A style component with its style and component, and an operation with all three.
std::unique_ptr<Recordset> StyleComponentRecord(const QString &styleComponentId);
std::unique_ptr<Recordset> StyleOperationRecord(const QString &styleOperationId);
// A style's components (StyleComponent.ID, ComponentID, Description).
std::unique_ptr<Recordset> ComponentsOfStyle(const QVariant &styleId);
std::unique_ptr<Recordset> StyleOperationAt(const QVariant &styleId, const QVariant &styleComponentId,
                                            const QString &station);

struct BunRow {
    QString id;
    bool offAll = false;
    Values::TypedNumber width;
    Values::TypedNumber length;
    QString grade;
    QString vendor;
    QString status;
};
void SaveBun(const BunRow &bun);

struct ComponentRow {
    QString id;
    QString description;
    Values::TypedNumber thickness;
    Values::TypedNumber width;
    Values::TypedNumber length;
    QString cutStyle;
    bool test = false;
    QString testRange;
    QString topped;
    bool printOnShipping = false;
    bool arm = false;
    bool tie = false;
    QString bunId;
    Values::TypedNumber railsPerBun;
    Values::TypedNumber piecesPerRail;
    QString status;
};
void SaveComponent(const ComponentRow &component);

// A station: its report type, number of teams (as typed) and status.
void SaveStation(const QString &station, const QString &reportType, const QString &teams, const QString &status);
void SaveStyleType(const QString &id, const QString &description, const QString &status);

struct VariablesRow {
    Values::TypedNumber laborCostPerHour;
    Values::TypedNumber nonArmPerHour;
    Values::TypedNumber sprayLineNonArmPerHour;
    Values::TypedNumber laborPercent;
};
void SaveVariables(const VariablesRow &variables);

// A style: the loaded one (loadedId, edited by its ID even after its customer or name
// changed) or, when none is loaded or it was removed meanwhile, the one of this customer,
// name and type, appended when there is none. Cost and price as typed; it becomes Active.
struct StyleRow {
    QString loadedId;
    QString customer;
    QString name;
    QString type;
    QString cost;
    QString price;
};
void SaveStyle(const StyleRow &style);
// Takes the style off the customer's order lists; a later save makes it active again.
void InactivateStyle(const QString &styleId);

// The link of a component to a style, found as SaveStyle finds a style.
void SaveStyleComponent(const QString &loadedId, const QVariant &componentId, const QVariant &styleId,
                        const Values::TypedNumber &qty);
// DeleteStyleComponent below, for the link whose ID the text holds.
void DeleteStyleComponent(const QString &styleComponentId);

struct StyleOperationRow {
    QString loadedId;
    QVariant styleId;
    QVariant styleComponentId;
    QString station;
    QString instructions;
    QString thickness;
    QString width;
    QString length;
};
void SaveStyleOperation(const StyleOperationRow &operation);
void DeleteStyleOperation(const QString &styleOperationId);

}  // namespace ProductStore

// Removes a style component together with every operation attached to it. The component
// itself and the style stay.
void DeleteStyleComponent(Database &db, qint64 styleComponentId);
