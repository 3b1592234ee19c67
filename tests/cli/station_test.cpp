#include "CliRunner.h"
#include "SimFactorySettings.h"
#include "SimMemoryMap.h"
#include "SimPort.h"
#include "cli/StationRun.h"
#include "link/DeviceJobLease.h"
#include "link/JobReporter.h"
#include "link/Timings.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsPages.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using namespace Qt::Literals::StringLiterals;

// Several simulated trackers, each with an IMEI and a Wialon server of its own, prepared in process
// with short time-outs.
class Station : public ::testing::Test {
protected:
    void SetUp() override {
        Timings& timings = MutableTimings();
        timings.readSlotPauseMs = 1;
        timings.readSlotMs = timings.writeSlotMs = 1000;
        timings.eraseFirmwareMs = timings.writeFirmwareMs = 1000;
    }
    void TearDown() override { MutableTimings() = Timings{}; }

    void Plug(int count) {
        for (int number = 1; number <= count; ++number) {
            auto& sim = *trackers.emplace_back(std::make_unique<SimPort>());
            QByteArray memory = FactorySettingsMemory(number);
            QByteArray wialon = u"10.0.0.%1"_s.arg(number).toLatin1();
            wialon.resize(SettingsSlots::SlotSize, '\0');
            memory.replace(*SimMemoryMap::SlotOffset(SettingsSlots::SlotAddress(Slot::WialonHost)), wialon.size(), wialon);
            ASSERT_TRUE(sim.Device().LoadSettingsMemory(memory));
            ASSERT_TRUE(sim.Start());
            ports << sim.Path();
        }
    }
    SimDevice& Device(int row) { return trackers[static_cast<size_t>(row)]->Device(); }
    static QString Imei(int row) { return u"86%1"_s.arg(row + 1, 13, 10, QLatin1Char('0')); }

    // A fleet profile: the defaults with a time zone and a server of the fleet's, and an owner number.
    static StationProfile FleetProfile() {
        DeviceSettings file;
        SettingsPages pages;
        RestoreDefaults(file, pages);
        file.SetText(Slot::TimeZone, "7");
        file.SetText(Slot::ServerHost, "fleet.kova.test");
        file.SetText(Slot::WialonHost, "1.1.1.1");  // not carried by a settings file
        StationProfile profile;
        profile.settings.file = file;
        profile.settings.values = {{Slot::OwnerPhone, u"+79001234567"_s}};
        profile.answerYes = true;
        return profile;
    }

    std::vector<TrackerOutcome> Run(const StationProfile& profile) {
        return RunStation(ports, profile, [this](const std::vector<TrackerState>&) {
            if (DeviceJobLease::Busy())
                windowLeaseTaken = true;
        });
    }

    std::vector<std::unique_ptr<SimPort>> trackers;
    QStringList ports;
    std::atomic<bool> windowLeaseTaken = false;
};

TEST_F(Station, WritesTheProfileToEveryTrackerWhichKeepsItsOwnValuesForTheRest) {
    Plug(3);
    const std::vector<TrackerOutcome> outcomes = Run(FleetProfile());
    ASSERT_EQ(outcomes.size(), 3u);
    for (int row = 0; row < 3; ++row) {
        const TrackerOutcome& outcome = outcomes[static_cast<size_t>(row)];
        EXPECT_TRUE(outcome.Succeeded()) << outcome.failure.toStdString();
        EXPECT_EQ(outcome.port, ports[row]);
        EXPECT_EQ(outcome.imei, Imei(row));
        EXPECT_EQ(outcome.settings, StepResult::Succeeded);
        EXPECT_EQ(outcome.firmware, StepResult::NotAsked);
        EXPECT_TRUE(outcome.verified);
        EXPECT_EQ(Device(row).SlotText(Slot::TimeZone), "7");
        EXPECT_EQ(Device(row).SlotText(Slot::ServerHost), "fleet.kova.test");
        EXPECT_EQ(Device(row).SlotText(Slot::OwnerPhone), "+79001234567");
        EXPECT_EQ(Device(row).SlotText(Slot::WialonHost), u"10.0.0.%1"_s.arg(row + 1).toLatin1());
    }
    EXPECT_FALSE(windowLeaseTaken) << "station mode leaves the window's link alone";
    EXPECT_FALSE(DeviceJobLease::Busy());
}

