// The benchmarks' main: one QApplication on the offscreen platform for the whole run (made
// before any benchmark and outside every timed loop), the usual Google Benchmark output, and
// at the end a table of the medians against the program's time budgets.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>
#include <map>
#include <string>
#include <vector>

#include <QApplication>

namespace {

struct Budget {
    const char* prefix;    // benchmark name prefix
    double milliseconds;   // < 0: no budget, shown for the breakdown only
    const char* why;
};

const Budget kBudgets[] = {
    {"TimerTick/tracers:5000/", 1.0, "tick at 5000 tracers"},
    {"TimerTick/tracers:100000/", 20.0, "tick at 100000 tracers"},
    {"RecomputeFlow/", 4.0, "drag keeps up with a 240 Hz mouse"},
    {"RecomputeFlowSweep", 4.0, "mean over every reachable wall angle"},
    {"RecomputeFlowSlowest", 4.0, "the wall angle with the slowest retrace"},
    {"DragEvent/", 4.17, "one move of a 240 Hz mouse"},
    {"StartUp", 300.0, "dialog to its first frame"},
};

const Budget* BudgetFor(const std::string& name)
{
    if (name.rfind("StartUpShown", 0) == 0)
        return nullptr;
    for (const Budget& b : kBudgets)
        if (name.rfind(b.prefix, 0) == 0)
            return &b;
    return nullptr;
}

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
// every benchmark for the closing table.
class BudgetReporter : public benchmark::ConsoleReporter {
public:
    BudgetReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None) {}

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
            if (!order_.count(name)) {
                order_[name] = names_.size();
                names_.push_back(name);
            }
            Figure& f = figures_[name];
            f.median = median;
            f.ms = ToMilliseconds(r.GetAdjustedRealTime(), r.time_unit);
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
        std::printf("\n%-56s %10s %10s  %s\n", "benchmark", "median ms", "budget ms", "verdict");
        int over = 0;
        for (const std::string& name : names_) {
            const Figure& f = figures_[name];
            const Budget* b = BudgetFor(name);
            std::string shown = name;
            if (!f.label.empty())
                shown += " (" + f.label + ")";
            char budget[32] = "-";
            const char* verdict = "";
            if (b) {
                std::snprintf(budget, sizeof budget, "%.2f", b->milliseconds);
                verdict = f.ms < b->milliseconds ? "holds" : "OVER";
                over += f.ms >= b->milliseconds;
            }
            std::printf("%-56s %10.3f %10s  %s%s\n", shown.c_str(), f.ms, budget, verdict,
                        f.median ? "" : " (one run, no median)");
        }
        std::printf("%s\n", over ? "Some budgets do not hold." : "Every budget holds.");
    }

private:
    struct Figure {
        double ms = 0.0;
        bool median = false;
        std::string label;
    };
    std::vector<std::string> names_;
    std::map<std::string, size_t> order_;
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
    BudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
