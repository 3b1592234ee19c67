#include "cli/CliCommand.h"
#include "cli/CliReporter.h"

#include "firmware/McUpdateThread.h"
#include "link/SerialLink.h"

namespace {

void Declare(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Firmware file (.fmw is added when the name holds it nowhere)."));
}

int Flash(const QCommandLineParser& parser, CliContext& context) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 1)
        return UsageError(context, QStringLiteral("flash takes one firmware file"));
    DeviceJobLease lease = DeviceJobLease::TryTake();
    SerialLink link;
    CliReporter reporter(context.err);
    MCUpdateThread update(link, context.choice, FirmwareFileName(arguments.front()), reporter, std::move(lease));
    return update.Execute() ? ExitSuccess : ExitFailure;
}

const CliRegistration flash{{QStringLiteral("flash"),
                             QStringLiteral("Write a firmware file into the tracker's program flash."), Declare,
                             Flash}};

}  // namespace
