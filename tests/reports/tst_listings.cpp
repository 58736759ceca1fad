// The four master-data listings on the demo plant, as the menu runs them: their page
// text, nothing clipped, empty tables, many pages, PDF output, the builder registry, the
// print command and the field-definition files.

#include "core/AppError.h"
#include "data/Database.h"
#include "data/SqlText.h"
#include "reports/BuilderRegistry.h"
#include "reports/DocumentPainter.h"
#include "reports/PdfFolderTarget.h"
#include "reports/Report.h"
#include "reports/ReportsMod.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tools/PrintCommand.h"

#include <QFile>
#include <QFontMetricsF>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The expected lines appear in this order, each as the start of a line of the document
// (a line's cells are joined by " | ").
void verifyLinesInOrder(const QStringList &lines, const QStringList &expected) {
    int at = 0;
    for (const QString &want : expected) {
        while (at < lines.size() && !(lines.at(at) == want || lines.at(at).startsWith(want + QStringLiteral(" | ")))) ++at;
        QVERIFY2(at < lines.size(), qPrintable(QStringLiteral("missing or out of order: '%1'\n--- document:\n%2")
                                                   .arg(want, lines.join(QLatin1Char('\n')))));
        ++at;
    }
}

QString pdfText(const QString &path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class tst_listings : public QObject {
    Q_OBJECT

private slots:
    void pageTextOnTheDemoPlant_data();
    void pageTextOnTheDemoPlant();
    void nothingClippedOrOffThePage_data();
    void nothingClippedOrOffThePage();
    void emptyTablesStillPreview_data();
    void emptyTablesStillPreview();
    void manyVendorsRunOverPages();
    void continuationPagesRepeatTheGroupHeading_data();
    void continuationPagesRepeatTheGroupHeading();
    void statusesDifferingInCaseMakeOneGroup();
    void vendorZipPlusFourStaysOnOneLine();
    void pdfFolderNumbersItsFiles();
    void builderRegistry();
    void printCommand_data();
    void printCommand();
    void fieldDefinitionFiles_data();
    void fieldDefinitionFiles();
};

void tst_listings::pageTextOnTheDemoPlant_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("vendors") << "PrintVendorListing" << "crptVendorListing" << false
        << QStringList{"Vendor Listing", "Printed 12/9/2026", "Vendors by status",
                       "Vendor | Address | City | St. | Zip | Phone / Fax | Contact",
                       "Status: Active",
                       "Blue Ridge Fiber Co. | 55 Mill St | Marion | NC | 28752 | 828-555-0190 | Gene Pruitt",
                       "Fax 828-555-0191",
                       "Catawba Urethane | 901 River Rd | Newton | NC | 28658 | 828-555-0170 | Tammy Huffman",
                       "Unit 3 | Fax 828-555-0171",
                       "Active: 5 vendors",
                       "Status: InActive",
                       "Old Dominion Foam | 12 Depot St | Martinsville | VA | 24112 | 276-555-0130 | Carl Boyd",
                       "InActive: 1 vendor",
                       "Total vendors: 6",
                       "Quelby | Page 1 of 1"};
    QTest::newRow("customers") << "PrintCustomerListing" << "crptCustomerListing" << true
        << QStringList{"Customer Listing", "Printed 12/9/2026", "Customers by status",
                       "Customer | Billing address | Phone / Fax | Ship to | Ship-to phone | Terms | Added",
                       "Status: Active",
                       "Hickory Comfort Seating | 1450 Highland Ave NE | 828-555-0142 | Hickory Comfort Seating - Plant 2 | 828-555-0150 | Net 30",
                       "Hickory, NC  28601 | Fax 828-555-0143 | 2200 Tate Blvd SE | Fax 828-555-0151 | 30 days",
                       "Dock 4",
                       "O'Brien Furniture | 3120 Cloverleaf Pkwy | 704-555-0312 | O'Brien Furniture Warehouse | 704-555-0318 | Net 15",
                       "Kannapolis, NC  28083 | Fax 704-555-0313 | 18 Dale Earnhardt Blvd | 15 days",
                       "Vedu | 500 Commerce St | 336-555-0500 | Vedu Receiving",
                       "Active: 6 customers",
                       "Status: InActive",
                       "Catawba Valley Chairs | 77 Old Shelby Rd | 704-555-0177 | Catawba Valley Chairs | 704-555-0177 | Net 30",
                       "InActive: 2 customers",
                       "Total customers: 8",
                       "Quelby | Page 1 of 1"};
    QTest::newRow("components") << "PrintComponentListing" << "crptComponentListing" << true
        << QStringList{"Component Listing", "Printed 12/9/2026", "Components by ID",
                       "Component | Description | Thickness | Width | Length | Cut style | Bun | Rails | Pieces | Test | Range | Topped | Ship | Arm | Tie",
                       "/bun | /rail",
                       "AR-110 | Arm Pad Rolled | 1.00 | 18.00 | 30.00 | Straight Cut | 1530-60 | 3 | 24 | No | No | Yes | No",
                       "AR-180 | Wing Arm Shell | 2.00 | 28.00 | 34.00 | Pattern Cut | REBOND-72 | 2 | 8 | Yes | 50-55 | Yes | Yes | Yes",
                       "BC-220 | Back Cushion Core | 4.00 | 22.00 | 26.00 | Straight Cut | 1845-76 | 3 | 6 | Yes | 28-32 | 1/2\" Dacron | No | No | Yes",
                       "SW-500 | Seat Wrap Fiber | 0.50 | 54.00 | 60.00 | Straight Cut | DAC10-54 | 1 | 30 | No | Yes | No | Yes",
                       "TP-600 | Topper Pad | 1.00 | 21.00 | 22.00 | Straight Cut | 0 | 0 | No | No | No | No",
                       "Total components: 19",
                       "Quelby | Page 1 of 1"};
    QTest::newRow("buns") << "PrintBunListing" << "crptBunListing" << false
        << QStringList{"Bun Listing", "Printed 12/9/2026", "Buns by status and off-all",
                       "Bun | Grade | Width | Length | Vendor",
                       "Status: Active",
                       "Off-all: No",
                       "1228-54 | 1228 | 54.00 | 80.00 | Piedmont Polymers",
                       "1530-60S | 1530 | 60.00 | 60.00",
                       "1530-60 | 1530 | 60.00 | 80.00 | Carolina Foam Supply",
                       "DAC10-54 | Dacron 10oz | 54.00 | 1,800.00 | Blue Ridge Fiber Co.",
                       "Off-all No: 8 buns",
                       "Off-all: Yes",
                       "REBOND-72 | Rebond 6lb | 72.00 | 80.00 | Southern Rebond",
                       "Off-all Yes: 1 bun",
                       "Active: 9 buns",
                       "Status: Inactive",
                       "Off-all: No",
                       "1840-76 | 1840 | 76.00 | 82.00 | Old Dominion Foam",
                       "Off-all No: 1 bun",
                       "Inactive: 1 bun",
                       "Total buns: 10",
                       "Quelby | Page 1 of 1"};
}

