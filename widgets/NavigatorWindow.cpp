#include "widgets/NavigatorWindow.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "widgets/Grid.h"
#include "widgets/NavigatorFrames.h"
#include "widgets/WindowEvents.h"

#include <QDateEdit>
#include <QHash>
#include <QMdiSubWindow>
#include <QTimer>

using namespace NavigatorFrames;

namespace {

// The loaded navigators, by their flags.
QHash<const bool *, NavigatorWindow *> &loadedNavigators() {
    static QHash<const bool *, NavigatorWindow *> loaded;
    return loaded;
}

}  // namespace

NavigatorWindow::NavigatorWindow(bool &openFlag, const QMetaObject &entryClass, QWidget *parent)
    : ChildWindow(parent), m_openFlag(openFlag), m_entryClass(entryClass) {
    setResizable(true);
    connect(&WindowEvents::instance(), &WindowEvents::unloaded, this,
            [this](ChildWindow *window) { entryUnloaded(window); });
}

// A navigator deleted without closing (the frame going away) lowers its flag too.
NavigatorWindow::~NavigatorWindow() { lowerOpenFlag(); }

NavigatorWindow *NavigatorWindow::loaded(const bool &openFlag) { return loadedNavigators().value(&openFlag); }

void NavigatorWindow::setFrames(QWidget *criteria, QWidget *upper, Grid *upperGrid, QWidget *lower, Grid *lowerGrid) {
    m_criteria = criteria;
    m_upper = upper;
    m_upperGrid = upperGrid;
    m_lower = lower;
    m_lowerGrid = lowerGrid;
}

void NavigatorWindow::raiseOpenFlag() {
    m_openFlag = true;
    loadedNavigators().insert(&m_openFlag, this);
}

void NavigatorWindow::lowerOpenFlag() {
    if (loadedNavigators().value(&m_openFlag) != this) return;
    loadedNavigators().remove(&m_openFlag);
    m_openFlag = false;
}

void NavigatorWindow::setToday(QDateEdit *start, QDateEdit *end) {
    const QDate today = Seams::clock().today();
    start->setDate(today);
    end->setDate(today);
}

void NavigatorWindow::EmptyLineItems() { m_lowerGrid->clear(); }

ChildWindow *NavigatorWindow::openEntry() {
    if (m_openEntry) return m_openEntry();
    if (!m_ownEntry) m_ownEntry = newEntry();
    m_ownEntry->show();
    m_ownEntry->raise();
    return m_ownEntry;
}

void NavigatorWindow::entryUnloaded(ChildWindow *window) {
    if (loaded(m_openFlag) != this || !window->metaObject()->inherits(&m_entryClass)) return;
    handler([this] { UpdateGrids(); })();
}

void NavigatorWindow::Form_Unload() { lowerOpenFlag(); }

void NavigatorWindow::showEvent(QShowEvent *event) {
    ChildWindow::showEvent(event);
    if (m_placed) return;
    m_placed = true;
    // Placed once the frame has put its sub-window up, so that the frame's own placing
    // does not move it again.
    QTimer::singleShot(0, this, [this] { handler([this] { PlaceInFrame(); })(); });
}

void NavigatorWindow::resizeEvent(QResizeEvent *event) {
    ChildWindow::resizeEvent(event);
    handler([this] { Form_Resize(); })();
}

// The frames follow the window, measured with its frame inside the main frame (the
// sub-window) and by itself without one: both lower frames take its width, and the
// height left under the criteria is shared 55 : 45 between the upper and the lower grid.
// Nothing moves while minimised.
void NavigatorWindow::Form_Resize() {
    if (!m_criteria) return;
    QWidget *outer = parentWidget() ? parentWidget() : this;
    if (isMinimized() || outer->isMinimized()) return;
    const QSize size = outer->size();
    shareWindow(twips(size.width()), twips(size.height()), m_criteria, m_upper, m_upperGrid, m_lower, m_lowerGrid);
}
