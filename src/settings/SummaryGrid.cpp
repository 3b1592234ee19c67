#include "settings/SummaryGrid.h"

#include "settings/SlotNumbers.h"

#include <QStringList>

namespace {

using namespace Qt::Literals::StringLiterals;

QString TwoDigits(int n) { return QString::asprintf("%02d", n); }

QString Interval(const std::array<int, 8>& numbers, std::size_t first) {
    return u"c %1:%2 до %3:%4"_s.arg(TwoDigits(numbers[first]), TwoDigits(numbers[first + 1]),
                                     TwoDigits(numbers[first + 2]), TwoDigits(numbers[first + 3]));
}

// The words for a code, or the previous value when the code has none.
QString Words(const QStringList& words, int code, const QString& previous) {
    return code >= 0 && code < words.size() && !words[code].isNull() ? words[code] : previous;
}

const std::array<QString, SummaryRowCount>& Captions() {
    static const std::array<QString, SummaryRowCount> captions{
        u"Номер владельца"_s,
        u"PIN-код"_s,
        u"Часовой пояс"_s,
        u"Время основного сеанса"_s,
        u"Формат координат"_s,
        u"Режим передачи данных"_s,
        u"Адрес сервера : порт"_s,
        u"Частота выхода на связь"_s,
        u"Период определения координат (Суток)"_s,
        u"Охрана по датчику движения"_s,
        u"Период времени охраны №1"_s,
        u"Период времени охраны №2"_s,
        u"Тайм-аут датчика движения"_s,
        u"Защита от ложных срабатываний датчика"_s,
        u"Воздействие на датчик (амплитуда)"_s,
        u"Воздействие на датчик (длительность)"_s,
        u"Охрана периметра"_s,
        u"Диаметр зоны охраны"_s,
        u"Порог остатка средств"_s,
        u"Код запроса баланса"_s,
    };
    return captions;
}

}  // namespace

SummaryRows FillSummaryGrid(const DeviceSettings& block, const SummaryRows& previous) {
    std::array<QString, SummaryRowCount> value;
    for (int row = 0; row < SummaryRowCount; ++row)
        value[static_cast<std::size_t>(row)] = previous[static_cast<std::size_t>(row)].value;

    const auto session = SlotNumbers::SessionTime(block.Text(Slot::SessionTime));
    const auto intervals = SlotNumbers::GuardIntervals(block.Text(Slot::GuardIntervals));
    const SlotNumbers::GuardZoneValue zone = SlotNumbers::GuardZone(block.Text(Slot::GuardZone));

    value[0] = block.DisplayText(Slot::OwnerPhone);
    value[1] = block.DisplayText(Slot::Pin);
    value[2] = QString::number(block.Number(Slot::TimeZone));
    value[3] = TwoDigits(session[0]) + u':' + TwoDigits(session[1]);
    value[4] = Words({u"dd,ddddd°"_s, u"dd° mm,mmm'"_s, u"dd° mm' ss,ss''"_s, u"интернет-ссылка"_s},
                     block.Number(Slot::CoordFormat), value[4]);
    value[5] = Words({QString(), u"SMS"_s, u"Сервер"_s, u"SMS + Сервер"_s}, block.Number(Slot::DeliveryMode), value[5]);
    value[6] = block.DisplayText(Slot::ServerHost) + u':' + block.DisplayText(Slot::ServerPort);
    value[7] = Words({QString(), u"Каждые 24 часа"_s, u"Каждые 12 часов"_s, u"Каждые 8 часов"_s},
                     block.Number(Slot::WakeInterval), value[7]);
    value[8] = block.Number(Slot::FixPeriod) == 0 ? u"Каждый день"_s : block.DisplayText(Slot::FixPeriod);
    value[9] = Words({u"Отключена"_s, u"Включена постоянно"_s, u"Включена в периоде №1"_s, u"Включена в периоде №1 и №2"_s},
                     block.Number(Slot::MotionMode), value[9]);
    value[10] = Interval(intervals, 0);
    value[11] = Interval(intervals, 4);
    value[12] = block.DisplayText(Slot::MotionTimeout);
    value[13] = block.Number(Slot::FalseAlarmProtection) == 1 ? u"Включена"_s : u"Выключена"_s;
    value[14] = block.DisplayText(Slot::ImpactAmplitude);
    value[15] = block.DisplayText(Slot::ImpactDuration);
    value[16] = u"Режим "_s + QString::number(zone.mode);
    value[17] = QString::number(zone.diameter) + u" км"_s;
    value[18] = block.DisplayText(Slot::BalanceThreshold);
    value[19] = block.IsNotSet(Slot::BalanceCode) ? u"Автоматически"_s : block.DisplayText(Slot::BalanceCode);

    SummaryRows rows;
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows[row] = {Captions()[row], value[row]};
    return rows;
}
