// Where the doctor has no source of its own for the platform: the node's existence and an open.
#include "doctor/SystemFacts.h"

#if !defined(Q_OS_LINUX)

#include "link/PortIo.h"

#include <QFileInfo>

namespace {

class PortOnlyFacts : public SystemFacts {
public:
    bool Complete() const override { return false; }
    QList<UsbTrackerPort> TrackerPorts() const override { return {}; }
    DeviceNode Node(const QString& path) const override {
        const QFileInfo node(path);
        return {node.exists(), node.exists() && !node.isDir(), 0, node.owner(), node.group()};
    }
    OpenAttempt TryOpen(const QString& path) const override {
        return {PortIo::OpensAndCloses(path) ? OpenOutcome::Opened : OpenOutcome::Failed, false, {}};
    }
    QString UserName() const override { return {}; }
    bool Superuser() const override { return false; }
    QStringList SessionGroups() const override { return {}; }
    QStringList AccountGroups() const override { return {}; }
    QList<PortHolder> Holders(const QString&) const override { return {}; }
    QList<PortLockFile> LockFiles(const QString&) const override { return {}; }
    bool ServiceActive(const QString&) const override { return false; }
    bool ProgramInstalled(const QString&) const override { return false; }
    QMap<QString, QString> UdevProperties(const QString&) const override { return {}; }
};

}  // namespace

std::shared_ptr<const SystemFacts> MakeSystemFacts() { return std::make_shared<PortOnlyFacts>(); }

#endif
