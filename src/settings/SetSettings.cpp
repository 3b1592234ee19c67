#include "settings/SetSettings.h"

#include "settings/FillPages.h"
#include "settings/PackPages.h"
#include "settings/SettingsDefaults.h"

#include <optional>

namespace {

using namespace Qt::Literals::StringLiterals;

// Passes one transfer's reports on and keeps its read, but holds back its success: only the whole
// job knows when the settings are written.
class StepReporter : public SettingsTransferReporter {
public:
    explicit StepReporter(SettingsTransferReporter& next) : next_(next) {}
    void ShowResult(ReportKind kind, const QString& message) override {
        if (kind == ReportKind::Failure)
            next_.ShowResult(kind, message);
    }
    void ShowProgress(qint64 done, qint64 total) override { next_.ShowProgress(done, total); }
    void HideProgress() override { next_.HideProgress(); }
    void AddLogLine(const QString& line) override { next_.AddLogLine(line); }
    void ShowProgressWindow(const QString& title) override { next_.ShowProgressWindow(title); }
    void HideProgressWindow() override { next_.HideProgressWindow(); }
    void TraceReply(const QByteArray& bytes) override { next_.TraceReply(bytes); }
    void ShowReadSettings(const DeviceSettings& block) override {
        read = block;
        next_.ShowReadSettings(block);
    }

    std::optional<DeviceSettings> read;

private:
    SettingsTransferReporter& next_;
};

std::optional<DeviceSettings> ReadTracker(SerialLink& link, const PortChoice& choice,
                                          SettingsTransferReporter& reporter) {
    StepReporter step(reporter);
    // The whole flow holds the link's lease; its transfers need none of their own.
    RWSettingsThread transfer(RWSettingsThread::ReadMode, link, choice, {}, step, DeviceJobLease{});
    return transfer.Execute() ? step.read : std::nullopt;
}

bool WriteTracker(SerialLink& link, const PortChoice& choice, const DeviceSettings& block,
                  SettingsTransferReporter& reporter) {
    StepReporter step(reporter);
    return RWSettingsThread(RWSettingsThread::WriteMode, link, choice, block, step, DeviceJobLease{})
        .Execute();
}

QStringList DifferingSlots(const DeviceSettings& sent, const DeviceSettings& held) {
    QStringList names;
    for (int position = 0; position < SettingsSlots::WrittenPositions; ++position) {
        const SlotInfo& slot = SettingsSlots::AtPosition(position);
        if (sent.SlotBytes(slot.slot) != held.SlotBytes(slot.slot))
            names << QLatin1String(slot.name);
    }
    return names;
}

void TakeCarriedSlots(const DeviceSettings& file, DeviceSettings& block) {
    for (const SlotInfo& slot : SettingsSlots::Table())
        if (slot.inFile)
            block.StoreReceived(slot.slot, file.SlotBytes(slot.slot));
}

// The pages as the window shows them after a read: started with the factory settings, then filled.
std::optional<DeviceSettings> Pack(DeviceSettings block, PageQuestions& questions) {
    SettingsPages pages = StartedPages();
    FillPages(block, pages);
    if (!PackPages(pages, block, questions))
        return std::nullopt;
    return block;
}

// A slot the pages cannot show as the tracker holds it changes with the write, as it would from the
// window; say so, since nobody asked for it.
void LogUnaskedChanges(const DeviceSettings& read, const DeviceSettings& packed, SettingsTransferReporter& reporter) {
    for (const QString& name : DifferingSlots(read, packed)) {
        const Slot slot = SettingsSlots::FindByName(name)->slot;
        reporter.AddLogLine(u"%1: '%2' is written as '%3'"_s.arg(name, read.DisplayText(slot), packed.DisplayText(slot)));
    }
}

}  // namespace

SetOutcome SetSettings(SerialLink& link, const PortChoice& choice, const std::vector<SettingValue>& values,
                       SettingsTransferReporter& reporter, PageQuestions& questions) {
    return SetSettings(link, choice, SettingsProfile{std::nullopt, values}, reporter, questions,
                       DeviceJobLease::TryTake());
}

SetOutcome SetSettings(SerialLink& link, const PortChoice& choice, const SettingsProfile& profile,
                       SettingsTransferReporter& reporter, PageQuestions& questions,
                       [[maybe_unused]] DeviceJobLease lease) {
    const std::vector<SettingValue>& values = profile.values;
    if (const QString refusal = SettingValues::Refusals(values); !refusal.isEmpty())
        return {SetOutcome::Refused, refusal, {}};
    const std::optional<DeviceSettings> read = ReadTracker(link, choice, reporter);
    if (!read)
        return {};
    DeviceSettings changed = *read;
    if (profile.file)
        TakeCarriedSlots(*profile.file, changed);
    SettingValues::Apply(values, changed);
    const std::optional<DeviceSettings> packed = Pack(changed, questions);
    if (!packed)
        return {};
    if (const QString notHeld = SettingValues::NotHeld(values, *packed); !notHeld.isEmpty())
        return {SetOutcome::Refused, notHeld, {}};
    LogUnaskedChanges(changed, *packed, reporter);

    if (!WriteTracker(link, choice, *packed, reporter))
        return {};
    const std::optional<DeviceSettings> held = ReadTracker(link, choice, reporter);
    if (!held)
        return {};
    const QStringList differing = DifferingSlots(*packed, *held);
    if (!differing.isEmpty()) {
        reporter.ShowResult(ReportKind::Failure,
                            u"Устройство хранит не то, что записано: %1"_s.arg(differing.join(u", "_s)));
        return {SetOutcome::Failed, {}, differing};
    }
    reporter.ShowResult(ReportKind::Success, u"Настройки успешно записаны"_s);
    return {SetOutcome::Written, {}, {}};
}
