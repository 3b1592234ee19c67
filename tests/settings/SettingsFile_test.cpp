#include "settings/CommandFile.h"
#include "settings/FileNames.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"

#include "RecordingQuestions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestFiles.h"

#include <csignal>
#include <sys/resource.h>

namespace {

using namespace Qt::Literals::StringLiterals;

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest() { ApplyDefaultSlots(block, u"+79001112233"_s); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    DeviceSettings block;
};

TEST_F(SettingsFileTest, RecordLayoutMatchesTheFileFormat) {
    block.SetText(Slot::Pin, "0123");
    block.SetText(Slot::TimeZone, "-5");
    const QByteArray record = SettingsFile::Build(block).bytes;
    ASSERT_EQ(record.size(), 118);
    EXPECT_EQ(record.left(3), QByteArray("\x01\x01\x01"));
    EXPECT_EQ(record.mid(3, 13), QByteArray("+79001112233\0", 13));
    EXPECT_EQ(record.mid(33, 2), QByteArray("\x7B\x00", 2));  // 123, little-endian
    EXPECT_EQ(record.at(35), '\xFB');
    EXPECT_EQ(record.mid(36, 5), QByteArray("1200\0", 5));
    EXPECT_EQ(record.mid(75, 2), QByteArray("\x37\x5B", 2));  // 23351
    EXPECT_EQ(record.mid(81, 6), QByteArray("00000\0", 6));
    EXPECT_EQ(record.mid(113, 5), QByteArray("0 001"));
}

TEST_F(SettingsFileTest, SaveAndLoadRestoreEveryCarriedSlotAndNothingElse) {
    block.SetText(Slot::Pin, "0123");
    block.SetText(Slot::TimeZone, "-5");
    block.SetText(Slot::BalanceCode, "*100#");
    ASSERT_TRUE(SettingsFile::Save(block, Path(u"a.cfg"_s)));

    DeviceSettings loaded;
    loaded.SetText(Slot::WialonHost, "10.0.0.1");
    loaded.SetText(Slot::ConstantOne, "1");
    loaded.SetText(Slot::FinalMark, "1");
    loaded.StoreReceived(Slot::Imei, "861234567890123");
    const DeviceSettings kept = loaded;
    ASSERT_TRUE(SettingsFile::Load(Path(u"a.cfg"_s), loaded));
    for (const SlotInfo& info : SettingsSlots::Table()) {
        const DeviceSettings& source = info.inFile ? block : kept;
        EXPECT_EQ(loaded.SlotBytes(info.slot), source.SlotBytes(info.slot)) << info.name;
    }
}

struct WrapCase {
    Slot slot;
    const char* saved;
    const char* loaded;
};

class NumberWrap : public SettingsFileTest, public testing::WithParamInterface<WrapCase> {};

TEST_P(NumberWrap, NumbersTooWideForTheirFieldWrapAround) {
    block.SetText(GetParam().slot, GetParam().saved);
    DeviceSettings loaded;
    ASSERT_TRUE(SettingsFile::Apply(SettingsFile::Build(block).bytes, loaded));
    EXPECT_EQ(loaded.Text(GetParam().slot), GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(Fields, NumberWrap,
                         testing::Values(WrapCase{Slot::ServerPort, "70000", "4464"},
                                         WrapCase{Slot::DeliveryMode, "-1", "255"},
                                         WrapCase{Slot::BalanceThreshold, "-5", "65531"},
                                         WrapCase{Slot::TimeZone, "200", "-56"},
                                         WrapCase{Slot::FixPeriod, "-1", "255"},
                                         WrapCase{Slot::Pin, "7", "0007"},
                                         WrapCase{Slot::Pin, "70000", "4464"},
                                         WrapCase{Slot::CoordFormat, "", "0"}));

TEST(FileNames, TheCfgTestIsACaseSensitiveSubstringTest) {
    EXPECT_EQ(FileNames::WithExtension(u"CONFIG.CFG"_s, u".cfg"_s), u"CONFIG.CFG.cfg"_s);
    EXPECT_EQ(FileNames::WithExtension(u"a.cfg.bak"_s, u".cfg"_s), u"a.cfg.bak"_s);
    EXPECT_EQ(FileNames::WithExtension(u"cmd"_s, u".cfg"_s), u"cmd.cfg"_s);
    EXPECT_FALSE(FileNames::ContainsExtension(u"CONFIG.CFG"_s, u".cfg"_s));
    EXPECT_TRUE(FileNames::ContainsExtension(u"a.cfg.bak"_s, u".cfg"_s));
}

TEST_F(SettingsFileTest, LoadRefusesAnythingButAnExistingSettingsRecordAndChangesNothing) {
    WriteAll(Path(u"short.cfg"_s), SettingsFile::Build(block).bytes.left(117));
    WriteAll(Path(u"long.cfg"_s), SettingsFile::Build(block).bytes + '\0');
    WriteAll(Path(u"command.cfg"_s), CommandFile::Bytes(CommandFile::Mode::Daily));
    QByteArray wrongKind = SettingsFile::Build(block).bytes;
    wrongKind[0] = 2;
    WriteAll(Path(u"kind.cfg"_s), wrongKind);
    QByteArray fullHost = SettingsFile::Build(block).bytes;
    fullHost.replace(43, 32, QByteArray(32, 'h'));  // no room left for the slot's terminator
    WriteAll(Path(u"host.cfg"_s), fullHost);
    WriteAll(Path(u"empty.cfg"_s), {});

    DeviceSettings target;
    ApplyDefaultSlots(target, u"+7"_s);
    const DeviceSettings before = target;
    for (const QString& name : {u"missing.cfg"_s, u"short.cfg"_s, u"long.cfg"_s, u"command.cfg"_s, u"kind.cfg"_s,
                                u"host.cfg"_s, u"empty.cfg"_s}) {
        const FileOutcome outcome = SettingsFile::Load(Path(name), target);
        EXPECT_FALSE(outcome) << name.toStdString();
        EXPECT_EQ(outcome.caption, u"Ошибка"_s);
        EXPECT_TRUE(outcome.message.contains(Path(name))) << outcome.message.toStdString();
        EXPECT_EQ(target, before) << name.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path(u"missing.cfg"_s)));
}

TEST_F(SettingsFileTest, SaveRefusesTextsTheFileCannotHoldNamingTheFieldAndWritesNothing) {
    struct Case {
        Slot slot;
        QByteArray text;
        QString field;
    };
    for (const Case& c : {Case{Slot::OwnerPhone, QByteArray(30, '1'), u"Номер телефона владельца"_s},
                          Case{Slot::BalanceCode, "*100#12345", u"Код запроса баланса"_s},
                          Case{Slot::GuardZone, "-1 001", u"Контроль выхода из зоны охраны"_s}}) {
        DeviceSettings faulty = block;
        faulty.SetText(c.slot, c.text);
        const FileOutcome outcome = SettingsFile::Save(faulty, Path(u"x.cfg"_s));
        EXPECT_FALSE(outcome);
        EXPECT_TRUE(outcome.message.contains(u"\"%1\""_s.arg(c.field))) << outcome.message.toStdString();
        EXPECT_FALSE(QFile::exists(Path(u"x.cfg"_s)));
    }
    DeviceSettings fits = block;
    fits.SetText(Slot::OwnerPhone, QByteArray(29, '1'));
    fits.SetText(Slot::BalanceCode, "*100#1234");
    EXPECT_TRUE(SettingsFile::Save(fits, Path(u"x.cfg"_s)));
}

TEST_F(SettingsFileTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const QString path = Path(u"keep.cfg"_s);
    ASSERT_TRUE(SettingsFile::Save(block, path));
    const QByteArray old = ReadAll(path);

    DeviceSettings changed = block;
    changed.SetText(Slot::Pin, "1111");
    FileOutcome outcome;
    {
        FileSizeLimit limit(50);
        outcome = SettingsFile::Save(changed, path);
    }
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.caption, u"Ошибка"_s);
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({u"keep.cfg"_s}));

