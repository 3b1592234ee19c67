#include "doctor/Diagnosis.h"

#include <algorithm>

namespace {

const QString ModemManagerUnit = QStringLiteral("ModemManager");
const QString NewLogin = QStringLiteral("then log out and log in again (a group counts from the next login)");

QString ModeText(unsigned mode) { return QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0')); }

QString NodeText(const DeviceNode& node) {
    return QStringLiteral("mode %1, owner %2, group %3").arg(ModeText(node.mode), node.owner, node.group);
}

bool GroupMayOpen(const DeviceNode& node) { return (node.mode & 0060) == 0060; }

Finding PermissionFinding(const SystemFacts& facts, const QString& path, const DeviceNode& node) {
    const QString user = facts.UserName();
    Finding finding{Verdict::Problem,
                    QStringLiteral("user %1 may not open %2 for reading and writing (%3)").arg(user, path, NodeText(node)),
                    {}};
    if (!GroupMayOpen(node)) {
        finding.fix = QStringLiteral("the node's group may not read and write it: install the udev rule "
                                     "(sudo kova-cli doctor --install-udev-rule)");
    } else if (facts.SessionGroups().contains(node.group)) {
        finding.text += QStringLiteral("; this session has group %1").arg(node.group);
        finding.fix = QStringLiteral("an access list denies it: install the udev rule "
                                     "(sudo kova-cli doctor --install-udev-rule)");
    } else if (facts.AccountGroups().contains(node.group)) {
        finding.text += QStringLiteral("; user %1 is in group %2, but this session began before that")
                            .arg(user, node.group);
        finding.fix = QStringLiteral("log out and log in again (a group counts from the next login)");
    } else {
        finding.text += QStringLiteral("; this session is not in group %1").arg(node.group);
        finding.fix = QStringLiteral("sudo usermod -aG %1 %2, %3").arg(node.group, user, NewLogin);
    }
    return finding;
}

Finding OpenFinding(const SystemFacts& facts, const QString& path, const DeviceNode& node, const OpenAttempt& open) {
    switch (open.outcome) {
    case OpenOutcome::Opened:
        if (open.exclusive)
            return {Verdict::Problem, QStringLiteral("another program holds %1 for itself").arg(path),
                    QStringLiteral("close the program that uses the port")};
        return {Verdict::Ok, QStringLiteral("user %1 opens it for reading and writing").arg(facts.UserName()), {}};
    case OpenOutcome::PermissionDenied: return PermissionFinding(facts, path, node);
    case OpenOutcome::Busy:
        return {Verdict::Problem, QStringLiteral("%1 is busy: another program holds it").arg(path),
                QStringLiteral("close the program that uses the port")};
    case OpenOutcome::NotATerminal:
        return {Verdict::Problem, QStringLiteral("%1 is not a serial port").arg(path),
                QStringLiteral("name the tracker's port, such as /dev/ttyACM0")};
    case OpenOutcome::Missing:
    case OpenOutcome::Failed: break;
    }
    return {Verdict::Problem, QStringLiteral("%1 cannot be opened: %2").arg(path, open.error),
            QStringLiteral("plug the tracker in again")};
}

QList<Finding> HolderFindings(const SystemFacts& facts, const QString& path) {
    QList<Finding> findings;
    for (const PortHolder& holder : facts.Holders(path))
        findings.append({Verdict::Problem,
                         QStringLiteral("held by process %1 (%2)").arg(holder.pid).arg(holder.command),
                         QStringLiteral("close %1, or end it: kill %2").arg(holder.command).arg(holder.pid)});
    for (const PortLockFile& lock : facts.LockFiles(path)) {
        if (lock.ownerAlive)
            findings.append({Verdict::Warning,
                             QStringLiteral("lock file %1 of process %2").arg(lock.path).arg(lock.pid),
                             QStringLiteral("close the program of process %1").arg(lock.pid)});
        else
            findings.append({Verdict::Warning, QStringLiteral("stale lock file %1: its process is gone").arg(lock.path),
                             QStringLiteral("sudo rm %1").arg(lock.path)});
    }
    return findings;
}

Finding ModemManagerFinding(const SystemFacts& facts, const QString& path) {
    if (!facts.ServiceActive(ModemManagerUnit))
        return {Verdict::Ok, QStringLiteral("ModemManager is not running"), {}};
    if (facts.UdevProperties(path).value(QStringLiteral("ID_MM_DEVICE_IGNORE")) == QLatin1String("1"))
        return {Verdict::Ok, QStringLiteral("ModemManager runs and leaves this device alone (ID_MM_DEVICE_IGNORE)"), {}};
    return {Verdict::Warning,
            QStringLiteral("ModemManager runs and may probe the tracker with AT commands (no ID_MM_DEVICE_IGNORE)"),
            QStringLiteral("install the udev rule: sudo kova-cli doctor --install-udev-rule")};
}

QList<Finding> SystemFindings(const SystemFacts& facts, const QList<UsbTrackerPort>& trackers, bool portNamed) {
    QList<Finding> findings;
    if (!facts.Complete())
        findings.append({Verdict::Warning,
                         QStringLiteral("on this system only whether a port exists and opens is checked"), {}});
    if (trackers.isEmpty() && !portNamed)
        findings.append({Verdict::Problem, QStringLiteral("no tracker port: no tty is bound to the cdc_acm driver"),
                         QStringLiteral("plug the tracker in (a USB cable that carries data), or name its port "
                                        "with --port")});
    if (trackers.size() > 1) {
        QStringList paths;
        for (const UsbTrackerPort& port : trackers)
            paths << port.path;
        findings.append({Verdict::Warning,
                         QStringLiteral("several tracker ports (%1): automatic discovery needs exactly one")
                             .arg(paths.join(QLatin1String(", "))),
                         QStringLiteral("unplug the others, or name one with --port")});
    }
    if (facts.ProgramInstalled(QStringLiteral("brltty")) && facts.ServiceActive(QStringLiteral("brltty")))
        findings.append({Verdict::Warning, QStringLiteral("brltty runs: it takes USB serial adapters for braille "
                                                          "displays"),
                         QStringLiteral("without a braille display: sudo apt remove brltty")});
    return findings;
}

}  // namespace

PortReport DiagnosePort(const SystemFacts& facts, const UsbTrackerPort& port) {
    PortReport report{port, false, {}};
    const QString& path = port.path;
    const DeviceNode node = facts.Node(path);
    if (!node.exists) {
        report.findings.append({Verdict::Problem, QStringLiteral("%1 does not exist").arg(path),
                                QStringLiteral("plug the tracker in; kova-cli doctor lists the ports it finds")});
        return report;
    }
    if (!node.characterDevice) {
        report.findings.append({Verdict::Problem, QStringLiteral("%1 is not a device").arg(path),
                                QStringLiteral("name the tracker's port, such as /dev/ttyACM0")});
        return report;
    }
    report.findings.append({Verdict::Ok, QStringLiteral("exists (%1)").arg(NodeText(node)), {}});
    const Finding open = OpenFinding(facts, path, node, facts.TryOpen(path));
    report.findings.append(open);
    const QList<Finding> holders = HolderFindings(facts, path);
    report.findings.append(holders);
    if (facts.Complete())
        report.findings.append(ModemManagerFinding(facts, path));
    const bool held = std::any_of(holders.begin(), holders.end(),
                                  [](const Finding& finding) { return finding.verdict == Verdict::Problem; });
    report.usable = open.verdict == Verdict::Ok && !held;
    return report;
}

DoctorReport Diagnose(const SystemFacts& facts, const QString& namedPort) {
    const QList<UsbTrackerPort> trackers = facts.TrackerPorts();
    const QString named = DevicePath(namedPort);
    QList<UsbTrackerPort> ports = trackers;
    const bool namedIsTracker =
        std::any_of(trackers.begin(), trackers.end(), [&](const UsbTrackerPort& port) { return port.path == named; });
    if (!named.isEmpty() && !namedIsTracker)
        ports.append({named, {}, {}, {}});

    DoctorReport report;
    for (const UsbTrackerPort& port : ports) {
        report.ports.append(DiagnosePort(facts, port));
        if (named.isEmpty() || port.path == named)
            report.usable = report.usable || report.ports.back().usable;
    }
    report.system = SystemFindings(facts, trackers, !named.isEmpty());
    return report;
}
