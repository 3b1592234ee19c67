#pragma once

#include <cstdint>
#include <optional>

// Where things lie in the simulated microcontroller.
namespace SimMemoryMap {
// Settings memory: 32-byte slots from here up to (not including) SettingsEnd.
constexpr std::uint32_t SettingsBase = 0x080800A0;
constexpr std::uint32_t SettingsEnd = 0x08080900;
constexpr int SettingsSize = static_cast<int>(SettingsEnd - SettingsBase);
constexpr int SlotSize = 32;

// Program flash that firmware may be written to; the settings memory begins where it ends.
constexpr std::uint32_t FirmwareBase = 0x08006400;
constexpr std::uint32_t FirmwareEnd = 0x08080000;
constexpr int FirmwareCapacity = static_cast<int>(FirmwareEnd - FirmwareBase);

// Offset of a slot in settings memory; nothing for an address that is not a slot's.
inline std::optional<int> SlotOffset(std::uint32_t address) {
    if (address < SettingsBase || address >= SettingsEnd || address % SlotSize != 0)
        return std::nullopt;
    return static_cast<int>(address - SettingsBase);
}

// Offset of a piece in the firmware image; nothing unless all of it fits in program flash.
inline std::optional<int> FirmwareOffset(std::uint32_t address, int length) {
    if (address < FirmwareBase || std::uint64_t{address} + std::uint64_t(length) > FirmwareEnd)
        return std::nullopt;
    return static_cast<int>(address - FirmwareBase);
}
}  // namespace SimMemoryMap
