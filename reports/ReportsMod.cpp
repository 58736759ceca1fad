#include "reports/ReportsMod.h"

#include "reports/BuilderSupport.h"

#include "core/AppError.h"
#include "core/AppFolders.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/Database.h"
#include "data/DropTable.h"
#include "data/RecordId.h"
#include "data/SqlText.h"
#include "data/StationSql.h"
#include "reports/Report.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>

// ---------------------------------------------------------------------------------------
// Master-data listings: one query each, previewed.

void PrintVendorListing() {
    PreviewQuery(QStringLiteral("crptVendorListing"),
                 QStringLiteral("SELECT Vendor,Address1,Address2,City,State,Zip,Phone,Fax,Contact,Status FROM Vendor "
                                "ORDER BY Status,Vendor"));
}

void PrintCustomerListing() {
    PreviewQuery(QStringLiteral("crptCustomerListing"),
                 QStringLiteral("SELECT Customer,Address1,Address2,City,State,Zip,Phone,Fax,Status,DateAdded,ShipTo,"
                                "ShipToAddress1,ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,"
                                "Terms,Days FROM Customer ORDER BY Status,Customer"));
}

void PrintComponentListing() {
    PreviewQuery(QStringLiteral("crptComponentListing"),
                 QStringLiteral("SELECT ID,Description,Thickness,Width,Length,Cutstyle,Test,TestRange,BunID,Topped,"
                                "RailsPerBun,PiecesPerRail,PrintOnShipping,Arm,Tie FROM Component ORDER BY ID"));
}

void PrintBunListing() {
    PreviewQuery(QStringLiteral("crptBunListing"),
                 QStringLiteral("SELECT ID,Width,Length,Grade,Vendor,Status,OffAll FROM Bun "
                                "ORDER BY Status,OffAll,Grade,Width,Length,ID"));
}

// ---------------------------------------------------------------------------------------
// Production paperwork of one order.

namespace {

using namespace StationSql;

// The order ID as it goes into the queries. The ID is placed unquoted after
// "Orders.ID = ", so anything but plain digits could change the statement; such an ID
// is refused before any query runs.
QString orderIdSql(const QString &orderId) {
    return QString::number(RecordId::Require(orderId, QStringLiteral("an order")));
}

// A field-definition file in the ttx folder (beside the executable where it can be
// written, see AppFolders), rewritten each time.
void writeFieldDefinitions(Recordset &rows, const char *fileName) {
    CreateFieldDefFile(rows.rowSet(), AppFolders::OutputFolder(QStringLiteral("ttx")) + QStringLiteral("\\") +
                                          QLatin1String(fileName) + QLatin1Char(' '));
}

// Binds rows to a report, then discards saved data and reads records.
void fill(Report &report, Recordset &rows) {
    report.bind(rows.rowSet());
    report.discardSavedData();
    report.readRecords();
}

void printOrPreview(const Report &report, bool preview) {
    if (preview) report.preview();
    else report.printOut();
}

// ---- Station work tickets ------------------------------------------------------------

struct StationTickets {
    QStringList reportTypes;
    const char *templateName;
    const QString &select;
    const QString &join;
    const char *sort;        // empty: the rows come as the database returns them
    const char *department;  // empty: the template has no department text
};

// A ticket heading: the station's name, and its team when the station has several.
QString ticketHeading(const QString &station, double teams, int team) {
    return teams > 1 ? station + QStringLiteral(" Team ") + QString::number(team) : station;
}

void printStationTickets(const StationTickets &kind, const QString &orderId) {
    const QString id = orderIdSql(orderId);
    BusyCursor busy;
    auto stations = AppDatabase().openRecordset(StationQuery(kind.reportTypes));
    std::unique_ptr<Report> report;  // made at the first station with work, reused after
    for (; !stations->eof(); stations->moveNext()) {
        const QString station = stations->text(QStringLiteral("Station"));
        auto rows = AppDatabase().openRecordset(
            TicketQuery(kind.select, kind.join, station, id, QLatin1String(kind.sort)));
        if (!rows->isEmpty()) {
            if (!report) report = Report::create(QLatin1String(kind.templateName));
            fill(*report, *rows);
            if (*kind.department) report->setText(QStringLiteral("txtDepartment"), QLatin1String(kind.department));
            const double teams = Values::Val(stations->text(QStringLiteral("Teams")));
            for (int team = 1; team <= teams; ++team) {
                report->setText(QStringLiteral("txtTitle"), ticketHeading(station, teams, team));
                report->printOut();
            }
        }
        rows->close();
    }
    stations->close();
}

}  // namespace

