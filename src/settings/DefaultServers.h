#pragma once

// The servers the program offers until the user names others.
namespace DefaultServers {
constexpr const char* MonitoringHost = "monitoring.kova-track.ru";  // the maker's monitoring server
constexpr const char* MonitoringPort = "23351";
constexpr const char* WialonHost = "193.193.165.165";  // the public Wialon IPS server
constexpr const char* WialonPort = "20332";
}  // namespace DefaultServers
