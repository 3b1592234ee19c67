#pragma once

#include <QString>

// The udev rule for the tracker with these USB ids (four hex digits each); empty when an id is not
// of that form, so nothing else ever reaches a rule file.
QString UdevRuleText(const QString& vendorId, const QString& productId);

// Where the rule for these ids is installed.
QString UdevRulePath(const QString& vendorId, const QString& productId,
                     const QString& rulesFolder = QStringLiteral("/etc/udev/rules.d"));

// Writes the rule, reloads udev's rules and makes udev apply them to the tty again (sysfs path
// such as /sys/class/tty/ttyACM0). False with the reason when a step fails.
bool InstallUdevRule(const QString& rule, const QString& rulePath, const QString& ttySysPath, QString* why);
