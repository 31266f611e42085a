#include "app/options.h"

#include <cstdint>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string_view>

#include "draw/frame_buffer.h"

namespace {

using M = Options::Mode;
constexpr unsigned Bit(M mode) { return 1u << static_cast<unsigned>(mode); }
constexpr unsigned kWindow = Bit(M::Dialog) | Bit(M::SnapshotWindow);
constexpr unsigned kEvery = kWindow | Bit(M::Calc) | Bit(M::Snapshot) | Bit(M::Plot)
                            | Bit(M::ProfileCsv) | Bit(M::Help);

// The headings of --help, in order.
constexpr const char* kModes = "Modes:";
constexpr const char* kInputs = "Inputs (INPUTS, for every mode):";
constexpr const char* kWindowSection = "The window and its snapshot (WINDOW):";
constexpr const char* kPictures = "Calculator, snapshot and plot options:";

// Every option, in the order --help lists them.
const std::vector<OptionRow> kTable = {
    {"--calc", "", "", "", "", kEvery, kModes,
     "print the computed state as one JSON document on stdout"},
    {"--snapshot", "", "FILE.png", "", "", kEvery, kModes, "write the picture as a PNG image"},
    {"--snapshot-window", "", "FILE.png", "", "", kEvery, kModes,
     "write the whole window as the same options open it, as a PNG image"},
    {"--plot", "", "FILE.png", "", "", kEvery, kModes,
     "write the plot of the state through the fan (the model beside the exact theory against "
     "the direction from the corner) as a PNG image, {width} x {height} unless --size is given; "
     "the first --probe X,Y puts its cursor at that point's direction, --lang CODE writes its "
     "words in that language, --no-labels leaves every word and number out (every other pixel "
     "as with them)"},
    {"--profile-csv", "", "FILE.csv", "", "", kEvery, kModes,
     "write the profile section's samples as CSV: a header row, then phi in degrees and, for "
     "each of M, P (Pa), T (K), rho (kg/m^3) and V (m/s), the model's value and the exact "
     "theory's; '.' as the decimal point, ',' between columns, nan where the theory has no "
     "value"},
    {"--help", "-h", "", "", "", kEvery, kModes, "show this text"},
    {"--v1", "", "V", "v1", "", kEvery, kInputs, "upstream speed V1, m/s (default {v1})"},
    {"--t1", "", "T", "t1", "", kEvery, kInputs, "upstream temperature T1, K (default {t1})"},
    {"--p1", "", "P", "p1", "", kEvery, kInputs,
     "upstream pressure P1, Pa (default {p1}). V, T and P are texts as typed into the input "
     "fields: the leading number counts and the rest is ignored (the field notes what it read); "
     "a lone comma is the decimal point (\"450,5\" reads 450.5) and spaces between groups of "
     "three digits are left out (\"100 000\" reads 100000); a text without a number reads 0"},
    {"--wall", "", "RAD", "", "", kEvery, kInputs,
     "wall angle in radians from the downward vertical, positive downstream; pi/2 is a "
     "straight wall (default {wall})"},
    {"--wall-point", "", "X,Y", "", "", kEvery, kInputs,
     "turn the wall toward picture point X,Y as a mouse press there would"},
    {"--beta", "", "DEG", "beta", "", kEvery, kInputs,
     "the body angle beta in degrees, as the picture labels it (default {beta}); 180 is a "
     "straight wall, smaller angles turn the flow more. --wall, --wall-point and --beta cannot "
     "be combined"},
    {"--gas", "", "NAME", "gas", "", kEvery, kInputs,
     "the gas: {gases} (default air: gamma 1.4, 28 g/mol)"},
    {"--gamma", "", "G", "gamma", "", kEvery, kInputs,
     "another gas's ratio of specific heats, above 1 and at most 5/3 (default 1.4); 5/3 may be "
     "typed as shown, 1.667, or as 5/3"},
    {"--molar-mass", "", "M", "mu", "", kEvery, kInputs,
     "another gas's molar mass, 1..1000 g/mol (default 28). --gas cannot be combined with "
     "--gamma or --molar-mass"},
    {"--physics", "", "model|exact", "physics", "", kWindow | Bit(M::Calc) | Bit(M::Snapshot),
     kInputs,
     "which flow the picture, fields and probes follow: the program's model (default) or the "
     "exact theory (not with --plot or --profile-csv)"},
    {"--lang", "", "CODE", "lang", "", kEvery, kWindowSection,
     "the window's words in that language, one of {languages}; without it the window speaks "
     "the language last chosen in its menu, else the system's if the program speaks it, else "
     "Russian; --snapshot-window Russian. A bad value is told in the same language"},
    {"--paused", "", "", "paused", "1", kWindow, kWindowSection,
     "the animation stands at start (Space on the picture or the menu's Pause starts it)"},
    {"--exact-theory", "", "", "theory", "1", kWindow | Bit(M::Snapshot), kWindowSection,
     "the exact theory over the picture, as the menu's item: the exact last characteristic and "
     "the exact streamlines (dash-dot, violet); also with --snapshot"},
    {"--ticks", "", "N", "ticks", "", kWindow | Bit(M::Snapshot), kWindowSection,
     "animation ticks of 50 ms run before the window shows or the picture is written, "
     "0..{ticks} (default 0); also with --snapshot"},
    {"--seed", "", "S", "seed", "", kWindow | Bit(M::Snapshot), kWindowSection,
     "seed of the tracers' random generator, 0..4294967295 (default: from the clock); also "
     "with --snapshot"},
    {"--size", "", "W,H", "", "", Bit(M::Calc) | Bit(M::Snapshot) | Bit(M::Plot), kPictures,
     "picture size in pixels, 1..{maxSize} each (default {width},{height}), for --calc, "
     "--snapshot and --plot (the window's picture is always {width},{height})"},
    {"--probe", "", "X,Y", "", "", Bit(M::Calc) | Bit(M::Plot), kPictures,
     "with --calc: read out the flow at picture point X,Y (may be repeated); with --plot, see "
     "above"},
    {"--no-labels", "", "", "labels", "0", Bit(M::Snapshot) | Bit(M::Plot), kPictures,
     "with --snapshot: the picture without its angle labels (beta, alpha, chi and delta-phi), "
     "every other pixel as with them; with --plot, see above"},
};

// The mode an option chooses, if it is one.
std::optional<M> ModeOf(std::string_view name)
{
    if (name == "--calc")
        return M::Calc;
    if (name == "--snapshot")
        return M::Snapshot;
    if (name == "--snapshot-window")
        return M::SnapshotWindow;
    if (name == "--plot")
        return M::Plot;
    if (name == "--profile-csv")
        return M::ProfileCsv;
    if (name == "--help" || name == "-h")
        return M::Help;
    return std::nullopt;
}

// "the window, --snapshot or --snapshot-window": the modes of a mask, for an error.
std::string ModesText(unsigned modes)
{
    std::vector<std::string> names;
    if (modes & Bit(M::Dialog))
        names.push_back("the window");
    for (const OptionRow& row : kTable) {
        const std::optional<M> mode = ModeOf(row.name);
        if (mode && *mode != M::Help && (modes & Bit(*mode)))
            names.push_back(row.name);
    }
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

const OptionRow* FindRow(std::string_view name)
{
    for (const OptionRow& row : kTable)
        if (name == row.name || name == row.alias)
            return &row;
    return nullptr;
}

// The argument as it may be shown inside one line of an error message: printable ASCII and
// UTF-8 bytes pass, control characters are written as \xNN, and very long texts are cut.
std::string Quoted(std::string_view text)
{
    constexpr size_t maxShown = 200;
    const bool cut = text.size() > maxShown;
    return "'" + EscapeControls(text.substr(0, maxShown)) + (cut ? "..." : "") + "'";
}

// A decimal integer with an optional sign and nothing else, within [lo, hi].
bool ParseInteger(std::string_view text, long long lo, long long hi, long long& out)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    // Every bound used here is far below this cap, so the sum never overflows.
    constexpr unsigned long long cap = 1000000000000ULL;
    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        if (magnitude <= cap)
            magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    }
    if (magnitude > cap)
        return false;
    const long long value = negative ? -static_cast<long long>(magnitude)
                                     : static_cast<long long>(magnitude);
    if (value < lo || value > hi)
        return false;
    out = value;
    return true;
}

