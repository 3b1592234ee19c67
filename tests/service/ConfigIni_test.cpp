#include "service/ConfigIni.h"
#include "service/ConfigIniLocation.h"
#include "service/ConfigIniText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestFiles.h"

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace Qt::Literals::StringLiterals;

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ConfigIniTest : public testing::Test {
protected:
    QString Path(const QString& name = u"config.ini"_s) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(ConfigIniTest, KeysMatchWithoutRegardToCase) {
    ConfigIni ini(Path());
    ASSERT_TRUE(ini.Write(u"FirmwarePath"_s, u"/opt/gps/fw.bin"_s));
    EXPECT_EQ(ini.Read(u"FirmwarePAth"_s), u"/opt/gps/fw.bin"_s);

    // A write under another spelling replaces that line rather than adding a second one.
    ASSERT_TRUE(ini.Write(u"FIRMWAREPATH"_s, u"/opt/gps/new.bin"_s));
    EXPECT_EQ(ini.Read(u"firmwarepath"_s), u"/opt/gps/new.bin"_s);
    EXPECT_EQ(ReadAll(Path()).count("/opt/gps/"), 1);

    WriteAll(Path(), "[CONFIG]\nphone=123\n");
    EXPECT_EQ(ini.Read(u"Phone"_s), u"123"_s);
}

TEST_F(ConfigIniTest, ValuesComeBackExactly) {
    const QString values[] = {
        uR"(C:\Program Files\КОВА\loader.bin)"_s,  // single backslashes, no escaping
        uR"(\\server\share\voice)"_s,
        u"  blanks at both ends  "_s,
        u"Голосовые файлы/приветствие"_s,
        u"a=b;c#d [x]"_s,
        u""_s,
        u"+79001234567"_s,
    };
    ConfigIni ini(Path());
    for (const QString& value : values) {
        ASSERT_TRUE(ini.Write(u"Directory"_s, value)) << value.toStdString();
        EXPECT_EQ(ini.Read(u"Directory"_s), value);
        EXPECT_EQ(ConfigIni(Path()).Read(u"Directory"_s), value);
    }
    const QByteArray file = ReadAll(Path());
    EXPECT_TRUE(file.startsWith("[config]")) << file.constData();
}

TEST_F(ConfigIniTest, MissingFileSectionOrKeyReadsEmpty) {
    EXPECT_EQ(ConfigIni(Path(u"none.ini"_s)).Read(u"Phone"_s), QString());
    EXPECT_EQ(ConfigIni(Path(u"no/folder/config.ini"_s)).Read(u"Phone"_s), QString());
    WriteAll(Path(), "[other]\nPhone=1\n");
    EXPECT_EQ(ConfigIni(Path()).Read(u"Phone"_s), QString());
    WriteAll(Path(), "Phone=1\n[config]\nDirectory=x\n");  // a key before any section belongs to none
    EXPECT_EQ(ConfigIni(Path()).Read(u"Phone"_s), QString());
    EXPECT_EQ(ConfigIni(Path()).Read(u"Directory"_s), u"x"_s);
}

TEST_F(ConfigIniTest, FirstWriteCreatesTheFileWithItsSection) {
    ASSERT_TRUE(ConfigIni(Path()).Write(u"Directory"_s, u"/home/user/amr"_s));
    EXPECT_EQ(ReadAll(Path()), QByteArray("[config]\nDirectory=/home/user/amr\n"));
    ASSERT_TRUE(ConfigIni(Path()).Write(u"Phone"_s, u"12"_s));
    EXPECT_EQ(ReadAll(Path()), QByteArray("[config]\nDirectory=/home/user/amr\nPhone=12\n"));
}

TEST_F(ConfigIniTest, WritesKeepEveryLineTheyDoNotChange) {
    struct Case {
        const char* name;
        QByteArray before;
        QByteArray after;  // once Phone is written as 555
    };
    const Case cases[] = {
        {"comments, other keys and sections",
         "; made by hand\n[main]\nPhone=keep\n\n[Config]\nDirectory=d\n# note\nOther=1\n\n[tail]\nx=y\n",
         "; made by hand\n[main]\nPhone=keep\n\n[Config]\nDirectory=d\n# note\nOther=1\nPhone=555\n\n[tail]\nx=y\n"},
        {"the key's own line, whatever its case and blanks",
         "[config]\nA=1\n  PHONE = 1 \nB=2\n", "[config]\nA=1\nPhone=555\nB=2\n"},
        {"Windows line breaks", "[config]\r\nDirectory=d\r\n", "[config]\r\nDirectory=d\r\nPhone=555\r\n"},
        {"no line break at the end", "[config]\nDirectory=d", "[config]\nDirectory=d\nPhone=555"},
        {"a carriage return alone at the end", "[config]\nDirectory=d\r", "[config]\nDirectory=d\r\nPhone=555"},
        {"no section yet", "[other]\nk=v", "[other]\nk=v\n[config]\nPhone=555\n"},
        {"a UTF-8 mark in front", "\xEF\xBB\xBF[config]\nPhone=1\n", "\xEF\xBB\xBF[config]\nPhone=555\n"},
        {"bytes that are no UTF-8", "[config]\nDirectory=\xFF\xFE\n", "[config]\nDirectory=\xFF\xFE\nPhone=555\n"},
    };
    for (const Case& c : cases) {
        WriteAll(Path(), c.before);
        ASSERT_TRUE(ConfigIni(Path(), ConfigIniEncoding::Utf8).Write(u"Phone"_s, u"555"_s)) << c.name;
        EXPECT_EQ(ReadAll(Path()), c.after) << c.name;
    }
}

TEST_F(ConfigIniTest, EachWriteStartsFromTheFileOnDisk) {
    ConfigIni ini(Path());
    ASSERT_TRUE(ini.Write(u"Phone"_s, u"1"_s));
    WriteAll(Path(), ReadAll(Path()) + "DAPath=edited by hand\n");
    ASSERT_TRUE(ini.Write(u"Phone"_s, u"12"_s));
    EXPECT_EQ(ini.Read(u"DAPath"_s), u"edited by hand"_s);
    EXPECT_EQ(ini.Read(u"Phone"_s), u"12"_s);
}

TEST_F(ConfigIniTest, ValuesAreReadUpTo2047Characters) {
    ConfigIni ini(Path());
    ASSERT_TRUE(ini.Write(u"Directory"_s, QString(3000, u'д')));
    EXPECT_EQ(ini.Read(u"Directory"_s), QString(2047, u'д'));
}

TEST_F(ConfigIniTest, TheEncodingDecidesTheBytesOnDisk) {
    const QString folder = u"C:\\Голос"_s;
    ASSERT_TRUE(ConfigIni(Path(u"utf8.ini"_s), ConfigIniEncoding::Utf8).Write(u"Directory"_s, folder));
    EXPECT_EQ(ReadAll(Path(u"utf8.ini"_s)), "[config]\nDirectory=C:\\" + folder.mid(3).toUtf8() + "\n");

    ASSERT_TRUE(ConfigIni(Path(u"cp.ini"_s), ConfigIniEncoding::Windows1251).Write(u"Directory"_s, folder));
    EXPECT_EQ(ReadAll(Path(u"cp.ini"_s)), QByteArray("[config]\nDirectory=C:\\\xC3\xEE\xEB\xEE\xF1\n"));
    EXPECT_EQ(ConfigIni(Path(u"cp.ini"_s), ConfigIniEncoding::Windows1251).Read(u"Directory"_s), folder);

    // A file written on Windows by earlier versions of the program.
    WriteAll(Path(u"old.ini"_s), "[config]\r\nDirectory=D:\\\xC7\xE2\xF3\xEA\r\n");
    EXPECT_EQ(ConfigIni(Path(u"old.ini"_s), ConfigIniEncoding::Windows1251).Read(u"Directory"_s), u"D:\\Звук"_s);
}

TEST_F(ConfigIniTest, WhatOneLineCannotHoldIsRefusedAndTheFileKept) {
    ConfigIni cp(Path(), ConfigIniEncoding::Windows1251);
    ASSERT_TRUE(cp.Write(u"Phone"_s, u"1"_s));
    const QByteArray old = ReadAll(Path());
    struct Case {
        QString key;
        QString value;
    };
    for (const Case& c : {Case{u"Phone"_s, u"1\n[config]\nDirectory=/evil"_s}, Case{u"Phone"_s, u"1\r2"_s},
                          Case{u"Directory"_s, u"C:\\音声"_s},  // no such letters in Windows-1251
                          Case{u"Di=r"_s, u"x"_s}, Case{u""_s, u"x"_s}, Case{u" Phone"_s, u"x"_s},
                          Case{u"[config]"_s, u"x"_s}}) {
        EXPECT_FALSE(cp.Write(c.key, c.value)) << c.key.toStdString() << " " << c.value.toStdString();
        EXPECT_EQ(ReadAll(Path()), old);
    }
    EXPECT_TRUE(ConfigIni(Path(u"u.ini"_s), ConfigIniEncoding::Utf8).Write(u"Directory"_s, u"C:\\音声"_s));
}

TEST_F(ConfigIniTest, AWriteCutShortKeepsTheOldFile) {
    ConfigIni ini(Path());
    ASSERT_TRUE(ini.Write(u"Directory"_s, u"/srv/amr"_s));
    const QByteArray old = ReadAll(Path());
    bool written = true;
    {
        FileSizeLimit limit(40);
        written = ini.Write(u"FirmwarePath"_s, QString(200, u'f'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(Path()), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({u"config.ini"_s}));
}

TEST_F(ConfigIniTest, AWriteThatCannotReachTheFileFailsAndKeepsTheOldOne) {
    ASSERT_TRUE(ConfigIni(Path()).Write(u"Phone"_s, u"1"_s));
    const QByteArray old = ReadAll(Path());

    // A folder that cannot exist, whoever runs the tests.
    WriteAll(Path(u"plain-file"_s), "x");
    EXPECT_FALSE(ConfigIni(Path(u"plain-file/config.ini"_s)).Write(u"Phone"_s, u"2"_s));
    // A folder standing where the file should be.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"dir.ini"_s));
    EXPECT_FALSE(ConfigIni(Path(u"dir.ini"_s)).Write(u"Phone"_s, u"2"_s));

    if (geteuid() == 0)
        GTEST_SKIP() << "file modes do not stop writes by root";
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool written = ConfigIni(Path()).Write(u"Phone"_s, u"2"_s);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadAll(Path()), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({u"config.ini"_s, u"plain-file"_s}));
}

TEST(ConfigIniMessage, NamesTheFullPath) {
    EXPECT_EQ(UnableToWriteText(u"/opt/kova/config.ini"_s),
              QDir::toNativeSeparators(u"Unable to write to /opt/kova/config.ini"_s));
}

// Where the file is kept: the place check is given, so that these cases hold when run as root too.
class ConfigIniLocationTest : public testing::Test {
protected:
    ConfigIniLocationTest() {
        QDir(root.path()).mkpath(u"bin"_s);
    }
    QString Choose() const {
        return ChooseConfigIniPath(exeDir, userDir, [this](const QString& path) { return !readOnly.contains(path); });
    }
    QString BesideExe() const { return exeDir + u"/config.ini"_s; }
    QString PerUser() const { return userDir + u"/config.ini"_s; }

    QTemporaryDir root;
    QString exeDir = root.filePath(u"bin"_s);
    QString userDir = root.filePath(u"home/.config/kova"_s);
    QSet<QString> readOnly;
};

TEST_F(ConfigIniLocationTest, AWritableExecutableFolderKeepsAPortableCopy) {
    EXPECT_EQ(Choose(), BesideExe());
    WriteAll(BesideExe(), "[config]\nPhone=1\n");
    EXPECT_EQ(Choose(), BesideExe());
    EXPECT_FALSE(QFileInfo::exists(userDir));
}

TEST_F(ConfigIniLocationTest, AReadOnlyInstallationSeedsThePerUserFileOnce) {
    WriteAll(BesideExe(), "[config]\nDirectory=/srv/amr\n");
    QFile::setPermissions(BesideExe(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    for (const QSet<QString>& places : {QSet<QString>{exeDir}, QSet<QString>{BesideExe()}}) {
        QDir(userDir).removeRecursively();
        readOnly = places;
        EXPECT_EQ(Choose(), PerUser());
        EXPECT_EQ(ReadAll(PerUser()), ReadAll(BesideExe()));
        EXPECT_TRUE(ConfigIni(PerUser()).Write(u"Phone"_s, u"7"_s));  // the copy takes writes
    }
    EXPECT_EQ(Choose(), PerUser());
    EXPECT_EQ(ConfigIni(PerUser()).Read(u"Phone"_s), u"7"_s);  // not seeded over again
}

TEST_F(ConfigIniLocationTest, AReadOnlyInstallationWithoutACopyStartsEmptyInTheUserFolder) {
    readOnly = {exeDir};
    EXPECT_EQ(Choose(), PerUser());
    EXPECT_FALSE(QFileInfo::exists(PerUser()));
    EXPECT_TRUE(ConfigIni(Choose()).Write(u"Phone"_s, u"1"_s));  // its folder is there for the first write
}

TEST_F(ConfigIniLocationTest, TheWorkingDirectoryPlaysNoPart) {
    const QString started = QDir::currentPath();
    WriteAll(root.filePath(u"config.ini"_s), "[config]\nPhone=from the working directory\n");
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    const QString chosen = ConfigIni::DefaultPath();
    QDir::setCurrent(started);
    EXPECT_NE(QFileInfo(chosen).absolutePath(), QFileInfo(root.path()).absoluteFilePath());
    EXPECT_TRUE(chosen.startsWith(QCoreApplication::applicationDirPath()) ||
                chosen.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)))
        << chosen.toStdString();
}

TEST_F(ConfigIniLocationTest, TheRealPlaceCheckSeesAReadOnlyFolder) {
    EXPECT_TRUE(CanWritePlace(exeDir));
    WriteAll(BesideExe(), "");
    EXPECT_TRUE(CanWritePlace(BesideExe()));
    EXPECT_EQ(QDir(exeDir).entryList(QDir::Files), QStringList({u"config.ini"_s}));  // the probe is gone
    if (geteuid() == 0)
        GTEST_SKIP() << "file modes do not stop writes by root";
    QFile::setPermissions(exeDir, QFile::ReadOwner | QFile::ExeOwner);
    const QString chosen = ChooseConfigIniPath(exeDir, userDir);
    QFile::setPermissions(exeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(chosen, PerUser());
}

}  // namespace
