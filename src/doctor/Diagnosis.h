#pragma once

#include "doctor/SystemFacts.h"

enum class Verdict { Ok, Warning, Problem };

// One thing the doctor found, and what fixes it when it is not right.
struct Finding {
    Verdict verdict = Verdict::Ok;
    QString text;
    QString fix;
};

struct PortReport {
    UsbTrackerPort port;
    bool usable = false;  // it exists, this user opens it and no other program holds it
    QList<Finding> findings;
};

struct DoctorReport {
    QList<PortReport> ports;
    QList<Finding> system;  // what concerns every port: ModemManager, brltty, how many trackers
    bool usable = false;    // the named port is usable, or (none named) a tracker port is
};

// Everything about one port.
PortReport DiagnosePort(const SystemFacts& facts, const UsbTrackerPort& port);

// The findings on every tracker port and on the named one (empty: none named).
DoctorReport Diagnose(const SystemFacts& facts, const QString& namedPort = {});
