#include "SimGnssEpoch.h"

#include "SimNmea.h"

namespace {

constexpr int GsaIdSlots = 12;
constexpr int GsvSatellitesPerSentence = 4;
const QByteArray Pdop = "1.6";
const QByteArray Hdop = "0.9";
const QByteArray Vdop = "1.3";
const QByteArray GeoidSeparation = "14.0";

QList<int> UsedIds(const QList<SimSatellite>& satellites, const SimGnssEpoch& epoch) {
    QList<int> ids;
    if (!epoch.fix)
        return ids;
    for (const SimSatellite& satellite : satellites)
        if (satellite.snr >= UsableSnr && ids.size() < GsaIdSlots)
            ids << satellite.id;
    return ids;
}

QByteArray Position(const SimFix& fix) {
    return SimNmea::Latitude(fix.latitude) + ',' + SimNmea::Longitude(fix.longitude);
}

QByteArray Rmc(const SimGnssEpoch& epoch) {
    const QByteArray time = SimNmea::Time(epoch.utc);
    const QByteArray date = SimNmea::Date(epoch.utc);
    if (!epoch.fix)
        return SimNmea::Sentence("GNRMC," + time + ",V,,,,,,," + date + ",,,N");
    return SimNmea::Sentence("GNRMC," + time + ",A," + Position(*epoch.fix) + ",0.02,," + date + ",,,A");
}

QByteArray Gga(const SimGnssEpoch& epoch, int used) {
    const QByteArray time = SimNmea::Time(epoch.utc);
    if (!epoch.fix)
        return SimNmea::Sentence("GNGGA," + time + ",,,,,0,00,99.99,,M,,M,,");
    return SimNmea::Sentence("GNGGA," + time + ',' + Position(*epoch.fix) + ",1," + SimNmea::Padded(used, 2) + ',' +
                             Hdop + ',' + QByteArray::number(epoch.fix->altitude, 'f', 1) + ",M," + GeoidSeparation +
                             ",M,,");
}

// systemId: 1 GPS, 2 GLONASS (the field NMEA 4.10 adds; older readers ignore it).
QByteArray Gsa(const QList<int>& used, bool hasFix, int systemId) {
    QByteArray body = hasFix ? "GNGSA,A,3" : "GNGSA,A,1";
    for (int slot = 0; slot < GsaIdSlots; ++slot)
        body += ',' + (slot < used.size() ? SimNmea::Padded(used[slot], 2) : QByteArray());
    body += hasFix ? ',' + Pdop + ',' + Hdop + ',' + Vdop : QByteArray(",99.99,99.99,99.99");
    return SimNmea::Sentence(body + ',' + QByteArray::number(systemId));
}

QByteArray Gsv(const QByteArray& talker, const QList<SimSatellite>& satellites) {
    const int count = static_cast<int>(satellites.size());
    const int sentences = qMax(1, (count + GsvSatellitesPerSentence - 1) / GsvSatellitesPerSentence);
    QByteArray out;
    for (int sentence = 0; sentence < sentences; ++sentence) {
        QByteArray body = talker + "GSV," + QByteArray::number(sentences) + ',' + QByteArray::number(sentence + 1) +
                          ',' + SimNmea::Padded(count, 2);
        for (const SimSatellite& satellite : satellites.mid(sentence * GsvSatellitesPerSentence, GsvSatellitesPerSentence))
            body += ',' + SimNmea::Padded(satellite.id, 2) + ',' + SimNmea::Padded(satellite.elevation, 2) + ',' +
                    SimNmea::Padded(satellite.azimuth, 3) + ',' +
                    (satellite.snr > 0 ? SimNmea::Padded(satellite.snr, 2) : QByteArray());
        out += SimNmea::Sentence(body);
    }
    return out;
}

}  // namespace

QByteArray NmeaSentences(const SimGnssEpoch& epoch) {
    const QList<int> gpsUsed = UsedIds(epoch.gps, epoch);
    const QList<int> glonassUsed = UsedIds(epoch.glonass, epoch);
    const bool hasFix = epoch.fix.has_value();
    return Rmc(epoch) + Gga(epoch, static_cast<int>(gpsUsed.size() + glonassUsed.size())) +
           Gsa(gpsUsed, hasFix, 1) + Gsa(glonassUsed, hasFix, 2) + Gsv("GP", epoch.gps) + Gsv("GL", epoch.glonass);
}
