#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace PageControls;

QWidget* BuildDevicePage(QWidget* firmwareGroup) {
    QWidget* page = Sheet(QStringLiteral("TabSheet8"));
    auto* column = new QVBoxLayout(page);
    firmwareGroup->setParent(page);
    column->addWidget(firmwareGroup);

    QGroupBox* info = Group(QStringLiteral("GroupBox20"), page);
    auto* grid = new QGridLayout(info);
    const char* rows[][2] = {{"Label14", "Label17"}, {"Label15", "Label18"}, {"Label16", "Label19"}};
    int row = 0;
    for (const auto& [caption, value] : rows) {
        QLabel* captionLabel = Label(QString::fromLatin1(caption), info);
        auto* valueLabel = new QLabel(info);
        valueLabel->setObjectName(QString::fromLatin1(value));
        valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(captionLabel, row, 0);
        grid->addWidget(valueLabel, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    info->findChild<QLabel*>(QStringLiteral("Label14"))->setVisible(false);
    info->findChild<QLabel*>(QStringLiteral("Label15"))->setVisible(false);
    column->addWidget(info);
    column->addStretch();
    return page;
}