void PrintGlueSprayLineTickets(const QString &orderId) {
    printStationTickets({{"Glue Line", "Spray Line"}, "crptGlueSprayLine", TicketSelect(), TicketJoin(), "",
                         "Fabrication Department"},
                        orderId);
}

void PrintFiberTableTickets(const QString &orderId) {
    printStationTickets({{"Fiber Table"}, "crptFiberTable", TicketSelectWithBun(), TicketJoinWithBun(), "", ""}, orderId);
}

void PrintLineSupplyTickets(const QString &orderId) {
    printStationTickets({{"Glue/Spray Line Supply"}, "crptGlueSprayLine", TicketSelect(), TicketJoin(), "",
                         "Saw Department"},
                        orderId);
}

void PrintBulletNoserTickets(const QString &orderId) {
    printStationTickets({{"Bullet Noser"}, "crptBulletNoser", TicketSelectWithBun(), TicketJoinWithBun(), "", ""},
                        orderId);
}

void PrintCNCTickets(const QString &orderId) {
    printStationTickets({{"CNC"}, "crptCNC", TicketSelectWithBun(), TicketJoinWithBun(), "", ""}, orderId);
}

void PrintCNCStencilTickets(const QString &orderId) {
    printStationTickets({{"CNC Stencil"}, "crptCNCStencil", TicketSelectWithBun(), TicketJoinWithBun(), "", ""},
                        orderId);
}

void PrintBandSawTickets(const QString &orderId) {
    printStationTickets({{"Band Saw"}, "crptBandSaw", TicketSelectWithOffAll(), TicketJoinWithBun(),
                         " ORDER BY Bun.Grade,StyleOperation.Thickness desc,StyleOperation.Width desc,"
                         "StyleOperation.Length desc",
                         ""},
                        orderId);
}

void PrintVerticalSlitterTickets(const QString &orderId) {
    printStationTickets({{"Vertical Slitter"}, "crptVerticalSlitter", TicketSelect(), TicketJoin(), "", "Saw Department"},
                        orderId);
}

// ---- Production summary --------------------------------------------------------------

