// The selection windows of the office reports driven through their controls (Style
// Selection, Sales By Customer Report, Invoice Report), and the menu commands of the
// receivables windows and reports.

#include "app/MDI.h"
#include "receivables/frmInvoiceReport.h"
#include "receivables/frmSalesByCustomer.h"
#include "receivables/frmStyleReport.h"
#include "tests/support/ReceivablesPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTest>

using namespace UiTest;

namespace {

QStringList items(const QComboBox *combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    return texts;
}

// The style headings of a style listing ("Lounge-Chair | Style 1 | Active").
QStringList stylesListed(const CapturedDocument &d) {
    QStringList styles;
    for (const QString &line : d.lines())
        if (line.contains(QStringLiteral(" | Style "))) styles << line.section(QStringLiteral(" | "), 0, 0);
    return styles;
}

const QString kAllCustomers = QStringLiteral("***All Customers***");
const QString kAllStyles = QStringLiteral("***All Styles***");
const QString kAllTypes = QStringLiteral("***All Types***");

// Puts the default locale back however the test ends.
struct LocaleScope {
    QLocale previous;
    explicit LocaleScope(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous); }
};

}  // namespace

class tst_ReportSelection : public QObject {
    Q_OBJECT
private slots:
    void styleWindowUnchangedListsEveryStyle();
    void styleWindowNarrowsToOneStyle();
    void styleWindowBackToAllCustomers();
    void styleWindowWithoutAStyleDoesNothing();
    void salesWindowSendsMonthDayYear_data();
    void salesWindowSendsMonthDayYear();
    void invoiceWindow();
    void menuCommands_data();
    void menuCommands();
};

void tst_ReportSelection::styleWindowUnchangedListsEveryStyle() {
    ReceivablesFixture plant;
    CaptureTarget capture;
    OpenWindow<frmStyleReport> win;
    QCOMPARE(win.w->windowTitle(), QString("Style Selection"));
    QCOMPARE(items(win.combo("cmbCustomer")),
             (QStringList{kAllCustomers, "Acme Foam", "O'Brien Furniture", "Zeta Chairs"}));
    QCOMPARE(win.combo("cmbCustomer")->currentText(), kAllCustomers);
    QCOMPARE(items(win.combo("cmbStyle")), QStringList{kAllStyles});
    QCOMPARE(win.combo("cmbStyle")->currentText(), kAllStyles);
    QCOMPARE(items(win.combo("cmbType")), QStringList{kAllTypes});
    QCOMPARE(win.combo("cmbType")->currentText(), kAllTypes);
    win.press("btnPrint");
    QCOMPARE(capture.templates(), QStringList{"crptStyleListing"});
    QCOMPARE(stylesListed(capture.documents.first()),
             (QStringList{"Lounge-Chair", "Lounge-Sofa", "Kinsale-Sofa (no components)"}));
    QVERIFY(win.closed());
}

void tst_ReportSelection::styleWindowNarrowsToOneStyle() {
    ReceivablesFixture plant;
    plant.db.exec("INSERT INTO Style (Customer, Name, Type, Status) VALUES ('Acme Foam', 'Lou', 'Bench', 'Active')");
    CaptureTarget capture;
    OpenWindow<frmStyleReport> win;
    pick(win.combo("cmbCustomer"), "Acme Foam");
    QCOMPARE(items(win.combo("cmbStyle")), (QStringList{kAllStyles, "Lou", "Lounge"}));
    QCOMPARE(win.combo("cmbStyle")->currentText(), kAllStyles);
    // Every keystroke refills the types of the name typed so far.
    type(win.combo("cmbStyle"), "Lo");
    QCOMPARE(items(win.combo("cmbType")), QStringList{kAllTypes});
    type(win.combo("cmbStyle"), "Lou");
    QCOMPARE(items(win.combo("cmbType")), (QStringList{kAllTypes, "Bench"}));
    type(win.combo("cmbStyle"), "Lounge");
    QCOMPARE(items(win.combo("cmbType")), (QStringList{kAllTypes, "Chair", "Sofa"}));
    QCOMPARE(win.combo("cmbType")->currentText(), kAllTypes);
    pick(win.combo("cmbType"), "Sofa");
    win.press("btnPrint");
    QCOMPARE(stylesListed(capture.documents.first()), QStringList{"Lounge-Sofa"});
    QVERIFY(win.closed());
}

void tst_ReportSelection::styleWindowBackToAllCustomers() {
    ReceivablesFixture plant;
    CaptureTarget capture;
    OpenWindow<frmStyleReport> win;
    pick(win.combo("cmbCustomer"), "O'Brien Furniture");
    QCOMPARE(items(win.combo("cmbStyle")), (QStringList{kAllStyles, "Kinsale"}));
    pick(win.combo("cmbStyle"), "Kinsale");
    QCOMPARE(items(win.combo("cmbType")), (QStringList{kAllTypes, "Sofa"}));
    pick(win.combo("cmbCustomer"), kAllCustomers);
    QVERIFY(items(win.combo("cmbStyle")).isEmpty());
    QCOMPARE(win.combo("cmbStyle")->currentText(), kAllStyles);
    QCOMPARE(win.combo("cmbType")->currentText(), kAllTypes);
    win.press("btnPrint");
    QCOMPARE(stylesListed(capture.documents.first()).size(), 3);
}

