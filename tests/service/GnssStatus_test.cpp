#include "service/GnssStatus.h"
#include "service/GnssStatusInput.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using namespace Qt::Literals::StringLiterals;

// "$" + body + "*" + checksum + CR LF, the checksum being the XOR of the body's bytes.
QByteArray Sentence(const QByteArray& body) {
    quint8 sum = 0;
    for (const char c : body)
        sum ^= static_cast<quint8>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

// One second of a module with a 3D fix near Moscow: 8 of 12 GPS and 6 of 9 GLONASS satellites.
QByteArray FixSecond(const QByteArray& hhmmss) {
    return Sentence("GNRMC," + hhmmss + ".00,A,5545.07464,N,03737.10538,E,0.05,,110624,,,A") +
           Sentence("GNGGA," + hhmmss + ".00,5545.07464,N,03737.10538,E,1,14,0.9,150.2,M,14.5,M,,") +
           Sentence("GPGSA,A,3,02,05,07,13,15,18,20,30,,,,,1.6,0.9,1.3") +
           Sentence("GLGSA,A,3,65,66,72,73,80,81,,,,,,,1.6,0.9,1.3") +
           Sentence("GPGSV,3,1,12,02,45,120,40,05,30,060,38,07,70,200,45,13,20,300,33") +
           Sentence("GPGSV,3,2,12,15,55,090,42,18,10,010,25,20,35,250,39,30,60,330,44") +
           Sentence("GPGSV,3,3,12,09,05,180,,11,03,020,,24,08,140,,29,02,270,") +
           Sentence("GLGSV,3,1,09,65,40,100,37,66,50,160,41,72,25,220,34,73,65,280,43") +
           Sentence("GLGSV,3,2,09,80,15,040,29,81,35,330,36,71,05,190,,74,04,060,") +
           Sentence("GLGSV,3,3,09,82,02,300,");
}

// A module that sees a few satellites but has no fix yet; it knows the time already.
QByteArray NoFixSecond(const QByteArray& hhmmss) {
    return Sentence("GNRMC," + hhmmss + ".00,V,,,,,,,110624,,,N") +
           Sentence("GNGGA," + hhmmss + ".00,,,,,0,00,99.99,,,,,,") +
           Sentence("GPGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99") + Sentence("GLGSA,A,1,,,,,,,,,,,,,99.99,99.99,99.99") +
           Sentence("GPGSV,1,1,03,02,45,120,21,05,30,060,,07,70,200,18") + Sentence("GLGSV,1,1,01,65,40,100,");
}

// As text, so that a failed comparison shows it.
std::string Line(const GnssStatus& status) { return GnssStatusLine(status).toStdString(); }

void FeedInPieces(GnssStatusFeed& feed, const QByteArray& bytes, qsizetype piece) {
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        feed.Feed(bytes.mid(at, piece));
}

class GnssStatusTest : public testing::Test {
protected:
    qint64 now = 100000;
    GnssStatusFeed feed{[this] { return now; }};
};

TEST_F(GnssStatusTest, AStreamWithAFixReadsWhateverWayItIsCut) {
    const QByteArray stream = FixSecond("123454") + FixSecond("123455") + FixSecond("123456");
    // Single bytes, pieces that cut sentences and their CR LF apart, one second's chunk, all at once.
    for (const qsizetype piece : {qsizetype(1), qsizetype(7), qsizetype(83), qsizetype(960), stream.size()}) {
        feed.Reset();
        FeedInPieces(feed, stream, piece);
        const GnssStatus status = feed.Status();
        EXPECT_EQ(status.fix, GnssStatus::Fix::ThreeD) << piece;
        EXPECT_EQ(status.gpsUsed, 8) << piece;
        EXPECT_EQ(status.gpsInView, 12) << piece;
        EXPECT_EQ(status.glonassUsed, 6) << piece;
        EXPECT_EQ(status.glonassInView, 9) << piece;
        EXPECT_EQ(status.utc, QDateTime(QDate(2024, 6, 11), QTime(12, 34, 56), Qt::UTC)) << piece;
        EXPECT_NEAR(status.position.latitude(), 55.751244, 1e-6) << piece;
        EXPECT_NEAR(status.position.longitude(), 37.618423, 1e-6) << piece;
        EXPECT_EQ(status.msSinceLastSentence, 0) << piece;
    }
    now += 2500;
    EXPECT_EQ(Line(feed.Status()),
              "Фикс: 3D · GPS: 8 из 12 · ГЛОНАСС: 6 из 9 · 12:34:56 UTC · 55.751244, 37.618423 · "
              "последнее предложение 2 с назад");
}

TEST_F(GnssStatusTest, BeforeAnySentenceNothingIsKnown) {
    EXPECT_EQ(Line(feed.Status()),
              "Фикс: нет · GPS: 0 из 0 · ГЛОНАСС: 0 из 0 · время неизвестно · координат нет · нет предложений");
    feed.Feed(Sentence("GNGGA,123456.00,5545.07464,N,03737.10538,E,1,14,0.9,150.2,M,14.5,M,,").chopped(2));
    EXPECT_FALSE(feed.Status().msSinceLastSentence) << "the sentence has not ended yet";
    feed.Feed("\r\n");
    EXPECT_EQ(feed.Status().msSinceLastSentence, 0);
}

TEST_F(GnssStatusTest, NoFixShowsWhatTheModuleSeesAndNoPosition) {
    feed.Feed(NoFixSecond("000001") + NoFixSecond("000002"));
    const GnssStatus status = feed.Status();
    EXPECT_EQ(status.fix, GnssStatus::Fix::None);
    EXPECT_EQ(status.gpsUsed, 0);
    EXPECT_EQ(status.gpsInView, 3);
    EXPECT_EQ(status.glonassInView, 1);
    EXPECT_FALSE(status.position.isValid());
    EXPECT_EQ(Line(status),
              "Фикс: нет · GPS: 0 из 3 · ГЛОНАСС: 0 из 1 · 00:00:02 UTC · координат нет · последнее предложение 0 с назад");
}

TEST_F(GnssStatusTest, FollowsTheFixModeAsItChanges) {
    feed.Feed(FixSecond("120000"));
    feed.Feed(Sentence("GPGSA,A,2,02,05,07,,,,,,,,,,2.5,2.3,1.0"));
    EXPECT_EQ(feed.Status().fix, GnssStatus::Fix::TwoD);
    EXPECT_EQ(feed.Status().gpsUsed, 3);
    EXPECT_TRUE(GnssStatusLine(feed.Status()).startsWith(u"Фикс: 2D · GPS: 3 из 12 ·"_s));
    feed.Feed(NoFixSecond("120002"));
    EXPECT_EQ(feed.Status().fix, GnssStatus::Fix::None);
    EXPECT_EQ(feed.Status().glonassUsed, 0);
    EXPECT_EQ(feed.Status().utc.time(), QTime(12, 0, 2));
}

TEST_F(GnssStatusTest, CombinedTalkerGsaCountsEachSystemByItsSatelliteNumbers) {
    feed.Feed(Sentence("GNGSA,A,3,02,05,07,,,,,,,,,,1.6,0.9,1.3,1") + Sentence("GNGSA,A,3,65,70,,,,,,,,,,,1.6,0.9,1.3,2"));
    EXPECT_EQ(feed.Status().fix, GnssStatus::Fix::ThreeD);
    EXPECT_EQ(feed.Status().gpsUsed, 3);
    EXPECT_EQ(feed.Status().glonassUsed, 2);
}

TEST_F(GnssStatusTest, TimeWithoutADateTakesTheDayOfTheLastDatedSentence) {
    feed.Feed(Sentence("GNGGA,235958.00,5545.07464,N,03737.10538,E,1,14,0.9,150.2,M,14.5,M,,"));
    EXPECT_FALSE(feed.Status().utc.isValid()) << "no day known yet";
    feed.Feed(FixSecond("235959"));
    feed.Feed(Sentence("GNGGA,235959.50,5545.07464,N,03737.10538,E,1,14,0.9,150.2,M,14.5,M,,"));
    EXPECT_EQ(feed.Status().utc, QDateTime(QDate(2024, 6, 11), QTime(23, 59, 59, 500), Qt::UTC));
}

TEST_F(GnssStatusTest, DamagedSentencesChangeNothing) {
    QByteArray wrongSum = Sentence("GPGSA,A,3,02,05,07,13,15,18,20,30,,,,,1.6,0.9,1.3");
    wrongSum[wrongSum.size() - 3] = wrongSum[wrongSum.size() - 3] == '0' ? '1' : '0';
    QByteArray cut = Sentence("GNRMC,101010.00,A,5545.07464,N,03737.10538,E,0.05,,110624,,,A");
    cut.remove(20, 5);
    feed.Feed(wrongSum + cut + "$GPGSA,A,3,01,02*\r\n" + QByteArray("\0\0\xFF$$$*\n", 9));
    const GnssStatus status = feed.Status();
    EXPECT_EQ(status.fix, GnssStatus::Fix::None);
    EXPECT_EQ(status.gpsUsed, 0);
    EXPECT_FALSE(status.utc.isValid());
    EXPECT_FALSE(status.position.isValid());
}

TEST_F(GnssStatusTest, GarbageNeitherBreaksTheFeedNorGrowsIt) {
    std::mt19937 random(7);
    QByteArray noise(20000, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    feed.Feed(noise);
    feed.Feed(QByteArray(100000, '$'));  // a line that never ends
    QCoreApplication::processEvents();
    feed.Feed("\r\n" + FixSecond("081500"));
    EXPECT_EQ(feed.Status().fix, GnssStatus::Fix::ThreeD);
    EXPECT_EQ(feed.Status().utc.time(), QTime(8, 15, 0));

    GnssStatusInput input;
    input.Append(QByteArray(3 * GnssStatusInput::MaxUnfinishedLine, 'x'));
    EXPECT_EQ(input.bytesAvailable(), 0);
    input.Append("$GP\nunfinished");
    EXPECT_TRUE(input.canReadLine());
    EXPECT_EQ(input.readLine(), QByteArray("$GP\n"));
    EXPECT_FALSE(input.canReadLine());
}

TEST_F(GnssStatusTest, ResetForgetsEverythingAndReadsTheSameStreamAfresh) {
    feed.Feed(FixSecond("101010"));
    feed.Reset();
    EXPECT_EQ(Line(feed.Status()),
              "Фикс: нет · GPS: 0 из 0 · ГЛОНАСС: 0 из 0 · время неизвестно · координат нет · нет предложений");
    // The very same satellites again: Qt's sources report only changes, which must not hide them now.
    feed.Feed(FixSecond("101010"));
    EXPECT_EQ(feed.Status().gpsUsed, 8);
    EXPECT_EQ(feed.Status().glonassInView, 9);
    EXPECT_EQ(feed.Status().fix, GnssStatus::Fix::ThreeD);
}

TEST_F(GnssStatusTest, TheLineCountsWholeSecondsAndShowsTheSouthAndWest) {
    GnssStatus status;
    status.fix = GnssStatus::Fix::TwoD;
    status.position = QGeoCoordinate(-33.8688197, -151.2092961);
    status.utc = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC);
    status.msSinceLastSentence = 1999;
    EXPECT_EQ(Line(status),
              "Фикс: 2D · GPS: 0 из 0 · ГЛОНАСС: 0 из 0 · 03:04:05 UTC · -33.868820, "
              "-151.209296 · последнее предложение 1 с назад");
}

TEST(GnssStatusFeedClock, WithoutAGivenClockTheAgeStillCounts) {
    GnssStatusFeed feed;
    feed.Feed(FixSecond("101010"));
    ASSERT_TRUE(feed.Status().msSinceLastSentence.has_value());
    EXPECT_GE(*feed.Status().msSinceLastSentence, 0);
}

}  // namespace
