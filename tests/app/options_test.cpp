// The command line.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/options.h"
#include "app/session_start.h"
#include "tests/support/start_up.h"

namespace {

using Args = std::vector<std::string>;

Options Parsed(const Args& args)
{
    const ParseResult r = ParseOptions(args);
    EXPECT_EQ(r.error, "") << "arguments parsed with an error";
    return r.options;
}

std::string ErrorOf(const Args& args)
{
    const ParseResult r = ParseOptions(args);
    EXPECT_NE(r.error, "");
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << r.error;
    return r.error;
}

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

TEST(ParseOptions, Modes)
{
    EXPECT_EQ(Parsed({}).mode, Options::Mode::Dialog);
    EXPECT_EQ(Parsed({"--help"}).mode, Options::Mode::Help);
    EXPECT_EQ(Parsed({"-h"}).mode, Options::Mode::Help);
    EXPECT_EQ(Parsed({"--calc", "--v1", "500", "--help"}).mode, Options::Mode::Help);
    EXPECT_EQ(Parsed({"--calc", "--calc"}).mode, Options::Mode::Calc);

    const Options snap = Parsed({"--snapshot", "out.png"});
    EXPECT_EQ(snap.mode, Options::Mode::Snapshot);
    EXPECT_EQ(snap.file, "out.png");
    const Options win = Parsed({"--snapshot-window=dir/win.png"});
    EXPECT_EQ(win.mode, Options::Mode::SnapshotWindow);
    EXPECT_EQ(win.file, "dir/win.png");
}

TEST(ParseOptions, Defaults)
{
    const Options o = Parsed({"--calc"});
    EXPECT_EQ(o.mode, Options::Mode::Calc);
    EXPECT_FALSE(o.v1 || o.t1 || o.p1 || o.wall || o.wallPoint || o.seed);
    EXPECT_TRUE(o.probes.empty());
    EXPECT_EQ(o.width, start::kWidth);
    EXPECT_EQ(o.height, 384);
    EXPECT_EQ(o.ticks, 0);
}

TEST(ParseOptions, InputTextsAreKeptAsGiven)
{
    const Options o = Parsed({"--calc", "--v1", "-450", "--t1=1,5", "--p1", "abc"});
    EXPECT_EQ(*o.v1, "-450");
    EXPECT_EQ(*o.t1, "1,5");
    EXPECT_EQ(*o.p1, "abc");
    EXPECT_EQ(*Parsed({"--calc", "--v1=-450"}).v1, "-450");
    EXPECT_EQ(*Parsed({"--calc", "--v1="}).v1, "");
    EXPECT_EQ(*Parsed({"--calc", "--v1=a=b"}).v1, "a=b");
    // The value is always the next argument, even when it looks like an option.
    EXPECT_EQ(*Parsed({"--calc", "--v1", "--t1"}).v1, "--t1");
    // The last of a repeated option counts.
    EXPECT_EQ(*Parsed({"--calc", "--v1", "1", "--v1", "2"}).v1, "2");
}

TEST(ParseOptions, WallAngleAndPoints)
{
    EXPECT_EQ(*Parsed({"--calc", "--wall", "0.5"}).wall, 0.5);
    EXPECT_EQ(*Parsed({"--calc", "--wall=-1"}).wall, -1.0);
    EXPECT_EQ(*Parsed({"--calc", "--wall", "1,5"}).wall, 1.5);
    EXPECT_EQ(ErrorOf({"--calc", "--wall", "abc"}), "--wall: «abc» — не число");
    EXPECT_TRUE(std::isinf(*Parsed({"--calc", "--wall", "1e999"}).wall));

    const Options wp = Parsed({"--calc", "--wall-point=-5,+7"});
    ASSERT_TRUE(wp.wallPoint);
    EXPECT_EQ(wp.wallPoint->x, -5);
    EXPECT_EQ(wp.wallPoint->y, 7);

    const Options pr = Parsed({"--calc", "--probe", "100,100", "--probe=600,180", "--probe",
                               "-2147483648,2147483647", "--probe", "007,-0"});
    ASSERT_EQ(pr.probes.size(), 4u);
    EXPECT_EQ(pr.probes[0].x, 100);
    EXPECT_EQ(pr.probes[0].y, 100);
    EXPECT_EQ(pr.probes[1].x, 600);
    EXPECT_EQ(pr.probes[1].y, 180);
    EXPECT_EQ(pr.probes[2].x, -2147483647 - 1);
    EXPECT_EQ(pr.probes[2].y, 2147483647);
    EXPECT_EQ(pr.probes[3].x, 7);
    EXPECT_EQ(pr.probes[3].y, 0);

    for (const char* bad :
         {"12", "", ",", "1,", ",2", "1,2,3", "1.5,2", " 1,2", "1, 2", "1,2 ", "a,b", "1;2",
          "0x1,2", "2147483648,0", "0,-2147483649", "99999999999999999999999,1", "+,1", "--1,2"}) {
        const std::string e = ErrorOf({"--calc", "--probe", bad});
        EXPECT_EQ(e, "--probe: expected X,Y (two integers), got '" + std::string(bad) + "'");
        EXPECT_TRUE(StartsWith(ErrorOf({"--calc", "--wall-point", bad}), "--wall-point: ")) << bad;
    }
}

TEST(ParseOptions, SizeTicksAndSeed)
{
    const Options s = Parsed({"--calc", "--size", "800,600"});
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.height, 600);
    const Options edges = Parsed(
        {"--snapshot", "a.png", "--size=1,4096", "--ticks", "10000", "--seed", "4294967295"});
    EXPECT_EQ(edges.width, 1);
    EXPECT_EQ(edges.height, 4096);
    EXPECT_EQ(edges.ticks, kMaxStartTicks);
    EXPECT_EQ(*edges.seed, 4294967295u);
    const Options zero = Parsed({"--snapshot-window", "a.png", "--ticks=0", "--seed=0"});
    EXPECT_EQ(zero.ticks, 0);
    EXPECT_EQ(*zero.seed, 0u);

