#pragma once

#include "settings/DeviceSettings.h"
#include "settings/PageQuestions.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <utility>

// Answers every question with a preset answer and records what the user would have seen, in order.
class RecordingQuestions : public PageQuestions {
public:
    explicit RecordingQuestions(bool answer = true) : answer_(answer) {}

    void ShowPage(int pageIndex, int navigationEntry) override {
        events << QStringLiteral("page %1 entry %2").arg(pageIndex).arg(navigationEntry);
    }
    bool AskYesNo(const QString& caption, const QString& text) override {
        events << QStringLiteral("ask %1: %2").arg(caption, text);
        return answer_;
    }
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override {
        events << QStringLiteral("message %1 (%2): %3").arg(caption).arg(static_cast<int>(icon)).arg(text);
    }

    QStringList events;

private:
    bool answer_;
};

inline DeviceSettings BlockWith(std::initializer_list<std::pair<Slot, const char*>> texts) {
    DeviceSettings block;
    for (const auto& [slot, text] : texts)
        block.SetText(slot, text);
    return block;
}