    const FileOutcome noFolder = SettingsFile::Save(block, Path(u"no/such/folder/x.cfg"_s));
    EXPECT_FALSE(noFolder);
    EXPECT_EQ(noFolder.message, u"Ошибка открытия файла"_s);
}

TEST_F(SettingsFileTest, CommandFileHoldsKindMarkerAndCode) {
    EXPECT_EQ(CommandFile::Bytes(CommandFile::Mode::Search), QByteArray("\x02\x01\x01"));
    EXPECT_EQ(CommandFile::Bytes(CommandFile::Mode::Test), QByteArray("\x02\x01\x02"));
    EXPECT_EQ(CommandFile::Bytes(-1), QByteArray("\x02\x01\x00", 3));  // typed text, no selection
    EXPECT_EQ(CommandFile::ModeFromName(u"daily"_s), CommandFile::Mode::Daily);
    EXPECT_FALSE(CommandFile::ModeFromName(u"DAILY"_s).has_value());

    const QString path = Path(FileNames::WithExtension(u"cmd"_s, u".cfg"_s));
    ASSERT_TRUE(CommandFile::Save(path, 2));
    EXPECT_EQ(ReadAll(Path(u"cmd.cfg"_s)), QByteArray("\x02\x01\x03"));
    EXPECT_EQ(CommandFile::Items().value(2), u"Включить  режим \"СУТОЧНЫЙ\""_s);
}

}  // namespace