    for (const char* bad : {"0,10", "10,0", "4097,10", "10,4097", "-1,10", "10", "10,x", ""})
        EXPECT_TRUE(StartsWith(ErrorOf({"--calc", "--size", bad}), "--size: ")) << bad;
    for (const char* bad : {"-1", "10001", "1.5", "x", ""})
        EXPECT_TRUE(StartsWith(ErrorOf({"--snapshot", "a.png", "--ticks", bad}), "--ticks: "))
            << bad;
    for (const char* bad : {"-1", "4294967296", "99999999999999999999", "0x10", ""})
        EXPECT_TRUE(StartsWith(ErrorOf({"--snapshot", "a.png", "--seed", bad}), "--seed: ")) << bad;

    // The labels are left out of a --snapshot only, on request.
    EXPECT_TRUE(zero.labels);
    EXPECT_FALSE(Parsed({"--no-labels", "--snapshot", "a.png"}).labels);
    for (const Args& bad : {Args{"--no-labels"},
                            {"--calc", "--no-labels"},
                            {"--snapshot-window", "a.png", "--no-labels"},
                            {"--snapshot", "a.png", "--no-labels=1"}})
        EXPECT_TRUE(StartsWith(ErrorOf(bad), "--no-labels: ")) << ErrorOf(bad);
}

