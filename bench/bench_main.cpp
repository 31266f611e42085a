// The benchmarks' main: the yardstick (yardstick_bench.cpp) first, before anything of Qt has
// run; then one QApplication on the offscreen platform for the rest of the run (made outside
// every timed loop) and every benchmark, the yardstick again among them; the usual Google
// Benchmark output; and at the end a table of the medians in ms, the yardsticks side by side,
// and a table of the program's figures as ratios to the clean yardstick, with their goals.
//
// The clean yardstick is the one timed by cf_yardstick, a process that loads no Qt
// (scripts/bench runs it first and passes its results with --clean_yardstick=FILE.json);
// without that file, the one timed here before the QApplication was made. The yardstick timed
// after the QApplication does not clear the upper vector state (base/vector_state.h) as the
// program's hot loops do, so when Qt has left it in use on this CPU it runs slower, and the
// run says so.
//
// The tables give CPU time: what a figure costs, whatever else the machine is doing. On an
// idle machine it is the real time too; the console output above gives both.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Goal {
    const char* what;
    const char* figure;    // benchmark name (without the aggregate's suffix)
    const char* yardstick; // the yardstick it is measured against
    double ratio;          // the figure may take at most this many yardsticks; 0: shown, no goal
};

const Goal kGoals[] = {
    {"Tick, 5000 tracers (steady cloud)", "TimerTick/tracers:5000/warmup:200", "Yardstick/5000",
     2.5},
    {"Tick, 100000 tracers (steady cloud)", "TimerTick/tracers:100000/warmup:200",
     "Yardstick/100000", 2.0},
    {"Tick, 5000 tracers, exact theory, a fan", "TimerTickExact/tracers:5000/flow:0",
     "Yardstick/5000", 2.5},
    {"Tick, 5000 tracers, exact theory, a fan to vacuum", "TimerTickExact/tracers:5000/flow:1",
     "Yardstick/5000", 2.5},
    {"Tick, 5000 tracers, exact theory, a shock", "TimerTickExact/tracers:5000/flow:2",
     "Yardstick/5000", 2.5},
    {"Retrace and frame, exact theory, a fan", "RecomputeFlowExact/flow:0", "Yardstick/5000", 3.0},
    {"Retrace and frame, exact theory, a fan to vacuum", "RecomputeFlowExact/flow:1",
     "Yardstick/5000", 3.0},
    {"Retrace and frame, exact theory, a shock", "RecomputeFlowExact/flow:2", "Yardstick/5000",
     3.0},
    {"Drag event end to end, a new wall", "DragEvent/painted:1/returning:0", "Yardstick/5000", 3.0},
    {"Drag event end to end, a wall met before", "DragEvent/painted:1/returning:1",
     "Yardstick/5000", 3.0},
    {"Slowest RecomputeFlow over the drag range", "RecomputeFlowSlowest", "Yardstick/5000", 8.0},
    {"Slowest teaching drag, a new wall", "DragEventSlowest/returning:0", "Yardstick/5000", 25.0},
    {"Slowest teaching drag, a wall met before", "DragEventSlowest/returning:1", "Yardstick/5000",
     25.0},
    {"Retrace, start-up state, a new wall", "RetraceNewWall/state:0", "Yardstick/5000", 0.0},
    {"  its maths-library calls alone (the floor)", "ProbeRunLibmFloor/state:0", "Yardstick/5000",
     0.0},
    {"Retrace, slowest teaching state, a new wall", "RetraceNewWall/state:1", "Yardstick/5000",
     0.0},
    {"  its maths-library calls alone (the floor)", "ProbeRunLibmFloor/state:1", "Yardstick/5000",
     0.0},
    {"Plot redrawn for a probe (cursor)", "PlotRedraw/whole:0", "Yardstick/5000", 1.0},
    {"Plot redrawn whole (new profile)", "PlotRedraw/whole:1", "Yardstick/5000", 1.0},
};

const char* const kYardsticks[] = {"Yardstick/5000", "Yardstick/100000"};

// The yardstick after the QApplication may take at most this many clean ones before the run
// warns that the upper vector state is in use.
constexpr double kVectorStateWarning = 1.5;

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

double ToMilliseconds(double value, const QString& unit)
{
    if (unit == QLatin1String("ns"))
        return value * 1e-6;
    if (unit == QLatin1String("us"))
        return value * 1e-3;
    if (unit == QLatin1String("s"))
        return value * 1e3;
    return value;
}

// The median CPU time in ms (or, without repetitions, the one run's) of every benchmark in a
// Google Benchmark JSON file; empty when the file cannot be read.
std::map<std::string, double> MediansFromJson(const QString& path)
{
    std::map<std::string, double> medians;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return medians;
    const QJsonArray runs =
        QJsonDocument::fromJson(file.readAll()).object()["benchmarks"].toArray();
    for (const QJsonValue& value : runs) {
        const QJsonObject run = value.toObject();
        const bool median = run["run_type"].toString() == QLatin1String("aggregate")
                            && run["aggregate_name"].toString() == QLatin1String("median");
        const bool single = run["run_type"].toString() == QLatin1String("iteration")
                            && run["repetitions"].toInt(1) <= 1;
        if (!median && !single)
            continue;
        const double ms = ToMilliseconds(run["cpu_time"].toDouble(), run["time_unit"].toString());
        if (ms > 0.0)
            medians[run["run_name"].toString().toStdString()] = ms;
    }
    return medians;
}

