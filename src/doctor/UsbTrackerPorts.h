#pragma once

#include "doctor/SystemFacts.h"

// The ttys bound to the cdc_acm driver under a sysfs tty class folder (normally /sys/class/tty), with
// the vendor and product ids and the product name of their USB device.
QList<UsbTrackerPort> UsbTrackerPorts(const QString& sysClassTty, const QString& devRoot = QStringLiteral("/dev"));
