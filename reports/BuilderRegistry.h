#pragma once
// Every document builder by name, callable with text arguments, so that the
// administration tool can run any of them: RunBuilder("PrintBunListing", {}),
// RunBuilder("PrintCNCTickets", {"12"}).

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

struct BuilderEntry {
    QString name;
    QStringList parameters;  // what each argument is, for messages ("order ID")
    std::function<void(const QStringList &args)> run;
};

// The builders, in the order of the reports menu and the paperwork.
const QVector<BuilderEntry> &DocumentBuilders();
QStringList BuilderNames();
// Runs a builder; an unknown name or a wrong number or kind of arguments throws
// AppError(ReportError) saying so.
void RunBuilder(const QString &name, const QStringList &args);

// Argument readers for the table: a whole number ("12"), a yes/no flag ("true", "1",
// "yes" or "false", "0", "no"). Anything else throws AppError naming the builder.
int WholeNumberArgument(const QString &builder, const QStringList &args, int index);
bool FlagArgument(const QString &builder, const QStringList &args, int index);
