#pragma once

#include <QString>

#include <functional>

// Whether the program may create or change the file or folder at path.
using WritablePlaceCheck = std::function<bool(const QString& path)>;

// Tries it: a folder by creating a temporary file in it, a file by opening it for appending. Mode bits
// alone do not tell (an administrator, a read-only mount, access lists).
bool CanWritePlace(const QString& path);

// Where config.ini is kept. Beside the executable when it can be written there (a portable copy): the
// folder must take a new file, since a write goes to a temporary file that then replaces the old one,
// and an existing file must be writable itself. Otherwise in the per-user folder, which is created, and
// into which a copy beside the executable is copied the first time. The working directory plays no part.
QString ChooseConfigIniPath(const QString& executableDir, const QString& userConfigDir,
                            const WritablePlaceCheck& canWrite = CanWritePlace);
