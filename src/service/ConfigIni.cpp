#include "service/ConfigIni.h"

#include "service/ConfigIniLocation.h"
#include "settings/SaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace {

// The file's bytes; empty for a missing file, nothing when an existing one cannot be read (a write
// must not then replace it with a file of one key).
std::optional<QByteArray> ReadContents(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return contents;
}

}  // namespace

QString ConfigIni::DefaultPath() {
    return ChooseConfigIniPath(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

ConfigIni::ConfigIni(QString path, ConfigIniEncoding encoding) : path_(std::move(path)), encoding_(encoding) {}

QString ConfigIni::Path() const { return path_; }

QString ConfigIni::Read(const QString& key) const {
    const std::optional<QByteArray> contents = ReadContents(path_);
    return contents ? ConfigIniText::Value(*contents, key, encoding_) : QString();
}

bool ConfigIni::Write(const QString& key, const QString& value) {
    const std::optional<QByteArray> contents = ReadContents(path_);
    if (!contents)
        return false;
    const std::optional<QByteArray> updated = ConfigIniText::WithValue(*contents, key, value, encoding_);
    return updated && SaveWholeFile(path_, *updated);
}

QString UnableToWriteText(const QString& path) {
    return QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}
