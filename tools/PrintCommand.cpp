#include "tools/PrintCommand.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "reports/BuilderRegistry.h"
#include "reports/PdfFolderTarget.h"
#include "reports/PrintTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {

constexpr int ExitDone = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Puts the previous print target back however the builder ends.
class TargetScope {
public:
    explicit TargetScope(PrintTarget *target) : m_previous(&Reports::printTarget()) { Reports::setPrintTarget(target); }
    ~TargetScope() { Reports::setPrintTarget(m_previous); }

private:
    PrintTarget *m_previous;
};

}  // namespace

void WriteError(const QString &text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
}

PdfCommandLine ReadPdfCommandLine(const QStringList &args, int positionals) {
    PdfCommandLine line;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--out")) {
            if (i + 1 >= args.size()) {
                line.error = QStringLiteral("--out needs a folder");
                return line;
            }
            line.out = args.at(++i);
        } else if (args.at(i) == QLatin1String("--help")) {
            line.help = true;
        } else {
            line.positional.append(args.at(i));
        }
    }
    if (!line.help && (line.positional.size() < positionals || line.out.isEmpty()))
        line.error = QStringLiteral("give the database, what to print and --out DIR");
    return line;
}

int RunIntoPdfFolder(const QString &path, const QString &out, const std::function<void()> &work) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        WriteError(QStringLiteral("documents are painted and need a graphical application object"));
        return ExitFailure;
    }
    if (!QFileInfo(path).isFile()) {
        WriteError(QStringLiteral("%1: There is no database at %2").arg(ErrorNumber::CouldNotFindFile).arg(path));
        return ExitFailure;
    }
    PdfFolderTarget target(out);
    int code = ExitDone;
    try {
        SetAppDatabase(Database::open(path));
        TargetScope scope(&target);
        work();
    } catch (const AppError &e) {
        WriteError(e.report());
        code = ExitFailure;
    } catch (const std::exception &e) {
        WriteError(QString::fromLocal8Bit(e.what()));
        code = ExitFailure;
    }
    // The documents written before a failure are there; say which they are.
    for (const QString &file : target.writtenFiles())
        std::fputs(qPrintable(QDir::toNativeSeparators(file) + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
    return code;
}

const char *PrintCommandUsage() {
    return "Usage: quelby-admin print PATH BUILDER [ARGUMENTS...] --out DIR\n"
           "\n"
           "Runs the document builder BUILDER (for example PrintBunListing, or PrintCNCTickets 12)\n"
           "on the plant database at PATH and writes every document it prints or previews as a\n"
           "PDF file into DIR, named with a running number and the template\n"
           "(0001-crptBunListing.pdf). The files written are listed one per line.\n";
}

int RunPrintCommand(const QStringList &args) {
    const PdfCommandLine line = ReadPdfCommandLine(args, 2);
    if (line.help) {
        std::fputs(PrintCommandUsage(), stdout);
        return ExitDone;
    }
    if (!line.error.isEmpty()) {
        WriteError(QStringLiteral("print: ") + line.error);
        WriteError(QString::fromLatin1(PrintCommandUsage()));
        return ExitUsage;
    }
    QStringList rest = line.positional;
    const QString path = rest.takeFirst();
    const QString builder = rest.takeFirst();
    if (!BuilderNames().contains(builder, Qt::CaseInsensitive)) {
        WriteError(QStringLiteral("print: there is no document builder named '%1'. The builders are:\n  %2")
                       .arg(builder, BuilderNames().join(QStringLiteral("\n  "))));
        return ExitUsage;
    }
    return RunIntoPdfFolder(path, line.out, [&] { RunBuilder(builder, rest); });
}
