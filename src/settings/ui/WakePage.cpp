#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace PageControls;

QWidget* BuildWakePage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet3"));
    auto* column = new QVBoxLayout(page);

    QGroupBox* wake = Group(QStringLiteral("GroupBox6"), page);
    auto* wakeColumn = new QVBoxLayout(wake);
    wakeColumn->addWidget(Memo(QStringLiteral("Memo5"), MemoWidth, wake, false));
    for (const char* name : {"RadioButton3", "RadioButton4", "RadioButton5"})
        wakeColumn->addWidget(Radio(QString::fromLatin1(name), wake));
    column->addWidget(wake);

    QGroupBox* fixes = Group(QStringLiteral("GroupBox17"), page);
    auto* fixesColumn = new QVBoxLayout(fixes);
    fixesColumn->addWidget(Memo(QStringLiteral("Memo8"), MemoWidth, fixes, false));
    fixesColumn->addLayout(Row({Label(QStringLiteral("Label30"), fixes), PickList(QStringLiteral("ComboBox16"), fixes)}));
    column->addWidget(fixes);

    column->addStretch();
    return page;
}
