#pragma once

#include <QString>
#include <QStringList>

// The voice files of a folder, to be copied unchanged into the modem's file system.
struct VoiceFileList {
    QStringList files;      // full paths: folder, separator, file name
    qint64 totalSize = 0;   // bytes
};

// The regular files named *.AMR in any case (folders of that name are left out), hidden and
// read-only ones too, in the order the directory yields them; an empty folder name gives an empty list.
// Pipes, devices and dangling links of that name are left out as well: the upload could not read them.
VoiceFileList ListVoiceFiles(const QString& folder);
