// The link against faults of the port and the host: a tracker that stops taking data, a cable pulled
// while a send waits, a late answer caught between the port and the receive buffer.
#include "SimLinkFixture.h"

#include "link/CommandFrame.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <future>
#include <memory>
#include <thread>

namespace {

using LinkFaults::OutputFault;
using namespace std::chrono_literals;

// Far above every time-out used here, so that a hang fails the test instead of stalling it.
constexpr qint64 HangMs = 3000;

struct StuckCase {
    const char* what;
    OutputFault fault;
};
const StuckCase stuckCases[] = {
    {"the output queue never empties", OutputFault::NeverDrains},
    {"the output queue takes nothing", OutputFault::TakesNothing},
};

TEST_F(SimLinkFixture, ASendThatCannotLeaveFailsAtItsTimeOut) {
    for (const StuckCase& c : stuckCases) {
        LinkFaults::SetOutputFault(c.fault);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(link.SendFrame(DeviceCommand::StartModem, 0, {}, 300)) << c.what;
        EXPECT_GE(clock.elapsed(), 300) << c.what;
        EXPECT_LT(clock.elapsed(), HangMs) << c.what;
        EXPECT_TRUE(link.LastError().contains("300 ms")) << c.what << ": " << link.LastError().toStdString();

        // The step of an own command fails in its own time.
        MutableTimings().ownCommandMs = 300;
        clock.restart();
        EXPECT_FALSE(RunOwnCommand(link, DeviceCommand::StartGPS)) << c.what;
        EXPECT_LT(clock.elapsed(), HangMs) << c.what;

        LinkFaults::SetOutputFault(OutputFault::None);
        EXPECT_TRUE(RunOwnCommand(link, DeviceCommand::StartGPS)) << c.what << ": the link still works";
    }
}

TEST_F(SimLinkFixture, WithoutATimeOutASendIsBoundedByItsLength) {
    LinkFaults::SetOutputFault(OutputFault::NeverDrains);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(link.SendFrame(DeviceCommand::ReadSlot, 0x08080480));
    EXPECT_GE(clock.elapsed(), SerialLink::DefaultSendTimeoutMs(CommandFrame::HeaderSize));
    EXPECT_LT(clock.elapsed(), SerialLink::DefaultSendTimeoutMs(CommandFrame::HeaderSize) + HangMs);
}

TEST_F(SimLinkFixture, CloseReturnsAtOnceWhileASendHangsAndEndsIt) {
    for (const StuckCase& c : stuckCases) {
        LinkFaults::SetOutputFault(c.fault);
        auto send = std::async(std::launch::async, [this] {
            return link.SendFrame(DeviceCommand::WriteFirmware, 0x08006400, QByteArray(2048, 'f'), 60000);
        });
        std::this_thread::sleep_for(100ms);
        QElapsedTimer clock;
        clock.start();
        link.Close();
        EXPECT_LT(clock.elapsed(), HangMs) << c.what;
        ASSERT_EQ(send.wait_for(std::chrono::milliseconds(HangMs)), std::future_status::ready) << c.what;
        EXPECT_FALSE(send.get()) << c.what;

        LinkFaults::SetOutputFault(OutputFault::None);
        ASSERT_TRUE(link.Open(sim.Path())) << c.what << ": " << link.LastError().toStdString();
        EXPECT_TRUE(RunOwnCommand(link, DeviceCommand::StartGPS)) << c.what;
    }
}

TEST_F(SimLinkFixture, ASendCaughtByAPulledCableNeverWritesToTheNextFileOpened) {
    LinkFaults::SetOutputFault(OutputFault::TakesNothing);
    auto send = std::async(std::launch::async, [this] {
        return link.SendFrame(DeviceCommand::ReadSlot, 0x08080480, {}, 60000);
    });
    std::this_thread::sleep_for(50ms);
    sim.CloseLine();
    QElapsedTimer clock;
    clock.start();
    while (!link.LineLost() && clock.elapsed() < HangMs)
        std::this_thread::sleep_for(5ms);
    ASSERT_TRUE(link.LineLost());

    // The port's descriptor number is free again; files opened now take the lowest free numbers.
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QFile>> files;
    for (int i = 0; i < 8; ++i) {
        files.push_back(std::make_unique<QFile>(dir.filePath(QString::number(i))));
        ASSERT_TRUE(files.back()->open(QIODevice::ReadWrite));
    }
    LinkFaults::SetOutputFault(OutputFault::None);
    ASSERT_EQ(send.wait_for(std::chrono::milliseconds(HangMs)), std::future_status::ready);
    EXPECT_FALSE(send.get());
    for (const auto& file : files)
        EXPECT_EQ(file->size(), 0) << file->fileName().toStdString();
}

TEST_F(SimLinkFixture, BytesTakenFromThePortBeforeASendDoNotCountForIt) {
    SimFaults silent;
    silent.silentAfterFrames = 0;
    sim.SetFaults(silent);
    // The I/O thread holds a late acknowledgement between the port and the receive buffer while the
    // next frame is sent.
    std::promise<void> taken, released;
    std::shared_future<void> release = released.get_future().share();
    std::atomic<bool> first{true};
    LinkFaults::SetBeforeStoreHook([&] {
        if (first.exchange(false)) {
            taken.set_value();
            release.wait();
        }
    });
    sim.SendUnasked("k");
    ASSERT_EQ(taken.get_future().wait_for(std::chrono::milliseconds(HangMs)), std::future_status::ready);
    auto send = std::async(std::launch::async, [this] { return link.SendFrame(DeviceCommand::StartModem, 0); });
    std::this_thread::sleep_for(100ms);
    released.set_value();
    ASSERT_TRUE(send.get());
    EXPECT_FALSE(link.WaitForBytes(1, 200));
    EXPECT_EQ(link.ReceivedCount(), 0u);
}

}  // namespace
