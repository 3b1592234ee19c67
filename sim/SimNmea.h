#pragma once

#include <QByteArray>
#include <QDateTime>

#include <cstdint>

// NMEA 0183 sentences as a GNSS module writes them: the framing and the field formats.
namespace SimNmea {

// The XOR of the body's bytes: everything between "$" and "*".
std::uint8_t Checksum(const QByteArray& body);
// "$" + body + "*" + the checksum in two upper-case hex digits + CR LF.
QByteArray Sentence(const QByteArray& body);

QByteArray Time(const QDateTime& utc);  // hhmmss.ss
QByteArray Date(const QDateTime& utc);  // ddmmyy
QByteArray Latitude(double degrees);    // ddmm.mmmmm,N or ,S
QByteArray Longitude(double degrees);   // dddmm.mmmmm,E or ,W
// A whole number with at least the given count of digits, zero-padded.
QByteArray Padded(int number, int digits);

}  // namespace SimNmea
