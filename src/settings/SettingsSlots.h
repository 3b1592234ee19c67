#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The tracker keeps its settings as 29 text slots of 32 bytes. Slot k lies at offset 32 * k of the
// program's settings block; each has its address in the device's settings memory and its place in the
// transfer order (positions 0..24 are written, all 29 are read).
enum class Slot : int {
    OwnerPhone, Pin, TimeZone, SessionTime, CoordFormat, DeliveryMode, ServerHost, ServerPort,
    WialonEnabled, WialonHost, WialonPort, WialonPassword, WakeInterval, FixPeriod, ConstantOne,
    MotionMode, GuardIntervals, MotionTimeout, FalseAlarmProtection, ImpactAmplitude, ImpactDuration,
    GuardZone, BalanceThreshold, BalanceCode, Imei, ExtraInfo1, ExtraInfo2, ExtraInfo3, FinalMark,
};

struct SlotInfo {
    Slot slot;
    const char* name;
    int position;          // transfer order
    std::uint32_t address; // in the device's settings memory
    bool inFile;           // carried by the settings file
};

namespace SettingsSlots {
constexpr int Count = 29;
constexpr int SlotSize = 32;
constexpr int BlockSize = Count * SlotSize;
constexpr int WrittenPositions = 25;  // positions 0..24 go to the device; 25..28 are read-only

// In offset order: entry k describes the slot at offset 32 * k.
const std::array<SlotInfo, Count>& Table();
const SlotInfo& Info(Slot slot);
// The slot at a transfer position (0..28).
const SlotInfo& AtPosition(int position);
inline int Offset(Slot slot) { return static_cast<int>(slot) * SlotSize; }
std::uint32_t SlotAddress(Slot slot);
// The slot whose name is given ("TimeZone"), or nothing.
const SlotInfo* FindByName(const QString& name);
}  // namespace SettingsSlots
