#include "orders/frmFabMgrReports.h"

#include "orders/Paperwork.h"

void frmFabMgrReports::PrintDocuments(const QString &orderId) { PrintFabricationDepartmentPaperwork(orderId); }
