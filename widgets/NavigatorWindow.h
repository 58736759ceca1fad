#pragma once
// What the order and shipment navigators share: the search criteria in a frame at the top
// (customer, order number, date range, Find, Clear and Exit) and two frames of one grid
// each below it, fitted to the window on every resize (NavigatorFrames); loading (the
// open-window flag raised, the customer list filled, the dates set to today, the search
// run); the placing in the main frame once it is first shown; the upper grid's row changes
// and double-clicks; the entry window a double-click opens; and the refresh of the grids
// whenever an entry window of its kind unloads, told by a signal rather than by the entry
// window.

#include "widgets/ChildWindow.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

// The controls of a navigator's criteria and frames.
class Grid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class Recordset;

class NavigatorWindow : public ChildWindow {
    Q_OBJECT
public:
    ~NavigatorWindow() override;

    // The loaded navigator whose open-window flag is `openFlag`, or null.
    static NavigatorWindow *loaded(const bool &openFlag);

    // Runs the search with the criteria shown, refills the upper grid and empties the lower.
    virtual void UpdateGrids() = 0;

    // How the entry window is opened (or brought forward): the main frame passes its own
    // opener. Without one the navigator opens an entry window of its own, once.
    void setEntryOpener(std::function<ChildWindow *()> opener) { m_openEntry = std::move(opener); }

protected:
    // The names of a navigator's frames and of the controls that differ between them, and
    // the store's list of the customers offered (column Customer).
    struct Setup {
        const char *criteriaFrame;
        const char *dateCheck;
        const char *dateCaption;
        std::unique_ptr<Recordset> (*customers)();
        const char *upperFrame;
        const char *upperCaption;  // what the upper grid lists ("Orders", "Shipments")
        const char *upperGrid;
        const char *lowerFrame;    // captioned "Line Items"
    };
    // `openFlag` is true while the navigator is loaded; an entry window of class
    // `entryClass` (made with no arguments where the navigator has no frame) that unloads
    // meanwhile refreshes the grids.
    NavigatorWindow(bool &openFlag, const QMetaObject &entryClass, const Setup &setup, QWidget *parent);

    // The search criteria every navigator has, in their frame at the top: the customer
    // list with type-ahead, the order number selected whole when it takes the focus, the
    // date range and whether it applies; Find runs the search again, Clear empties the
    // criteria (the dates keep their values) and searches again, Exit unloads the navigator.
    QGroupBox *const fraSearch;
    QComboBox *const cmbCustomer;
    QLineEdit *const txtOrderNumber;
    QCheckBox *const chkDate;
    QDateEdit *const dtStartDate;
    QDateEdit *const dtEndDate;
    QPushButton *const btnFind;
    QPushButton *const btnClear;
    QPushButton *const btnExit;
    // The two frames below, each of one grid: what the search found, and the lines of the
    // row the upper grid is on. They share the window on every resize; a row change and a
    // double-click on the upper grid run upperRowChanged and upperDoubleClicked.
    QGroupBox *const fraUpper;
    Grid *const vsfgUpper;
    QGroupBox *const fraLineItems;
    Grid *const vsfgItems;
    // A status list among the criteria, which Clear empties too and shownCriteria reads.
    void setStatusList(QComboBox *status) { m_status = status; }

    // What the criteria hold: the chosen customer and status (empty where none is chosen),
    // whether the dates apply, the dates and the order number as typed.
    struct ShownCriteria {
        QString customer;
        QString status;
        bool byDate = false;
        QDate start;
        QDate end;
        QString orderNumber;
    };
    ShownCriteria shownCriteria() const;
    // Puts a control of the criteria at `row`, `column` + 1 of `grid`, `span` columns wide,
    // with its caption (its buddy) before it.
    static void addCaptioned(QGridLayout *grid, const QString &caption, QWidget *control, int row, int column,
                             int span = 1);
    // Loads the navigator (Form_Load): the last step of its constructor.
    void load();
    // The lower grid without a row, not even its header.
    void EmptyLineItems();
    // The entry window, through the opener.
    ChildWindow *openEntry();

    // Places the window in the main frame; runs once, after it is first shown.
    virtual void PlaceInFrame() = 0;
    // The upper grid's current row changed to `row` (0 is the header) or was double-clicked.
    virtual void upperRowChanged(int row) = 0;
    virtual void upperDoubleClicked(int row) = 0;

    void Form_Unload() override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Raises the open-window flag, fills the customer list, sets both dates to today, runs
    // the search and empties the lower grid.
    void Form_Load();
    void raiseOpenFlag();
    void setToday();
    void btnClear_Click();
    void Form_Resize();
    void lowerOpenFlag();
    void entryUnloaded(ChildWindow *window);

    bool &m_openFlag;
    const QMetaObject &m_entryClass;
    QComboBox *m_status = nullptr;
    std::unique_ptr<Recordset> (*m_customers)();
    std::function<ChildWindow *()> m_openEntry;
    QPointer<ChildWindow> m_ownEntry;  // the entry window opened without a frame
    bool m_placed = false;
};
