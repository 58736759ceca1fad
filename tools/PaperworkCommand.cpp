#include "tools/PaperworkCommand.h"

#include "orders/Paperwork.h"
#include "tools/PrintCommand.h"


const char *PaperworkCommandUsage() {
    return "Usage: quelby-admin paperwork PATH ORDER_ID --out DIR\n"
           "\n"
           "Prints the production paperwork of the order with ID ORDER_ID on the plant database\n"
           "at PATH, as saving the order prints it: the office copy, then the saw, fabrication\n"
           "and shipping departments' packets, each headed by its production summary. Every\n"
           "document is written as a PDF file into DIR, named with a running number and the\n"
           "template; the files written are listed one per line, in printing order.\n";
}

int RunPaperworkCommand(const QStringList &args) {
    PdfCommandLine line;
    if (const int end = ReadPdfCommandLine(args, "paperwork", PaperworkCommandUsage(), 2, 2, line); end >= 0) return end;
    const QString orderId = line.positional.at(1);
    return RunIntoPdfFolder(line.positional.at(0), line.out, [&] { PrintOrderPaperwork(orderId); });
}
