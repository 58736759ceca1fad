// A statement-like template, kept with the tests, run on the demo plant with the
// statement rows the office's menu asks for: one customer per page with the pages
// numbered per customer, the customer's heading repeated where a statement runs on,
// paid invoices left out, and each open invoice followed by its own order lines from a
// linked subreport.

#include "core/Values.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "reports/Report.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const char *const StatementXml = R"xml(
<report name="crptStatementProof" font="DejaVu Sans" size="8">
  <page size="Letter" orientation="portrait" left="12.7" right="12.7" top="12.7" bottom="12.7"/>

  <formula name="Paid">if(isnull({Paid}), 0, {Paid})</formula>
  <formula name="Balance">round({Invoice.Total} - {@Paid}, 2)</formula>

  <group name="Customer" key="{Invoice.Customer}" restartPageNumbers="true" repeatHeader="true"/>

  <section type="pageHeader" name="PageHeader" height="14">
    <text name="txtTitle" x="0" y="0" width="100" size="14" bold="true">Statement</text>
    <text name="txtStatementDate" x="120" y="0" width="70" align="right"/>
    <field x="0" y="7" width="150" size="10" field="Invoice.Customer"/>
  </section>

  <section type="groupHeader" group="Customer" name="GroupHeaderCustomer" height="6">
    <field x="0" y="1" width="120" canGrow="true" visible="not InRepeatedGroupHeader"
           formula="lines({Address1}, {Address2}, {City} + ', ' + {State} + '  ' + {Zip})"/>
    <field x="0" y="1" width="120" visible="InRepeatedGroupHeader" formula="{Invoice.Customer} + ' (continued)'"/>
  </section>

  <section type="detail" name="Detail" height="6" visible="{@Balance} > 0">
    <field x="0" y="1" width="25" formula="'Invoice ' + {Invoice.ID}"/>
    <field x="30" y="1" width="25" field="DueDate"/>
    <field x="90" y="1" width="30" field="Invoice.Total" format="$#,##0.00" align="right"/>
    <field x="125" y="1" width="30" formula="{@Paid}" format="$#,##0.00" align="right"/>
    <field x="160" y="1" width="30" formula="{@Balance}" format="$#,##0.00" align="right"/>
    <subreport name="Lines" x="10" y="6" width="170">
      <link main="Invoice.ID" sub="InvoiceOrders.Invoice"/>
      <report>
        <section type="detail" height="4.5">
          <field x="0" y="0.5" width="25" field="OrderNumber"/>
          <field x="30" y="0.5" width="10" field="ItemNumber"/>
          <field x="45" y="0.5" width="60" formula="{Name} + ' ' + {Type}"/>
          <field x="110" y="0.5" width="15" field="Qty" align="right"/>
        </section>
      </report>
    </subreport>
  </section>

  <section type="groupFooter" group="Customer" name="GroupFooterCustomer" height="8">
    <field x="0" y="1" width="150" bold="true" formula="'Balance due: ' + format(sum({@Balance}), '$#,##0.00')"/>
  </section>

  <section type="pageFooter" name="PageFooter" height="8">
    <field x="60" y="2.5" width="70" align="center" formula="'Page ' + PageNumber + ' of ' + TotalPages"/>
  </section>
</report>
)xml";

// The statement rows as the office's menu asks for them.
const char *const StatementSql =
    "SELECT Invoice.Customer,Customer.Address1,Customer.Address2,Customer.City,Customer.State,Customer.Zip,"
    "Invoice.ID,Invoice.InvoiceDate,Invoice.DueDate,Invoice.MemoField,Invoice.Total,(SELECT SUM(Amount) + "
    "SUm(Adjustment) FROM Payments WHERE Invoice = Invoice.ID) AS Paid FROM (Invoice LEFT JOIN Customer ON "
    "Invoice.Customer = Customer.Customer) ORDER BY Invoice.Customer,Invoice.ID";

// Every invoice's order lines, in one set for the linked subreport.
const char *const LinesSql =
    "SELECT InvoiceOrders.Invoice,Orders.OrderNumber,OrderItems.ItemNumber,OrderItems.Qty,Style.Name,Style.Type "
    "FROM (((InvoiceOrders LEFT JOIN Orders ON InvoiceOrders.OrderID = Orders.ID) LEFT JOIN OrderItems ON "
    "Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) "
    "ORDER BY InvoiceOrders.Invoice,Orders.OrderNumber,OrderItems.ItemNumber";

// A long invoice for O'Brien Furniture: one order of 70 lines, unpaid.
void addLongInvoice(const TestDatabase &db) {
    const QVariant style = db.scalar(QStringLiteral("SELECT ID FROM Style WHERE Customer = 'O''Brien Furniture' AND Name = 'Kinsale' AND Type = 'Sofa'"));
    db.exec(QStringLiteral("INSERT INTO Orders (OrderNumber,Customer,OrderDate,Status) "
                           "VALUES ('OB-2400','O''Brien Furniture',#11/20/2026#,'Closed')"));
    const QString order = db.scalar(QStringLiteral("SELECT MAX(ID) FROM Orders")).toString();
    for (int item = 1; item <= 70; ++item)
        db.exec(QStringLiteral("INSERT INTO OrderItems (OrderID,ItemNumber,Line,Qty,StyleID,PriceEach,PriceExt) "
                               "VALUES (%1,%2,'L%2',%3,%4,10,%5)")
                    .arg(order).arg(item).arg(item + 100).arg(style.toString()).arg((item + 100) * 10));
    db.exec(QStringLiteral("INSERT INTO Invoice (Customer,InvoiceDate,DueDate,Freight,Misc,Subtotal,Total) "
                           "VALUES ('O''Brien Furniture',#12/1/2026#,#12/31/2026#,0,0,97850,97850)"));
    db.exec(QStringLiteral("INSERT INTO InvoiceOrders (Invoice,OrderID) VALUES ((SELECT MAX(ID) FROM Invoice),%1)")
                .arg(order));
}

}  // namespace

