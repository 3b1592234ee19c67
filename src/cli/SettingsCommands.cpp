#include "cli/CliCommand.h"
#include "cli/CliSettingsReporter.h"
#include "cli/SettingArguments.h"

#include "link/SerialLink.h"
#include "settings/CommandFile.h"
#include "settings/FillPages.h"
#include "settings/PackPages.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"

namespace {

const QCommandLineOption saveOption(QStringLiteral("save"), QStringLiteral("Also save what was read as a settings file."),
                                    QStringLiteral("FILE"));
const QCommandLineOption loadOption(QStringLiteral("load"), QStringLiteral("Start from this settings file."),
                                    QStringLiteral("FILE"));
const QCommandLineOption setOption(QStringLiteral("set"),
                                   QStringLiteral("Change one setting of what is written, e.g. --set TimeZone=5 "
                                                  "(repeatable; 'kova-cli settings' lists the values each takes)."),
                                   QStringLiteral("Name=Value"));
const QCommandLineOption yesOption(QStringLiteral("yes"), QStringLiteral("Answer the checks' questions with Yes."));
const QCommandLineOption modeOption(QStringLiteral("mode"), QStringLiteral("search, test or daily."),
                                    QStringLiteral("MODE"));

void PrintSlots(QTextStream& out, const DeviceSettings& block, bool fileSlotsOnly = false) {
    for (const SlotInfo& slot : SettingsSlots::Table())
        if (!fileSlotsOnly || slot.inFile)
            out << slot.name << "=" << block.DisplayText(slot.slot) << "\n";
}

int Failed(CliContext& context, const QString& message) {
    context.err << message << "\n";
    return ExitFailure;
}

int Report(CliContext& context, const FileOutcome& outcome) {
    return outcome ? ExitSuccess : Failed(context, outcome.caption + ": " + outcome.message);
}

int Read(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("read takes no arguments"));
    SerialLink link;
    CliSettingsReporter reporter(context.err);
    RWSettingsThread transfer(RWSettingsThread::ReadMode, link, context.choice, {}, reporter,
                              DeviceJobLease::TryTake());
    if (!transfer.Execute() || !reporter.read)
        return ExitFailure;
    PrintSlots(context.out, *reporter.read);
    if (parser.isSet(saveOption))
        return Report(context, SettingsFile::Save(*reporter.read, parser.value(saveOption)));
    return ExitSuccess;
}

int Write(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("write takes no arguments; use --load and --set"));
    const ParsedValues parsed = ParseSettingArguments(parser.values(setOption));
    if (!parsed.problem.isEmpty())
        return UsageError(context, QStringLiteral("--set ") + parsed.problem);
    if (const QString refusal = SettingValues::Refusals(parsed.values); !refusal.isEmpty())
        return UsageError(context, refusal);
    DeviceSettings block;
    SettingsPages pages;
    RestoreDefaults(block, pages);
    if (parser.isSet(loadOption))
        if (const FileOutcome loaded = SettingsFile::Load(parser.value(loadOption), block); !loaded)
            return Report(context, loaded);
    SettingValues::Apply(parsed.values, block);
    FillPages(block, pages);
    CliQuestions questions(context.err, parser.isSet(yesOption));
    if (!PackPages(pages, block, questions))
        return ExitFailure;
    if (const QString notHeld = SettingValues::NotHeld(parsed.values, block); !notHeld.isEmpty())
        return UsageError(context, notHeld);

    SerialLink link;
    CliSettingsReporter reporter(context.err);
    RWSettingsThread transfer(RWSettingsThread::WriteMode, link, context.choice, block, reporter,
                              DeviceJobLease::TryTake());
    return transfer.Execute() ? ExitSuccess : ExitFailure;
}

int Show(const QCommandLineParser& parser, CliContext& context) {
    if (parser.positionalArguments().size() != 1)
        return UsageError(context, QStringLiteral("show takes one settings file"));
    DeviceSettings block;
    if (const FileOutcome loaded = SettingsFile::Load(parser.positionalArguments().front(), block); !loaded)
        return Report(context, loaded);
    PrintSlots(context.out, block, true);
    return ExitSuccess;
}

int Defaults(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("defaults takes no arguments"));
    DeviceSettings block;
    SettingsPages pages;
    RestoreDefaults(block, pages);
    PrintSlots(context.out, block);
    return ExitSuccess;
}

int WriteCommandFile(const QCommandLineParser& parser, CliContext& context) {
    if (parser.positionalArguments().size() != 1)
        return UsageError(context, QStringLiteral("command-file takes one file name"));
    const std::optional<CommandFile::Mode> mode = CommandFile::ModeFromName(parser.value(modeOption));
    if (!mode)
        return UsageError(context, QStringLiteral("--mode takes search, test or daily"));
    return Report(context, CommandFile::Save(parser.positionalArguments().front(), static_cast<int>(*mode) - 1));
}

void DeclareWrite(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Write a whole set of settings to the tracker. It starts from the default settings, not from what "
        "the tracker holds; --load and --set change that start. To change some settings and keep the others, "
        "use 'kova-cli set'."));
    parser.addOptions({loadOption, setOption, yesOption});
}

const CliRegistration read{{QStringLiteral("read"), QStringLiteral("Read the tracker's settings and print them."),
                            [](QCommandLineParser& p) { p.addOption(saveOption); }, Read}};
const CliRegistration write{{QStringLiteral("write"),
                             QStringLiteral("Write the defaults, changed by --load and --set, to the tracker."),
                             DeclareWrite, Write}};
const CliRegistration show{{QStringLiteral("show"), QStringLiteral("Print what a settings file carries."),
                            [](QCommandLineParser& p) {
                                p.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Settings file."));
                            },
                            Show}};
const CliRegistration defaults{{QStringLiteral("defaults"), QStringLiteral("Print the default settings."),
                                [](QCommandLineParser& p) {
                                    p.setApplicationDescription(QStringLiteral(
                                        "Print the default settings.\n\nThe settings and the values they accept:\n") +
                                        SettingsListing());
                                },
                                Defaults}};
const CliRegistration commandFile{{QStringLiteral("command-file"),
                                   QStringLiteral("Write the 3-byte Wialon command file."),
                                   [](QCommandLineParser& p) {
                                       p.addOption(modeOption);
                                       p.addPositionalArgument(QStringLiteral("file"), QStringLiteral("File to write."));
                                   },
                                   WriteCommandFile}};

}  // namespace
