#pragma once

#include "link/ConnectDevice.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

// What every sub-command gets: the port the user chose and the two streams (results on out, the
// job's own texts and errors on err).
struct CliContext {
    PortChoice choice;
    QTextStream& out;
    QTextStream& err;
};

// One sub-command of kova-cli: it declares its options and arguments on the parser, then runs.
struct CliCommand {
    QString name;
    QString summary;
    std::function<void(QCommandLineParser&)> declare;
    std::function<int(const QCommandLineParser&, CliContext&)> run;
};

// The sub-commands, in the order --help lists them. Each file of sub-commands adds its own.
std::vector<CliCommand>& CliCommands();

struct CliRegistration {
    explicit CliRegistration(CliCommand command) { CliCommands().push_back(std::move(command)); }
};

// Prints a usage error on err with the hint, and gives ExitUsage.
int UsageError(CliContext& context, const QString& message);
