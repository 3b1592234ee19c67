// kova-cli doctor on real pseudo-terminals: a missing port, one this user may not open, one another
// process holds, and a free one.
#include "cli/CliRunner.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// A pseudo-terminal whose other side nobody has open.
class FreePty : public ::testing::Test {
protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        path = QString::fromLocal8Bit(ptsname(master));
    }
    void TearDown() override {
        if (held >= 0)
            ::close(held);
        ::close(master);
    }
    CliRun Doctor(QStringList more = {}) { return RunCli(QStringList{"doctor", "--port", path} + more); }

    int master = -1;
    int held = -1;
    QString path;
};

TEST_F(FreePty, AFreePortIsUsable) {
    const CliRun run = Doctor();
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(path + ": usable"));

    const QJsonObject json = QJsonDocument::fromJson(Doctor({"--json"}).out.toUtf8()).object();
    EXPECT_TRUE(json[QStringLiteral("usable")].toBool());
}

TEST_F(FreePty, APortAnotherProcessHoldsNamesItsPid) {
    held = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    const CliRun run = Doctor();
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains(QStringLiteral("held by process %1").arg(getpid()))) << run.out.toStdString();
}

TEST_F(FreePty, AUserOutsideTheGroupIsToldWhichGroupToJoin) {
    const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
    const group* dialout = getgrnam("dialout");
    if (geteuid() != 0 || runuser.isEmpty() || !dialout)
        GTEST_SKIP() << "needs root, runuser and group dialout";
    ASSERT_EQ(chown(path.toLocal8Bit().constData(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), 0660), 0);

    QProcess cli;
    cli.start(runuser, {"-u", "nobody", "--", QStringLiteral(KOVA_BIN_DIR "/kova-cli"), "doctor", "--port", path});
    const CliRun run = Finish(cli);
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("user nobody may not open")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("group dialout")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("sudo usermod -aG dialout nobody")) << run.out.toStdString();
}

TEST(DoctorCli, AMissingPortAndWrongUseFail) {
    const CliRun missing = RunCli({"doctor", "--port", "/dev/kova-no-such-port"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.contains("/dev/kova-no-such-port does not exist"));
    EXPECT_EQ(RunCli({"--port", "/dev/kova-no-such-port", "doctor"}).status, 1);  // the global --port too
    EXPECT_EQ(RunCli({"doctor", "extra"}).status, 2);
    EXPECT_EQ(RunCli({"doctor", "--bogus"}).status, 2);
}

}  // namespace
