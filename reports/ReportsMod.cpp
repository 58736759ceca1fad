#include "reports/ReportsMod.h"

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
