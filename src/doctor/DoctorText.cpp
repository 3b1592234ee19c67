#include "doctor/DoctorText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString VerdictWord(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ok: return QStringLiteral("ok");
    case Verdict::Warning: return QStringLiteral("warning");
    case Verdict::Problem: break;
    }
    return QStringLiteral("problem");
}

QString FindingLines(const QList<Finding>& findings) {
    QString lines;
    for (const Finding& finding : findings) {
        lines += QStringLiteral("  %1 %2\n").arg(VerdictWord(finding.verdict), -8).arg(finding.text);
        if (!finding.fix.isEmpty())
            lines += QStringLiteral("           fix: %1\n").arg(finding.fix);
    }
    return lines;
}

QString PortTitle(const UsbTrackerPort& port) {
    QString title = port.path;
    if (!port.vendorId.isEmpty())
        title += QStringLiteral(" (USB %1:%2%3)")
                     .arg(port.vendorId, port.productId,
                          port.product.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(port.product));
    return title;
}

QJsonArray FindingsJson(const QList<Finding>& findings) {
    QJsonArray array;
    for (const Finding& finding : findings)
        array.append(QJsonObject{{QStringLiteral("verdict"), VerdictWord(finding.verdict)},
                                 {QStringLiteral("text"), finding.text},
                                 {QStringLiteral("fix"), finding.fix}});
    return array;
}

}  // namespace

QString DoctorLines(const DoctorReport& report) {
    QString lines;
    for (const PortReport& port : report.ports)
        lines += QStringLiteral("%1: %2\n%3")
                     .arg(PortTitle(port.port), port.usable ? QStringLiteral("usable") : QStringLiteral("not usable"),
                          FindingLines(port.findings));
    if (!report.system.isEmpty())
        lines += QStringLiteral("system:\n") + FindingLines(report.system);
    return lines;
}

QByteArray DoctorJson(const DoctorReport& report) {
    QJsonArray ports;
    for (const PortReport& port : report.ports)
        ports.append(QJsonObject{{QStringLiteral("port"), port.port.path},
                                 {QStringLiteral("vendorId"), port.port.vendorId},
                                 {QStringLiteral("productId"), port.port.productId},
                                 {QStringLiteral("product"), port.port.product},
                                 {QStringLiteral("usable"), port.usable},
                                 {QStringLiteral("findings"), FindingsJson(port.findings)}});
    const QJsonObject root{{QStringLiteral("usable"), report.usable},
                           {QStringLiteral("ports"), ports},
                           {QStringLiteral("system"), FindingsJson(report.system)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString ProblemLines(const QList<Finding>& findings) {
    QStringList lines;
    for (const Finding& finding : findings)
        if (finding.verdict != Verdict::Ok)
            lines << (finding.fix.isEmpty() ? finding.text : QStringLiteral("%1.\nFix: %2").arg(finding.text, finding.fix));
    return lines.join(QLatin1String("\n\n"));
}