namespace {

// An order's pieces per station for the summary tallies, the style operations joined
// with their conditions in parentheses.
const QString &tallyFrom() {
    static const QString text = QStringLiteral(" From ((((((") + OrdersToComponents() +
                                QStringLiteral(
                                    " LEFT JOIN StyleOperation ON (StyleComponent.StyleID = StyleOperation.StyleID) AND "
                                    "(StyleComponent.ID = StyleOperation.ComponentID)) LEFT JOIN Operation ON "
                                    "StyleOperation.OperationID = Operation.Station)");
    return text;
}

// The three summary tables of a line (glue or spray) and the rate it works at.
struct LineTables {
    const char *reportType;  // "Glue Line"
    const char *rate;        // the labour-variables column of its non-arms per hour
    const char *stations;    // tmpGlueLineMain: Station, Rate
    const char *total;       // tmpGlueLineTotal: ID, TotalArms
    const char *nonArms;     // tmpGlueLineNonArm: ID, NonArms
};

const LineTables kGlueLine = {"Glue Line", "NonArmPerHour", "tmpGlueLineMain", "tmpGlueLineTotal",
                              "tmpGlueLineNonArm"};
const LineTables kSprayLine = {"Spray Line", "SprayLineNonArmPerHour", "tmpSprayLineMain", "tmpSprayLineTotal",
                               "tmpSprayLineNonArm"};

QString lineTally(const LineTables &line, const char *column, const char *table, bool nonArmsOnly, const QString &id) {
    return QStringLiteral("SELECT StyleOperation.OperationID AS ID,SUM(OrderItems.Qty * StyleComponent.Qty) As ") +
           QLatin1String(column) + QStringLiteral(" Into ") + QLatin1String(table) + tallyFrom() +
           QStringLiteral(" Where [Operation].[ReportType] = '") + QLatin1String(line.reportType) +
           QStringLiteral("' AND ") + (nonArmsOnly ? QStringLiteral("Component.Arm = False AND ") : QString()) +
           QStringLiteral("Orders.ID = ") + id + QStringLiteral(" Group By StyleOperation.OperationID");
}

// Drops and rebuilds a line's three tables, then opens every station of the line with
// its rate and its pieces (empty where the order has none).
std::unique_ptr<Recordset> rebuildLineTables(const LineTables &line, const QString &id) {
    const QString stations = QLatin1String(line.stations), total = QLatin1String(line.total),
                  nonArms = QLatin1String(line.nonArms);
    DropTable(stations);
    AppDatabase().execute(QStringLiteral("SELECT Station,") + QLatin1String(line.rate) + QStringLiteral(" As Rate Into ") +
                          stations + QStringLiteral(" From Operation, Data Where ReportType = '") +
                          QLatin1String(line.reportType) + QLatin1Char('\''));
    DropTable(total);
    AppDatabase().execute(lineTally(line, "TotalArms", line.total, false, id));
    DropTable(nonArms);
    AppDatabase().execute(lineTally(line, "NonArms", line.nonArms, true, id));
    return AppDatabase().openRecordset(QStringLiteral("SELECT Station,Rate,TotalArms,NonArms From ((") + stations +
                                       QStringLiteral(" LEFT JOIN ") + total + QStringLiteral(" ON ") + stations +
                                       QStringLiteral(".Station = ") + total + QStringLiteral(".ID) LEFT JOIN ") +
                                       nonArms + QStringLiteral(" ON ") + stations + QStringLiteral(".Station = ") +
                                       nonArms + QStringLiteral(".ID) order By Station"));
}

// The rows of a query, which is closed.
RowSet rowsOf(std::unique_ptr<Recordset> query) {
    RowSet rows = query->rowSet();
    query->close();
    return rows;
}

// Binds rows to a subreport; reading the main report's records reads them.
void bindSubreport(Report &report, const char *name, const RowSet &rows) {
    report.subreport(QLatin1String(name)).bind(rows);
}

// The labour of the glue and spray lines beside the order's value, for the labour block
// of the summary: every station of both lines with its line ("Glue line", "Spray line"),
// rate and pieces, and on every row the order's Total, LaborCostPerHour and LaborPercent.
// A subreport cannot read its main report's fields, so the rows carry them; the hours,
// the cost and the share of the order total are the template's formulas.
RowSet labourRows(const RowSet &order, const RowSet &glueLine, const RowSet &sprayLine) {
    RowSet labour;
    labour.columns.append({QStringLiteral("Line"), QString(), QString(), QStringLiteral("TEXT")});
    labour.columns += glueLine.columns;
    const QStringList orderColumns = {QStringLiteral("Total"), QStringLiteral("LaborCostPerHour"),
                                      QStringLiteral("LaborPercent")};
    QVector<QVariant> orderValues;
    for (const QString &name : orderColumns) {
        const int at = order.indexOf(name);
        labour.columns.append(at >= 0 ? order.columns.at(at) : RowSetColumn{name, {}, {}, {}});
        orderValues.append(at >= 0 && !order.rows.isEmpty() ? order.rows.first().value(at) : QVariant());
    }
    for (const auto &[line, rows] : {std::pair{QStringLiteral("Glue line"), &glueLine},
                                     std::pair{QStringLiteral("Spray line"), &sprayLine}})
        for (const QVector<QVariant> &row : rows->rows) labour.rows.append(QVector<QVariant>{line} + row + orderValues);
    return labour;
}

}  // namespace

