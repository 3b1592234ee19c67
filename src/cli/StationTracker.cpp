#include "cli/StationTracker.h"

#include "cli/StationImei.h"
#include "firmware/McUpdateThread.h"
#include "link/JobReporter.h"
#include "link/SerialLink.h"

#include <QElapsedTimer>

namespace {

using namespace Qt::Literals::StringLiterals;

// One tracker's reports: where it stands goes to its row, the texts are kept for its outcome.
class TrackerReporter : public SettingsTransferReporter {
public:
    TrackerReporter(StationBoard& board, int row) : board_(board), row_(row) {}

    void ShowResult(ReportKind kind, const QString& message) override {
        if (kind == ReportKind::Failure)
            failure = message;
    }
    void ShowProgress(qint64 done, qint64 total) override {
        board_.Update(row_, [&](TrackerState& state) {
            state.done = done;
            state.total = total;
        });
    }
    void AddLogLine(const QString& line) override { lastLine = line; }
    void ShowProgressWindow(const QString& title) override {
        const QString stage = title.startsWith(u"Запись"_s) ? u"writing"_s : reads_ == 0 ? u"reading"_s : u"checking"_s;
        if (stage != stage_)
            ShowStage(stage);
    }
    void HideProgressWindow() override {}
    void TraceReply(const QByteArray&) override {}
    void ShowReadSettings(const DeviceSettings& block) override {
        if (reads_++ == 0)
            ShowImei(block.DisplayText(Slot::Imei));
    }

    const QString& Stage() const { return stage_; }
    void ShowStage(const QString& stage) {
        stage_ = stage;
        board_.Update(row_, [&](TrackerState& state) {
            state.stage = stage;
            state.done = state.total = 0;
        });
    }
    void ShowImei(const QString& shown) {
        imei = shown;
        board_.Update(row_, [&](TrackerState& state) { state.imei = shown; });
    }

    QString imei;
    QString failure;
    QString lastLine;

private:
    StationBoard& board_;
    const int row_;
    QString stage_;
    int reads_ = 0;
};

// The checks' questions, answered as the user said beforehand; the last one is kept, since a No
// ends the settings without a result of their own.
class TrackerQuestions : public PageQuestions {
public:
    explicit TrackerQuestions(bool answerYes) : answerYes_(answerYes) {}
    void ShowPage(int, int) override {}
    bool AskYesNo(const QString& caption, const QString& text) override {
        last = caption + u": "_s + text + (answerYes_ ? u" - Да"_s : u" - Нет (--yes отвечает Да)"_s);
        return answerYes_;
    }
    void ShowMessage(const QString& caption, const QString& text, MessageIcon) override {
        last = caption + u": "_s + text;
    }

    QString last;

private:
    const bool answerYes_;
};

void ReadImeiAlone(SerialLink& link, const PortChoice& choice, TrackerReporter& reporter, TrackerOutcome& outcome) {
    reporter.ShowStage(u"IMEI"_s);
    QString why;
    if (const std::optional<QString> imei = ReadImei(link, choice, &why))
        reporter.ShowImei(*imei);
    else
        outcome.failure = why;
}

void UpdateFirmware(SerialLink& link, const PortChoice& choice, const QString& file, TrackerReporter& reporter,
                    TrackerOutcome& outcome) {
    reporter.ShowStage(u"firmware"_s);
    // The tracker's run holds the link's lease; the update needs none of its own.
    MCUpdateThread update(link, choice, file, reporter, DeviceJobLease{});
    outcome.firmware = update.Execute() ? StepResult::Succeeded : StepResult::Failed;
    if (outcome.firmware == StepResult::Failed)
        outcome.failure = reporter.failure;
}

void WriteSettings(SerialLink& link, const PortChoice& choice, const StationProfile& profile, DeviceJobLease lease,
                   TrackerReporter& reporter, TrackerOutcome& outcome) {
    reporter.ShowStage(u"reading"_s);
    TrackerQuestions questions(profile.answerYes);
    const SetOutcome set = SetSettings(link, choice, profile.settings, reporter, questions, std::move(lease));
    link.Close();
    outcome.verified = set.kind == SetOutcome::Written;
    const bool written = outcome.verified || !set.differing.isEmpty();
    outcome.settings = written ? StepResult::Succeeded : StepResult::Failed;
    if (!outcome.verified) {
        const QString why = set.kind == SetOutcome::Refused ? set.refusal : reporter.failure;
        outcome.failure = !why.isEmpty() ? why : !questions.last.isEmpty() ? questions.last : reporter.lastLine;
        if (outcome.failure.isEmpty())
            outcome.failure = u"settings not written"_s;
    }
}

}  // namespace

TrackerOutcome PrepareTracker(const QString& port, const StationProfile& profile, StationBoard& board, int row,
                              StationStop* stop) {
    QElapsedTimer clock;
    clock.start();
    TrackerOutcome outcome;
    outcome.port = port;
    SerialLink link;
    const StationStop::Watch watch(stop, link);
    DeviceJobLease lease = DeviceJobLease::TryTake(link);
    TrackerReporter reporter(board, row);
    const PortChoice choice{false, port};

    if (!lease.Held())
        outcome.failure = u"another job holds the link"_s;
    if (outcome.Succeeded() && !profile.WritesSettings())
        ReadImeiAlone(link, choice, reporter, outcome);
    if (!profile.firmwareFile.isEmpty()) {
        if (outcome.Succeeded())
            UpdateFirmware(link, choice, profile.firmwareFile, reporter, outcome);
        else
            outcome.firmware = StepResult::Skipped;
    }
    if (profile.WritesSettings()) {
        if (outcome.Succeeded())
            WriteSettings(link, choice, profile, std::move(lease), reporter, outcome);
        else
            outcome.settings = StepResult::Skipped;
    }
    link.Close();
    if (watch.Stopped() && !outcome.Succeeded())
        outcome.failure = StoppedText(reporter.Stage());

    outcome.imei = reporter.imei;
    outcome.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    board.Update(row, [&](TrackerState& state) {
        state.stage = outcome.Succeeded() ? u"done"_s : u"failed"_s;
        state.done = state.total = 0;
        state.finished = true;
    });
    return outcome;
}
