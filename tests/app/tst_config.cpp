// Reading config.txt: the database path is its third value, read the way the original
// system's sequential input read it. Each case writes a real file into a temporary folder.

#include "core/AppError.h"
#include "app/Config.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_config : public QObject {
    Q_OBJECT

private slots:
    void readConfig_data();
    void readConfig();
    void readValues_data();
    void readValues();
    void tooFewValues_data();
    void tooFewValues();
    void missingFile();
    void folderInsteadOfFile();
    void firstPlaceThatExistsIsRead_data();
    void firstPlaceThatExistsIsRead();

private:
    static QString writeConfig(const QTemporaryDir &dir, const QByteArray &content);
};

QString tst_config::writeConfig(const QTemporaryDir &dir, const QByteArray &content) {
    QFile file(dir.filePath(QStringLiteral("config.txt")));
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(content);
    return file.fileName();
}

void tst_config::readConfig_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("path");
    QTest::newRow("heading, then label and path")
        << QByteArray("Quelby plant configuration\r\nDatabase,C:\\Plant\\quelby.mdb\r\n") << "C:\\Plant\\quelby.mdb";
    QTest::newRow("path on the third line") << QByteArray("one\ntwo\n/srv/plant/quelby.db\n") << "/srv/plant/quelby.db";
    QTest::newRow("quoted path with a comma")
        << QByteArray("x,y,\"/srv/plant, north/quelby.db\"\r\n") << "/srv/plant, north/quelby.db";
    QTest::newRow("blanks and tabs before a value") << QByteArray("a,b, \t /data/q.db") << "/data/q.db";
    QTest::newRow("trailing blanks removed") << QByteArray("a,b,/data/q.db   \r\n") << "/data/q.db";
    QTest::newRow("blanks inside kept") << QByteArray("a,b,/data/my plant.db") << "/data/my plant.db";
    QTest::newRow("text after closing quote skipped") << QByteArray("a,b,\"/q.db\" old copy,more") << "/q.db";
    QTest::newRow("nothing after the third read") << QByteArray("a,b,c,\"never closed") << "c";
    QTest::newRow("empty value between commas") << QByteArray("a,,c") << "c";
    QTest::newRow("empty lines count") << QByteArray("\n\nc\n") << "c";
    QTest::newRow("empty third value") << QByteArray("a,b,\n") << "";
    QTest::newRow("CR line ends") << QByteArray("a\rb\rc") << "c";
    QTest::newRow("CR LF is one line end") << QByteArray("a\r\nb\r\nc\r\n") << "c";
    QTest::newRow("quoted first value with comma") << QByteArray("\"head,er\",b,c") << "c";
    QTest::newRow("quoted value over two lines") << QByteArray("\"a\nb\",x,y") << "y";
    QTest::newRow("quote right after quoted value") << QByteArray("\"1,2\"\"X\",p") << "p";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "a,b,c") << "c";
    QTest::newRow("UTF-8 path") << QByteArray("a,b,/data/M\xC3\xBCller.db") << QStringLiteral("/data/M\u00FCller.db");
    QTest::newRow("8-bit path") << QByteArray("a,b,/data/M\xFCller.db") << QStringLiteral("/data/M\u00FCller.db");
}

void tst_config::readConfig() {
    QFETCH(QByteArray, content);
    QFETCH(QString, path);
    QTemporaryDir dir;
    QVERIFY(!writeConfig(dir, content).isEmpty());
    QString read;
    try {
        read = Config::ReadConfig(dir.path());
    } catch (const AppError &e) {
        QFAIL(qPrintable(e.report()));
    }
    QCOMPARE(read, path);
}

void tst_config::readValues_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("quote after closing quote starts a value")
        << QByteArray("\"1,2\"\"X\"") << QStringList{"1,2", "X"};
    QTest::newRow("empty between commas") << QByteArray("a,,b") << QStringList{"a", "", "b"};
    QTest::newRow("empty line") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
    QTest::newRow("blank quoted value kept") << QByteArray("\"  \",b") << QStringList{"  ", "b"};
    QTest::newRow("unclosed quote runs to the end") << QByteArray("a,\"b,c\nd") << QStringList{"a", "b,c\nd"};
}

void tst_config::readValues() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, values);
    QBuffer buffer(&content);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(Config::ReadValues(buffer, values.size()), values);
}

void tst_config::tooFewValues_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("one value") << QByteArray("/data/q.db\r\n");
    QTest::newRow("two values") << QByteArray("Database,/data/q.db");
    QTest::newRow("two lines") << QByteArray("a\nb\n");
    QTest::newRow("trailing comma") << QByteArray("a,b,");
    QTest::newRow("only blanks left") << QByteArray("a,b, \t ");
}

void tst_config::tooFewValues() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(!writeConfig(dir, content).isEmpty());
    try {
        Config::ReadConfig(dir.path());
        QFAIL("read a third value that is not there");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::InputPastEndOfFile);
        QCOMPARE(e.description(), QStringLiteral("Input past end of file"));
    }
}

void tst_config::missingFile() {
    QTemporaryDir dir;
    try {
        Config::ReadConfig(dir.path());
        QFAIL("read a file that does not exist");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::FileNotFound);
        QCOMPARE(e.description(), QStringLiteral("File not found"));
    }
}

void tst_config::folderInsteadOfFile() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("config.txt")));
    try {
        Config::ReadConfig(dir.path());
        QFAIL("read a folder as config.txt");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), 75);
        QCOMPARE(e.description(), QStringLiteral("Path/File access error"));
    }
}

// Three places, as beside the executable, the user's folder and the machine's; the
// letters say which hold a config.txt, each naming its own plant.
void tst_config::firstPlaceThatExistsIsRead_data() {
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("read");
    QTest::newRow("beside the executable wins") << "abc" << "a.db";
    QTest::newRow("the user's folder before the machine's") << "bc" << "b.db";
    QTest::newRow("the machine's alone") << "c" << "c.db";
}

void tst_config::firstPlaceThatExistsIsRead() {
    QFETCH(QString, present);
    QFETCH(QString, read);
    QTemporaryDir dir;
    QStringList places;
    for (const QString &letter : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        places << dir.filePath(letter + QStringLiteral("/config.txt"));
        if (!present.contains(letter)) continue;
        QVERIFY(QDir(dir.path()).mkdir(letter));
        QFile file(places.last());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Quelby\nDatabase," + letter.toUtf8() + ".db\n");
    }
    QCOMPARE(Config::ReadConfig(places), read);
}

QTEST_APPLESS_MAIN(tst_config)
#include "tst_config.moc"