void tst_listings::pageTextOnTheDemoPlant() {
    QFETCH(QString, builder);
    QFETCH(QString, templateName);
    QFETCH(bool, landscape);
    QFETCH(QStringList, expected);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    CaptureTarget capture;
    RunBuilder(builder, {});
    QCOMPARE(capture.templates(), QStringList{templateName});
    const CapturedDocument &d = capture.documents.first();
    QVERIFY(d.preview);
    QVERIFY(d.texts.isEmpty());
    QVERIFY(d.hidden.isEmpty());
    QCOMPARE(d.document.landscape, landscape);
    QCOMPARE(d.document.pageSize, landscape ? QSizeF(792, 612) : QSizeF(612, 792));
    verifyLinesInOrder(d.lines(), expected);
    // The hourglass showed while the listing was built and is gone again.
    QCOMPARE(fakes.cursor.busyCount, 1);
    QCOMPARE(fakes.cursor.depth, 0);
}

void tst_listings::nothingClippedOrOffThePage_data() {
    QTest::addColumn<QString>("builder");
    for (const char *b : {"PrintVendorListing", "PrintCustomerListing", "PrintComponentListing", "PrintBunListing"})
        QTest::newRow(b) << QString::fromLatin1(b);
}

void tst_listings::nothingClippedOrOffThePage() {
    QFETCH(QString, builder);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    CaptureTarget capture;
    RunBuilder(builder, {});
    const Document &doc = capture.documents.first().document;
    const double margin = 12.7 * 72 / 25.4;
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const DocumentItem &item : doc.pages.at(p).items) {
            if (item.kind != DocumentItem::Text) continue;
            const double advance = QFontMetricsF(DocumentQFont(item.font)).horizontalAdvance(item.text) / DecipointsPerPoint;
            QVERIFY2(advance <= item.rect.width() + 0.01,
                     qPrintable(QStringLiteral("'%1' needs %2 pt in a cell of %3 pt").arg(item.text).arg(advance).arg(item.rect.width())));
            QVERIFY(item.rect.left() >= margin - 0.01);
            QVERIFY2(item.rect.right() <= doc.pageSize.width() - margin + 0.01, qPrintable(item.text));
            QVERIFY(item.rect.bottom() <= doc.pageSize.height() - margin + 0.01);
        }
}

