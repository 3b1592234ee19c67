#include "app/ToolPanel.h"

#include "app/ShellColours.h"

#include <QStyle>
#include <QToolButton>

namespace {
constexpr int ButtonSize = 46;
constexpr int Gap = 4;
}

ToolPanel::ToolPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel17"));
    ShellColours::SetBackground(this, Qt::white);

    SpeedButton3 = AddButton("SpeedButton3", 0, QStyle::SP_ArrowUp, QStringLiteral("Записать настройки в устройство"), true);
    SpeedButton4 = AddButton("SpeedButton4", 1, QStyle::SP_ArrowDown, QStringLiteral("Прочитать настройки из устройства"), true);
    SpeedButton5 = AddButton("SpeedButton5", 2, QStyle::SP_BrowserReload, QStringLiteral("Восстановить значения по умолчанию"), true);
    SpeedButton7 = AddButton("SpeedButton7", 3, QStyle::SP_CommandLink, QStringLiteral("Создать команду WIALON"), false);
    SpeedButton1 = AddButton("SpeedButton1", 4, QStyle::SP_DialogOpenButton, QStringLiteral("Загрузить настройки из файла"), false);
    SpeedButton2 = AddButton("SpeedButton2", 5, QStyle::SP_DialogSaveButton, QStringLiteral("Сохранить настройки в файл"), false);
    SpeedButton8 = AddButton("SpeedButton8", 6, QStyle::SP_ComputerIcon, QString(), false);
}

QToolButton* ToolPanel::AddButton(const char* name, int slot, QStyle::StandardPixmap picture, const QString& hint,
                                  bool visible) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setIcon(style()->standardIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setToolTip(hint);
    button->setGeometry(Gap + slot * (ButtonSize + Gap), 2, ButtonSize, ButtonSize);
    button->setVisible(visible);
    return button;
}
