#include "data/StationSql.h"

#include "data/SqlText.h"

#include <QStringList>

namespace StationSql {

const QString &ComponentColumns() {
    static const QString text = QStringLiteral(
        "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,OrderItems.ItemNumber,"
        "OrderItems.Line,OrderItems.Qty,OrderItems.PriceEach,OrderItems.PriceExt,Style.ID,Style.Name,Style.Type,"
        "StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty,Component.Description,Component.Thickness,"
        "Component.Width,Component.Length,Component.Cutstyle,Component.Test,Component.TestRange,Component.Topped,"
        "Component.RailsPerBun,Component.PiecesPerRail,Component.PrintOnShipping,Component.Arm,Component.Tie");
    return text;
}

const QString &TicketColumns() {
    static const QString text = ComponentColumns() + QStringLiteral(
                                                         ",StyleOperation.ID,StyleOperation.OperationID,Operation.ReportType,"
                                                         "StyleOperation.Instructions,StyleOperation.Thickness,"
                                                         "StyleOperation.Width,StyleOperation.Length");
    return text;
}

// The select texts open one more parenthesis for each join their join text adds.
const QString &OrdersToComponents() {
    static const QString text = QStringLiteral(
        "Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) "
        "LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON StyleComponent.ComponentID = "
        "Component.ID)");
    return text;
}

const QString &TicketSelect() {
    static const QString text =
        TicketColumns() + QStringLiteral(" FROM ((((((") + OrdersToComponents();
    return text;
}

const QString &TicketSelectWithBun() {
    static const QString text = TicketColumns() + QStringLiteral(", Bun.Width,Bun.Length,Bun.Grade FROM (((((((") +
                                OrdersToComponents();
    return text;
}

const QString &TicketSelectWithOffAll() {
    static const QString text = TicketColumns() +
                                QStringLiteral(", Bun.Width,Bun.Length,Bun.Grade,Bun.OffAll FROM (((((((") +
                                OrdersToComponents();
    return text;
}

const QString &TicketJoin() {
    static const QString text = QStringLiteral(
        " LEFT JOIN StyleOperation ON StyleComponent.StyleID = StyleOperation.StyleID AND StyleComponent.ID = "
        "StyleOperation.ComponentID) LEFT JOIN Operation ON StyleOperation.OperationID = Operation.Station)");
    return text;
}

const QString &TicketJoinWithBun() {
    static const QString text = TicketJoin() + QStringLiteral(" LEFT JOIN Bun ON Component.BunID = Bun.ID)");
    return text;
}

const QString &OperationsAsEntered() {
    static const QString text = QStringLiteral(" ORDER BY OrderItems.ItemNumber, StyleComponent.ID, StyleOperation.ID");
    return text;
}

const QString &ComponentsAsEntered() {
    static const QString text = QStringLiteral(" ORDER BY OrderItems.ItemNumber, StyleComponent.ID");
    return text;
}

QString TicketQuery(const QString &select, const QString &join, const QString &station, const QString &orderId,
                    const QString &sort) {
    return select + join + QStringLiteral(" WHERE StyleOperation.OperationID = '") + SqlText::Escaped(station) +
           QStringLiteral("' AND Orders.ID = ") + orderId + (sort.isEmpty() ? OperationsAsEntered() : sort);
}

QString StationQuery(const QStringList &reportTypes) {
    QStringList conditions;
    for (const QString &type : reportTypes)
        conditions << QStringLiteral("ReportType = '") + SqlText::Escaped(type) + QLatin1Char('\'');
    return QStringLiteral("SELECT Station,Teams FROM Operation WHERE ") + conditions.join(QStringLiteral(" OR "));
}

const QVector<TicketText> &TicketTexts() {
    static const QVector<TicketText> texts = {
        {"ticket select with its join", TicketSelect(), TicketJoin()},
        {"ticket select with bun columns and the bun join", TicketSelectWithBun(), TicketJoinWithBun()},
        {"ticket select with bun and off-all columns and the bun join", TicketSelectWithOffAll(), TicketJoinWithBun()},
    };
    return texts;
}

}  // namespace StationSql
