#pragma once

#include "link/JobReporter.h"

#include <QObject>

#include <atomic>
#include <functional>

// How a job's thread reaches the windows: each call runs on the main thread and the job waits until
// it has run (a message box holds it until the user closes the box). Once closed, as the program
// ends, calls are dropped so a job still finishing touches no window.
class MainThreadGate {
public:
    explicit MainThreadGate(QObject* mainThreadObject) : context_(mainThreadObject) {}
    void Run(const std::function<void()>& call);
    void Close() { closed_ = true; }

private:
    QObject* context_;
    std::atomic<bool> closed_{false};
};

// A job's result box: caption "Конфигуратор", OK, information icon on success, warning on failure;
// the details, when there are any, behind the box's details button.
void ShowJobResult(ReportKind kind, const QString& message, const QString& details = {});
