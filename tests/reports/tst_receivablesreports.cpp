// The receivables and sales documents on a small plant whose amounts are known: the
// page text of the invoice, open invoices, statements, style listing and sales report,
// the style filter's rules, the two forms of the sales report, and the builders run by
// name as quelby-admin runs them.

#include "core/AppError.h"
#include "data/Database.h"
#include "reports/BuilderRegistry.h"
#include "reports/DocumentPainter.h"
#include "reports/ReportsMod.h"
#include "tests/support/ReceivablesPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tools/PrintCommand.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The expected lines appear in this order, each as a whole line of the document.
void verifyLinesInOrder(const QStringList &lines, const QStringList &expected) {
    int at = 0;
    for (const QString &want : expected) {
        while (at < lines.size() && lines.at(at) != want) ++at;
        QVERIFY2(at < lines.size(), qPrintable(QStringLiteral("missing or out of order: '%1'\n--- document:\n%2")
                                                   .arg(want, lines.join(QLatin1Char('\n')))));
        ++at;
    }
}

// The style headings of a style listing ("Lounge-Chair | Style 1 | Active" gives
// "Lounge-Chair").
QStringList stylesListed(const CapturedDocument &d) {
    QStringList styles;
    for (const QString &line : d.lines())
        if (line.contains(QStringLiteral(" | Style "))) styles << line.section(QStringLiteral(" | "), 0, 0);
    return styles;
}

// The plant with its invoices, and every document captured.
struct Plant : ReceivablesFixture {
    Plant() : ReceivablesFixture(ReceivablesPlant::WithInvoices) {}
    CaptureTarget capture;
    const CapturedDocument &only() {
        if (capture.documents.size() != 1) throw std::runtime_error("not one document");
        return capture.documents.first();
    }
};

}  // namespace

class tst_ReceivablesReports : public QObject {
    Q_OBJECT
private slots:
    void invoice();
    void invoiceWithSeveralOrders();
    void openInvoices();
    void openInvoicesRunOverPages();
    void customerStatements();
    void statementsOnePerCustomer();
    void styleListing();
    void styleFilters_data();
    void styleFilters();
    void salesForms_data();
    void salesForms();
    void salesDateRange_data();
    void salesDateRange();
    void salesDateThatIsNoDateIsRefused();
    void printCommand_data();
    void printCommand();
    void nothingClippedOnTheDemoPlant();
};

void tst_ReceivablesReports::invoice() {
    Plant plant;
    RunBuilder(QStringLiteral("PrintInvoice"), {QStringLiteral("1")});
    const CapturedDocument &d = plant.only();
    QCOMPARE(d.templateName, QString("crptInvoice"));
    QVERIFY(d.preview);
    QCOMPARE(d.pages.size(), 1);
    QCOMPARE(d.lines().size(), 19);  // no empty or stray lines
    verifyLinesInOrder(d.lines(), {"Invoice", "Printed 12/9/2026", "Invoice Number | 1", "Invoice Date | 11/1/2026",
                                   "Due Date | 12/1/2026", "Bill To: | Acme Foam", "1 Main St", "Tupelo, MS  38801",
                                   "Item | Line | Qty | Style | Price Each | Extended", "Order PO-100",
                                   "1 | A | 2 | Lounge-Chair | $100.00 | $200.00",
                                   "2 | B | 1 | Lounge-Sofa | $200.00 | $200.00", "Order PO-100 total | $400.00",
                                   "Memo: | Subtotal | $400.00", "Net 30", "Freight | $12.50", "Misc | $0.00",
                                   "Total | $412.50", "Invoice 1 | Page 1 of 1"});
    QCOMPARE(plant.fakes.cursor.busyCount, 1);
    QCOMPARE(plant.fakes.cursor.depth, 0);
}

void tst_ReceivablesReports::invoiceWithSeveralOrders() {
    Plant plant;
    // One invoice for an order without lines and two orders with lines, listed by order
    // number and item number.
    plant.db.exec("INSERT INTO Orders (OrderNumber, Customer, OrderDate, Status) VALUES ('PO-300', 'Acme Foam', #12/8/2026#, 'Open')");
    plant.db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (5, 3, 'E', 1, 2, 210, 210)");
    plant.db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (5, 1, 'D', 4, 1, 95, 380)");
    plant.db.exec("INSERT INTO Invoice (Customer, InvoiceDate, DueDate, Freight, Misc, Subtotal, Total) "
                  "VALUES ('Acme Foam', #12/9/2026#, #1/8/2027#, 0, 0, 590, 590)");
    for (int order : {5, 3}) plant.db.exec(QStringLiteral("INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (4, %1)").arg(order));
    PrintInvoice(4);
    verifyLinesInOrder(plant.only().lines(),
                       {"Invoice Number | 4", "Order PO-050 (no lines)", "Order PO-050 total | $0.00", "Order PO-300",
                        "1 | D | 4 | Lounge-Chair | $95.00 | $380.00", "3 | E | 1 | Lounge-Sofa | $210.00 | $210.00",
                        "Order PO-300 total | $590.00", "Total | $590.00"});
}

