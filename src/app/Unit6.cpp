#include "app/Unit6.h"

#include "app/AppFonts.h"
#include "settings/Win1251.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

QString TraceLine(const QByteArray& bytes) {
    QString line;
    for (const char byte : bytes.left(32)) {
        if (byte == 0) {
            line += QStringLiteral("0x00 ");
        } else {
            line += Win1251::Decode(QByteArrayView(&byte, 1));
            line += QLatin1Char(' ');
        }
    }
    return line;
}

TForm6::TForm6(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Конфигуратор"));
    setFont(AppFonts::MsSansSerif8());
    resize(560, 420);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

void TForm6::TraceReply(const QByteArray& first32Bytes) {
    Memo1->appendPlainText(TraceLine(first32Bytes));
    Memo1->appendPlainText(QStringLiteral("\n\n"));
}
