#pragma once

#include "settings/DeviceSettings.h"
#include "settings/SettingsPages.h"

// The factory settings. The whole block is zeroed first; the device-information slots and FinalMark
// stay zero. The owner number is kept: it comes from the owner phone field. False when that text
// cannot be kept in a slot (too long or not Windows-1251): the slot then stays empty.
bool ApplyDefaultSlots(DeviceSettings& block, const QString& ownerPhone);

// The defaults action: the factory settings from the owner phone field, then FillPages. A phone text
// the block cannot hold stays in the field, so the next packing names it.
void RestoreDefaults(DeviceSettings& block, SettingsPages& pages);

// The pages as the window shows them once it has started: the factory settings with an empty owner
// phone field.
SettingsPages StartedPages();
