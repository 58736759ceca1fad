#pragma once
// The saw manager's reprint: the production summary made out to the saw department, the
// saw stations' tickets, the top-out saw, test and tie sheets and the foam order.

#include "orders/OrderSelectionWindow.h"

class frmSawMgrReports : public OrderSelectionWindow {
    Q_OBJECT
public:
    using OrderSelectionWindow::OrderSelectionWindow;

protected:
    void PrintDocuments(const QString &orderId) override;
};
