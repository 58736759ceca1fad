#include "widgets/NumberBox.h"

#include "core/Values.h"

#include <QTimer>

NumberBox::NumberBox(const QString &picture, QWidget *parent) : QLineEdit(parent), m_picture(picture) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString &t) { m_plain = t; });
    showFormatted();
}

void NumberBox::setText(const QString &text) {
    m_plain = text;
    if (m_editing) {
        QLineEdit::setText(text);
        selectAll();
    } else {
        showFormatted();
    }
}

QString NumberBox::displayText() const {
    // A text that is not a number is shown as typed, so nothing the clerk typed is hidden.
    if (m_plain.isEmpty() || !Values::IsNumeric(m_plain)) return m_plain;
    return Values::Format(Values::NumericValue(m_plain), m_picture);
}

void NumberBox::showFormatted() { QLineEdit::setText(displayText()); }

void NumberBox::focusInEvent(QFocusEvent *event) {
    m_editing = true;
    QLineEdit::setText(m_plain);
    QLineEdit::focusInEvent(event);
    // Select after the focus has settled, so that a mouse click does not undo it.
    QTimer::singleShot(0, this, [this] { if (hasFocus()) selectAll(); });
    selectAll();
}

void NumberBox::focusOutEvent(QFocusEvent *event) {
    m_editing = false;
    QLineEdit::focusOutEvent(event);
    showFormatted();
}
