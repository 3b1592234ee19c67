#include "cli/CliCommand.h"

#include "link/SerialLink.h"

namespace {

const QCommandLineOption expectOption(QStringLiteral("expect"), QStringLiteral("Answer bytes to wait for (default 1)."),
                                      QStringLiteral("N"), QStringLiteral("1"));
const QCommandLineOption timeoutOption(QStringLiteral("timeout"), QStringLiteral("Time-out in ms (default 2000)."),
                                       QStringLiteral("MS"), QStringLiteral("2000"));

void Declare(QCommandLineParser& parser) {
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("Command number, 1 to 11."));
    parser.addPositionalArgument(QStringLiteral("value"), QStringLiteral("32-bit value (decimal or 0x hex)."));
    parser.addPositionalArgument(QStringLiteral("payload"), QStringLiteral("Payload bytes in hex (optional)."),
                                 QStringLiteral("[payload]"));
    parser.addOption(expectOption);
    parser.addOption(timeoutOption);
}

bool ParseNumber(const QString& text, quint64 limit, quint64* number) {
    bool ok = false;
    *number = text.toULongLong(&ok, 0);
    return ok && *number <= limit;
}

int Raw(const QCommandLineParser& parser, CliContext& context) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() < 2 || arguments.size() > 3)
        return UsageError(context, QStringLiteral("raw takes a command, a value and an optional payload"));
    quint64 command = 0, value = 0, expect = 0, timeout = 0;
    constexpr auto LastCommand = static_cast<quint64>(DeviceCommand::WriteFirmware);
    if (!ParseNumber(arguments[0], LastCommand, &command) || command == 0)
        return UsageError(context,
                          QStringLiteral("'%1' is not a command number from 1 to %2").arg(arguments[0]).arg(LastCommand));
    if (!ParseNumber(arguments[1], 0xFFFFFFFFu, &value))
        return UsageError(context, QStringLiteral("'%1' is not a 32-bit value").arg(arguments[1]));
    if (!ParseNumber(parser.value(expectOption), SerialLink::RxSize, &expect))
        return UsageError(context, QStringLiteral("--expect takes a count from 0 to %1").arg(SerialLink::RxSize));
    if (!ParseNumber(parser.value(timeoutOption), 3600000, &timeout))
        return UsageError(context, QStringLiteral("--timeout takes milliseconds from 0 to 3600000"));
    const QString hex = arguments.value(2);
    const QByteArray payload = QByteArray::fromHex(hex.toLatin1());
    if (hex.size() % 2 != 0 || payload.toHex() != hex.toLatin1().toLower())
        return UsageError(context, QStringLiteral("the payload must be pairs of hex digits"));
    if (payload.size() > CommandFrame::MaxPayload)
        return UsageError(context, QStringLiteral("the payload has %1 bytes; a frame carries at most %2")
                                       .arg(payload.size()).arg(CommandFrame::MaxPayload));

    SerialLink link;
    QString why;
    if (!ConnectDevice(link, context.choice, &why)) {
        context.err << NotConnectedText() << ": " << why << "\n";
        return ExitFailure;
    }
    if (!link.SendFrame(static_cast<std::uint8_t>(command), static_cast<std::uint32_t>(value), payload,
                        static_cast<int>(timeout))) {
        context.err << QStringLiteral("the frame was not sent: %1").arg(link.LastError()) << "\n";
        return ExitFailure;
    }
    const bool answered = link.WaitForBytes(static_cast<std::uint32_t>(expect), static_cast<int>(timeout));
    context.out << link.ReceivedBytes().toHex(' ') << "\n";
    if (!answered) {
        context.err << QStringLiteral("no answer: %1 of %2 bytes within %3 ms")
                           .arg(link.ReceivedCount()).arg(expect).arg(timeout)
                    << "\n";
        return ExitFailure;
    }
    return ExitSuccess;
}

const CliRegistration raw{{QStringLiteral("raw"),
                           QStringLiteral("Send one command frame and print the answer bytes in hex."), Declare, Raw}};

}  // namespace
