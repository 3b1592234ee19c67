#include "service/GnssStatus.h"

namespace {

using namespace Qt::Literals::StringLiterals;

QString FixText(GnssStatus::Fix fix) {
    switch (fix) {
    case GnssStatus::Fix::TwoD:
        return u"2D"_s;
    case GnssStatus::Fix::ThreeD:
        return u"3D"_s;
    case GnssStatus::Fix::None:
        break;
    }
    return u"нет"_s;
}

QString TimeText(const QDateTime& utc) {
    return utc.isValid() ? utc.toUTC().toString(u"HH:mm:ss"_s) + u" UTC"_s : u"время неизвестно"_s;
}

QString PositionText(const QGeoCoordinate& position) {
    if (!position.isValid())
        return u"координат нет"_s;
    return QString::number(position.latitude(), 'f', 6) + u", "_s + QString::number(position.longitude(), 'f', 6);
}

QString LastSentenceText(const std::optional<qint64>& msSince) {
    if (!msSince)
        return u"нет предложений"_s;
    return u"последнее предложение %1 с назад"_s.arg(std::max<qint64>(*msSince, 0) / 1000);
}

}  // namespace

QString GnssStatusLine(const GnssStatus& status) {
    return QStringList{u"Фикс: "_s + FixText(status.fix),
                       u"GPS: %1 из %2"_s.arg(status.gpsUsed).arg(status.gpsInView),
                       u"ГЛОНАСС: %1 из %2"_s.arg(status.glonassUsed).arg(status.glonassInView),
                       TimeText(status.utc), PositionText(status.position), LastSentenceText(status.msSinceLastSentence)}
        .join(u" · "_s);
}
