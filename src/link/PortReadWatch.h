#pragma once

#include <QObject>

#include <functional>

class QSerialPort;

// Brackets every read that QSerialPort makes from its port by itself (where it reads on a notifier of
// the port's descriptor, the Unix family): the mark is set before the read and cleared once the bytes
// have been handed on through readyRead. So the link knows when no byte can be on its way from the
// port to the receive buffer. Lives in the port's thread, as a child of the port.
class PortReadWatch : public QObject {
public:
    // False when the port has no single read notifier to watch; nothing is then installed.
    static bool Install(QSerialPort& port, std::function<void(bool reading)> mark);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PortReadWatch(std::function<void(bool reading)> mark, QObject* parent);

    std::function<void(bool reading)> mark_;
};
