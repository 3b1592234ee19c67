#pragma once

#include "settings/SettingValues.h"

#include <QStringList>

#include <vector>

// Name=Value arguments as setting values; `problem` names an argument that is no setting.
struct ParsedValues {
    std::vector<SettingValue> values;
    QString problem;
};
ParsedValues ParseSettingArguments(const QStringList& assignments);

// Every setting with what it accepts and its default, one a line.
QString SettingsListing();