void tst_listings::emptyTablesStillPreview_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("total");
    QTest::newRow("vendors") << "PrintVendorListing" << "Vendor Listing" << "Total vendors: 0";
    QTest::newRow("customers") << "PrintCustomerListing" << "Customer Listing" << "Total customers: 0";
    QTest::newRow("components") << "PrintComponentListing" << "Component Listing" << "Total components: 0";
    QTest::newRow("buns") << "PrintBunListing" << "Bun Listing" << "Total buns: 0";
}

void tst_listings::emptyTablesStillPreview() {
    QFETCH(QString, builder);
    QFETCH(QString, title);
    QFETCH(QString, total);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Empty);
    CaptureTarget capture;
    RunBuilder(builder, {});
    QCOMPARE(capture.documents.size(), 1);
    const CapturedDocument &d = capture.documents.first();
    QCOMPARE(d.pages.size(), 1);
    QCOMPARE(d.pages.first().first(), title);
    QVERIFY(d.contains(total));
    QVERIFY(!d.contains(QStringLiteral("Status:")));
    QVERIFY(d.contains(QStringLiteral("Page 1 of 1")));
}

void tst_listings::manyVendorsRunOverPages() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Empty);
    for (int i = 1; i <= 120; ++i) {
        const QString name = QStringLiteral("O'Neil Foam %1").arg(i, 3, 10, QLatin1Char('0'));
        db.exec(QStringLiteral("INSERT INTO Vendor (Vendor,City,State,Status) VALUES ('%1','Hickory','NC','%2')")
                    .arg(SqlText::Escaped(name), i <= 100 ? QStringLiteral("Active") : QStringLiteral("InActive")));
    }
    CaptureTarget capture;
    PrintVendorListing();
    const CapturedDocument &d = capture.documents.first();
    const int pages = d.pages.size();
    QVERIFY(pages >= 3);
    for (int p = 0; p < pages; ++p) {
        const QStringList lines = d.document.pageLines(p);
        QCOMPARE(lines.value(0), QStringLiteral("Vendor Listing"));
        QCOMPARE(lines.value(3), QStringLiteral("Vendor | Address | City | St. | Zip | Phone / Fax | Contact"));
        QCOMPARE(lines.last(), QStringLiteral("Quelby | Page %1 of %2").arg(p + 1).arg(pages));
        // Nothing but the footer below the footer's rule.
        const double footerTop = (279.4 - 12.7 - 8) * 72 / 25.4;
        for (const DocumentItem &item : d.document.pages.at(p).items)
            if (item.rect.top() < footerTop - 0.01)
                QVERIFY2(item.rect.top() + LineHeight(item.font) <= footerTop + 0.01 || item.kind != DocumentItem::Text,
                         qPrintable(item.text));
    }
    verifyLinesInOrder(d.lines(), {"Status: Active", "O'Neil Foam 001 | Hickory | NC", "O'Neil Foam 100",
                                   "Active: 100 vendors", "Status: InActive", "O'Neil Foam 101", "O'Neil Foam 120",
                                   "InActive: 20 vendors", "Total vendors: 120"});
}

