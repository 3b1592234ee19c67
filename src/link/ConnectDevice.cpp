#include "link/ConnectDevice.h"

#include "link/SerialLink.h"

DevicePort FindDevicePort(const PortChoice& choice, const UsbSerialSource& source) {
    if (!choice.automatic) {
        if (choice.portText.trimmed().isEmpty())
            return {{}, QStringLiteral("no port is named")};
        return {choice.portText.trimmed(), {}};
    }
    const QStringList ports = source.UsbSerialPorts();
    if (ports.isEmpty())
        return {{}, QStringLiteral("no USB serial port is connected")};
    if (ports.size() > 1)
        return {{}, QStringLiteral("several USB serial ports are connected (%1): name one").arg(ports.join(", "))};
    return {ports.front(), {}};
}

bool ConnectDevice(SerialLink& link, const PortChoice& choice, const UsbSerialSource& source, QString* why) {
    link.Close();
    const DevicePort found = FindDevicePort(choice, source);
    QString reason = found.why;
    const bool opened = !found.port.isEmpty() && link.Open(found.port);
    if (!found.port.isEmpty() && !opened)
        reason = QStringLiteral("%1 cannot be opened: %2").arg(found.port, link.LastError());
    if (why)
        *why = opened ? QString() : reason;
    return opened;
}

bool ConnectDevice(SerialLink& link, const PortChoice& choice, QString* why) {
    return ConnectDevice(link, choice, *CurrentUsbSerialSource(), why);
}
