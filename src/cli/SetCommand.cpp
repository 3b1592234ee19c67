#include "cli/CliCommand.h"
#include "cli/CliSettingsReporter.h"
#include "cli/SettingArguments.h"

#include "link/SerialLink.h"
#include "settings/SetSettings.h"

namespace {

const QCommandLineOption yesOption(QStringLiteral("yes"), QStringLiteral("Answer the checks' questions with Yes."));

void Declare(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Change some settings of the tracker and keep the others: read its settings, apply the values, check "
        "and write them, then read them back. Success only when the tracker holds what was written."));
    parser.addPositionalArgument(QStringLiteral("Name=Value"),
                                 QStringLiteral("A setting and its new value ('kova-cli settings' lists them)."),
                                 QStringLiteral("Name=Value..."));
    parser.addOption(yesOption);
}

int Set(const QCommandLineParser& parser, CliContext& context) {
    if (parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("set takes one or more Name=Value"));
    const ParsedValues parsed = ParseSettingArguments(parser.positionalArguments());
    if (!parsed.problem.isEmpty())
        return UsageError(context, parsed.problem);
    SerialLink link;
    CliSettingsReporter reporter(context.err);
    CliQuestions questions(context.err, parser.isSet(yesOption));
    const SetOutcome outcome = SetSettings(link, context.choice, parsed.values, reporter, questions);
    if (outcome.kind == SetOutcome::Refused)
        return UsageError(context, outcome.refusal);
    return outcome.kind == SetOutcome::Written ? ExitSuccess : ExitFailure;
}

int ListSettings(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("settings takes no arguments"));
    context.out << SettingsListing();
    return ExitSuccess;
}

const CliRegistration set{{QStringLiteral("set"),
                           QStringLiteral("Change some settings of the tracker, keep the rest, and check them."),
                           Declare, Set}};
const CliRegistration settings{{QStringLiteral("settings"),
                                QStringLiteral("List every setting with the values it accepts."), nullptr,
                                ListSettings}};

}  // namespace
