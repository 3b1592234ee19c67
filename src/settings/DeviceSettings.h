#pragma once

#include "settings/SettingsSlots.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// The tracker's settings as the program keeps them: 928 bytes, 29 slots of 32 bytes, each slot a
// zero-terminated Windows-1251 text of at most 31 characters (a device may fill all 32 bytes).
//
// A plain value: copy it to read into a fresh block and assign it over the program's block only when
// every slot has arrived, so a failed read leaves the program's settings as they were.
class DeviceSettings {
public:
    static constexpr int Size = SettingsSlots::BlockSize;
    static constexpr int SlotSize = SettingsSlots::SlotSize;
    static constexpr int MaxTextLength = SlotSize - 1;
    // "Not set": no owner number, no PIN, or a balance code the device finds by itself.
    static constexpr const char* NotSet = "00000";

    DeviceSettings() = default;
    // The first 928 bytes of data; missing bytes stay zero.
    static DeviceSettings FromBytes(QByteArrayView data);

    void Clear();
    void ClearSlot(Slot slot);

    // The slot's text: its bytes up to the first zero, at most all 32.
    QByteArray Text(Slot slot) const;
    QString DisplayText(Slot slot) const;  // the same, decoded from Windows-1251
    // Zeroes all 32 bytes, then copies the text. False when it is longer than 31 bytes: then only the
    // first 31 are kept, so check with Fits first where a cut must not happen.
    bool SetText(Slot slot, QByteArrayView text);
    static bool Fits(QByteArrayView text) { return text.size() <= MaxTextLength; }

    bool IsNotSet(Slot slot) const { return Text(slot) == NotSet; }
    // The slot's leading decimal number; 0 when there is none.
    int Number(Slot slot) const;

    // All 32 bytes of the slot, as they go to the device.
    QByteArray SlotBytes(Slot slot) const;
    // Stores a device's answer: zeroes the slot, then copies the answer up to and including its first
    // zero byte, never more than 32 bytes.
    void StoreReceived(Slot slot, QByteArrayView answer);

    QByteArray Bytes() const;
    bool operator==(const DeviceSettings&) const = default;

private:
    char* SlotData(Slot slot) { return bytes_.data() + SettingsSlots::Offset(slot); }
    const char* SlotData(Slot slot) const { return bytes_.data() + SettingsSlots::Offset(slot); }

    std::array<char, Size> bytes_{};
};
