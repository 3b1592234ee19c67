#include "doctor/UsbTrackerPorts.h"

#include "link/UsbSerialSource.h"

#include <QFile>
#include <QFileInfo>

namespace {

// An attribute of the USB device: the tty's "device" is the device's interface, its parent the device.
QString DeviceAttribute(const QString& ttyFolder, const char* name) {
    QFile file(ttyFolder + QLatin1String("/device/../") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

}  // namespace

QList<UsbTrackerPort> UsbTrackerPorts(const QString& sysClassTty, const QString& devRoot) {
    QList<UsbTrackerPort> ports;
    for (const QString& path : CdcAcmPorts(sysClassTty, devRoot)) {
        const QString folder = sysClassTty + QLatin1Char('/') + QFileInfo(path).fileName();
        ports.append({path, DeviceAttribute(folder, "idVendor"), DeviceAttribute(folder, "idProduct"),
                      DeviceAttribute(folder, "product")});
    }
    return ports;
}
