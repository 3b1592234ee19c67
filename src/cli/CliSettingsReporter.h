#pragma once

#include "cli/CliReporter.h"
#include "settings/PageQuestions.h"
#include "settings/Rwsettingsthread.h"

#include <optional>

// The settings transfer in a shell: progress and results on stderr, a completed read kept.
class CliSettingsReporter : public SettingsTransferReporter {
public:
    explicit CliSettingsReporter(QTextStream& err) : cli_(err) {}
    void ShowResult(ReportKind kind, const QString& message) override { cli_.ShowResult(kind, message); }
    void ShowProgress(qint64 done, qint64 total) override { cli_.ShowProgress(done + 1, total); }
    void ShowProgressWindow(const QString&) override {}
    void HideProgressWindow() override { cli_.HideProgress(); }
    void AddLogLine(const QString& line) override { cli_.AddLogLine(line); }
    void TraceReply(const QByteArray&) override {}
    void ShowReadSettings(const DeviceSettings& block) override { read = block; }

    std::optional<DeviceSettings> read;

private:
    CliReporter cli_;
};

// The settings checks' questions in a shell: printed on stderr and answered Yes only when the user
// said so beforehand (--yes).
class CliQuestions : public PageQuestions {
public:
    CliQuestions(QTextStream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}
    void ShowPage(int, int) override {}
    bool AskYesNo(const QString& caption, const QString& text) override {
        err_ << caption << ": " << text << (answerYes_ ? " - Да\n" : " - Нет (--yes отвечает Да)\n");
        err_.flush();
        return answerYes_;
    }
    void ShowMessage(const QString& caption, const QString& text, MessageIcon) override {
        err_ << caption << ": " << text << "\n";
        err_.flush();
    }

private:
    QTextStream& err_;
    bool answerYes_;
};
