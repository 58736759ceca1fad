#include "widgets/WidgetHelpers.h"

#include "core/Seams.h"
#include "data/Recordset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace {

// Selects the whole text of a box when it receives the focus. A box focused by a mouse
// click is selected once the button is released, since the click itself places the caret.
class SelectAllFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *box = qobject_cast<QLineEdit *>(watched);
        if (!box) return false;
        if (event->type() == QEvent::FocusIn) {
            box->selectAll();
            m_clicked = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason ? box : nullptr;
        } else if (event->type() == QEvent::MouseButtonRelease && m_clicked == box) {
            m_clicked = nullptr;
            QTimer::singleShot(0, box, [box] {
                if (box->hasFocus()) box->selectAll();
            });
        } else if (event->type() == QEvent::FocusOut && m_clicked == box) {
            m_clicked = nullptr;
        }
        return false;
    }

private:
    QLineEdit *m_clicked = nullptr;
};

// Seen by the application before any window: a key press of Enter on a focused button
// clicks it once (holding the key down does not repeat the click).
class EnterPressesButtonFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !pressesButton(button, static_cast<QKeyEvent *>(event))) return false;
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat()) button->click();
        return true;
    }

private:
    static bool pressesButton(QAbstractButton *button, QKeyEvent *key) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) || !button->isEnabled()) return false;
        // A default button already answers Enter, and a dialog gives Enter to its own.
        if (auto *push = qobject_cast<QPushButton *>(button); push && (push->isDefault() || push->autoDefault()))
            return false;
        return !qobject_cast<QDialog *>(button->window());
    }
};

// The name a clerk knows a box by: the caption of its label (for an editable list's
// text, the list's label), else its name without the three-letter kind ("txtCity": City).
QString fieldName(QWidget *box) {
    QWidget *control = qobject_cast<QComboBox *>(box->parentWidget()) ? box->parentWidget() : box;
    for (QLabel *label : control->window()->findChildren<QLabel *>())
        if (label->buddy() == control) return label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
    return control->objectName().mid(3);
}

void refuseNul(QWidget *box, const QString &text, const std::function<void(const QString &)> &setText) {
    if (!text.contains(QChar(0))) return;
    setText(QString(text).remove(QChar(0)));
    Seams::messages().tell(QStringLiteral("%1 cannot hold the character NUL; it was left out.").arg(fieldName(box)),
                           box->window()->windowTitle());
}

// Seen by the application before any window: every text box, as it is first shown, gets
// the guard against NUL.
class NulGuardFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        static constexpr const char *guarded = "quelbyNulGuard";
        if (event->type() != QEvent::Polish || watched->property(guarded).toBool()) return false;
        watched->setProperty(guarded, true);
        if (auto *line = qobject_cast<QLineEdit *>(watched)) {
            connect(line, &QLineEdit::textChanged, line, [line](const QString &text) {
                refuseNul(line, text, [line](const QString &kept) {
                    const int caret = line->cursorPosition();
                    line->setText(kept);
                    line->setCursorPosition(std::min<int>(caret, kept.size()));
                });
            });
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(watched)) {
            connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
                refuseNul(memo, memo->toPlainText(), [memo](const QString &kept) {
                    memo->setPlainText(kept);
                    memo->moveCursor(QTextCursor::End);
                });
            });
        }
        return false;
    }
};

}  // namespace

void RefuseNulCharacters() {
    static QPointer<NulGuardFilter> filter;
    if (filter || !qApp) return;
    filter = new NulGuardFilter(qApp);
    qApp->installEventFilter(filter);
}

void EnterPressesButtons() {
    static QPointer<EnterPressesButtonFilter> filter;
    if (filter || !qApp) return;
    filter = new EnterPressesButtonFilter(qApp);
    qApp->installEventFilter(filter);
}

void SelectAllOnFocus(QLineEdit *box) {
    static SelectAllFilter *filter = new SelectAllFilter(nullptr);
    box->installEventFilter(filter);
}

void SelectAllOnFocus(std::initializer_list<QLineEdit *> boxes) {
    for (QLineEdit *box : boxes) SelectAllOnFocus(box);
}

namespace {
// The width of a list of stored rows, in characters: a customer's or a vendor's name.
constexpr int kListCharacters = 20;
}  // namespace

void FillCombo(QComboBox *combo, std::unique_ptr<Recordset> rows, const QString &column) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    QStringList items;
    for (; !rows->eof(); rows->moveNext()) items << rows->text(column);
    rows->close();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(QString());
    // A list of stored rows (thousands of customers on a large plant) takes its width from
    // the window, not from measuring every entry when it is first shown.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(std::max(combo->minimumContentsLength(), kListCharacters));
}

void FillList(QComboBox *combo, const QStringList &entries) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
}

void AddItem(QComboBox *combo, const QString &text, const QVariant &id) { combo->addItem(text, id); }

QVariant SelectedId(const QComboBox *combo) {
    const int index = combo->currentIndex();
    return index < 0 ? QVariant() : combo->itemData(index, Qt::UserRole);
}

void SelectById(QComboBox *combo, const QVariant &id) {
    int found = -1;
    if (!id.isNull()) {
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemData(i, Qt::UserRole).toString() == id.toString()) {
                found = i;
                break;
            }
        }
    }
    combo->setCurrentIndex(found);
}

void SelectByText(QComboBox *combo, const QString &text) {
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly));
}

QString BoxText(const QVariant &value) { return value.isNull() ? QString() : value.toString(); }