void PrintProductionSummary(const QString &orderId, const QString &department) {
    const QString id = orderIdSql(orderId);
    BusyCursor busy;
    auto order = AppDatabase().openRecordset(
        QStringLiteral("SELECT Orders.ID,OrderNumber,Orders.Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,"
                       "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,Total,LaborCostPerHour,"
                       "LaborPercent FROM Orders,Data WHERE Orders.ID = ") +
        id);
    auto report = Report::create(QStringLiteral("crptSummary"));
    report->bind(order->rowSet());

    RowSet glueLine, sprayLine;
    {
        // The six tables have fixed names in the shared file: they are dropped, rebuilt
        // and read as one unit, so another copy summarising at the same moment waits
        // instead of mixing its order's figures into these, and a failure leaves the
        // tables of the last whole summary.
        Transaction tables(AppDatabase());
        glueLine = rowsOf(rebuildLineTables(kGlueLine, id));
        sprayLine = rowsOf(rebuildLineTables(kSprayLine, id));
        tables.commit();
    }
    bindSubreport(*report, "subGlueLine", glueLine);
    bindSubreport(*report, "subSprayLine", sprayLine);
    bindSubreport(*report, "subLabour", labourRows(order->rowSet(), glueLine, sprayLine));

    bindSubreport(*report, "subBulletNoser",
                  rowsOf(AppDatabase().openRecordset(
                      QStringLiteral("SELECT StyleOperation.OperationID AS ID,SUM(OrderItems.Qty * StyleComponent.Qty) "
                                     "AS Pcs ") +
                      tallyFrom() + QStringLiteral(" Where [Operation].[ReportType] = 'Bullet Noser'  AND Orders.ID = ") +
                      id + QStringLiteral(" Group By StyleOperation.OperationID"))));
    bindSubreport(*report, "subFiberTable",
                  rowsOf(AppDatabase().openRecordset(
                      QStringLiteral("SELECT StyleOperation.OperationID,SUM(OrderItems.Qty*StyleComponent.Qty) AS "
                                     "CompQty,Component.Width,StyleOperation.Width,Bun.Length,Component.PiecesPerRail "
                                     "FROM (((((((") +
                      OrdersToComponents() + TicketJoinWithBun() +
                      QStringLiteral(" WHERE Operation.ReportType = 'Fiber Table' AND Orders.ID = ") + id +
                      QStringLiteral(" GROUP BY StyleOperation.OperationID,Component.Width,StyleOperation.Width,"
                                     "Bun.Length,Component.PiecesPerRail"))));

    auto cnc = AppDatabase().openRecordset(
        QStringLiteral("SELECT StyleOperation.OperationID,SUM(OrderItems.Qty*StyleComponent.Qty) AS CompQty, "
                       "Component.PiecesPerRail FROM ((((((") +
        OrdersToComponents() + TicketJoin() + QStringLiteral(" WHERE Operation.ReportType = 'CNC' AND Orders.ID = ") + id +
        QStringLiteral(" GROUP BY StyleOperation.OperationID,Component.PiecesPerRail"));
    writeFieldDefinitions(*cnc, "SummaryCNCRpt.ttx");
    bindSubreport(*report, "subCNC", rowsOf(std::move(cnc)));

    auto bandSaw = AppDatabase().openRecordset(
        QStringLiteral("SELECT StyleOperation.OperationID,SUM(OrderItems.Qty*StyleComponent.Qty) AS "
                       "CompQty,Component.RailsPerBun,Component.PiecesPerRail FROM (((((((") +
        OrdersToComponents() + TicketJoinWithBun() +
        QStringLiteral(" WHERE Operation.ReportType = 'Band Saw' AND Orders.ID = ") + id +
        QStringLiteral(" AND Bun.OffAll = False GROUP BY StyleOperation.OperationID,Component.PiecesPerRail,"
                       "Component.RailsPerBun"));
    writeFieldDefinitions(*bandSaw, "SummaryBandSawRpt.ttx");
    bindSubreport(*report, "subBandSaw", rowsOf(std::move(bandSaw)));

    report->discardSavedData();
    report->readRecords();
    report->setText(QStringLiteral("txtDepartment"), department);
    report->printOut();
    order->close();
}

