// Template lint: every template under reports/templates is compiled in, reads only the
// columns its builder binds, has the text objects, sections and subreports its builder
// addresses, and names a font that this system resolves (DejaVu Sans).

#include "reports/Report.h"
#include "reports/ReportTemplate.h"
#include "tests/support/Fakes.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

namespace {

// What one builder binds and addresses. A column written "Table.Column" is the column
// of that name from that table.
struct Binding {
    QString builder;
    QString templateName;
    QStringList columns;
    QStringList texts = {};
    QStringList hidden = {};
    QVector<QPair<QString, QStringList>> subreports = {};
};

// The columns of the paperwork queries, by the tables they come from.
QStringList orderColumns() {
    return {"Orders.Customer", "Orders.OrderDate", "Orders.DueDate", "Orders.OrderNumber", "Orders.ID"};
}
QStringList lineColumns() {
    return {"OrderItems.ItemNumber", "OrderItems.Line", "OrderItems.Qty", "OrderItems.PriceEach", "OrderItems.PriceExt",
            "Style.ID", "Style.Name", "Style.Type", "StyleComponent.ID", "StyleComponent.ComponentID",
            "StyleComponent.Qty", "Component.Description", "Component.Thickness", "Component.Width", "Component.Length",
            "Component.Cutstyle", "Component.Test", "Component.TestRange", "Component.Topped", "Component.RailsPerBun",
            "Component.PiecesPerRail"};
}
QStringList componentColumns() {
    return orderColumns() + lineColumns() + QStringList{"Component.PrintOnShipping", "Component.Arm", "Component.Tie"};
}
QStringList ticketColumns() {
    return componentColumns() + QStringList{"StyleOperation.ID", "StyleOperation.OperationID", "Operation.ReportType",
                                            "StyleOperation.Instructions", "StyleOperation.Thickness",
                                            "StyleOperation.Width", "StyleOperation.Length"};
}
QStringList shipToColumns() {
    return {"ShipTo", "ShipToAddress1", "ShipToAddress2", "ShipToCity", "ShipToState", "ShipToZip", "ShipToPhone",
            "ShipToFax"};
}
const QStringList kBun = {"Bun.Width", "Bun.Length", "Bun.Grade"};
const QStringList kOffAll = {"Bun.OffAll"};

const QVector<Binding> &bindings() {
    static const QVector<Binding> table = {
        {"PrintVendorListing", "crptVendorListing",
         {"Vendor", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Contact", "Status"}},
        {"PrintCustomerListing", "crptCustomerListing",
         {"Customer", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Status", "DateAdded", "ShipTo",
          "ShipToAddress1", "ShipToAddress2", "ShipToCity", "ShipToState", "ShipToZip", "ShipToPhone", "ShipToFax",
          "Terms", "Days"}},
        {"PrintComponentListing", "crptComponentListing",
         {"ID", "Description", "Thickness", "Width", "Length", "Cutstyle", "Test", "TestRange", "BunID", "Topped",
          "RailsPerBun", "PiecesPerRail", "PrintOnShipping", "Arm", "Tie"}},
        {"PrintBunListing", "crptBunListing", {"ID", "Width", "Length", "Grade", "Vendor", "Status", "OffAll"}},
        {"PrintGlueSprayLineTickets", "crptGlueSprayLine", ticketColumns(), {"txtTitle", "txtDepartment"}},
        {"PrintLineSupplyTickets", "crptGlueSprayLine", ticketColumns(), {"txtTitle", "txtDepartment"}},
        {"PrintFiberTableTickets", "crptFiberTable", ticketColumns() + kBun, {"txtTitle"}},
        {"PrintBulletNoserTickets", "crptBulletNoser", ticketColumns() + kBun, {"txtTitle"}},
        {"PrintCNCTickets", "crptCNC", ticketColumns() + kBun, {"txtTitle"}},
        {"PrintCNCStencilTickets", "crptCNCStencil", ticketColumns() + kBun, {"txtTitle"}},
        {"PrintBandSawTickets", "crptBandSaw", ticketColumns() + kBun + kOffAll, {"txtTitle"}},
        {"PrintVerticalSlitterTickets", "crptVerticalSlitter", ticketColumns(), {"txtTitle", "txtDepartment"}},
        {"PrintProductionSummary", "crptSummary",
         QStringList{"Orders.ID", "OrderNumber", "Orders.Customer", "OrderDate", "DueDate"} + shipToColumns() +
             QStringList{"Total", "LaborCostPerHour", "LaborPercent"},
         {"txtDepartment"}, {},
         {{"subGlueLine", {"Station", "Rate", "TotalArms", "NonArms"}},
          {"subSprayLine", {"Station", "Rate", "TotalArms", "NonArms"}},
          {"subBulletNoser", {"ID", "Pcs"}},
          {"subFiberTable", {"StyleOperation.OperationID", "CompQty", "Component.Width", "StyleOperation.Width",
                             "Bun.Length", "Component.PiecesPerRail"}},
          {"subCNC", {"StyleOperation.OperationID", "CompQty", "Component.PiecesPerRail"}},
          {"subBandSaw", {"StyleOperation.OperationID", "CompQty", "Component.RailsPerBun", "Component.PiecesPerRail"}},
          {"subLabour", {"Line", "Station", "Rate", "TotalArms", "NonArms", "Total", "LaborCostPerHour", "LaborPercent"}}}},
        {"PrintOrder", "crptOrder",
         QStringList{"Orders.ID", "OrderNumber", "Orders.Customer", "OrderDate", "DueDate"} + shipToColumns() +
             QStringList{"ItemNumber", "Line", "Qty", "StyleID", "Name", "Type", "PriceEach", "PriceExt"},
         {"txtRecipient"}},
        {"PrintOrder", "crptOrder2",
         QStringList{"Orders.ID", "OrderNumber", "Orders.Customer", "OrderDate", "DueDate"} + shipToColumns() +
             QStringList{"ItemNumber", "Line", "Qty", "StyleID", "Name", "Type", "PriceEach", "PriceExt"},
         {"txtRecipient"}},
        {"PrintLoadSheet", "crptLoadSheet",
         orderColumns() + shipToColumns() + lineColumns() + QStringList{"Component.Arm", "Component.Tie"}},
        {"PrintTestSheet", "crptTest", componentColumns() + kBun + kOffAll, {"txtTitle"}},
        {"PrintTieSheet", "crptTie", ticketColumns() + kBun, {"txtTitle"}},
        {"PrintTopOutSawTickets", "crptTopOutSaw", ticketColumns() + kBun + kOffAll, {"txtTitle"}},
        {"PrintFoamOrder", "crptFoamOrder", ticketColumns() + kBun + kOffAll + QStringList{"Bun.Vendor"}, {"txtTitle"}},
        {"PrintFiberOrder", "crptFiberOrder", ticketColumns() + QStringList{"Bun.ID"} + kBun + kOffAll + QStringList{"Bun.Vendor"},
         {"txtTitle"}},
        {"PrintInvoice", "crptInvoice",
         {"Invoice.ID", "Invoice.Customer", "InvoiceDate", "DueDate", "Subtotal", "Freight", "Misc", "Invoice.Total",
          "MemoField", "Customer.Address1", "Customer.Address2", "Customer.City", "Customer.State", "Customer.Zip",
          "OrderNumber", "ItemNumber", "Line", "OrderItems.Qty", "Style.Name", "Style.Type", "PriceEach", "PriceExt"}},
        {"PrintOpenInvoices", "crptOpenInvoices",
         {"Invoice.Customer", "Invoice.ID", "InvoiceDate", "DueDate", "MemoField", "Invoice.Total", "Paid"}},
        {"PrintCustomerStatements", "crptCustomerStatements",
         {"Invoice.Customer", "Customer.Address1", "Customer.Address2", "Customer.City", "Customer.State",
          "Customer.Zip", "Invoice.ID", "InvoiceDate", "DueDate", "MemoField", "Invoice.Total", "Paid"},
         {"txtStatementDate"}},
        {"PrintStyleListing", "crptStyleListing",
         {"Customer", "StyleID", "Name", "Type", "Status", "ComponentID", "Component", "Description",
          "Component.Thickness", "Component.Width", "Component.Length", "Qty", "OperationID", "Operation",
          "Instructions", "StyleOperation.Thickness", "StyleOperation.Width", "StyleOperation.Length"}},
        {"PrintSalesByCustomer", "crptSalesByCustomer",
         {"Orders.Customer", "StyleID", "Style.Name", "Style.Type", "Sales", "Cost"},
         {"txtTitle", "txtStartDate", "txtEndDate"},
         {"ReportHeaderSummary", "GroupFooterSummary", "GroupHeaderCustomer", "Detail", "GroupFooterCustomer",
          "txtStyleHeading"}},
    };
    return table;
}

QVector<RowSetColumn> columnsOf(const QStringList &names) {
    QVector<RowSetColumn> columns;
    for (const QString &n : names) {
        const int dot = n.indexOf(QLatin1Char('.'));
        RowSetColumn c;
        c.name = dot < 0 ? n : n.mid(dot + 1);
        c.table = dot < 0 ? QStringLiteral("Any") : n.left(dot);
        c.origin = c.name;
        columns.append(c);
    }
    return columns;
}

// Every font a template uses, its subreports' included.
void collectFonts(const ReportTemplate &t, QStringList &families) {
    families.append(t.font.family);
    for (const ReportSection &s : t.sections)
        for (const ReportObject &o : s.objects) {
            if (o.kind == ReportObject::Text || o.kind == ReportObject::Field) families.append(o.font.family);
            if (o.subreport) collectFonts(*o.subreport, families);
        }
}

}  // namespace

class tst_templates : public QObject {
    Q_OBJECT

private slots:
    void everyTemplateIsCompiledInAndBound();
    void templatesMatchTheirBuilders_data();
    void templatesMatchTheirBuilders();
    void fontResolvesToDejaVuSans();
    void readmeExampleWorks();
};

void tst_templates::everyTemplateIsCompiledInAndBound() {
    QStringList bound;
    for (const Binding &b : bindings())
        if (!bound.contains(b.templateName)) bound.append(b.templateName);
    bound.sort();
    QCOMPARE(ReportTemplate::available(), bound);

    // Every file of the source folder is among the resources (the .qrc lists it).
    const QString source = qEnvironmentVariable("QUELBY_SOURCE_DIR");
    if (source.isEmpty()) QSKIP("QUELBY_SOURCE_DIR is not set (run through CTest)");
    QStringList files;
    for (const QString &f : QDir(source + QStringLiteral("/reports/templates")).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name))
        files.append(f.chopped(4));
    QCOMPARE(files, ReportTemplate::available());
}

void tst_templates::templatesMatchTheirBuilders_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < bindings().size(); ++i)
        QTest::newRow(qPrintable(bindings().at(i).builder + QLatin1Char(' ') + bindings().at(i).templateName)) << i;
}

