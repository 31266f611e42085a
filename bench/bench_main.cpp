// The benchmarks' main: one QApplication on the offscreen platform for the whole run (made
// before any benchmark and outside every timed loop), the usual Google Benchmark output, and
// at the end a table of the medians in ms and a table of the program's figures as ratios to
// the machine's yardstick (yardstick_bench.cpp), measured in the same run, with their goals.
// The tables give CPU time: what a figure costs, whatever else the machine is doing. On an
// idle machine it is the real time too; the console output above gives both.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include <QApplication>

namespace {

struct Goal {
    const char* what;
    const char* figure;    // benchmark name (without the aggregate's suffix)
    const char* yardstick; // the yardstick it is measured against
    double ratio;          // the figure may take at most this many yardsticks
};

const Goal kGoals[] = {
    {"Tick, 5000 tracers (steady cloud)", "TimerTick/tracers:5000/warmup:200", "Yardstick/5000",
     3.0},
    {"Tick, 100000 tracers (steady cloud)", "TimerTick/tracers:100000/warmup:200",
     "Yardstick/100000", 3.0},
    {"Drag event end to end", "DragEvent/painted:1", "Yardstick/5000", 15.0},
    {"Slowest RecomputeFlow over the drag range", "RecomputeFlowSlowest", "Yardstick/5000", 15.0},
    {"Slowest drag event over the teaching range", "DragEventSlowest", "Yardstick/5000", 30.0},
};

double ToMilliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond: return value * 1e-6;
    case benchmark::kMicrosecond: return value * 1e-3;
    case benchmark::kMillisecond: return value;
    case benchmark::kSecond: return value * 1e3;
    }
    return value;
}

// The console output as usual; keeps the median (or, without repetitions, the one run) of
// every benchmark for the closing tables.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None) {}

    void ReportRuns(const std::vector<Run>& reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& r : reports) {
            if (r.error_occurred)
                continue;
            const std::string name = r.run_name.str();
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            if (!median && !single)
                continue;
            if (!figures_.count(name))
                names_.push_back(name);
            Figure& f = figures_[name];
            f.median = median;
            f.ms = ToMilliseconds(r.GetAdjustedCPUTime(), r.time_unit);
            // A benchmark whose iteration is several recomputes is shown per recompute.
            const auto per = r.counters.find("recomputesPerIteration");
            if (per != r.counters.end() && per->second.value > 0)
                f.ms /= per->second.value;
            f.label = r.report_label;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (names_.empty())
            return;
        std::printf("\n%-60s %10s\n", "benchmark", "median CPU ms");
        for (const std::string& name : names_) {
            const Figure& f = figures_[name];
            std::string shown = name;
            if (!f.label.empty())
                shown += " (" + f.label + ")";
            std::printf("%-60s %10.3f%s\n", shown.c_str(), f.ms,
                        f.median ? "" : "  (one run, no median)");
        }

        std::printf("\n%-44s %9s  %-16s %9s %7s %5s\n", "figure", "ms", "yardstick", "ms", "ratio",
                    "goal");
        int shown = 0, over = 0;
        for (const Goal& g : kGoals) {
            const auto f = figures_.find(g.figure);
            const auto y = figures_.find(g.yardstick);
            if (f == figures_.end() || y == figures_.end() || !(y->second.ms > 0.0))
                continue;
            const double ratio = f->second.ms / y->second.ms;
            const bool holds = ratio <= g.ratio;
            std::printf("%-44s %9.3f  %-16s %9.3f %7.2f %5.0f  %s\n", g.what, f->second.ms,
                        g.yardstick, y->second.ms, ratio, g.ratio, holds ? "holds" : "OVER");
            ++shown;
            over += !holds;
        }
        if (shown == 0)
            std::printf("(no figure and its yardstick were both run)\n");
        else
            std::printf("%s\n", over ? "Some goals do not hold." : "Every goal shown holds.");
    }

private:
    struct Figure {
        double ms = 0.0;
        bool median = false;
        std::string label;
    };
    std::vector<std::string> names_;
    std::map<std::string, Figure> figures_;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
