#pragma once
// quelby-admin run as a real process, as scripts and support staff run it. The including
// test defines QUELBY_ADMIN_PATH, the tool's built file.

#include <QProcess>
#include <QTemporaryDir>

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline AdminRun admin(const QStringList &args) {
    // The painting commands start a windowless GUI application, which wants a private
    // runtime folder; give it one so that its error stream carries only the tool's words.
    static QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR"))) env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUELBY_ADMIN_PATH), args);
    AdminRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("quelby-admin did not finish");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
