#pragma once

#include <QByteArray>

// The settings memory of a tracker fresh from the factory: every known slot filled with a plausible
// value, every other byte zero.
QByteArray FactorySettingsMemory();
