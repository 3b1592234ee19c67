#include "link/UsbSerialSource.h"

#include <QDir>
#include <QSettings>

namespace {

class SystemUsbSerialSource : public UsbSerialSource {
public:
    QStringList UsbSerialPorts() const override {
#if defined(Q_OS_WIN)
        QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM"),
                      QSettings::NativeFormat);
        QList<std::pair<QString, QString>> values;
        for (const QString& name : key.childKeys())
            values.append({name, key.value(name).toString()});
        return UsbSerRegistryPorts(values);
#elif defined(Q_OS_MACOS)
        QStringList ports;
        for (const QString& name : QDir(QStringLiteral("/dev")).entryList({QStringLiteral("cu.usbmodem*")},
                                                                          QDir::System))
            ports << QStringLiteral("/dev/") + name;
        return ports;
#else
        return CdcAcmPorts(QStringLiteral("/sys/class/tty"));
#endif
    }
};

}  // namespace

std::shared_ptr<UsbSerialSource> MakeSystemUsbSerialSource() { return std::make_shared<SystemUsbSerialSource>(); }
