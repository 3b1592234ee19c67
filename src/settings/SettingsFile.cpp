#include "settings/SettingsFile.h"

#include "settings/SaveFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace SettingsFile {

namespace {

using namespace Qt::Literals::StringLiterals;

enum class FieldType { Text, Chars, Unsigned8, Signed8, Unsigned16, Pin };

struct Field {
    Slot slot;
    int offset;
    int size;
    FieldType type;
    const char16_t* name;  // how the messages name it
};

// In file order, after the three leading bytes Kind, Marker and Code.
constexpr Field Fields[] = {
    {Slot::OwnerPhone, 3, 30, FieldType::Text, u"Номер телефона владельца"},
    {Slot::Pin, 33, 2, FieldType::Pin, u"PIN-код"},
    {Slot::TimeZone, 35, 1, FieldType::Signed8, u"Часовой пояс"},
    {Slot::SessionTime, 36, 5, FieldType::Text, u"Основное время выхода на связь"},
    {Slot::CoordFormat, 41, 1, FieldType::Unsigned8, u"Формат присылаемых координат"},
    {Slot::DeliveryMode, 42, 1, FieldType::Unsigned8, u"Способ передачи данных пользователю"},
    {Slot::ServerHost, 43, 32, FieldType::Text, u"IP или домен"},
    {Slot::ServerPort, 75, 2, FieldType::Unsigned16, u"Порт"},
    {Slot::FixPeriod, 77, 1, FieldType::Unsigned8, u"Период определения координат"},
    {Slot::WakeInterval, 78, 1, FieldType::Unsigned8, u"Частота выхода на связь"},
    {Slot::BalanceThreshold, 79, 2, FieldType::Unsigned16, u"Порог остатка средств"},
    {Slot::BalanceCode, 81, 10, FieldType::Text, u"Код запроса баланса"},
    {Slot::MotionMode, 91, 1, FieldType::Unsigned8, u"Режим работы датчика движения"},
    {Slot::GuardIntervals, 92, 17, FieldType::Text, u"Интервалы времени охраны"},
    {Slot::MotionTimeout, 109, 1, FieldType::Unsigned8, u"Тайм-аут датчика движения"},
    {Slot::FalseAlarmProtection, 110, 1, FieldType::Unsigned8, u"Защита от ложных срабатываний"},
    {Slot::ImpactAmplitude, 111, 1, FieldType::Unsigned8, u"Амплитуда воздействия"},
    {Slot::ImpactDuration, 112, 1, FieldType::Unsigned8, u"Длительность воздействия"},
    {Slot::GuardZone, 113, 5, FieldType::Chars, u"Контроль выхода из зоны охраны"},
};

QString FieldName(const Field& field) { return QString::fromUtf16(field.name); }

// The longest text the field keeps: room for the terminator, except for the five guard-zone characters.
int TextRoom(const Field& field) { return field.type == FieldType::Chars ? field.size : field.size - 1; }

void PutNumber(QByteArray& record, const Field& field, int number) {
    const auto bits = static_cast<quint32>(number);
    record[field.offset] = static_cast<char>(bits & 0xFF);
    if (field.size == 2)
        record[field.offset + 1] = static_cast<char>((bits >> 8) & 0xFF);
}

QByteArray ReadNumber(const QByteArray& record, const Field& field) {
    const auto low = static_cast<quint8>(record[field.offset]);
    const unsigned value = field.size == 2 ? low | static_cast<unsigned>(static_cast<quint8>(record[field.offset + 1])) << 8
                                           : low;
    switch (field.type) {
    case FieldType::Signed8:
        return QByteArray::number(static_cast<qint8>(low));
    case FieldType::Pin:
        return QString::asprintf("%04u", value).toLatin1();
    default:
        return QByteArray::number(value);
    }
}

// A text field's text: up to its first zero byte or the end of the field.
QByteArray ReadText(const QByteArray& record, const Field& field) {
    const QByteArray bytes = record.mid(field.offset, field.size);
    const qsizetype zero = bytes.indexOf('\0');
    return zero >= 0 ? bytes.left(zero) : bytes;
}

bool IsText(const Field& field) { return field.type == FieldType::Text || field.type == FieldType::Chars; }

}  // namespace

Record Build(const DeviceSettings& block) {
    Record record{QByteArray(Size, '\0'), {}};
    record.bytes[0] = Kind;
    record.bytes[1] = 1;
    record.bytes[2] = 1;
    for (const Field& field : Fields) {
        if (!IsText(field)) {
            PutNumber(record.bytes, field, block.Number(field.slot));
            continue;
        }
        const QByteArray text = block.Text(field.slot);
        if (text.size() > TextRoom(field))
            return {{}, u"Текст поля \"%1\" не помещается в файл настроек (наибольшая длина - %2)"_s.arg(
                            FieldName(field)).arg(TextRoom(field))};
        std::memcpy(record.bytes.data() + field.offset, text.constData(), static_cast<std::size_t>(text.size()));
    }
    return record;
}

FileOutcome Apply(const QByteArray& record, DeviceSettings& block) {
    if (record.size() != Size)
        return FileOutcome::Failure(u"Это не файл настроек: его длина не 118 байт"_s);
    if (record[0] != Kind)
        return FileOutcome::Failure(u"Это не файл настроек"_s);
    for (const Field& field : Fields)
        if (IsText(field) && !DeviceSettings::Fits(ReadText(record, field)))
            return FileOutcome::Failure(u"Файл настроек повреждён: поле \"%1\" длиннее %2 символа"_s.arg(
                FieldName(field)).arg(DeviceSettings::MaxTextLength));
    for (const Field& field : Fields)
        block.SetText(field.slot, IsText(field) ? ReadText(record, field) : ReadNumber(record, field));
    return FileOutcome::Success();
}

FileOutcome Save(const DeviceSettings& block, const QString& path) {
    const Record record = Build(block);
    if (!record.problem.isEmpty())
        return FileOutcome::Failure(record.problem);
    return SaveWholeFile(path, record.bytes);
}

FileOutcome Load(const QString& path, DeviceSettings& block) {
    const QFileInfo info(path);
    if (info.isDir())
        return FileOutcome::Failure(u"%1: это каталог"_s.arg(path));
    if (info.exists() && !info.isFile())
        return FileOutcome::Failure(u"%1: это не обычный файл"_s.arg(path));
    if (!info.isFile())
        return FileOutcome::Failure(u"Файл не найден:\n%1"_s.arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileOutcome::Failure(u"Ошибка открытия файла"_s);
    const QByteArray record = file.read(Size + 1);
    if (file.error() != QFileDevice::NoError)
        return FileOutcome::Failure(u"Ошибка чтения файла:\n%1"_s.arg(path));
    FileOutcome outcome = Apply(record, block);
    if (!outcome)
        outcome.message += u"\n"_s + path;
    return outcome;
}

}  // namespace SettingsFile
