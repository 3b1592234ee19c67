#pragma once

#include <QByteArray>
#include <QString>

// One second of the module's stream as the log shows it: the bytes as they came, each "\r\n" (or
// lone "\r") one line break, a zero byte dropped by itself. A "\r" that ends a chunk is held back,
// so a "\r\n" split between two seconds still makes one line break.
class NmeaLogText {
public:
    QString Take(const QByteArray& chunk);

private:
    bool pendingReturn_ = false;
};
