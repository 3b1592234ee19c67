#pragma once

#include <QByteArray>

// The GPS/GLONASS module behind command 9. It hears the bytes the microcontroller passes on and gives
// back what it answers. Only the device calls it, under the device's lock.
class SimGpsModule {
public:
    QByteArray Receive(const QByteArray& payload);

    void SetPowered(bool on) { powered_ = on; }
    bool Powered() const { return powered_; }

private:
    bool powered_ = false;
};
