#pragma once

#include "app/MainThreadGate.h"
#include "service/Shownmeathread.h"

class TForm5;

// The engineering operations as the window shows them: each step a line in the log, the "not
// connected" box, and progress on the bar the operation has (the module update's unless told).
class EngineeringLogReporter : public JobReporter {
public:
    enum class Bar { ModuleUpdate, VoiceUpload };
    EngineeringLogReporter(TForm5& window, MainThreadGate& gate, Bar bar = Bar::ModuleUpdate)
        : window_(window), gate_(gate), bar_(bar) {}

    void ShowResult(ReportKind kind, const QString& message) override;
    void ShowProgress(qint64 done, qint64 total) override;
    void AddLogLine(const QString& line) override;

private:
    TForm5& window_;
    MainThreadGate& gate_;
    Bar bar_;
};

// The relay's stream into the log. What arrives after the relay was stopped is not shown.
class RelayLogReporter : public NmeaRelayReporter {
public:
    RelayLogReporter(TForm5& window, MainThreadGate& gate) : window_(window), gate_(gate) {}

    void ShowResult(ReportKind kind, const QString& message) override;
    void AppendReceived(const QByteArray& bytes) override;

private:
    TForm5& window_;
    MainThreadGate& gate_;
};
