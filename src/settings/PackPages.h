#pragma once

#include "settings/DeviceSettings.h"
#include "settings/PageQuestions.h"
#include "settings/SettingsPages.h"

// What became of a packing. On a stop, the field at fault and its page: where PackPages has already
// shown that page (pageShown) the window has nothing more to do; otherwise it may leave the page as it
// is, as the program always has for the balance code and the two number fields.
struct PackOutcome {
    bool packed = false;
    QString field;            // the control at fault ("Edit2", "CheckBox3"); empty when packed
    int pageIndex = -1;       // that control's page
    int navigationEntry = 0;  // the navigation entry selected with it; 0 = navigation left alone
    bool pageShown = false;
    QString message;          // the question or message that stopped the packing

    explicit operator bool() const { return packed; }
};

// Checks the pages and packs them into the block, asking its questions and showing its messages
// through `questions`. A stop leaves the slots packed so far changed and the pages as they are; the
// caller then gives up its write or save.
PackOutcome PackPages(const SettingsPages& pages, DeviceSettings& block, PageQuestions& questions);
