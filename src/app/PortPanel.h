#pragma once

#include "link/ConnectDevice.h"

#include <QFrame>

class QCheckBox;
class QComboBox;
class QPushButton;

// The port panel: automatic discovery (the default), or the port picked from the probed list or typed.
class PortPanel : public QFrame {
public:
    explicit PortPanel(QWidget* parent = nullptr);

    // Fills the list with the ports that can be opened now and selects the first.
    void ProbePorts();
    // Button8: empties the list, then probes again.
    void Button8Click();
    // What a job starting now is to use.
    PortChoice Choice() const;

    QCheckBox* CheckBox1;
    QComboBox* ComboBox12;
    QPushButton* Button8;
};

// The ports worth probing: the system's serial ports, then any USB serial port discovery knows of that
// the system does not list (a simulated tracker's terminal, for one).
QStringList ProbeCandidates();
