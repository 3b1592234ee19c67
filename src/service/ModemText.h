#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Texts the user chooses that go into an AT command line: the phone number of the communication test
// and the names of the voice files. They go out in Windows-1251, inside quotes or between the fields of
// a command, so they must hold nothing that ends the line (a control character), closes the quotes
// ('"') or, in a file name, starts another field (','). Blanks stay as typed.
std::optional<QByteArray> PhoneNumberBytes(const QString& number);
std::optional<QByteArray> ModemFileNameBytes(const QString& name);

QString NoPhoneNumberText();
QString PhoneNumberRefusedText();
QString FileNameRefusedText(const QString& name);
