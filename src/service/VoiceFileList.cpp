#include "service/VoiceFileList.h"

#include <QDir>
#include <QFileInfo>

VoiceFileList ListVoiceFiles(const QString& folder) {
    VoiceFileList list;
    if (folder.isEmpty())
        return list;
    // System takes in the files Windows marks so; on other systems it also brings pipes and dangling
    // links, which isFile() then leaves out.
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.AMR")},
                                                    QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (!entry.isFile())
            continue;
        list.files.append(QDir::toNativeSeparators(dir.filePath(entry.fileName())));
        list.totalSize += entry.size();
    }
    return list;
}
