#include "link/ConnectDevice.h"
#include "link/PortProbe.h"
#include "link/SerialLink.h"
#include "link/UsbSerialSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    };
    for (const Case& c : cases)
        EXPECT_EQ(UsbSerRegistryPorts(c.values), c.ports) << c.what;
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
}

}  // namespace
