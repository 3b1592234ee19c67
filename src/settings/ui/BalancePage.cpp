#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace PageControls;

QWidget* BuildBalancePage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet7"));
    auto* column = new QVBoxLayout(page);

    QGroupBox* threshold = Group(QStringLiteral("GroupBox7"), page);
    auto* thresholdColumn = new QVBoxLayout(threshold);
    thresholdColumn->addWidget(Memo(QStringLiteral("Memo6"), MemoWidth, threshold));
    QLineEdit* amount = Edit(QStringLiteral("Edit3"), threshold);
    amount->setFixedWidth(80);
    thresholdColumn->addLayout(Row({Label(QStringLiteral("Label29"), threshold), amount}));
    column->addWidget(threshold);

    QGroupBox* code = Group(QStringLiteral("GroupBox8"), page);
    auto* codeColumn = new QVBoxLayout(code);
    codeColumn->addWidget(Memo(QStringLiteral("Memo7"), MemoWidth, code));
    QRadioButton* automatic = Radio(QStringLiteral("RadioButton6"), code);
    automatic->setChecked(true);
    codeColumn->addWidget(automatic);
    codeColumn->addWidget(Radio(QStringLiteral("RadioButton7"), code));
    QLineEdit* explicitCode = Edit(QStringLiteral("Edit4"), code);
    explicitCode->setFixedWidth(120);
    codeColumn->addLayout(Row({Label(QStringLiteral("Label31"), code), explicitCode}));
    column->addWidget(code);

    column->addStretch();
    return page;
}
