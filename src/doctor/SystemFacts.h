#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

// A USB virtual serial port of the kind the tracker provides, with what sysfs tells of its device.
struct UsbTrackerPort {
    QString path;       // such as /dev/ttyACM0
    QString vendorId;   // four hex digits, as the device reports them
    QString productId;
    QString product;    // the device's product name, when it gives one
};

struct DeviceNode {
    bool exists = false;
    bool characterDevice = false;
    unsigned mode = 0;  // the permission bits, such as 0660
    QString owner;
    QString group;
};

enum class OpenOutcome { Opened, Missing, PermissionDenied, Busy, NotATerminal, Failed };

// What happened when this user opened the port for reading and writing (and closed it at once).
struct OpenAttempt {
    OpenOutcome outcome = OpenOutcome::Failed;
    bool exclusive = false;  // opened, but another program has set the port's exclusive mode
    QString error;           // the system's words, when it failed
};

struct PortHolder {
    qint64 pid = 0;
    QString command;
};

struct PortLockFile {
    QString path;
    qint64 pid = 0;          // the process the lock file names; 0 when it names none
    bool ownerAlive = false;
};

// Everything the doctor learns from the system, behind one interface so tests give fixed facts. The
// Linux source reads sysfs, /proc and /run/lock and asks systemctl and udevadm; elsewhere only the
// device node and an open are known.
class SystemFacts {
public:
    virtual ~SystemFacts() = default;
    // False where the platform's source knows only the node and the open.
    virtual bool Complete() const = 0;
    virtual QList<UsbTrackerPort> TrackerPorts() const = 0;
    virtual DeviceNode Node(const QString& path) const = 0;
    virtual OpenAttempt TryOpen(const QString& path) const = 0;
    virtual QString UserName() const = 0;
    virtual bool Superuser() const = 0;
    // The groups of this login session (what opens count against) and those the account has now.
    virtual QStringList SessionGroups() const = 0;
    virtual QStringList AccountGroups() const = 0;
    // The other processes that have the device open.
    virtual QList<PortHolder> Holders(const QString& path) const = 0;
    virtual QList<PortLockFile> LockFiles(const QString& path) const = 0;
    virtual bool ServiceActive(const QString& unit) const = 0;
    virtual bool ProgramInstalled(const QString& program) const = 0;
    // The udev properties of the device (ID_MM_DEVICE_IGNORE among them).
    virtual QMap<QString, QString> UdevProperties(const QString& path) const = 0;
};

// The platform's own source.
std::shared_ptr<const SystemFacts> MakeSystemFacts();

// The source the doctor and the window use now (the system's unless one was put in its place).
std::shared_ptr<const SystemFacts> CurrentSystemFacts();
void SetSystemFacts(std::shared_ptr<const SystemFacts> facts);

// A port name as the system's device path: "ttyACM0" is /dev/ttyACM0, a path stays as it is.
QString DevicePath(const QString& portName);
