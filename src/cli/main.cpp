#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

int UsageError(CliContext& context, const QString& message) {
    context.err << "kova-cli: " << message << "\n"
                << "Try 'kova-cli --help'.\n";
    context.err.flush();
    return ExitUsage;
}

namespace {

QString CommandList() {
    QString list = QStringLiteral("\nCommands:\n");
    for (const CliCommand& command : CliCommands())
        list += QStringLiteral("  %1  %2\n").arg(command.name, -14).arg(command.summary);
    return list;
}

int RunCommand(const CliCommand& command, const QStringList& arguments, CliContext& context) {
    QCommandLineParser parser;
    parser.setApplicationDescription(command.summary);
    parser.addHelpOption();
    if (command.declare)
        command.declare(parser);
    if (!parser.parse(arguments))
        return UsageError(context, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        static const QRegularExpression usageLine(QStringLiteral("^(Usage: \\S+)"));
        context.out << parser.helpText().replace(usageLine, QStringLiteral("\\1 [--port NAME] ") + command.name);
        return ExitSuccess;
    }
    return command.run(parser, context);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kova-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reads, checks and writes the settings of a КОВА Т300/Т310 "
                                                    "tracker and updates its firmware, from a shell."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Use this port (name or device path) instead of finding "
                                                       "the tracker's USB serial port automatically."),
                                        QStringLiteral("NAME"));
    parser.addOption(portOption);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see Commands)."));

    CliContext context{{}, out, err};
    if (!parser.parse(app.arguments()))
        return UsageError(context, parser.errorText());
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("help")) || positional.isEmpty()) {
        (positional.isEmpty() && !parser.isSet(QStringLiteral("help")) ? err : out)
            << parser.helpText() << CommandList();
        return parser.isSet(QStringLiteral("help")) ? ExitSuccess : ExitUsage;
    }
    if (parser.isSet(portOption))
        context.choice = PortChoice{false, parser.value(portOption)};

    for (const CliCommand& command : CliCommands())
        if (command.name == positional.front())
            return RunCommand(command, QStringList{QStringLiteral("kova-cli")} + positional.mid(1), context);
    return UsageError(context, QStringLiteral("unknown command '%1'").arg(positional.front()));
}
