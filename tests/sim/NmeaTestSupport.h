#pragma once

#include <QByteArray>
#include <QList>

// NMEA read back the way a receiving program would, written apart from the simulator's own code.

// The stream's sentences without their CR LF; a piece after the last CR LF is left out.
inline QList<QByteArray> NmeaLines(const QByteArray& stream) {
    QList<QByteArray> lines = stream.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

// "$", a body, "*" and two hex digits that are the XOR of the body's bytes.
inline bool HasValidChecksum(const QByteArray& sentence) {
    const qsizetype star = sentence.indexOf('*');
    if (!sentence.startsWith('$') || star < 0 || star + 3 != sentence.size())
        return false;
    int sum = 0;
    for (qsizetype i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    bool ok = false;
    return sentence.mid(star + 1).toInt(&ok, 16) == sum && ok;
}

// The fields after the address ("GNRMC"), without the checksum.
inline QList<QByteArray> NmeaFields(const QByteArray& sentence) {
    const qsizetype star = sentence.indexOf('*');
    QList<QByteArray> fields = sentence.mid(1, star < 0 ? -1 : star - 1).split(',');
    fields.removeFirst();
    return fields;
}

inline QByteArray NmeaAddress(const QByteArray& sentence) { return sentence.mid(1, 5); }

// The sentences with the given address, say "GNRMC".
inline QList<QByteArray> NmeaOf(const QByteArray& stream, const QByteArray& address) {
    QList<QByteArray> found;
    for (const QByteArray& line : NmeaLines(stream))
        if (NmeaAddress(line) == address)
            found << line;
    return found;
}

// ddmm.mmmm and its hemisphere as signed degrees.
inline double NmeaDegrees(const QByteArray& value, const QByteArray& hemisphere) {
    const double number = value.toDouble();
    const int degrees = static_cast<int>(number / 100);
    const double result = degrees + (number - degrees * 100) / 60.0;
    return hemisphere == "S" || hemisphere == "W" ? -result : result;
}
