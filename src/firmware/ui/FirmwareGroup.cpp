#include "firmware/ui/FirmwareGroup.h"

#include "app/ShellColours.h"
#include "settings/ui/PageControls.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

QStringList Instructions() {
    return {
        QStringLiteral("Для обновления программного обеспечения устройства подключите"),
        QStringLiteral("устройство с помощью USB-кабеля к компьютеру и нажмите кнопку "),
        QStringLiteral("\"Обновить программное обеспечение\". В открывшемся окне выберите "),
        QStringLiteral("файл прошивки. Процесс обновления программного обеспечения"),
        QStringLiteral("начнется автоматически."),
    };
}

}  // namespace

FirmwareGroup::FirmwareGroup(QWidget* parent) : QGroupBox(QStringLiteral("Обновление программного обеспечения"), parent) {
    setObjectName(QStringLiteral("GroupBox18"));
    auto* column = new QVBoxLayout(this);

    Memo14 = PageControls::Memo(QStringLiteral("Memo14"), Instructions(), PageControls::MemoWidth, this, true);
    ShellColours::SetColour(Memo14, QPalette::Base, Qt::white);
    column->addWidget(Memo14);

    SpeedButton6 = new QToolButton(this);
    SpeedButton6->setObjectName(QStringLiteral("SpeedButton6"));
    SpeedButton6->setText(QStringLiteral("Обновить программное обеспечение"));
    SpeedButton6->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    SpeedButton6->setIconSize(QSize(24, 24));
    SpeedButton6->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton6->setAutoRaise(true);
    column->addWidget(SpeedButton6, 0, Qt::AlignHCenter);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 10000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    column->addWidget(ProgressBar1);
}

void FirmwareGroup::ShowProgress(qint64 done, qint64 total) {
    // The bar counts in int; a very large file is shown in proportion. A total of 0 would make the bar
    // a busy indicator, so an empty payload shows as an empty bar.
    constexpr qint64 Largest = std::numeric_limits<int>::max();
    const qint64 scale = std::max<qint64>(1, (total + Largest - 1) / Largest);
    ProgressBar1->setVisible(true);
    const int maximum = total <= 0 ? 1 : static_cast<int>(total / scale);
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(static_cast<int>(std::clamp<qint64>(done / scale, 0, maximum)));
}
