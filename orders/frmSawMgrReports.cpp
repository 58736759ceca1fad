#include "orders/frmSawMgrReports.h"

#include "orders/Paperwork.h"

void frmSawMgrReports::PrintDocuments(const QString &orderId) { PrintSawDepartmentPaperwork(orderId); }
