// The four master-data listings run from the main frame's Reports menu with the desktop
// print target: each shows in the one Report Viewer inside the frame, page-numbered,
// with every row of its query; the customer listing exported from the Viewer to PDF
// holds every active customer.

#include "app/MDI.h"
#include "app/Viewer.h"
#include "data/SqlText.h"
#include "app/DesktopPrintTarget.h"
#include "reports/PrintTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

// Puts back whatever print target was installed before, however the test ends.
struct RestorePrintTarget {
    PrintTarget *before = &Reports::printTarget();
    ~RestorePrintTarget() { Reports::setPrintTarget(before); }
};

QVector<Viewer *> viewersIn(const MDI &mdi) {
    QVector<Viewer *> found;
    for (QMdiSubWindow *sub : mdi.workspace()->subWindowList())
        if (auto *viewer = qobject_cast<Viewer *>(sub->widget())) found << viewer;
    return found;
}

// A cell shows a value whole, or its first words when the value wraps onto the next line.
bool shows(const QString &cell, const QString &value) {
    return cell == value || (!cell.isEmpty() && value.startsWith(cell + QLatin1Char(' ')));
}

QString pdfText(const QString &path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class tst_listingsinviewer : public QObject {
    Q_OBJECT
private slots:
    void listingsShowInOneViewer();
};

void tst_listingsinviewer::listingsShowInOneViewer() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    // Enough further customers for the customer listing to run over several pages.
    for (int i = 1; i <= 40; ++i)
        db.exec(QStringLiteral("INSERT INTO Customer (Customer, Address1, City, State, Phone, Status) VALUES "
                               "('%1', '%2 Furniture Row', 'High Point', 'NC', '336-555-%3', 'Active')")
                    .arg(SqlText::Escaped(QStringLiteral("O'Neil Bedding %1").arg(i, 2, 10, QLatin1Char('0'))))
                    .arg(i * 10)
                    .arg(1000 + i));
    RestorePrintTarget restore;
    MDI mdi;
    UiTest::show(&mdi);
    InstallDesktopPrintTarget();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("customers.pdf"));

    // Each listing's query, and the columns shown as cells on the first line of a row
    // (the key column first).
    const struct {
        const char *command, *templateName, *title, *sql;
        QStringList cells;
    } listings[] = {
        {"CustomerListing", "crptCustomerListing", "Customer Listing",
         "SELECT Customer,Address1,Address2,City,State,Zip,Phone,Fax,Status,DateAdded,ShipTo,ShipToAddress1,"
         "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,Terms,Days FROM Customer ORDER BY "
         "Status,Customer",
         {"Customer", "Address1", "Phone", "ShipTo", "ShipToPhone", "Terms"}},
        {"VendorListing", "crptVendorListing", "Vendor Listing",
         "SELECT Vendor,Address1,Address2,City,State,Zip,Phone,Fax,Contact,Status FROM Vendor ORDER BY Status,Vendor",
         {"Vendor", "Address1", "City", "State", "Zip", "Phone", "Contact"}},
        {"BunListing", "crptBunListing", "Bun Listing",
         "SELECT ID,Width,Length,Grade,Vendor,Status,OffAll FROM Bun ORDER BY Status,OffAll,Grade,Width,Length,ID",
         {"ID", "Grade", "Vendor"}},
        {"ComponentListing", "crptComponentListing", "Component Listing",
         "SELECT ID,Description,Thickness,Width,Length,Cutstyle,Test,TestRange,BunID,Topped,RailsPerBun,PiecesPerRail,"
         "PrintOnShipping,Arm,Tie FROM Component ORDER BY ID",
         {"ID", "Description", "Cutstyle", "BunID"}},
    };
    Viewer *first = nullptr;
    for (const auto &l : listings) {
        const QString listing = QString::fromLatin1(l.command);
        mdi.command(listing)->trigger();

        // Shown in the frame, in the one Viewer that the first listing opened.
        const QVector<Viewer *> viewers = viewersIn(mdi);
        QCOMPARE(viewers.size(), 1);
        Viewer *viewer = viewers.first();
        if (!first) first = viewer;
        QCOMPARE(viewer, first);
        QCOMPARE(mdi.workspace()->activeSubWindow()->widget(), static_cast<QWidget *>(viewer));
        const Document &doc = viewer->document();
        QCOMPARE(doc.templateName, QString::fromLatin1(l.templateName));

        // Page-numbered: every page carries "Page N of M" for the shown page count.
        const int pages = doc.pageCount();
        QVERIFY2(pages > 0, qPrintable(listing));
        QCOMPARE(viewer->previewWidget()->pageCount(), pages);
        QStringList lines;
        for (int p = 0; p < pages; ++p) {
            const QStringList pageLines = doc.pageLines(p);
            QCOMPARE(pageLines.value(0), QString::fromLatin1(l.title));
            QVERIFY2(pageLines.last().endsWith(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)),
                     qPrintable(listing + ": " + pageLines.last()));
            lines += pageLines;
        }
        if (listing == QLatin1String("CustomerListing")) QVERIFY2(pages > 1, "the customer listing should run over pages");

        // Every row of the query appears, in the query's order, its values as cells of its
        // first line.
        const RowSet rows = db.query(QString::fromLatin1(l.sql));
        QVERIFY(!rows.rows.isEmpty());
        int at = 0;
        for (int r = 0; r < rows.rows.size(); ++r) {
            const QString key = rows.value(r, l.cells.first()).toString();
            while (at < lines.size() && !shows(lines.at(at).split(QStringLiteral(" | ")).value(0), key)) ++at;
            QVERIFY2(at < lines.size(), qPrintable(QStringLiteral("%1: row '%2' missing or out of order\n%3")
                                                       .arg(listing, key, doc.plainText())));
            const QStringList cells = lines.at(at).split(QStringLiteral(" | "));
            for (const QString &column : l.cells) {
                const QString value = rows.value(r, column).toString();
                QVERIFY2(value.isEmpty() || std::any_of(cells.begin(), cells.end(),
                                                        [&](const QString &c) { return shows(c, value); }),
                         qPrintable(QStringLiteral("%1: %2 '%3' not on the line '%4'")
                                        .arg(listing, column, value, lines.at(at))));
            }
            ++at;
        }

        // The Viewer's export writes what it shows: every active customer is in the PDF.
        if (listing == QLatin1String("CustomerListing")) {
            viewer->exportPdf(pdf);
            const QString text = pdfText(pdf).simplified();
            QVERIFY2(text.contains(QStringLiteral("Page %1 of %1").arg(pages)), qPrintable(text));
            const RowSet active = db.query(QStringLiteral("SELECT Customer FROM Customer WHERE Status = 'Active'"));
            QCOMPARE(active.rows.size(), 46);
            for (const auto &row : active.rows)
                QVERIFY2(text.contains(row.value(0).toString()), qPrintable(row.value(0).toString()));
        }
    }
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('\n')));
}

QTEST_MAIN(tst_listingsinviewer)
#include "tst_listingsinviewer.moc"