void tst_ReceivablesReports::openInvoices() {
    Plant plant;
    RunBuilder(QStringLiteral("PrintOpenInvoices"), {});
    const CapturedDocument &d = plant.only();
    QCOMPARE(d.templateName, QString("crptOpenInvoices"));
    QVERIFY(d.preview);
    // Paid is payments plus adjustments; invoice 1 is 8 days past due on 12/9/2026.
    verifyLinesInOrder(d.lines(), {"Open Invoices", "Printed 12/9/2026", "Acme Foam",
                                   "1 | 11/1/2026 | 12/1/2026 | 8 | Net 30 | $412.50 | $402.50 | $10.00",
                                   "3 | 12/6/2026 | 12/31/2026 | Second release | $275.00 | $0.00 | $275.00",
                                   "Acme Foam balance due | $285.00", "Total open balance | $285.00",
                                   "Quelby | Page 1 of 1"});
    // Invoice 2 is paid in full, so O'Brien owes nothing and is not listed.
    QVERIFY(!d.contains(QStringLiteral("O'Brien")));
    QVERIFY(!d.contains(QStringLiteral("11/21/2026")));
}

void tst_ReceivablesReports::openInvoicesRunOverPages() {
    Plant plant;
    // Sixty more open invoices for Acme and a credit for O'Brien (paid beyond its total).
    for (int i = 0; i < 60; ++i)
        plant.db.exec("INSERT INTO Invoice (Customer, InvoiceDate, DueDate, Total) VALUES ('Acme Foam', #12/7/2026#, #1/6/2027#, 100)");
    plant.db.exec("INSERT INTO Payments (Invoice, Amount, Adjustment) VALUES (2, 25, 0)");
    PrintOpenInvoices();
    const CapturedDocument &d = plant.only();
    QVERIFY(d.pages.size() >= 2);
    const QStringList second = d.document.pageLines(1);
    QVERIFY2(second.contains(QStringLiteral("Acme Foam (continued)")), qPrintable(second.join('\n')));
    verifyLinesInOrder(d.lines(), {"Acme Foam", "Acme Foam (continued)", "Acme Foam balance due | $6,285.00",
                                   "O'Brien Furniture", "2 | 11/21/2026 | 12/21/2026 | $300.00 | $325.00 | ($25.00)",
                                   "O'Brien Furniture balance due | ($25.00)", "Total open balance | $6,260.00"});
}

void tst_ReceivablesReports::customerStatements() {
    Plant plant;
    plant.fakes.clock.set(QDateTime(QDate(2027, 1, 15), QTime(9, 0)));
    RunBuilder(QStringLiteral("PrintCustomerStatements"), {});
    const CapturedDocument &d = plant.only();
    QCOMPARE(d.templateName, QString("crptCustomerStatements"));
    QCOMPARE(d.text("txtStatementDate"), QString("1/15/2027"));
    // Acme owes on two invoices; O'Brien has paid its only invoice and gets no statement.
    QCOMPARE(d.pages.size(), 1);
    QCOMPARE(d.document.pageLines(0),
             (QStringList{"Statement", "Printed 1/15/2027", "Statement Date | 1/15/2027", "Bill To: | Acme Foam",
                          "1 Main St", "Tupelo, MS  38801", "Invoice | Date | Due | Memo | Total | Paid | Balance",
                          "1 | 11/1/2026 | 12/1/2026 | Net 30 | $412.50 | $402.50 | $10.00",
                          "3 | 12/6/2026 | 12/31/2026 | Second release | $275.00 | $0.00 | $275.00",
                          "Total Due | $285.00", "Please remit the total due. Thank you for your business.",
                          "Statement for Acme Foam | Page 1 of 1"}));
}

