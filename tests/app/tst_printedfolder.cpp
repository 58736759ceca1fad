// Without a printer every printed document becomes a numbered PDF in printed/: a file
// already there is never overwritten, and two copies of the application printing into
// one folder at the same moment never pick the same name.

#include "core/AppFolders.h"
#include "reports/Document.h"
#include "reports/PdfFolderTarget.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

namespace {

Document oneLine(const QString &text) {
    Document document;
    document.templateName = QStringLiteral("crptBunListing");
    DocumentItem item;
    item.text = text;
    item.rect = QRectF(72, 72, 300, 14);
    item.font.family = QStringLiteral("DejaVu Sans");
    document.pages.append(DocumentPage{{item}});
    return document;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void plant(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class tst_PrintedFolder : public QObject {
    Q_OBJECT
private slots:
    void filesAlreadyThereAreKept();
    void twoCopiesNeverShareAName();
    void besideTheExecutableOrInDocuments_data();
    void besideTheExecutableOrInDocuments();
};

void tst_PrintedFolder::filesAlreadyThereAreKept() {
    QTemporaryDir dir;
    plant(dir.filePath("0001-crptBunListing.pdf"), "first run");
    plant(dir.filePath("0003-crptVendorListing.pdf"), "second run");
    PdfFolderTarget target(dir.path());
    target.print(oneLine("Bun Listing"), "crptBunListing");
    // Another copy writes the next number while this one is running.
    plant(dir.filePath("0005-crptBunListing.pdf"), "other copy");
    target.print(oneLine("Bun Listing"), "crptBunListing");
    target.preview(oneLine("Vendor Listing"), "crptVendorListing");
    QCOMPARE(target.writtenFiles(), QStringList({dir.filePath("0004-crptBunListing.pdf"),
                                                 dir.filePath("0006-crptBunListing.pdf"),
                                                 dir.filePath("0007-crptVendorListing.pdf")}));
    QCOMPARE(contents(dir.filePath("0001-crptBunListing.pdf")), QByteArray("first run"));
    QCOMPARE(contents(dir.filePath("0003-crptVendorListing.pdf")), QByteArray("second run"));
    QCOMPARE(contents(dir.filePath("0005-crptBunListing.pdf")), QByteArray("other copy"));
    for (const QString &path : target.writtenFiles()) QVERIFY(contents(path).startsWith("%PDF-"));
}

void tst_PrintedFolder::twoCopiesNeverShareAName() {
    QTemporaryDir dir;
    const int each = 12;
    PdfFolderTarget first(dir.path());
    PdfFolderTarget second(dir.path());
    auto printMany = [each](PdfFolderTarget *target, const QString &copy) {
        for (int i = 0; i < each; ++i) target->print(oneLine(copy + QString::number(i)), "crptBunListing");
    };
    std::thread a(printMany, &first, QStringLiteral("first copy "));
    std::thread b(printMany, &second, QStringLiteral("second copy "));
    a.join();
    b.join();
    const QStringList written = first.writtenFiles() + second.writtenFiles();
    QCOMPARE(QSet<QString>(written.begin(), written.end()).size(), 2 * each);
    QCOMPARE(QDir(dir.path()).entryList({"*.pdf"}, QDir::Files).size(), 2 * each);
    for (const QString &path : written) QVERIFY2(contents(path).startsWith("%PDF-"), qPrintable(path));
}

// printed/ (and ttx/ alike) stays beside the executable where that can be written; an
// installed copy that cannot write there uses the user's documents folder.
void tst_PrintedFolder::besideTheExecutableOrInDocuments_data() {
    QTest::addColumn<QString>("prepare");  // what the application folder holds
    QTest::addColumn<bool>("beside");
    QTest::newRow("a folder of its own") << "" << true;
    QTest::newRow("a file named printed in the way") << "file" << false;
    // Tests run as root here, who may write anywhere: a folder that cannot be made
    // stands for one this user may not write.
    QTest::newRow("an application folder that cannot be written") << "missing" << false;
}

void tst_PrintedFolder::besideTheExecutableOrInDocuments() {
    QFETCH(QString, prepare);
    QFETCH(bool, beside);
    QTemporaryDir dir;
    QString app = dir.path();
    if (prepare == QLatin1String("file")) plant(dir.filePath("printed"), "not a folder");
    if (prepare == QLatin1String("missing")) app = dir.filePath("gone/bin");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString expected = beside ? QDir(app).filePath("printed") : QDir(documents).filePath("Quelby/printed");
    QCOMPARE(AppFolders::OutputFolder(app, "printed"), expected);
}

QTEST_MAIN(tst_PrintedFolder)
#include "tst_printedfolder.moc"
