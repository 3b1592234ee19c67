#include "settings/Rwsettingsthread.h"

#include "link/SerialLink.h"
#include "link/Timings.h"

namespace {

constexpr int ReadPositions = SettingsSlots::Count;
constexpr int WritePositions = SettingsSlots::WrittenPositions;

// The first 32 bytes of the receive buffer, zeros included.
QByteArray FirstSlotBytes(const SerialLink& link) {
    QByteArray bytes = link.ReceivedBytes().left(SettingsSlots::SlotSize);
    bytes.resize(SettingsSlots::SlotSize, '\0');
    return bytes;
}

}  // namespace

RWSettingsThread::RWSettingsThread(Mode mode, SerialLink& link, PortChoice choice, const DeviceSettings& block,
                                   SettingsTransferReporter& reporter, DeviceJobLease lease)
    : mode_(mode), link_(link), choice_(std::move(choice)), block_(block), reporter_(reporter),
      lease_(std::move(lease)) {}

bool RWSettingsThread::Execute() {
    const bool done = Connect() && (mode_ == ReadMode ? ReadAll() : WriteAll());
    Finish();
    return done;
}

bool RWSettingsThread::Connect() {
    if (ConnectDevice(link_, choice_))
        return true;
    reporter_.ShowResult(ReportKind::Failure, NotConnectedText());
    return false;
}

// Reads into a block of its own: the program's block is replaced only when every slot has arrived,
// so a read that fails halfway loses none of the settings the pages do not show.
bool RWSettingsThread::ReadAll() {
    const Timings& timings = CurrentTimings();
    DeviceSettings read;
    for (int position = 0; position < ReadPositions; ++position) {
        const SlotInfo& slot = SettingsSlots::AtPosition(position);
        const bool answered = link_.SendFrame(DeviceCommand::ReadSlot, slot.address, {}, timings.readSlotMs) &&
                              (QThread::msleep(static_cast<unsigned long>(timings.readSlotPauseMs)),
                               link_.WaitForBytes(SettingsSlots::SlotSize, timings.readSlotMs));
        reporter_.TraceReply(FirstSlotBytes(link_));
        if (!answered) {
            reporter_.ShowResult(ReportKind::Failure, QStringLiteral("Ошибка во время чтения параметров"));
            return false;
        }
        reporter_.ShowProgressWindow(QStringLiteral("Чтение настроек..."));
        reporter_.ShowProgress(position, ReadPositions);
        read.StoreReceived(slot.slot, link_.ReceivedBytes());
    }
    reporter_.ShowReadSettings(read);
    // The device expects this slot to be read once more at the end; its answer is not used.
    if (link_.SendFrame(DeviceCommand::ReadSlot, SettingsSlots::SlotAddress(Slot::ConstantOne), {}, timings.readSlotMs))
        link_.WaitForBytes(SettingsSlots::SlotSize, timings.readSlotMs);
    return true;
}

bool RWSettingsThread::WriteAll() {
    for (int position = 0; position < WritePositions; ++position) {
        const SlotInfo& slot = SettingsSlots::AtPosition(position);
        const int timeoutMs = CurrentTimings().writeSlotMs;
        if (!link_.SendFrame(DeviceCommand::WriteSlot, slot.address, block_.SlotBytes(slot.slot), timeoutMs) ||
            !link_.WaitForBytes(1, timeoutMs)) {
            reporter_.ShowResult(ReportKind::Failure, QStringLiteral("Ошибка во время записи параметров"));
            return false;
        }
        reporter_.ShowProgressWindow(QStringLiteral("Запись настроек..."));
        reporter_.ShowProgress(position, WritePositions);
    }
    reporter_.HideProgressWindow();
    reporter_.ShowResult(ReportKind::Success, QStringLiteral("Настройки успешно записаны"));
    return true;
}

void RWSettingsThread::Finish() {
    reporter_.HideProgressWindow();
    link_.Close();
    lease_.Release();
}
