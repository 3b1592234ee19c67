#pragma once

#include "link/JobReporter.h"

#include <QTextStream>

// Prints a job's texts on stderr: the result line, progress as a bar on a terminal and as plain
// lines otherwise, and log lines as they come.
class CliReporter : public JobReporter {
public:
    explicit CliReporter(QTextStream& err);
    void ShowResult(ReportKind kind, const QString& message) override;
    void ShowProgress(qint64 done, qint64 total) override;
    void HideProgress() override;
    void AddLogLine(const QString& line) override;

private:
    void EndBar();

    QTextStream& err_;
    bool terminal_;
    bool barShown_ = false;
    int lastPercent_ = -1;
};