void tst_templates::templatesMatchTheirBuilders() {
    QFETCH(int, index);
    const Binding &b = bindings().at(index);
    const auto t = ReportTemplate::load(b.templateName);
    QCOMPARE(t->name, b.templateName);
    QCOMPARE(t->unknownFields(columnsOf(b.columns)), QStringList());
    for (const QString &text : b.texts) QVERIFY2(t->textObject(text), qPrintable(text));
    for (const QString &name : b.hidden) QVERIFY2(t->hasSectionOrObject(name), qPrintable(name));
    for (const auto &[name, columns] : b.subreports) {
        const ReportObject *sub = t->subreportObject(name);
        QVERIFY2(sub, qPrintable(name));
        QCOMPARE(sub->subreport->unknownFields(columnsOf(columns)), QStringList());
    }
    // Every template carries a title, a run date and "Page N of M".
    QVERIFY(t->textObject(QStringLiteral("txtTitle")));
    bool date = false, pages = false;
    for (const ReportSection &s : t->sections)
        for (const ReportObject &o : s.objects) {
            date = date || (s.kind == SectionKind::PageHeader && o.expression.usesSpecial(QStringLiteral("PrintDate")));
            pages = pages || (s.kind == SectionKind::PageFooter && o.expression.usesSpecial(QStringLiteral("TotalPages")));
        }
    QVERIFY(date);
    QVERIFY(pages);
}

