#pragma once

#include <QByteArray>

// The settings memory of a tracker fresh from the factory: every known slot filled with a plausible
// value, every other byte zero.
QByteArray FactorySettingsMemory();

// The same for the numberth of several trackers (from 1): each has an IMEI of its own, the first the
// factory's.
QByteArray FactorySettingsMemory(int number);
