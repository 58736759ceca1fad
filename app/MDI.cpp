#include "app/MDI.h"

#include "widgets/ChildWindow.h"
#include "core/Handler.h"
#include "app/frmAbout.h"
#include "masterdata/frmCustomerEntry.h"
#include "masterdata/frmVendorEntry.h"
#include "orders/frmFabMgrReports.h"
#include "orders/frmOrderEntry.h"
#include "orders/frmOrderEntryReport.h"
#include "orders/frmOrderNavigator.h"
#include "orders/frmPlantMgrReports.h"
#include "orders/frmSawMgrReports.h"
#include "orders/frmShipMgrReports.h"
#include "product/frmStyle.h"
#include "receivables/frmInvoiceReport.h"
#include "receivables/frmInvoices.h"
#include "receivables/frmReceivePayment.h"
#include "receivables/frmSalesByCustomer.h"
#include "receivables/frmStyleReport.h"
#include "reports/ReportsMod.h"
#include "shipping/frmShipmentEntry.h"
#include "shipping/frmShipmentNavigator.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>

namespace {
MDI *g_instance = nullptr;

// The workspace's least size, 740 by 594 pixels, and the largest windows it holds: the
// Administration window is the widest (800 pixels), the Report Viewer the tallest (683).
const QSize kLeastWorkspace(740, 594);
const QSize kLargestWindow(800, 683);
const QString kPlacementKey = QStringLiteral("MDI/geometry");

// What a sub-window's title bar and borders add to the window inside it (a sub-window
// without a parent draws no title bar, so the probe gets one).
QSize subWindowFrame(QWidget *parent) {
    QMdiSubWindow probe(parent);
    probe.hide();
    auto *inner = new QWidget;
    inner->setFixedSize(100, 100);
    probe.setWidget(inner);
    probe.ensurePolished();
    return probe.sizeHint() - inner->size();
}

// One menu command: where it sits, its caption and name, and what it does (null while
// the window it opens is not part of this build).
struct Command {
    QStringList menu;  // names of the menu and submenu
    const char *caption;
    const char *name;
    std::function<void(MDI *)> action;
};

struct MenuName {
    const char *name;
    const char *caption;
};

const MenuName kMenus[] = {
    {"File", "File"},           {"Orders", "Orders"},         {"Shipping", "Shipping"},
    {"Administrative", "Administrative"}, {"Reports", "Reports"}, {"Help", "Help"},
    {"OrderReports", "Orders"}, {"Production", "Production"}, {"ShippingReports", "Shipping"},
    {"Admin", "Administrative"}, {"AR", "Accounts Receivable"},
};

QString menuCaption(const QString &name) {
    for (const MenuName &m : kMenus)
        if (name == QLatin1String(m.name)) return QString::fromLatin1(m.caption);
    return name;
}

template <class W>
std::function<void(MDI *)> opens() {
    return [](MDI *mdi) { mdi->open<W>(); };
}

std::function<void(MDI *)> runs(void (*builder)()) {
    return [builder](MDI *) { builder(); };
}

QVector<Command> commands() {
    using L = QStringList;
    return {
        {L{"File"}, "Exit", "Exit", nullptr},
        {L{"Orders"}, "Order Navigator", "OrdNav",
         [](MDI *mdi) {
             // A double-clicked order and "Add New" open in the frame's one order window.
             mdi->open<frmOrderNavigator>()->setEntryOpener([mdi] { return mdi->open<frmOrderEntry>(); });
         }},
        {L{"Orders"}, "Order Entry", "OrderEntry", opens<frmOrderEntry>()},
        {L{"Shipping"}, "Shipment Navigator", "ShipmentNav",
         [](MDI *mdi) {
             // A double-clicked shipment opens in the frame's one shipment entry window.
             mdi->open<frmShipmentNavigator>()->setEntryOpener([mdi] { return mdi->open<frmShipmentEntry>(); });
         }},
        {L{"Shipping"}, "Shipment Entry", "ShipmentEntry", opens<frmShipmentEntry>()},
        {L{"Administrative"}, "Customer Entry", "CustomerEntry", opens<frmCustomerEntry>()},
        {L{"Administrative"}, "Vendor Entry", "VendorEntry", opens<frmVendorEntry>()},
        {L{"Administrative"}, "Style Entry", "StyleEntry", opens<frmStyle>()},
        {L{"Administrative"}, "Create Invoices", "CreateInvoices", opens<frmInvoices>()},
        {L{"Administrative"}, "Receive Payments", "ReceivePayments", opens<frmReceivePayment>()},
        {L{"Reports", "OrderReports"}, "Order Entry Control Report", "OrderEntryControlReport", opens<frmOrderEntryReport>()},
        {L{"Reports", "OrderReports"}, "Sales By Customer", "SalesByCustomer", opens<frmSalesByCustomer>()},
        {L{"Reports", "Production"}, "Saw Manager", "SawMgr", opens<frmSawMgrReports>()},
        {L{"Reports", "Production"}, "Fabrication Manager", "FabMgr", opens<frmFabMgrReports>()},
        {L{"Reports", "Production"}, "Plant Manager", "PlantMgr", opens<frmPlantMgrReports>()},
        {L{"Reports", "ShippingReports"}, "Shipping Mangager", "ShippingMgr", opens<frmShipMgrReports>()},
        {L{"Reports", "Admin"}, "Customer Listing", "CustomerListing", runs(PrintCustomerListing)},
        {L{"Reports", "Admin"}, "Vendor Listing", "VendorListing", runs(PrintVendorListing)},
        {L{"Reports", "Admin"}, "Bun Listing", "BunListing", runs(PrintBunListing)},
        {L{"Reports", "Admin"}, "Component Listing", "ComponentListing", runs(PrintComponentListing)},
        {L{"Reports", "Admin"}, "Style Listing", "StyleListing", opens<frmStyleReport>()},
        {L{"Reports", "AR"}, "Invoice Report", "InvoiceReport", opens<frmInvoiceReport>()},
        {L{"Reports", "AR"}, "Open Invoices Report", "OpenInvoicesReport", runs(PrintOpenInvoices)},
        {L{"Reports", "AR"}, "Customer Statements", "CustomerStatementsReport", runs(PrintCustomerStatements)},
        {L{"Help"}, "About", "About", opens<frmAbout>()},
    };
}

}  // namespace