void tst_ReceivablesReports::statementsOnePerCustomer() {
    Plant plant;
    // Acme's statement runs over pages; O'Brien owes on a second invoice.
    for (int i = 0; i < 50; ++i)
        plant.db.exec("INSERT INTO Invoice (Customer, InvoiceDate, DueDate, Total) VALUES ('Acme Foam', #12/7/2026#, #1/6/2027#, 10)");
    plant.db.exec("INSERT INTO Invoice (Customer, InvoiceDate, DueDate, Total, MemoField) "
                  "VALUES ('O''Brien Furniture', #12/8/2026#, #1/7/2027#, 150, 'Cushions')");
    PrintCustomerStatements();
    const CapturedDocument &d = plant.only();
    const int pages = d.pages.size();
    QVERIFY(pages >= 3);
    const int acmePages = pages - 1;
    for (int p = 0; p < acmePages; ++p) {
        const QStringList lines = d.document.pageLines(p);
        QCOMPARE(lines.first(), QStringLiteral("Statement"));
        QCOMPARE(lines.last(), QStringLiteral("Statement for Acme Foam | Page %1 of %2").arg(p + 1).arg(acmePages));
        if (p > 0) QVERIFY2(lines.contains(QStringLiteral("Acme Foam (continued)")), qPrintable(lines.join('\n')));
    }
    // O'Brien's statement starts on its own page, numbered anew, with the open invoice only.
    const QStringList last = d.document.pageLines(pages - 1);
    verifyLinesInOrder(last, {"Statement", "Bill To: | O'Brien Furniture", "9 Mill Rd", "Unit 4", "Hickory, NC  28601",
                              "Invoice | Date | Due | Memo | Total | Paid | Balance",
                              "54 | 12/8/2026 | 1/7/2027 | Cushions | $150.00 | $0.00 | $150.00", "Total Due | $150.00",
                              "Statement for O'Brien Furniture | Page 1 of 1"});
    QVERIFY(!last.join('\n').contains(QStringLiteral("11/21/2026")));
    QVERIFY(!last.join('\n').contains(QStringLiteral("Acme")));
    QVERIFY(d.contains(QStringLiteral("Total Due | $785.00")));  // 10 + 275 + 50 x 10
}

void tst_ReceivablesReports::styleListing() {
    Plant plant;
    PrintStyleListing(QStringLiteral("***All Customers***"), QStringLiteral("***All Styles***"), QStringLiteral("***All Types***"));
    const CapturedDocument &d = plant.only();
    QCOMPARE(d.templateName, QString("crptStyleListing"));
    QVERIFY(d.preview);
    verifyLinesInOrder(d.lines(), {"Style Listing", "Customer: Acme Foam", "Lounge-Chair | Style 1 | Active",
                                   "SC-1 | Seat Core | 2 | 4.000 | 20.000 | 22.000",
                                   "Band Saw 1 | Cut 4\" rails | 4.000 | 20.500 | 22.500",
                                   "Glue Line 1 | Glue topper | 4.000 | 20.000 | 22.000",
                                   "Lounge-Sofa | Style 2 | Active", "SC-1 | Seat Core | 1 | 4.000 | 20.000 | 22.000",
                                   "Customer: O'Brien Furniture", "Kinsale-Sofa (no components) | Style 3 | Active",
                                   "End of style listing"});
    // A component without operations, or a style without components, leaves no empty row.
    QCOMPARE(d.lines().size(), 16);
}

void tst_ReceivablesReports::styleFilters_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("styles");
    const QString allC = QStringLiteral("***All Customers***");
    const QString allS = QStringLiteral("***All Styles***");
    const QString allT = QStringLiteral("***All Types***");
    QTest::newRow("everything") << allC << allS << allT
                                << QStringList{"Lounge-Chair", "Lounge-Sofa", "Kinsale-Sofa (no components)"};
    QTest::newRow("a customer") << "Acme Foam" << allS << allT << QStringList{"Lounge-Chair", "Lounge-Sofa"};
    QTest::newRow("a customer with a quote") << "O'Brien Furniture" << allS << allT
                                             << QStringList{"Kinsale-Sofa (no components)"};
    QTest::newRow("a style name") << "Acme Foam" << "Lounge" << allT << QStringList{"Lounge-Chair", "Lounge-Sofa"};
    QTest::newRow("a style") << "Acme Foam" << "Lounge" << "Sofa" << QStringList{"Lounge-Sofa"};
    // The narrower filter wins and takes the wider values as they stand.
    QTest::newRow("a type under all customers") << allC << "Lounge" << "Sofa" << QStringList{};
    QTest::newRow("a style under all customers") << allC << "Lounge" << allT << QStringList{};
    QTest::newRow("the entries compare exactly") << "***all customers***" << allS << allT << QStringList{};
}

