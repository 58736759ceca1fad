// quelby-admin: the plant database from the command line. Creates empty databases and
// the demo plant, and runs statements of the desktop engine's dialect through the
// application's own data layer, so scripts and support staff see what the windows see.
//
// Exit codes: 0 done, 1 the work failed (reported on stderr as "number: description"),
// 2 the command line was not understood (reported with the usage text).

#include "core/AppError.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/RowSet.h"
#include "core/Values.h"
#include "tools/BackupCommand.h"
#include "tools/CheckCommand.h"
#include "tools/DemoPlant.h"
#include "tools/PaperworkCommand.h"
#include "tools/PrintCommand.h"
#include "tools/UpgradeCommand.h"
#include "tools/TransferCommands.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "Usage: quelby-admin COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  init PATH               create an empty plant database (the schema only) at PATH\n"
    "  demo PATH [--large STYLES ORDERS]\n"
    "                          create a database at PATH holding the demo plant, or with\n"
    "                          --large a generated plant of that many styles and orders\n"
    "  query PATH \"SQL\"        run one statement of the desktop engine's dialect and print\n"
    "                          its rows: a line of column names, then one line per row,\n"
    "                          tab-separated; dates as m/d/yyyy, yes/no as True/False,\n"
    "                          null as an empty field\n"
    "  exec PATH \"SQL\"         execute one statement (UPDATE, INSERT, DELETE, DROP TABLE,\n"
    "                          SELECT ... INTO)\n"
    "  print PATH BUILDER [ARGUMENTS...] --out DIR\n"
    "                          run a document builder (PrintCNCTickets 12, PrintBunListing...)\n"
    "                          and write what it prints or previews as PDF files into DIR\n"
    "  paperwork PATH ORDER_ID --out DIR\n"
    "                          print the order's whole paperwork, as saving the order does,\n"
    "                          as PDF files into DIR\n"
    "  upgrade PATH            bring a plant file made by an earlier build up to this one\n"
    "                          (names compared without regard to case for every letter)\n"
    "  import SOURCE TARGET [--skip-bad-rows] [--encoding utf-8|windows-1252]\n"
    "                          bring a plant's records into a new plant from a desktop-\n"
    "                          database file (.mdb, .accdb) or a folder of CSV files\n"
    "  export PLANT DIR        write every table of the plant as a CSV file into DIR\n"
    "  backup PLANT DEST [--force]\n"
    "                          copy the plant to DEST while the application goes on saving\n"
    "  check PLANT             check the file and the plant's rules, print each finding\n"
    "  copy FROM TO            copy a whole plant between a file and a PostgreSQL server\n"
    "\n"
    "  --help                  this text; COMMAND --help shows the command's own usage\n"
    "\n"
    "PATH, PLANT, FROM and TO name a plant file, or a PostgreSQL server by a connection\n"
    "string (postgresql://user@host/plant, or \"host=office dbname=plant\").\n"
    "init and demo never overwrite a file, and build the new one under a temporary name\n"
    "beside PATH, so a run stopped part-way leaves nothing under PATH. query and exec run\n"
    "exactly one statement and refuse a file that is not a plant database.\n"
    "Failures are reported as \"number: description\"\n"
    "on the error stream; the exit code is 0 when done, 1 on a failure, 2 on bad arguments,\n"
    "3 when check found anything.\n";

struct Command {
    const char *name;
    const char *usage;
    std::function<int(const QStringList &)> run;  // arguments after the command name
    bool ownUsage = false;  // reads its own --help and reports its own errors
};

