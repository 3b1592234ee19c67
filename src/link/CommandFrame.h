#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

class SerialLink;

// The commands the microcontroller takes, by number.
enum class DeviceCommand : std::uint8_t {
    ReadSlot = 1,
    WriteSlot = 2,
    StartModem = 3,
    StartGPS = 4,
    StopModem = 5,
    StopGPS = 6,
    SetGPSBaud = 7,
    ModemPassThrough = 8,
    GPSPassThrough = 9,
    EraseFirmware = 10,
    WriteFirmware = 11,
};

// A frame: command byte, 32-bit little-endian value, 32-bit little-endian length, then the payload.
namespace CommandFrame {
constexpr int HeaderSize = 9;
constexpr int MaxPayload = 2500;
constexpr int MaxSize = HeaderSize + MaxPayload;

// The frame's bytes; nothing when the payload is longer than MaxPayload.
std::optional<QByteArray> Build(std::uint8_t command, std::uint32_t value, const QByteArray& payload);
std::optional<QByteArray> Build(DeviceCommand command, std::uint32_t value, const QByteArray& payload = {});

// What a received frame's header says, for the device side.
struct Header {
    std::uint8_t command = 0;
    std::uint32_t value = 0;
    std::uint32_t length = 0;
};
Header ParseHeader(const char* nineBytes);
}  // namespace CommandFrame

// The one shared step for an own command without payload: send it with value 0 and wait for one
// acknowledgement byte within the own-command time-out.
bool RunOwnCommand(SerialLink& link, DeviceCommand command);
