#include "service/ConfigIniLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString FileName = u"config.ini"_s;

// The seeded copy is the user's own: it must take writes even when the copy beside the executable was
// installed read-only.
void SeedFrom(const QString& source, const QString& target) {
    if (QFile::copy(source, target))
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace

bool CanWritePlace(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) {
        QTemporaryFile probe(QDir(path).filePath(u"config-probe-XXXXXX"_s));
        return probe.open();
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

QString ChooseConfigIniPath(const QString& executableDir, const QString& userConfigDir,
                            const WritablePlaceCheck& canWrite) {
    const QString besideExecutable = QDir(executableDir).filePath(FileName);
    const bool exists = QFileInfo::exists(besideExecutable);
    if (canWrite(executableDir) && (!exists || canWrite(besideExecutable)))
        return besideExecutable;

    QDir().mkpath(userConfigDir);
    const QString perUser = QDir(userConfigDir).filePath(FileName);
    if (!QFileInfo::exists(perUser) && QFileInfo(besideExecutable).isFile())
        SeedFrom(besideExecutable, perUser);
    return perUser;
}
