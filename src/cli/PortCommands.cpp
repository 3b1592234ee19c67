#include "cli/CliCommand.h"

#include "link/PortProbe.h"
#include "link/SerialLink.h"

namespace {

int ListPorts(const QCommandLineParser&, CliContext& context) {
    for (const QString& port : ProbePorts())
        context.out << port << "\n";
    return ExitSuccess;
}

int Detect(const QCommandLineParser&, CliContext& context) {
    SerialLink link;
    QString why;
    if (!ConnectDevice(link, context.choice, &why)) {
        context.err << NotConnectedText() << ": " << why << "\n";
        return ExitFailure;
    }
    context.out << link.PortName() << "\n";
    return ExitSuccess;
}

const CliRegistration ports{{QStringLiteral("ports"),
                             QStringLiteral("List the serial ports that can be opened now."), nullptr, ListPorts}};
const CliRegistration detect{{QStringLiteral("detect"),
                              QStringLiteral("Show the tracker's port (found automatically unless --port names "
                                             "it), or why there is none."),
                              nullptr, Detect}};

}  // namespace