MDI::MDI(QWidget *parent) : QMainWindow(parent), m_area(new QMdiArea(this)) {
    g_instance = this;
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(QStringLiteral("Quelby"));
    m_area->setObjectName(QStringLiteral("Workspace"));
    m_area->setBackground(palette().brush(QPalette::Dark));
    // A window larger than the workspace can still be reached in full.
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    buildMenus();
    statusBar();
    // The workspace below the menu bar holds the largest window whole.
    const QSize workspace = startWorkspace();
    resize(workspace.width(), workspace.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

QSize MDI::startWorkspace() const {
    return kLeastWorkspace.expandedTo(kLargestWindow + subWindowFrame(m_area->viewport()));
}

void MDI::showFrame(QSettings *placement) {
    m_placement = placement;
    if (restoreGeometry(placement->value(kPlacementKey).toByteArray())) {
        show();
        return;
    }
    // Room for the desktop's own title bar and borders around the frame.
    const QSize decoration(16, 48);
    const QRect screenArea = screen()->availableGeometry();
    if (!QRect(QPoint(), screenArea.size()).contains(QRect(QPoint(), size() + decoration))) {
        showMaximized();
        return;
    }
    move(screenArea.center() - rect().center());
    show();
}

void MDI::savePlacement() {
    if (m_placement) m_placement->setValue(kPlacementKey, saveGeometry());
}

MDI::~MDI() {
    if (g_instance == this) g_instance = nullptr;
}

MDI *MDI::instance() { return g_instance; }

void MDI::showStatus(const QString &text) {
    if (g_instance) g_instance->statusBar()->showMessage(text);
}

QAction *MDI::command(const QString &name) const { return findChild<QAction *>(name); }

void MDI::buildMenus() {
    QHash<QString, QMenu *> menus;
    auto menuFor = [&](const QStringList &path) {
        QString key;
        QMenu *parent = nullptr;
        for (const QString &name : path) {
            key += QLatin1Char('/') + name;
            QMenu *&menu = menus[key];
            if (!menu) {
                menu = parent ? parent->addMenu(menuCaption(name)) : menuBar()->addMenu(menuCaption(name));
                menu->setObjectName(name);
                menu->menuAction()->setObjectName(name);
            }
            parent = menu;
        }
        return parent;
    };
    for (const Command &c : commands()) {
        QAction *action = menuFor(c.menu)->addAction(QString::fromLatin1(c.caption));
        action->setObjectName(QString::fromLatin1(c.name));
        if (QLatin1String(c.name) == QLatin1String("Exit")) {
            connect(action, &QAction::triggered, this, handler([this] { Exit_Click(); }));
        } else if (c.action) {
            auto run = c.action;
            connect(action, &QAction::triggered, this, handler([this, run] { run(this); }));
        } else {
            action->setEnabled(false);
        }
    }
}

void MDI::addChild(QWidget *window) {
    const QSize clientSize = window->size();  // as the window asked for, before framing
    QMdiSubWindow *sub = m_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Windows with a fixed border keep their size and have no maximise button; the
    // navigators and the Viewer can be resized.
    auto *child = qobject_cast<ChildWindow *>(window);
    const bool fixed = !child || !child->resizable();
    if (fixed)
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sub->show();
    window->show();
    if (fixed) {
        sub->adjustSize();
        sub->setFixedSize(sub->size());
    } else if (window->testAttribute(Qt::WA_Resized)) {
        sub->resize(clientSize + (sub->size() - window->size()));
    }
    keepInside(sub);
}

void MDI::keepInside(QMdiSubWindow *sub) {
    // Inside the visible workspace where it fits; otherwise from its top left corner, so
    // that the labels at the window's left are seen and the rest is reached by scrolling.
    const QSize room = m_area->viewport()->size();
    const QSize size = sub->size();
    const int x = size.width() > room.width() ? 0 : std::clamp(sub->x(), 0, room.width() - size.width());
    const int y = size.height() > room.height() ? 0 : std::clamp(sub->y(), 0, room.height() - size.height());
    sub->move(x, y);
}

void MDI::Exit_Click() {
    // Ends at once: no window is asked and no window's unload behaviour runs.
    savePlacement();
    QCoreApplication::exit(0);
}

void MDI::closeEvent(QCloseEvent *event) {
    // Closing the frame unloads every open window first.
    m_area->closeAllSubWindows();
    if (!m_area->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    savePlacement();
    event->accept();
}
