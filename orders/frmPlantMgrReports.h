#pragma once
// The plant manager's copy of the order, printed.

#include "orders/OrderSelectionWindow.h"

class frmPlantMgrReports : public OrderSelectionWindow {
    Q_OBJECT
public:
    using OrderSelectionWindow::OrderSelectionWindow;

protected:
    void PrintDocuments(const QString &orderId) override;
};
