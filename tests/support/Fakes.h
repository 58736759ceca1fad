#pragma once
// Fakes of the seams for tests. ScopedFakes installs all of them for one test function
// and restores the real ones afterwards.

#include "core/Seams.h"

#include <QDateTime>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

class FakeMessages : public MessageBoxes {
public:
    struct Shown {
        QString kind;  // "tell" or "ask"
        QString text;
        QString title;
    };
    void tell(const QString &text, const QString &title) override;
    bool ask(const QString &text, const QString &title) override;

    // Answers for the next questions, in order; an unscripted question fails the test
    // and answers No.
    QQueue<bool> answers;
    QVector<Shown> shown;
    QStringList texts() const;
    void clear() { shown.clear(); answers.clear(); }
};

class FakeClock : public Clock {
public:
    FakeClock() : m_now(QDateTime(QDate(2026, 12, 9), QTime(10, 0))) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advanceMs(int ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

class FakeWaitCursor : public WaitCursor {
public:
    void busy() override { ++busyCount; ++depth; }
    void normal() override { ++normalCount; --depth; }
    int busyCount = 0;
    int normalCount = 0;
    int depth = 0;
};

struct ScopedFakes {
    ScopedFakes();
    ~ScopedFakes();
    FakeMessages messages;
    FakeClock clock;
    FakeWaitCursor cursor;
};