// ---- Order documents -----------------------------------------------------------------

void PrintOrder(const QString &orderId, bool preview, const QString &recipient) {
    const QString id = orderIdSql(orderId);
    BusyCursor busy;
    auto rows = AppDatabase().openRecordset(
        QStringLiteral("SELECT Orders.ID,OrderNumber,Orders.Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,"
                       "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,ItemNumber,Line,Qty,"
                       "StyleID,Name,Type,PriceEach,PriceExt FROM ((Orders LEFT JOIN OrderItems ON Orders.ID = "
                       "OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) WHERE Orders.ID = ") +
        id + QStringLiteral(" ORDER BY Orders.ID,OrderItems.ItemNumber"));
    if (rows->isEmpty())
        throw AppError(ErrorNumber::NoCurrentRecord,
                       QStringLiteral("No current record: there is no order with ID %1").arg(id));
    // Vedu's orders go on the form made for that customer; the name must match exactly.
    const bool vedu = rows->text(QStringLiteral("Customer")) == QLatin1String("Vedu");
    auto report = Report::create(vedu ? QStringLiteral("crptOrder2") : QStringLiteral("crptOrder"));
    fill(*report, *rows);
    report->setText(QStringLiteral("txtRecipient"), recipient);
    printOrPreview(*report, preview);
    rows->close();
}

void PrintLoadSheet(const QString &orderId, bool preview) {
    const QString id = orderIdSql(orderId);
    BusyCursor busy;
    ReportJob job = OpenReport(
        QStringLiteral("crptLoadSheet"),
        QStringLiteral("SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,ShipTo,"
                       "ShipToAddress1,ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,"
                       "OrderItems.ItemNumber,OrderItems.Line,OrderItems.Qty,OrderItems.PriceEach,OrderItems.PriceExt,"
                       "Style.ID,Style.Name,Style.Type,StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty,"
                       "Component.Description,Component.Thickness,Component.Width,Component.Length,Component.Cutstyle,"
                       "Component.Test,Component.TestRange,Component.Topped,Component.RailsPerBun,"
                       "Component.PiecesPerRail,Component.Arm,Component.Tie FROM ((((") +
            OrdersToComponents() + QStringLiteral(" WHERE Component.PrintOnShipping = True AND Orders.ID = ") + id +
            QStringLiteral(" ORDER BY Style.ID,Style.Type,Component.Description"));
    printOrPreview(*job.report, preview);
}

void PrintTestSheet(const QString &orderId) {
    const QString id = orderIdSql(orderId);
    PrintQuery(QStringLiteral("crptTest"),
               ComponentColumns() + QStringLiteral(", Bun.Width,Bun.Length,Bun.Grade,Bun.OffAll FROM (((((") +
                   OrdersToComponents() + QStringLiteral(" LEFT JOIN Bun ON Component.BunID = Bun.ID)") +
                   QStringLiteral(" WHERE Component.Test = True AND Orders.ID = ") + id + ComponentsAsEntered(),
               {{QStringLiteral("txtTitle"), QStringLiteral("Test Sheet")}});
}

void PrintTieSheet(const QString &orderId) {
    const QString id = orderIdSql(orderId);
    PrintQuery(QStringLiteral("crptTie"),
               TicketSelectWithBun() + TicketJoinWithBun() + QStringLiteral(" WHERE Component.Tie = True AND Orders.ID = ") +
                   id + OperationsAsEntered(),
               {{QStringLiteral("txtTitle"), QStringLiteral("Tie Sheet")}});
}

