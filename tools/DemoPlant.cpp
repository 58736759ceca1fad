#include "tools/DemoPlant.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "data/Engine.h"
#include "data/Recordset.h"
#include "core/Seams.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <cmath>
#include <initializer_list>
#include <utility>

// The demo plant is a small upholstery-foam shop in the Carolina furniture belt: a dozen
// stations (saws, CNC routers, a glue line and a spray line, a fiber table), the foam buns
// and fiber rolls it buys, the components it cuts, the styles its customers order and
// two months of orders, shipments, invoices and payments around today.

namespace {

double money(double amount) { return std::round(amount * 100.0) / 100.0; }

// Appends rows to one table through the data layer's add-new / update, so that every
// value is converted and stored exactly as the windows store it.
class Appender {
public:
    Appender(Database &db, const QString &table)
        : m_rs(db.openRecordset(QStringLiteral("SELECT * FROM ") + table)) {}
    ~Appender() { m_rs->close(); }

    // Appends one row; returns the auto-numbered ID of tables that have one.
    qint64 add(std::initializer_list<std::pair<const char *, QVariant>> fields) {
        m_rs->addNew();
        qint64 id = 0;
        if (m_rs->hasField(QStringLiteral("ID"))) id = m_rs->field(QStringLiteral("ID")).toLongLong();
        for (const auto &[name, value] : fields) m_rs->setField(QString::fromLatin1(name), value);
        m_rs->update();
        return id;
    }

private:
    std::unique_ptr<Recordset> m_rs;
};

// Appends many rows with multi-row INSERT statements on the engine, bound as parameters;
// used where the benchmark plant writes hundreds of thousands of rows. Values must already
// be in stored form: dates as ISO text, yes/no as 0 or 1.
class BulkInsert {
public:
    BulkInsert(Database &db, QString table, QStringList columns, int rowsPerStatement = 200)
        : m_db(db), m_table(std::move(table)), m_columns(std::move(columns)),
          m_rowsPerStatement(rowsPerStatement) {}

    void add(QVector<QVariant> row) {
        Q_ASSERT(row.size() == m_columns.size());
        m_pending.append(std::move(row));
        if (m_pending.size() >= m_rowsPerStatement) flush();
    }

