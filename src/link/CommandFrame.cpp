#include "link/CommandFrame.h"

#include "link/SerialLink.h"
#include "link/Timings.h"

#include <QtEndian>

namespace CommandFrame {

std::optional<QByteArray> Build(std::uint8_t command, std::uint32_t value, const QByteArray& payload) {
    if (payload.size() > MaxPayload)
        return std::nullopt;
    QByteArray frame(HeaderSize, '\0');
    frame[0] = static_cast<char>(command);
    qToLittleEndian<std::uint32_t>(value, frame.data() + 1);
    qToLittleEndian<std::uint32_t>(static_cast<std::uint32_t>(payload.size()), frame.data() + 5);
    frame.append(payload);
    return frame;
}

std::optional<QByteArray> Build(DeviceCommand command, std::uint32_t value, const QByteArray& payload) {
    return Build(static_cast<std::uint8_t>(command), value, payload);
}

Header ParseHeader(const char* nineBytes) {
    Header header;
    header.command = static_cast<std::uint8_t>(nineBytes[0]);
    header.value = qFromLittleEndian<std::uint32_t>(nineBytes + 1);
    header.length = qFromLittleEndian<std::uint32_t>(nineBytes + 5);
    return header;
}

}  // namespace CommandFrame

bool RunOwnCommand(SerialLink& link, DeviceCommand command) {
    const int timeoutMs = CurrentTimings().ownCommandMs;
    if (!link.SendFrame(command, 0, {}, timeoutMs))
        return false;
    return link.WaitForBytes(1, timeoutMs);
}