void PrintTopOutSawTickets(const QString &orderId) {
    const QString id = orderIdSql(orderId);
    // Every band-saw operation, and every CNC operation of a component that no band saw
    // cuts anywhere in the order; pieces of buns kept off all lists are left out.
    PrintQuery(QStringLiteral("crptTopOutSaw"),
               TicketSelectWithOffAll() + TicketJoinWithBun() +
                   QStringLiteral(" WHERE (ReportType = 'Band Saw' OR (ReportType = 'CNC' AND "
                                  "StyleComponent.ComponentID NOT IN (SELECT StyleComponent.ComponentID FROM (((((((") +
                   OrdersToComponents() + TicketJoinWithBun() + QStringLiteral(" WHERE Orders.ID = ") + id +
                   QStringLiteral(" AND ReportType = 'Band Saw'))) AND Orders.ID = ") + id +
                   QStringLiteral(" AND OffAll = False ORDER BY  StyleOperation.OperationID,Bun.Grade,Bun.Width DESC, "
                                  "Component.Length DESC, Component.Width DESC"),
               {{QStringLiteral("txtTitle"), QStringLiteral("Top Out Saw")}});
}

void PrintFoamOrder(const QString &orderId) {
    const QString id = orderIdSql(orderId);
    BusyCursor busy;
    // The stations are named, not their report types: foam is bought for these three.
    auto rows = AppDatabase().openRecordset(
        TicketColumns() + QStringLiteral(", Bun.Width,Bun.Length,Bun.Grade,Bun.OffAll, Bun.Vendor FROM (((((((") +
        OrdersToComponents() + TicketJoinWithBun() +
        QStringLiteral(" WHERE (StyleOperation.OperationID = 'Band Saw 1' OR StyleOperation.OperationID = 'Band Saw 2' "
                       "OR StyleOperation.OperationID = 'CNC') AND Orders.ID = ") +
        id + QStringLiteral(" AND OffAll = False ORDER BY Bun.Vendor, StyleOperation.OperationID,Bun.Grade,Bun.Width,Bun.Length"));
    writeFieldDefinitions(*rows, "FoamOrderRpt.ttx");
    auto report = Report::create(QStringLiteral("crptFoamOrder"));
    fill(*report, *rows);
    report->setText(QStringLiteral("txtTitle"), QStringLiteral("Foam Order"));
    report->printOut();
    rows->close();
}

void PrintFiberOrder(const QString &orderId) {
    const QString id = orderIdSql(orderId);
    PrintQuery(QStringLiteral("crptFiberOrder"),
               TicketColumns() +
                   QStringLiteral(", Bun.ID,Bun.Width,Bun.Length,Bun.Grade,Bun.OffAll, Bun.Vendor FROM (((((((") +
                   OrdersToComponents() + TicketJoinWithBun() +
                   QStringLiteral(" WHERE ReportType = 'Fiber Table' AND Orders.ID = ") + id +
                   QStringLiteral(" AND OffAll = False ORDER BY Bun.Grade,Bun.Width DESC, Component.Length DESC, "
                                  "Component.Width DESC"),
               {{QStringLiteral("txtTitle"), QStringLiteral("Fiber Order")}});
}

// ---------------------------------------------------------------------------------------
// Accounts receivable and sales: one query each, previewed.

