#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "cli/StopOnSignal.h"

#include "link/SerialLink.h"
#include "service/ModemText.h"
#include "service/Servicethread.h"
#include "service/VoiceFileList.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct Inputs {
    QString phone;
    VoiceFileList voice;
};

int RunModemOperation(ServiceOperation operation, CliContext& context, const Inputs& inputs = {}) {
    SerialLink link;
    CliReporter reporter(context.err);
    ServiceThread job(operation, link, context.choice, reporter, DeviceJobLease::TryTake());
    job.PhoneNumber = inputs.phone;
    job.Files = inputs.voice.files;
    job.FilesSize = inputs.voice.totalSize;
    const StopOnSignal stop([&job] { job.RequestStop(); });
    return job.Execute() ? ExitSuccess : ExitFailure;
}

// A value the window's job would refuse before sending anything: its line, and a usage error.
int Refused(CliContext& context, const QString& line) {
    context.err << line << "\n";
    context.err.flush();
    return ExitUsage;
}

std::optional<QString> OneArgument(const QCommandLineParser& parser) {
    const QStringList arguments = parser.positionalArguments();
    return arguments.size() == 1 ? std::optional<QString>(arguments.front()) : std::nullopt;
}

int VoiceUpload(const QCommandLineParser& parser, CliContext& context) {
    const std::optional<QString> folder = OneArgument(parser);
    if (!folder)
        return UsageError(context, QStringLiteral("name the folder of the voice files"));
    if (!QFileInfo(*folder).isDir())
        return UsageError(context, QStringLiteral("no folder %1").arg(*folder));
    Inputs inputs;
    inputs.voice = ListVoiceFiles(QDir::toNativeSeparators(*folder));
    for (const QString& path : inputs.voice.files) {
        const QString name = QFileInfo(path).fileName();
        if (!ModemFileNameBytes(name))
            return Refused(context, FileNameRefusedText(name));
    }
    return RunModemOperation(ServiceOperation::WriteVoiceFiles, context, inputs);
}

// An empty number is the job's own refusal (no device traffic, exit 1); one the line cannot carry
// is a usage error.
int WithPhone(const QCommandLineParser& parser, CliContext& context, ServiceOperation operation) {
    const std::optional<QString> phone = OneArgument(parser);
    if (!phone)
        return UsageError(context, QStringLiteral("name the phone number"));
    if (!phone->isEmpty() && !PhoneNumberBytes(*phone))
        return Refused(context, PhoneNumberRefusedText());
    return RunModemOperation(operation, context, {*phone, {}});
}

int TestSim(const QCommandLineParser& parser, CliContext& context) {
    const std::optional<QString> word = OneArgument(parser);
    if (word == QLatin1String("create"))
        return RunModemOperation(ServiceOperation::CreateTestSim, context);
    if (word == QLatin1String("deactivate"))
        return RunModemOperation(ServiceOperation::DeactivateTestSim, context);
    return UsageError(context, QStringLiteral("say 'create' or 'deactivate'"));
}

void DeclarePhone(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("PHONE"), QStringLiteral("The phone number, as typed."));
}

const CliRegistration voiceUpload{
    {QStringLiteral("voice-upload"),
     QStringLiteral("Write the folder's voice files (*.AMR) into the modem's flash, replacing old copies."),
     [](QCommandLineParser& parser) {
         parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The folder of the voice files."));
     },
     VoiceUpload}};

const CliRegistration testSim{
    {QStringLiteral("test-sim"), QStringLiteral("Mark the SIM card as a test card, or unmark it."),
     [](QCommandLineParser& parser) {
         parser.addPositionalArgument(QStringLiteral("create|deactivate"), QStringLiteral("Mark or unmark it."));
     },
     TestSim}};

const CliRegistration smsImei{
    {QStringLiteral("sms-imei"), QStringLiteral("Send the modem's IMEI by SMS to a phone number."), DeclarePhone,
     [](const QCommandLineParser& parser, CliContext& context) {
         return WithPhone(parser, context, ServiceOperation::SendImeiBySms);
     }}};

const CliRegistration call{
    {QStringLiteral("call"), QStringLiteral("Place a test voice call to a phone number."), DeclarePhone,
     [](const QCommandLineParser& parser, CliContext& context) {
         return WithPhone(parser, context, ServiceOperation::TestCall);
     }}};

const CliRegistration hangup{
    {QStringLiteral("hangup"), QStringLiteral("End the test call."), [](QCommandLineParser&) {},
     [](const QCommandLineParser& parser, CliContext& context) {
         if (!parser.positionalArguments().isEmpty())
             return UsageError(context, QStringLiteral("hangup takes no arguments"));
         return RunModemOperation(ServiceOperation::CancelCall, context);
     }}};

}  // namespace
