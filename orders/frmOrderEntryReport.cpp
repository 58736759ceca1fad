#include "orders/frmOrderEntryReport.h"

#include "reports/ReportsMod.h"

void frmOrderEntryReport::PrintDocuments(const QString &orderId) { PrintOrder(orderId, true, QStringLiteral("Office Manager")); }
