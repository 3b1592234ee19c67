#pragma once

#include "SimPort.h"

#include <QString>

// A simulated tracker inside the program (--simulator): served on a pseudo-terminal that automatic
// discovery takes as the one USB serial port, and that the port probe lists.
class BuiltInSimulator {
public:
    BuiltInSimulator() = default;
    ~BuiltInSimulator();
    BuiltInSimulator(const BuiltInSimulator&) = delete;
    BuiltInSimulator& operator=(const BuiltInSimulator&) = delete;

    bool Start(QString* error);
    QString Path() const { return port_.Path(); }
    SimPort& Port() { return port_; }

private:
    SimPort port_;
};
