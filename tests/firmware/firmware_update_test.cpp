#include "RecordingReporter.h"
#include "SimPort.h"

#include "firmware/McUpdateThread.h"
#include "link/CommandFrame.h"
#include "link/LinkFaults.h"
#include "link/SerialLink.h"
#include "link/Timings.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t FlashStart = 0x08006400;
using Writes = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
using Progress = std::vector<std::pair<qint64, qint64>>;

QByteArray Payload(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

class FirmwareUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        MutableTimings().eraseFirmwareMs = 300;
        MutableTimings().writeFirmwareMs = 300;
    }
    void TearDown() override {
        link.Close();
        sim.Stop();
        MutableTimings() = Timings{};
    }

    QString WriteFile(const QString& name, const QByteArray& payload, int headerSize = 15) {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(headerSize, 'H') + payload);
        return path;
    }

    bool Run(const QString& path, PortChoice choice = {}) {
        if (choice.automatic && choice.portText.isEmpty())
            choice = {false, sim.Path()};
        MCUpdateThread update(link, choice, path, reporter, DeviceJobLease::TryTake());
        return update.Execute();
    }

    // The (address, length) of every write frame the device received.
    Writes SentWrites(int fromFrame = 0) {
        Writes writes;
        for (const QByteArray& frame : sim.Device().Frames().mid(fromFrame)) {
            const auto header = CommandFrame::ParseHeader(frame.constData());
            if (header.command == static_cast<std::uint8_t>(DeviceCommand::WriteFirmware))
                writes.push_back({header.value - FlashStart, header.length});
        }
        return writes;
    }

    QTemporaryDir dir;
    SimPort sim;
    SerialLink link;
    RecordingReporter reporter;
};

