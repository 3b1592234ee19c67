#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <optional>

// A satellite as the module sees it. Ids follow NMEA: GPS 1 to 32, GLONASS 65 to 96.
struct SimSatellite {
    int id = 0;
    int elevation = 0;  // degrees
    int azimuth = 0;    // degrees
    int snr = 0;        // dB-Hz; 0 while the satellite is not tracked
};

struct SimFix {
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    double altitude = 0;   // metres above mean sea level
};

// One second of a GPS/GLONASS module's output.
struct SimGnssEpoch {
    QDateTime utc;
    std::optional<SimFix> fix;  // none while the module is still searching
    QList<SimSatellite> gps;
    QList<SimSatellite> glonass;
};

// The epoch as NMEA: $GNRMC first (it carries the date, so readers start each second's record with it),
// then $GNGGA, one $GNGSA per system, $GPGSV and $GLGSV.
QByteArray NmeaSentences(const SimGnssEpoch& epoch);

// A satellite takes part in the fix from this signal level on.
constexpr int UsableSnr = 30;
