#include "app/PortPanel.h"

#include "app/ShellColours.h"
#include "link/PortProbe.h"
#include "link/UsbSerialSource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

QStringList ProbeCandidates() {
    QStringList candidates = SystemSerialPorts();
    for (const QString& port : CurrentUsbSerialSource()->UsbSerialPorts())
        if (!candidates.contains(port) && !candidates.contains(QFileInfo(port).fileName()))
            candidates << port;
    return candidates;
}

PortPanel::PortPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel4"));
    ShellColours::SetBackground(this, ShellColours::Light());

    CheckBox1 = new QCheckBox(QStringLiteral("Определить порт автоматически"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    CheckBox1->setGeometry(12, 14, 212, 20);

    ComboBox12 = new QComboBox(this);
    ComboBox12->setObjectName(QStringLiteral("ComboBox12"));
    ComboBox12->setEditable(true);
    ComboBox12->setInsertPolicy(QComboBox::NoInsert);
    ComboBox12->setGeometry(44, 50, 145, 22);

    Button8 = new QPushButton(QStringLiteral("Перечислить COM - порты"), this);
    Button8->setObjectName(QStringLiteral("Button8"));
    Button8->setGeometry(44, 88, 145, 25);
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
}

void PortPanel::ProbePorts() {
    ComboBox12->addItems(::ProbePorts(ProbeCandidates()));
    if (ComboBox12->count() > 0)
        ComboBox12->setCurrentIndex(0);
}

void PortPanel::Button8Click() {
    ComboBox12->clear();
    ProbePorts();
}

PortChoice PortPanel::Choice() const { return {CheckBox1->isChecked(), ComboBox12->currentText()}; }
