#include "doctor/NotConnectedReason.h"

#include "doctor/Diagnosis.h"
#include "doctor/DoctorText.h"

QString NotConnectedReason(const PortChoice& choice, const UsbSerialSource& source, const SystemFacts& facts) {
    const QStringList ports = choice.automatic ? source.UsbSerialPorts() : QStringList();
    if (choice.automatic) {
        if (ports.isEmpty())
            return QStringLiteral("No USB serial port of a tracker is connected.\nFix: plug the tracker in (a USB "
                                  "cable that carries data); kova-cli doctor tells more.");
        if (ports.size() > 1)
            return QStringLiteral("Several USB serial ports are connected: %1.\nFix: unplug the others, or untick "
                                  "automatic discovery and choose the tracker's port.")
                .arg(ports.join(QLatin1String(", ")));
    }
    const QString port = choice.automatic ? ports.front() : choice.portText.trimmed();
    if (port.isEmpty())
        return QStringLiteral("No port is named.\nFix: choose the tracker's port, or tick automatic discovery.");
    const PortReport report = DiagnosePort(facts, {DevicePath(port), {}, {}, {}});
    const QString problems = ProblemLines(report.findings);
    if (problems.isEmpty())
        return QStringLiteral("%1 opens now; try again.").arg(port);
    return QStringLiteral("%1:\n%2").arg(port, problems);
}

QString NotConnectedReasonFor(const QString& resultText, const PortChoice& choice) {
    if (resultText != NotConnectedText())
        return {};
    return NotConnectedReason(choice, *CurrentUsbSerialSource(), *CurrentSystemFacts());
}