// The console output as usual; keeps the median (or, without repetitions, the one run) of
// every benchmark for the closing tables. The yardstick's runs before the QApplication is made
// are kept apart from those after it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None) {}

    void SetBeforeQt(bool before) { beforeQt_ = before; }

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
            std::map<std::string, Figure>& figures = beforeQt_ ? beforeQtFigures_ : figures_;
            if (!beforeQt_ && !figures.count(name))
                names_.push_back(name);
            Figure& f = figures[name];
            f.median = median;
            f.ms = ToMilliseconds(r.GetAdjustedCPUTime(), r.time_unit);
            // A benchmark whose iteration is several recomputes is shown per recompute.
            const auto per = r.counters.find("recomputesPerIteration");
            if (per != r.counters.end() && per->second.value > 0)
                f.ms /= per->second.value;
            f.label = r.report_label;
        }
    }

    // The closing tables: the medians, the yardsticks, the figures against their goals. clean
    // holds the yardstick of the process without Qt (empty when it was not run).
    void PrintTables(const std::map<std::string, double>& clean)
    {
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

        // The clean yardstick: the process without Qt's, else this one's before the
        // QApplication was made.
        const bool haveClean = !clean.empty();
        std::map<std::string, double> reference;
        for (const char* y : kYardsticks) {
            const auto c = clean.find(y);
            const auto b = beforeQtFigures_.find(y);
            if (haveClean && c != clean.end())
                reference[y] = c->second;
            else if (!haveClean && b != beforeQtFigures_.end())
                reference[y] = b->second.ms;
        }

        std::printf("\n%-18s %18s %12s %12s %12s\n", "yardstick (CPU ms)", "process without Qt",
                    "before QApp", "after QApp", "after/clean");
        double worst = 0.0;
        for (const char* y : kYardsticks) {
            const auto c = clean.find(y);
            const auto b = beforeQtFigures_.find(y);
            const auto a = figures_.find(y);
            const auto r = reference.find(y);
            auto cell = [](bool have, double ms) {
                char text[32];
                if (have)
                    std::snprintf(text, sizeof text, "%.3f", ms);
                else
                    std::snprintf(text, sizeof text, "-");
                return std::string(text);
            };
            std::string ratio = "-";
            if (a != figures_.end() && r != reference.end() && r->second > 0.0) {
                const double q = a->second.ms / r->second;
                char text[32];
                std::snprintf(text, sizeof text, "%.2f", q);
                ratio = text;
                worst = std::max(worst, q);
            }
            std::printf(
                "%-18s %18s %12s %12s %12s\n", y,
                cell(c != clean.end(), c != clean.end() ? c->second : 0.0).c_str(),
                cell(b != beforeQtFigures_.end(), b != beforeQtFigures_.end() ? b->second.ms : 0.0)
                    .c_str(),
                cell(a != figures_.end(), a != figures_.end() ? a->second.ms : 0.0).c_str(),
                ratio.c_str());
        }
        if (!haveClean)
            std::printf("(no yardstick of a process without Qt: the ratios below are to the one "
                        "timed here before the QApplication; scripts/bench runs cf_yardstick)\n");
        if (worst > kVectorStateWarning)
            std::printf("WARNING: the yardstick after the QApplication takes %.2f clean ones (more "
                        "than %.1f). Qt has most likely left the upper halves of the AVX registers "
                        "in use (the vector state, base/vector_state.h): code that does not clear "
                        "it, as this yardstick, pays for it on this CPU. Each hot loop of the "
                        "program clears it at its start (ClearUpperVectorState).\n",
                        worst, kVectorStateWarning);

        std::printf("\n%-44s %9s  %-16s %9s %7s %5s\n", "figure", "ms", "clean yardstick", "ms",
                    "ratio", "goal");
        int shown = 0, over = 0;
        for (const Goal& g : kGoals) {
            const auto f = figures_.find(g.figure);
            const auto y = reference.find(g.yardstick);
            if (f == figures_.end() || y == reference.end() || !(y->second > 0.0))
                continue;
            const double ratio = f->second.ms / y->second;
            if (!(g.ratio > 0.0)) { // a part of another figure, shown for the reader
                std::printf("%-44s %9.3f  %-16s %9.3f %7.2f %5s\n", g.what, f->second.ms,
                            g.yardstick, y->second, ratio, "-");
                continue;
            }
            const bool holds = ratio <= g.ratio;
            std::printf("%-44s %9.3f  %-16s %9.3f %7.2f %5.1f  %s\n", g.what, f->second.ms,
                        g.yardstick, y->second, ratio, g.ratio, holds ? "holds" : "OVER");
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
    bool beforeQt_ = false;
    std::vector<std::string> names_;
    std::map<std::string, Figure> figures_;
    std::map<std::string, Figure> beforeQtFigures_;
};

} // namespace

int main(int argc, char** argv)
{
    // --clean_yardstick=FILE: the JSON output of cf_yardstick (taken out before the benchmark
    // library reads the arguments).
    QString cleanPath;
    const char* const kCleanFlag = "--clean_yardstick=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kCleanFlag, std::strlen(kCleanFlag)) == 0)
            cleanPath = QString::fromLocal8Bit(argv[i] + std::strlen(kCleanFlag));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::map<std::string, double> clean;
    if (!cleanPath.isEmpty()) {
        clean = MediansFromJson(cleanPath);
        if (clean.empty()) {
            std::fprintf(stderr, "No yardstick in %s\n", qPrintable(cleanPath));
            return 1;
        }
    }
    RatioReporter reporter;

    // The yardstick before anything of Qt has run. (With --benchmark_out this run writes the
    // file too; the run after the QApplication writes it again, whole.)
    std::printf("The yardstick, before the QApplication is made:\n");
    reporter.SetBeforeQt(true);
    benchmark::RunSpecifiedBenchmarks(&reporter, "^Yardstick/");

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    std::printf("\nThe benchmarks, after the QApplication is made:\n");
    reporter.SetBeforeQt(false);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTables(clean);
    benchmark::Shutdown();
    return 0;
}
