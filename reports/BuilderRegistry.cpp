#include "reports/BuilderRegistry.h"

#include "core/AppError.h"
#include "reports/ReportsMod.h"

#include <QVector>

namespace {
// A builder without arguments.
BuilderEntry plain(const char *name, void (*builder)()) {
    return {QString::fromLatin1(name), {}, [builder](const QStringList &) { builder(); }};
}

// A builder of one order's paperwork, given the order's ID as text.
BuilderEntry forOrder(const char *name, void (*builder)(const QString &)) {
    return {QString::fromLatin1(name), {QStringLiteral("order ID")},
            [builder](const QStringList &args) { builder(args.at(0)); }};
}

// The production summary: order ID and department label.
BuilderEntry forDepartment(const char *name, void (*builder)(const QString &, const QString &)) {
    return {QString::fromLatin1(name), {QStringLiteral("order ID"), QStringLiteral("department")},
            [builder](const QStringList &args) { builder(args.at(0), args.at(1)); }};
}

// The order report: order ID, preview flag and recipient label.
BuilderEntry forRecipient(const char *name, void (*builder)(const QString &, bool, const QString &)) {
    const QString builderName = QString::fromLatin1(name);
    return {builderName, {QStringLiteral("order ID"), QStringLiteral("preview"), QStringLiteral("recipient")},
            [builder, builderName](const QStringList &args) {
                builder(args.at(0), FlagArgument(builderName, args, 1), args.at(2));
            }};
}

// The load sheet: order ID and preview flag.
BuilderEntry forPreview(const char *name, void (*builder)(const QString &, bool)) {
    const QString builderName = QString::fromLatin1(name);
    return {builderName, {QStringLiteral("order ID"), QStringLiteral("preview")},
            [builder, builderName](const QStringList &args) { builder(args.at(0), FlagArgument(builderName, args, 1)); }};
}
}  // namespace

const QVector<BuilderEntry> &DocumentBuilders() {
    static const QVector<BuilderEntry> builders = {
        plain("PrintCustomerListing", PrintCustomerListing),
        plain("PrintVendorListing", PrintVendorListing),
        plain("PrintBunListing", PrintBunListing),
        plain("PrintComponentListing", PrintComponentListing),
        forRecipient("PrintOrder", PrintOrder),
        forDepartment("PrintProductionSummary", PrintProductionSummary),
        forOrder("PrintLineSupplyTickets", PrintLineSupplyTickets),
        forOrder("PrintBulletNoserTickets", PrintBulletNoserTickets),
        forOrder("PrintCNCTickets", PrintCNCTickets),
        forOrder("PrintCNCStencilTickets", PrintCNCStencilTickets),
        forOrder("PrintBandSawTickets", PrintBandSawTickets),
        forOrder("PrintVerticalSlitterTickets", PrintVerticalSlitterTickets),
        forOrder("PrintTopOutSawTickets", PrintTopOutSawTickets),
        forOrder("PrintTestSheet", PrintTestSheet),
        forOrder("PrintTieSheet", PrintTieSheet),
        forOrder("PrintFoamOrder", PrintFoamOrder),
        forOrder("PrintGlueSprayLineTickets", PrintGlueSprayLineTickets),
        forOrder("PrintFiberTableTickets", PrintFiberTableTickets),
        forOrder("PrintFiberOrder", PrintFiberOrder),
        forPreview("PrintLoadSheet", PrintLoadSheet),
        {QStringLiteral("PrintStyleListing"),
         {QStringLiteral("customer or ***All Customers***"), QStringLiteral("style name or ***All Styles***"),
          QStringLiteral("type or ***All Types***")},
         [](const QStringList &args) { PrintStyleListing(args.at(0), args.at(1), args.at(2)); }},
        {QStringLiteral("PrintSalesByCustomer"),
         {QStringLiteral("start date m/d/yyyy"), QStringLiteral("end date m/d/yyyy"), QStringLiteral("details 1 or 0")},
         [](const QStringList &args) {
             PrintSalesByCustomer(args.at(0), args.at(1), WholeNumberArgument(QStringLiteral("PrintSalesByCustomer"), args, 2));
         }},
        {QStringLiteral("PrintInvoice"), {QStringLiteral("invoice number")},
         [](const QStringList &args) { PrintInvoice(WholeNumberArgument(QStringLiteral("PrintInvoice"), args, 0)); }},
        plain("PrintOpenInvoices", PrintOpenInvoices),
        plain("PrintCustomerStatements", PrintCustomerStatements),
    };
    return builders;
}

QStringList BuilderNames() {
    QStringList names;
    for (const auto &b : DocumentBuilders()) names.append(b.name);
    return names;
}

void RunBuilder(const QString &name, const QStringList &args) {
    for (const auto &b : DocumentBuilders()) {
        if (b.name.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (args.size() != b.parameters.size())
            throw AppError(ErrorNumber::ReportError,
                           b.parameters.isEmpty()
                               ? QStringLiteral("%1 takes no arguments").arg(b.name)
                               : QStringLiteral("%1 takes %2 argument(s): %3")
                                     .arg(b.name)
                                     .arg(b.parameters.size())
                                     .arg(b.parameters.join(QStringLiteral(", "))));
        b.run(args);
        return;
    }
    throw AppError(ErrorNumber::ReportError, QStringLiteral("There is no document builder named '%1'").arg(name));
}

int WholeNumberArgument(const QString &builder, const QStringList &args, int index) {
    bool ok = false;
    const QString text = args.value(index).trimmed();
    const int n = text.toInt(&ok);
    if (!ok)
        throw AppError(ErrorNumber::ReportError,
                       QStringLiteral("%1: argument %2 must be a whole number, not '%3'").arg(builder).arg(index + 1).arg(text));
    return n;
}

bool FlagArgument(const QString &builder, const QStringList &args, int index) {
    const QString text = args.value(index).trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1") || text == QLatin1String("yes")) return true;
    if (text == QLatin1String("false") || text == QLatin1String("0") || text == QLatin1String("no")) return false;
    throw AppError(ErrorNumber::ReportError,
                   QStringLiteral("%1: argument %2 must be true or false, not '%3'").arg(builder).arg(index + 1).arg(args.value(index)));
}
