#include "cli/CliCommand.h"
#include "cli/SettingArguments.h"
#include "cli/StationReport.h"
#include "cli/StationRun.h"
#include "cli/StationView.h"
#include "cli/StopOnSignal.h"
#include "cli/Terminal.h"

#include "firmware/McUpdateThread.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsPages.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

using namespace Qt::Literals::StringLiterals;

const QCommandLineOption portOption(u"port"_s, u"A tracker's port (repeatable); without it, every USB serial port found."_s,
                                    u"NAME"_s);
const QCommandLineOption firmwareOption(u"firmware"_s, u"Update every tracker's firmware from this file first."_s,
                                        u"FILE.fmw"_s);
const QCommandLineOption loadOption(u"load"_s, u"Write the settings this file carries."_s, u"FILE.cfg"_s);
const QCommandLineOption setOption(u"set"_s, u"Write one setting too, e.g. --set TimeZone=5 (repeatable)."_s,
                                   u"Name=Value"_s);
const QCommandLineOption yesOption(u"yes"_s, u"Answer the checks' questions with Yes."_s);
const QCommandLineOption reportOption(u"report"_s, u"Also save the table as CSV (UTF-8)."_s, u"FILE.csv"_s);

void Declare(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        u"Prepare every tracker at once from one profile: update the firmware (--firmware), then read each "
        "tracker's settings, put the profile on them (--load, --set), write them and read them back. What the "
        "profile does not carry keeps the tracker's own value. A table names each tracker by its IMEI; the exit "
        "status is 0 only when every tracker succeeded."_s);
    parser.addOptions({portOption, firmwareOption, loadOption, setOption, yesOption, reportOption});
}

// The same device under whichever name it was given, so no tracker is prepared twice at once.
QString DeviceLocation(const QString& port) {
    QString location = QSerialPortInfo(port).systemLocation();  // empty for a port the system does not list
    if (location.isEmpty())
        location = port;
    const QString canonical = QFileInfo(location).canonicalFilePath();
    return canonical.isEmpty() ? location : canonical;
}

struct Ports {
    QStringList names;
    QString problem;
};

Ports ChosenPorts(const QCommandLineParser& parser, const CliContext& context) {
    QStringList names = parser.values(portOption);
    if (!context.choice.automatic)
        names.prepend(context.choice.portText);
    if (names.isEmpty())
        return {CurrentUsbSerialSource()->UsbSerialPorts(), {}};
    QStringList locations;
    for (const QString& name : names) {
        if (locations.contains(DeviceLocation(name)))
            return {{}, u"port %1 is given twice"_s.arg(name)};
        locations << DeviceLocation(name);
    }
    return {names, {}};
}

int Failed(CliContext& context, const QString& message) {
    context.err << message << "\n";
    context.err.flush();
    return ExitFailure;
}

int Station(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, u"station takes no arguments; use --firmware, --load and --set"_s);
    const Ports ports = ChosenPorts(parser, context);
    if (!ports.problem.isEmpty())
        return UsageError(context, ports.problem);
    const ParsedValues parsed = ParseSettingArguments(parser.values(setOption));
    if (!parsed.problem.isEmpty())
        return UsageError(context, u"--set "_s + parsed.problem);
    if (const QString refusal = SettingValues::Refusals(parsed.values); !refusal.isEmpty())
        return UsageError(context, refusal);

    StationProfile profile;
    profile.settings.values = parsed.values;
    profile.answerYes = parser.isSet(yesOption);
    if (parser.isSet(loadOption)) {
        DeviceSettings file;
        SettingsPages pages;
        RestoreDefaults(file, pages);
        if (const FileOutcome loaded = SettingsFile::Load(parser.value(loadOption), file); !loaded)
            return Failed(context, loaded.caption + u": "_s + loaded.message);
        profile.settings.file = file;
    }
    if (parser.isSet(firmwareOption)) {
        profile.firmwareFile = FirmwareFileName(parser.value(firmwareOption));
        if (!QFileInfo(profile.firmwareFile).isFile())
            return Failed(context, u"Ошибка открытия файла прошивки"_s + u": "_s + profile.firmwareFile);
    }
    if (ports.names.isEmpty())
        return Failed(context, NotConnectedText());

    StationLiveLines live(context.err, StandardErrorIsTerminal());
    StationStop stop;
    const StopOnSignal onSignal([&stop] { stop.Stop(); });
    const std::vector<TrackerOutcome> outcomes = RunStation(
        ports.names, profile, [&live](const std::vector<TrackerState>& states) { live.Show(states); }, &stop);
    context.out << StationTable(outcomes);
    context.out.flush();
    QString why;
    if (parser.isSet(reportOption) && !SaveStationReport(parser.value(reportOption), outcomes, &why))
        return Failed(context, why);
    const bool allSucceeded =
        std::all_of(outcomes.begin(), outcomes.end(), [](const TrackerOutcome& outcome) { return outcome.Succeeded(); });
    return allSucceeded ? ExitSuccess : ExitFailure;
}

const CliRegistration station{{u"station"_s, u"Prepare every tracker at once from one profile, verified."_s, Declare,
                               Station}};

}  // namespace
