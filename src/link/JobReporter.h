#pragma once

#include <QString>

// The line a job logs when it was told to stop at that step.
inline QString StoppedText(const QString& step) { return QStringLiteral("Операция остановлена: %1").arg(step); }

// The result kinds a job reports: the icon of the message box in the window.
enum class ReportKind { Success = 3, Failure = 4 };

// How a device job tells the user what happens. The window runs each call on the main thread and
// waits for it; kova-cli prints; tests record. A job never touches anything else of the user interface.
class JobReporter {
public:
    virtual ~JobReporter() = default;
    // Shows the job's result and returns when the user has seen it (a message box is closed).
    virtual void ShowResult(ReportKind kind, const QString& message) = 0;
    virtual void ShowProgress(qint64 done, qint64 total) = 0;
    virtual void HideProgress() {}
    virtual void AddLogLine(const QString& line) { (void)line; }
};
