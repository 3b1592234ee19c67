#include "settings/SaveFile.h"

#include <QSaveFile>

FileOutcome SaveWholeFile(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileOutcome::Failure(QStringLiteral("Ошибка открытия файла"));
    // Flushed before the commit: Qt 6.4's commit moves a file into place even when its last flush
    // failed, which would swap the old file for a truncated one.
    if (file.write(contents) != contents.size() || !file.flush() || !file.commit())
        return FileOutcome::Failure(QStringLiteral("Ошибка записи файла:\n%1").arg(path));
    return FileOutcome::Success();
}
