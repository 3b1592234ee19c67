// kova-sim: a simulated tracker on a pseudo-terminal, for trying the configurator without a device.
// The terminal's path is the first line on standard output (with --count, one line per tracker); the
// program serves until it is interrupted or terminated.

#include "SimFactorySettings.h"
#include "SimPort.h"
#include "SimStateFile.h"
#include "link/StopSignal.h"
#include "link/CommandFrame.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

void Log(const QString& line) { std::fprintf(stderr, "kova-sim: %s\n", qUtf8Printable(line)); }

struct Options {
    QString statePath;
    QString flashPath;
    bool verbose = false;
    SimFaults faults;
    bool modemOn = false;
    bool gpsOn = false;
    int gpsFixAfter = SimGpsModule::DefaultFixAfterSeconds;
    int nmeaPeriodMs = static_cast<int>(SimPort::DefaultModuleTick.count());
    int count = 1;
};

// A whole number of at least minimum from an option; nothing (and a message) when it is not one.
std::optional<int> WholeNumber(const QCommandLineParser& parser, const QString& name, int minimum) {
    bool ok = false;
    const int number = parser.value(name).toInt(&ok);
    if (ok && number >= minimum)
        return number;
    Log(QStringLiteral("--%1 wants a whole number of at least %2, not \"%3\"").arg(name).arg(minimum).arg(parser.value(name)));
    return std::nullopt;
}