TEST(ParseOptions, ErrorsNameTheOption)
{
    EXPECT_EQ(ErrorOf({"--frob"}), "unknown option '--frob'");
    EXPECT_EQ(ErrorOf({"--calc", "--frob=1"}), "unknown option '--frob'");
    EXPECT_EQ(ErrorOf({"-x"}), "unknown option '-x'");
    EXPECT_EQ(ErrorOf({"--calc", "extra"}), "unexpected argument 'extra'");
    EXPECT_EQ(ErrorOf({"-"}), "unexpected argument '-'");
    EXPECT_EQ(ErrorOf({"--calc", "--v1"}), "--v1: missing value");
    EXPECT_EQ(ErrorOf({"--snapshot"}), "--snapshot: missing value");
    EXPECT_TRUE(StartsWith(ErrorOf({"--snapshot="}), "--snapshot: "));
    EXPECT_TRUE(StartsWith(ErrorOf({"--calc=yes"}), "--calc: "));
    EXPECT_TRUE(StartsWith(ErrorOf({"--help=1"}), "--help: "));

    // Options of another mode: one that a mode would ignore is refused.
    for (const Args& bad : {Args{"--probe", "1,2"}, Args{"--snapshot", "a.png", "--probe", "1,2"},
                            Args{"--snapshot-window", "a.png", "--probe=1,2"}})
        EXPECT_TRUE(StartsWith(ErrorOf(bad), "--probe: only with --calc or --plot"))
            << ErrorOf(bad);
    for (const Args& bad :
         {Args{"--size", "10,10"}, Args{"--snapshot-window", "a.png", "--size", "10,10"}})
        EXPECT_TRUE(StartsWith(ErrorOf(bad), "--size: ")) << ErrorOf(bad);
    EXPECT_TRUE(StartsWith(ErrorOf({"--calc", "--ticks", "5"}), "--ticks: "));
    EXPECT_TRUE(StartsWith(ErrorOf({"--seed", "5", "--calc"}), "--seed: "));
    for (const Args& bad :
         {Args{"--calc", "--paused"}, Args{"--snapshot", "a.png", "--paused"}, Args{"--paused=1"}})
        EXPECT_TRUE(StartsWith(ErrorOf(bad), "--paused: ")) << ErrorOf(bad);
    EXPECT_TRUE(StartsWith(ErrorOf({"--calc", "--snapshot", "a.png"}), "--snapshot: "));
    EXPECT_TRUE(StartsWith(ErrorOf({"--snapshot", "a.png", "--calc"}), "--calc: "));

    const std::string both = ErrorOf({"--calc", "--wall", "1", "--wall-point", "1,2"});
    EXPECT_NE(both.find("--wall "), std::string::npos) << both;
    EXPECT_NE(both.find("--wall-point"), std::string::npos) << both;

    // Control characters never break the one line.
    const std::string odd = ErrorOf({"--calc", "--probe", "1\n2\r"});
    EXPECT_NE(odd.find("\\x0a"), std::string::npos) << odd;
    EXPECT_EQ(odd.find('\r'), std::string::npos);
    // A failed parse leaves no half-filled options behind.
    const ParseResult r = ParseOptions({"--calc", "--v1", "5", "--bad"});
    EXPECT_EQ(r.options.mode, Options::Mode::Dialog);
    EXPECT_FALSE(r.options.v1);
}

// The plot, the profile's CSV and the exact theory over a snapshot.
TEST(ParseOptions, PlotProfileAndExactTheory)
{
    Options o = Parsed({"--plot", "p.png", "--probe", "400,100", "--size", "300,200"});
    EXPECT_EQ(o.mode, Options::Mode::Plot);
    EXPECT_EQ(o.file, "p.png");
    EXPECT_TRUE(o.sizeGiven);
    EXPECT_EQ(o.width, 300);
    o = Parsed({"--profile-csv", "p.csv", "--beta", "160"});
    EXPECT_EQ(o.mode, Options::Mode::ProfileCsv);
    EXPECT_FALSE(o.sizeGiven);
    EXPECT_TRUE(Parsed({"--snapshot", "s.png", "--exact-theory"}).exactTheory);
    EXPECT_TRUE(Parsed({"--snapshot-window", "s.png", "--exact-theory"}).exactTheory);
    EXPECT_TRUE(StartsWith(ErrorOf({"--calc", "--exact-theory"}), "--exact-theory"));
    EXPECT_EQ(Parsed({"--snapshot", "s.png", "--physics", "exact"}).physics, Physics::Exact);
    EXPECT_EQ(Parsed({"--physics=model"}).physics, Physics::Model);
    EXPECT_EQ(ErrorOf({"--physics", "Exact"}), "--physics: «Exact» — нужно одно из: model, exact");
    EXPECT_TRUE(StartsWith(ErrorOf({"--plot", "p.png", "--physics", "exact"}), "--physics"));
    EXPECT_TRUE(StartsWith(ErrorOf({"--plot", "p.png", "--ticks", "3"}), "--ticks"));
    EXPECT_TRUE(StartsWith(ErrorOf({"--plot", "p.png", "--calc"}), "--calc"));
    EXPECT_TRUE(StartsWith(ErrorOf({"--profile-csv"}), "--profile-csv"));
    EXPECT_FALSE(Parsed({"--calc"}).physics);
    EXPECT_EQ(Parsed({"--calc", "--physics", "exact"}).physics, Physics::Exact);
    EXPECT_EQ(Parsed({"--calc", "--physics=model"}).physics, Physics::Model);
}