void tst_ReportSelection::styleWindowWithoutAStyleDoesNothing() {
    ReceivablesFixture plant;
    CaptureTarget capture;
    OpenWindow<frmStyleReport> win;
    clear(win.combo("cmbStyle"));
    win.press("btnPrint");
    QVERIFY(capture.documents.isEmpty());
    QVERIFY(!win.closed());
    win.press("btnCancel");
    QVERIFY(win.closed());
    QVERIFY(capture.documents.isEmpty());
}

void tst_ReportSelection::salesWindowSendsMonthDayYear_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Germany, day first") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("Britain, day first") << QLocale(QLocale::English, QLocale::UnitedKingdom);
}

void tst_ReportSelection::salesWindowSendsMonthDayYear() {
    QFETCH(QLocale, locale);
    LocaleScope scope(locale);
    ReceivablesFixture plant;
    CaptureTarget capture;
    OpenWindow<frmSalesByCustomer> win;
    QCOMPARE(win.w->windowTitle(), QString("Sales By Customer Report"));
    auto *start = child<QDateEdit>(win.w, "dtStart");
    auto *end = child<QDateEdit>(win.w, "dtEnd");
    QCOMPARE(start->date(), QDate(2026, 12, 9));
    QCOMPARE(end->date(), QDate(2026, 12, 9));
    start->setDate(QDate(2026, 12, 1));
    end->setDate(QDate(2026, 12, 5));
    click(child<QCheckBox>(win.w, "chkDetail"));
    win.press("btnOK");
    QCOMPARE(capture.templates(), QStringList{"crptSalesByCustomer"});
    const CapturedDocument &d = capture.documents.first();
    QCOMPARE(d.text("txtStartDate"), QString("12/1/2026"));
    QCOMPARE(d.text("txtEndDate"), QString("12/5/2026"));
    QCOMPARE(d.text("txtTitle"), QString("Sales By Customer & Style"));
    // The orders of 12/1 and 12/5, none of November's.
    QVERIFY(d.contains("Total Acme Foam | $670.00"));
    QVERIFY(!d.contains("O'Brien"));
    QVERIFY(win.closed());
    QCOMPARE(plant.fakes.cursor.depth, 0);
}

void tst_ReportSelection::invoiceWindow() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    CaptureTarget capture;
    OpenWindow<frmInvoiceReport> win;
    QCOMPARE(win.w->windowTitle(), QString("Invoice Report"));
    QCOMPARE(items(win.combo("cmbInvoice")), (QStringList{"3", "2", "1"}));
    win.press("btnOK");
    QCOMPARE(plant.fakes.messages.shown.size(), 1);
    QCOMPARE(plant.fakes.messages.shown.first().text, QString("You must select an Invoice."));
    QCOMPARE(plant.fakes.messages.shown.first().title, QString("Invalid Selection"));
    QVERIFY(capture.documents.isEmpty());
    QVERIFY(!win.closed());
    pick(win.combo("cmbInvoice"), "2");
    win.press("btnOK");
    QCOMPARE(capture.templates(), QStringList{"crptInvoice"});
    QVERIFY(capture.documents.first().contains("Invoice Number | 2"));
    QVERIFY(capture.documents.first().contains("Bill To: | O'Brien Furniture"));
    QVERIFY(win.closed());
}

void tst_ReportSelection::menuCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");  // of the window opened, or the template previewed
    QTest::newRow("Create Invoices") << "CreateInvoices" << "Invoicing";
    QTest::newRow("Receive Payments") << "ReceivePayments" << "Receive Payment";
    QTest::newRow("Sales By Customer") << "SalesByCustomer" << "Sales By Customer Report";
    QTest::newRow("Style Listing") << "StyleListing" << "Style Selection";
    QTest::newRow("Invoice Report") << "InvoiceReport" << "Invoice Report";
    QTest::newRow("Open Invoices Report") << "OpenInvoicesReport" << "crptOpenInvoices";
    QTest::newRow("Customer Statements") << "CustomerStatementsReport" << "crptCustomerStatements";
}

void tst_ReportSelection::menuCommands() {
    QFETCH(QString, command);
    QFETCH(QString, caption);
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    CaptureTarget capture;
    MDI mdi;
    show(&mdi);
    QVERIFY(mdi.command(command)->isEnabled());
    mdi.command(command)->trigger();
    mdi.command(command)->trigger();
    QVERIFY(plant.fakes.messages.shown.isEmpty());
    if (caption.startsWith(QLatin1String("crpt"))) {
        QCOMPARE(capture.templates(), (QStringList{caption, caption}));
        return;
    }
    QCOMPARE(mdi.workspace()->subWindowList().size(), 1);
    QMdiSubWindow *frame = mdi.workspace()->activeSubWindow();
    QCOMPARE(frame->widget()->windowTitle(), caption);
    if (command == QLatin1String("ReceivePayments")) QCOMPARE(frame->pos(), QPoint(0, 0));
}

QTEST_MAIN(tst_ReportSelection)
#include "tst_reportselection.moc"
