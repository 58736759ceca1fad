#pragma once
// The SQL texts of the station work tickets that several documents share: the three
// select texts and the two join texts that follow an order down to its lines, styles,
// style components, components, style operations, stations and buns, and the ticket
// query made from them. The tie sheet and the top-out saw sheet reuse the same pieces.
//
// Each select text opens the parentheses of its FROM clause that its join text closes:
// the plain select with the plain join, the selects with bun columns with the join that
// reaches the bun. A style operation is tied to its style component by the style and by
// the style component's own ID, not the component's.

#include <QString>
#include <QVector>

namespace StationSql {

// "SELECT Orders.Customer,...,Component.Tie": the order header, line, style, style
// component and component columns the paperwork lists.
const QString &ComponentColumns();
// The same followed by the style operation's and station's columns
// (",StyleOperation.ID,...,StyleOperation.Length").
const QString &TicketColumns();

// Order header, line, style, style component, component and operation columns.
const QString &TicketSelect();
// The same with the bun's width, length and grade.
const QString &TicketSelectWithBun();
// The same with the bun's width, length, grade and off-all flag.
const QString &TicketSelectWithOffAll();

// "Orders LEFT JOIN OrderItems ... LEFT JOIN Component ON StyleComponent.ComponentID =
// Component.ID)": an order's lines, styles, style components and components, written
// after the opening parentheses of a FROM clause. The summary tallies and the purchase
// lists go on from it with their own columns and joins.
const QString &OrdersToComponents();

// Joins the style operations and their stations; closes TicketSelect's parentheses.
const QString &TicketJoin();
// Joins the style operations, their stations and the buns; closes the parentheses of
// the two selects with bun columns.
const QString &TicketJoinWithBun();

// The order a sheet without a sort of its own lists its rows in: the order's lines, and
// within a line the style's components (and their operations) as they were entered. It is
// the order the file engine reads them in, given in words so that a server, whose joins
// return rows in an order of their own, prints the same sheets.
const QString &OperationsAsEntered();
const QString &ComponentsAsEntered();

// One station's ticket rows for one order: select + join + " WHERE
// StyleOperation.OperationID = '" + station + "' AND Orders.ID = " + order ID + sort; an
// empty sort reads the rows in the order they were entered (line, component, operation).
// The station name has its quotes doubled; the order ID must already be plain digits.
QString TicketQuery(const QString &select, const QString &join, const QString &station, const QString &orderId,
                    const QString &sort = QString());

// The stations of the given report types with their number of teams, in the order the
// database returns them: "SELECT Station,Teams FROM Operation WHERE ReportType = 'A'"
// (" OR ReportType = 'B'" for a second type).
QString StationQuery(const QStringList &reportTypes);

// The select and join pairs that belong together, by name, so that every combination the
// documents use can be run against the schema.
struct TicketText {
    const char *name;
    const QString &select;
    const QString &join;
};
const QVector<TicketText> &TicketTexts();

}  // namespace StationSql
