#include "SimNmea.h"

#include <QString>

#include <cmath>

namespace {

QByteArray DegreesAndMinutes(double degrees, int degreeDigits, char positive, char negative) {
    const double magnitude = std::fabs(degrees);
    int whole = static_cast<int>(magnitude);
    double minutes = (magnitude - whole) * 60.0;
    if (std::round(minutes * 1e5) >= 60.0 * 1e5) {  // 59.999999' is written as the next degree
        ++whole;
        minutes = 0.0;
    }
    const QString text = QString::asprintf("%0*d%08.5f,%c", degreeDigits, whole, minutes, degrees < 0 ? negative : positive);
    return text.toLatin1();
}

}  // namespace

namespace SimNmea {

std::uint8_t Checksum(const QByteArray& body) {
    std::uint8_t sum = 0;
    for (const char byte : body)
        sum ^= static_cast<std::uint8_t>(byte);
    return sum;
}

QByteArray Sentence(const QByteArray& body) {
    return '$' + body + '*' + QByteArray::number(Checksum(body), 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray Time(const QDateTime& utc) {
    const QTime time = utc.toUTC().time();
    return Padded(time.hour(), 2) + Padded(time.minute(), 2) + Padded(time.second(), 2) + '.' +
           Padded(time.msec() / 10, 2);
}

QByteArray Date(const QDateTime& utc) {
    const QDate date = utc.toUTC().date();
    return Padded(date.day(), 2) + Padded(date.month(), 2) + Padded(date.year() % 100, 2);
}

QByteArray Latitude(double degrees) { return DegreesAndMinutes(degrees, 2, 'N', 'S'); }

QByteArray Longitude(double degrees) { return DegreesAndMinutes(degrees, 3, 'E', 'W'); }

QByteArray Padded(int number, int digits) { return QByteArray::number(number).rightJustified(digits, '0'); }

}  // namespace SimNmea
