#pragma once

class QSerialPort;

// Waits until the bytes written to the port have left it (the platform's drain), so a send is
// complete when it returns.
bool DrainPort(QSerialPort& port);
