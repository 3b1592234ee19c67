#pragma once

#include "settings/DefaultServers.h"

#include <QString>

// Every value of the eight settings pages that the settings logic reads or sets, named after the
// control that shows it. The window copies this record to its widgets and back; FillPages and
// PackPages work on it alone. A list's value is its item index, -1 when nothing is selected; radio
// buttons are one flag each (at most one set per group). The member initialisers are the pages as the
// window is created.
struct SettingsPages {
    // Page 0: owner phone and PIN.
    QString Edit1;                   // owner phone
    QString Edit2 = QStringLiteral("5938");  // PIN

    // Page 1: time zone, session time, coordinate format, data delivery, Wialon IPS server.
    int ComboBox1 = 15;              // time zone, item 12 = UTC
    int ComboBox2 = 12;              // session hour
    int ComboBox3 = 0;               // session minute
    bool RadioButton1 = false;       // DD,DDDDD°
    bool RadioButton2 = false;       // DD° MM,MMM'
    bool RadioButton12 = false;      // DD° MM' SS,SS''
    bool RadioButton13 = false;      // internet link
    int ComboBox19 = -1;             // delivery mode; the list's text can also be typed
    QString ComboBox19Text = QStringLiteral("SMS");  // the text it shows
    QString Edit7 = QString::fromLatin1(DefaultServers::MonitoringHost);
    QString Edit8 = QString::fromLatin1(DefaultServers::MonitoringPort);
    bool CheckBox3 = false;          // Wialon IPS transfer on
    QString Edit5 = QString::fromLatin1(DefaultServers::WialonHost);
    QString Edit9;                   // Wialon port
    QString Edit10;                  // Wialon password

    // Page 2: wake-up frequency, period of position fixes.
    bool RadioButton3 = true;        // every 24 hours
    bool RadioButton4 = false;       // every 12 hours
    bool RadioButton5 = false;       // every 8 hours
    int ComboBox16 = -1;             // fix period in days, item 0 = every day

    // Page 3: motion-sensor guard and its two time intervals.
    bool RadioButton8 = true;        // sensor off
    bool RadioButton9 = false;       // always on
    bool RadioButton10 = false;      // on within interval 1
    bool RadioButton11 = false;      // on within intervals 1 and 2
    int ComboBox4 = 23;              // interval 1 start hour
    int ComboBox5 = 0;               // interval 1 start minute
    int ComboBox6 = 7;               // interval 1 end hour
    int ComboBox7 = 0;               // interval 1 end minute
    int ComboBox8 = 10;              // interval 2 start hour
    int ComboBox9 = 0;               // interval 2 start minute
    int ComboBox10 = 17;             // interval 2 end hour
    int ComboBox11 = 0;              // interval 2 end minute

    // Page 4: sensor time-out, false-alarm protection, amplitude, duration.
    int ComboBox13 = 0;              // time-out, item 0 = 5 minutes
    bool CheckBox2 = false;          // false-alarm protection
    int ComboBox14 = -1;             // amplitude, item 0 = 1
    int ComboBox15 = 0;              // duration in tenths of a second

    // Page 5: guard-zone control.
    int ComboBox18 = 0;              // mode, item 0 = off
    QString Edit6 = QStringLiteral("1");  // zone diameter in km

    // Page 6: balance threshold and balance request code.
    QString Edit3 = QStringLiteral("50");  // threshold
    bool RadioButton6 = true;        // determine the code automatically
    bool RadioButton7 = false;       // explicit code
    QString Edit4;                   // the explicit code
    bool Edit4Enabled = true;

    // Page 7, device information.
    QString Label19;                 // IMEI

    bool operator==(const SettingsPages&) const = default;
};

// The balance code radio buttons: choosing one also enables (explicit code) or disables (automatic)
// the code field, the way FillPages leaves them.
void ChooseBalanceCode(SettingsPages& pages, bool explicitCode);
