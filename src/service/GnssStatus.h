#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGeoCoordinate>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// What the GPS/GLONASS module's NMEA stream says at a glance, while the relay runs.
struct GnssStatus {
    enum class Fix { None, TwoD, ThreeD };
    Fix fix = Fix::None;
    int gpsUsed = 0, gpsInView = 0, glonassUsed = 0, glonassInView = 0;
    QDateTime utc;            // invalid until known
    QGeoCoordinate position;  // invalid until a fix
    std::optional<qint64> msSinceLastSentence;  // empty until one came
};

class GnssStatusSources;

// Reads the relayed bytes with Qt Positioning's NMEA sources. Feed passes them on at once and the
// sources parse every complete sentence before it returns, so Status() is up to date right after Feed.
// Lives on a thread with an event loop (the sources keep timers of their own).
class GnssStatusFeed : public QObject {
    Q_OBJECT
public:
    // Milliseconds of a steady clock; tests give their own.
    using Clock = std::function<qint64()>;

    explicit GnssStatusFeed(QObject* parent = nullptr);
    explicit GnssStatusFeed(Clock clock, QObject* parent = nullptr);
    ~GnssStatusFeed() override;

    void Feed(const QByteArray& bytes);   // the relayed bytes, in any split (may cut sentences)
    GnssStatus Status() const;             // as of now
    void Reset();                          // forget everything (relay restarted)

private:
    qint64 Now() const;
    void NoteSentenceEnds(const QByteArray& bytes);

    Clock clock_;
    QElapsedTimer started_;
    std::unique_ptr<GnssStatusSources> sources_;
    GnssStatus status_;
    std::optional<qint64> lastSentenceAt_;
    bool lineHasSentenceStart_ = false;
};

// One line for a person, in Russian, e.g.
// "Фикс: 3D · GPS: 8 из 12 · ГЛОНАСС: 6 из 9 · 12:34:56 UTC · 55.751244, 37.618423 · последнее предложение 0 с назад"
// and "Фикс: нет · ... · нет предложений" before any sentence.
QString GnssStatusLine(const GnssStatus& status);
