#include "CliRunner.h"
#include "SimMemoryMap.h"
#include "SimPort.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class KovaCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.Start()); }
    CliRun Run(QStringList arguments) { return RunCli(QStringList{"--port", sim.Path()} + arguments); }
    QString File(const char* name) const { return dir.filePath(name); }

    SimPort sim;
    QTemporaryDir dir;
};

TEST(KovaCliUsage, ExitStatusTellsSuccessFailureAndUsageErrors) {
    struct Case {
        QStringList arguments;
        int status;
        const char* stderrHolds;
    };
    const Case cases[] = {
        {{"--help"}, 0, ""},
        {{"flash", "--help"}, 0, ""},
        {{}, 2, ""},
        {{"bogus"}, 2, "unknown command"},
        {{"raw", "1"}, 2, "raw takes"},
        {{"raw", "1", "0", QString(5002, 'a')}, 2, "at most 2500"},
        {{"--port", "/dev/kova-no-such-port", "detect"}, 1, "Устройство не подключено"},
        {{"--port", "/dev/kova-no-such-port", "read"}, 1, "Устройство не подключено"},
        {{"show", "/nonexistent/x.cfg"}, 1, "Файл не найден"},
        {{"show", "/tmp"}, 1, "это каталог"},
        {{"show", "/dev/null"}, 1, "это не обычный файл"},
        {{"raw", "12", "0"}, 2, "from 1 to 11"},
        {{"raw", "0", "0"}, 2, "from 1 to 11"},
        {{"set"}, 2, "set takes"},
        {{"set", "Nope=1"}, 2, "no such setting"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').left(60).toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.stderrHolds))) << run.err.toStdString();
    }
}

TEST_F(KovaCli, ReadsWritesAndSavesTheSettingsOfTheSimulatedTracker) {
    const CliRun write = Run({"write", "--set", "TimeZone=5", "--set", "OwnerPhone=+79001234567"});
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("Настройки успешно записаны"));
    EXPECT_EQ(sim.Device().SlotText(Slot::TimeZone), "5");

    const CliRun read = Run({"read", "--save", File("read.cfg")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QStringList lines = read.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 29);
    EXPECT_EQ(lines[0], "OwnerPhone=+79001234567");
    EXPECT_EQ(lines[2], "TimeZone=5");

    const CliRun show = RunCli({"show", File("read.cfg")});
    EXPECT_EQ(show.status, 0);
    EXPECT_TRUE(show.out.contains("TimeZone=5\n"));
    EXPECT_FALSE(show.out.contains("WialonHost=")) << "the file does not carry the Wialon server";
}

TEST_F(KovaCli, WriteRefusesBadValuesBeforeTalkingToTheTracker) {
    for (const QStringList& arguments : {QStringList{"write", "--set", "Nope=1"},
                                         QStringList{"write", "--set", "Pin=" + QString(40, '1')},
                                         QStringList{"write", "--set", "OwnerPhone=日本"}}) {
        const CliRun run = Run(arguments);
        EXPECT_EQ(run.status, 2) << run.err.toStdString();
    }
    EXPECT_EQ(sim.Device().FrameCount(), 0);
}

// Each --set value is taken only when the settings pages can hold it exactly; a refused one is named
// with what it accepts, and the tracker hears nothing.
TEST_F(KovaCli, WriteTakesOnlyValuesThePagesCanHold) {
    struct Case {
        QStringList sets;
        const char* heldOrRefused;  // the slot's text after the write, or nullptr when refused
    };
    const Case cases[] = {
        {{"TimeZone=-12"}, "-12"},
        {{"TimeZone=14"}, "14"},
        {{"SessionTime=2359"}, "2359"},
        {{"GuardZone=3 999"}, "3 999"},
        {{"GuardZone=1 000"}, "1 000"},
        {{"Pin=0123"}, "0123"},
        {{"MotionTimeout=60"}, "60"},
        {{"ImpactDuration=40"}, "40"},
        {{"BalanceThreshold=-5"}, "-5"},
        {{"BalanceCode=*100#"}, "*100#"},
        {{"OwnerPhone=00000"}, "00000"},
        {{"TimeZone=99"}, nullptr},
        {{"TimeZone=+3"}, nullptr},
        {{"SessionTime=2599"}, nullptr},
        {{"ImpactDuration=500"}, nullptr},
        {{"GuardZone=9 999"}, nullptr},
        {{"GuardZone=1 01"}, nullptr},
        {{"WakeInterval=77"}, nullptr},
        {{"CoordFormat="}, nullptr},
        {{"DeliveryMode=5"}, nullptr},
        {{"OwnerPhone=+7 (900) 123"}, nullptr},
        {{"OwnerPhone="}, nullptr},
        {{"Pin=123"}, nullptr},
        {{"Pin=12345"}, nullptr},
        {{"BalanceCode="}, nullptr},
        {{"BalanceThreshold=abc"}, nullptr},
        {{"Imei=1"}, nullptr},
        {{"ServerHost=", "ServerPort=8080"}, nullptr},  // no host empties the port as well
    };
    for (const Case& c : cases) {
        const QString slotName = c.sets.back().section('=', 0, 0);
        SCOPED_TRACE(c.sets.join(' ').toStdString());
        QStringList arguments{"write", "--yes"};
        for (const QString& set : c.sets)
            arguments << "--set" << set;
        const int framesBefore = sim.Device().FrameCount();
        const CliRun run = Run(arguments);
        if (c.heldOrRefused) {
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_EQ(sim.Device().SlotText(SettingsSlots::FindByName(slotName)->slot), c.heldOrRefused);
            continue;
        }
        EXPECT_EQ(run.status, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(slotName + " accepts")) << run.err.toStdString();
        EXPECT_EQ(sim.Device().FrameCount(), framesBefore) << "a refused value sends nothing";
    }
}

TEST_F(KovaCli, SetChangesOnlyTheNamedSettingsAndChecksWhatTheTrackerKept) {
    const QByteArray before = sim.Device().SettingsMemory();
    const CliRun run = Run({"set", "TimeZone=5", "--yes"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith("Настройки успешно записаны\n")) << run.err.toStdString();
    EXPECT_EQ(sim.Device().SlotText(Slot::TimeZone), "5");
    QByteArray expected = before;
    expected.replace(*SimMemoryMap::SlotOffset(SettingsSlots::SlotAddress(Slot::TimeZone)), 2, QByteArray("5\0", 2));
    EXPECT_EQ(sim.Device().SettingsMemory(), expected) << "every other slot as it was";

    const int frames = sim.Device().FrameCount();
    EXPECT_EQ(Run({"set", "TimeZone=99"}).status, 2);
    EXPECT_EQ(sim.Device().FrameCount(), frames) << "a refused value is refused before the tracker is read";
}

TEST_F(KovaCli, SetFailsNamingTheSlotsATrackerAcknowledgedButDidNotKeep) {
    SimFaults forgetful;
    forgetful.forgetWrites = true;
    sim.SetFaults(forgetful);
    const CliRun run = Run({"set", "TimeZone=5", "Pin=1111", "--yes"});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("Настройки успешно записаны")) << run.err.toStdString();
    const QString last = run.err.trimmed().section('\n', -1);
    EXPECT_TRUE(last.contains("Pin") && last.contains("TimeZone")) << last.toStdString();
    EXPECT_FALSE(last.contains("ServerHost")) << "slots that came back as sent are not named";
}

TEST(KovaCliSettings, EverySettingIsListedWithWhatItAccepts) {
    const CliRun list = RunCli({"settings"});
    ASSERT_EQ(list.status, 0);
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), SettingsSlots::Count);
    for (const SlotInfo& slot : SettingsSlots::Table())
        EXPECT_TRUE(list.out.contains(QStringLiteral("  %1 ").arg(slot.name))) << slot.name;
    EXPECT_TRUE(list.out.contains("-12 to 14 (default: 3)")) << list.out.toStdString();
    const CliRun help = RunCli({"defaults", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(list.out)) << help.out.toStdString();
    EXPECT_TRUE(RunCli({"write", "--help"}).out.contains("kova-cli set"));
}

TEST_F(KovaCli, FlashesAFirmwareFileWithProgressLines) {
    QFile file(File("new.fmw"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray payload(5000, 'p');
    file.write(QByteArray(15, 'h') + payload);
    file.close();
    const CliRun run = Run({"flash", File("new")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("2048/5000\n4096/5000\n5000/5000\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Прошивка успешно обновлена"));
    EXPECT_EQ(sim.Device().FirmwareImage(), payload);
}

TEST_F(KovaCli, DefaultsAndTheCommandFile) {
    const CliRun defaults = RunCli({"defaults"});
    EXPECT_EQ(defaults.status, 0);
    EXPECT_TRUE(defaults.out.contains("Pin=5938\n"));
    const CliRun command = RunCli({"command-file", "--mode", "test", File("command.cfg")});
    ASSERT_EQ(command.status, 0) << command.err.toStdString();
    QFile written(File("command.cfg"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().size(), 3);
    EXPECT_EQ(RunCli({"command-file", "--mode", "weekly", File("c.cfg")}).status, 2);
}

}  // namespace
