#pragma once

#include "service/ConfigIniText.h"

#include <QString>

// The engineering window's four values between runs (Directory, DAPath, FirmwarePath, Phone), in the
// section "config" of config.ini. Nothing is cached: every read and every write goes to the file.
class ConfigIni {
public:
    // Where the program keeps it: beside the executable, or in the per-user folder (see
    // ChooseConfigIniPath).
    static QString DefaultPath();
    explicit ConfigIni(QString path, ConfigIniEncoding encoding = PlatformConfigIniEncoding());
    QString Path() const;
    // The value of a key of section "config"; empty text when the file, the section or the key is missing.
    QString Read(const QString& key) const;
    // Stores the value at once, changing only that key's line of the file as it is on disk; false when
    // the file cannot be written or the pair cannot be stored (nothing lost then).
    bool Write(const QString& key, const QString& value);

private:
    QString path_;
    ConfigIniEncoding encoding_;
};

// "Unable to write to %s" with the file's full path.
QString UnableToWriteText(const QString& path);
