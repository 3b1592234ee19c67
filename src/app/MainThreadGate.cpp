#include "app/MainThreadGate.h"

#include "app/UserPrompts.h"

#include <QThread>

void MainThreadGate::Run(const std::function<void()>& call) {
    if (closed_)
        return;
    const auto guarded = [this, &call] {
        if (!closed_)
            call();
    };
    if (QThread::currentThread() == context_->thread())
        guarded();
    else
        QMetaObject::invokeMethod(context_, guarded, Qt::BlockingQueuedConnection);
}

void ShowJobResult(ReportKind kind, const QString& message, const QString& details) {
    const QMessageBox::Icon icon = kind == ReportKind::Success ? QMessageBox::Information : QMessageBox::Warning;
    if (details.isEmpty())
        Prompts().Message(icon, ProgramCaption(), message);
    else
        Prompts().DetailedMessage(icon, ProgramCaption(), message, details);
}