// "A,B": two integers within [lo, hi] separated by one comma.
bool ParsePair(std::string_view text, long long lo, long long hi, long long& a, long long& b)
{
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    return ParseInteger(text.substr(0, comma), lo, hi, a)
           && ParseInteger(text.substr(comma + 1), lo, hi, b);
}

// What the arguments said, before the pairs are read.
struct Scan {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<const OptionRow*> given; // every option given, in order
    std::optional<M> mode;
    bool help = false;
    std::optional<StartProblem> wallProblem; // --wall's value is no number
};

// The options that are the command line's own: the mode and its file, the wall set directly,
// the probes and the size. An error's line, or "".
std::string TakeOwn(const OptionRow& row, const std::string& value, Scan& scan, Options& o)
{
    const std::string name = row.name;
    if (const std::optional<M> mode = ModeOf(name)) {
        if (*mode == M::Help) {
            scan.help = true;
            return "";
        }
        if (scan.mode && *scan.mode != *mode) {
            for (const OptionRow& r : kTable)
                if (ModeOf(r.name) == scan.mode)
                    return name + ": cannot be combined with " + r.name;
        }
        if (*mode != M::Calc && value.empty())
            return name + ": missing file name";
        o.file = *mode != M::Calc ? value : o.file;
        scan.mode = mode;
        return "";
    }
    if (name == "--wall") {
        // Read as a link reads its numbers, and refused in the core's reader's words.
        o.wall = StartNumber(value);
        if (!o.wall && !scan.wallProblem)
            scan.wallProblem = NumberProblem(name, value);
        return "";
    }
    long long x = 0, y = 0;
    if (name == "--size") {
        if (!ParsePair(value, 1, kMaxPictureSize, x, y))
            return name + ": expected W,H (two integers 1.." + std::to_string(kMaxPictureSize)
                   + "), got " + Quoted(value);
        o.width = static_cast<int>(x);
        o.height = static_cast<int>(y);
        o.sizeGiven = true;
        return "";
    }
    if (!ParsePair(value, INT32_MIN, INT32_MAX, x, y))
        return name + ": expected X,Y (two integers), got " + Quoted(value);
    const PointArg point{static_cast<int>(x), static_cast<int>(y)};
    if (name == "--probe")
        o.probes.push_back(point);
    else
        o.wallPoint = point;
    return "";
}

