#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// How the program reads the numbers kept as text in the settings slots.
namespace SlotNumbers {

// The leading decimal number of a text: optional blanks and sign, then digits. An empty or
// non-numeric text reads as 0; a number beyond the 32-bit range reads as the nearest limit.
int Leading(QByteArrayView text);

// The main session time "HHMM": the first two characters and the next two, each read as a number.
std::array<int, 2> SessionTime(QByteArrayView text);

// The guard intervals: eight two-character numbers (start hour, start minute, end hour, end minute of
// interval 1, then of interval 2).
std::array<int, 8> GuardIntervals(QByteArrayView text);

// The guard zone "M DDD": a number, blanks, then up to three digits. What cannot be read counts as 0.
struct GuardZoneValue {
    int mode = 0;
    int diameter = 0;
};
GuardZoneValue GuardZone(QByteArrayView text);

// A field's whole text as a signed 32-bit integer: an optional sign followed by digits and nothing else.
// Empty text, other characters or a value out of range give nothing.
std::optional<int> WholeInteger(const QString& text);

// The error the program shows when a field that must hold an integer does not.
QString NotAnIntegerMessage(const QString& text);

}  // namespace SlotNumbers
