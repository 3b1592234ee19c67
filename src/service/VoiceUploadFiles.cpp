#include "service/VoiceUploadFiles.h"

#include "service/ModemText.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray AmrHeader = "#!AMR\n";

QString UnreadableText(const QString& path) {
    return QStringLiteral("Не удалось прочитать файл %1. Запись файлов отменена").arg(path);
}

QString NotAmrText(const QString& name) {
    return QStringLiteral("Внимание: файл %1 не начинается с заголовка AMR, он будет записан как есть").arg(name);
}

}  // namespace

VoiceUploadFiles ReadVoiceUploadFiles(const QStringList& paths) {
    VoiceUploadFiles upload;
    for (const QString& path : paths) {
        VoiceUploadFile file;
        file.name = QFileInfo(path).fileName();
        const std::optional<QByteArray> modemName = ModemFileNameBytes(file.name);
        if (!modemName) {
            upload.refusal = FileNameRefusedText(file.name);
            return upload;
        }
        file.modemName = *modemName;
        QFile source(path);
        if (!source.open(QIODevice::ReadOnly)) {
            upload.refusal = UnreadableText(path);
            return upload;
        }
        file.data = source.readAll();
        if (source.error() != QFileDevice::NoError) {
            upload.refusal = UnreadableText(path);
            return upload;
        }
        if (!file.data.startsWith(AmrHeader))
            upload.warnings << NotAmrText(file.name);
        upload.totalSize += file.data.size();
        upload.files.push_back(std::move(file));
    }
    return upload;
}
