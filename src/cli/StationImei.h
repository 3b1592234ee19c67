#pragma once

#include "link/ConnectDevice.h"

#include <optional>

// Connects and reads the tracker's IMEI slot alone, then closes the link. Nothing (with the reason in
// *why) when the tracker cannot be reached or does not answer in time.
std::optional<QString> ReadImei(SerialLink& link, const PortChoice& choice, QString* why);
