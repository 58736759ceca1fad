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

void err(const QString &text) {
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
}

// Puts the previous print target back however the builder ends.
class TargetScope {
public:
    explicit TargetScope(PrintTarget *target) : m_previous(&Reports::printTarget()) { Reports::setPrintTarget(target); }
    ~TargetScope() { Reports::setPrintTarget(m_previous); }

private:
    PrintTarget *m_previous;
};

}  // namespace

const char *PrintCommandUsage() {
    return "Usage: quelby-admin print PATH BUILDER [ARGUMENTS...] --out DIR\n"
           "\n"
           "Runs the document builder BUILDER (for example PrintBunListing, or PrintCNCTickets 12)\n"
           "on the plant database at PATH and writes every document it prints or previews as a\n"
           "PDF file into DIR, named with a running number and the template\n"
           "(0001-crptBunListing.pdf). The files written are listed one per line.\n";
}

int RunPrintCommand(const QStringList &args) {
    QStringList positional;
    QString out;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--out")) {
            if (i + 1 >= args.size()) {
                err(QStringLiteral("print: --out needs a folder"));
                err(QString::fromLatin1(PrintCommandUsage()));
                return ExitUsage;
            }
            out = args.at(++i);
        } else if (args.at(i) == QLatin1String("--help")) {
            std::fputs(PrintCommandUsage(), stdout);
            return ExitDone;
        } else {
            positional.append(args.at(i));
        }
    }
    if (positional.size() < 2 || out.isEmpty()) {
        err(QStringLiteral("print: give the database, the builder and --out DIR"));
        err(QString::fromLatin1(PrintCommandUsage()));
        return ExitUsage;
    }
    const QString path = positional.takeFirst();
    const QString builder = positional.takeFirst();
    if (!BuilderNames().contains(builder, Qt::CaseInsensitive)) {
        err(QStringLiteral("print: there is no document builder named '%1'. The builders are:\n  %2")
                .arg(builder, BuilderNames().join(QStringLiteral("\n  "))));
        return ExitUsage;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        err(QStringLiteral("print: documents are painted and need a graphical application object"));
        return ExitFailure;
    }
    if (!QFileInfo(path).isFile()) {
        err(QStringLiteral("%1: There is no database at %2").arg(ErrorNumber::CouldNotFindFile).arg(path));
        return ExitFailure;
    }
    try {
        SetAppDatabase(Database::open(path));
        PdfFolderTarget target(out);
        {
            TargetScope scope(&target);
            RunBuilder(builder, positional);
        }
        for (const QString &file : target.writtenFiles())
            std::fputs(qPrintable(QDir::toNativeSeparators(file) + QLatin1Char('\n')), stdout);
        std::fflush(stdout);
        return ExitDone;
    } catch (const AppError &e) {
        err(e.report());
        return ExitFailure;
    } catch (const std::exception &e) {
        err(QString::fromLocal8Bit(e.what()));
        return ExitFailure;
    }
}
