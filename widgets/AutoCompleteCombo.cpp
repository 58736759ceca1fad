#include "widgets/AutoCompleteCombo.h"

#include "core/Seams.h"
#include "widgets/EntryList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

namespace {

// The search state shared by every combo of every window for the whole run.
struct TypeAheadState {
    double lastKeyTime = 0.0;         // seconds since midnight of the previous keystroke
    QString typedPrefix;              // the characters of the current search
    QPointer<QComboBox> lastCombo;    // the combo that received the previous keystroke
};

TypeAheadState &state() {
    static TypeAheadState s;
    return s;
}

void typeAhead(QComboBox *combo, int &keyAscii, bool choose);

// The one filter object installed on every combo with type-ahead.
class TypeAheadFilter : public QObject {
public:
    using QObject::QObject;

    static TypeAheadFilter *instance() {
        static QPointer<TypeAheadFilter> filter;
        if (!filter) filter = new TypeAheadFilter(QCoreApplication::instance());
        return filter;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (auto *combo = qobject_cast<QComboBox *>(watched)) {
            const int code = characterCode(key, combo->property(passEnterProperty).toBool());
            if (code == 0) return false;
            int keyAscii = code;
            AutoCompleteCombo(combo, keyAscii);
            return true;
        }
        // The open list of a combo: letters search as in the closed box, and the list's
        // highlight follows the selection; Enter and Escape still close the list.
        auto *view = qobject_cast<QAbstractItemView *>(watched);
        QComboBox *combo = view ? owningCombo(view) : nullptr;
        if (!combo) return false;
        const int code = characterCode(key, true);
        if (code == 0 || code == 27) return false;
        int keyAscii = code;
        typeAhead(combo, keyAscii, false);
        if (combo->currentIndex() >= 0)
            view->setCurrentIndex(combo->model()->index(combo->currentIndex(), combo->modelColumn(), combo->rootModelIndex()));
        return true;
    }

public:
    static constexpr const char *passEnterProperty = "quelbyTypeAheadPassEnter";

private:
    static QComboBox *owningCombo(QObject *view) {
        for (QObject *p = view->parent(); p; p = p->parent())
            if (auto *combo = qobject_cast<QComboBox *>(p)) return combo;
        return nullptr;
    }

    // The character the key carries, or 0 for a key that has none or that the box and
    // window must see (Tab, arrows, function keys, Ctrl and Alt combinations).
    static int characterCode(const QKeyEvent *key, bool passEnter) {
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
        switch (key->key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return passEnter ? 0 : 13;
        case Qt::Key_Escape:
            return 27;
        default:
            break;
        }
        const QString text = key->text();
        if (text.isEmpty()) return 0;
        const QChar c = text.at(0);
        if (!c.isPrint()) return 0;
        return c.unicode();
    }
};

}  // namespace

void AutoCompleteCombo(QComboBox *combo, int &keyAscii) { typeAhead(combo, keyAscii, true); }

namespace {

// One keystroke of the search. A closed box's find is the clerk's choice of the entry;
// in the open list it only moves the selection, and Enter or a click there chooses.
void typeAhead(QComboBox *combo, int &keyAscii, bool choose) {
    TypeAheadState &s = state();
    const double now = Seams::clock().secondsSinceMidnight();
    const double elapsed = now - s.lastKeyTime;
    const QString typed = QString(QChar(char16_t(keyAscii)));

    // A key in another combo, or after a pause, starts a new search. A clock that went
    // back (past midnight) counts as a pause too, so no search runs on into the next day.
    if (s.lastCombo.data() != combo || elapsed >= 0.5 || elapsed < 0.0) {
        s.typedPrefix = typed;
        s.lastCombo = combo;
    } else {
        s.typedPrefix += typed;
    }

    const int found = FirstEntryWithPrefix(combo, s.typedPrefix);
    if (found >= 0) {
        QEvent touched(TypeAheadPickEvent());
        QCoreApplication::sendEvent(combo, &touched);
        combo->setCurrentIndex(found);
        if (choose) emit combo->activated(found);
    }

    keyAscii = 0;
    s.lastKeyTime = Seams::clock().secondsSinceMidnight();
}

}  // namespace

QEvent::Type TypeAheadPickEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void AttachAutoComplete(QComboBox *combo, bool passEnter) {
    if (!combo) return;
    combo->setProperty(TypeAheadFilter::passEnterProperty, passEnter);
    // Installing the same filter twice keeps one: Qt moves it to the front.
    combo->installEventFilter(TypeAheadFilter::instance());
    // The open list gets its keys itself; the filter goes in front of the combo's own.
    combo->view()->installEventFilter(TypeAheadFilter::instance());
}

void ResetAutoComplete() {
    TypeAheadState &s = state();
    s.lastKeyTime = 0.0;
    s.typedPrefix.clear();
    s.lastCombo.clear();
}