TEST_F(Station, ATrackerThatFailsFailsAloneWithItsOwnMessage) {
    struct Case {
        const char* what;
        SimFaults faults;
        const char* failure;
        StepResult settings;
    };
    SimFaults silent;
    silent.silentAfterFrames = 4;
    SimFaults unplugged;
    unplugged.closeAfterFrames = 40;  // in the middle of the write
    SimFaults forgetful;
    forgetful.forgetWrites = true;
    SimFaults slow;
    slow.answerDelayMs = 1500;  // past the read's time-out
    const Case cases[] = {
        {"healthy", {}, "", StepResult::Succeeded},
        {"silent from its fifth frame", silent, "Ошибка во время чтения параметров", StepResult::Failed},
        {"unplugged mid-way", unplugged, "Ошибка во время записи параметров", StepResult::Failed},
        {"keeping none of the writes", forgetful, "Устройство хранит не то, что записано", StepResult::Succeeded},
        {"answering too slowly", slow, "Ошибка во время чтения параметров", StepResult::Failed},
    };
    Plug(std::size(cases));
    for (int row = 0; row < std::ssize(cases); ++row)
        trackers[static_cast<size_t>(row)]->SetFaults(cases[row].faults);

    const std::vector<TrackerOutcome> outcomes = Run(FleetProfile());
    ASSERT_EQ(outcomes.size(), std::size(cases));
    for (int row = 0; row < std::ssize(cases); ++row) {
        const Case& c = cases[row];
        const TrackerOutcome& outcome = outcomes[static_cast<size_t>(row)];
        SCOPED_TRACE(c.what);
        EXPECT_EQ(outcome.Succeeded(), row == 0);
        const QString failure = QString::fromUtf8(c.failure);
        EXPECT_EQ(outcome.failure.left(failure.size()), failure) << outcome.failure.toStdString();
        EXPECT_EQ(outcome.settings, c.settings);
        EXPECT_EQ(outcome.verified, row == 0);
        EXPECT_LT(outcome.seconds, 30.0);
    }
    EXPECT_EQ(outcomes[0].imei, Imei(0));
    EXPECT_EQ(Device(0).SlotText(Slot::TimeZone), "7");
    EXPECT_EQ(outcomes[1].imei, "") << "the silent tracker never finished its read";
    EXPECT_EQ(Device(1).SlotText(Slot::TimeZone), "3") << "nothing was written to the silent tracker";
    EXPECT_EQ(outcomes[2].imei, Imei(2));
}

TEST_F(Station, AStopEndsEveryTrackerAtItsStepAndStillGivesEveryOutcome) {
    MutableTimings().readSlotMs = MutableTimings().writeSlotMs = 20000;
    Plug(3);
    for (int row = 0; row < 3; ++row) {
        SimFaults silent;
        silent.silentAfterFrames = 2 + row;  // each waits at a read of its own
        Device(row).SetFaults(silent);
    }
    StationStop stop;
    std::thread stopper([&] {
        for (int row = 0; row < 3; ++row)
            Device(row).WaitForFrames(3 + row, 10000);
        stop.Stop();
    });
    QElapsedTimer clock;
    clock.start();
    const std::vector<TrackerOutcome> outcomes = RunStation(ports, FleetProfile(), [](const auto&) {}, &stop);
    stopper.join();
    EXPECT_LT(clock.elapsed(), 10000) << "nobody waited for a time-out";
    ASSERT_EQ(outcomes.size(), 3u);
    for (const TrackerOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.failure, StoppedText(u"reading"_s));
        EXPECT_EQ(outcome.settings, StepResult::Failed);
    }
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Device(row).SlotText(Slot::TimeZone), "3") << "nothing was written";
        EXPECT_EQ(Device(row).FrameCount(), 3 + row);
    }
}

