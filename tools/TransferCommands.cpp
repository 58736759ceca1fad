#include "tools/TransferCommands.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "tools/CsvFile.h"
#include "tools/DesktopDatabaseReader.h"
#include "tools/PlantExport.h"
#include "tools/PlantImport.h"

#include <QFileInfo>
#include <cstdio>

namespace {

constexpr int kDone = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

void out(const QString &line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void err(const QString &line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
}

int usageError(const QString &message, const char *usage) {
    err(QStringLiteral("quelby-admin: ") + message + QLatin1Char('\n'));
    std::fputs(usage, stderr);
    return kUsage;
}

struct ImportLine {
    QString source;
    QString target;
    bool skipBadRows = false;
    CsvEncoding encoding = CsvEncoding::Detect;
};

// Reads the import's arguments; an empty text when they are understood, else what is wrong.
QString readImportLine(const QStringList &args, ImportLine &line) {
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--skip-bad-rows")) line.skipBadRows = true;
        else if (a == QLatin1String("--encoding")) {
            if (i + 1 >= args.size() || !Csv::encodingByName(args.at(++i), line.encoding))
                return QStringLiteral("--encoding takes utf-8 or windows-1252.");
        } else if (a.startsWith(QLatin1String("--"))) return QStringLiteral("unknown option %1.").arg(a);
        else positional << a;
    }
    if (positional.size() != 2) return QStringLiteral("import takes SOURCE and TARGET.");
    line.source = positional.at(0);
    line.target = positional.at(1);
    return QString();
}

SourceTables readSource(const ImportLine &line) {
    if (DesktopDatabase::isDesktopDatabase(line.source)) return DesktopDatabase::read(line.source);
    if (QFileInfo(line.source).isDir()) return Csv::readFolder(line.source, line.encoding);
    throw AppError(ErrorNumber::CouldNotFindFile,
                   QStringLiteral("'%1' is neither a desktop-database file (.mdb, .accdb) nor a folder of CSV files.")
                       .arg(line.source));
}

// An existing target must be an empty plant; a new one is made as init makes it.
std::unique_ptr<Database> openEmptyTarget(const QString &target) {
    std::unique_ptr<Database> db;
    if (IsServerAddress(target)) {
        try {
            db = Database::open(target);
        } catch (const AppError &e) {
            if (e.number() != ErrorNumber::UnrecognizedFormat) throw;
            return nullptr;  // a database holding no plant yet: made as init makes it
        }
    } else {
        if (!QFileInfo::exists(target)) return nullptr;
        db = Database::open(target);
    }
    const QStringList filled = PlantImport::tablesWithRows(*db);
    if (!filled.isEmpty())
        throw AppError(ErrorNumber::TableExists,
                       QStringLiteral("The plant '%1' already holds rows (%2); an import writes only into an empty plant.")
                           .arg(target, filled.join(QStringLiteral(", "))));
    return db;
}

// Rows read, written and skipped per table, with the checksum of what the plant now holds
// (the one export prints, so a round trip can be compared table by table).
void printSummary(const ImportCheck &check, Database &target) {
    out(QStringLiteral("%1 %2 %3 %4 %5").arg(QStringLiteral("table"), -16).arg(QStringLiteral("read"), 8)
            .arg(QStringLiteral("written"), 8).arg(QStringLiteral("skipped"), 8).arg(QStringLiteral("checksum")));
    for (const ConvertedTable &t : check.tables)
        out(QStringLiteral("%1 %2 %3 %4 %5").arg(t.count.table, -16).arg(t.count.read, 8).arg(t.count.written, 8)
                .arg(t.count.skipped, 8).arg(PlantExport::tableChecksum(target, t.count.table)));
}

// Checks the source's rows and writes them into the target, an empty plant or a new one.
int writeInto(const ImportLine &line, std::unique_ptr<Database> existing, const SourceTables &source) {
    out(QStringLiteral("read %1: %2 tables").arg(line.source).arg(source.size()));
    ImportCheck check = PlantImport::check(source, out);
    for (const QString &notice : check.notices) out(notice);
    if (!check.badRows.isEmpty() && !line.skipBadRows) {
        err(QStringLiteral("Rows that cannot be imported:"));
        for (const QString &row : check.badRows) err(QStringLiteral("  ") + row);
        throw AppError(ErrorNumber::ConversionError,
                       QStringLiteral("Nothing was written: %1 of the source's rows cannot be imported (listed above); "
                                      "--skip-bad-rows imports the others.")
                           .arg(check.badRows.size()));
    }
    if (!check.badRows.isEmpty()) {
        out(QStringLiteral("Rows left out:"));
        for (const QString &row : check.badRows) out(QStringLiteral("  ") + row);
    }
    if (existing) PlantImport::write(*existing, check, out);
    else Database::build(line.target, [&](Database &db) { PlantImport::write(db, check, out); });
    printSummary(check, existing ? *existing : *Database::open(line.target));
    return kDone;
}

int runImport(const ImportLine &line) {
    auto existing = openEmptyTarget(line.target);
    return writeInto(line, std::move(existing), readSource(line));
}

// A whole plant from one engine to the other (a file onto a server, or back), through the
// same conversion as an import, so every key and link comes across as it was.
int runCopy(const QString &from, const QString &to) {
    auto existing = openEmptyTarget(to);
    SourceTables source;
    {
        auto plant = Database::open(from);
        source = PlantExport::read(*plant);
    }
    return writeInto(ImportLine{from, to, false, CsvEncoding::Detect}, std::move(existing), source);
}

// Runs a command's work, reporting a failure as "number: description".
int reported(const std::function<int()> &work) {
    try {
        return work();
    } catch (const AppError &e) {
        err(e.report());
    } catch (const std::exception &e) {
        err(QStringLiteral("%1: %2").arg(ErrorNumber::ReservedError).arg(QString::fromLocal8Bit(e.what())));
    }
    return kFailure;
}

bool wantsHelp(const QStringList &args, const char *usage) {
    if (!args.contains(QStringLiteral("--help"))) return false;
    std::fputs(usage, stdout);
    return true;
}

}  // namespace