void writeOut(const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void writeErr(const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

// Raised for a command line that cannot be run; reported with the usage text.
struct UsageError {
    QString message;
};

// ---------------------------------------------------------------------------------------
// Printing rows

QString numberText(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qlonglong(value));
    return QString::number(value, 'g', 15);
}

// One field as the desktop engine shows it in a grid: dates m/d/yyyy (with the time
// when one is kept), yes/no True/False, null empty. Tabs and line breaks inside a text
// become blanks so that every row stays on one line.
QString cellText(const QVariant &value, ColumnKind kind) {
    if (!value.isValid() || value.isNull()) return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return Values::ShortDate(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        if (when.time() == QTime(0, 0)) return Values::ShortDate(when.date());
        return Values::ShortDate(when.date()) + QLatin1Char(' ') + when.time().toString(QStringLiteral("h:mm:ss AP"));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    default:
        break;
    }
    if (kind == ColumnKind::YesNo) return value.toDouble() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    QString text = value.toString();
    for (QChar &c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
    return text;
}

QString rowsText(const RowSet &rows) {
    QStringList lines;
    QStringList header;
    for (const RowSetColumn &c : rows.columns) header << c.name;
    lines << header.join(QLatin1Char('\t'));
    for (const auto &row : rows.rows) {
        QStringList cells;
        for (int i = 0; i < row.size(); ++i) cells << cellText(row.at(i), rows.columns.at(i).kind);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// ---------------------------------------------------------------------------------------
// Commands

// Creates a new database file with the schema and runs `fill` on it. The file appears
// under its name only when complete: a failure or a stop part-way leaves nothing there.
void createDatabase(const QString &path, const std::function<void(Database &)> &fill) {
    if (!IsServerAddress(path) && QFileInfo::exists(path))
        throw AppError(ErrorNumber::TableExists,
                       QStringLiteral("The file '%1' already exists; quelby-admin never overwrites a database.").arg(path));
    Database::build(path, fill);
}

int parseCount(const QString &text, const char *what) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0) throw UsageError{QStringLiteral("%1 must be a whole number, not '%2'.").arg(QLatin1String(what), text)};
    return n;
}

int runInit(const QStringList &args) {
    if (args.size() != 1) throw UsageError{QStringLiteral("init takes one PATH.")};
    createDatabase(args.at(0), [](Database &) {});
    return 0;
}

int runDemo(const QStringList &args) {
    if (args.size() == 1) {
        createDatabase(args.at(0), [](Database &db) { DemoPlant::populate(db); });
        return 0;
    }
    if (args.size() == 4 && args.at(1) == QLatin1String("--large")) {
        const int styles = parseCount(args.at(2), "STYLES");
        const int orders = parseCount(args.at(3), "ORDERS");
        if (styles < 1) throw UsageError{QStringLiteral("STYLES must be at least 1.")};
        createDatabase(args.at(0), [&](Database &db) { DemoPlant::populateLarge(db, styles, orders); });
        return 0;
    }
    throw UsageError{QStringLiteral("demo takes PATH, optionally followed by --large STYLES ORDERS.")};
}

int runQuery(const QStringList &args) {
    if (args.size() != 2) throw UsageError{QStringLiteral("query takes PATH and one SQL statement.")};
    auto db = Database::open(args.at(0));
    auto rs = db->openRecordset(args.at(1), RecordsetType::ForwardOnly);
    const RowSet rows = rs->rowSet();
    rs->close();
    writeOut(rowsText(rows));
    return 0;
}

int runExec(const QStringList &args) {
    if (args.size() != 2) throw UsageError{QStringLiteral("exec takes PATH and one SQL statement.")};
    auto db = Database::open(args.at(0));
    db->execute(args.at(1));
    return 0;
}

const QVector<Command> &commands() {
    static const QVector<Command> all = {
        {"init", "Usage: quelby-admin init PATH\n"
                 "Creates an empty plant database holding the schema at PATH. Refuses an existing file.\n",
         runInit},
        {"demo", "Usage: quelby-admin demo PATH [--large STYLES ORDERS]\n"
                 "Creates a database at PATH holding the demo plant: customers, vendors, buns,\n"
                 "components, stations of every report type, styles with components and operations,\n"
                 "orders, shipments, invoices and payments dated around today. With --large, a\n"
                 "generated plant of STYLES styles and ORDERS orders for measuring speed.\n"
                 "Refuses an existing file.\n",
         runDemo},
        {"query", "Usage: quelby-admin query PATH \"SQL\"\n"
                  "Runs one statement of the desktop engine's dialect (#m/d/yyyy# dates, Like '*x*',\n"
                  "TOP n, True/False) and prints a line of column names, then one tab-separated line\n"
                  "per row: dates as m/d/yyyy, yes/no as True/False, null as an empty field.\n",
         runQuery},
        {"exec", "Usage: quelby-admin exec PATH \"SQL\"\n"
                 "Executes one statement of the desktop engine's dialect (UPDATE, INSERT, DELETE,\n"
                 "DELETE * FROM, DROP TABLE, SELECT ... INTO) and prints nothing.\n",
         runExec},
        {"print", PrintCommandUsage(), RunPrintCommand, true},
        {"paperwork", PaperworkCommandUsage(), RunPaperworkCommand, true},
        {"upgrade", UpgradeCommandUsage(), RunUpgradeCommand, true},
        {"import", ImportCommandUsage(), RunImportCommand, true},
        {"export", ExportCommandUsage(), RunExportCommand, true},
        {"copy", CopyCommandUsage(), RunCopyCommand, true},
        {"backup", BackupCommandUsage(), RunBackupCommand, true},
        {"check", CheckCommandUsage(), RunCheckCommand, true},
    };
    return all;
}

bool wantsHelp(const QStringList &args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

int run(const QStringList &arguments) {
    const QStringList args = arguments.mid(1);
    if (args.isEmpty()) {
        writeErr(QStringLiteral("quelby-admin: no command given.\n\n") + QLatin1String(kUsage));
        return kExitUsage;
    }
    const QString name = args.first();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        writeOut(QLatin1String(kUsage));
        return 0;
    }
    const Command *command = nullptr;
    for (const Command &c : commands())
        if (name == QLatin1String(c.name)) command = &c;
    if (!command) {
        writeErr(QStringLiteral("quelby-admin: unknown command '%1'.\n\n").arg(name) + QLatin1String(kUsage));
        return kExitUsage;
    }
    const QStringList rest = args.mid(1);
    if (command->ownUsage) return command->run(rest);
    if (wantsHelp(rest)) {
        writeOut(QLatin1String(command->usage));
        return 0;
    }
    try {
        return command->run(rest);
    } catch (const UsageError &e) {
        writeErr(QStringLiteral("quelby-admin: ") + e.message + QStringLiteral("\n\n") + QLatin1String(command->usage));
        return kExitUsage;
    } catch (const AppError &e) {
        writeErr(e.report() + QLatin1Char('\n'));
        return kExitFailure;
    } catch (const std::exception &e) {
        writeErr(QStringLiteral("%1: %2\n").arg(ErrorNumber::ReservedError).arg(QString::fromLocal8Bit(e.what())));
        return kExitFailure;
    }
}

}  // namespace

int main(int argc, char *argv[]) {
    // Documents are painted, so print and paperwork need a (windowless) GUI application;
    // the other commands need only the core.
    const bool paints = argc > 1 && (qstrcmp(argv[1], "print") == 0 || qstrcmp(argv[1], "paperwork") == 0);
    std::unique_ptr<QCoreApplication> app;
    if (paints) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quelby-admin"));
    const int code = run(QCoreApplication::arguments());
    std::fflush(stdout);
    std::fflush(stderr);
    return code;
}
