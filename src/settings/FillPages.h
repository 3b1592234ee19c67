#pragma once

#include "settings/DeviceSettings.h"
#include "settings/SettingsPages.h"

// Shows the block on the settings pages. Changes no slot. An owner number or PIN that is "not set"
// leaves the field showing what it showed; a list given an index outside its items has no selection;
// a radio group given an unknown code keeps its button.
void FillPages(const DeviceSettings& block, SettingsPages& pages);
