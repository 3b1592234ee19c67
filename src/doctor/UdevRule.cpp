#include "doctor/UdevRule.h"

#include "doctor/UdevRuleTemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

bool UsbId(const QString& id) {
    static const QRegularExpression fourHexDigits(QStringLiteral("^[0-9a-fA-F]{4}$"));
    return fourHexDigits.match(id).hasMatch();
}

bool RunUdevadm(const QStringList& arguments, QString* why) {
    QProcess udevadm;
    udevadm.start(QStringLiteral("udevadm"), arguments);
    if (udevadm.waitForFinished(30000) && udevadm.exitStatus() == QProcess::NormalExit && udevadm.exitCode() == 0)
        return true;
    *why = QStringLiteral("udevadm %1 failed: %2")
               .arg(arguments.join(QLatin1Char(' ')),
                    udevadm.error() == QProcess::FailedToStart ? udevadm.errorString()
                                                               : QString::fromLocal8Bit(udevadm.readAllStandardError()).trimmed());
    return false;
}

}  // namespace

QString UdevRuleText(const QString& vendorId, const QString& productId) {
    if (!UsbId(vendorId) || !UsbId(productId))
        return {};
    return QString::fromUtf8(UdevRuleTemplate)
        .replace(QLatin1String("%VENDOR_ID%"), vendorId.toLower())
        .replace(QLatin1String("%PRODUCT_ID%"), productId.toLower());
}

QString UdevRulePath(const QString& vendorId, const QString& productId, const QString& rulesFolder) {
    return QStringLiteral("%1/70-kova-tracker-%2-%3.rules").arg(rulesFolder, vendorId.toLower(), productId.toLower());
}

bool InstallUdevRule(const QString& rule, const QString& rulePath, const QString& ttySysPath, QString* why) {
    QSaveFile file(rulePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(rule.toUtf8()) < 0 || !file.commit()) {
        *why = QStringLiteral("%1 cannot be written: %2").arg(rulePath, file.errorString());
        return false;
    }
    // udev reads its rules as root; everyone may read them, as the system's own.
    QFile::setPermissions(rulePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString usbDevice = QFileInfo(ttySysPath + QLatin1String("/device/..")).canonicalFilePath();
    QStringList trigger{QStringLiteral("trigger"), QStringLiteral("--action=change"), ttySysPath};
    if (!usbDevice.isEmpty())
        trigger << usbDevice;
    return RunUdevadm({QStringLiteral("control"), QStringLiteral("--reload-rules")}, why) && RunUdevadm(trigger, why);
}
