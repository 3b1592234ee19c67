// The doctor's facts on Linux: the device node, an open, the session's groups, /proc, the lock
// files, systemctl and udevadm.
#include "doctor/SystemFacts.h"

#if defined(Q_OS_LINUX)

#include "doctor/UsbTrackerPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr int ToolTimeoutMs = 3000;

QString GroupName(gid_t gid) {
    const group* entry = getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

QString UserNameOf(uid_t uid) {
    const passwd* entry = getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QStringList GroupNames(const std::vector<gid_t>& gids) {
    QStringList names;
    for (gid_t gid : gids)
        if (const QString name = GroupName(gid); !names.contains(name))
            names << name;
    return names;
}

// The tool's standard output; empty when it is missing, fails or takes too long.
QString ToolOutput(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess tool;
    tool.start(program, arguments, QIODevice::ReadOnly);
    if (!tool.waitForStarted(ToolTimeoutMs))
        return {};
    if (!tool.waitForFinished(ToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    if (exitCode)
        *exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

bool ProcessAlive(qint64 pid) { return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

class LinuxSystemFacts : public SystemFacts {
public:
    bool Complete() const override { return true; }

    QList<UsbTrackerPort> TrackerPorts() const override { return UsbTrackerPorts(QStringLiteral("/sys/class/tty")); }

    DeviceNode Node(const QString& path) const override {
        struct stat node {};
        if (stat(QFile::encodeName(path).constData(), &node) != 0)
            return {};
        return {true, S_ISCHR(node.st_mode), static_cast<unsigned>(node.st_mode & 07777), UserNameOf(node.st_uid),
                GroupName(node.st_gid)};
    }

    OpenAttempt TryOpen(const QString& path) const override {
        // Not blocking, so a line without carrier opens at once; no terminal settings are read or written.
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            const QString text = QString::fromLocal8Bit(std::strerror(error));
            switch (error) {
            case ENOENT: return {OpenOutcome::Missing, false, text};
            case EACCES:
            case EPERM: return {OpenOutcome::PermissionDenied, false, text};
            case EBUSY: return {OpenOutcome::Busy, false, text};
            default: return {OpenOutcome::Failed, false, text};
            }
        }
        OpenAttempt attempt{OpenOutcome::Opened, false, {}};
        int exclusive = 0;
        if (isatty(fd) != 1)
            attempt.outcome = OpenOutcome::NotATerminal;
        else if (ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0)
            attempt.exclusive = true;
        ::close(fd);
        return attempt;
    }

    QString UserName() const override { return UserNameOf(geteuid()); }
    bool Superuser() const override { return geteuid() == 0; }

    QStringList SessionGroups() const override {
        std::vector<gid_t> gids(static_cast<size_t>(std::max(getgroups(0, nullptr), 0)));
        const int count = getgroups(static_cast<int>(gids.size()), gids.data());
        gids.resize(static_cast<size_t>(std::max(count, 0)));
        gids.insert(gids.begin(), getegid());
        return GroupNames(gids);
    }

    QStringList AccountGroups() const override {
        const passwd* entry = getpwuid(geteuid());
        if (!entry)
            return {};
        const QByteArray name(entry->pw_name);
        int count = 64;
        std::vector<gid_t> gids(static_cast<size_t>(count));
        if (getgrouplist(name.constData(), entry->pw_gid, gids.data(), &count) < 0) {
            gids.resize(static_cast<size_t>(count));
            getgrouplist(name.constData(), entry->pw_gid, gids.data(), &count);
        }
        gids.resize(static_cast<size_t>(count));
        return GroupNames(gids);
    }

    QList<PortHolder> Holders(const QString& path) const override {
        const QString device = QFileInfo(path).canonicalFilePath();
        const QString self = QString::number(getpid());
        QList<PortHolder> holders;
        const QDir proc(QStringLiteral("/proc"));
        for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool number = false;
            const qint64 id = pid.toLongLong(&number);
            if (!number || pid == self)
                continue;
            const QDir fds(proc.filePath(pid + QLatin1String("/fd")));
            for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
                if (QFileInfo(fds.filePath(fd)).symLinkTarget() == device) {
                    holders.append({id, CommandName(proc.filePath(pid))});
                    break;
                }
            }
        }
        return holders;
    }

    QList<PortLockFile> LockFiles(const QString& path) const override {
        QList<PortLockFile> locks;
        QStringList seenFolders;
        for (const char* folder : {"/run/lock", "/var/lock"}) {
            const QString canonical = QFileInfo(QString::fromLatin1(folder)).canonicalFilePath();
            if (canonical.isEmpty() || seenFolders.contains(canonical))
                continue;
            seenFolders << canonical;
            QFile lock(QString::fromLatin1(folder) + QLatin1String("/LCK..") + QFileInfo(path).fileName());
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            const qint64 pid = QString::fromLatin1(lock.read(64)).trimmed().toLongLong();
            locks.append({lock.fileName(), pid, ProcessAlive(pid)});
        }
        return locks;
    }

    bool ServiceActive(const QString& unit) const override {
        int status = -1;
        ToolOutput(QStringLiteral("systemctl"), {QStringLiteral("is-active"), QStringLiteral("--quiet"), unit}, &status);
        return status == 0;
    }

    bool ProgramInstalled(const QString& program) const override {
        return !QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                                         QStringLiteral("/sbin"), QStringLiteral("/bin")})
                    .isEmpty();
    }

    QMap<QString, QString> UdevProperties(const QString& path) const override {
        QMap<QString, QString> properties;
        const QString text = ToolOutput(QStringLiteral("udevadm"),
                                        {QStringLiteral("info"), QStringLiteral("--query=property"),
                                         QStringLiteral("--name=") + path});
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (const qsizetype equals = line.indexOf(QLatin1Char('=')); equals > 0)
                properties.insert(line.left(equals), line.mid(equals + 1));
        return properties;
    }

private:
    static QString CommandName(const QString& processFolder) {
        QFile comm(processFolder + QLatin1String("/comm"));
        return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
    }
};

}  // namespace

std::shared_ptr<const SystemFacts> MakeSystemFacts() { return std::make_shared<LinuxSystemFacts>(); }

#endif