// Reads the arguments into the scan and the command line's own options; an error's line, or
// "".
std::string ScanArguments(const std::vector<std::string>& args, Scan& scan, Options& o)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            return "unexpected argument " + Quoted(arg);
        std::string name = arg, value;
        bool hasValue = false;
        const size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        const OptionRow* row = FindRow(name);
        if (!row)
            return "unknown option " + Quoted(name);
        const bool flag = !*row->argument;
        if (flag && hasValue)
            return std::string(row->name) + ": takes no value";
        if (!flag && !hasValue) {
            if (i + 1 >= args.size())
                return std::string(row->name) + ": missing value";
            value = args[++i];
        }
        scan.given.push_back(row);
        if (*row->pair) {
            scan.pairs.emplace_back(row->pair, flag ? row->flagPair : value);
            continue;
        }
        const std::string error = TakeOwn(*row, value, scan, o);
        if (!error.empty())
            return error;
    }
    return "";
}

// The start state read into the options.
void TakeStart(const StartState& s, Options& o)
{
    o.v1 = s.v1;
    o.t1 = s.t1;
    o.p1 = s.p1;
    o.gas = s.gas;
    o.gamma = s.gamma;
    o.molarMass = s.molarMass;
    o.gammaText = s.gammaText;
    o.molarMassText = s.molarMassText;
    o.beta = s.beta;
    o.physics = s.physics;
    o.exactTheory = s.exactTheory.value_or(false);
    o.ticks = s.ticks;
    o.paused = s.paused.value_or(false);
    o.lang = s.language.value_or("");
    o.seed = s.seed;
    o.labels = s.labels.value_or(true);
}

