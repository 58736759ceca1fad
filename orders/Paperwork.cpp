#include "orders/Paperwork.h"

#include "core/Seams.h"
#include "reports/ReportsMod.h"

namespace {

const QString kOffice = QStringLiteral("office copy");
const QString kSaw = QStringLiteral("saw department");
const QString kFabrication = QStringLiteral("fabrication department");
const QString kShipping = QStringLiteral("shipping department");

PaperworkStep step(const char *builder, const QString &group, void (*print)(const QString &)) {
    return {QString::fromLatin1(builder), QString(), group, print};
}

PaperworkStep summary(const char *department, const QString &group) {
    const QString label = QString::fromLatin1(department);
    return {QStringLiteral("PrintProductionSummary"), label, group,
            [label](const QString &id) { PrintProductionSummary(id, label); }};
}

void printGroup(const QString &group, const QString &orderId) {
    BusyCursor busy;
    for (const PaperworkStep &s : PaperworkSteps())
        if (s.group == group) s.print(orderId);
}

}  // namespace

const QVector<PaperworkStep> &PaperworkSteps() {
    static const QVector<PaperworkStep> steps = {
        {QStringLiteral("PrintOrder"), QStringLiteral("Office Manager"), kOffice,
         [](const QString &id) { PrintOrder(id, false, QStringLiteral("Office Manager")); }},
        summary("Saw Department", kSaw),
        step("PrintLineSupplyTickets", kSaw, PrintLineSupplyTickets),
        step("PrintBulletNoserTickets", kSaw, PrintBulletNoserTickets),
        step("PrintCNCTickets", kSaw, PrintCNCTickets),
        step("PrintCNCStencilTickets", kSaw, PrintCNCStencilTickets),
        step("PrintBandSawTickets", kSaw, PrintBandSawTickets),
        step("PrintVerticalSlitterTickets", kSaw, PrintVerticalSlitterTickets),
        step("PrintTopOutSawTickets", kSaw, PrintTopOutSawTickets),
        step("PrintTestSheet", kSaw, PrintTestSheet),
        step("PrintTieSheet", kSaw, PrintTieSheet),
        step("PrintFoamOrder", kSaw, PrintFoamOrder),
        summary("Fabrication Department", kFabrication),
        step("PrintGlueSprayLineTickets", kFabrication, PrintGlueSprayLineTickets),
        step("PrintFiberTableTickets", kFabrication, PrintFiberTableTickets),
        step("PrintFiberOrder", kFabrication, PrintFiberOrder),
        summary("Shipping Department", kShipping),
        {QStringLiteral("PrintLoadSheet"), QString(), kShipping,
         [](const QString &id) { PrintLoadSheet(id, false); }},
    };
    return steps;
}

void PrintOrderPaperwork(const QString &orderId, const PaperworkProgress &progress) {
    BusyCursor busy;
    int number = 0;
    for (const PaperworkStep &s : PaperworkSteps()) {
        if (progress) progress(++number, s);
        s.print(orderId);
    }
}

void PrintSawDepartmentPaperwork(const QString &orderId) { printGroup(kSaw, orderId); }

void PrintFabricationDepartmentPaperwork(const QString &orderId) { printGroup(kFabrication, orderId); }

void PrintShippingDepartmentPaperwork(const QString &orderId) { printGroup(kShipping, orderId); }
