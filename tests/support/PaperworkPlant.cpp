#include "tests/support/PaperworkPlant.h"

#include "data/Database.h"
#include "reports/DocumentPainter.h"
#include "tests/support/CaptureTarget.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTest>

namespace {

const char *const kRows[] = {
    "INSERT INTO Customer (Customer, Status) VALUES ('Acme', 'Active')",
    "INSERT INTO Customer (Customer, Status) VALUES ('Vedu', 'Active')",
    "INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) VALUES ('B1', 48, 96, 'HD36', 'FoamCo', False, "
    "'Active')",
    "INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) VALUES ('B2', 40, 80, 'Rebond', 'Rebond Inc', "
    "True, 'Active')",
    "INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) VALUES ('F1', 54, 1800, 'Dacron', 'FiberCo', "
    "False, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('SEAT', 'Seat core', 4, 22, 24, "
    "'Straight Cut', True, '30-34', 'Dacron', True, False, False, 'B1', 8, 6, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('ARM', 'Arm pad', 2, 6, 30, "
    "'Pattern Cut', False, '', '', False, True, True, 'B1', 10, 4, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('BACK', 'Back rebond', 3, 20, 26, "
    "'Straight Cut', False, '', '', False, False, False, 'B2', 6, 3, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('WRAP', 'Seat wrap', 0.5, 54, 60, "
    "'Straight Cut', False, '', '', False, False, False, 'F1', 1, 0, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('EDGE', 'Edge strip', 1, 2, 30, "
    "'Straight Cut', False, '', '', False, False, False, 'B1', 0, 12, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Glue 1', 'Glue Line', 2, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Glue 2', 'Glue Line', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Spray 1', 'Spray Line', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Band Saw 1', 'Band Saw', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Band Saw 3', 'Band Saw', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('CNC', 'CNC', 3, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('CNC 2', 'CNC', 2, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Off CNC', 'CNC', 0, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Fiber 1', 'Fiber Table', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Noser', 'Bullet Noser', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Slitter', 'Vertical Slitter', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Bob''s Saw', 'Vertical Slitter', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Supply', 'Glue/Spray Line Supply', 1, "
    "'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Stencil', 'CNC Stencil', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Top', 'Top Out Saw', 1, 'Active')",
    "INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status) VALUES (1, 'Acme', 'Lounge', 'Sofa', 60, 100, "
    "'Active')",
    "INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status) VALUES (2, 'Acme', 'Bare', 'Chair', 20, 40, "
    "'Active')",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (1, 1, 'SEAT', 2)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (2, 1, 'ARM', 2)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (3, 1, 'BACK', 1)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (4, 1, 'WRAP', 1)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (5, 1, 'EDGE', 2)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (6, 2, 'SEAT', 1)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(1, 1, 1, 'Band Saw 1', 'Cut seat rails', 4, 22.5, 24.5)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(2, 1, 1, 'Glue 1', 'Glue seat', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(3, 1, 1, 'Noser', 'Nose front edge', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(4, 1, 2, 'CNC', 'Shape arm', 2, 6, 30)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(5, 1, 2, 'Glue 1', 'Glue arm', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(6, 1, 2, 'Off CNC', 'Shape arm on the spare', 2, 6, 30)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(7, 1, 3, 'Band Saw 3', 'Trim rebond', 3, 20, 26)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(8, 1, 3, 'Spray 1', 'Spray back', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(9, 1, 3, 'Slitter', 'Slit to 20', 3, 20, 26)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(10, 1, 4, 'Fiber 1', 'Cut wrap', 0.5, 54, 60)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(11, 1, 4, 'Supply', 'Roll and tag', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(12, 1, 5, 'Band Saw 1', 'Cut edge rails', 1, 2.5, 30.5)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(13, 1, 5, 'Stencil', 'Stencil edge', 1, 2, 30)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(14, 1, 5, 'Bob''s Saw', 'Slit edge', 1, 2, 30)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(15, 1, 5, 'Band Saw 1', 'Second pass', 1, 2.25, 30.25)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(16, 1, 1, 'CNC', 'Trim seat', 4, 22, 24)",
    "INSERT INTO Data (ID, LaborCostPerHour, NonArmPerHour, SprayLineNonArmPerHour, LaborPercent) VALUES ('Data', 20, 10, "
    "8, 25)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, ShipTo, ShipToAddress1, ShipToCity, "
    "ShipToState, ShipToZip, DateAdded, Total) VALUES (1, 'PO-1', 'Acme', '2026-12-01', '2026-12-15', 'Open', "
    "'Acme Dock 2', '9 Mill Rd', 'Hickory', 'NC', '28601', '2026-12-01', 500)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (2, 'V-1', "
    "'Vedu', '2026-12-02', '2026-12-16', 'Open', '2026-12-02', 40)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (3, 'V-2', "
    "'VEDU', '2026-12-02', '2026-12-16', 'Open', '2026-12-02', 40)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (4, 'VI-1', "
    "'Vedu Interiors', '2026-12-02', '2026-12-16', 'Open', '2026-12-02', 40)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (5, 'PO-EMPTY', "
    "'Acme', '2026-12-03', '2026-12-17', 'Open', '2026-12-03', 0)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (1, 1, 'A', 3, 1, 100, "
    "300)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (1, 2, 'B', 5, 2, 40, "
    "200)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (2, 1, '7A', 1, 2, 40, "
    "40)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (3, 1, '', 1, 2, 40, 40)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (4, 1, '', 1, 2, 40, 40)",
};

}  // namespace

namespace PaperworkPlant {

void load() {
    for (const char *sql : kRows) AppDatabase().execute(QString::fromUtf8(sql));
}

}  // namespace PaperworkPlant

namespace PaperworkCheck {

bool hasLinesInOrder(const CapturedDocument &d, const QStringList &expected) {
    return hasLinesInOrder(d.lines(), expected);
}

bool hasLinesInOrder(const QStringList &lines, const QStringList &expected) {
    int at = 0;
    for (const QString &want : expected) {
        while (at < lines.size() && lines.at(at) != want) ++at;
        if (at == lines.size()) {
            qWarning().noquote() << "--- document:\n" + lines.join(QLatin1Char('\n'));
            QTest::qFail(qPrintable(QStringLiteral("missing or out of order: '%1'").arg(want)), __FILE__, __LINE__);
            return false;
        }
        ++at;
    }
    return true;
}

QStringList linesBetween(const CapturedDocument &d, double fromMm, double toMm) {
    constexpr double pointsPerMm = 72.0 / 25.4;
    const double margin = 12.7 * pointsPerMm;
    Document column = d.document;
    for (DocumentPage &page : column.pages) {
        QVector<DocumentItem> kept;
        for (const DocumentItem &item : page.items) {
            const double left = item.rect.left() - margin;
            if (left >= fromMm * pointsPerMm - 0.01 && left < toMm * pointsPerMm - 0.01) kept.append(item);
        }
        page.items = kept;
    }
    QStringList lines;
    for (int p = 0; p < column.pageCount(); ++p) lines += column.pageLines(p);
    return lines;
}

bool showsANonNumber(const CapturedDocument &d) {
    static const QRegularExpression word(QStringLiteral("\\b(inf|nan)\\b"), QRegularExpression::CaseInsensitiveOption);
    return word.match(d.lines().join(QLatin1Char('\n'))).hasMatch();
}

bool printsClear(const CapturedDocument &d) {
    const Document &doc = d.document;
    const double margin = 12.7 * 72 / 25.4, slack = 0.5;  // points
    const QRectF printable(margin - slack, margin - slack, doc.pageSize.width() - 2 * margin + 2 * slack,
                           doc.pageSize.height() - 2 * margin + 2 * slack);
    auto fail = [&](const QString &why) {
        QTest::qFail(qPrintable(d.templateName + QStringLiteral(": ") + why), __FILE__, __LINE__);
        return false;
    };
    for (int p = 0; p < doc.pageCount(); ++p) {
        // The ink of each text: as wide as the text, placed in its cell as aligned, one
        // line of its font high.
        QVector<QPair<QRectF, QString>> inks;
        for (const DocumentItem &item : doc.pages.at(p).items) {
            if (item.kind != DocumentItem::Text || item.text.isEmpty()) continue;
            const QFontMetricsF metrics(DocumentQFont(item.font));
            const double width = metrics.horizontalAdvance(item.text) / DecipointsPerPoint;
            if (width > item.rect.width() + 0.01)
                return fail(QStringLiteral("'%1' needs %2 pt in a cell of %3 pt").arg(item.text).arg(width).arg(item.rect.width()));
            if (!printable.contains(item.rect)) return fail(QStringLiteral("'%1' is off the page").arg(item.text));
            double left = item.rect.left();
            if (item.alignment & Qt::AlignRight) left = item.rect.right() - width;
            else if (item.alignment & Qt::AlignHCenter) left = item.rect.center().x() - width / 2;
            const QRectF ink(left, item.rect.top(), width, metrics.height() / DecipointsPerPoint);
            for (const auto &[other, text] : inks)
                if (ink.adjusted(slack, slack, -slack, -slack).intersects(other))
                    return fail(QStringLiteral("'%1' prints over '%2' on page %3").arg(item.text, text).arg(p + 1));
            inks.append({ink, item.text});
        }
    }
    return true;
}

}  // namespace PaperworkCheck