// What is wrong with options each good on its own, or "".
std::string CheckTogether(const Scan& scan, const Options& o)
{
    const auto given = [&scan](const char* name) {
        for (const OptionRow* row : scan.given)
            if (std::string_view(row->name) == name)
                return true;
        return false;
    };
    // The wall is set one way at a time; the gas is chosen from the list or typed.
    std::vector<const char*> walls;
    for (const char* name : {"--wall", "--wall-point", "--beta"})
        if (given(name))
            walls.push_back(name);
    if (walls.size() > 1)
        return std::string(walls[0]) + " and " + walls[1] + " cannot be combined";
    if (o.gas && (o.gamma || o.molarMass))
        return std::string("--gas and ") + (o.gamma ? "--gamma" : "--molar-mass")
               + " cannot be combined";
    // Each mode takes the options that mean something to it; one it would ignore is refused.
    for (const OptionRow* row : scan.given)
        if (!(row->modes & Bit(o.mode)))
            return std::string(row->name) + ": only with " + ModesText(row->modes);
    return "";
}

} // namespace

const std::vector<OptionRow>& OptionTable() { return kTable; }

ParseResult ParseOptions(const std::vector<std::string>& args)
{
    ParseResult result;
    Scan scan;
    Options& o = result.options;
    const auto fail = [&result](std::string message) {
        result.error = std::move(message);
        result.options = Options();
        return result;
    };
    const std::string error = ScanArguments(args, scan, o);
    // The pairs the address also has, read by the core's reader.
    std::vector<StartProblem> problems;
    const StartState start = ReadStartPairs(scan.pairs, problems);
    result.language = start.language.value_or(""); // for the words of an error too
    if (!error.empty())
        return fail(error);
    if (scan.help) {
        result.options = Options();
        result.options.mode = M::Help;
        return result;
    }
    if (scan.wallProblem)
        problems.insert(problems.begin(), *scan.wallProblem);
    if (!problems.empty()) {
        // Named as the command line names it: beta is --beta, mu is --molar-mass.
        StartProblem problem = problems.front();
        for (const OptionRow& row : kTable)
            if (*row.pair && problem.values[0] == row.pair)
                problem.values[0] = row.name;
        result.problem = problem;
        return fail(StartProblemText(problem));
    }
    TakeStart(start, o);
    o.mode = scan.mode.value_or(M::Dialog);
    return CheckTogether(scan, o).empty() ? result : fail(CheckTogether(scan, o));
}

namespace {

// A start value as a usage text writes it ("450", "0.785375"), in any locale.
std::string Plain(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(10) << value;
    return out.str();
}

// A row's help with its values filled in.
std::string Filled(std::string text)
{
    const std::pair<const char*, std::string> values[] = {
        {"{width}", std::to_string(kStartValues.width)},
        {"{height}", std::to_string(kStartValues.height)},
        {"{maxSize}", std::to_string(kMaxPictureSize)},
        {"{ticks}", std::to_string(kMaxStartTicks)},
        {"{v1}", Plain(kStartValues.fieldV1)},
        {"{t1}", Plain(kStartValues.fieldT1)},
        {"{p1}", Plain(kStartValues.fieldP1)},
        {"{wall}", Plain(kStartValues.wallAngle)},
        {"{beta}", Plain(kStartValues.bodyAngle)},
        {"{gases}", StartGasCodes()},
        {"{languages}", StartLanguageCodes()},
    };
    for (const auto& [key, value] : values)
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key))
            text.replace(at, std::string(key).size(), value);
    return text;
}

