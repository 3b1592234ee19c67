#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace PageControls;

namespace {

// An interval: start and end time, each an hour list, a colon and a minute list.
QGroupBox* IntervalGroup(const QString& name, const QString& startLabel, const QString& endLabel,
                         const QStringList& lists, QWidget* page) {
    QGroupBox* group = Group(name, page);
    auto* grid = new QGridLayout(group);
    grid->addWidget(Label(startLabel, group), 0, 0);
    grid->addLayout(Row({PickList(lists[0], group), Colon(group), PickList(lists[1], group)}), 0, 1);
    grid->addWidget(Label(endLabel, group), 1, 0);
    grid->addLayout(Row({PickList(lists[2], group), Colon(group), PickList(lists[3], group)}), 1, 1);
    return group;
}

}  // namespace

QWidget* BuildMotionGuardPage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet4"));
    auto* column = new QVBoxLayout(page);

    QGroupBox* mode = Group(QStringLiteral("GroupBox9"), page);
    auto* modeColumn = new QVBoxLayout(mode);
    modeColumn->addWidget(Memo(QStringLiteral("Memo9"), MemoWidth, mode, false));
    for (const char* name : {"RadioButton8", "RadioButton9", "RadioButton10", "RadioButton11"})
        modeColumn->addWidget(Radio(QString::fromLatin1(name), mode));
    column->addWidget(mode);

    column->addWidget(IntervalGroup(QStringLiteral("GroupBox10"), QStringLiteral("Label36"), QStringLiteral("Label37"),
                                    {QStringLiteral("ComboBox4"), QStringLiteral("ComboBox5"),
                                     QStringLiteral("ComboBox6"), QStringLiteral("ComboBox7")},
                                    page));
    column->addWidget(IntervalGroup(QStringLiteral("GroupBox11"), QStringLiteral("Label44"), QStringLiteral("Label45"),
                                    {QStringLiteral("ComboBox8"), QStringLiteral("ComboBox9"),
                                     QStringLiteral("ComboBox10"), QStringLiteral("ComboBox11")},
                                    page));
    column->addStretch();
    return page;
}