void tst_listings::continuationPagesRepeatTheGroupHeading_data() {
    QTest::addColumn<QString>("builder");
    QTest::addColumn<QString>("insert");  // %1 a running name, %2 the status
    QTest::addColumn<QStringList>("headings");  // what a page of inactive rows only opens with
    QTest::newRow("customers") << "PrintCustomerListing"
                               << "INSERT INTO Customer (Customer,City,State,Zip,Status) VALUES ('%1','Hickory','NC','28601','%2')"
                               << QStringList{"Status: InActive (continued)"};
    QTest::newRow("vendors") << "PrintVendorListing"
                             << "INSERT INTO Vendor (Vendor,City,State,Zip,Status) VALUES ('%1','Hickory','NC','28601','%2')"
                             << QStringList{"Status: InActive (continued)"};
    QTest::newRow("buns") << "PrintBunListing"
                          << "INSERT INTO Bun (ID,Width,Length,Grade,Vendor,Status,OffAll) VALUES ('%1',54,80,'1228','Piedmont Polymers','%2',False)"
                          << QStringList{"Status: InActive (continued)", "Off-all: No (continued)"};
}

void tst_listings::continuationPagesRepeatTheGroupHeading() {
    QFETCH(QString, builder);
    QFETCH(QString, insert);
    QFETCH(QStringList, headings);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Empty);
    for (int i = 1; i <= 330; ++i)
        db.exec(insert.arg(QStringLiteral("Name %1").arg(i, 3, 10, QLatin1Char('0')),
                           i <= 30 ? QStringLiteral("Active") : QStringLiteral("InActive")));
    CaptureTarget capture;
    RunBuilder(builder, {});
    const Document &doc = capture.documents.first().document;
    QVERIFY(doc.pageCount() >= 4);
    QVERIFY(doc.pageLines(0).value(4).startsWith(QStringLiteral("Status: Active")));
    // Every later page says at its top which status its rows have; the last pages hold
    // inactive rows only, under the repeated heading.
    for (int p = 1; p < doc.pageCount(); ++p)
        QVERIFY2(doc.pageLines(p).value(4).startsWith(QStringLiteral("Status: ")),
                 qPrintable(QStringLiteral("page %1:\n%2").arg(p + 1).arg(doc.pageLines(p).join('\n'))));
    const QStringList last = doc.pageLines(doc.pageCount() - 2);
    QCOMPARE(last.mid(4, headings.size()), headings);
    QVERIFY(last.value(4 + headings.size()).startsWith(QStringLiteral("Name ")));
}

void tst_listings::statusesDifferingInCaseMakeOneGroup() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Empty);
    const QVector<QPair<QString, QString>> vendors = {
        {"Acme Foam", "Active"}, {"Bolt Fiber", "active"}, {"Crane Urethane", "ACTIVE"},
        {"Dyer Rebond", "InActive"}, {"Eagle Poly", "inactive"}};
    for (const auto &[name, status] : vendors)
        db.exec(QStringLiteral("INSERT INTO Vendor (Vendor,Status) VALUES ('%1','%2')").arg(name, status));
    CaptureTarget capture;
    PrintVendorListing();
    const QStringList lines = capture.documents.first().lines();
    verifyLinesInOrder(lines, {"Status: Active", "Acme Foam", "Bolt Fiber", "Crane Urethane", "Active: 3 vendors",
                               "Status: InActive", "Dyer Rebond", "Eagle Poly", "InActive: 2 vendors"});
    QCOMPARE(lines.filter(QStringLiteral("Status: ")).size(), 2);
}

