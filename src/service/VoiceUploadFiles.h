#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// A voice file as the upload sends it: read whole before anything goes to the modem, so what is
// announced and what is sent are the same bytes, whatever happens to the file meanwhile.
struct VoiceUploadFile {
    QString name;          // the file name part of its path, as the modem stores it after "C:\"
    QByteArray modemName;  // that name in Windows-1251
    QByteArray data;
};

struct VoiceUploadFiles {
    std::vector<VoiceUploadFile> files;
    qint64 totalSize = 0;
    QString refusal;       // why the upload must not start; empty when it may
    QStringList warnings;  // files that go out all the same
};

// Reads the listed files, in order, for reading only. Stops at the first file whose name the AT line
// cannot carry or that cannot be read whole, naming it.
VoiceUploadFiles ReadVoiceUploadFiles(const QStringList& paths);
