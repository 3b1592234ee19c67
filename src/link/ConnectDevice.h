#pragma once

#include "link/UsbSerialSource.h"

#include <QString>

class SerialLink;

// What the user chose in the port panel, taken when a job starts.
struct PortChoice {
    bool automatic = true;
    QString portText;  // the port used in manual mode
};

inline QString NotConnectedText() { return QStringLiteral("Устройство не подключено"); }

// The port a job would use: exactly one USB serial port in automatic mode, the typed one in manual
// mode. Empty with the reason when there is none.
struct DevicePort {
    QString port;
    QString why;
};
DevicePort FindDevicePort(const PortChoice& choice, const UsbSerialSource& source);

// Closes the link and opens it on the device's port. False when no port was found or it cannot be
// opened; *why (if given) then says which.
bool ConnectDevice(SerialLink& link, const PortChoice& choice, const UsbSerialSource& source,
                   QString* why = nullptr);
bool ConnectDevice(SerialLink& link, const PortChoice& choice, QString* why = nullptr);
