#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// kova-cli run as a separate program, as a script would run it.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun Finish(QProcess& cli) {
    cli.closeWriteChannel();
    if (!cli.waitForFinished(60000))
        cli.kill();
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
            QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}

inline void StartCli(QProcess& cli, const QStringList& arguments) {
    cli.start(QStringLiteral(KOVA_BIN_DIR "/kova-cli"), arguments);
}

inline CliRun RunCli(const QStringList& arguments) {
    QProcess cli;
    StartCli(cli, arguments);
    return Finish(cli);
}