void tst_ReceivablesReports::styleFilters() {
    QFETCH(QString, customer);
    QFETCH(QString, style);
    QFETCH(QString, type);
    QFETCH(QStringList, styles);
    Plant plant;
    RunBuilder(QStringLiteral("PrintStyleListing"), {customer, style, type});
    QCOMPARE(stylesListed(plant.only()), styles);
}

void tst_ReceivablesReports::salesForms_data() {
    QTest::addColumn<int>("detail");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("by customer and style")
        << 1 << "Sales By Customer & Style" << QStringList{"ReportHeaderSummary", "GroupFooterSummary"}
        << QStringList{"Sales By Customer & Style", "Orders dated | 11/1/2026 | to | 12/31/2026",
                       "Customer | Style | Sales | Cost | Margin | Margin %", "Acme Foam",
                       "Lounge-Chair | $470.00 | $200.00 | $270.00 | 57.4%",
                       "Lounge-Sofa | $200.00 | $90.00 | $110.00 | 55.0%",
                       "Total Acme Foam | $670.00 | $290.00 | $380.00 | 56.7%", "O'Brien Furniture",
                       "Kinsale-Sofa | $300.00 | $150.00 | $150.00 | 50.0%",
                       "Total O'Brien Furniture | $300.00 | $150.00 | $150.00 | 50.0%",
                       "All customers | $970.00 | $440.00 | $530.00 | 54.6%"};
    QTest::newRow("by customer")
        << 0 << "Sales By Customer"
        << QStringList{"GroupHeaderCustomer", "Detail", "GroupFooterCustomer", "txtStyleHeading"}
        << QStringList{"Sales By Customer", "Orders dated | 11/1/2026 | to | 12/31/2026",
                       "One line per customer: every order dated in the range, whatever its status.",
                       "Customer | Sales | Cost | Margin | Margin %",
                       "Acme Foam | $670.00 | $290.00 | $380.00 | 56.7%",
                       "O'Brien Furniture | $300.00 | $150.00 | $150.00 | 50.0%",
                       "All customers | $970.00 | $440.00 | $530.00 | 54.6%"};
}

void tst_ReceivablesReports::salesForms() {
    QFETCH(int, detail);
    QFETCH(QString, title);
    QFETCH(QStringList, hidden);
    QFETCH(QStringList, expected);
    Plant plant;
    RunBuilder(QStringLiteral("PrintSalesByCustomer"),
               {QStringLiteral("11/1/2026"), QStringLiteral("12/31/2026"), QString::number(detail)});
    const CapturedDocument &d = plant.only();
    QCOMPARE(d.templateName, QString("crptSalesByCustomer"));
    QCOMPARE(d.text("txtTitle"), title);
    QCOMPARE(d.text("txtStartDate"), QString("11/1/2026"));
    QCOMPARE(d.text("txtEndDate"), QString("12/31/2026"));
    QCOMPARE(d.hidden, hidden);
    verifyLinesInOrder(d.lines(), expected);
    // Nothing of the other form shows.
    QCOMPARE(d.contains(QStringLiteral("Lounge-Chair")), detail == 1);
    QCOMPARE(d.contains(QStringLiteral("One line per customer")), detail != 1);
    // The order without lines (PO-050, 12/9/2026) adds no line of its own.
    QCOMPARE(d.lines().size(), expected.size() + 2);  // with the run date and the page footer
}

void tst_ReceivablesReports::salesDateRange_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("total");
    // Orders are dated 11/20 (300), 12/1 (400), 12/5 (270) and 12/9 (no lines).
    QTest::newRow("one day includes that day's orders") << "12/5/2026" << "12/5/2026" << "$270.00";
    QTest::newRow("both ends included") << "11/20/2026" << "12/1/2026" << "$700.00";
    QTest::newRow("two-digit year") << "12/1/26" << "12/5/26" << "$670.00";
    QTest::newRow("start after end") << "12/31/2026" << "11/1/2026" << "$0.00";
}

void tst_ReceivablesReports::salesDateRange() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, total);
    Plant plant;
    PrintSalesByCustomer(start, end, 0);
    const CapturedDocument &d = plant.only();
    QCOMPARE(d.text("txtStartDate"), start);  // shown as given
    const QStringList lines = d.lines();
    const auto footer = std::find_if(lines.begin(), lines.end(),
                                     [](const QString &l) { return l.startsWith(QStringLiteral("All customers")); });
    QVERIFY(footer != lines.end());
    QCOMPARE(footer->section(QStringLiteral(" | "), 1, 1), total);
}