TEST_F(Station, WithoutSettingsToWriteTheImeiComesFromItsSlotAndTheFirmwareGoesToEveryTracker) {
    Plug(2);
    QTemporaryDir dir;
    const QByteArray payload(5000, 'F');
    QFile file(dir.filePath(u"fleet.fmw"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(15, 'H') + payload);
    file.close();
    StationProfile profile;
    profile.firmwareFile = file.fileName();

    const std::vector<TrackerOutcome> outcomes = Run(profile);
    for (int row = 0; row < 2; ++row) {
        const TrackerOutcome& outcome = outcomes[static_cast<size_t>(row)];
        EXPECT_TRUE(outcome.Succeeded()) << outcome.failure.toStdString();
        EXPECT_EQ(outcome.imei, Imei(row));
        EXPECT_EQ(outcome.firmware, StepResult::Succeeded);
        EXPECT_EQ(outcome.settings, StepResult::NotAsked);
        EXPECT_EQ(Device(row).FirmwareImage(), payload);
    }
}

TEST_F(Station, AFailedFirmwareUpdateLeavesTheSettingsUntouched) {
    Plug(1);
    StationProfile profile = FleetProfile();
    profile.firmwareFile = u"/nonexistent/fleet.fmw"_s;
    const std::vector<TrackerOutcome> outcomes = Run(profile);
    EXPECT_EQ(outcomes[0].failure, "Ошибка открытия файла прошивки");
    EXPECT_EQ(outcomes[0].firmware, StepResult::Failed);
    EXPECT_EQ(outcomes[0].settings, StepResult::Skipped);
    EXPECT_EQ(Device(0).SlotText(Slot::TimeZone), "3");
}

// kova-sim serving several trackers, as the README shows station mode without hardware.
class SimulatedHub {
public:
    explicit SimulatedHub(int count) {
        sim_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim_.start(QStringLiteral(KOVA_BIN_DIR "/kova-sim"), {u"--count"_s, QString::number(count)});
        while (paths.size() < count && (sim_.canReadLine() || sim_.waitForReadyRead(10000)))
            while (sim_.canReadLine())
                paths << QString::fromLocal8Bit(sim_.readLine()).trimmed();
    }
    ~SimulatedHub() {
        sim_.kill();
        sim_.waitForFinished(10000);
    }
    QStringList paths;

private:
    QProcess sim_;
};

TEST(StationCommand, PreparesEveryTrackerOfTheHubAndReportsEachByItsImei) {
    SimulatedHub hub(2);
    ASSERT_EQ(hub.paths.size(), 2);
    ASSERT_NE(hub.paths[0], hub.paths[1]);
    QTemporaryDir dir;
    DeviceSettings fleet;
    SettingsPages pages;
    RestoreDefaults(fleet, pages);
    fleet.SetText(Slot::TimeZone, "7");
    ASSERT_TRUE(SettingsFile::Save(fleet, dir.filePath(u"fleet.cfg"_s)));
    const QString report = dir.filePath(u"report.csv"_s);

    const CliRun run = RunCli({u"station"_s, u"--port"_s, hub.paths[0], u"--port"_s, hub.paths[1], u"--load"_s,
                               dir.filePath(u"fleet.cfg"_s), u"--set"_s, u"OwnerPhone=+79001234567"_s, u"--yes"_s,
                               u"--report"_s, report});
    ASSERT_EQ(run.status, 0) << run.err.toStdString() << run.out.toStdString();
    const QStringList table = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(table.size(), 3) << run.out.toStdString();
    EXPECT_TRUE(table[0].startsWith(u"port"_s));
    EXPECT_TRUE(run.err.contains(u"checking"_s)) << "plain progress lines off a terminal";

    QFile csv(report);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], u"port,IMEI,firmware,settings,verified,seconds,message"_s);
    for (int row = 1; row <= 2; ++row) {
        const QStringList fields = rows[row].split(u',');
        ASSERT_EQ(fields.size(), 7) << rows[row].toStdString();
        EXPECT_EQ(fields[0], hub.paths[row - 1]);
        EXPECT_EQ(fields[1], u"86%1"_s.arg(row, 13, 10, QLatin1Char('0')));
        EXPECT_EQ(fields.mid(2, 3), (QStringList{u"-"_s, u"ok"_s, u"yes"_s}));
        EXPECT_EQ(fields[6], u""_s);
    }
    const CliRun read = RunCli({u"--port"_s, hub.paths[1], u"read"_s});
    EXPECT_TRUE(read.out.contains(u"TimeZone=7\n"_s)) << read.out.toStdString();
    EXPECT_TRUE(read.out.contains(u"OwnerPhone=+79001234567\n"_s));
    EXPECT_TRUE(read.out.contains(u"WialonHost=193.193.165.165\n"_s)) << "kept from the tracker's own";
}

// Ctrl+C or kill: every tracker ends at its step and the table and the report are still written.
TEST_F(Station, ATerminatedStationStillReportsEveryTracker) {
    Plug(2);
    for (int row = 0; row < 2; ++row) {
        SimFaults silent;
        silent.silentAfterFrames = 1;
        Device(row).SetFaults(silent);
    }
    QTemporaryDir folder;
    const QString report = folder.filePath(u"fleet.csv"_s);
    QProcess cli;
    StartCli(cli, {"station", "--port", ports[0], "--port", ports[1], "--set", "TimeZone=5", "--report", report});
    for (int row = 0; row < 2; ++row)
        ASSERT_TRUE(Device(row).WaitForFrames(2, 30000));
    cli.terminate();
    const CliRun run = Finish(cli);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.count(StoppedText(u"reading"_s)), 2) << run.out.toStdString();
    QFile csv(report);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll()).count(StoppedText(u"reading"_s)), 2);
}

TEST(StationCommand, RefusesWhatItCannotDoAndFailsWhenATrackerFails) {
    struct Case {
        QStringList arguments;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"station", "--port", "/dev/kova-a", "--port", "/dev/kova-a"}, 2, "given twice"},
        {{"--port", "/dev/kova-a", "station", "--port", "/dev/kova-a"}, 2, "given twice"},
        {{"station", "--port", "/dev/kova-a", "--set", "Nope=1"}, 2, "no such setting"},
        {{"station", "--port", "/dev/kova-a", "--set", "Imei=1"}, 2, "read-only"},
        {{"station", "--port", "/dev/kova-a", "--firmware", "/nonexistent/x"}, 1, "Ошибка открытия файла прошивки"},
        {{"station", "--port", "/dev/kova-no-such-port", "--set", "TimeZone=5"}, 1, "Устройство не подключено"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE((run.err + run.out).contains(QString::fromUtf8(c.says))) << run.err.toStdString();
    }
}

}  // namespace
