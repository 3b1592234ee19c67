// Feeds arbitrary bytes to what the engineering window reads from outside the program: config.ini as
// it may lie on disk, and the GPS/GLONASS module's NMEA stream as the relay passes it on.
#include "service/ConfigIniText.h"
#include "service/GnssStatus.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

using namespace Qt::Literals::StringLiterals;

const QStringList Keys = {u"Directory"_s, u"DAPath"_s, u"FirmwarePath"_s, u"Phone"_s};

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Reading never fails, and a write changes its key and nothing else: the value reads back (up to the
// length read), the other keys read as before, and writing the same again changes no byte.
void EditAsConfigIni(QByteArrayView bytes, ConfigIniEncoding encoding) {
    const QString key = Keys.at(bytes.size() % Keys.size());
    const qsizetype feed = bytes.indexOf('\n');
    const QByteArrayView firstLine = feed < 0 ? bytes : bytes.first(feed);
    const QString value = encoding == ConfigIniEncoding::Utf8 ? QString::fromUtf8(firstLine)
                                                               : QString::fromLatin1(firstLine) + u"Голос"_s;
    const std::optional<QByteArray> updated = ConfigIniText::WithValue(bytes, key, value, encoding);
    if (!updated)
        return;
    Require(ConfigIniText::Value(*updated, key, encoding) == ConfigIniText::Value(*updated, key.toUpper(), encoding));
    QString expected = value.left(ConfigIniText::MaxValueLength);
    if (!expected.isEmpty() && expected.back().isHighSurrogate())
        expected.chop(1);
    Require(ConfigIniText::Value(*updated, key, encoding) == expected);
    for (const QString& other : Keys)
        if (other != key)
            Require(ConfigIniText::Value(*updated, other, encoding) == ConfigIniText::Value(bytes, other, encoding));
    Require(ConfigIniText::WithValue(*updated, key, value, encoding) == updated);
}

// Lines that start with '$' given the checksum they lack, so that Qt's parsers go past it.
QByteArray WithChecksums(QByteArrayView bytes) {
    QByteArray stream;
    for (const QByteArray& line : bytes.toByteArray().split('\n')) {
        const qsizetype star = line.indexOf('*');
        if (!line.startsWith('$')) {
            stream += line + '\n';
            continue;
        }
        const QByteArray body = line.mid(1, star < 0 ? -1 : star - 1);
        quint8 sum = 0;
        for (const char c : body)
            sum ^= static_cast<quint8>(c);
        stream += '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
    }
    return stream;
}

void FeedAsNmeaStream(QByteArrayView bytes) {
    GnssStatusFeed feed([] { return qint64(0); });
    const qsizetype piece = bytes.isEmpty() ? 1 : 1 + static_cast<quint8>(bytes.back()) % 97;
    for (const QByteArray& stream : {bytes.toByteArray(), WithChecksums(bytes)}) {
        for (qsizetype at = 0; at < stream.size(); at += piece)
            feed.Feed(stream.mid(at, piece));
        const GnssStatus status = feed.Status();
        Require(status.gpsUsed >= 0 && status.glonassUsed >= 0 && status.gpsInView >= 0 && status.glonassInView >= 0);
        Require(!status.position.isValid() || (qAbs(status.position.latitude()) <= 90 && qAbs(status.position.longitude()) <= 180));
        Require(!GnssStatusLine(status).isEmpty());
        QCoreApplication::processEvents();
    }
    feed.Reset();
    Require(!feed.Status().msSinceLastSentence && feed.Status().fix == GnssStatus::Fix::None);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Qt's NMEA sources keep timers, which want an application object.
    static int argc = 1;
    static char name[] = "service_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    EditAsConfigIni(bytes, ConfigIniEncoding::Utf8);
    EditAsConfigIni(bytes, ConfigIniEncoding::Windows1251);
    FeedAsNmeaStream(bytes);
    return 0;
}
