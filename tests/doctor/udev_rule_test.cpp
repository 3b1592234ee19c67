// The udev rule and the sysfs facts it is made from.
#include "doctor/UdevRule.h"
#include "doctor/UsbTrackerPorts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(UdevRule, MatchesTheTrackersIdsAndSetsEveryPartOfTheRule) {
    const QString rule = UdevRuleText(QStringLiteral("0483"), QStringLiteral("5740"));
    for (const char* part : {"ATTRS{idVendor}==\"0483\"", "ATTRS{idProduct}==\"5740\"", "ENV{ID_MM_DEVICE_IGNORE}=\"1\"",
                             "TAG+=\"uaccess\"", "GROUP=\"dialout\"", "MODE=\"0660\""})
        EXPECT_TRUE(rule.contains(QLatin1String(part))) << part;
    EXPECT_FALSE(rule.contains(QLatin1Char('%')));
    EXPECT_EQ(UdevRulePath(QStringLiteral("0483"), QStringLiteral("5740")),
              QStringLiteral("/etc/udev/rules.d/70-kova-tracker-0483-5740.rules"));
}

TEST(UdevRule, IdsThatAreNotFourHexDigitsMakeNoRule) {
    for (const char* id : {"", "48", "04833", "04g3", "0483\", RUN+=\"/bin/sh"})
        EXPECT_TRUE(UdevRuleText(QString::fromLatin1(id), QStringLiteral("5740")).isEmpty()) << id;
}

// A sysfs tty class folder as the kernel lays it out: each tty's "device" links to its USB
// interface, whose parent folder is the USB device with its ids.
class FakeSysfs : public ::testing::Test {
protected:
    void AddTty(const QString& name, const QString& driver, const QString& vendor = {}, const QString& product = {}) {
        const QString usbDevice = dir.filePath(QStringLiteral("devices/usb1/") + name);
        const QString interface = usbDevice + QStringLiteral("/1-1:1.0");
        QDir().mkpath(interface);
        QDir().mkpath(dir.filePath(QStringLiteral("drivers/") + driver));
        QFile::link(dir.filePath(QStringLiteral("drivers/") + driver), interface + QStringLiteral("/driver"));
        Write(usbDevice + QStringLiteral("/idVendor"), vendor);
        Write(usbDevice + QStringLiteral("/idProduct"), product);
        Write(usbDevice + QStringLiteral("/product"), QStringLiteral("KOVA T310"));
        QDir().mkpath(dir.filePath(QStringLiteral("class/tty/") + name));
        QFile::link(interface, dir.filePath(QStringLiteral("class/tty/") + name + QStringLiteral("/device")));
    }
    static void Write(const QString& path, const QString& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8() + "\n");
    }
    QTemporaryDir dir;
};

TEST_F(FakeSysfs, TrackerPortsAreTheCdcAcmTtysWithTheirUsbIds) {
    AddTty(QStringLiteral("ttyACM0"), QStringLiteral("cdc_acm"), QStringLiteral("0483"), QStringLiteral("5740"));
    AddTty(QStringLiteral("ttyUSB0"), QStringLiteral("ch341"), QStringLiteral("1a86"), QStringLiteral("7523"));
    const QList<UsbTrackerPort> ports = UsbTrackerPorts(dir.filePath(QStringLiteral("class/tty")));
    ASSERT_EQ(ports.size(), 1);
    EXPECT_EQ(ports[0].path, QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(ports[0].vendorId, QStringLiteral("0483"));
    EXPECT_EQ(ports[0].productId, QStringLiteral("5740"));
    EXPECT_EQ(ports[0].product, QStringLiteral("KOVA T310"));
}

}  // namespace