void tst_ReceivablesReports::salesDateThatIsNoDateIsRefused() {
    Plant plant;
    // A date text goes into the query only as a date: anything else is refused first.
    try {
        RunBuilder(QStringLiteral("PrintSalesByCustomer"),
                   {QStringLiteral("1/1/2026# OR 1=1 OR #1/1/2026"), QStringLiteral("12/31/2026"), QStringLiteral("1")});
        QFAIL("a text that is no date reached the sales query");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::ReportError);
        QVERIFY2(e.description().contains(QStringLiteral("is not a date")), qPrintable(e.description()));
    }
    QVERIFY(plant.capture.documents.isEmpty());
    QCOMPARE(plant.fakes.cursor.depth, 0);
}

void tst_ReceivablesReports::printCommand_data() {
    QTest::addColumn<QStringList>("builder");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("invoice") << QStringList{"PrintInvoice", "3"} << 0 << QStringList{"0001-crptInvoice.pdf"};
    QTest::newRow("open invoices") << QStringList{"PrintOpenInvoices"} << 0 << QStringList{"0001-crptOpenInvoices.pdf"};
    QTest::newRow("statements") << QStringList{"PrintCustomerStatements"} << 0
                                << QStringList{"0001-crptCustomerStatements.pdf"};
    QTest::newRow("style listing") << QStringList{"PrintStyleListing", "O'Brien Furniture", "***All Styles***", "***All Types***"}
                                   << 0 << QStringList{"0001-crptStyleListing.pdf"};
    QTest::newRow("sales") << QStringList{"PrintSalesByCustomer", "1/1/2026", "12/31/2026", "1"} << 0
                           << QStringList{"0001-crptSalesByCustomer.pdf"};
    QTest::newRow("invoice number that is no number") << QStringList{"PrintInvoice", "7a"} << 1 << QStringList{};
    QTest::newRow("sales without the detail flag") << QStringList{"PrintSalesByCustomer", "1/1/2026", "12/31/2026"} << 1
                                                   << QStringList{};
}

void tst_ReceivablesReports::printCommand() {
    QFETCH(QStringList, builder);
    QFETCH(int, exitCode);
    QFETCH(QStringList, files);
    ScopedFakes fakes;
    QTemporaryDir work;
    const QString dbPath = work.filePath(QStringLiteral("plant.db"));
    {
        TestDatabase db;
        ReceivablesPlant::seed(db, ReceivablesPlant::WithInvoices);
        SetAppDatabase(nullptr);  // closed, so the file holds everything
        QVERIFY(QFile::copy(db.path(), dbPath));
    }
    QTemporaryDir out;
    QCOMPARE(RunPrintCommand(QStringList{dbPath} + builder + QStringList{"--out", out.path()}), exitCode);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), files);
    SetAppDatabase(nullptr);
}

void tst_ReceivablesReports::nothingClippedOnTheDemoPlant() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    CaptureTarget capture;
    for (qint64 invoice = 1; invoice <= 4; ++invoice) PrintInvoice(invoice);  // the demo plant's four
    PrintOpenInvoices();
    PrintCustomerStatements();
    PrintStyleListing(QStringLiteral("***All Customers***"), QStringLiteral("***All Styles***"), QStringLiteral("***All Types***"));
    PrintSalesByCustomer(QStringLiteral("1/1/2026"), QStringLiteral("12/31/2026"), 1);
    PrintSalesByCustomer(QStringLiteral("1/1/2026"), QStringLiteral("12/31/2026"), 0);
    QCOMPARE(capture.documents.size(), 9);
    const double margin = 12.7 * 72 / 25.4;
    for (const CapturedDocument &d : capture.documents) {
        const Document &doc = d.document;
        for (int p = 0; p < doc.pageCount(); ++p)
            for (const DocumentItem &item : doc.pages.at(p).items) {
                if (item.kind != DocumentItem::Text) continue;
                const double advance = QFontMetricsF(DocumentQFont(item.font)).horizontalAdvance(item.text) / DecipointsPerPoint;
                QVERIFY2(advance <= item.rect.width() + 0.01,
                         qPrintable(QStringLiteral("%1: '%2' needs %3 pt in a cell of %4 pt")
                                        .arg(d.templateName, item.text).arg(advance).arg(item.rect.width())));
                QVERIFY2(item.rect.right() <= doc.pageSize.width() - margin + 0.01, qPrintable(item.text));
                QVERIFY2(item.rect.bottom() <= doc.pageSize.height() - margin + 0.01, qPrintable(item.text));
            }
    }
}

QTEST_MAIN(tst_ReceivablesReports)
#include "tst_receivablesreports.moc"