    void flush() {
        if (m_pending.isEmpty()) return;
        QString one = QStringLiteral("(") + QStringList(m_columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) +
                      QStringLiteral(")");
        // The statement goes to the engine as it stands, so the names are spelled as the
        // engine's SQL spells them (quoted, as the server keeps them in their own case).
        Engine &engine = m_db.engine();
        QStringList columns;
        for (const QString &column : m_columns) columns << engine.quoteName(column);
        QString sql = QStringLiteral("INSERT INTO ") + engine.quoteName(m_table) + QStringLiteral(" (") +
                      columns.join(QLatin1Char(',')) + QStringLiteral(") VALUES ") +
                      QStringList(m_pending.size(), one).join(QLatin1Char(','));
        auto stmt = engine.prepare(sql);
        int index = 1;
        for (const auto &row : m_pending)
            for (const QVariant &value : row) stmt->bind(index++, value);
        stmt->step();
        m_pending.clear();
    }

private:
    Database &m_db;
    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement;
    QVector<QVector<QVariant>> m_pending;
};

QString isoDate(const QDate &date) { return date.toString(Qt::ISODate); }
QString isoDateTime(const QDateTime &when) { return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

// ---------------------------------------------------------------------------------------
// Master data

struct Party {
    const char *name;
    const char *address1;
    const char *address2;
    const char *city;
    const char *state;
    const char *zip;
    const char *phone;
    const char *fax;
    const char *status;
    int addedDaysAgo;
};

struct VendorDef {
    Party party;
    const char *contact;
};

const VendorDef kVendors[] = {
    {{"Blue Ridge Fiber Co.", "55 Mill St", "", "Marion", "NC", "28752", "828-555-0190", "828-555-0191", "Active", 2100}, "Gene Pruitt"},
    {{"Carolina Foam Supply", "100 Foam Way", "", "Conover", "NC", "28613", "828-555-0110", "828-555-0111", "Active", 2400}, "Dale Whitener"},
    {{"Catawba Urethane", "901 River Rd", "Unit 3", "Newton", "NC", "28658", "828-555-0170", "828-555-0171", "Active", 1500}, "Tammy Huffman"},
    {{"Old Dominion Foam", "12 Depot St", "", "Martinsville", "VA", "24112", "276-555-0130", "", "InActive", 2600}, "Carl Boyd"},
    {{"Piedmont Polymers", "2400 Polymer Dr", "", "Statesville", "NC", "28625", "704-555-0120", "704-555-0121", "Active", 1800}, "Ruth Ann Sigmon"},
    {{"Southern Rebond", "640 Recycle Ln", "", "Thomasville", "NC", "27360", "336-555-0160", "336-555-0161", "Active", 900}, "Joe Lanier"},
};

struct CustomerDef {
    Party party;
    const char *shipTo;
    const char *shipToAddress1;
    const char *shipToAddress2;
    const char *shipToCity;
    const char *shipToState;
    const char *shipToZip;
    const char *shipToPhone;
    const char *shipToFax;
    const char *terms;
    int days;
};

const CustomerDef kCustomers[] = {
    {{"Catawba Valley Chairs", "77 Old Shelby Rd", "", "Lincolnton", "NC", "28092", "704-555-0177", "", "InActive", 1900},
     "Catawba Valley Chairs", "77 Old Shelby Rd", "", "Lincolnton", "NC", "28092", "704-555-0177", "", "Net 30", 30},
    {{"Hickory Comfort Seating", "1450 Highland Ave NE", "", "Hickory", "NC", "28601", "828-555-0142", "828-555-0143", "Active", 1200},
     "Hickory Comfort Seating - Plant 2", "2200 Tate Blvd SE", "Dock 4", "Hickory", "NC", "28602", "828-555-0150", "828-555-0151", "Net 30", 30},
    {{"Lakeside Upholstery", "88 Lake Shore Dr", "Suite 200", "Morganton", "NC", "28655", "828-555-0188", "828-555-0189", "Active", 800},
     "Lakeside Upholstery", "310 Enola Rd", "", "Morganton", "NC", "28655", "828-555-0188", "828-555-0189", "Net 30", 30},
    {{"Lexington Home Furnishings", "411 S Main St", "", "Lexington", "NC", "27292", "336-555-0411", "336-555-0412", "InActive", 2500},
     "Lexington Home Furnishings", "411 S Main St", "", "Lexington", "NC", "27292", "336-555-0411", "336-555-0412", "Net 45", 45},
    {{"Mountain View Sofas", "7 Industrial Park Rd", "", "Lenoir", "NC", "28645", "828-555-0107", "828-555-0108", "Active", 600},
     "Mountain View Sofas", "7 Industrial Park Rd", "Door 2", "Lenoir", "NC", "28645", "828-555-0107", "828-555-0108", "Net 30", 30},
    {{"O'Brien Furniture", "3120 Cloverleaf Pkwy", "", "Kannapolis", "NC", "28083", "704-555-0312", "704-555-0313", "Active", 450},
     "O'Brien Furniture Warehouse", "18 Dale Earnhardt Blvd", "", "Kannapolis", "NC", "28081", "704-555-0318", "", "Net 15", 15},
    {{"Vedu", "500 Commerce St", "Building C", "High Point", "NC", "27260", "336-555-0500", "336-555-0501", "Active", 1000},
     "Vedu Receiving", "1620 Prospect St", "", "High Point", "NC", "27260", "336-555-0520", "336-555-0521", "Net 30", 30},
    {{"Vedu Interiors", "19 Market Sq", "", "Galax", "VA", "24333", "276-555-0019", "", "Active", 300},
     "Vedu Interiors", "19 Market Sq", "", "Galax", "VA", "24333", "276-555-0019", "", "Net 30", 30},
};

struct StyleTypeDef {
    const char *id;
    const char *description;
    const char *status;
};

const StyleTypeDef kStyleTypes[] = {
    {"Chair", "Single seat, arms both sides", "Active"},
    {"Futon", "Folding frame, no longer built", "Inactive"},
    {"Loveseat", "Two-seat sofa", "Active"},
    {"Ottoman", "Footstool, no arms", "Active"},
    {"Recliner", "Reclining chair", "Active"},
    {"Sectional", "Corner group, sold by the piece", "Active"},
    {"Sofa", "Three-seat sofa", "Active"},
};

struct BunDef {
    const char *id;
    double width;
    double length;
    const char *grade;
    const char *vendor;
    bool offAll;
    const char *status;
};

// Foam buns and fiber rolls. The rebond bun is bought cut to size, so its pieces are kept
// off the band-saw tally and the purchase lists ("Off All").
const BunDef kBuns[] = {
    {"1228-54", 54, 80, "1228", "Piedmont Polymers", false, "Active"},
    {"1530-60", 60, 80, "1530", "Carolina Foam Supply", false, "Active"},
    {"1530-60S", 60, 60, "1530", "", false, "Active"},
    {"1840-76", 76, 82, "1840", "Old Dominion Foam", false, "Inactive"},
    {"1845-76", 76, 82, "1845", "Carolina Foam Supply", false, "Active"},
    {"2535-76", 76, 82, "2535", "Piedmont Polymers", false, "Active"},
    {"2850HR-76", 76, 100, "2850HR", "Catawba Urethane", false, "Active"},
    {"DAC10-54", 54, 1800, "Dacron 10oz", "Blue Ridge Fiber Co.", false, "Active"},
    {"DAC6-60", 60, 1800, "Dacron 6oz", "Blue Ridge Fiber Co.", false, "Active"},
    {"REBOND-72", 72, 80, "Rebond 6lb", "Southern Rebond", true, "Active"},
};

struct ComponentDef {
    const char *id;
    const char *description;
    double thickness, width, length;
    const char *cutStyle;
    bool test;
    const char *testRange;
    const char *topped;
    bool printOnShipping;
    bool arm;
    bool tie;
    const char *bunId;
    double railsPerBun, piecesPerRail;
    const char *status;
};

// The first sixteen components carry every combination of the four paperwork flags
// (test sheet, tie sheet, load sheet, arm), so every sheet has rows to print.
const ComponentDef kComponents[] = {
    //  id        description                    T     W     L    cut            test  range    topped        ship   arm    tie    bun          rails pcs
    {"BK-210", "Back Filler Pad",               2.0, 20.0, 26.0, "Straight Cut", false, "",      "",           false, false, false, "1228-54",   3, 10, "Active"},
    {"AR-110", "Arm Pad Rolled",                1.0, 18.0, 30.0, "Straight Cut", false, "",      "",           false, true,  false, "1530-60",   3, 24, "Active"},
    {"PL-300", "Pillow Insert 20x20",           4.0, 20.0, 20.0, "Pattern Cut",  false, "",      "",           true,  false, false, "1530-60",   3, 12, "Active"},
    {"AR-120", "Arm Cap Cushion",               3.0,  6.0, 28.0, "Pattern Cut",  false, "",      "",           true,  true,  false, "1845-76",  12, 8,  "Active"},
    {"DK-400", "Deck Pad",                      1.0, 22.0, 68.0, "Straight Cut", false, "",      "",           false, false, true,  "1228-54",   2, 24, "Active"},
    {"AR-130", "Arm Front Panel",               2.0, 10.0, 24.0, "Straight Cut", false, "",      "",           false, true,  true,  "1845-76",   7, 12, "Active"},
    {"SW-500", "Seat Wrap Fiber",               0.5, 54.0, 60.0, "Straight Cut", false, "",      "",           true,  false, true,  "DAC10-54",  1, 30, "Active"},
    {"AR-140", "Arm Wrap Fiber",                0.5, 36.0, 40.0, "Straight Cut", false, "",      "",           true,  true,  true,  "DAC6-60",   1, 45, "Active"},
    {"SC-200", "Seat Cushion Core 22x24",       5.0, 22.0, 24.0, "Straight Cut", true,  "33-38", "1\" Dacron",  false, false, false, "2535-76",   3, 6,  "Active"},
    {"AR-150", "Arm Bolster",                   4.0,  8.0, 30.0, "Pattern Cut",  true,  "40-45", "",           false, true,  false, "2850HR-76", 9, 6,  "Active"},
    {"SC-210", "Seat Cushion Core 24x24 HR",    5.0, 24.0, 24.0, "Straight Cut", true,  "36-40", "1\" Dacron",  true,  false, false, "2850HR-76", 3, 8,  "Active"},
    {"AR-160", "Arm Top Roll HR",               3.0,  8.0, 32.0, "Pattern Cut",  true,  "40-45", "",           true,  true,  false, "2850HR-76", 9, 6,  "Active"},
    {"BC-220", "Back Cushion Core",             4.0, 22.0, 26.0, "Straight Cut", true,  "28-32", "1/2\" Dacron", false, false, true,  "1845-76",   3, 6,  "Active"},
    {"AR-170", "Arm Side Slab",                 2.0, 24.0, 30.0, "Straight Cut", true,  "33-38", "",           false, true,  true,  "1845-76",   3, 12, "Active"},
    {"SC-230", "Ottoman Top Core",              4.0, 20.0, 30.0, "Straight Cut", true,  "33-38", "1\" Dacron",  true,  false, true,  "2535-76",   3, 8,  "Active"},
    {"AR-180", "Wing Arm Shell",                2.0, 28.0, 34.0, "Pattern Cut",  true,  "50-55", "",           true,  true,  true,  "REBOND-72", 2, 8,  "Active"},
    // Beyond the sixteen: a rebond seat bought cut, a topper with no bun, a retired pad.
    {"SC-240", "Chair Seat Core Rebond",        4.0, 21.0, 22.0, "Straight Cut", false, "",      "",           false, false, false, "REBOND-72", 3, 12, "Active"},
    {"TP-600", "Topper Pad",                    1.0, 21.0, 22.0, "Straight Cut", false, "",      "",           false, false, false, "",          0, 0,  "Active"},
    {"OLD-900", "Discontinued Arm Pad",         1.5, 10.0, 20.0, "Straight Cut", false, "",      "",           false, true,  false, "1840-76",   7, 16, "Inactive"},
};

struct StationDef {
    const char *station;
    const char *reportType;
    int teams;
    const char *status;
};

// Every report type has a station; "Band Saw 1", "Band Saw 2" and "CNC" are the stations
// the foam order lists by name, "Band Saw 3" is a band saw it leaves out; "CNC 2" and
// "Glue Line 2" run two crews, so their tickets print once per team.
const StationDef kStations[] = {
    {"Band Saw 1", "Band Saw", 1, "Active"},
    {"Band Saw 2", "Band Saw", 1, "Active"},
    {"Band Saw 3", "Band Saw", 1, "Active"},
    {"Bullet Noser", "Bullet Noser", 1, "Active"},
    {"CNC", "CNC", 1, "Active"},
    {"CNC 2", "CNC", 2, "Active"},
    {"CNC Stencil", "CNC Stencil", 1, "Active"},
    {"Fiber Table", "Fiber Table", 1, "Active"},
    {"Glue Line 1", "Glue Line", 1, "Active"},
    {"Glue Line 2", "Glue Line", 2, "Active"},
    {"Spray Line", "Spray Line", 1, "Active"},
    {"Line Supply", "Glue/Spray Line Supply", 1, "Active"},
    {"Top Out Saw", "Top Out Saw", 1, "Active"},
    {"Vertical Slitter", "Vertical Slitter", 1, "Active"},
    {"Slitter 2", "Vertical Slitter", 1, "Inactive"},
};

// How a piece's dimensions at a station relate to the finished component: saws cut the
// rail a half inch over in width and length, the other stations work to size.
enum class Cut { Rough, Exact };

struct OperationDef {
    const char *station;
    const char *instructions;
    Cut cut;
};

struct Routing {
    const char *component;
    QVector<OperationDef> operations;
};

// The stations each component passes through, in the plant's order of work. Every style
// that uses the component gets these operations for its style component.
const QVector<Routing> &routings() {
    static const QVector<Routing> all = {
        {"BK-210", {{"Band Saw 3", "Cut rails to 2\" slabs", Cut::Rough},
                    {"Vertical Slitter", "Slit to 20\" width", Cut::Exact},
                    {"Line Supply", "Stack 10 per bundle for glue line", Cut::Exact}}},
        {"AR-110", {{"Band Saw 3", "Cut 1\" sheets", Cut::Rough}, {"Spray Line", "Spray and roll", Cut::Exact}}},
        {"PL-300", {{"CNC Stencil", "Stencil pattern P-20", Cut::Exact},
                    {"Line Supply", "Bag in pairs", Cut::Exact}}},
        {"AR-120", {{"CNC", "Program ARC-28", Cut::Exact}, {"Glue Line 2", "Glue cap to arm panel", Cut::Exact}}},
        {"DK-400", {{"Vertical Slitter", "Split 2\" to 1\", trim to 22\"", Cut::Exact},
                    {"Glue Line 1", "Glue to deck board", Cut::Exact}}},
        {"AR-130", {{"Band Saw 1", "Cut 2\" rails", Cut::Rough}, {"CNC", "Program AFP-24, round top corners", Cut::Exact}}},
        {"SW-500", {{"Fiber Table", "Cut wrap, 10oz", Cut::Exact}, {"Line Supply", "Roll and tag", Cut::Exact}}},
        {"AR-140", {{"Fiber Table", "Cut wrap, 6oz", Cut::Exact}, {"Line Supply", "Roll and tag", Cut::Exact}}},
        {"SC-200", {{"Band Saw 1", "Cut 5\" rails from bun", Cut::Rough},
                    {"Bullet Noser", "Bullet nose front edge", Cut::Exact},
                    {"Glue Line 1", "Wrap 1\" Dacron top and front", Cut::Exact}}},
        {"AR-150", {{"CNC 2", "Program ABL-30", Cut::Exact}, {"Glue Line 1", "Glue bolster halves", Cut::Exact}}},
        {"SC-210", {{"Band Saw 2", "Cut 5\" HR rails", Cut::Rough},
                    {"CNC Stencil", "Stencil crown", Cut::Exact},
                    {"Spray Line", "Spray 1\" Dacron wrap", Cut::Exact}}},
        {"AR-160", {{"CNC", "Program ATR-32", Cut::Exact}, {"Spray Line", "Spray roll seam", Cut::Exact}}},
        {"BC-220", {{"Band Saw 1", "Cut 4\" rails", Cut::Rough},
                    {"Bullet Noser", "Nose top edge only", Cut::Exact},
                    {"Spray Line", "Spray 1/2\" Dacron wrap", Cut::Exact}}},
        {"AR-170", {{"Band Saw 2", "Cut 2\" slabs", Cut::Rough},
                    {"Vertical Slitter", "Slit to 24\"", Cut::Exact},
                    {"Glue Line 2", "Glue to arm frame", Cut::Exact}}},
        {"SC-230", {{"Band Saw 1", "Cut 4\" rails", Cut::Rough},
                    {"Top Out Saw", "Top out to 4\"", Cut::Exact},
                    {"Glue Line 2", "Wrap 1\" Dacron", Cut::Exact}}},
        {"AR-180", {{"CNC 2", "Program WAS-34, rebond", Cut::Exact}, {"Spray Line", "Spray shell seams", Cut::Exact}}},
        {"SC-240", {{"Band Saw 2", "Trim rebond block", Cut::Rough}, {"Glue Line 1", "Glue topper", Cut::Exact}}},
        {"TP-600", {{"Top Out Saw", "Top out 1\" sheet", Cut::Exact}, {"Glue Line 2", "Glue to seat", Cut::Exact}}},
    };
    return all;
}

const Routing *routingFor(const QString &component) {
    for (const Routing &r : routings())
        if (component == QLatin1String(r.component)) return &r;
    return nullptr;
}

const ComponentDef *componentDef(const QString &id) {
    for (const ComponentDef &c : kComponents)
        if (id == QLatin1String(c.id)) return &c;
    return nullptr;
}

struct Dims {
    double thickness, width, length;
};

Dims cutDims(const ComponentDef &c, Cut cut) {
    if (cut == Cut::Rough) return {c.thickness, c.width + 0.5, c.length + 0.5};
    return {c.thickness, c.width, c.length};
}

struct StyleDef {
    const char *customer;
    const char *name;
    const char *type;
    double cost, price;
    const char *status;
    bool withOperations;  // false: components linked but no station routing yet
    QVector<std::pair<const char *, double>> components;
};

// Two customers carry a "Madison" sofa; "Cube" has no components yet; "Harbor" has its
// components but no operations; one style is inactive.
const QVector<StyleDef> &styleDefs() {
    static const QVector<StyleDef> all = {
        {"Vedu", "Metro", "Sofa", 148.20, 212.50, "Active", true,
         {{"SC-200", 3}, {"BC-220", 3}, {"AR-120", 2}, {"AR-140", 2}, {"DK-400", 1}, {"PL-300", 2}}},
        {"Vedu", "Metro", "Loveseat", 112.75, 164.00, "Active", true,
         {{"SC-200", 2}, {"BC-220", 2}, {"AR-120", 2}, {"AR-140", 2}, {"DK-400", 1}}},
        {"Vedu", "Metro", "Chair", 61.40, 89.95, "Active", true,
         {{"SC-240", 1}, {"BC-220", 1}, {"AR-130", 2}, {"AR-110", 2}}},
        {"Vedu", "Avalon", "Sectional", 310.00, 455.00, "Active", true,
         {{"SC-210", 5}, {"BC-220", 5}, {"AR-180", 2}, {"SW-500", 5}, {"DK-400", 2}}},
        {"Vedu Interiors", "Loft", "Chair", 48.10, 72.00, "Active", true,
         {{"SC-240", 1}, {"AR-150", 2}, {"TP-600", 1}}},
        {"O'Brien Furniture", "Kinsale", "Sofa", 139.00, 198.00, "Active", true,
         {{"SC-210", 3}, {"AR-160", 2}, {"BK-210", 3}, {"SW-500", 3}}},
        {"O'Brien Furniture", "Kinsale", "Chair", 58.25, 84.50, "Active", true,
         {{"SC-210", 1}, {"AR-160", 2}, {"BK-210", 1}}},
        {"O'Brien Furniture", "Galway", "Recliner", 77.80, 118.00, "Active", true,
         {{"SC-230", 1}, {"AR-170", 2}, {"BK-210", 2}, {"AR-110", 2}}},
        {"Hickory Comfort Seating", "Madison", "Sofa", 131.60, 189.00, "Active", true,
         {{"SC-200", 3}, {"AR-150", 2}, {"AR-140", 2}, {"BK-210", 3}, {"PL-300", 2}}},
        {"Hickory Comfort Seating", "Madison", "Ottoman", 29.90, 44.00, "Active", true,
         {{"SC-230", 1}, {"SW-500", 1}}},
        {"Hickory Comfort Seating", "Heritage", "Chair", 55.00, 79.00, "Active", true,
         {{"SC-240", 1}, {"AR-130", 2}, {"BK-210", 1}, {"TP-600", 1}}},
        {"Hickory Comfort Seating", "Heritage", "Recliner", 70.00, 104.00, "Inactive", true,
         {{"SC-230", 1}, {"AR-170", 2}}},
        {"Lakeside Upholstery", "Madison", "Sofa", 142.30, 204.00, "Active", true,
         {{"SC-210", 3}, {"AR-180", 2}, {"BC-220", 3}, {"DK-400", 1}}},
        {"Lakeside Upholstery", "Harbor", "Loveseat", 66.00, 97.50, "Active", false,
         {{"BK-210", 2}, {"AR-110", 2}}},
        {"Mountain View Sofas", "Summit", "Sofa", 150.40, 219.00, "Active", true,
         {{"SC-200", 3}, {"BC-220", 3}, {"AR-170", 2}, {"AR-140", 2}, {"SW-500", 3}}},
        {"Mountain View Sofas", "Ridge", "Chair", 52.70, 76.00, "Active", true,
         {{"SC-230", 1}, {"AR-120", 2}, {"PL-300", 1}}},
        {"Mountain View Sofas", "Cube", "Ottoman", 18.00, 32.00, "Active", true, {}},
        {"Lexington Home Furnishings", "Colonial", "Sofa", 120.00, 175.00, "Active", true,
         {{"SC-200", 3}, {"AR-110", 2}}},
    };
    return all;
}

// ---------------------------------------------------------------------------------------
// Orders, shipments and invoices of the demo plant

struct LineDef {
    int item;
    const char *line;   // the customer's line reference
    const char *style;  // style name of the order's customer
    const char *type;
    double qty;
    double priceEach;   // 0: the style's price
};

struct ShipToDef {
    const char *shipTo, *address1, *address2, *city, *state, *zip, *phone, *fax;
};

struct OrderDef {
    const char *customer;
    const char *orderNumber;
    int orderDay;  // days from today
    int dueDay;
    bool isVoid;
    QVector<LineDef> lines;
    const ShipToDef *shipTo = nullptr;  // null: the customer's own ship-to block
};

struct ShipmentDef {
    int order;  // index into the order list
    int day;
    QVector<std::pair<int, double>> items;  // item number, quantity shipped
};

struct PaymentDef {
    int day;
    double amount;      // ignored when `rest` is set
    double adjustment;
    bool rest;          // pays what is left after the adjustment
};

struct InvoiceDef {
    const char *customer;
    QVector<int> orders;  // indexes into the order list
    int invoiceDay;
    int dueDays;
    double freight, misc;
    const char *memo;
    QVector<PaymentDef> payments;
};

const ShipToDef kVeduShowroom = {"Vedu Showroom", "210 E Commerce Ave", "Space 1104", "High Point", "NC", "27260",
                                 "336-555-0530", ""};

const QVector<OrderDef> &orderDefs() {
    static const QVector<OrderDef> all = {
        // 0..4: shipped and invoiced
        {"Hickory Comfort Seating", "HC-5512", -62, -45, false,
         {{1, "A", "Madison", "Sofa", 10, 0}, {2, "B", "Madison", "Ottoman", 10, 0}}},
        {"Hickory Comfort Seating", "HC-5512", -58, -40, false,  // the customer reused its PO number
         {{1, "C", "Heritage", "Chair", 12, 0}}},
        {"Vedu", "V-1041", -55, -35, false,
         {{1, "12A", "Metro", "Sofa", 8, 0}, {2, "12B", "Metro", "Loveseat", 8, 0}, {3, "12C", "Metro", "Chair", 16, 0}}},
        {"O'Brien Furniture", "OB-2207", -50, -30, false,
         {{1, "1", "Kinsale", "Sofa", 6, 0}, {2, "2", "Kinsale", "Chair", 12, 82.00}}},
        {"Lexington Home Furnishings", "LX-118", -95, -75, false,
         {{1, "", "Colonial", "Sofa", 5, 0}}},
        // 5..6: part shipped
        {"Mountain View Sofas", "MV-0318", -40, -20, false,
         {{1, "S-1", "Summit", "Sofa", 15, 0}, {2, "S-2", "Ridge", "Chair", 20, 0}}},
        {"Lakeside Upholstery", "LU-7781", -35, -14, false,  // line 3 was deleted before saving
         {{1, "S1", "Madison", "Sofa", 12, 0}, {2, "S2", "Harbor", "Loveseat", 6, 0}, {4, "S4", "Madison", "Sofa", 4, 199.00}}},
        // 7..: open, void and recent
        {"Vedu", "V-1088", -30, -10, false,
         {{1, "13A", "Avalon", "Sectional", 4, 0}, {2, "13B", "Metro", "Sofa", 10, 0}}, &kVeduShowroom},
        {"Vedu Interiors", "VI-300", -28, -7, true, {{1, "", "Loft", "Chair", 24, 0}}},
        {"Hickory Comfort Seating", "HC-5630", -20, 0, false,
         {{1, "A", "Madison", "Sofa", 8, 0}, {2, "B", "Heritage", "Chair", 8, 0}, {3, "C", "Madison", "Ottoman", 4, 0}}},
        {"O'Brien Furniture", "OB-2291", -14, 7, false,
         {{1, "1", "Galway", "Recliner", 5, 0}, {2, "2", "Kinsale", "Sofa", 3, 0}}},
        {"Mountain View Sofas", "MV-0402", -7, 14, false,
         {{1, "S-1", "Summit", "Sofa", 6, 0}, {2, "S-2", "Cube", "Ottoman", 6, 0}}},
        {"Vedu", "V-1102", -2, 21, false,
         {{1, "14A", "Metro", "Chair", 20, 0}, {2, "14B", "Avalon", "Sectional", 2, 0}}},
        {"Lakeside Upholstery", "LU-7790", 0, 21, false, {{1, "S1", "Madison", "Sofa", 10, 0}}},
        {"Hickory Comfort Seating", "HC-5490", -70, -50, true, {{1, "A", "Madison", "Sofa", 5, 0}}},
    };
    return all;
}

const QVector<ShipmentDef> &shipmentDefs() {
    static const QVector<ShipmentDef> all = {
        {0, -50, {{1, 6}, {2, 10}}},
        {0, -44, {{1, 4}}},
        {1, -41, {{1, 12}}},
        {2, -38, {{1, 8}, {2, 8}, {3, 16}}},
        {3, -33, {{1, 6}, {2, 12}}},
        {4, -78, {{1, 5}}},
        {5, -22, {{1, 10}, {2, 20}}},
        {6, -15, {{1, 12}, {4, 2}}},
        {6, 0, {{4, 1}}},
        {9, -3, {{1, 8}, {2, 8}, {3, 4}}},
    };
    return all;
}

const QVector<InvoiceDef> &invoiceDefs() {
    static const QVector<InvoiceDef> all = {
        // fully paid: a payment and a prompt-pay adjustment
        {"Hickory Comfort Seating", {0, 1}, -40, 30, 150.00, 0, "POs HC-5512 (two releases)",
         {{-20, 0, 50.00, true}}},
        // part paid
        {"Vedu", {2}, -36, 30, 95.50, 25.00, "Freight prepaid and added", {{-12, 1000.00, 0, false}}},
        // unpaid
        {"O'Brien Furniture", {3}, -31, 15, 0, 0, "", {}},
        // paid in two payments, long ago
        {"Lexington Home Furnishings", {4}, -76, 45, 60.00, 0, "Final order before account closed",
         {{-50, 400.00, 0, false}, {-35, 0, 0, true}}},
    };
    return all;
}

// ---------------------------------------------------------------------------------------
// Writers shared by the demo plant and the benchmark plant

void writeVendors(Database &db, const QDateTime &now) {
    Appender t(db, QStringLiteral("Vendor"));
    for (const VendorDef &v : kVendors) {
        const Party &p = v.party;
        t.add({{"Vendor", p.name}, {"Address1", p.address1}, {"Address2", p.address2}, {"City", p.city},
               {"State", p.state}, {"Zip", p.zip}, {"Phone", p.phone}, {"Fax", p.fax}, {"Contact", v.contact},
               {"Status", p.status}, {"DateAdded", now.addDays(-p.addedDaysAgo)}});
    }
}

void writeStyleTypes(Database &db) {
    Appender t(db, QStringLiteral("StyleType"));
    for (const StyleTypeDef &s : kStyleTypes)
        t.add({{"ID", s.id}, {"Description", s.description}, {"Status", s.status}});
}

void writeBuns(Database &db) {
    Appender t(db, QStringLiteral("Bun"));
    for (const BunDef &b : kBuns)
        t.add({{"ID", b.id}, {"OffAll", b.offAll}, {"Width", b.width}, {"Length", b.length}, {"Grade", b.grade},
               {"Vendor", b.vendor}, {"Status", b.status}});
}

void writeComponents(Database &db) {
    Appender t(db, QStringLiteral("Component"));
    for (const ComponentDef &c : kComponents)
        t.add({{"ID", c.id}, {"Description", c.description}, {"Thickness", c.thickness}, {"Width", c.width},
               {"Length", c.length}, {"CutStyle", c.cutStyle}, {"Test", c.test}, {"TestRange", c.testRange},
               {"Topped", c.topped}, {"PrintOnShipping", c.printOnShipping}, {"Arm", c.arm}, {"Tie", c.tie},
               {"BunID", c.bunId}, {"RailsPerBun", c.railsPerBun}, {"PiecesPerRail", c.piecesPerRail},
               {"Status", c.status}});
}

void writeStations(Database &db) {
    Appender t(db, QStringLiteral("Operation"));
    for (const StationDef &s : kStations)
        t.add({{"Station", s.station}, {"ReportType", s.reportType}, {"Teams", s.teams}, {"Status", s.status}});
}

void writeLabourVariables(Database &db) {
    Appender t(db, QStringLiteral("Data"));
    t.add({{"ID", "Data"}, {"LaborCostPerHour", 14.75}, {"NonArmPerHour", 60.0}, {"SprayLineNonArmPerHour", 45.0},
           {"LaborPercent", 22.0}});
}

// Vendors, style types, buns, components, stations and the labour variables.
void writeShopData(Database &db, const QDateTime &now) {
    writeVendors(db, now);
    writeStyleTypes(db);
    writeBuns(db);
    writeComponents(db);
    writeStations(db);
    writeLabourVariables(db);
}

void requireEmpty(Database &db) {
    for (const char *table : {"Customer", "Orders", "Style", "Operation"}) {
        auto rs = db.openRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM ") + QLatin1String(table));
        const int rows = rs->field(QStringLiteral("N")).toInt();
        rs->close();
        if (rows > 0)
            throw AppError(ErrorNumber::TableExists,
                           QStringLiteral("The database already holds a plant (table %1 has rows).").arg(QLatin1String(table)));
    }
}

QString styleKey(const QString &customer, const QString &name, const QString &type) {
    return customer + QLatin1Char('\n') + name + QLatin1Char('\n') + type;
}

}  // namespace

namespace DemoPlant {

void populate(Database &db) {
    const QDateTime now = Seams::clock().now();
    const QDate today = now.date();

    Transaction tx(db);
    requireEmpty(db);
    writeShopData(db, now);

    {
        Appender t(db, QStringLiteral("Customer"));
        for (const CustomerDef &c : kCustomers) {
            const Party &p = c.party;
            t.add({{"Customer", p.name}, {"Address1", p.address1}, {"Address2", p.address2}, {"City", p.city},
                   {"State", p.state}, {"Zip", p.zip}, {"Phone", p.phone}, {"Fax", p.fax}, {"Status", p.status},
                   {"ShipTo", c.shipTo}, {"ShipToAddress1", c.shipToAddress1}, {"ShipToAddress2", c.shipToAddress2},
                   {"ShipToCity", c.shipToCity}, {"ShipToState", c.shipToState}, {"ShipToZip", c.shipToZip},
                   {"ShipToPhone", c.shipToPhone}, {"ShipToFax", c.shipToFax},
                   {"DateAdded", QDateTime(today.addDays(-p.addedDaysAgo), QTime(9, 30))}, {"Terms", c.terms},
                   {"Days", c.days}});
        }
    }

    // Styles, their components and the operations of each style component.
    QHash<QString, qint64> styleIds;
    QHash<QString, double> stylePrices;
    {
        Appender styles(db, QStringLiteral("Style"));
        Appender links(db, QStringLiteral("StyleComponent"));
        Appender operations(db, QStringLiteral("StyleOperation"));
        for (const StyleDef &s : styleDefs()) {
            const qint64 styleId = styles.add({{"Customer", s.customer}, {"Name", s.name}, {"Type", s.type},
                                               {"Cost", s.cost}, {"Price", s.price}, {"Status", s.status}});
            const QString key = styleKey(QString::fromUtf8(s.customer), QString::fromUtf8(s.name), QString::fromUtf8(s.type));
            styleIds.insert(key, styleId);
            stylePrices.insert(key, s.price);
            for (const auto &[componentId, qty] : s.components) {
                const qint64 linkId = links.add({{"StyleID", styleId}, {"ComponentID", componentId}, {"Qty", qty}});
                if (!s.withOperations) continue;
                const ComponentDef *component = componentDef(QString::fromLatin1(componentId));
                const Routing *routing = routingFor(QString::fromLatin1(componentId));
                if (!component || !routing) continue;
                for (const OperationDef &op : routing->operations) {
                    const Dims d = cutDims(*component, op.cut);
                    operations.add({{"StyleID", styleId}, {"ComponentID", linkId}, {"OperationID", op.station},
                                    {"Instructions", op.instructions}, {"Thickness", d.thickness},
                                    {"Width", d.width}, {"Length", d.length}});
                }
            }
        }
    }

    // Orders and their lines; the status follows what the shipments below deliver.
    const QVector<OrderDef> &orders = orderDefs();
    QVector<qint64> orderIds;
    QVector<double> orderTotals;
    QVector<QMap<int, double>> shipped(orders.size());
    for (const ShipmentDef &s : shipmentDefs())
        for (const auto &[item, qty] : s.items) shipped[s.order][item] += qty;

    QHash<QString, const CustomerDef *> customers;
    for (const CustomerDef &c : kCustomers) customers.insert(QString::fromUtf8(c.party.name), &c);

    {
        Appender header(db, QStringLiteral("Orders"));
        Appender items(db, QStringLiteral("OrderItems"));
        for (int i = 0; i < orders.size(); ++i) {
            const OrderDef &o = orders[i];
            const QString customer = QString::fromUtf8(o.customer);
            const CustomerDef *c = customers.value(customer);
            if (!c) throw AppError(ErrorNumber::ItemNotFound, QStringLiteral("Demo order for unknown customer ") + customer);

            double total = 0;
            bool allShipped = true;
            for (const LineDef &l : o.lines) {
                total += money(l.qty * (l.priceEach > 0 ? l.priceEach
                                                       : stylePrices.value(styleKey(customer, QString::fromUtf8(l.style),
                                                                                    QString::fromUtf8(l.type)))));
                if (shipped[i].value(l.item) < l.qty) allShipped = false;
            }
            const QString status = o.isVoid ? QStringLiteral("Void") : allShipped ? QStringLiteral("Closed") : QStringLiteral("Open");

            ShipToDef ship = {c->shipTo, c->shipToAddress1, c->shipToAddress2, c->shipToCity,
                              c->shipToState, c->shipToZip, c->shipToPhone, c->shipToFax};
            if (o.shipTo) ship = *o.shipTo;
            const QDate orderDate = today.addDays(o.orderDay);
            const qint64 id = header.add({{"OrderNumber", o.orderNumber}, {"Customer", customer},
                                          {"OrderDate", orderDate}, {"DueDate", today.addDays(o.dueDay)},
                                          {"Status", status}, {"ShipTo", ship.shipTo},
                                          {"ShipToAddress1", ship.address1}, {"ShipToAddress2", ship.address2},
                                          {"ShipToCity", ship.city}, {"ShipToState", ship.state},
                                          {"ShipToZip", ship.zip}, {"ShipToPhone", ship.phone},
                                          {"ShipToFax", ship.fax}, {"DateAdded", orderDate}, {"Total", money(total)}});
            orderIds.append(id);
            orderTotals.append(money(total));

            for (const LineDef &l : o.lines) {
                const QString key = styleKey(customer, QString::fromUtf8(l.style), QString::fromUtf8(l.type));
                if (!styleIds.contains(key))
                    throw AppError(ErrorNumber::ItemNotFound, QStringLiteral("Demo order line for unknown style ") + key);
                const double each = l.priceEach > 0 ? l.priceEach : stylePrices.value(key);
                items.add({{"OrderID", id}, {"ItemNumber", l.item}, {"Line", l.line}, {"Qty", l.qty},
                           {"StyleID", styleIds.value(key)}, {"PriceEach", each}, {"PriceExt", money(l.qty * each)}});
            }
        }
    }

    {
        Appender shipments(db, QStringLiteral("Shipments"));
        Appender items(db, QStringLiteral("ShipmentItems"));
        for (const ShipmentDef &s : shipmentDefs()) {
            const qint64 orderId = orderIds.at(s.order);
            const qint64 id = shipments.add({{"OrderID", orderId}, {"Date", today.addDays(s.day)}});
            for (const auto &[item, qty] : s.items)
                items.add({{"ShipmentID", id}, {"OrderID", orderId}, {"OrderLineItem", item}, {"Qty", qty}});
        }
    }

    // Invoices in the order the office creates them: orders marked invoiced, the invoice,
    // its orders, then the payments received since.
    {
        Appender invoiced(db, QStringLiteral("OrdersInvoiced"));
        Appender invoices(db, QStringLiteral("Invoice"));
        Appender invoiceOrders(db, QStringLiteral("InvoiceOrders"));
        Appender payments(db, QStringLiteral("Payments"));
        for (const InvoiceDef &inv : invoiceDefs()) {
            double subtotal = 0;
            for (int order : inv.orders) {
                invoiced.add({{"OrderID", orderIds.at(order)}});
                subtotal += orderTotals.at(order);
            }
            subtotal = money(subtotal);
            const double total = money(subtotal + inv.freight + inv.misc);
            const QDate invoiceDate = today.addDays(inv.invoiceDay);
            const qint64 id = invoices.add({{"Customer", inv.customer}, {"InvoiceDate", invoiceDate},
                                            {"DueDate", invoiceDate.addDays(inv.dueDays)}, {"Freight", inv.freight},
                                            {"Misc", inv.misc}, {"Subtotal", subtotal}, {"Total", total},
                                            {"MemoField", inv.memo}});
            for (int order : inv.orders) invoiceOrders.add({{"Invoice", id}, {"OrderID", orderIds.at(order)}});

            double paid = 0;
            for (const PaymentDef &p : inv.payments) {
                const double amount = p.rest ? money(total - paid - p.adjustment) : p.amount;
                payments.add({{"Invoice", id}, {"Date", today.addDays(p.day)}, {"Amount", amount},
                              {"Adjustment", p.adjustment}});
                paid = money(paid + amount + p.adjustment);
            }
        }
    }

    tx.commit();
}

// ---------------------------------------------------------------------------------------
// The benchmark plant

namespace {

// A small deterministic generator (64-bit linear congruential, Knuth's constants), so the
// benchmark plant is the same on every machine and every run.
class Sequence {
public:
    explicit Sequence(quint64 seed) : m_state(seed) {}
    // A whole number in [low, high].
    int between(int low, int high) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + int((m_state >> 33) % quint64(high - low + 1));
    }

private:
    quint64 m_state;
};

const char *const kTownWords[] = {"Appalachian", "Brookside", "Cedar Creek", "Dogwood",    "Elkin",     "Foothills",
                                  "Granite Falls", "Harmony",  "Iredell",     "Jonesville", "King's Mountain",
                                  "Linville",    "Maiden",     "Newland",     "Oakboro",    "Pineola",   "Rutherford",
                                  "Sawmills",    "Taylorsville", "Valdese",   "Wilkes",     "Yadkin"};
const char *const kTradeWords[] = {"Furniture", "Upholstery", "Seating", "Sofa Co.", "Interiors", "Home", "Frames",
                                   "Casual Living"};
const char *const kStyleNames[] = {"Abbey",   "Beacon",  "Carlisle", "Dover",    "Easton",  "Fairfax", "Garland",
                                   "Hampton", "Ivy",     "Jasper",   "Kendall",  "Laurel",  "Monroe",  "Newport",
                                   "Oxford",  "Preston", "Quincy",   "Raleigh",  "Savoy",   "Tahoe",   "Union",
                                   "Vernon",  "Weston",  "Yorktown", "Zephyr"};
const char *const kActiveTypes[] = {"Chair", "Loveseat", "Ottoman", "Recliner", "Sectional", "Sofa"};

}  // namespace

void populateLarge(Database &db, int styleCount, int orderCount) {
    if (styleCount < 1 || orderCount < 0)
        throw AppError(ErrorNumber::TypeMismatch, QStringLiteral("The benchmark plant needs at least one style."));
    const QDateTime now = Seams::clock().now();
    const QDate today = now.date();
    Sequence random(20040720);

    Transaction tx(db);
    requireEmpty(db);
    writeShopData(db, now);

    // Customers: "Vedu" first, so its own order form is exercised, then generated names.
    // Two customers in three have styles of their own, as a plant with years of history has.
    const int customerCount = qMax(10, styleCount * 2 / 3);
    QStringList customerNames{QStringLiteral("Vedu")};
    const int towns = int(std::size(kTownWords)), trades = int(std::size(kTradeWords));
    for (int i = 0; customerNames.size() < customerCount; ++i) {
        QString name = QStringLiteral("%1 %2").arg(QLatin1String(kTownWords[i % towns]),
                                                   QLatin1String(kTradeWords[(i / towns) % trades]));
        if (i >= towns * trades) name += QStringLiteral(" %1").arg(i / (towns * trades) + 1);
        customerNames << name;
    }
    {
        BulkInsert t(db, QStringLiteral("Customer"),
                     {"Customer", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Status", "ShipTo",
                      "ShipToAddress1", "ShipToAddress2", "ShipToCity", "ShipToState", "ShipToZip", "ShipToPhone",
                      "ShipToFax", "DateAdded", "Terms", "Days"});
        for (int i = 0; i < customerNames.size(); ++i) {
            const QString address = QStringLiteral("%1 Industrial Dr").arg(100 + i * 7);
            const QString phone = QStringLiteral("828-555-%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
            const QString status = (i % 15 == 14) ? QStringLiteral("InActive") : QStringLiteral("Active");
            t.add({customerNames[i], address, QString(), QStringLiteral("Hickory"), QStringLiteral("NC"),
                   QStringLiteral("28601"), phone, QString(), status, customerNames[i], address,
                   QStringLiteral("Dock %1").arg(i % 6 + 1), QStringLiteral("Hickory"), QStringLiteral("NC"),
                   QStringLiteral("28601"), phone, QString(), isoDateTime(now.addDays(-800 - i)),
                   QStringLiteral("Net 30"), 30});
        }
        t.flush();
    }

    // Styles with their components and each component's routing.
    struct Generated {
        qint64 id;
        double price;
    };
    QVector<QVector<Generated>> stylesOf(customerNames.size());
    {
        BulkInsert styles(db, QStringLiteral("Style"), {"ID", "Customer", "Name", "Type", "Cost", "Price", "Status"});
        BulkInsert components(db, QStringLiteral("Component"),
                              {"ID", "Description", "Thickness", "Width", "Length", "CutStyle", "Test", "TestRange",
                               "Topped", "PrintOnShipping", "Arm", "Tie", "BunID", "RailsPerBun", "PiecesPerRail", "Status"});
        BulkInsert links(db, QStringLiteral("StyleComponent"), {"ID", "StyleID", "ComponentID", "Qty"});
        BulkInsert operations(db, QStringLiteral("StyleOperation"),
                              {"StyleID", "ComponentID", "OperationID", "Instructions", "Thickness", "Width", "Length"});
        const int names = int(std::size(kStyleNames)), types = int(std::size(kActiveTypes));
        const int routed = routings().size();
        qint64 linkId = 0;
        for (int s = 0; s < styleCount; ++s) {
            const qint64 styleId = s + 1;
            const int customer = s % customerNames.size();
            const int k = s / customerNames.size();  // the customer's k-th style: unique name per customer
            QString name = QLatin1String(kStyleNames[k % names]);
            if (k >= names) name += QStringLiteral(" %1").arg(k / names + 1);
            const QString type = QLatin1String(kActiveTypes[(s + k) % types]);
            const double price = money(40.0 + random.between(0, 40000) / 100.0);
            const double cost = money(price * 0.7);
            styles.add({styleId, customerNames[customer], name, type, cost, price, QStringLiteral("Active")});
            stylesOf[customer].append({styleId, price});

            // Six to eighteen components (twelve on average), each with the one operation of
            // its routing this style asks for: a style's sheet lists a dozen parts. Each part
            // is cut for this style alone, as the plant's catalogue of ten years holds a
            // component per style part: the routing's component under the style's number.
            const int parts = random.between(6, routed);
            const int first = random.between(0, routed - 1);
            for (int p = 0; p < parts; ++p) {
                const Routing &routing = routings().at((first + p * 5) % routed);  // 5 is prime to 18: distinct parts
                const ComponentDef *component = componentDef(QLatin1String(routing.component));
                const QString componentId =
                    QStringLiteral("%1-%2").arg(QLatin1String(routing.component)).arg(styleId, 4, 10, QLatin1Char('0'));
                const ComponentDef &c = *component;
                components.add({componentId, QStringLiteral("%1, %2").arg(QLatin1String(c.description), name), c.thickness,
                                c.width, c.length, QLatin1String(c.cutStyle), c.test, QLatin1String(c.testRange),
                                QLatin1String(c.topped), c.printOnShipping, c.arm, c.tie, QLatin1String(c.bunId),
                                c.railsPerBun, c.piecesPerRail, QLatin1String(c.status)});
                ++linkId;
                links.add({linkId, styleId, componentId, random.between(1, 5)});
                const OperationDef &op = routing.operations.at(int((styleId + p) % routing.operations.size()));
                const Dims d = cutDims(*component, op.cut);
                operations.add({styleId, linkId, QLatin1String(op.station), QLatin1String(op.instructions), d.thickness,
                                d.width, d.length});
            }
        }
        styles.flush();
        components.flush();
        links.flush();
        operations.flush();
    }

    // Orders over the last ten years: older ones shipped in full and mostly invoiced and
    // paid, the last month's part shipped, the last week's open; one in fifty void.
    {
        BulkInsert orders(db, QStringLiteral("Orders"),
                          {"ID", "OrderNumber", "Customer", "OrderDate", "DueDate", "Status", "ShipTo", "ShipToAddress1",
                           "ShipToAddress2", "ShipToCity", "ShipToState", "ShipToZip", "ShipToPhone", "ShipToFax",
                           "DateAdded", "Total"});
        BulkInsert items(db, QStringLiteral("OrderItems"),
                         {"OrderID", "ItemNumber", "Line", "Qty", "StyleID", "PriceEach", "PriceExt"});
        BulkInsert shipments(db, QStringLiteral("Shipments"), {"ID", "OrderID", "Date"});
        BulkInsert shipmentItems(db, QStringLiteral("ShipmentItems"), {"ShipmentID", "OrderID", "OrderLineItem", "Qty"});
        BulkInsert invoiced(db, QStringLiteral("OrdersInvoiced"), {"OrderID"});
        BulkInsert invoices(db, QStringLiteral("Invoice"),
                            {"ID", "Customer", "InvoiceDate", "DueDate", "Freight", "Misc", "Subtotal", "Total", "MemoField"});
        BulkInsert invoiceOrders(db, QStringLiteral("InvoiceOrders"), {"Invoice", "OrderID"});
        BulkInsert payments(db, QStringLiteral("Payments"), {"Invoice", "Date", "Amount", "Adjustment"});

        const int span = 3650;  // ten years of history
        qint64 shipmentId = 0, invoiceId = 0;
        for (int o = 0; o < orderCount; ++o) {
            const qint64 orderId = o + 1;
            int customer = random.between(0, customerNames.size() - 1);
            while (stylesOf[customer].isEmpty()) customer = (customer + 1) % customerNames.size();
            const int day = -span + int(qint64(o) * span / qMax(1, orderCount));
            const QDate orderDate = today.addDays(day);
            const bool isVoid = o % 50 == 49;

            struct Line {
                int item;
                double qty, each;
                qint64 style;
            };
            QVector<Line> lines;
            const int lineCount = random.between(1, 11);  // six lines on average
            double total = 0;
            for (int l = 0; l < lineCount; ++l) {
                const Generated &style = stylesOf[customer].at(random.between(0, stylesOf[customer].size() - 1));
                const Line line{l + 1, double(random.between(1, 40)), style.price, style.id};
                lines.append(line);
                total += money(line.qty * line.each);
                items.add({orderId, line.item, QStringLiteral("L%1").arg(line.item), line.qty, line.style, line.each,
                           money(line.qty * line.each)});
            }
            total = money(total);

            // Shipments: full for orders older than a month, half of every line for the
            // last month's, none for the last week's.
            bool allShipped = true;
            if (!isVoid && day < -7) {
                const bool full = day < -30;
                ++shipmentId;
                shipments.add({shipmentId, orderId, isoDate(orderDate.addDays(qMin(10, -day)))});
                for (const Line &line : lines) {
                    const double qty = full ? line.qty : std::floor(line.qty / 2);
                    if (qty < line.qty) allShipped = false;
                    if (qty > 0) shipmentItems.add({shipmentId, orderId, line.item, qty});
                }
            } else {
                allShipped = false;
            }
            const QString status = isVoid ? QStringLiteral("Void") : allShipped ? QStringLiteral("Closed") : QStringLiteral("Open");

            const QString &name = customerNames[customer];
            orders.add({orderId, QStringLiteral("PO-%1").arg(10000 + o), name, isoDate(orderDate),
                        isoDate(orderDate.addDays(21)), status, name, QStringLiteral("%1 Industrial Dr").arg(100 + customer * 7),
                        QString(), QStringLiteral("Hickory"), QStringLiteral("NC"), QStringLiteral("28601"), QString(),
                        QString(), isoDate(orderDate), total});

            // Two in three shipped orders older than two months are invoiced; those older
            // than three months are paid, with a small adjustment now and then.
            if (allShipped && day < -60 && o % 3 != 0) {
                ++invoiceId;
                const QDate invoiceDate = orderDate.addDays(12);
                const double freight = double(random.between(0, 150));
                invoiced.add({orderId});
                invoices.add({invoiceId, name, isoDate(invoiceDate), isoDate(invoiceDate.addDays(30)), freight, 0.0,
                              total, money(total + freight), QString()});
                invoiceOrders.add({invoiceId, orderId});
                if (day < -90) {
                    const double adjustment = (o % 7 == 0) ? 5.0 : 0.0;
                    payments.add({invoiceId, isoDate(invoiceDate.addDays(25)), money(total + freight - adjustment), adjustment});
                }
            }
        }
        orders.flush();
        items.flush();
        shipments.flush();
        shipmentItems.flush();
        invoiced.flush();
        invoices.flush();
        invoiceOrders.flush();
        payments.flush();
    }

    tx.commit();
}

}  // namespace DemoPlant