std::optional<Options> ParseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated KOVA T300/T310 tracker served on a pseudo-terminal. The terminal's path is printed as "
        "the first line; open it as the device's serial port. Runs until interrupted (Ctrl+C) or terminated."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("state"), QStringLiteral("Keep the settings memory in <file>: loaded at start if it exists, saved after every slot write and at exit."), QStringLiteral("file")},
        {QStringLiteral("flash-out"), QStringLiteral("Write the flashed firmware image to <file> after every piece and at exit."), QStringLiteral("file")},
        {QStringLiteral("silent-after"), QStringLiteral("Answer the first <n> frames only, then hang."), QStringLiteral("n")},
        {QStringLiteral("short"), QStringLiteral("Drop the last byte of every answer longer than one byte.")},
        {QStringLiteral("garbage"), QStringLiteral("Replace every answer by as many random bytes.")},
        {QStringLiteral("delay"), QStringLiteral("Wait <ms> milliseconds before every answer."), QStringLiteral("ms")},
        {QStringLiteral("close-after"), QStringLiteral("Pull the cable when the <n>th frame has arrived."), QStringLiteral("n")},
        {QStringLiteral("verbose"), QStringLiteral("Log every frame and protocol error on standard error.")},
        {QStringLiteral("modem-on"), QStringLiteral("Start with the GSM modem already switched on.")},
        {QStringLiteral("gps-on"), QStringLiteral("Start with the GPS/GLONASS module already switched on, sending NMEA.")},
        {QStringLiteral("modem-silent"), QStringLiteral("The GSM modem hears but never answers.")},
        {QStringLiteral("modem-answers-from"), QStringLiteral("The GSM modem answers nothing until the <n>th \"AT\" after it is switched on."), QStringLiteral("n")},
        {QStringLiteral("ate0-error"), QStringLiteral("The GSM modem answers \"ATE0\" with ERROR and keeps its echo on.")},
        {QStringLiteral("gps-fix-after"), QStringLiteral("The GPS/GLONASS module reports no fix for its first <s> seconds (default 3)."), QStringLiteral("s")},
        {QStringLiteral("count"), QStringLiteral("Serve <n> trackers at once, each with an IMEI and settings memory of its own (default 1); one path a line."), QStringLiteral("n")},
        {QStringLiteral("modem-flash"), QStringLiteral("The GSM modem's drive C: holds <bytes> bytes in all (default 1048576)."), QStringLiteral("bytes")},
        {QStringLiteral("modem-no-prompt"), QStringLiteral("The GSM modem answers AT+FSWRITE and AT+CMGS with ERROR instead of the prompt.")},
        {QStringLiteral("modem-no-write-ack"), QStringLiteral("The GSM modem keeps a file write's data but never acknowledges it.")},
        {QStringLiteral("phonebook-error"), QStringLiteral("The GSM modem answers AT+CPBW with ERROR.")},
        {QStringLiteral("imei"), QStringLiteral("The GSM modem answers AT+GSN with <text> instead of its own IMEI."), QStringLiteral("text")},
        {QStringLiteral("nmea-period"), QStringLiteral("The GPS/GLONASS module's second lasts <ms> milliseconds (default 1000)."), QStringLiteral("ms")},
        {QStringLiteral("gps-no-sync"), QStringLiteral("In the next module update the boot ROM never answers the synchronisation byte.")},
        {QStringLiteral("gps-silent-at-packet"), QStringLiteral("In the next module update the loader answers nothing from firmware packet <k> (from 1) on."), QStringLiteral("k")},
        {QStringLiteral("gps-answer-count"), QStringLiteral("In the next module update every answer at <step> of the boot protocol (1 to 23) has <count> bytes."), QStringLiteral("step:count")},
    });
    parser.process(app);

    Options options;
    options.statePath = parser.value(QStringLiteral("state"));
    options.flashPath = parser.value(QStringLiteral("flash-out"));
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    options.faults.shortAnswers = parser.isSet(QStringLiteral("short"));
    options.faults.garbageAnswers = parser.isSet(QStringLiteral("garbage"));
    options.faults.modemSilent = parser.isSet(QStringLiteral("modem-silent"));
    options.faults.ate0Error = parser.isSet(QStringLiteral("ate0-error"));
    options.faults.modemNoPrompt = parser.isSet(QStringLiteral("modem-no-prompt"));
    options.faults.modemNoWriteAck = parser.isSet(QStringLiteral("modem-no-write-ack"));
    options.faults.phoneBookError = parser.isSet(QStringLiteral("phonebook-error"));
    if (parser.isSet(QStringLiteral("imei")))
        options.faults.modemImei = parser.value(QStringLiteral("imei")).toLatin1();
    options.modemOn = parser.isSet(QStringLiteral("modem-on"));
    options.gpsOn = parser.isSet(QStringLiteral("gps-on"));
    if (parser.isSet(QStringLiteral("silent-after")) &&
        !(options.faults.silentAfterFrames = WholeNumber(parser, QStringLiteral("silent-after"), 0)))
        return std::nullopt;
    if (parser.isSet(QStringLiteral("close-after")) &&
        !(options.faults.closeAfterFrames = WholeNumber(parser, QStringLiteral("close-after"), 1)))
        return std::nullopt;
    if (parser.isSet(QStringLiteral("modem-flash")) &&
        !(options.faults.modemFlashBytes = WholeNumber(parser, QStringLiteral("modem-flash"), 0)))
        return std::nullopt;
    options.faults.gpsNoSync = parser.isSet(QStringLiteral("gps-no-sync"));
    if (parser.isSet(QStringLiteral("gps-silent-at-packet")) &&
        !(options.faults.gpsSilentAtPacket = WholeNumber(parser, QStringLiteral("gps-silent-at-packet"), 1)))
        return std::nullopt;
    if (parser.isSet(QStringLiteral("gps-answer-count"))) {
        const QStringList parts = parser.value(QStringLiteral("gps-answer-count")).split(QLatin1Char(':'));
        bool stepOk = false, countOk = false;
        const int step = parts.size() == 2 ? parts[0].toInt(&stepOk) : 0;
        const int count = parts.size() == 2 ? parts[1].toInt(&countOk) : 0;
        if (!stepOk || !countOk || step < 1 || step > 23 || count < 0) {
            Log(QStringLiteral("--gps-answer-count wants <step>:<count>, a step from 1 to 23 and a count of at least 0, "
                               "not \"%1\"").arg(parser.value(QStringLiteral("gps-answer-count"))));
            return std::nullopt;
        }
        options.faults.gpsAnswerCountStep = step;
        options.faults.gpsAnswerCount = count;
    }
    if (parser.isSet(QStringLiteral("delay"))) {
        const auto delay = WholeNumber(parser, QStringLiteral("delay"), 0);
        if (!delay)
            return std::nullopt;
        options.faults.answerDelayMs = *delay;
    }
    const struct {
        const char* name;
        int minimum;
        int* value;
    } numbers[] = {{"modem-answers-from", 1, &options.faults.modemAnswersFromAt},
                   {"gps-fix-after", 0, &options.gpsFixAfter},
                   {"nmea-period", 1, &options.nmeaPeriodMs},
                   {"count", 1, &options.count}};
    for (const auto& number : numbers) {
        const QString name = QLatin1String(number.name);
        if (!parser.isSet(name))
            continue;
        const auto value = WholeNumber(parser, name, number.minimum);
        if (!value)
            return std::nullopt;
        *number.value = *value;
    }
    if (options.count > 1 && (!options.statePath.isEmpty() || !options.flashPath.isEmpty())) {
        Log(QStringLiteral("--state and --flash-out keep one tracker's memory; leave them out with --count"));
        return std::nullopt;
    }
    return options;
}

