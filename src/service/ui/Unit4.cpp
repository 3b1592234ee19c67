#include "service/ui/Unit4.h"

#include "app/WindowPlacement.h"
#include "app/AppFonts.h"
#include "app/UserPrompts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm4::TForm4(QWidget* engineeringWindow)
    : QWidget(nullptr, Qt::Tool), engineeringWindow_(engineeringWindow) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Инженерное меню"));
    setFont(AppFonts::MsSansSerif8());
    resize(290, 152);

    Label1 = new QLabel(QStringLiteral("Введите пароль"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(24, 16, 240, 16);

    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setGeometry(24, 40, 240, 22);
    MaskEdit1->setEchoMode(QLineEdit::Password);
    MaskEdit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    MaskEdit1->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("Вход"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(24, 80, 112, 28);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(152, 80, 112, 28);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm4::Open(const QWidget* over) {
    CentreOver(this, over);
    show();
    raise();
    activateWindow();
    MaskEdit1->setFocus();
    MaskEdit1->clear();
}

void TForm4::Button1Click() {
    if (MaskEdit1->text() == AccessPassword()) {
        hide();
        engineeringWindow_->show();
        engineeringWindow_->raise();
        engineeringWindow_->activateWindow();
        return;
    }
    Prompts().Message(QMessageBox::Warning, ProgramCaption(), QStringLiteral("Неправильный пароль"));
    MaskEdit1->clear();
}

void TForm4::Button2Click() { hide(); }

void TForm4::MaskEdit1KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Button1Click();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MaskEdit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        MaskEdit1KeyDown(key);
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
