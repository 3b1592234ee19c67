#include "NmeaTestSupport.h"
#include "SimNmea.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace {

TEST(SimNmea, ASentenceCarriesTheXorOfItsBodyInUpperCaseHex) {
    // The textbook GGA sentence and its published checksum.
    const QByteArray body = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";
    EXPECT_EQ(SimNmea::Sentence(body), "$" + body + "*47\r\n");
    EXPECT_EQ(SimNmea::Sentence("A"), "$A*41\r\n");
    EXPECT_EQ(SimNmea::Sentence("AB"), "$AB*03\r\n");  // a leading zero is kept
}

struct Coordinate {
    double degrees;
    bool latitude;
    QByteArray text;
};

void PrintTo(const Coordinate& c, std::ostream* out) { *out << c.text.constData(); }

class SimNmeaCoordinates : public testing::TestWithParam<Coordinate> {};

TEST_P(SimNmeaCoordinates, AreWrittenAsDegreesAndMinutesWithTheirHemisphere) {
    const Coordinate& c = GetParam();
    EXPECT_EQ(c.latitude ? SimNmea::Latitude(c.degrees) : SimNmea::Longitude(c.degrees), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, SimNmeaCoordinates,
                         testing::Values(Coordinate{55.7558, true, "5545.34800,N"},
                                         Coordinate{-33.5, true, "3330.00000,S"},
                                         Coordinate{37.6173, false, "03737.03800,E"},
                                         Coordinate{-122.25, false, "12215.00000,W"},
                                         Coordinate{0.0, true, "0000.00000,N"},
                                         Coordinate{8.0166666, false, "00801.00000,E"},
                                         // 59.9999994 minutes would read "60.00000": the next degree instead
                                         Coordinate{10.99999999, true, "1100.00000,N"}));

TEST(SimNmea, TimeAndDateAreUtcWithHundredthsAndATwoDigitYear) {
    const QDateTime moscow(QDate(2031, 1, 2), QTime(2, 4, 5, 670), QTimeZone(3 * 3600));
    EXPECT_EQ(SimNmea::Time(moscow), "230405.67");
    EXPECT_EQ(SimNmea::Date(moscow), "010131");
}

}  // namespace
