#pragma once

class QWidget;

// The settings pages in page order, each a sheet under its own name holding its named controls.
QWidget* BuildOwnerPage();         // page 0, TabSheet2: owner phone and PIN
QWidget* BuildMainSettingsPage();  // page 1, TabSheet1: time zone ... Wialon IPS server
QWidget* BuildWakePage();          // page 2, TabSheet3: wake-up frequency, fix period
QWidget* BuildMotionGuardPage();   // page 3, TabSheet4: motion-sensor guard and its intervals
QWidget* BuildMotionSensorPage();  // page 4, TabSheet5: sensor time-out ... duration
QWidget* BuildGuardZonePage();     // page 5, TabSheet6: guard-zone control
QWidget* BuildBalancePage();       // page 6, TabSheet7: balance threshold and request code
// page 7, TabSheet8: the firmware group given, then the device information
QWidget* BuildDevicePage(QWidget* firmwareGroup);
