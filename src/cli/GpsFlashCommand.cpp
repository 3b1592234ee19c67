#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "cli/StopOnSignal.h"

#include "firmware/Gpsupdatethread.h"
#include "link/SerialLink.h"

namespace {

// The window's bar goes back to 0 after the success line; in a shell that would print a last "0/L" after
// "Прошивка GPS модуля завершена", so the reset is not shown.
class GpsFlashReporter : public CliReporter {
public:
    using CliReporter::CliReporter;
    void ShowProgress(qint64 done, qint64 total) override {
        if (!finished_)
            CliReporter::ShowProgress(done, total);
    }
    void AddLogLine(const QString& line) override {
        CliReporter::AddLogLine(line);
        finished_ = line == QStringLiteral("Прошивка GPS модуля завершена");
    }

private:
    bool finished_ = false;
};

void Declare(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("loader"), QStringLiteral("The module's loader file."));
    parser.addPositionalArgument(QStringLiteral("firmware"), QStringLiteral("The module's firmware file."));
}

// The window's update, without its pause: nothing here closed the link just before. SIGINT and SIGTERM
// stop it at its step, and from the speed switch on the module line is set back to 9600 first.
int GpsFlash(const QCommandLineParser& parser, CliContext& context) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2)
        return UsageError(context, QStringLiteral("gps-flash takes a loader file and a firmware file"));
    SerialLink link;
    GpsFlashReporter reporter(context.err);
    GPSUpdateThread update(link, context.choice, reporter, DeviceJobLease::TryTake());
    update.LoaderName = arguments[0];
    update.FirmwareName = arguments[1];
    const StopOnSignal stop([&update] { update.RequestStop(); });
    return update.Execute() ? ExitSuccess : ExitFailure;
}

const CliRegistration gpsFlash{{QStringLiteral("gps-flash"),
                                QStringLiteral("Write a loader and a firmware into the tracker's GPS/GLONASS module."),
                                Declare, GpsFlash}};

}  // namespace