// The window starts on a lesson's state from a launcher: the inputs and the wall as the other
// modes take them, the language, the pause, the seed and the ticks run before it shows (few
// enough that it shows within seconds).
TEST(ParseOptions, TheWindowTakesALessonsStart)
{
    const Options o = Parsed({"--v1", "600", "--beta", "150", "--lang", "en", "--paused", "--seed",
                              "7", "--ticks", "100", "--t1=250,5", "--p1", "100 000"});
    EXPECT_EQ(o.mode, Options::Mode::Dialog);
    EXPECT_EQ(*o.v1, "600");
    EXPECT_EQ(*o.t1, "250,5");
    EXPECT_EQ(*o.p1, "100 000");
    EXPECT_EQ(*o.beta, 150.0);
    EXPECT_EQ(o.lang, "en");
    EXPECT_TRUE(o.paused);
    EXPECT_EQ(*o.seed, 7u);
    EXPECT_EQ(o.ticks, 100);
    EXPECT_EQ(*Parsed({"--wall", "-1.0"}).wall, -1.0);
    EXPECT_EQ(Parsed({"--wall-point", "200,380"}).wallPoint->x, 200);
    EXPECT_FALSE(Parsed({}).paused);
    EXPECT_TRUE(Parsed({"--snapshot-window", "a.png", "--paused"}).paused);
    EXPECT_TRUE(Parsed({"--exact-theory"}).exactTheory);
    EXPECT_TRUE(StartsWith(ErrorOf({"--beta", "150", "--wall", "1"}), "--wall and --beta"));

    EXPECT_EQ(Parsed({"--ticks", "10000"}).ticks, kMaxStartTicks);
}

