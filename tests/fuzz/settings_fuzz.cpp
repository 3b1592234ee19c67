// Feeds arbitrary bytes to everything that reads settings from outside the program: the settings-file
// loader (through a real file), and the pages and summary grid on a block as a device might return it.
#include "settings/FillPages.h"
#include "settings/PackPages.h"
#include "settings/SettingsFile.h"
#include "settings/SummaryGrid.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

class AnswerYes : public PageQuestions {
public:
    void ShowPage(int, int) override {}
    bool AskYesNo(const QString&, const QString&) override { return true; }
    void ShowMessage(const QString&, const QString&, MessageIcon) override {}
};

void LoadAsSettingsFile(QByteArrayView bytes) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.cfg"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(bytes.data(), bytes.size());
    }
    DeviceSettings block;
    const DeviceSettings before = block;
    const FileOutcome outcome = SettingsFile::Load(path, block);
    if (!outcome && !(block == before))
        __builtin_trap();  // a refused load must change nothing
}

void ShowAsDeviceBlock(QByteArrayView bytes) {
    const DeviceSettings block = DeviceSettings::FromBytes(bytes);
    SettingsPages pages;
    FillPages(block, pages);
    const SummaryRows rows = FillSummaryGrid(block, {});
    (void)rows;
    // Whatever a device sends, the pages it yields pack back into slots the device can take.
    DeviceSettings packed = block;
    AnswerYes yes;
    if (PackPages(pages, packed, yes)) {
        for (const SlotInfo& info : SettingsSlots::Table())
            if (packed.SlotBytes(info.slot).back() != '\0' && packed.SlotBytes(info.slot) != block.SlotBytes(info.slot))
                __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LoadAsSettingsFile(bytes);
    ShowAsDeviceBlock(bytes);
    return 0;
}
