#pragma once
// The office's order-entry control copy: the order report shown in the report viewer,
// which stays open when this window closes.

#include "orders/OrderSelectionWindow.h"

class frmOrderEntryReport : public OrderSelectionWindow {
    Q_OBJECT
public:
    using OrderSelectionWindow::OrderSelectionWindow;

protected:
    void PrintDocuments(const QString &orderId) override;
};
