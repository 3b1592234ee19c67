#include "settings/ui/PageControls.h"
#include "settings/ui/SettingsSheets.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace PageControls;

QWidget* BuildOwnerPage() {
    QWidget* page = Sheet(QStringLiteral("TabSheet2"));
    auto* column = new QVBoxLayout(page);

    QGroupBox* phone = Group(QStringLiteral("GroupBox3"), page);
    auto* phoneColumn = new QVBoxLayout(phone);
    phoneColumn->addWidget(Memo(QStringLiteral("Memo1"), MemoWidth, phone));
    phoneColumn->addWidget(Memo(QStringLiteral("Memo25"), MemoWidth, phone));
    QLineEdit* number = Edit(QStringLiteral("Edit1"), phone);
    number->setFixedWidth(170);
    phoneColumn->addLayout(Row({Label(QStringLiteral("Label27"), phone), number}));
    column->addWidget(phone);

    QGroupBox* password = Group(QStringLiteral("GroupBox5"), page);
    auto* passwordColumn = new QVBoxLayout(password);
    passwordColumn->addWidget(Memo(QStringLiteral("Memo2"), MemoWidth, password));
    QLineEdit* pin = Edit(QStringLiteral("Edit2"), password);
    pin->setFixedWidth(60);
    passwordColumn->addLayout(Row({Label(QStringLiteral("Label28"), password), pin}));
    column->addWidget(password);

    column->addStretch();
    return page;
}
