#include "settings/DeviceSettings.h"

#include "settings/SlotNumbers.h"
#include "settings/Win1251.h"

#include <algorithm>
#include <cstring>

DeviceSettings DeviceSettings::FromBytes(QByteArrayView data) {
    DeviceSettings block;
    const qsizetype length = std::min<qsizetype>(data.size(), Size);
    if (length > 0)
        std::memcpy(block.bytes_.data(), data.data(), static_cast<std::size_t>(length));
    return block;
}

void DeviceSettings::Clear() { bytes_.fill(0); }

void DeviceSettings::ClearSlot(Slot slot) { std::memset(SlotData(slot), 0, SlotSize); }

QByteArray DeviceSettings::Text(Slot slot) const {
    const char* data = SlotData(slot);
    const void* zero = std::memchr(data, 0, SlotSize);
    const qsizetype length = zero ? static_cast<const char*>(zero) - data : SlotSize;
    return QByteArray(data, length);
}

QString DeviceSettings::DisplayText(Slot slot) const { return Win1251::Decode(Text(slot)); }

bool DeviceSettings::SetText(Slot slot, QByteArrayView text) {
    ClearSlot(slot);
    const qsizetype length = std::min<qsizetype>(text.size(), MaxTextLength);
    if (length > 0)
        std::memcpy(SlotData(slot), text.data(), static_cast<std::size_t>(length));
    return Fits(text);
}

int DeviceSettings::Number(Slot slot) const { return SlotNumbers::Leading(Text(slot)); }

QByteArray DeviceSettings::SlotBytes(Slot slot) const { return QByteArray(SlotData(slot), SlotSize); }

void DeviceSettings::StoreReceived(Slot slot, QByteArrayView answer) {
    ClearSlot(slot);
    const auto available = static_cast<std::size_t>(std::min<qsizetype>(answer.size(), SlotSize));
    if (available == 0)
        return;
    const void* zero = std::memchr(answer.data(), 0, available);
    const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - answer.data()) + 1
                                    : available;
    std::memcpy(SlotData(slot), answer.data(), length);
}

QByteArray DeviceSettings::Bytes() const { return QByteArray(bytes_.data(), Size); }
