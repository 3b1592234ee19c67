#pragma once

#include "doctor/SystemFacts.h"

// The system's facts as a test gives them: by default one free tracker port, /dev/ttyACM0, of group
// dialout and mode 0660, a user in that group, nothing running.
struct FixedFacts : SystemFacts {
    bool complete = true;
    QList<UsbTrackerPort> trackers{{QStringLiteral("/dev/ttyACM0"), QStringLiteral("0483"), QStringLiteral("5740"),
                                    QStringLiteral("KOVA T310")}};
    QMap<QString, DeviceNode> nodes{
        {QStringLiteral("/dev/ttyACM0"), {true, true, 0660, QStringLiteral("root"), QStringLiteral("dialout")}}};
    QMap<QString, OpenAttempt> opens{{QStringLiteral("/dev/ttyACM0"), {OpenOutcome::Opened, false, {}}}};
    QString user = QStringLiteral("tech");
    QStringList sessionGroups{QStringLiteral("tech"), QStringLiteral("dialout")};
    QStringList accountGroups = sessionGroups;
    QList<PortHolder> holders;
    QList<PortLockFile> locks;
    QStringList activeUnits;
    QStringList programs;
    QMap<QString, QString> udev;

    bool Complete() const override { return complete; }
    QList<UsbTrackerPort> TrackerPorts() const override { return trackers; }
    DeviceNode Node(const QString& path) const override { return nodes.value(path); }
    OpenAttempt TryOpen(const QString& path) const override {
        return opens.value(path, {OpenOutcome::Missing, false, QStringLiteral("No such file or directory")});
    }
    QString UserName() const override { return user; }
    bool Superuser() const override { return false; }
    QStringList SessionGroups() const override { return sessionGroups; }
    QStringList AccountGroups() const override { return accountGroups; }
    QList<PortHolder> Holders(const QString&) const override { return holders; }
    QList<PortLockFile> LockFiles(const QString&) const override { return locks; }
    bool ServiceActive(const QString& unit) const override { return activeUnits.contains(unit); }
    bool ProgramInstalled(const QString& program) const override { return programs.contains(program); }
    QMap<QString, QString> UdevProperties(const QString&) const override { return udev; }
};
