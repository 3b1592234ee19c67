#pragma once

#include "settings/FileOutcome.h"

#include <QByteArray>

// Writes the whole file beside its target and moves it into place only when every byte is written, so
// a failed write keeps the old file.
FileOutcome SaveWholeFile(const QString& path, const QByteArray& contents);
