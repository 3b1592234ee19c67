#pragma once

#include <QByteArray>
#include <QIODevice>

// A read-only stream the NMEA sources read from: bytes appended to it are announced with readyRead at
// once. An unfinished line longer than any sentence is dropped, so a stream without line breaks cannot
// make it grow without end.
class GnssStatusInput : public QIODevice {
public:
    static constexpr qsizetype MaxUnfinishedLine = 4096;

    explicit GnssStatusInput(QObject* parent = nullptr);
    void Append(const QByteArray& bytes);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool canReadLine() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray pending_;
};
