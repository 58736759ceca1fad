#include "tests/support/Fakes.h"

#include <QTest>

void FakeMessages::tell(const QString &text, const QString &title) { shown.append({QStringLiteral("tell"), text, title}); }

bool FakeMessages::ask(const QString &text, const QString &title) {
    shown.append({QStringLiteral("ask"), text, title});
    if (answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + text), __FILE__, __LINE__);
        return false;
    }
    return answers.dequeue();
}

QStringList FakeMessages::texts() const {
    QStringList all;
    for (const Shown &s : shown) all << s.text;
    return all;
}

ScopedFakes::ScopedFakes() {
    Seams::setMessages(&messages);
    Seams::setClock(&clock);
    Seams::setWaitCursor(&cursor);
}

ScopedFakes::~ScopedFakes() {
    Seams::setMessages(nullptr);
    Seams::setClock(nullptr);
    Seams::setWaitCursor(nullptr);
}
