#include "RecordingReporter.h"
#include "SimPort.h"

#include "link/CommandFrame.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "settings/Rwsettingsthread.h"

#include <gtest/gtest.h>

namespace {

class SettingsTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Start());
        MutableTimings().readSlotPauseMs = 1;
        MutableTimings().readSlotMs = 300;
        MutableTimings().writeSlotMs = 300;
    }
    void TearDown() override {
        sim.Stop();
        MutableTimings() = Timings{};
    }
    bool Run(RWSettingsThread::Mode mode, const DeviceSettings& block = {}, PortChoice choice = {}) {
        if (choice.automatic)
            choice = {false, sim.Path()};
        RWSettingsThread transfer(mode, link, choice, block, reporter, DeviceJobLease::TryTake());
        return transfer.Execute();
    }
    std::vector<CommandFrame::Header> Headers() {
        std::vector<CommandFrame::Header> headers;
        for (const QByteArray& frame : sim.Device().Frames())
            headers.push_back(CommandFrame::ParseHeader(frame.constData()));
        return headers;
    }

    SimPort sim;
    SerialLink link;
    RecordingReporter reporter;
};

TEST_F(SettingsTransfer, AReadFetchesAll29SlotsThenReadsTheConstantOnceMore) {
    sim.Device().SetSlotBytes(SettingsSlots::SlotAddress(Slot::Imei), QByteArray(32, '7'));
    ASSERT_TRUE(Run(RWSettingsThread::ReadMode));
    const auto headers = Headers();
    ASSERT_EQ(headers.size(), 30u);
    for (int position = 0; position < 29; ++position)
        EXPECT_EQ(headers[static_cast<std::size_t>(position)].value, SettingsSlots::AtPosition(position).address);
    EXPECT_EQ(headers.back().value, 0x080802C0u);
    ASSERT_EQ(reporter.readBlocks.size(), 1u);
    const DeviceSettings& read = reporter.readBlocks.front();
    for (const SlotInfo& slot : SettingsSlots::Table())
        EXPECT_EQ(read.SlotBytes(slot.slot), sim.Device().SlotBytes(slot.address)) << slot.name;
    EXPECT_EQ(read.Text(Slot::Imei), QByteArray(32, '7')) << "a slot without a zero byte fills all 32";
    EXPECT_EQ(read.Text(Slot::ExtraInfo1), sim.Device().SlotText(Slot::ExtraInfo1)) << "neighbour untouched";
    EXPECT_TRUE(reporter.results.empty()) << "a successful read shows no message";
    EXPECT_EQ(reporter.progress.back(), (std::pair<qint64, qint64>{28, 29}));
    EXPECT_EQ(reporter.traces.size(), 29);
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(SettingsTransfer, AWriteSendsPositions0To24AsFramesOf41Bytes) {
    DeviceSettings block;
    for (const SlotInfo& slot : SettingsSlots::Table())
        block.SetText(slot.slot, QByteArray(slot.name).left(31));
    ASSERT_TRUE(Run(RWSettingsThread::WriteMode, block));
    const QList<QByteArray> frames = sim.Device().Frames();
    ASSERT_EQ(frames.size(), 25);
    for (int position = 0; position < 25; ++position) {
        const SlotInfo& slot = SettingsSlots::AtPosition(position);
        EXPECT_EQ(frames[position].size(), 41);
        EXPECT_EQ(CommandFrame::ParseHeader(frames[position].constData()).value, slot.address);
        EXPECT_EQ(sim.Device().SlotBytes(slot.address), block.SlotBytes(slot.slot)) << slot.name;
    }
    for (Slot readOnly : {Slot::Imei, Slot::ExtraInfo1, Slot::ExtraInfo2, Slot::ExtraInfo3})
        EXPECT_NE(sim.Device().SlotBytes(SettingsSlots::SlotAddress(readOnly)), block.SlotBytes(readOnly));
    EXPECT_EQ(reporter.LastMessage(), "Настройки успешно записаны");
    EXPECT_EQ(reporter.results.back().first, ReportKind::Success);
    EXPECT_EQ(reporter.progress.back(), (std::pair<qint64, qint64>{24, 25}));
    const auto result = reporter.events.indexOf("result");
    ASSERT_GT(result, 0);
    EXPECT_EQ(reporter.events[result - 1], "hide window") << "the progress window goes before the message";
}

TEST_F(SettingsTransfer, FailuresSayWhichStepFailedAndKeepTheProgramsBlock) {
    struct Case {
        const char* what;
        RWSettingsThread::Mode mode;
        SimFaults faults;
        bool noDevice;
        QString message;
        int frames;
    };
    SimFaults silentAt10;
    silentAt10.silentAfterFrames = 10;
    const Case cases[] = {
        {"read stops at position 10", RWSettingsThread::ReadMode, silentAt10, false, "Ошибка во время чтения параметров", 11},
        {"write stops at position 10", RWSettingsThread::WriteMode, silentAt10, false, "Ошибка во время записи параметров",
         11},
        {"no device", RWSettingsThread::ReadMode, {}, true, "Устройство не подключено", 0},
    };
    SetUsbSerialSource(std::make_shared<FixedUsbSerialSource>(QStringList{}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = sim.Device().FrameCount();
        sim.SetFaults(c.faults);
        reporter.Clear();
        RWSettingsThread transfer(c.mode, link, c.noDevice ? PortChoice{true, ""} : PortChoice{false, sim.Path()}, {},
                                  reporter, DeviceJobLease::TryTake());
        EXPECT_FALSE(transfer.Execute());
        EXPECT_EQ(reporter.LastMessage(), c.message);
        EXPECT_EQ(reporter.results.back().first, ReportKind::Failure);
        EXPECT_TRUE(reporter.readBlocks.empty()) << "the program's block is not replaced";
        EXPECT_EQ(sim.Device().FrameCount() - before, c.frames);
        EXPECT_FALSE(link.IsOpen());
        EXPECT_FALSE(DeviceJobLease::Busy());
        sim.Device().SetFaults({});
    }
    SetUsbSerialSource(nullptr);
}

// The window's block is replaced by what the job shows as read; a read that stops halfway must show
// nothing, so even the slots that did arrive keep the program's values.
TEST_F(SettingsTransfer, AReadThatStopsHalfwayLeavesTheProgramsBlockAsItWas) {
    class WindowLikeReporter : public RecordingReporter {
    public:
        explicit WindowLikeReporter(DeviceSettings& program) : program_(program) {}
        void ShowReadSettings(const DeviceSettings& block) override { program_ = block; }

    private:
        DeviceSettings& program_;
    };
    DeviceSettings program;
    for (const SlotInfo& slot : SettingsSlots::Table())
        program.SetText(slot.slot, "program");
    const DeviceSettings before = program;
    WindowLikeReporter windowLike(program);

    SimFaults silentAt10;
    silentAt10.silentAfterFrames = 10;
    sim.SetFaults(silentAt10);
    const PortChoice choice{false, sim.Path()};
    EXPECT_FALSE(RWSettingsThread(RWSettingsThread::ReadMode, link, choice, {}, windowLike, DeviceJobLease::TryTake())
                     .Execute());
    EXPECT_EQ(program, before);

    sim.SetFaults({});
    ASSERT_TRUE(RWSettingsThread(RWSettingsThread::ReadMode, link, choice, {}, windowLike, DeviceJobLease::TryTake())
                    .Execute());
    for (const SlotInfo& slot : SettingsSlots::Table())
        EXPECT_EQ(program.SlotBytes(slot.slot), sim.Device().SlotBytes(slot.address)) << slot.name;
}

}  // namespace
