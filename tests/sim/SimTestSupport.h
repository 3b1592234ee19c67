#pragma once

#include "link/CommandFrame.h"

#include <QByteArray>

#include <cstdint>

inline QByteArray Frame(DeviceCommand command, std::uint32_t value, const QByteArray& payload = {}) {
    return CommandFrame::Build(command, value, payload).value();  // throws for an overlong payload
}

// A frame's header as the device would see it, whatever the length says.
inline QByteArray RawHeader(std::uint8_t command, std::uint32_t value, std::uint32_t length) {
    QByteArray header(CommandFrame::HeaderSize, '\0');
    header[0] = static_cast<char>(command);
    for (int i = 0; i < 4; ++i) {
        header[1 + i] = static_cast<char>(value >> (8 * i));
        header[5 + i] = static_cast<char>(length >> (8 * i));
    }
    return header;
}

// A slot's 32 bytes: the text, then zeros.
inline QByteArray SlotOf(const QByteArray& text) {
    QByteArray slot = text;
    slot.resize(32, '\0');
    return slot;
}

// Bytes that differ from one position to the next, so a misplaced byte shows.
inline QByteArray Pattern(int size, int seed = 0) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed * 13 + i / 251) & 0xFF);
    return bytes;
}
