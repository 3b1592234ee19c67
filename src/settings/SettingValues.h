#pragma once

#include "settings/DeviceSettings.h"

#include <QString>

#include <optional>
#include <vector>

// A setting's new text, given by the slot's name ("TimeZone=5").
struct SettingValue {
    Slot slot;
    QString text;
};

// Values given by name, taken only when the settings pages can hold them exactly: shown on the pages
// and packed again they give the same text back, and a field shows them as typing could have.
namespace SettingValues {

struct Parsed {
    std::optional<SettingValue> value;
    QString problem;  // when there is no value: why
};
// "Name=Value", with a name as the settings list prints it.
Parsed Parse(const QString& assignment);

// What the pages accept for the slot, in a few words.
QString Accepted(Slot slot);

// Empty when the pages can hold the value; otherwise a message naming the setting and what it accepts.
QString Refusal(const SettingValue& value);

// The refusals of all the values, one a line; empty when the pages can hold every one.
QString Refusals(const std::vector<SettingValue>& values);

// Stores the values in their slots; check each with Refusal first.
void Apply(const std::vector<SettingValue>& values, DeviceSettings& block);

// After packing: the values the packed block does not hold (a combination the pages cannot show, such
// as a server port with no server host), named as Refusal names them. Empty when it holds them all.
QString NotHeld(const std::vector<SettingValue>& values, const DeviceSettings& packed);

}  // namespace SettingValues
