#include "settings/PageTexts.h"

#include "settings/DeviceSettings.h"

#include <QHash>

#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace PageTexts {

namespace {

QStringList Numbers(int first, int last, const char* format) {
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QString::asprintf(format, n);
    return items;
}

QStringList TimeZones() {
    QStringList items;
    for (int hours = -12; hours <= 14; ++hours) {
        const QString sign = hours < 0 ? u"-"_s : hours > 0 ? u"+"_s : QString();
        items << u"UTC (%1%2:00)"_s.arg(sign).arg(std::abs(hours), 2, 10, QLatin1Char('0'));
    }
    items[15] = u"UTC (+03:00) (Москва  )"_s;
    return items;
}

// Item k stands for k tenths of a second.
QStringList Durations() {
    QStringList items;
    for (int tenths = 0; tenths <= 40; ++tenths)
        items << (tenths % 10 == 0 ? u"%1    сек"_s.arg(tenths / 10) : u"%1,%2 сек"_s.arg(tenths / 10).arg(tenths % 10));
    items[0] += u" (Максимальная чувствительность)"_s;
    items[1] += u" "_s;
    items[2] += u" "_s;
    items[5] += u" (Заводское значение)"_s;
    items[40] += u" (Минимальная чувствительность)"_s;
    return items;
}

QStringList FixPeriods() {
    QStringList items{u"Каждый день"_s};
    items << Numbers(1, 30, "%d");
    return items;
}

QStringList Amplitudes() {
    QStringList items{u"1 (Максимальная чувствительность)"_s};
    items << Numbers(2, 40, "%d");
    return items;
}

const QHash<QString, QStringList>& Lists() {
    static const QStringList hours = Numbers(0, 23, "%02d");
    static const QStringList minutes = Numbers(0, 59, "%02d");
    static const QHash<QString, QStringList> lists{
        {u"ComboBox1"_s, TimeZones()},
        {u"ComboBox2"_s, hours},
        {u"ComboBox3"_s, minutes},
        {u"ComboBox19"_s, {u"Выключено"_s, u"SMS"_s, u"Сервер (KOVA)"_s, u"SMS + Сервер (KOVA)"_s, QString()}},
        {u"ComboBox16"_s, FixPeriods()},
        {u"ComboBox4"_s, hours},
        {u"ComboBox5"_s, minutes},
        {u"ComboBox6"_s, hours},
        {u"ComboBox7"_s, minutes},
        {u"ComboBox8"_s, hours},
        {u"ComboBox9"_s, minutes},
        {u"ComboBox10"_s, hours},
        {u"ComboBox11"_s, minutes},
        {u"ComboBox13"_s, Numbers(5, 99, "%d")},
        {u"ComboBox14"_s, Amplitudes()},
        {u"ComboBox15"_s, Durations()},
        {u"ComboBox18"_s, {u"Контроль отключен"_s, u"Режим 1"_s, u"Режим 2"_s, u"Режим 3"_s}},
    };
    return lists;
}

const QHash<QString, QStringList>& Memos() {
    static const QHash<QString, QStringList> memos{
        {u"Memo1"_s, {u"Введите здесь номер телефона, на который Вы хотите получать "_s, u"сообщения от устройства. Номер телефона необходимо  вводить "_s, u"в формате, который  использует Ваш оператор мобильной связи "_s, u"при доставке SMS сообщений. (Это очень важно !!!)"_s, u""_s}},
        {u"Memo3"_s, {u"В данном формате устройство будет присылать координаты в"_s, u"SMS - сообщениях"_s}},
        {u"Memo4"_s, {u"Укажите желаемый способ доставки сообщений с координатами."_s, u"Укажите адрес и порт сервера, куда устройство будет отправлять данные"_s}},
        {u"Memo5"_s, {u"С такой частотой устройство будет выходить из спящего режима для"_s, u"приема SMS команд и синхронизации с сервером"_s}},
        {u"Memo8"_s, {u"Параметр определяет с какой частотой ( кол-во суток между повторами)"_s, u"устройство будет определять координаты по спутникам GPS/ГЛОНАСС."_s, u"Например, если параметр будет равен 6, то устройство будет определять"_s, u"свои координаты по спутникам через каждые 6 стуток."_s, u"В остальное время устройство будет определять приблизительные "_s, u"координаты по базовым станциям мобильной сети GSM"_s}},
        {u"Memo9"_s, {u"При срабатывании датчика движения, устройство выходит из спящего режима,"_s, u"определяет свои координаты и отправляет сигнал тревоги пользователю"_s}},
        {u"Memo10"_s, {u"В течение данного времени сигнал датчика движения игнорируется после"_s, u"срабатывания"_s}},
        {u"Memo11"_s, {u"Воздействие амплитудой менее указанного порога "_s, u"не вызывает срабатывания датчика движения"_s}},
        {u"Memo12"_s, {u"Воздействие длительность менее указанного порога "_s, u"не вызывает срабатывания датчика движения"_s}},
        {u"Memo17"_s, {u"Данная функция предназначена для контроля выхода устройства за"_s, u"пределы зоны охраны. Зона охраны представляет собой окружность"_s, u"заданного диаметра. Центром зоны является точка, координаты "_s, u"которой будут определены GPS/ГЛОНАСС приемником в ближайший"_s, u"сеансе связи после активации данной функции. Контроль выхода из зоны"_s, u"охраны осуществляется только во время основного сеанса связи"_s}},
        {u"Memo18"_s, {u"Фунция может работать в трех режимах:"_s}},
        {u"Memo20"_s, {u"При обнаружении выхода из зоны охраны устройство отправляет "_s, u"сигнал тревоги и отключает контроль выхода из зоны охраны в последующих"_s, u"сутках."_s, u""_s, u""_s}},
        {u"Memo22"_s, {u"При обнаружении выхода из зоны охраны устройство отправляет сигнал"_s, u"тревоги и продолжает контроль зоны охраны, т.е. НЕ отключает данную"_s, u"функцию в  последующих сутках."_s}},
        {u"Memo24"_s, {u"При обнаружении выхода из зоны охраны устройство отправляет "_s, u"сигнал тревоги и назначает центром зоны охраны новую точку, "_s, u"координаты"_s, u"которой определены в текущем сеансе."_s}},
        {u"Memo6"_s, {u"Введите пороговое значение баланса в поле ниже."_s, u"При уменьшении баланса ниже заданного, устройство"_s, u"пришлет сообщение о необходимости пополнения лицевого "_s, u"счета."_s}},
        {u"Memo7"_s, {u"Если в устройстве будет установлена SIM-карта операторов МТС, "_s, u"Билайн, Мегафон или Теле2,  оставьте  значение настройки  как "_s, u"\"Определять автоматически\". В ином случае выберете пункт "_s, u"\"Задать явно\" и введите в поле \"Код запроса баланса\"  код, который "_s, u"используется Вашим оператором мобильной связи."_s}},
        {u"Memo25"_s, {u"Пример формата номера телефона для России +79161234567"_s}},
        {u"Memo2"_s, {u"Вы можете подавать SMS-команды устройству с"_s, u"чужих номеров телефонов. При этом перед самой"_s,
                      u"командой необходимо записать пароль, который"_s, u"Вы назначите при настройке устройства."_s,
                      u""_s,
                      u"Например: Если пароль устройства 5938, то режим \"Поиск\""_s,
                      u"включается SMS-командой 007 или 666 с телефона"_s,
                      u"владельца, а с чужого телефона - командой, в которой"_s,
                      u"перед 007 или 666 записан пароль без пробела:"_s,
                      u"5938007 или 5938666."_s,
                      u""_s}},
        {u"Memo19"_s, {u"Режим 1:"_s}},
        {u"Memo21"_s, {u"Режим 2:"_s}},
        {u"Memo23"_s, {u"Режим 3:"_s}},
    };
    return memos;
}

const QHash<QString, QString>& Captions() {
    static const QString intervalStart = u"Время начала периода охраны (ЧЧ:ММ)"_s;
    static const QString intervalEnd = u"Время конца периода охраны (ЧЧ:ММ)"_s;
    static const QHash<QString, QString> captions{
        {u"GroupBox3"_s, u"Номер телефона владельца"_s},
        {u"Label27"_s, u"Номер телефона:"_s},
        {u"GroupBox5"_s, u"Пароль"_s},
        {u"Label28"_s, u"Назначьте пароль (4 цифры) :"_s},
        {u"GroupBox1"_s, u"Часовой пояс"_s},
        {u"GroupBox2"_s, u"Основное время выхода на связь"_s},
        {u"Label32"_s, u"ЧЧ:ММ"_s},
        {u"Label26"_s, u":"_s},
        {u"GroupBox4"_s, u"Формат присылаемых координат"_s},
        {u"RadioButton1"_s, u"DD,DDDDD°"_s},
        {u"RadioButton2"_s, u"DD° MM,MMM'"_s},
        {u"RadioButton12"_s, u"DD° MM' SS,SS''"_s},
        {u"RadioButton13"_s, u"Активная интернет-ссылка ( для смартфонов ) "_s},
        {u"GroupBox21"_s, u"Способ передачи данных пользователю"_s},
        {u"Label22"_s, u"Режим:"_s},
        {u"Label23"_s, u"IP или домен:"_s},
        {u"Label25"_s, u"Порт:"_s},
        {u"GroupBox22"_s, u"Передача данных на дополнительный сервер (протокол WIALON IPS 2.0)"_s},
        {u"CheckBox3"_s, u"Включить передачу по протоколу Wialon IPS 2.0 "_s},
        {u"Label10"_s, u"IP/домен сервера"_s},
        {u"Label11"_s, u"Порт сервера"_s},
        {u"Label33"_s, u"Пароль для доступа к серверу"_s},
        {u"GroupBox6"_s, u"Частота выхода на связь"_s},
        {u"RadioButton3"_s, u"Каждые 24 часа (рекомендуется)"_s},
        {u"RadioButton4"_s, u"Каждые 12 часов"_s},
        {u"RadioButton5"_s, u"Каждые 8 часов"_s},
        {u"GroupBox17"_s, u"Период определения координат"_s},
        {u"Label30"_s, u"Период определения координат (суток):"_s},
        {u"GroupBox9"_s, u"Режим работы датчика движения"_s},
        {u"RadioButton8"_s, u"Датчик движения отключен"_s},
        {u"RadioButton9"_s, u"Датчик движения включен всегда"_s},
        {u"RadioButton10"_s, u"Датчик движения работает в интервале времени №1"_s},
        {u"RadioButton11"_s, u"Датчик движения работает в интервалах времени №1 и №2 "_s},
        {u"GroupBox10"_s, u"Интервал времени № 1"_s},
        {u"Label36"_s, intervalStart},
        {u"Label37"_s, intervalEnd},
        {u"GroupBox11"_s, u"Интервал времени № 2"_s},
        {u"Label44"_s, intervalStart},
        {u"Label45"_s, intervalEnd},
        {u"GroupBox13"_s, u"Тайм-аут датчика движения"_s},
        {u"Label48"_s, u"Тайм-аут датчика движения (мин.)"_s},
        {u"GroupBox12"_s, u"Защита от ложных срабатываний датчика движения"_s},
        {u"CheckBox2"_s, u"Включить защиту"_s},
        {u"GroupBox14"_s, u"Амплитуда воздействия на датчик движения"_s},
        {u"Label50"_s, u"Амплитуда воздействия"_s},
        {u"GroupBox15"_s, u"Длительность воздействия на датчик движения "_s},
        {u"Label51"_s, u"Длительность воздействия"_s},
        {u"GroupBox19"_s, u"Контроль выхода из зоны охраны"_s},
        {u"Label12"_s, u"Выберите режим контроля:"_s},
        {u"Label13"_s, u"Задайте диаметр зоны охраны (1-999 км)"_s},
        {u"GroupBox7"_s, u"Порог остатка средств на лицевом счете"_s},
        {u"Label29"_s, u"Порог остатка средств:"_s},
        {u"GroupBox8"_s, u"Код запроса баланса"_s},
        {u"RadioButton6"_s, u"Определять автоматически"_s},
        {u"RadioButton7"_s, u"Задать явно"_s},
        {u"Label31"_s, u"Код запроса баланса"_s},
        {u"GroupBox20"_s, u"Информация об устройстве"_s},
        {u"Label14"_s, u"Версия ПО:"_s},
        {u"Label15"_s, u"Версия загрузчика:"_s},
        {u"Label16"_s, u"IMEI:"_s},
        {u"GroupBox16"_s, u"Текущие настройки устройства"_s},
    };
    return captions;
}

// Each field with the label that names it.
const QHash<QString, QString>& FieldLabels() {
    static const QHash<QString, QString> labels{
        {u"Edit1"_s, u"Label27"_s}, {u"Edit2"_s, u"Label28"_s}, {u"Edit7"_s, u"Label23"_s},
        {u"Edit8"_s, u"Label25"_s}, {u"Edit5"_s, u"Label10"_s}, {u"Edit9"_s, u"Label11"_s},
        {u"Edit10"_s, u"Label33"_s}, {u"Edit6"_s, u"Label13"_s}, {u"Edit3"_s, u"Label29"_s},
        {u"Edit4"_s, u"Label31"_s},
    };
    return labels;
}

}  // namespace

QStringList ComboItems(const QString& comboName) { return Lists().value(comboName); }

QStringList MemoLines(const QString& memoName) { return Memos().value(memoName); }

QString Caption(const QString& controlName) { return Captions().value(controlName); }

int MaxLength(const QString& editName) {
    if (editName == u"Edit2"_s)
        return 4;
    if (editName == u"Edit6"_s)
        return 3;
    return DeviceSettings::MaxTextLength;
}

QString FieldName(const QString& editName) {
    QString name = Caption(FieldLabels().value(editName)).trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return name.trimmed();
}

}  // namespace PageTexts
