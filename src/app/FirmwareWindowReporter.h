#pragma once

#include "app/MainThreadGate.h"

class TForm1;

// The firmware update as the window shows it: the device page's progress bar and the result box.
class FirmwareWindowReporter : public JobReporter {
public:
    FirmwareWindowReporter(TForm1& window, MainThreadGate& gate) : window_(window), gate_(gate) {}

    void ShowResult(ReportKind kind, const QString& message) override;
    void ShowProgress(qint64 done, qint64 total) override;

private:
    TForm1& window_;
    MainThreadGate& gate_;
};
