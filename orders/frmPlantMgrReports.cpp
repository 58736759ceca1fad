#include "orders/frmPlantMgrReports.h"

#include "reports/ReportsMod.h"

void frmPlantMgrReports::PrintDocuments(const QString &orderId) { PrintOrder(orderId, false, QStringLiteral("Plant Mangager")); }
