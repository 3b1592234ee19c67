#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGroupBox>
#include <QVBoxLayout>

using namespace PageControls;

namespace {

// A labelled list with its explanation below.
QGroupBox* ListGroup(const QString& name, const QString& label, const QString& list, const QString& memo,
                     bool memoReadOnly, QWidget* page) {
    QGroupBox* group = Group(name, page);
    auto* column = new QVBoxLayout(group);
    column->addLayout(Row({Label(label, group), PickList(list, group)}));
    column->addWidget(Memo(memo, MemoWidth, group, memoReadOnly));
    return group;
}

}  // namespace

QWidget* BuildMotionSensorPage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet5"));
    auto* column = new QVBoxLayout(page);
    column->addWidget(ListGroup(QStringLiteral("GroupBox13"), QStringLiteral("Label48"), QStringLiteral("ComboBox13"),
                                QStringLiteral("Memo10"), false, page));

    QGroupBox* protection = Group(QStringLiteral("GroupBox12"), page);
    auto* protectionColumn = new QVBoxLayout(protection);
    protectionColumn->addWidget(Check(QStringLiteral("CheckBox2"), protection));
    column->addWidget(protection);

    column->addWidget(ListGroup(QStringLiteral("GroupBox14"), QStringLiteral("Label50"), QStringLiteral("ComboBox14"),
                                QStringLiteral("Memo11"), true, page));
    QGroupBox* duration = ListGroup(QStringLiteral("GroupBox15"), QStringLiteral("Label51"),
                                    QStringLiteral("ComboBox15"), QStringLiteral("Memo12"), true, page);
    duration->setVisible(false);
    column->addWidget(duration);
    column->addStretch();
    return page;
}