TEST(HelpText, ExplainsEveryOptionAndTheDocument)
{
    const std::string help = HelpText();
    for (const char* word : {"--calc",
                             "--snapshot ",
                             "--snapshot-window",
                             "--help",
                             "-h",
                             "--v1",
                             "--t1",
                             "--p1",
                             "--wall ",
                             "--wall-point",
                             "--probe",
                             "--size",
                             "--ticks",
                             "--seed",
                             "450",
                             "273",
                             "100000",
                             "0.785375",
                             "622,384",
                             "1..4096",
                             "0..4294967295",
                             "inputs",
                             "state",
                             "corner",
                             "fields",
                             "labels",
                             "probes",
                             "\"NaN\"",
                             "\"Infinity\"",
                             "--no-labels",
                             "--plot",
                             "--profile-csv",
                             "--exact-theory",
                             "--physics model|exact",
                             "fan-to-vacuum",
                             "profile",
                             "intoTheFlow",
                             "--paused",
                             "--lang",
                             "0..10000"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
    EXPECT_EQ(help.back(), '\n');
}

} // namespace

// The gas from the list or typed, each in range; an unknown name is refused with the list.
TEST(ParseOptions, TheGas)
{
    EXPECT_EQ(Parsed({"--calc", "--gas", "he"}).gas, std::optional<std::string>("he"));
    const Options typed = Parsed({"--gamma=1.3", "--molar-mass", "44"});
    EXPECT_EQ(typed.gamma, std::optional<double>(1.3));
    EXPECT_EQ(typed.molarMass, std::optional<double>(44.0));
    EXPECT_EQ(Parsed({"--gamma", "1.6666666666666667"}).gamma, std::optional<double>(5.0 / 3.0));
    // 5/3 as a teacher types it: taken as 5/3, the text kept for the field's note.
    for (const char* fiveThirds : {"1.667", "1,6667", "5/3"}) {
        const Options o = Parsed({"--gamma", fiveThirds});
        EXPECT_EQ(o.gamma, std::optional<double>(5.0 / 3.0)) << fiveThirds;
        EXPECT_EQ(o.gammaText, fiveThirds);
    }
    EXPECT_EQ(ErrorOf({"--gas", "neon"}),
              "--gas: «neon» — нужно одно из: air, n2, o2, he, ar, co2, h2o, ch4, h2");
    for (const char* bad : {"1", "1.67", "0", "-1.4", "abc", "1e999"})
        EXPECT_TRUE(StartsWith(ErrorOf({"--gamma", bad}), "--gamma: ")) << bad;
    for (const char* bad : {"0.99", "1000.5", "abc"})
        EXPECT_TRUE(StartsWith(ErrorOf({"--molar-mass", bad}), "--molar-mass: ")) << bad;
    EXPECT_EQ(ErrorOf({"--gas", "he", "--molar-mass", "5"}),
              "--gas and --molar-mass cannot be combined");
    EXPECT_NE(HelpText().find("--gas NAME"), std::string::npos);
    EXPECT_NE(HelpText().find("air, n2, o2, he, ar, co2, h2o, ch4, h2"), std::string::npos);
}

namespace {

// What a start state says of the flow and the window, as one comparable tuple.
auto Said(const StartState& s, const std::optional<std::string>& lang,
          const std::optional<unsigned>& seed)
{
    return std::make_tuple(s.v1, s.t1, s.p1, s.gas, s.gamma, s.molarMass, s.gammaText,
                           s.molarMassText, s.beta, s.physics, s.ticks, lang, seed);
}

} // namespace

// The command line and a link are read by the core's one reader: a value is taken the same
// way, or refused in the same words, the command line naming its option; one cap on the ticks.
TEST(CommandLine, TheSamePairsAsALink)
{
    struct Case {
        const char *option, *pair, *value;
    };
    const std::string longText(kMaxStartText + 1, '1');
    const Case cases[] = {
        {"--beta", "beta", "abc"},
        {"--beta", "beta", "150,5"},
        {"--beta", "beta", "1e999"},
        {"--ticks", "ticks", "10000"},
        {"--ticks", "ticks", "10001"},
        {"--gamma", "gamma", "1.667"},
        {"--gamma", "gamma", "1.7"},
        {"--molar-mass", "mu", "0.5"},
        {"--molar-mass", "mu", "4 4"},
        {"--molar-mass", "mu", "44,5"},
        {"--lang", "lang", "fr"},
        {"--lang", "lang", "de"},
        {"--physics", "physics", "exact"},
        {"--seed", "seed", "0x10"},
        {"--seed", "seed", "7"},
        {"--v1", "v1", "500 м/с"},
        {"--v1", "v1", "м/с"},
        {"--gas", "gas", "neon"},
        {"--gas", "gas", "he"},
        {"--t1", "t1", longText.c_str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.value);
        std::vector<StartProblem> problems;
        const StartState link = ReadStartPairs({{c.pair, c.value}}, problems);
        const ParseResult cli = ParseOptions({"--snapshot", "a.png", c.option, c.value});
        ASSERT_EQ(problems.size(), cli.problem ? 1u : 0u) << cli.error;
        if (cli.problem) {
            StartProblem named = problems[0];
            named.values[0] = c.option;
            EXPECT_EQ(cli.error, StartProblemText(named));
            continue;
        }
        const Options& o = cli.options;
        EXPECT_EQ(
            Said(StartStateOf(o), o.lang.empty() ? std::nullopt : std::optional(o.lang), o.seed),
            Said(link, link.language,
                 link.seed ? std::optional<unsigned>(*link.seed) : std::nullopt));
    }
}

// --help, the man page and docs/command-line.md list every option of the table, each with the
// same argument form, and no other.
TEST(OptionTable, HelpManPageAndDocsAgree)
{
    std::set<std::string> table;
    for (const OptionRow& row : OptionTable()) {
        table.insert(std::string(row.name)
                     + (*row.argument ? std::string(" ") + row.argument : ""));
        if (*row.alias)
            table.insert(row.alias);
    }
    const auto read = [](const char* path) {
        std::ifstream in(std::string(CF_SOURCE_DIR) + "/" + path);
        EXPECT_TRUE(in) << path;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const auto forms = [](const std::string& text, const std::regex& line, const auto& clean) {
        std::set<std::string> out;
        for (std::sregex_iterator m(text.begin(), text.end(), line), end; m != end; ++m) {
            std::string form = clean((*m)[1].str());
            for (size_t at = form.find(", "); at != std::string::npos; at = form.find(", ")) {
                out.insert(form.substr(0, at));
                form = form.substr(at + 2);
            }
            out.insert(form);
        }
        return out;
    };
    const auto same = [](std::string s) { return s; };
    EXPECT_EQ(forms(HelpText(), std::regex("\n  (-[^ \n]*(?: [^ \n]+)*)"), same), table);
    // The man page's items: ".B \-\-calc", ".BI \-\-size " W,H"", ".BR \-\-help ", " \-h".
    const auto roff = [](std::string s) {
        s = std::regex_replace(s, std::regex(R"(\\-)"), "-");
        s = std::regex_replace(s, std::regex(R"(\")"), "");
        s = std::regex_replace(s, std::regex(" +"), " ");
        return std::regex_replace(s, std::regex(" ,"), ",");
    };
    EXPECT_EQ(
        forms(read("res/linux/cornerflow.1"), std::regex("\n\\.TP\n\\.B[IR]? (\\\\-.*)"), roff),
        table);
    // The docs' table: "| `--size W,H` | ...", "| `--help`, `-h` | ...".
    const auto ticks = [](std::string s) {
        return std::regex_replace(std::regex_replace(s, std::regex("`"), ""), std::regex(R"(\\\|)"),
                                  "|");
    };
    EXPECT_EQ(forms(read("docs/command-line.md"), std::regex("\n\\| (`-.*?`) \\| "), ticks), table);
}
