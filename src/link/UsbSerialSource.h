#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

// Where automatic discovery learns which USB virtual serial ports the system has. Each platform has
// its own; tests and the built-in simulator put a list of their own in its place.
class UsbSerialSource {
public:
    virtual ~UsbSerialSource() = default;
    virtual QStringList UsbSerialPorts() const = 0;
};

class FixedUsbSerialSource : public UsbSerialSource {
public:
    explicit FixedUsbSerialSource(QStringList ports) : ports_(std::move(ports)) {}
    QStringList UsbSerialPorts() const override { return ports_; }

private:
    QStringList ports_;
};

// The platform's own source: Linux, the ttys bound to the cdc_acm driver; Windows, the SERIALCOMM
// registry values whose name contains "USBSER"; macOS, the cu.usbmodem devices.
std::shared_ptr<UsbSerialSource> MakeSystemUsbSerialSource();

// The source discovery uses now (the system's unless one was put in its place).
std::shared_ptr<const UsbSerialSource> CurrentUsbSerialSource();
void SetUsbSerialSource(std::shared_ptr<const UsbSerialSource> source);

// The Windows rule on the (value name, port name) pairs of the SERIALCOMM key, in the registry's order:
// every value whose name contains "USBSER" (case-sensitive) names one port. The names are the
// drivers' device names, such as "\Device\USBSER000".
QStringList UsbSerRegistryPorts(const QList<std::pair<QString, QString>>& values);

// The text of a registry string value as the registry hands it over: byteCount bytes of UTF-16, with
// or without its terminating zero.
QString RegistryString(const char16_t* data, qsizetype byteCount);

// The Linux rule on a sysfs tty class folder (normally /sys/class/tty): the ttys whose device is bound
// to the cdc_acm driver, as device paths under devRoot, in name order.
QStringList CdcAcmPorts(const QString& sysClassTty, const QString& devRoot = QStringLiteral("/dev"));
