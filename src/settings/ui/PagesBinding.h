#pragma once

#include "settings/SettingsPages.h"

class QComboBox;
class QWidget;

// The settings pages are a view of a SettingsPages record: these copy the record to the named controls
// under `pages` and back, and nothing more.
void ShowOnPages(const SettingsPages& record, QWidget* pages);
SettingsPages TakeFromPages(const QWidget* pages);

// The item a list whose text can be typed stands at: its selection while the text is that item's,
// the item the typed text names exactly, or -1 for a text that is no item.
int TypedListIndex(const QComboBox* list);
