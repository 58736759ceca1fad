#pragma once
// The shipping manager's reprint: the production summary made out to the shipping
// department and the load sheet.

#include "orders/OrderSelectionWindow.h"

class frmShipMgrReports : public OrderSelectionWindow {
    Q_OBJECT
public:
    using OrderSelectionWindow::OrderSelectionWindow;

protected:
    void PrintDocuments(const QString &orderId) override;
};
