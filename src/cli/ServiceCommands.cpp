#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "cli/StopOnSignal.h"

#include "link/SerialLink.h"
#include "service/Servicethread.h"

namespace {

void DeclareOnOff(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("on|off"), QStringLiteral("Start or stop it."));
}

int RunOperation(ServiceOperation operation, CliContext& context) {
    SerialLink link;
    CliReporter reporter(context.err);
    ServiceThread job(operation, link, context.choice, reporter, DeviceJobLease::TryTake());
    const StopOnSignal stop([&job] { job.RequestStop(); });
    return job.Execute() ? ExitSuccess : ExitFailure;
}

int OnOff(const QCommandLineParser& parser, CliContext& context, ServiceOperation on, ServiceOperation off) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 1 || (arguments.front() != QLatin1String("on") && arguments.front() != QLatin1String("off")))
        return UsageError(context, QStringLiteral("say 'on' or 'off'"));
    return RunOperation(arguments.front() == QLatin1String("on") ? on : off, context);
}

const CliRegistration modem{
    {QStringLiteral("modem"), QStringLiteral("Start (and check) or stop the tracker's GSM modem."), DeclareOnOff,
     [](const QCommandLineParser& parser, CliContext& context) {
         return OnOff(parser, context, ServiceOperation::ModemOn, ServiceOperation::ModemOff);
     }}};

const CliRegistration gps{
    {QStringLiteral("gps"), QStringLiteral("Start or stop the tracker's GPS/GLONASS module."), DeclareOnOff,
     [](const QCommandLineParser& parser, CliContext& context) {
         return OnOff(parser, context, ServiceOperation::GpsOn, ServiceOperation::GpsOff);
     }}};

}  // namespace