QString CommandName(std::uint8_t command) {
    static const char* const names[] = {"?", "ReadSlot", "WriteSlot", "StartModem", "StartGPS", "StopModem", "StopGPS",
                                        "SetGPSBaud", "ModemPassThrough", "GPSPassThrough", "EraseFirmware", "WriteFirmware"};
    return QLatin1String(command < std::size(names) ? names[command] : names[0]);
}

QString DescribeFrame(const QByteArray& frame, const QByteArray& answer) {
    const CommandFrame::Header header = CommandFrame::ParseHeader(frame.constData());
    return QStringLiteral("%1 (%2) value 0x%3, %4 payload bytes -> %5 answer bytes")
        .arg(CommandName(header.command))
        .arg(header.command)
        .arg(QString::number(header.value, 16).rightJustified(8, QLatin1Char('0')).toUpper())
        .arg(header.length)
        .arg(answer.size());
}

void SaveSettings(const SimDevice& device, const QString& path) {
    QString error;
    if (!path.isEmpty() && !SimStateFile::SaveSettings(device, path, &error))
        Log(error);
}

void SaveFirmware(const SimDevice& device, const QString& path) {
    QString error;
    if (!path.isEmpty() && !SimStateFile::SaveFirmware(device, path, &error))
        Log(error);
}

void WatchDevice(SimDevice& device, const Options& options) {
    SimEvents events;
    events.settingsChanged = [&device, path = options.statePath] { SaveSettings(device, path); };
    events.firmwareChanged = [&device, path = options.flashPath] { SaveFirmware(device, path); };
    if (options.verbose) {
        events.frameHandled = [](const QByteArray& frame, const QByteArray& answer) { Log(DescribeFrame(frame, answer)); };
        events.protocolError = [](const QString& what) { Log(QStringLiteral("protocol error: ") + what); };
        events.lineCut = [] { Log(QStringLiteral("cable pulled")); };
    }
    device.SetEvents(std::move(events));
}

// Sets up the numberth tracker (from 1); false (with the reason logged) when its state cannot be loaded.
bool PrepareTracker(SimPort& port, int number, const Options& options) {
    SimDevice& device = port.Device();
    QString error;
    if (!options.statePath.isEmpty() && QFile::exists(options.statePath)) {
        if (!SimStateFile::LoadSettings(device, options.statePath, &error)) {
            Log(error);
            return false;
        }
    } else {
        device.LoadSettingsMemory(FactorySettingsMemory(number));
    }
    port.SetFaults(options.faults);
    port.SetModuleTick(std::chrono::milliseconds(options.nmeaPeriodMs));
    device.SetGpsFixAfter(options.gpsFixAfter);
    device.SetModemPowered(options.modemOn);
    device.SetGpsPowered(options.gpsOn);
    WatchDevice(device, options);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    StopSignal stopSignal;  // before any thread starts
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kova-sim"));
    const std::optional<Options> options = ParseOptions(app);
    if (!options)
        return 2;

    std::vector<std::unique_ptr<SimPort>> ports;
    for (int number = 1; number <= options->count; ++number) {
        SimPort& port = *ports.emplace_back(std::make_unique<SimPort>());
        if (!PrepareTracker(port, number, *options))
            return 2;
        QString error;
        if (!port.Start(&error)) {
            Log(error);
            return 1;
        }
        std::printf("%s\n", qUtf8Printable(port.Path()));
    }
    std::fflush(stdout);

    const int signal = stopSignal.Wait();
    for (const std::unique_ptr<SimPort>& port : ports)
        port->Stop();
    SaveSettings(ports.front()->Device(), options->statePath);
    SaveFirmware(ports.front()->Device(), options->flashPath);
    if (options->verbose)
        Log(QStringLiteral("stopped by signal %1").arg(signal));
    return 0;
}
