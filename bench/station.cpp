// Station mode: eight simulated trackers prepared at once (read, write, read back) next to one alone.
#include "BenchSupport.h"
#include "SimFactorySettings.h"
#include "SimPort.h"
#include "cli/StationRun.h"

#include <QCoreApplication>

#include <memory>

namespace {

bench::Usage Prepare(int count) {
    std::vector<std::unique_ptr<SimPort>> trackers;
    QStringList ports;
    for (int number = 1; number <= count; ++number) {
        SimPort& sim = *trackers.emplace_back(std::make_unique<SimPort>());
        sim.Device().LoadSettingsMemory(FactorySettingsMemory(number));
        if (!sim.Start())
            std::fprintf(stderr, "no pseudo-terminal\n");
        ports << sim.Path();
    }
    StationProfile profile;
    profile.settings.values = {{Slot::TimeZone, QStringLiteral("5")}, {Slot::OwnerPhone, QStringLiteral("+79001234567")}};
    profile.answerYes = true;
    std::vector<TrackerOutcome> outcomes;
    const bench::Usage usage = bench::Measure([&] { outcomes = RunStation(ports, profile, [](const auto&) {}); });
    for (const TrackerOutcome& outcome : outcomes)
        if (!outcome.Succeeded())
            std::fprintf(stderr, "%s failed: %s\n", qUtf8Printable(outcome.port), qUtf8Printable(outcome.failure));
    return usage;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const bench::Usage one = Prepare(1);
    const bench::Usage eight = Prepare(8);
    std::printf("one_tracker = %.2f s\n", one.wallSeconds);
    std::printf("one_tracker_cpu = %.1f %%\n", one.CpuShare());
    std::printf("eight_trackers = %.2f s\n", eight.wallSeconds);
    std::printf("eight_trackers_cpu = %.1f %%\n", eight.CpuShare());
    std::printf("ratio = %.2f\n", eight.wallSeconds / one.wallSeconds);
    return 0;
}
