#include "orders/frmShipMgrReports.h"

#include "orders/Paperwork.h"

void frmShipMgrReports::PrintDocuments(const QString &orderId) { PrintShippingDepartmentPaperwork(orderId); }
