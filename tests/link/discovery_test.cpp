#include "link/ConnectDevice.h"
#include "link/PortProbe.h"
#include "link/SerialLink.h"
#include "link/UsbSerialSource.h"
#include "SimPort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Values = QList<std::pair<QString, QString>>;

TEST(UsbSerRegistryPorts, KeepsOnlyValuesNamedUsbSerInRegistryOrder) {
    struct Case {
        const char* what;
        Values values;
        QStringList ports;
    };
    const Case cases[] = {
        {"none", {{"\\Device\\Serial0", "COM1"}}, {}},
        {"one", {{"\\Device\\Serial0", "COM1"}, {"\\Device\\USBSER000", "COM7"}}, {"COM7"}},
        {"two", {{"\\Device\\USBSER000", "COM7"}, {"\\Device\\USBSER001", "COM9"}}, {"COM7", "COM9"}},
        {"lower case does not match", {{"\\Device\\usbser000", "COM7"}}, {}},
        {"the driver's name anywhere in the value name", {{"\\Device\\Serial2", "COM2"},
                                                          {"\\Device\\ProlificUSBSERIAL0", "COM4"}},
         {"COM4"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UsbSerRegistryPorts(c.values), c.ports) << c.what;
}

TEST(RegistryString, TakesTheTextWithOrWithoutItsTerminatingZero) {
    struct Case {
        const char* what;
        std::u16string data;
        qsizetype byteCount;
        QString text;
    };
    const Case cases[] = {
        {"terminated", std::u16string(u"COM7\0", 5), 10, "COM7"},
        {"not terminated", u"COM12", 10, "COM12"},
        {"odd byte count", u"COM3", 7, "COM"},
        {"empty", u"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RegistryString(c.data.data(), c.byteCount), c.text) << c.what;
}

// A sysfs tty class folder: each tty is a folder whose device/driver link names its driver.
class FakeSysfs : public ::testing::Test {
protected:
    void AddTty(const QString& name, const QString& driver) {
        const QString device = dir.path() + "/devices/" + name;
        QDir().mkpath(device);
        QDir().mkpath(dir.path() + "/drivers/" + driver);
        QFile::link(dir.path() + "/drivers/" + driver, device + "/driver");
        QDir().mkpath(dir.path() + "/class/" + name);
        QFile::link(device, dir.path() + "/class/" + name + "/device");
    }
    QString ClassDir() const { return dir.path() + "/class"; }
    QTemporaryDir dir;
};

TEST_F(FakeSysfs, ListsTheTtysBoundToCdcAcmInNumericOrder) {
    AddTty("ttyS0", "serial8250");
    AddTty("ttyACM10", "cdc_acm");
    AddTty("ttyACM2", "cdc_acm");
    AddTty("ttyUSB0", "ftdi_sio");
    EXPECT_EQ(CdcAcmPorts(ClassDir()), (QStringList{"/dev/ttyACM2", "/dev/ttyACM10"}));
    EXPECT_TRUE(CdcAcmPorts(dir.path() + "/missing").isEmpty());
}

TEST(FindDevicePort, AutomaticNeedsExactlyOnePortManualTakesTheText) {
    struct Case {
        const char* what;
        PortChoice choice;
        QStringList usbPorts;
        QString port;
    };
    const Case cases[] = {
        {"no USB serial port", {true, "COM3"}, {}, ""},
        {"the one port, whatever the text says", {true, "COM3"}, {"COM7"}, "COM7"},
        {"two ports", {true, ""}, {"COM7", "COM9"}, ""},
        {"manual ignores the USB ports", {false, " COM255 "}, {"COM7"}, "COM255"},
        {"manual with nothing typed", {false, "  "}, {"COM7"}, ""},
    };
    for (const Case& c : cases) {
        const DevicePort found = FindDevicePort(c.choice, FixedUsbSerialSource(c.usbPorts));
        EXPECT_EQ(found.port, c.port) << c.what;
        EXPECT_EQ(found.why.isEmpty(), !c.port.isEmpty()) << c.what;
    }
}

TEST(ConnectDevice, APortThatCannotBeOpenedFailsAndLeavesTheLinkClosed) {
    SerialLink link;
    QString why;
    EXPECT_FALSE(ConnectDevice(link, {true, ""}, FixedUsbSerialSource({"/dev/kova-no-such-port"}), &why));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(why.contains("/dev/kova-no-such-port")) << why.toStdString();
    EXPECT_FALSE(ConnectDevice(link, {false, "ttyKOVA-missing"}, FixedUsbSerialSource({}), &why));
    link.Close();
    link.Close();
}

TEST(ProbePorts, LeavesOutPortsThatCannotBeOpened) {
    EXPECT_TRUE(ProbePorts({"/dev/kova-no-such-port", "ttyKOVA-missing"}).isEmpty());
    QTemporaryDir dir;
    QFile plainFile(dir.filePath("ttyS0"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    EXPECT_TRUE(ProbePorts({plainFile.fileName()}).isEmpty()) << "a file that is no terminal is no port";
}

// Another program's device on the port: 4800 baud, 7 data bits, odd parity, two stop bits, hardware
// flow control, echo on.
termios SetDistinctiveLine(const QString& path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios line{};
    EXPECT_EQ(tcgetattr(fd, &line), 0);
    cfsetspeed(&line, B4800);
    line.c_cflag = (line.c_cflag & ~CSIZE) | CS7 | PARENB | PARODD | CSTOPB | CRTSCTS;
    line.c_lflag |= ECHO | ICANON;
    EXPECT_EQ(tcsetattr(fd, TCSANOW, &line), 0);
    tcgetattr(fd, &line);
    ::close(fd);
    return line;
}

bool SameLine(const termios& a, const termios& b) {
    return cfgetospeed(&a) == cfgetospeed(&b) && cfgetispeed(&a) == cfgetispeed(&b) && a.c_cflag == b.c_cflag &&
           a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag;
}

// The probe runs while the other program's line is watched: not even for a moment may it change.
TEST(ProbePorts, OpensAndClosesAPortWithoutTouchingItsLine) {
    SimPort sim;
    ASSERT_TRUE(sim.Start());
    const termios before = SetDistinctiveLine(sim.Path());
    const int watched = ::open(sim.Path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(watched, 0);
    std::atomic<bool> probing{true};
    std::atomic<int> changedSeen{0};
    std::thread watcher([&] {
        termios now{};
        while (probing.load())
            if (tcgetattr(watched, &now) == 0 && !SameLine(now, before))
                ++changedSeen;
    });
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(ProbePorts({sim.Path()}), QStringList{sim.Path()});
    probing = false;
    watcher.join();
    termios after{};
    ASSERT_EQ(tcgetattr(watched, &after), 0);
    ::close(watched);
    EXPECT_EQ(changedSeen.load(), 0);
    EXPECT_TRUE(SameLine(after, before));
}

}  // namespace
