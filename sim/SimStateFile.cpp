#include "SimStateFile.h"

#include "SimDevice.h"
#include "SimMemoryMap.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool Fail(QString* error, const QString& what) {
    if (error)
        *error = what;
    return false;
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    return true;
}

}  // namespace

namespace SimStateFile {

bool LoadSettings(SimDevice& device, const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray memory = file.read(SimMemoryMap::SettingsSize + 1);
    if (!device.LoadSettingsMemory(memory))
        return Fail(error, QStringLiteral("%1: not a settings memory file (%2 bytes, expected %3)")
                               .arg(path)
                               .arg(file.size())
                               .arg(SimMemoryMap::SettingsSize));
    return true;
}

bool SaveSettings(const SimDevice& device, const QString& path, QString* error) {
    return WriteWhole(path, device.SettingsMemory(), error);
}

bool SaveFirmware(const SimDevice& device, const QString& path, QString* error) {
    return WriteWhole(path, device.FirmwareImage(), error);
}

}  // namespace SimStateFile
