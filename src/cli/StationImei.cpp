#include "cli/StationImei.h"

#include "link/SerialLink.h"
#include "link/Timings.h"
#include "settings/DeviceSettings.h"

#include <QThread>

std::optional<QString> ReadImei(SerialLink& link, const PortChoice& choice, QString* why) {
    if (!ConnectDevice(link, choice)) {
        *why = NotConnectedText();
        return std::nullopt;
    }
    const Timings& timings = CurrentTimings();
    const bool answered =
        link.SendFrame(DeviceCommand::ReadSlot, SettingsSlots::SlotAddress(Slot::Imei), {}, timings.readSlotMs) &&
        (QThread::msleep(static_cast<unsigned long>(timings.readSlotPauseMs)),
         link.WaitForBytes(SettingsSlots::SlotSize, timings.readSlotMs));
    std::optional<QString> imei;
    if (answered) {
        DeviceSettings slot;
        slot.StoreReceived(Slot::Imei, link.ReceivedBytes());
        imei = slot.DisplayText(Slot::Imei);
    } else {
        *why = QStringLiteral("Ошибка во время чтения параметров");
    }
    link.Close();
    return imei;
}