// "  --name ARG" and its help, wrapped at 79 columns with the help from column 27.
std::string HelpLines(const OptionRow& row)
{
    constexpr size_t kColumn = 27, kWidth = 79;
    const std::string head = std::string("  ") + row.name
                             + (*row.alias ? std::string(", ") + row.alias : "")
                             + (*row.argument ? std::string(" ") + row.argument : "");
    // A long head stands on a line of its own.
    const bool own = head.size() + 1 >= kColumn;
    std::string out = own ? head + "\n" : "";
    std::string line = own ? std::string(kColumn, ' ')
                           : head + std::string(kColumn - head.size(), ' ');
    size_t words = 0;
    const std::string help = Filled(row.help);
    for (size_t at = 0; at < help.size();) {
        // A word ends at a space outside quotes ("100 000" stays on one line).
        size_t end = at;
        for (bool quoted = false; end < help.size() && (quoted || help[end] != ' '); ++end)
            quoted = help[end] == '"' ? !quoted : quoted;
        const std::string word = help.substr(at, end - at);
        if (words > 0 && line.size() + 1 + word.size() > kWidth) {
            out += line + "\n";
            line = std::string(kColumn, ' ');
            words = 0;
        }
        line += (words > 0 ? " " : "") + word;
        ++words;
        at = end + 1;
    }
    return out + line + "\n";
}

constexpr const char* kUsage =
    "Usage:\n"
    "  cornerflow [INPUTS] [WINDOW]      open the program's window\n"
    "  cornerflow --calc [INPUTS] [--probe X,Y]... [--size W,H]\n"
    "  cornerflow --snapshot FILE.png [--ticks N] [--seed S] [--no-labels] [--size W,H]\n"
    "             [--exact-theory] [INPUTS]\n"
    "  cornerflow --snapshot-window FILE.png [INPUTS] [WINDOW]\n"
    "  cornerflow --plot FILE.png [--probe X,Y] [--size W,H] [--lang CODE] [--no-labels]\n"
    "             [INPUTS]\n"
    "  cornerflow --profile-csv FILE.csv [INPUTS]\n"
    "  cornerflow --help | -h\n"
    "\n"
    "Supersonic flow round a convex corner: the expansion fan, the upstream and critical\n"
    "state and the flow state at points of the picture. Without a mode the window opens, on\n"
    "the start-up state or on the INPUTS given: its fields and labels are what --calc prints\n"
    "for the same INPUTS.\n";

constexpr const char* kValues =
    "X, Y, W and H are decimal integers. An option's value is the next argument or follows\n"
    "'=' (--v1=-450). The options that a link to the page also has (v1, t1, p1, beta, gas,\n"
    "gamma, mu for --molar-mass, physics, lang, paused, theory for --exact-theory, ticks,\n"
    "seed, labels=0 for --no-labels) are read by the same rules: a number is written whole\n"
    "(a point or a lone comma for the decimals, groups of three digits may be spaced), and a\n"
    "bad value is refused with the same words.\n";

