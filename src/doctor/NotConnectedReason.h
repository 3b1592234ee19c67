#pragma once

#include "doctor/SystemFacts.h"
#include "link/ConnectDevice.h"

// Why a job found no device, with the fix, for the "not connected" box: in automatic mode no port or
// several ports (naming them), or the one port's finding; in manual mode the named port's finding.
QString NotConnectedReason(const PortChoice& choice, const UsbSerialSource& source, const SystemFacts& facts);

// The reason for a job's result: empty unless the result is "not connected". Uses the discovery and
// the system's facts in use now.
QString NotConnectedReasonFor(const QString& resultText, const PortChoice& choice);
