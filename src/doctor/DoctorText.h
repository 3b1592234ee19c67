#pragma once

#include "doctor/Diagnosis.h"

#include <QByteArray>

// The findings as lines a person reads: each port, then one line per finding with its verdict and,
// under a finding that is not right, its fix.
QString DoctorLines(const DoctorReport& report);

// The same for scripts.
QByteArray DoctorJson(const DoctorReport& report);

// The findings that are not right, each with its fix (the window's reason for "not connected").
QString ProblemLines(const QList<Finding>& findings);