void tst_listings::vendorZipPlusFourStaysOnOneLine() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Empty);
    db.exec(QStringLiteral("INSERT INTO Vendor (Vendor,Address1,City,State,Zip,Phone,Contact,Status) VALUES "
                           "('Uwharrie Foam','18 Mill Rd','Lexington','NC','27292-1234','336-555-0140','Pat Hill','Active')"));
    CaptureTarget capture;
    PrintVendorListing();
    verifyLinesInOrder(capture.documents.first().lines(),
                       {"Uwharrie Foam | 18 Mill Rd | Lexington | NC | 27292-1234 | 336-555-0140 | Pat Hill"});
}

void tst_listings::pdfFolderNumbersItsFiles() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    QTemporaryDir out;
    PdfFolderTarget target(out.filePath(QStringLiteral("pdf")));
    Reports::setPrintTarget(&target);
    RunBuilder(QStringLiteral("PrintBunListing"), {});
    RunBuilder(QStringLiteral("PrintVendorListing"), {});
    Reports::setPrintTarget(nullptr);
    QCOMPARE(target.writtenFiles(), (QStringList{out.filePath("pdf/0001-crptBunListing.pdf"),
                                                 out.filePath("pdf/0002-crptVendorListing.pdf")}));
    QFile file(target.writtenFiles().first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
    const QString text = pdfText(file.fileName());
    QVERIFY2(text.contains(QStringLiteral("Bun Listing")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("REBOND-72")));
    QVERIFY(text.contains(QStringLiteral("Southern Rebond")));
    QVERIFY(text.contains(QStringLiteral("Page 1 of 1")));
    // A new target on the same folder goes on from the highest number there.
    PdfFolderTarget again(out.filePath(QStringLiteral("pdf")));
    Reports::setPrintTarget(&again);
    PrintComponentListing();
    Reports::setPrintTarget(nullptr);
    QCOMPARE(again.writtenFiles(), QStringList{out.filePath("pdf/0003-crptComponentListing.pdf")});
}

void tst_listings::builderRegistry() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    CaptureTarget capture;
    for (const char *b : {"PrintVendorListing", "PrintCustomerListing", "PrintComponentListing", "PrintBunListing"})
        QVERIFY(BuilderNames().contains(QString::fromLatin1(b)));
    auto failure = [](const QString &name, const QStringList &args) {
        try {
            RunBuilder(name, args);
        } catch (const AppError &e) {
            return QStringLiteral("%1: %2").arg(e.number()).arg(e.description());
        }
        return QString();
    };
    QCOMPARE(failure(QStringLiteral("PrintNothing"), {}),
             QStringLiteral("20500: There is no document builder named 'PrintNothing'"));
    QCOMPARE(failure(QStringLiteral("PrintBunListing"), {QStringLiteral("12")}),
             QStringLiteral("20500: PrintBunListing takes no arguments"));
    QVERIFY(capture.documents.isEmpty());
    QCOMPARE(WholeNumberArgument(QStringLiteral("PrintX"), {QStringLiteral(" 12 ")}, 0), 12);
    QVERIFY(FlagArgument(QStringLiteral("PrintX"), {QStringLiteral("True")}, 0));
    QVERIFY(!FlagArgument(QStringLiteral("PrintX"), {QStringLiteral("0")}, 0));
    QVERIFY_THROWS_EXCEPTION(AppError, WholeNumberArgument(QStringLiteral("PrintX"), {QStringLiteral("12a")}, 0));
    QVERIFY_THROWS_EXCEPTION(AppError, FlagArgument(QStringLiteral("PrintX"), {QStringLiteral("maybe")}, 0));
}

