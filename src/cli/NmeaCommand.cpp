#include "cli/CliCommand.h"
#include "cli/StopOnSignal.h"

#include "link/SerialLink.h"
#include "service/Shownmeathread.h"

#include <cstdio>
#include <stop_token>
#include <thread>

namespace {

const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                       QStringLiteral("End after N seconds (default: until interrupted)."),
                                       QStringLiteral("N"));

void Declare(QCommandLineParser& parser) { parser.addOption(secondsOption); }

// The stream goes to stdout byte for byte; the job's own texts to stderr.
class StdoutRelayReporter : public NmeaRelayReporter {
public:
    explicit StdoutRelayReporter(QTextStream& err) : err_(err) {}
    void ShowResult(ReportKind, const QString& message) override {
        err_ << message << "\n";
        err_.flush();
    }
    void AppendReceived(const QByteArray& bytes) override {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        std::fflush(stdout);
    }

private:
    QTextStream& err_;
};

// Stops the relay once the time is up, unless it was stopped before.
std::jthread StopAfter(int seconds, ShowNMEAThread& relay) {
    return std::jthread([seconds, &relay](std::stop_token cancelled) {
        std::mutex lock;
        std::condition_variable_any never;
        std::unique_lock held(lock);
        never.wait_for(held, cancelled, std::chrono::seconds(seconds), [] { return false; });
        if (!cancelled.stop_requested())
            relay.RequestStop();
    });
}

int Nmea(const QCommandLineParser& parser, CliContext& context) {
    int seconds = 0;
    if (parser.isSet(secondsOption)) {
        bool ok = false;
        seconds = parser.value(secondsOption).toInt(&ok);
        if (!ok || seconds < 1)
            return UsageError(context, QStringLiteral("--seconds takes a whole number of at least 1"));
    }
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("nmea takes no arguments"));
    SerialLink link;
    StdoutRelayReporter reporter(context.err);
    ShowNMEAThread relay(link, context.choice, reporter, DeviceJobLease::TryTake());
    const StopOnSignal stop([&relay] { relay.RequestStop(); });
    std::jthread timer;
    if (seconds > 0)
        timer = StopAfter(seconds, relay);
    return relay.Execute() ? ExitSuccess : ExitFailure;
}

const CliRegistration nmea{{QStringLiteral("nmea"),
                            QStringLiteral("Relay the GPS/GLONASS module's NMEA stream to stdout. Sends nothing to the "
                                           "tracker; start the module first with 'gps on'."),
                            Declare, Nmea}};

}  // namespace
