#pragma once
// Connectors that wire the usual events of buttons and combos through the handler
// wrapper, so a failure is reported and the window carries on:
//
//   onClick(btnSave, this, [this] { btnSave_Click(); });
//   onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
//   onEdit(cmbCustomer, this, [this] { cmbCustomer_Change(); });
#include "core/Handler.h"
#include "widgets/AutoCompleteCombo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>

// A click on the button (by mouse, Space or its shortcut) runs f.
template <class F>
void onClick(QAbstractButton *button, QObject *context, F f) {
    QObject::connect(button, &QAbstractButton::clicked, context, handler(std::move(f)));
}

namespace ConnectorDetail {

// Tells a clerk's pick that has already run its handler from one that has not. A pick
// that moves the selection announces itself twice (the index changed, then the entry was
// chosen); choosing the entry that is already selected announces only the second. The
// guard remembers the entry the handler last ran for through an index change, until the
// choice that belongs to it arrives or the clerk touches the list anew (a key, a mouse
// press, the focus), so that an index set by the window earlier never swallows a later
// re-pick of the same entry.
class PickGuard : public QObject {
public:
    explicit PickGuard(QComboBox *combo) : QObject(combo) {
        combo->installEventFilter(this);
        if (QLineEdit *edit = combo->lineEdit()) edit->installEventFilter(this);
    }

    // The index changed to this entry and the handler ran for it.
    void ranFor(int index) { m_ranFor = index; }
    // The entry was chosen: true when the handler must still run for this choice.
    bool choiceNeedsRun(int index) {
        const bool alreadyRan = m_ranFor == index;
        m_ranFor = -1;
        return !alreadyRan;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::FocusIn:
            m_ranFor = -1;
            break;
        default:
            if (event->type() == TypeAheadPickEvent()) m_ranFor = -1;
            break;
        }
        return false;
    }

private:
    int m_ranFor = -1;
};

}  // namespace ConnectorDetail

// Runs f once for every pick of an entry of the list: by the clerk (mouse, arrow keys,
// Enter in the open list), also when the entry chosen is the one already selected, and by
// the window when it changes the selected entry. The window setting the entry that is
// already selected, emptying the list or leaving it without a selection (index -1) runs
// nothing.
template <class F>
void onPick(QComboBox *combo, QObject *context, F f) {
    auto run = handler(std::move(f));
    QPointer<ConnectorDetail::PickGuard> guard = new ConnectorDetail::PickGuard(combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, context, [run, guard](int index) {
        if (index < 0) return;
        if (guard) guard->ranFor(index);
        run();
    });
    QObject::connect(combo, &QComboBox::activated, context, [run, guard](int index) {
        if (index < 0) return;
        if (!guard || guard->choiceNeedsRun(index)) run();
    });
}

// Every edit of an editable combo's text (each key typed, a pick, a text set by the
// window) runs f.
template <class F>
void onEdit(QComboBox *combo, QObject *context, F f) {
    QObject::connect(combo, &QComboBox::editTextChanged, context, handler(std::move(f)));
}
