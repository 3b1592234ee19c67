#include "service/NmeaLogText.h"

#include "settings/Win1251.h"

QString NmeaLogText::Take(const QByteArray& chunk) {
    QByteArray text;
    text.reserve(chunk.size() + 1);
    for (const char byte : chunk) {
        if (pendingReturn_) {
            pendingReturn_ = false;
            text.append('\n');
            if (byte == '\n')
                continue;
        }
        if (byte == '\r')
            pendingReturn_ = true;
        else if (byte != '\0')
            text.append(byte);
    }
    return Win1251::Decode(text);
}
