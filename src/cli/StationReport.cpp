#include "cli/StationReport.h"

#include "cli/StationView.h"

#include <QSaveFile>

namespace {

using namespace Qt::Literals::StringLiterals;

QString Field(QString text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u"\""_s + text.replace(u"\""_s, u"\"\""_s) + u"\""_s;
}

}  // namespace

QString StationCsv(const std::vector<TrackerOutcome>& outcomes) {
    QString csv = u"port,IMEI,firmware,settings,verified,seconds,message\r\n"_s;
    for (const TrackerOutcome& outcome : outcomes)
        csv += QStringList{Field(outcome.port), Field(outcome.imei), StepText(outcome.firmware),
                           StepText(outcome.settings), outcome.verified ? u"yes"_s : u"no"_s,
                           QString::number(outcome.seconds, 'f', 1), Field(outcome.failure)}
                   .join(u',') +
               u"\r\n"_s;
    return csv;
}

bool SaveStationReport(const QString& path, const std::vector<TrackerOutcome>& outcomes, QString* why) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(StationCsv(outcomes).toUtf8()) >= 0 && file.commit())
        return true;
    *why = u"%1: %2"_s.arg(path, file.errorString());
    return false;
}