class tst_statementproof : public QObject {
    Q_OBJECT

private slots:
    void oneCustomerPerPageWithLinkedLines();
};

void tst_statementproof::oneCustomerPerPageWithLinkedLines() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    addLongInvoice(db);
    CaptureTarget capture;
    {
        auto statements = AppDatabase().openRecordset(QString::fromLatin1(StatementSql));
        auto lines = AppDatabase().openRecordset(QString::fromLatin1(LinesSql));
        Report report(ReportTemplate::parse(StatementXml, QStringLiteral("crptStatementProof")));
        report.bind(statements->rowSet());
        report.subreport(QStringLiteral("Lines")).bind(lines->rowSet());
        report.discardSavedData();
        report.readRecords();
        report.setText(QStringLiteral("txtStatementDate"), QStringLiteral("12/9/2026"));
        report.preview();
        statements->close();
        lines->close();
    }
    const Document &doc = capture.documents.first().document;

    // Customers in order, each from a page of its own, the pages numbered per customer.
    QStringList customers;
    QVector<int> pagesOf;
    for (int p = 0; p < doc.pageCount(); ++p) {
        const QStringList text = doc.pageText(p);
        QCOMPARE(text.mid(0, 2), (QStringList{"Statement", "12/9/2026"}));
        if (customers.isEmpty() || customers.last() != text.value(2)) {
            customers.append(text.value(2));
            pagesOf.append(0);
        }
        ++pagesOf.last();
    }
    QCOMPARE(customers, (QStringList{"Hickory Comfort Seating", "Lexington Home Furnishings", "O'Brien Furniture", "Vedu"}));
    QCOMPARE(pagesOf.value(0), 1);
    QCOMPARE(pagesOf.value(1), 1);
    QVERIFY(pagesOf.value(2) >= 2);
    QCOMPARE(pagesOf.value(3), 1);
    int page = 0;
    for (int c = 0; c < customers.size(); ++c)
        for (int n = 1; n <= pagesOf.at(c); ++n, ++page)
            QCOMPARE(doc.pageText(page).last(), QStringLiteral("Page %1 of %2").arg(n).arg(pagesOf.at(c)));

    // Paid invoices have no row: Hickory and Lexington owe nothing.
    for (int p : {0, 1}) {
        const QStringList text = doc.pageLines(p);
        QVERIFY2(text.filter(QStringLiteral("Invoice ")).isEmpty(), qPrintable(text.join('\n')));
        QVERIFY(text.contains(QStringLiteral("Balance due: $0.00")));
    }

    // O'Brien: the older invoice with its two lines, then the long one running on under
    // the repeated heading, and none of another customer's lines.
    const QStringList first = doc.pageLines(2);
    const int older = first.indexOf(QRegularExpression(QStringLiteral("^Invoice \\d+ \\| .*")));
    QVERIFY2(older > 0, qPrintable(first.join('\n')));
    QCOMPARE(first.mid(older + 1, 3).value(0), QStringLiteral("OB-2207 | 1 | Kinsale Sofa | 6"));
    QCOMPARE(first.value(older + 2), QStringLiteral("OB-2207 | 2 | Kinsale Chair | 12"));
    QVERIFY(first.value(older + 3).startsWith(QStringLiteral("Invoice ")));
    QCOMPARE(first.value(older + 4), QStringLiteral("OB-2400 | 1 | Kinsale Sofa | 101"));
    const QStringList last = doc.pageLines(2 + pagesOf.at(2) - 1);
    QCOMPARE(last.value(2), QStringLiteral("O'Brien Furniture (continued)"));
    QVERIFY(last.contains(QStringLiteral("OB-2400 | 70 | Kinsale Sofa | 170")));
    const double owed = db.scalar(QStringLiteral("SELECT SUM(Total) FROM Invoice WHERE Customer = 'O''Brien Furniture'")).toDouble();
    QVERIFY(owed > 97850);
    QCOMPARE(last.last(), QStringLiteral("Page %1 of %1").arg(pagesOf.at(2)));
    QCOMPARE(last.value(last.size() - 2), QStringLiteral("Balance due: ") + Values::Format(owed, QStringLiteral("$#,##0.00")));
    for (int p = 2; p < 2 + pagesOf.at(2); ++p)
        QVERIFY(doc.pageLines(p).filter(QStringLiteral("Metro")).isEmpty());

    // Vedu: its part-paid invoice with its own three lines.
    const QStringList vedu = doc.pageLines(doc.pageCount() - 1);
    const int invoice = vedu.indexOf(QRegularExpression(QStringLiteral("^Invoice \\d+ \\| .*\\| \\$1,000\\.00 \\| .*")));
    QVERIFY2(invoice > 0, qPrintable(vedu.join('\n')));
    QCOMPARE(vedu.mid(invoice + 1, 3), (QStringList{"V-1041 | 1 | Metro Sofa | 8", "V-1041 | 2 | Metro Loveseat | 8",
                                                    "V-1041 | 3 | Metro Chair | 16"}));
    QVERIFY(vedu.value(invoice + 4).startsWith(QStringLiteral("Balance due: $")));
}

QTEST_MAIN(tst_statementproof)
#include "tst_statementproof.moc"
