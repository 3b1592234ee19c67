#pragma once

#include "link/ConnectDevice.h"
#include "settings/PageQuestions.h"
#include "settings/Rwsettingsthread.h"
#include "settings/SettingValues.h"

#include <QStringList>

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
