#pragma once

#include "settings/FileOutcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The Wialon command file: three bytes, Kind 2, Marker 1 and the command's code.
namespace CommandFile {
constexpr int Size = 3;
constexpr char Kind = 2;
constexpr const char* DefaultName = "command.cfg";

enum class Mode { Search = 1, Test = 2, Daily = 3 };

// The command list of the window, item k standing for code k + 1.
QStringList Items();
// "search", "test" or "daily", as kova-cli takes them.
std::optional<Mode> ModeFromName(const QString& name);

// The file for a list index: code = index + 1, so a list without selection (-1) gives code 0.
QByteArray Bytes(int itemIndex);
inline QByteArray Bytes(Mode mode) { return Bytes(static_cast<int>(mode) - 1); }

// Writes the file under path as it is (see FileNames for the ".cfg" rule); a failed write keeps the
// old file.
FileOutcome Save(const QString& path, int itemIndex);
}  // namespace CommandFile
