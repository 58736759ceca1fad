// The Report Viewer's "Export PDF...": the file dialog suggests the user's documents
// folder and the report's name, and after writing the clerk is told where the file went.

#include "app/Viewer.h"
#include "reports/DocumentPainter.h"
#include "tests/support/Fakes.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

Document listing() {
    Document document;
    document.templateName = QStringLiteral("crptCustomerListing");
    DocumentItem item;
    item.text = QStringLiteral("Customer Listing");
    item.rect = QRectF(72, 72, 300, 14);
    item.font.family = QStringLiteral("DejaVu Sans");
    document.pages.append(DocumentPage{{item}});
    return document;
}

// What the export dialog offered, and the answer given to it.
struct DialogAnswer {
    QString answer;  // the path typed; empty cancels
    QString offeredFolder = {};
    QString offeredName = {};
};

// Answers the export dialog of the window once it is shown: reads what it offers, then
// types the answer into its file name box and accepts, or cancels.
void answerDialog(QWidget *window, DialogAnswer *answer) {
    QTimer::singleShot(0, window, [window, answer] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(20, window, [window, answer] { answerDialog(window, answer); });
            return;
        }
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        answer->offeredFolder = dialog->directory().absolutePath();
        answer->offeredName = name->text();
        if (answer->answer.isEmpty()) {
            QTest::keyClick(name, Qt::Key_Escape);
            return;
        }
        name->setText(answer->answer);  // as typed (typing opens the name completer's list)
        QTest::keyClick(name, Qt::Key_Return);
    });
}

}  // namespace

class tst_ViewerExport : public QObject {
    Q_OBJECT
private slots:
    void exportSuggestsDocumentsAndSaysWhere();
    void cancelledExportWritesNothing();
};

void tst_ViewerExport::exportSuggestsDocumentsAndSaysWhere() {
    ScopedFakes fakes;
    QTemporaryDir out;
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showDocument(listing());
    DialogAnswer answer{out.filePath("customers")};
    answerDialog(&viewer, &answer);
    UiTest::click(UiTest::child<QToolButton>(&viewer, "btnExport"));

    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(documents).exists()) documents = QDir::homePath();
    QCOMPARE(answer.offeredFolder, QDir(documents).absolutePath());
    QCOMPARE(answer.offeredName, QString("CustomerListing.pdf"));
    // The name typed without ".pdf" gets it.
    const QString written = out.filePath("customers.pdf");
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].kind, QString("tell"));
    QCOMPARE(fakes.messages.shown[0].title, QString("Export PDF"));
    QCOMPARE(fakes.messages.shown[0].text, "The report was saved as " + QDir::toNativeSeparators(written));
}

void tst_ViewerExport::cancelledExportWritesNothing() {
    ScopedFakes fakes;
    Viewer viewer;
    UiTest::show(&viewer);
    viewer.showDocument(listing());
    DialogAnswer answer;
    answerDialog(&viewer, &answer);
    UiTest::click(UiTest::child<QToolButton>(&viewer, "btnExport"));
    QCOMPARE(answer.offeredName, QString("CustomerListing.pdf"));
    QVERIFY(fakes.messages.shown.isEmpty());
}

QTEST_MAIN(tst_ViewerExport)
#include "tst_viewerexport.moc"