TEST_F(FirmwareUpdate, SendsThePayloadInPiecesAndTheDeviceKeepsItByteForByte) {
    struct Case {
        int payload;
        Writes writes;
        Progress progress;
    };
    const Case cases[] = {
        {5000, {{0, 2048}, {2048, 2048}, {4096, 904}}, {{2048, 5000}, {4096, 5000}, {5000, 5000}}},
        {2048, {{0, 2048}}, {{2048, 2048}}},
        {2049, {{0, 2048}, {2048, 1}}, {{2048, 2049}, {2049, 2049}}},
        {0, {{0, 0}}, {{0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.payload);
        reporter.Clear();
        const int framesBefore = sim.Device().FrameCount();
        const QByteArray payload = Payload(c.payload);
        ASSERT_TRUE(Run(WriteFile("new.fmw", payload)));
        EXPECT_EQ(sim.Device().Frames()[framesBefore].at(0), static_cast<char>(DeviceCommand::EraseFirmware));
        EXPECT_EQ(SentWrites(framesBefore), c.writes);
        EXPECT_EQ(reporter.progress, c.progress);
        EXPECT_EQ(sim.Device().FirmwareImage(), payload);
        EXPECT_EQ(reporter.LastMessage(), "Прошивка успешно обновлена");
        EXPECT_EQ(reporter.results.back().first, ReportKind::Success);
        EXPECT_TRUE(link.IsOpen()) << "the link stays open after an update";
    }
}

// The tracker's USB endpoint stops taking data once the first piece is in: a piece never leaves.
TEST_F(FirmwareUpdate, APieceThatNeverLeavesFailsAtItsOwnTimeOut) {
    SimEvents events;
    events.frameHandled = [](const QByteArray& frame, const QByteArray&) {
        if (static_cast<std::uint8_t>(frame[0]) == static_cast<std::uint8_t>(DeviceCommand::WriteFirmware))
            LinkFaults::SetOutputFault(LinkFaults::OutputFault::NeverDrains);
    };
    sim.Device().SetEvents(events);
    MutableTimings().writeFirmwareMs = 500;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Run(WriteFile("new.fmw", Payload(2048 + 100))));
    LinkFaults::SetOutputFault(LinkFaults::OutputFault::None);
    sim.Device().SetEvents({});
    EXPECT_LT(clock.elapsed(), 15000) << "a piece's send is bounded by its time-out (or its own time on the line)";
    EXPECT_EQ(reporter.LastMessage(), "Ошибка во время записи прошивки");
}

TEST(FirmwareFileName, AddsTheExtensionOnlyWhenTheNameHoldsItNowhere) {
    EXPECT_EQ(FirmwareFileName("FIRMWARE.FMW"), "FIRMWARE.FMW.fmw");
    EXPECT_EQ(FirmwareFileName("a.fmw.old"), "a.fmw.old");
    EXPECT_EQ(FirmwareFileName("/tmp/new"), "/tmp/new.fmw");
}

TEST_F(FirmwareUpdate, EachFailingStageSaysWhichAndLeavesTheLinkAsExpected) {
    const QString good = WriteFile("good.fmw", Payload(5000));
    struct Case {
        const char* what;
        SimFaults faults;
        QString file;
        PortChoice choice;
        QString message;
        bool linkOpen;
        int writesSent;
    };
    SimFaults silentAtErase, silentAtSecondPiece, cableAtSecondPiece;
    silentAtErase.silentAfterFrames = 0;
    silentAtSecondPiece.silentAfterFrames = 2;
    cableAtSecondPiece.closeAfterFrames = 3;
    const Case cases[] = {
        {"no device", {}, good, {false, "/dev/kova-no-such-port"}, "Устройство не подключено", false, 0},
        {"upper-case extension", {}, FirmwareFileName(WriteFile("FIRMWARE.FMW", Payload(10))), {},
         "Ошибка открытия файла прошивки", true, 0},
        {"no answer to the erase", silentAtErase, good, {}, "Ошибка на этапе очистки FLASH", true, 0},
        {"no answer at the second piece", silentAtSecondPiece, good, {}, "Ошибка во время записи прошивки", true, 2},
        {"cable pulled at the second piece", cableAtSecondPiece, good, {}, "Ошибка во время записи прошивки",
         false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim.Stop();
        sim.Device().SetFaults({});
        ASSERT_TRUE(sim.Start());
        const int framesBefore = sim.Device().FrameCount();
        sim.SetFaults(c.faults);
        reporter.Clear();
        EXPECT_FALSE(Run(c.file, c.choice));
        EXPECT_EQ(reporter.LastMessage(), c.message);
        EXPECT_EQ(reporter.results.back().first, ReportKind::Failure);
        // On a loaded machine the wait may time out before the link has seen the hang-up.
        QDeadlineTimer settle(2000);
        while (link.IsOpen() != c.linkOpen && !settle.hasExpired())
            QThread::msleep(10);
        EXPECT_EQ(link.IsOpen(), c.linkOpen);
        EXPECT_EQ(static_cast<int>(SentWrites(framesBefore).size()), c.writesSent);
        EXPECT_FALSE(DeviceJobLease::Busy()) << "the lease is given back";
        link.Close();
    }
}

TEST_F(FirmwareUpdate, AFileWithoutItsHeaderIsRefusedBeforeAnythingIsSent) {
    EXPECT_FALSE(Run(WriteFile("short.fmw", {}, 14)));
    EXPECT_TRUE(reporter.LastMessage().contains("15")) << reporter.LastMessage().toStdString();
    EXPECT_EQ(sim.Device().FrameCount(), 0);
}

// Cuts the file down once the first piece has gone out.
class ShrinkingFileReporter : public RecordingReporter {
public:
    explicit ShrinkingFileReporter(QString path) : path_(std::move(path)) {}
    void ShowProgress(qint64 done, qint64 total) override {
        RecordingReporter::ShowProgress(done, total);
        QFile(path_).resize(15 + 3000);
    }

private:
    QString path_;
};

TEST_F(FirmwareUpdate, APieceThatCannotBeReadWhollyIsNotSent) {
    const QString path = WriteFile("shrinks.fmw", Payload(5000));
    ShrinkingFileReporter shrinking(path);
    MCUpdateThread update(link, {false, sim.Path()}, path, shrinking, DeviceJobLease::TryTake());
    EXPECT_FALSE(update.Execute());
    EXPECT_TRUE(shrinking.LastMessage().startsWith("Ошибка чтения файла прошивки")) << shrinking.LastMessage().toStdString();
    EXPECT_EQ(SentWrites(), (Writes{{0, 2048}}));
}

TEST_F(FirmwareUpdate, ASecondJobCannotStartWhileOneHoldsTheLink) {
    DeviceJobLease running = DeviceJobLease::TryTake();
    ASSERT_TRUE(running.Held());
    EXPECT_FALSE(DeviceJobLease::TryTake().Held());
    running.Release();
    EXPECT_TRUE(DeviceJobLease::TryTake().Held());
}

}  // namespace
