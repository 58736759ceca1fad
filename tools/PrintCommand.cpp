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

int ReadPdfCommandLine(const QStringList &args, const char *command, const char *usage, int fewest, int most,
                       PdfCommandLine &line) {
    QString error;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--help")) {
            std::fputs(usage, stdout);
            return ExitDone;
        }
        if (args.at(i) != QLatin1String("--out")) line.positional.append(args.at(i));
        else if (i + 1 < args.size()) line.out = args.at(++i);
        else error = QStringLiteral("--out needs a folder");
    }
    if (error.isEmpty() && (line.positional.size() < fewest || (most >= 0 && line.positional.size() > most)))
        error = QStringLiteral("give the database, what to print and --out DIR");
    if (error.isEmpty() && line.out.isEmpty()) error = QStringLiteral("give the folder to write into with --out DIR");
    if (error.isEmpty()) return -1;
    WriteError(QLatin1String(command) + QStringLiteral(": ") + error);
    WriteError(QString::fromLatin1(usage));
    return ExitUsage;
}

int RunIntoPdfFolder(const QString &path, const QString &out, const std::function<void()> &work) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        WriteError(QStringLiteral("documents are painted and need a graphical application object"));
        return ExitFailure;
    }
    if (!IsServerAddress(path) && !QFileInfo(path).isFile()) {
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
    PdfCommandLine line;
    if (const int end = ReadPdfCommandLine(args, "print", PrintCommandUsage(), 2, -1, line); end >= 0) return end;
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
