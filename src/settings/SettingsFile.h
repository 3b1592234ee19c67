#pragma once

#include "settings/DeviceSettings.h"
#include "settings/FileOutcome.h"

#include <QByteArray>
#include <QString>

// The settings file (*.cfg): a packed 118-byte record of the settings the user edits, without the
// Wialon settings and the device information. Numbers are little-endian and hold the slot's leading
// number cut to the field's width; texts are zero-terminated Windows-1251.
namespace SettingsFile {
constexpr int Size = 118;
constexpr char Kind = 1;  // first byte; the Wialon command file has 2

// The record for the block, or the message naming the first text that does not fit its field.
struct Record {
    QByteArray bytes;
    QString problem;
};
Record Build(const DeviceSettings& block);

// Copies a record into the slots the file carries, after checking it: it must be 118 bytes long, start
// with 1, and hold texts the slots can take. On refusal the block is unchanged.
FileOutcome Apply(const QByteArray& record, DeviceSettings& block);

// Saves the carried slots under path (the name as it is; see FileNames for the ".cfg" rule). Nothing is
// written when a text does not fit; a failed write keeps the old file.
FileOutcome Save(const DeviceSettings& block, const QString& path);

// Loads an existing settings file into the carried slots; anything else is refused with a message and
// changes nothing.
FileOutcome Load(const QString& path, DeviceSettings& block);
}  // namespace SettingsFile
