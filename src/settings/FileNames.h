#pragma once

#include <QString>

// File names from the dialogs get their extension appended only when that text occurs nowhere in the
// name: a case-sensitive substring test, so CONFIG.CFG becomes CONFIG.CFG.cfg and a.cfg.bak stays.
namespace FileNames {
constexpr const char* SettingsExtension = ".cfg";

bool ContainsExtension(const QString& name, const QString& extension);
QString WithExtension(const QString& name, const QString& extension);
}  // namespace FileNames
