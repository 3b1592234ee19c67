#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace PageControls;

namespace {
constexpr int HeadingWidth = 52;
}

QWidget* BuildGuardZonePage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet6"));
    auto* column = new QVBoxLayout(page);
    column->addWidget(Memo(QStringLiteral("Memo17"), MemoWidth + 18, page));
    column->addWidget(Memo(QStringLiteral("Memo18"), MemoWidth + 18, page));

    QGroupBox* zone = Group(QStringLiteral("GroupBox19"), page);
    auto* grid = new QGridLayout(zone);
    grid->addWidget(Label(QStringLiteral("Label12"), zone), 0, 0);
    grid->addWidget(PickList(QStringLiteral("ComboBox18"), zone), 0, 1, Qt::AlignLeft);
    grid->addWidget(Label(QStringLiteral("Label13"), zone), 1, 0);
    QLineEdit* diameter = Edit(QStringLiteral("Edit6"), zone);
    diameter->setFixedWidth(50);
    grid->addWidget(diameter, 1, 1, Qt::AlignLeft);
    const char* modes[][2] = {{"Memo19", "Memo20"}, {"Memo21", "Memo22"}, {"Memo23", "Memo24"}};
    auto* descriptions = new QGridLayout;
    int row = 0;
    for (const auto& [heading, description] : modes) {
        descriptions->addWidget(Memo(QString::fromLatin1(heading), HeadingWidth, zone), row, 0, Qt::AlignTop);
        descriptions->addWidget(Memo(QString::fromLatin1(description), MemoWidth - HeadingWidth, zone), row, 1,
                                Qt::AlignTop | Qt::AlignLeft);
        ++row;
    }
    descriptions->setColumnStretch(1, 1);
    grid->addLayout(descriptions, 2, 0, 1, 2);
    column->addWidget(zone);
    column->addStretch();
    return page;
}
