#include "link/UsbSerialSource.h"

#include "link/PortNameOrder.h"

#include <QDir>
#include <QFileInfo>

#include <mutex>

namespace {
std::mutex sourceLock;
std::shared_ptr<const UsbSerialSource> current;
}  // namespace

std::shared_ptr<const UsbSerialSource> CurrentUsbSerialSource() {
    std::lock_guard lock(sourceLock);
    if (!current)
        current = MakeSystemUsbSerialSource();
    return current;
}

void SetUsbSerialSource(std::shared_ptr<const UsbSerialSource> source) {
    std::lock_guard lock(sourceLock);
    current = std::move(source);
}

QStringList UsbSerRegistryPorts(const QList<std::pair<QString, QString>>& values) {
    QStringList ports;
    for (const auto& [name, port] : values)
        if (name.contains(QLatin1String("USBSER"), Qt::CaseSensitive))
            ports << port;
    return ports;
}

QString RegistryString(const char16_t* data, qsizetype byteCount) {
    QString text = QString::fromUtf16(data, byteCount / 2);
    const qsizetype end = text.indexOf(QChar(0));
    if (end >= 0)
        text.truncate(end);
    return text;
}

QStringList CdcAcmPorts(const QString& sysClassTty, const QString& devRoot) {
    QStringList names = QDir(sysClassTty).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    SortPortNames(names);
    QStringList ports;
    for (const QString& name : names) {
        const QFileInfo driver(sysClassTty + QLatin1Char('/') + name + QLatin1String("/device/driver"));
        if (QFileInfo(driver.symLinkTarget()).fileName() == QLatin1String("cdc_acm"))
            ports << devRoot + QLatin1Char('/') + name;
    }
    return ports;
}
