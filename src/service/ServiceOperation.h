#pragma once

#include <QString>

// The engineering menu's operations on the modem and the module, by the numbers the window gives them.
enum class ServiceOperation {
    ModemOn = 1,
    ModemOff = 2,
    GpsOn = 3,
    GpsOff = 4,
    WriteVoiceFiles = 5,
    CreateTestSim = 6,
    DeactivateTestSim = 7,
    SendImeiBySms = 8,
    TestCall = 9,
    CancelCall = 10,
};

// The line an engineering window or kova-cli logs when a device job is already running.
inline QString DeviceBusyText() { return QStringLiteral("Устройство занято: выполняется другая операция"); }