const char *ImportCommandUsage() {
    return "Usage: quelby-admin import SOURCE TARGET [--skip-bad-rows] [--encoding utf-8|windows-1252]\n"
           "\n"
           "Brings a plant's records into TARGET. SOURCE is a desktop-database file (.mdb or\n"
           "  .accdb, read without the desktop engine) or a folder of CSV files, one per table\n"
           "  named after it (Customer.csv), a header row of column names; the files are UTF-8\n"
           "  or Windows-1252 (detected, or chosen with --encoding).\n"
           "TARGET is a new plant file (made as init makes it) or an empty one; a plant that\n"
           "  holds rows is refused.\n"
           "\n"
           "The whole source is checked first: tables and columns the plant does not have are\n"
           "reported and skipped, plant tables the source lacks are reported and left empty, and\n"
           "every row that cannot convert, repeats a key or links to a row that does not exist is\n"
           "reported with its table, key, column and value. Then nothing is written, unless\n"
           "--skip-bad-rows is given: the other rows are written and the rows left out listed.\n"
           "Rows are written in one transaction with their keys as they were; each auto-number\n"
           "goes on past the highest key. A summary per table ends the run: rows read, written,\n"
           "skipped, and the checksum export prints for the table.\n";
}

int RunImportCommand(const QStringList &args) {
    if (wantsHelp(args, ImportCommandUsage())) return kDone;
    ImportLine line;
    if (const QString wrong = readImportLine(args, line); !wrong.isEmpty()) return usageError(wrong, ImportCommandUsage());
    return reported([&] { return runImport(line); });
}

const char *CopyCommandUsage() {
    return "Usage: quelby-admin copy FROM TO\n"
           "\n"
           "Copies a whole plant from FROM to TO, between a file and a PostgreSQL server in either\n"
           "direction (or file to file): TO is a new file, a server database holding no plant yet,\n"
           "or an empty plant; anything else is refused. Every row keeps its keys, the whole copy is\n"
           "written in one transaction, and the counters of the auto-numbers are set past the\n"
           "highest keys. Prints each table's rows read and written and a checksum of its rows.\n"
           "A server is named by a connection string: postgresql://user@host/plant or\n"
           "\"host=office dbname=plant\".\n";
}

int RunCopyCommand(const QStringList &args) {
    if (wantsHelp(args, CopyCommandUsage())) return kDone;
    if (args.size() != 2) return usageError(QStringLiteral("copy takes FROM and TO."), CopyCommandUsage());
    return reported([&] { return runCopy(args.at(0), args.at(1)); });
}

const char *ExportCommandUsage() {
    return "Usage: quelby-admin export PLANT DIR\n"
           "\n"
           "Writes every table of the plant database PLANT as a CSV file into DIR (made when\n"
           "missing; a folder already holding CSV files is refused), in the form import reads:\n"
           "a header row of column names, texts quoted, money with its cents, dates as\n"
           "yyyy-MM-dd[ HH:mm:ss], yes/no as True/False, null as an empty field, UTF-8.\n"
           "Prints each table's row count and a checksum of its rows; import of the folder into\n"
           "a new plant gives the same plant.\n";
}

int RunExportCommand(const QStringList &args) {
    if (wantsHelp(args, ExportCommandUsage())) return kDone;
    if (args.size() != 2) return usageError(QStringLiteral("export takes PLANT and DIR."), ExportCommandUsage());
    return reported([&] {
        auto db = Database::open(args.at(0));
        const QVector<ExportedTable> tables = PlantExport::write(*db, args.at(1), out);
        out(QStringLiteral("%1 %2 %3").arg(QStringLiteral("table"), -16).arg(QStringLiteral("rows"), 8).arg(QStringLiteral("checksum")));
        for (const ExportedTable &t : tables) out(QStringLiteral("%1 %2 %3").arg(t.table, -16).arg(t.rows, 8).arg(t.checksum));
        return kDone;
    });
}
