#include "cli/CliCommand.h"
#include "cli/CliSettingsReporter.h"

#include "link/SerialLink.h"
#include "settings/CommandFile.h"
#include "settings/FillPages.h"
#include "settings/PackPages.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"
#include "settings/Win1251.h"

namespace {

const QCommandLineOption saveOption(QStringLiteral("save"), QStringLiteral("Also save what was read as a settings file."),
                                    QStringLiteral("FILE"));
const QCommandLineOption loadOption(QStringLiteral("load"), QStringLiteral("Start from this settings file."),
                                    QStringLiteral("FILE"));
const QCommandLineOption setOption(QStringLiteral("set"),
                                   QStringLiteral("Set one slot, e.g. --set TimeZone=5 (repeatable)."),
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

// Applies Name=Value to the block; an error text when it cannot.
QString ApplySet(const QString& assignment, DeviceSettings& block) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    const SlotInfo* slot = equals > 0 ? SettingsSlots::FindByName(assignment.left(equals)) : nullptr;
    if (!slot)
        return QStringLiteral("--set %1: no such setting (names as 'kova-cli defaults' prints them)").arg(assignment);
    const QString value = assignment.mid(equals + 1);
    if (!Win1251::CanEncode(value))
        return QStringLiteral("--set %1: '%2' cannot be stored in Windows-1251")
            .arg(slot->name, Win1251::Unencodable(value));
    const QByteArray bytes = Win1251::Encode(value);
    if (!DeviceSettings::Fits(bytes))
        return QStringLiteral("--set %1: longer than %2 characters").arg(slot->name).arg(DeviceSettings::MaxTextLength);
    block.SetText(slot->slot, bytes);
    return {};
}

int Write(const QCommandLineParser& parser, CliContext& context) {
    if (!parser.positionalArguments().isEmpty())
        return UsageError(context, QStringLiteral("write takes no arguments; use --load and --set"));
    DeviceSettings block;
    SettingsPages pages;
    RestoreDefaults(block, pages);
    if (parser.isSet(loadOption))
        if (const FileOutcome loaded = SettingsFile::Load(parser.value(loadOption), block); !loaded)
            return Report(context, loaded);
    for (const QString& assignment : parser.values(setOption))
        if (const QString problem = ApplySet(assignment, block); !problem.isEmpty())
            return UsageError(context, problem);
    FillPages(block, pages);
    CliQuestions questions(context.err, parser.isSet(yesOption));
    if (!PackPages(pages, block, questions))
        return ExitFailure;

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

const CliRegistration read{{QStringLiteral("read"), QStringLiteral("Read the tracker's settings and print them."),
                            [](QCommandLineParser& p) { p.addOption(saveOption); }, Read}};
const CliRegistration write{{QStringLiteral("write"),
                             QStringLiteral("Write settings to the tracker: the defaults, a file and --set values."),
                             [](QCommandLineParser& p) { p.addOptions({loadOption, setOption, yesOption}); }, Write}};
const CliRegistration show{{QStringLiteral("show"), QStringLiteral("Print what a settings file carries."),
                            [](QCommandLineParser& p) {
                                p.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Settings file."));
                            },
                            Show}};
const CliRegistration defaults{{QStringLiteral("defaults"), QStringLiteral("Print the default settings."), nullptr,
                                Defaults}};
const CliRegistration commandFile{{QStringLiteral("command-file"),
                                   QStringLiteral("Write the 3-byte Wialon command file."),
                                   [](QCommandLineParser& p) {
                                       p.addOption(modeOption);
                                       p.addPositionalArgument(QStringLiteral("file"), QStringLiteral("File to write."));
                                   },
                                   WriteCommandFile}};

}  // namespace