constexpr const char* kDocument =
    "The --calc document has these sections:\n"
    "  physics   \"model\" or \"exact\": which flow the probes read (--physics)\n"
    "  inputs    v1, t1, p1 as read\n"
    "  read      for v1, t1 and p1: the text, the value read from it, and the note a\n"
    "            field shows beside a text not written as digits, one point and an\n"
    "            exponent (the value read; \"\" for a text in that form)\n"
    "  state     every flow quantity: inputs, gas constants, upstream and critical state,\n"
    "            Mach angle and the fan angles (SI units, angles in radians)\n"
    "  corner    wallAngle, separationAngle and the picture rectangle left, top, width,\n"
    "            height (the corner point is at left + width/2, top)\n"
    "  fields    the nine derived values as the window shows them\n"
    "  labels    beta, alpha and chi as drawn at the corner (alpha and chi are null when\n"
    "            there is no fan)\n"
    "  probes    per --probe: x, y; region, a code (1 upstream, 2 in the fan, 3 past\n"
    "            it, 0 none when the fan angles are not numbers) with its name beside it\n"
    "            (regionName: upstream, fan, downstream, none); phi, the point's polar\n"
    "            angle about the corner in radians (counter-clockwise from the oncoming\n"
    "            flow); T, P, rho, c, M, V0, V, Vphi, Vr and, under texts, the nine\n"
    "            texts the probe fields show. With --physics exact the exact flow's\n"
    "            values under the same keys, regionName one of upstream, fan,\n"
    "            downstream, vacuum (no gas: P, T, rho and c 0, M and V0 Infinity),\n"
    "            body and none (\"NaN\" values; none: a detached shock's region, or no\n"
    "            supersonic flow), region 1, 2, 3, 4, 5 and 0 for them\n"
    "  flow      the moving part of the picture: exitStepX, exitStepY (a tracer's step\n"
    "            past the fan, px), tracers (how many), and streamlines: for each of\n"
    "            the four, points (how many) with the first and last point [x, y]\n"
    "            (streamline 0 is never traced: 0 points and null ends)\n"
    "  theory    the exact isentropic (Prandtl-Meyer) expansion for the same inputs and\n"
    "            the same turn chi, to set beside the picture's simpler model: turnDegrees\n"
    "            (the turn used, at most what the gas can turn), maxTurnDegrees, nu1Degrees\n"
    "            and nu2Degrees (the Prandtl-Meyer function up- and downstream), mach2, p2,\n"
    "            t2, rho2, v2 (the state past the fan), lastCharacteristicAngle (the\n"
    "            downstream Mach line's polar angle, rad, as the state's angles); null\n"
    "            when the flow is not supersonic (sonic flow, M1 = 1, expands); when the\n"
    "            wall turns into the flow (beta above 180) an object with reason\n"
    "            \"intoTheFlow\" (a compression, not an expansion fan: no state past it),\n"
    "            turnDegrees (negative), maxTurnDegrees and nu1Degrees. Both objects\n"
    "            also carry the exact flow of the wall as it stands (turned by\n"
    "            pi/2 - wallAngle): kind (none, fan, fan-to-vacuum, shock, detached,\n"
    "            subsonic), largestTurnDegrees (nu_max - nu1), critical (T, P, rho, c, V0:\n"
    "            the isentropic critical state) and, for a wall turned into the flow,\n"
    "            maxDeflectionDegrees and, for an attached shock, shockAngleDegrees\n"
    "            with mach2, p2, t2, rho2 and v2, the state behind it\n"
    "  profile   the state through the fan against the polar angle phi round the corner\n"
    "            (counter-clockwise from the oncoming flow's direction, from the upstream\n"
    "            wall's, 180 deg, to the downstream wall's): units; upstream (M, P, T, rho,\n"
    "            V, the reference of every ratio); characteristics (modelFirst, modelLast,\n"
    "            exactFirst, exactLast, rad, and the same in degrees; \"NaN\" where there\n"
    "            is none); exactCase (expansion, notSupersonic, intoTheFlow); samples, each\n"
    "            with phi (rad), phiDegrees, model and exact (M, P, T, rho, V) and their\n"
    "            regions (modelRegion, exactRegion: upstream, fan, downstream, none). The\n"
    "            model's values are the probe read-out's at that angle\n"
    "Numbers that are not finite are written as the strings \"NaN\", \"Infinity\" and\n"
    "\"-Infinity\".\n"
    "\n"
    "Exit status: 0 on success, 1 when the output cannot be written, 2 for a bad command\n"
    "line.\n";

} // namespace

std::string HelpText()
{
    std::string text = kUsage;
    const char* section = nullptr;
    for (const OptionRow& row : kTable) {
        if (section != row.section) {
            section = row.section;
            text += std::string("\n") + section + "\n";
        }
        text += HelpLines(row);
    }
    return text + "\n" + kValues + "\n" + kDocument;
}
