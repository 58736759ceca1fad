#pragma once
// A text box for numbers and money that shows its picture format ("$#,##0.00;($#,##0.00)",
// "#,##0.00", "0" ...) while it does not have the focus, and the plain text while it is
// edited. text() is always the plain text; focusing selects the whole text.

#include <QLineEdit>

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(const QString &picture, QWidget *parent = nullptr);

    QString picture() const { return m_picture; }
    // The plain text, as typed or set.
    QString text() const { return m_plain; }
    void setText(const QString &text);
    // What the box shows while it does not have the focus.
    QString displayText() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showFormatted();
    QString m_picture;
    QString m_plain;
    bool m_editing = false;
};
