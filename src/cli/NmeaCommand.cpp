#include "cli/CliCommand.h"
#include "cli/StopOnSignal.h"

#include "link/SerialLink.h"
#include "service/GnssStatus.h"
#include "service/Shownmeathread.h"

#include <cstdio>
#include <memory>
#include <stop_token>
#include <thread>

namespace {

const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                       QStringLiteral("End after N seconds (default: until interrupted)."),
                                       QStringLiteral("N"));
const QCommandLineOption statusOption(QStringLiteral("status"),
                                      QStringLiteral("Also say once a second on stderr what the stream means: the "
                                                     "fix, the satellites, the time and the position."));

void Declare(QCommandLineParser& parser) {
    parser.addOption(secondsOption);
    parser.addOption(statusOption);
}

// The stream goes to stdout byte for byte; the job's own texts, and the status if asked for, to stderr.
class StdoutRelayReporter : public NmeaRelayReporter {
public:
    StdoutRelayReporter(QTextStream& err, bool status) : err_(err) {
        if (status)
            status_ = std::make_unique<GnssStatusFeed>();
    }
    void ShowResult(ReportKind, const QString& message) override {
        err_ << message << "\n";
        err_.flush();
    }
    void AppendReceived(const QByteArray& bytes) override {
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
        std::fflush(stdout);
        if (status_) {
            status_->Feed(bytes);
            err_ << GnssStatusLine(status_->Status()) << "\n";
            err_.flush();
        }
    }

private:
    QTextStream& err_;
    std::unique_ptr<GnssStatusFeed> status_;
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
    StdoutRelayReporter reporter(context.err, parser.isSet(statusOption));
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
