#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace PageControls;

namespace {

QGroupBox* TimeZoneGroup(QWidget* page) {
    QGroupBox* group = Group(QStringLiteral("GroupBox1"), page);
    auto* row = new QHBoxLayout(group);
    row->addWidget(PickList(QStringLiteral("ComboBox1"), group));
    return group;
}

QGroupBox* SessionTimeGroup(QWidget* page) {
    QGroupBox* group = Group(QStringLiteral("GroupBox2"), page);
    group->setLayout(Row({Label(QStringLiteral("Label32"), group), PickList(QStringLiteral("ComboBox2"), group),
                          Label(QStringLiteral("Label26"), group), PickList(QStringLiteral("ComboBox3"), group)}));
    return group;
}

QGroupBox* CoordinateFormatGroup(QWidget* page) {
    QGroupBox* group = Group(QStringLiteral("GroupBox4"), page);
    auto* column = new QVBoxLayout(group);
    column->addWidget(Memo(QStringLiteral("Memo3"), MemoWidth, group, false));
    auto* buttons = new QGridLayout;
    buttons->addWidget(Radio(QStringLiteral("RadioButton1"), group), 0, 0);
    buttons->addWidget(Radio(QStringLiteral("RadioButton2"), group), 0, 1);
    buttons->addWidget(Radio(QStringLiteral("RadioButton12"), group), 1, 0);
    buttons->addWidget(Radio(QStringLiteral("RadioButton13"), group), 1, 1);
    column->addLayout(buttons);
    return group;
}

QGroupBox* DeliveryGroup(QWidget* page) {
    QGroupBox* group = Group(QStringLiteral("GroupBox21"), page);
    auto* column = new QVBoxLayout(group);
    column->addWidget(Memo(QStringLiteral("Memo4"), MemoWidth, group, false));
    auto* fields = new QGridLayout;
    fields->addWidget(Label(QStringLiteral("Label22"), group), 0, 0);
    fields->addWidget(TypedList(QStringLiteral("ComboBox19"), group), 0, 1, Qt::AlignLeft);
    fields->addWidget(Label(QStringLiteral("Label25"), group), 0, 2, Qt::AlignRight);
    QLineEdit* port = Edit(QStringLiteral("Edit8"), group);
    port->setFixedWidth(60);
    fields->addWidget(port, 0, 3);
    fields->addWidget(Label(QStringLiteral("Label23"), group), 1, 0);
    fields->addWidget(Edit(QStringLiteral("Edit7"), group), 1, 1, 1, 3);
    column->addLayout(fields);
    return group;
}

QGroupBox* WialonGroup(QWidget* page) {
    QGroupBox* group = Group(QStringLiteral("GroupBox22"), page);
    auto* fields = new QGridLayout(group);
    fields->addWidget(Check(QStringLiteral("CheckBox3"), group), 0, 0, 1, 4);
    fields->addWidget(Label(QStringLiteral("Label10"), group), 1, 0);
    fields->addWidget(Edit(QStringLiteral("Edit5"), group), 1, 1, 1, 3);
    fields->addWidget(Label(QStringLiteral("Label11"), group), 2, 0);
    QLineEdit* port = Edit(QStringLiteral("Edit9"), group);
    port->setFixedWidth(60);
    fields->addWidget(port, 2, 1);
    fields->addWidget(Label(QStringLiteral("Label33"), group), 2, 2, Qt::AlignRight);
    fields->addWidget(Edit(QStringLiteral("Edit10"), group), 2, 3);
    return group;
}

}  // namespace

QWidget* BuildMainSettingsPage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet1"));
    auto* column = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addWidget(TimeZoneGroup(page));
    top->addWidget(SessionTimeGroup(page));
    column->addLayout(top);
    column->addWidget(CoordinateFormatGroup(page));
    column->addWidget(DeliveryGroup(page));
    column->addWidget(WialonGroup(page));
    column->addStretch();
    return page;
}