namespace {

// Both invoice reports read every invoice with what has been paid on it; the templates
// work out the balances and which invoices are open.
const QString kPaid = QStringLiteral("(SELECT SUM(Amount) + SUm(Adjustment) FROM Payments WHERE Invoice = Invoice.ID) AS Paid");

// A date text handed to the sales report as a #m/d/yyyy# literal, so the query reads the
// same day whatever form the text came in; a text that is no date is refused before it
// reaches the query.
QString SalesDateLiteral(const QString &text) {
    const QDate date = Values::ParseShortDate(text.trimmed());
    if (!date.isValid())
        throw AppError(ErrorNumber::ReportError,
                       QStringLiteral("PrintSalesByCustomer: '%1' is not a date (month/day/year)").arg(text));
    return SqlText::DateLiteral(date);
}

// The sales rows read a few customers at a time: the customers who have orders, in the
// query's order, then the query for the first customer, the next two, the next four and
// so on up to 64 at a time, each with its customers' range added. SQLite then groups
// only those customers' lines (found through the orders' index by customer and date),
// so the first customers' rows come without grouping every line of the range first, and
// no slice of the layout waits for more than a share of the grouping. The rows are those
// of the query run whole, in its order: the ranges compare names as the query's order
// and grouping do.
std::shared_ptr<RowStream> SalesRows(const QString &select, const QString &grouping) {
    struct Customers {
        std::unique_ptr<Recordset> names;
        int size = 1;  // customers in the next piece
    };
    auto customers = std::make_shared<Customers>();
    customers->names = AppDatabase().openRecordset(
        QStringLiteral("SELECT DISTINCT Orders.Customer FROM Orders ORDER BY Orders.Customer"), RecordsetType::ForwardOnly);
    auto next = [customers, select, grouping]() -> std::unique_ptr<Recordset> {
        Recordset &names = *customers->names;
        if (names.eof()) return nullptr;
        const QString customer = QStringLiteral("Customer");
        QString only;
        if (names.field(customer).isNull()) {
            names.moveNext();
            only = QStringLiteral(" AND Orders.Customer IS NULL");
        } else {
            const QString first = names.field(customer).toString();
            QString last;
            for (int n = 0; n < customers->size && !names.eof() && !names.field(customer).isNull(); ++n) {
                last = names.field(customer).toString();
                names.moveNext();
            }
            customers->size = std::min(2 * customers->size, 64);
            only = QStringLiteral(" AND Orders.Customer >= '") + SqlText::Escaped(first) +
                   QStringLiteral("' AND Orders.Customer <= '") + SqlText::Escaped(last) + QLatin1Char('\'');
        }
        return AppDatabase().openRecordset(select + only + grouping, RecordsetType::ForwardOnly);
    };
    // With no order at all the query itself gives the columns (and no rows).
    std::unique_ptr<Recordset> first = next();
    if (!first) first = AppDatabase().openRecordset(select + grouping, RecordsetType::ForwardOnly);
    return std::make_shared<RowStream>(std::move(first), next);
}

}  // namespace

void PrintInvoice(qint64 invoiceId) {
    PreviewQuery(QStringLiteral("crptInvoice"),
                 QStringLiteral("SELECT Invoice.ID,Invoice.Customer,Invoice.InvoiceDate,Invoice.DueDate,Invoice.Subtotal,"
                                "Invoice.Freight,Invoice.Misc,Invoice.Total,Invoice.MemoField,Customer.Address1,"
                                "Customer.Address2,Customer.City,Customer.State,Customer.Zip,Orders.OrderNumber,"
                                "OrderItems.ItemNumber,OrderItems.Line,OrderItems.Qty,Style.Name,Style.Type,"
                                "OrderItems.PriceEach,OrderItems.PriceExt FROM (((((InvoiceOrders LEFT JOIN Invoice ON "
                                "InvoiceOrders.Invoice = Invoice.ID) LEFT JOIN Orders ON InvoiceOrders.OrderID = Orders.ID) "
                                "LEFT JOIN Customer ON Invoice.Customer = Customer.Customer) LEFT JOIN OrderItems ON "
                                "Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) WHERE "
                                "Invoice.ID = ") +
                     QString::number(invoiceId) +
                     QStringLiteral(" ORDER BY Invoice.ID,  Orders.OrderNumber, OrderItems.ItemNumber"));
}

void PrintOpenInvoices() {
    PreviewQuery(QStringLiteral("crptOpenInvoices"),
                 QStringLiteral("SELECT Invoice.Customer,Invoice.ID,Invoice.InvoiceDate,Invoice.DueDate,Invoice.MemoField,"
                                "Invoice.Total,") +
                     kPaid + QStringLiteral(" FROM Invoice ORDER BY Invoice.Customer,Invoice.ID"));
}

void PrintCustomerStatements() {
    PreviewQuery(QStringLiteral("crptCustomerStatements"),
                 QStringLiteral("SELECT Invoice.Customer,Customer.Address1,Customer.Address2,Customer.City,Customer.State,"
                                "Customer.Zip,Invoice.ID,Invoice.InvoiceDate,Invoice.DueDate,Invoice.MemoField,"
                                "Invoice.Total,") +
                     kPaid +
                     QStringLiteral(" FROM (Invoice LEFT JOIN Customer ON Invoice.Customer = Customer.Customer) ORDER BY "
                                    "Invoice.Customer,Invoice.ID"),
                 {{QStringLiteral("txtStatementDate"), Values::ShortDate(Seams::clock().today())}});
}

