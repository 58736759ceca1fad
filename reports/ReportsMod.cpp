#include "reports/ReportsMod.h"

#include "core/AppError.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "data/SqlText.h"
#include "reports/BuilderSupport.h"

#include <QString>

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
    const QString sql =
        QStringLiteral("SELECT Orders.Customer,OrderItems.StyleID,Style.Name,Style.Type,SUM(OrderItems.Qty*OrderItems."
                       "PriceEach) AS Sales,SUM(OrderItems.Qty*Style.Cost) AS Cost FROM ((Orders LEFT JOIN OrderItems ON "
                       "Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) WHERE "
                       "Orders.OrderDate >= ") +
        SalesDateLiteral(start) + QStringLiteral(" AND Orders.OrderDate <= ") + SalesDateLiteral(end) +
        QStringLiteral(" GROUP BY Orders.Customer,OrderItems.StyleID,Style.Name,Style.Type ORDER BY "
                       "Orders.Customer,Style.Name,Style.Type");
    ReportJob job = OpenReport(QStringLiteral("crptSalesByCustomer"), sql);
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
