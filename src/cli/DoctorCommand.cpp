#include "cli/CliCommand.h"

#include "doctor/Diagnosis.h"
#include "doctor/DoctorText.h"
#include "doctor/UdevRule.h"

#include <QFileInfo>

namespace {

const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Check this port too (name or device path)."),
                                    QStringLiteral("NAME"));
const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print the findings as JSON."));
const QCommandLineOption ruleOption(QStringLiteral("udev-rule"),
                                    QStringLiteral("Print the udev rule for the tracker plugged in now."));
const QCommandLineOption installOption(QStringLiteral("install-udev-rule"),
                                       QStringLiteral("Install that rule under /etc/udev/rules.d (needs root), reload "
                                                      "udev and apply it to the tracker."));

void Declare(QCommandLineParser& parser) { parser.addOptions({portOption, jsonOption, ruleOption, installOption}); }

QString NamedPort(const QCommandLineParser& parser, const CliContext& context) {
    if (parser.isSet(portOption))
        return parser.value(portOption);
    return context.choice.automatic ? QString() : context.choice.portText;
}

// The tracker the rule is for: the named port when it is one, else the only one plugged in.
const UsbTrackerPort* RuleTracker(const QList<UsbTrackerPort>& trackers, const QString& named, CliContext& context) {
    const QString path = DevicePath(named);
    QList<const UsbTrackerPort*> candidates;
    for (const UsbTrackerPort& port : trackers)
        if (path.isEmpty() || port.path == path)
            candidates << &port;
    if (candidates.size() == 1)
        return candidates.front();
    if (candidates.isEmpty())
        context.err << "kova-cli: no tracker is plugged in" << (path.isEmpty() ? "" : " at ") << path
                    << ": the rule needs its USB ids\n";
    else
        context.err << "kova-cli: several trackers are plugged in: name one with --port\n";
    return nullptr;
}

int UdevRule(const QCommandLineParser& parser, CliContext& context) {
    const SystemFacts& facts = *CurrentSystemFacts();
    const UsbTrackerPort* tracker = RuleTracker(facts.TrackerPorts(), NamedPort(parser, context), context);
    if (!tracker)
        return ExitFailure;
    const QString rule = UdevRuleText(tracker->vendorId, tracker->productId);
    if (rule.isEmpty()) {
        context.err << "kova-cli: " << tracker->path << " reports no USB ids\n";
        return ExitFailure;
    }
    if (!parser.isSet(installOption)) {
        context.out << rule;
        return ExitSuccess;
    }
    if (!facts.Superuser()) {
        context.err << "kova-cli: installing the udev rule needs root: run sudo kova-cli doctor --install-udev-rule\n";
        return ExitFailure;
    }
    const QString path = UdevRulePath(tracker->vendorId, tracker->productId);
    QString why;
    if (!InstallUdevRule(rule, path, QStringLiteral("/sys/class/tty/") + QFileInfo(tracker->path).fileName(), &why)) {
        context.err << "kova-cli: " << why << "\n";
        return ExitFailure;
    }
    context.err << "Installed " << path << "; udev applied it to " << tracker->path << ".\n";
    return ExitSuccess;
}

int Doctor(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("doctor takes no arguments"));
    if (parser.isSet(ruleOption) || parser.isSet(installOption))
        return UdevRule(parser, context);
    const DoctorReport report = Diagnose(*CurrentSystemFacts(), NamedPort(parser, context));
    if (parser.isSet(jsonOption))
        context.out << QString::fromUtf8(DoctorJson(report));
    else
        context.out << DoctorLines(report);
    return report.usable ? ExitSuccess : ExitFailure;
}

const CliRegistration doctor{{QStringLiteral("doctor"),
                              QStringLiteral("Check why a tracker port is not usable (missing, no permission, held, "
                                             "ModemManager, brltty) and how to fix it; print the udev rule."),
                              Declare, Doctor}};

}  // namespace
