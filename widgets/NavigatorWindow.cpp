#include "widgets/NavigatorWindow.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "data/Recordset.h"
#include "widgets/Connectors.h"
#include "widgets/DatePicker.h"
#include "widgets/FormLayout.h"
#include "widgets/Grid.h"
#include "widgets/NavigatorFrames.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowEvents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

using namespace FormLayout;
using namespace NavigatorFrames;

namespace {

// The loaded navigators, by their flags.
QHash<const bool *, NavigatorWindow *> &loadedNavigators() {
    static QHash<const bool *, NavigatorWindow *> loaded;
    return loaded;
}

}  // namespace

NavigatorWindow::NavigatorWindow(bool &openFlag, const QMetaObject &entryClass, const Setup &setup,
                                 QWidget *parent)
    : ChildWindow(parent),
      fraSearch(named<QGroupBox>(this, setup.criteriaFrame, QStringLiteral("Search Criteria"))),
      cmbCustomer(named<QComboBox>(fraSearch, "cmbCustomer")),
      txtOrderNumber(named<QLineEdit>(fraSearch, "txtOrderNumber")),
      chkDate(named<QCheckBox>(fraSearch, setup.dateCheck, QString::fromLatin1(setup.dateCaption))),
      dtStartDate(named<DatePicker>(fraSearch, "dtStartDate")),
      dtEndDate(named<DatePicker>(fraSearch, "dtEndDate")),
      btnFind(named<QPushButton>(fraSearch, "btnFind", QStringLiteral("Find"))),
      btnClear(named<QPushButton>(fraSearch, "btnClear", QStringLiteral("Clear"))),
      btnExit(named<QPushButton>(fraSearch, "btnExit", QStringLiteral("Exit"))),
      fraUpper(named<QGroupBox>(this, setup.upperFrame, QString::fromLatin1(setup.upperCaption))),
      vsfgUpper(named<Grid>(fraUpper, setup.upperGrid)),
      fraLineItems(named<QGroupBox>(this, setup.lowerFrame, QStringLiteral("Line Items"))),
      vsfgItems(named<Grid>(fraLineItems, "vsfgItems")),
      m_openFlag(openFlag),
      m_entryClass(entryClass),
      m_customers(setup.customers) {
    setResizable(true);
    AttachAutoComplete(cmbCustomer);
    SelectAllOnFocus(txtOrderNumber);
    onClick(btnFind, this, [this] { UpdateGrids(); });
    onClick(btnClear, this, [this] { btnClear_Click(); });
    onClick(btnExit, this, [this] { unload(); });
    connect(vsfgUpper, &Grid::currentRowChanged, this,
            [this](int row) { handler([this, row] { upperRowChanged(row); })(); });
    connect(vsfgUpper, &Grid::rowDoubleClicked, this,
            [this](int row) { handler([this, row] { upperDoubleClicked(row); })(); });
    connect(&WindowEvents::instance(), &WindowEvents::unloaded, this,
            [this](ChildWindow *window) { entryUnloaded(window); });
}

// A navigator deleted without closing (the frame going away) lowers its flag too.
NavigatorWindow::~NavigatorWindow() { lowerOpenFlag(); }

NavigatorWindow *NavigatorWindow::loaded(const bool &openFlag) { return loadedNavigators().value(&openFlag); }

NavigatorWindow::ShownCriteria NavigatorWindow::shownCriteria() const {
    auto chosen = [](const QComboBox *list) {
        return list && list->currentIndex() >= 0 ? list->currentText() : QString();
    };
    return {chosen(cmbCustomer), chosen(m_status), chkDate->isChecked(), dtStartDate->date(), dtEndDate->date(),
            txtOrderNumber->text()};
}

// The dates keep their values.
void NavigatorWindow::btnClear_Click() {
    cmbCustomer->setCurrentIndex(-1);
    if (m_status) m_status->setCurrentIndex(-1);
    txtOrderNumber->clear();
    chkDate->setChecked(false);
    UpdateGrids();
    EmptyLineItems();
    fraLineItems->setTitle(QStringLiteral("Line Items"));
}

void NavigatorWindow::addCaptioned(QGridLayout *grid, const QString &caption, QWidget *control, int row, int column,
                                   int span) {
    auto *label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1, 1, span);
}

void NavigatorWindow::load() { handler([this] { Form_Load(); })(); }

void NavigatorWindow::Form_Load() {
    raiseOpenFlag();
    FillCombo(cmbCustomer, m_customers(), QStringLiteral("Customer"));
    setToday();
    UpdateGrids();
    EmptyLineItems();
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

void NavigatorWindow::setToday() {
    const QDate today = Seams::clock().today();
    dtStartDate->setDate(today);
    dtEndDate->setDate(today);
}

void NavigatorWindow::EmptyLineItems() { vsfgItems->clear(); }

ChildWindow *NavigatorWindow::openEntry() {
    if (m_openEntry) return m_openEntry();
    if (!m_ownEntry) m_ownEntry = qobject_cast<ChildWindow *>(m_entryClass.newInstance());
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
    QWidget *outer = parentWidget() ? parentWidget() : this;
    if (isMinimized() || outer->isMinimized()) return;
    const QSize size = outer->size();
    shareWindow(twips(size.width()), twips(size.height()), fraSearch, fraUpper, vsfgUpper, fraLineItems, vsfgItems);
}
