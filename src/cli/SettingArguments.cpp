#include "cli/SettingArguments.h"

#include "settings/SettingsDefaults.h"

ParsedValues ParseSettingArguments(const QStringList& assignments) {
    ParsedValues parsed;
    for (const QString& assignment : assignments) {
        SettingValues::Parsed one = SettingValues::Parse(assignment);
        if (!one.value)
            return {{}, one.problem};
        parsed.values.push_back(*one.value);
    }
    return parsed;
}

QString SettingsListing() {
    DeviceSettings defaults;
    ApplyDefaultSlots(defaults, QString());
    QString listing;
    for (const SlotInfo& slot : SettingsSlots::Table()) {
        const bool written = slot.position < SettingsSlots::WrittenPositions;
        const QString value = defaults.DisplayText(slot.slot);
        listing += QStringLiteral("  %1 %2").arg(QLatin1String(slot.name), -21).arg(SettingValues::Accepted(slot.slot));
        if (written)
            listing += QStringLiteral(" (default: %1)").arg(value.isEmpty() ? QStringLiteral("empty") : value);
        listing += QLatin1Char('\n');
    }
    return listing;
}
