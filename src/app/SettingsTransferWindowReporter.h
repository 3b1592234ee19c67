#pragma once

#include "app/MainThreadGate.h"
#include "settings/Rwsettingsthread.h"

class TForm1;

// The settings transfer as the window shows it: the progress window, the reply trace, the result box,
// and a completed read on the pages and the summary.
class SettingsTransferWindowReporter : public SettingsTransferReporter {
public:
    SettingsTransferWindowReporter(TForm1& window, MainThreadGate& gate) : window_(window), gate_(gate) {}

    void ShowResult(ReportKind kind, const QString& message) override;
    void ShowProgress(qint64 done, qint64 total) override;
    void ShowProgressWindow(const QString& title) override;
    void HideProgressWindow() override;
    void TraceReply(const QByteArray& first32Bytes) override;
    void ShowReadSettings(const DeviceSettings& block) override;

private:
    TForm1& window_;
    MainThreadGate& gate_;
};
