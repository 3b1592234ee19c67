#pragma once

#include <QString>

class SimDevice;

// What kova-sim keeps between runs. The settings file holds the device's settings memory as its raw
// bytes (2144 of them, from the first slot's address on); the firmware file holds the image written
// since the last erase. Files are written whole to a temporary name and then renamed.
namespace SimStateFile {
bool LoadSettings(SimDevice& device, const QString& path, QString* error);
bool SaveSettings(const SimDevice& device, const QString& path, QString* error);
bool SaveFirmware(const SimDevice& device, const QString& path, QString* error);
}  // namespace SimStateFile
