#include "settings/ui/PagesBinding.h"

#include "settings/ui/PageControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

template <typename Member>
struct Binding {
    const char* control;
    Member SettingsPages::*member;
};

const Binding<QString> Texts[] = {
    {"Edit1", &SettingsPages::Edit1}, {"Edit2", &SettingsPages::Edit2},   {"Edit7", &SettingsPages::Edit7},
    {"Edit8", &SettingsPages::Edit8}, {"Edit5", &SettingsPages::Edit5},   {"Edit9", &SettingsPages::Edit9},
    {"Edit10", &SettingsPages::Edit10}, {"Edit6", &SettingsPages::Edit6}, {"Edit3", &SettingsPages::Edit3},
    {"Edit4", &SettingsPages::Edit4},
};

const Binding<int> PickLists[] = {
    {"ComboBox1", &SettingsPages::ComboBox1},   {"ComboBox2", &SettingsPages::ComboBox2},
    {"ComboBox3", &SettingsPages::ComboBox3},   {"ComboBox16", &SettingsPages::ComboBox16},
    {"ComboBox4", &SettingsPages::ComboBox4},   {"ComboBox5", &SettingsPages::ComboBox5},
    {"ComboBox6", &SettingsPages::ComboBox6},   {"ComboBox7", &SettingsPages::ComboBox7},
    {"ComboBox8", &SettingsPages::ComboBox8},   {"ComboBox9", &SettingsPages::ComboBox9},
    {"ComboBox10", &SettingsPages::ComboBox10}, {"ComboBox11", &SettingsPages::ComboBox11},
    {"ComboBox13", &SettingsPages::ComboBox13}, {"ComboBox14", &SettingsPages::ComboBox14},
    {"ComboBox15", &SettingsPages::ComboBox15}, {"ComboBox18", &SettingsPages::ComboBox18},
};

const Binding<bool> Buttons[] = {
    {"RadioButton1", &SettingsPages::RadioButton1},   {"RadioButton2", &SettingsPages::RadioButton2},
    {"RadioButton12", &SettingsPages::RadioButton12}, {"RadioButton13", &SettingsPages::RadioButton13},
    {"CheckBox3", &SettingsPages::CheckBox3},         {"RadioButton3", &SettingsPages::RadioButton3},
    {"RadioButton4", &SettingsPages::RadioButton4},   {"RadioButton5", &SettingsPages::RadioButton5},
    {"RadioButton8", &SettingsPages::RadioButton8},   {"RadioButton9", &SettingsPages::RadioButton9},
    {"RadioButton10", &SettingsPages::RadioButton10}, {"RadioButton11", &SettingsPages::RadioButton11},
    {"CheckBox2", &SettingsPages::CheckBox2},         {"RadioButton6", &SettingsPages::RadioButton6},
    {"RadioButton7", &SettingsPages::RadioButton7},
};

template <typename Control>
Control* Find(const QWidget* pages, const char* name) {
    auto* control = pages->findChild<Control*>(QString::fromLatin1(name));
    Q_ASSERT_X(control, "settings pages", name);
    return control;
}

// A radio group may show no button checked, which its own exclusivity would not allow.
void SetChecked(QAbstractButton* button, bool checked) {
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
}

}  // namespace

int TypedListIndex(const QComboBox* list) {
    const int index = list->currentIndex();
    if (index >= 0 && list->itemText(index) == list->currentText())
        return index;
    return list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void ShowOnPages(const SettingsPages& record, QWidget* pages) {
    for (const auto& [name, member] : Texts)
        PageControls::ShowWholeText(Find<QLineEdit>(pages, name), record.*member);
    for (const auto& [name, member] : PickLists)
        Find<QComboBox>(pages, name)->setCurrentIndex(record.*member);
    for (const auto& [name, member] : Buttons)
        SetChecked(Find<QAbstractButton>(pages, name), record.*member);

    auto* delivery = Find<QComboBox>(pages, "ComboBox19");
    delivery->setCurrentIndex(record.ComboBox19);
    if (delivery->currentIndex() < 0)
        delivery->setEditText(record.ComboBox19Text);
    Find<QLineEdit>(pages, "Edit4")->setEnabled(record.Edit4Enabled);
    Find<QLabel>(pages, "Label19")->setText(record.Label19);
}

SettingsPages TakeFromPages(const QWidget* pages) {
    SettingsPages record;
    for (const auto& [name, member] : Texts)
        record.*member = Find<QLineEdit>(pages, name)->text();
    for (const auto& [name, member] : PickLists)
        record.*member = Find<QComboBox>(pages, name)->currentIndex();
    for (const auto& [name, member] : Buttons)
        record.*member = Find<QAbstractButton>(pages, name)->isChecked();

    const auto* delivery = Find<QComboBox>(pages, "ComboBox19");
    record.ComboBox19 = TypedListIndex(delivery);
    record.ComboBox19Text = delivery->currentText();
    const auto* code = Find<QLineEdit>(pages, "Edit4");
    record.Edit4Enabled = code->isEnabledTo(code->window());
    record.Label19 = Find<QLabel>(pages, "Label19")->text();
    return record;
}
