#include "service/ui/EngineeringReporters.h"

#include "doctor/NotConnectedReason.h"
#include "service/ui/Unit5.h"

void EngineeringLogReporter::ShowResult(ReportKind kind, const QString& message) {
    gate_.Run([&] { ShowJobResult(kind, message, NotConnectedReasonFor(message, window_.PortChoiceNow())); });
}

void EngineeringLogReporter::ShowProgress(qint64 done, qint64 total) {
    gate_.Run([&] {
        if (bar_ == Bar::VoiceUpload)
            window_.ShowUploadProgress(done, total);
        else
            window_.ShowProgress(done, total);
    });
}

void EngineeringLogReporter::AddLogLine(const QString& line) {
    gate_.Run([&] { window_.AddLogLine(line); });
}

void RelayLogReporter::ShowResult(ReportKind kind, const QString& message) {
    gate_.Run([&] { ShowJobResult(kind, message, NotConnectedReasonFor(message, window_.PortChoiceNow())); });
}

void RelayLogReporter::AppendReceived(const QByteArray& bytes) {
    gate_.Run([&] {
        if (window_.ActiveNmeaRelay && !window_.ActiveNmeaRelay->StopRequested())
            window_.AppendReceived(bytes);
    });
}
