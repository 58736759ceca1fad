#pragma once
// The fabrication manager's reprint: the production summary made out to the fabrication
// department, the glue, spray and fiber-table tickets and the fiber order.

#include "orders/OrderSelectionWindow.h"

class frmFabMgrReports : public OrderSelectionWindow {
    Q_OBJECT
public:
    using OrderSelectionWindow::OrderSelectionWindow;

protected:
    void PrintDocuments(const QString &orderId) override;
};
