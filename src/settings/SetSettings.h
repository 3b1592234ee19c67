#pragma once

#include "link/ConnectDevice.h"
#include "settings/PageQuestions.h"
#include "settings/Rwsettingsthread.h"
#include "settings/SettingValues.h"

#include <QStringList>

#include <optional>
#include <vector>

class SerialLink;

// What became of setting values sent to a tracker.
struct SetOutcome {
    enum Kind { Written, Refused, Failed };
    Kind kind = Failed;
    QString refusal;        // Refused: the values the pages cannot hold, one per line
    QStringList differing;  // the slots the tracker did not keep as they were sent
};

// Changes some settings of one tracker the way the window does it: reads all of its settings, shows
// them with the new values on the pages, packs the pages (asking `questions`), writes positions 0..24
// and reads them back. Values the pages cannot hold are refused before anything is sent. Success
// ("Настройки успешно записаны") is reported only when every written slot came back as it was sent;
// otherwise the failure names the slots that differ.
SetOutcome SetSettings(SerialLink& link, const PortChoice& choice, const std::vector<SettingValue>& values,
                       SettingsTransferReporter& reporter, PageQuestions& questions);

// What is put on top of a tracker's own settings: the slots a settings file carries (when one is
// given), then the values.
struct SettingsProfile {
    std::optional<DeviceSettings> file;  // only the slots a settings file carries are taken from it
    std::vector<SettingValue> values;
};

// The same with a profile, holding `lease` from the first read to the last, so no other job comes
// between them. The completed reads go on to the reporter as well (the first one names the tracker).
SetOutcome SetSettings(SerialLink& link, const PortChoice& choice, const SettingsProfile& profile,
                       SettingsTransferReporter& reporter, PageQuestions& questions, DeviceJobLease lease);