void tst_listings::printCommand_data() {
    QTest::addColumn<QStringList>("args");  // %DB% and %OUT% stand for the paths
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("listing") << QStringList{"%DB%", "PrintVendorListing", "--out", "%OUT%"} << 0
                             << QStringList{"0001-crptVendorListing.pdf"};
    QTest::newRow("--out first") << QStringList{"--out", "%OUT%", "%DB%", "PrintBunListing"} << 0
                                 << QStringList{"0001-crptBunListing.pdf"};
    QTest::newRow("unknown builder") << QStringList{"%DB%", "PrintEverything", "--out", "%OUT%"} << 2 << QStringList{};
    QTest::newRow("arguments a listing does not take") << QStringList{"%DB%", "PrintBunListing", "7", "--out", "%OUT%"}
                                                       << 1 << QStringList{};
    QTest::newRow("no database there") << QStringList{"%DB%.missing", "PrintBunListing", "--out", "%OUT%"} << 1
                                       << QStringList{};
    QTest::newRow("no --out") << QStringList{"%DB%", "PrintBunListing"} << 2 << QStringList{};
    QTest::newRow("--out without a folder") << QStringList{"%DB%", "PrintBunListing", "--out"} << 2 << QStringList{};
}

void tst_listings::printCommand() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QStringList, files);
    ScopedFakes fakes;
    QTemporaryDir work;
    const QString dbPath = work.filePath(QStringLiteral("plant.db"));
    {
        TestDatabase db(TestDatabase::Demo);
        SetAppDatabase(nullptr);  // closed, so the file holds everything
        QVERIFY(QFile::copy(db.path(), dbPath));
    }
    QTemporaryDir out;
    for (QString &a : args) a.replace(QStringLiteral("%DB%"), dbPath).replace(QStringLiteral("%OUT%"), out.path());
    PrintTarget *before = &Reports::printTarget();
    QCOMPARE(RunPrintCommand(args), exitCode);
    QCOMPARE(&Reports::printTarget(), before);  // the command puts the target back
    QDir dir(out.path());
    QCOMPARE(dir.entryList(QDir::Files, QDir::Name), files);
    SetAppDatabase(nullptr);
}

void tst_listings::fieldDefinitionFiles_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("text, date and long") << "SELECT Customer,DateAdded,Days FROM Customer"
                                         << QStringList{"Customer\tString\t255", "DateAdded\tDate", "Days\tLong"};
    QTest::newRow("number and yes/no") << "SELECT ID,Thickness,Test FROM Component"
                                       << QStringList{"ID\tString\t255", "Thickness\tNumber", "Test\tBoolean"};
    QTest::newRow("money and auto-number") << "SELECT ID,Cost FROM Style" << QStringList{"ID\tLong", "Cost\tCurrency"};
    QTest::newRow("two columns of one name")
        << "SELECT Component.Width,StyleOperation.Width FROM Component, StyleOperation"
        << QStringList{"Component.Width\tNumber", "StyleOperation.Width\tNumber"};
}

void tst_listings::fieldDefinitionFiles() {
    QFETCH(QString, sql);
    QFETCH(QStringList, expected);
    TestDatabase db(TestDatabase::Empty);
    QTemporaryDir app;
    // As the builders pass it: backslashes and a trailing blank.
    const QString given = app.path() + QStringLiteral("\\ttx\\SummaryCNCRpt.ttx ");
    CreateFieldDefFile(db.query(sql), given, true);
    QVERIFY(!QFile::exists(app.filePath(QStringLiteral("ttx/SummaryCNCRpt.ttx "))));
    QFile file(app.filePath(QStringLiteral("ttx/SummaryCNCRpt.ttx")));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromUtf8(file.readAll()), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    file.close();
    // Rewritten on every use.
    CreateFieldDefFile(db.query(QStringLiteral("SELECT Grade FROM Bun")), given, true);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromUtf8(file.readAll()), QStringLiteral("Grade\tString\t255\n"));
}

QTEST_MAIN(tst_listings)
#include "tst_listings.moc"
