#pragma once

#include <QObject>

class QWidget;

// Lets a field take only the typed characters its filter allows; any other typed character is
// discarded. Keys that type nothing (arrows, Delete, shortcuts) always pass.
class KeyFilter : public QObject {
public:
    using Allows = bool (*)(QChar);
    KeyFilter(Allows allows, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Allows allows_;
};

// Puts the four fields' filters on the owner phone, PIN, zone diameter and server port fields.
void InstallKeyFilters(QWidget* pages);