void tst_templates::fontResolvesToDejaVuSans() {
    const QString family = QStringLiteral("DejaVu Sans");
    QVERIFY2(QFontDatabase::families().contains(family), "fonts-dejavu-core is not installed");
    const QFont font(family);
    QCOMPARE(QFontInfo(font).family(), family);
    QVERIFY(QFontInfo(font).exactMatch());
    for (const QString &name : ReportTemplate::available()) {
        QStringList families;
        collectFonts(*ReportTemplate::load(name), families);
        families.removeDuplicates();
        QCOMPARE(families, QStringList{family});
    }
}

void tst_templates::readmeExampleWorks() {
    const QString source = qEnvironmentVariable("QUELBY_SOURCE_DIR");
    if (source.isEmpty()) QSKIP("QUELBY_SOURCE_DIR is not set (run through CTest)");
    QFile readme(source + QStringLiteral("/reports/templates/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const int start = text.indexOf(QStringLiteral("```xml\n"));
    QVERIFY(start >= 0);
    const int end = text.indexOf(QStringLiteral("```"), start + 7);
    ScopedFakes fakes;
    Report report(ReportTemplate::parse(text.mid(start + 7, end - start - 7).toUtf8(), QStringLiteral("README")));
    RowSet rows;
    for (const char *n : {"ID", "Width", "Status"}) rows.columns.append({QString::fromLatin1(n), "Bun", QString::fromLatin1(n), "TEXT"});
    rows.rows = {{"1228-54", 54.0, "Active"}, {"1530-60", 60.0, "Active"}, {"1840-76", 76.0, QVariant()}};
    report.bind(rows);
    report.discardSavedData();
    report.readRecords();
    const QStringList lines = report.render().pageLines(0);
    QCOMPARE(lines, (QStringList{"Bun Listing", "Printed 12/9/2026", "Bun | Width", "Status: Active",
                                 "1228-54 | 54.00", "1530-60 | 60.00", "Active: 2 buns", "Status: (no status)",
                                 "1840-76 | 76.00", "(no status): 1 buns", "Page 1 of 1"}));
}

QTEST_MAIN(tst_templates)
#include "tst_templates.moc"