void PrintStyleListing(const QString &customer, const QString &style, const QString &type) {
    QString sql = QStringLiteral(
        "SELECT Customer,Style.ID AS StyleID,Name,Type,Style.Status AS Status,StyleComponent.ID AS ComponentID,"
        "StyleComponent.ComponentID AS Component,Component.Description AS Description,Component.Thickness,"
        "Component.Width,Component.Length,Qty,StyleOperation.ID AS OperationID,StyleOperation.OperationID AS Operation,"
        "Instructions,StyleOperation.Thickness,StyleOperation.Width,StyleOperation.Length FROM (((Style LEFT JOIN "
        "StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN StyleOperation ON StyleComponent.StyleID = "
        "StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID) LEFT JOIN Component ON "
        "StyleComponent.ComponentID = Component.ID)");
    // The filters are tested from the type up: a chosen type filters on all three values,
    // a chosen style on customer and style, whatever the wider filters hold.
    const QString byCustomer = QStringLiteral(" WHERE Customer = '") + SqlText::Escaped(customer) + QLatin1Char('\'');
    const QString byStyle = byCustomer + QStringLiteral(" AND Name = '") + SqlText::Escaped(style) + QLatin1Char('\'');
    if (type != StyleListingFilter::AllTypes) sql += byStyle + QStringLiteral(" AND Type = '") + SqlText::Escaped(type) + QLatin1Char('\'');
    else if (style != StyleListingFilter::AllStyles) sql += byStyle;
    else if (customer != StyleListingFilter::AllCustomers) sql += byCustomer;
    sql += QStringLiteral(" ORDER BY Customer,Style.Name,Style.Type,StyleComponent.ComponentID,StyleOperation.OperationID");
    PreviewQuery(QStringLiteral("crptStyleListing"), sql);
}

void PrintSalesByCustomer(const QString &start, const QString &end, int detail) {
    BusyCursor busy;
    const QString range = QStringLiteral("Orders.OrderDate >= ") + SalesDateLiteral(start) +
                          QStringLiteral(" AND Orders.OrderDate <= ") + SalesDateLiteral(end);
    const QString select =
        QStringLiteral("SELECT Orders.Customer,OrderItems.StyleID,Style.Name,Style.Type,SUM(OrderItems.Qty*OrderItems."
                       "PriceEach) AS Sales,SUM(OrderItems.Qty*Style.Cost) AS Cost FROM ((Orders LEFT JOIN OrderItems ON "
                       "Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) WHERE ") +
        range;
    const QString grouping = QStringLiteral(" GROUP BY Orders.Customer,OrderItems.StyleID,Style.Name,Style.Type ORDER BY "
                                            "Orders.Customer,Style.Name,Style.Type");
    ReportJob job = RowsStreamed() ? OpenReport(QStringLiteral("crptSalesByCustomer"), SalesRows(select, grouping))
                                   : OpenReport(QStringLiteral("crptSalesByCustomer"), select + grouping);
    // The template holds both forms; the builder hides the one not wanted.
    Report &report = *job.report;
    if (detail == 1) {
        report.hide(QStringLiteral("ReportHeaderSummary"));
        report.hide(QStringLiteral("GroupFooterSummary"));
        report.setText(QStringLiteral("txtTitle"), QStringLiteral("Sales By Customer & Style"));
    } else {
        report.hide(QStringLiteral("GroupHeaderCustomer"));
        report.hide(QStringLiteral("Detail"));
        report.hide(QStringLiteral("GroupFooterCustomer"));
        report.hide(QStringLiteral("txtStyleHeading"));
        report.setText(QStringLiteral("txtTitle"), QStringLiteral("Sales By Customer"));
    }
    report.setText(QStringLiteral("txtStartDate"), start);
    report.setText(QStringLiteral("txtEndDate"), end);
    report.preview();
}
