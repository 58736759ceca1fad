#pragma once

#include <QString>

// Sets an order "Closed" when every line has shipped at least its ordered quantity and
// "Open" otherwise, whatever its status was. Takes the order's ID as text.
void UpdateOrderStatus(const QString &orderId);
