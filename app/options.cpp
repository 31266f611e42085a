#include "app/options.h"

#include <cstdint>
#include <string_view>

#include "dialog/languages.h"
#include "draw/frame_buffer.h"
#include "model/gas.h"
#include "model/number_text.h"

namespace {

// The codes --lang takes, from the table of languages: "ru, en, de, es, zh".
std::string LanguageCodes()
{
    std::string codes;
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l)
        codes += std::string(codes.empty() ? "" : ", ") + l->code;
    return codes;
}

// The argument as it may be shown inside one line of an error message: printable ASCII and
// UTF-8 bytes pass, control characters are written as \xNN, and very long texts are cut.
std::string Quoted(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    constexpr size_t maxShown = 200;
    std::string out = "'";
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == maxShown) {
            out += "...";
            break;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += "'";
    return out;
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

enum class Kind {
    Flag,  // no value
    Value, // a value: the next argument, or after '='
};

struct OptionInfo {
    const char* name;
    Kind kind;
};

constexpr OptionInfo knownOptions[] = {
    {"--help", Kind::Flag},
    {"-h", Kind::Flag},
    {"--calc", Kind::Flag},
    {"--snapshot", Kind::Value},
    {"--snapshot-window", Kind::Value},
    {"--v1", Kind::Value},
    {"--t1", Kind::Value},
    {"--p1", Kind::Value},
    {"--wall", Kind::Value},
    {"--wall-point", Kind::Value},
    {"--probe", Kind::Value},
    {"--size", Kind::Value},
    {"--ticks", Kind::Value},
    {"--seed", Kind::Value},
    {"--beta", Kind::Value},
    {"--gas", Kind::Value},
    {"--gamma", Kind::Value},
    {"--molar-mass", Kind::Value},
    {"--lang", Kind::Value},
    {"--no-labels", Kind::Flag},
    {"--plot", Kind::Value},
    {"--profile-csv", Kind::Value},
    {"--exact-theory", Kind::Flag},
    {"--physics", Kind::Value},
    {"--paused", Kind::Flag},
};

const OptionInfo* FindOption(std::string_view name)
{
    for (const OptionInfo& o : knownOptions)
        if (name == o.name)
            return &o;
    return nullptr;
}

const char* ModeOption(Options::Mode mode)
{
    switch (mode) {
    case Options::Mode::Calc: return "--calc";
    case Options::Mode::Snapshot: return "--snapshot";
    case Options::Mode::SnapshotWindow: return "--snapshot-window";
    case Options::Mode::Plot: return "--plot";
    case Options::Mode::ProfileCsv: return "--profile-csv";
    default: return "";
    }
}

} // namespace

ParseResult ParseOptions(const std::vector<std::string>& args)
{
    ParseResult result;
    Options& o = result.options;
    bool help = false;
    bool modeSet = false;
    // The first of the options that some modes do not take, for the error.
    std::string firstProbe;  // --probe: the calculator's and the plot's
    std::string firstSize;   // --size: the calculator's, the picture snapshot's and the plot's
    std::string firstTicks;  // --ticks, --seed: the window's and the snapshots'
    std::string firstPaused; // --paused: the window's and its snapshot's
    bool wallGiven = false, wallPointGiven = false, betaGiven = false;

    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        result.options = Options();
        return result;
    };

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            return fail("unexpected argument " + Quoted(arg));

        std::string name = arg;
        std::string value;
        bool hasValue = false;
        if (arg.compare(0, 2, "--") == 0) {
            const size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
                hasValue = true;
            }
        }
        const OptionInfo* info = FindOption(name);
        if (!info)
            return fail("unknown option " + Quoted(name));

        if (info->kind == Kind::Flag) {
            if (hasValue)
                return fail(name + ": takes no value");
        } else if (!hasValue) {
            if (i + 1 >= args.size())
                return fail(name + ": missing value");
            value = args[++i];
        }

        if (name == "--help" || name == "-h") {
            help = true;
            continue;
        }
        if (name == "--lang") {
            if (!FindLanguage(value))
                return fail(name + ": expected one of " + LanguageCodes() + ", got "
                            + Quoted(value));
            o.lang = value;
            continue;
        }

        if (name == "--calc" || name == "--snapshot" || name == "--snapshot-window"
            || name == "--plot" || name == "--profile-csv") {
            const Options::Mode mode = name == "--calc"              ? Options::Mode::Calc
                                       : name == "--snapshot"        ? Options::Mode::Snapshot
                                       : name == "--snapshot-window" ? Options::Mode::SnapshotWindow
                                       : name == "--plot"            ? Options::Mode::Plot
                                                                     : Options::Mode::ProfileCsv;
            if (modeSet && o.mode != mode)
                return fail(name + ": cannot be combined with " + ModeOption(o.mode));
            if (mode != Options::Mode::Calc) {
                if (value.empty())
                    return fail(name + ": missing file name");
                o.file = value;
            }
            o.mode = mode;
            modeSet = true;
            continue;
        }

        if (name == "--v1") {
            o.v1 = value;
        } else if (name == "--t1") {
            o.t1 = value;
        } else if (name == "--p1") {
            o.p1 = value;
        } else if (name == "--wall") {
            o.wall = ReadNumber(value);
            wallGiven = true;
        } else if (name == "--gas") {
            if (!FindGas(value))
                return fail(name + ": expected one of " + GasCodes() + ", got " + Quoted(value));
            o.gas = value;
        } else if (name == "--gamma") {
            const double gamma = ReadNumber(value);
            if (!GammaInRange(gamma))
                return fail(name + ": expected a number above 1 and at most 5/3, got "
                            + Quoted(value));
            o.gamma = gamma;
        } else if (name == "--molar-mass") {
            const double molarMass = ReadNumber(value);
            if (!MolarMassInRange(molarMass))
                return fail(name + ": expected a number 1..1000 (g/mol), got " + Quoted(value));
            o.molarMass = molarMass;
        } else if (name == "--beta") {
            o.beta = ReadNumber(value);
            betaGiven = true;
        } else if (name == "--wall-point" || name == "--probe") {
            long long x = 0, y = 0;
            if (!ParsePair(value, INT32_MIN, INT32_MAX, x, y))
                return fail(name + ": expected X,Y (two integers), got " + Quoted(value));
            const PointArg point{static_cast<int>(x), static_cast<int>(y)};
            if (name == "--probe") {
                o.probes.push_back(point);
                if (firstProbe.empty())
                    firstProbe = name;
            } else {
                o.wallPoint = point;
                wallPointGiven = true;
            }
        } else if (name == "--size") {
            long long w = 0, h = 0;
            if (!ParsePair(value, 1, kMaxPictureSize, w, h))
                return fail(name + ": expected W,H (two integers 1.."
                            + std::to_string(kMaxPictureSize) + "), got " + Quoted(value));
            o.width = static_cast<int>(w);
            o.height = static_cast<int>(h);
            o.sizeGiven = true;
            if (firstSize.empty())
                firstSize = name;
        } else if (name == "--ticks") {
            long long n = 0;
            if (!ParseInteger(value, 0, 1000000, n))
                return fail(name + ": expected an integer 0..1000000, got " + Quoted(value));
            o.ticks = static_cast<int>(n);
            if (firstTicks.empty())
                firstTicks = name;
        } else if (name == "--no-labels") {
            o.labels = false;
        } else if (name == "--exact-theory") {
            o.exactTheory = true;
        } else if (name == "--physics") {
            if (value != PhysicsName(Physics::Model) && value != PhysicsName(Physics::Exact))
                return fail(name + ": expected model or exact, got " + Quoted(value));
            o.physics = value == PhysicsName(Physics::Exact) ? Physics::Exact : Physics::Model;
        } else if (name == "--paused") {
            o.paused = true;
            if (firstPaused.empty())
                firstPaused = name;
        } else if (name == "--seed") {
            long long s = 0;
            if (!ParseInteger(value, 0, 4294967295LL, s))
                return fail(name + ": expected an integer 0..4294967295, got " + Quoted(value));
            o.seed = static_cast<unsigned>(s);
            if (firstTicks.empty())
                firstTicks = name;
        }
    }

    if (help) {
        Options helpOnly;
        helpOnly.mode = Options::Mode::Help;
        result.options = helpOnly;
        return result;
    }
    // The wall is set one way at a time.
    std::vector<const char*> walls;
    if (wallGiven)
        walls.push_back("--wall");
    if (wallPointGiven)
        walls.push_back("--wall-point");
    if (betaGiven)
        walls.push_back("--beta");
    if (walls.size() > 1)
        return fail(std::string(walls[0]) + " and " + walls[1] + " cannot be combined");
    // The gas is chosen from the list or typed, one way at a time.
    if (o.gas && (o.gamma || o.molarMass))
        return fail(std::string("--gas and ") + (o.gamma ? "--gamma" : "--molar-mass")
                    + " cannot be combined");
    // Each mode takes the options that mean something to it; one it would ignore is refused.
    using M = Options::Mode;
    const M mode = o.mode;
    const bool window = mode == M::Dialog || mode == M::SnapshotWindow;
    if (!o.labels && mode != M::Snapshot && mode != M::Plot)
        return fail("--no-labels: only with --snapshot or --plot");
    if (o.exactTheory && !window && mode != M::Snapshot)
        return fail("--exact-theory: only with the window, --snapshot or --snapshot-window");
    if (o.physics && mode != M::Calc)
        return fail("--physics: only with --calc");
    if (!firstProbe.empty() && mode != M::Calc && mode != M::Plot)
        return fail(firstProbe + ": only with --calc or --plot");
    if (!firstSize.empty() && mode != M::Calc && mode != M::Snapshot && mode != M::Plot)
        return fail(firstSize
                    + ": only with --calc, --snapshot or --plot (the window's picture "
                      "is always "
                    + std::to_string(kStartValues.width) + "," + std::to_string(kStartValues.height)
                    + ")");
    if (!firstTicks.empty() && !window && mode != M::Snapshot)
        return fail(firstTicks + ": only with the window, --snapshot or --snapshot-window");
    if (!firstPaused.empty() && !window)
        return fail(firstPaused + ": only with the window or --snapshot-window");
    if (mode == M::Dialog && o.ticks > kMaxStartTicks)
        return fail("--ticks: at most " + std::to_string(kMaxStartTicks) + " for the window, got "
                    + std::to_string(o.ticks));
    return result;
}

std::string HelpText()
{
    const std::string width = std::to_string(kStartValues.width);
    const std::string height = std::to_string(kStartValues.height);
    return std::string(
               "Usage:\n"
               "  cornerflow [INPUTS] [WINDOW]      open the program's window\n"
               "  cornerflow --calc [INPUTS] [--probe X,Y]... [--size W,H]\n"
               "             [--physics model|exact]\n"
               "  cornerflow --snapshot FILE.png [--ticks N] [--seed S] [--no-labels] [--size "
               "W,H]\n"
               "             [--exact-theory] [INPUTS]\n"
               "  cornerflow --snapshot-window FILE.png [INPUTS] [WINDOW]\n"
               "  cornerflow --plot FILE.png [--probe X,Y] [--size W,H] [--lang CODE] "
               "[--no-labels]\n"
               "             [INPUTS]\n"
               "  cornerflow --profile-csv FILE.csv [INPUTS]\n"
               "  cornerflow --help | -h\n"
               "\n"
               "Supersonic flow round a convex corner: the expansion fan, the upstream and "
               "critical\n"
               "state and the flow state at points of the picture.\n"
               "\n"
               "Modes:\n"
               "  (none)                   open the window, on the start-up state or on the "
               "INPUTS\n"
               "                           given: its fields and labels are what --calc prints "
               "for\n"
               "                           the same INPUTS\n"
               "  --calc                   print the computed state as one JSON document on "
               "stdout\n"
               "  --snapshot FILE.png      write the picture as a PNG image\n"
               "  --snapshot-window FILE.png\n"
               "                           write the whole window as the same options open it, as "
               "a\n"
               "                           PNG image\n"
               "  --plot FILE.png          write the plot of the state through the fan (the model\n"
               "                           beside the exact theory against the direction from the\n"
               "                           corner) as a PNG image, ")
           + width + " x " + height
           + " unless --size is given;\n"
             "                           the first --probe X,Y puts its cursor at that point's\n"
             "                           direction, --lang CODE writes its words in that "
             "language,\n"
             "                           --no-labels leaves every word and number out (every\n"
             "                           other pixel as with them)\n"
             "  --profile-csv FILE.csv   write the profile section's samples as CSV: a header "
             "row,\n"
             "                           then phi in degrees and, for each of M, P (Pa), T (K),\n"
             "                           rho (kg/m^3) and V (m/s), the model's value and the "
             "exact\n"
             "                           theory's; '.' as the decimal point, ',' between columns,\n"
             "                           nan where the theory has no value\n"
             "  --help, -h               show this text\n"
             "\n"
             "Inputs (INPUTS, for every mode):\n"
             "  --v1 V                   upstream speed V1, m/s (default 450)\n"
             "  --t1 T                   upstream temperature T1, K (default 273)\n"
             "  --p1 P                   upstream pressure P1, Pa (default 100000)\n"
             "                           V, T and P are read as the input fields read them: the\n"
             "                           leading decimal number counts, the rest is ignored, text\n"
             "                           without a number reads 0. A lone comma is the decimal\n"
             "                           point (\"450,5\" reads 450.5) and spaces between groups\n"
             "                           of three digits are left out (\"100 000\" reads 100000).\n"
             "  --wall RAD               wall angle in radians from the downward vertical, "
             "positive\n"
             "                           downstream; pi/2 is a straight wall (default 0.785375)\n"
             "  --wall-point X,Y         turn the wall toward picture point X,Y as a mouse press\n"
             "                           there would\n"
             "  --beta DEG               the body angle beta in degrees, as the picture labels it\n"
             "                           (default 135); 180 is a straight wall, smaller angles\n"
             "                           turn the flow more. --wall, --wall-point and --beta\n"
             "                           cannot be combined.\n"
             "  --gas NAME               the gas: "
           + GasCodes()
           + "\n"
             "                           (default air: gamma 1.4, 28 g/mol)\n"
             "  --gamma G                another gas's ratio of specific heats, above 1 and at\n"
             "                           most 5/3 (default 1.4)\n"
             "  --molar-mass M           another gas's molar mass, 1..1000 g/mol (default 28).\n"
             "                           --gas cannot be combined with --gamma or --molar-mass.\n"
             "\n"
             "The window and its snapshot (WINDOW):\n"
             "  --lang CODE              the window's words in that language, one of\n"
             "                           "
           + LanguageCodes()
           + ";\n"
             "                           without it the window speaks the language last chosen in\n"
             "                           its menu, else the system's if the program speaks it,\n"
             "                           else Russian; --snapshot-window Russian\n"
             "  --paused                 the animation stands at start (Space on the picture or\n"
             "                           the menu's Pause starts it)\n"
             "  --exact-theory           the exact theory over the picture, as the menu's item\n"
             "  --ticks N                animation ticks of 50 ms run before the window shows or\n"
             "                           is written: 0..10000 for the window, 0..1000000 for\n"
             "                           --snapshot-window (default 0)\n"
             "  --seed S                 seed of the tracers' random generator, 0..4294967295\n"
             "                           (default: from the clock)\n"
             "\n"
             "Calculator, snapshot and plot options:\n"
             "  --size W,H               picture size in pixels, 1.."
           + std::to_string(kMaxPictureSize) + " each (default " + width + "," + height
           + "),\n"
             "                           for --calc, --snapshot and --plot\n"
             "  --probe X,Y              with --calc: read out the flow at picture point X,Y (may\n"
             "                           be repeated); with --plot, see above\n"
             "  --physics model|exact    with --calc: which flow the probes read, the program's\n"
             "                           model (the default) or the exact inviscid theory (a fan,\n"
             "                           a fan to vacuum past the largest turn, an oblique shock\n"
             "                           for a wall turned into the flow)\n"
             "  --exact-theory           with --snapshot: draw the exact theory over the picture:\n"
             "                           the exact last characteristic and the exact streamlines\n"
             "                           (dash-dot, violet)\n"
             "  --ticks N                with --snapshot: animation ticks of 50 ms before the\n"
             "                           picture is taken, 0..1000000 (default 0)\n"
             "  --seed S                 with --snapshot: as for the window\n"
             "  --no-labels              with --snapshot: the picture without its angle labels\n"
             "                           (beta, alpha, chi and delta-phi), every other pixel as\n"
             "                           with them; with --plot, see above\n"
             "\n"
             "X, Y, W and H are decimal integers. An option's value is the next argument or "
             "follows\n"
             "'=' (--v1=-450).\n"
             "\n"
             "The --calc document has these sections:\n"
             "  physics   \"model\" or \"exact\": which flow the probes read (--physics)\n"
             "  inputs    v1, t1, p1 as read\n"
             "  read      for v1, t1 and p1: the text, the value read from it, and the note a\n"
             "            field shows beside a text not written as digits, one point and an\n"
             "            exponent (the value read; \"\" for a text in that form)\n"
             "  state     every flow quantity: inputs, gas constants, upstream and critical "
             "state,\n"
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
             "            the same turn chi, to set beside the picture's simpler model: "
             "turnDegrees\n"
             "            (the turn used, at most what the gas can turn), maxTurnDegrees, "
             "nu1Degrees\n"
             "            and nu2Degrees (the Prandtl-Meyer function up- and downstream), mach2, "
             "p2,\n"
             "            t2, rho2, v2 (the state past the fan), lastCharacteristicAngle (the\n"
             "            downstream Mach line's polar angle, rad, as the state's angles); null\n"
             "            when the flow is not supersonic (sonic flow, M1 = 1, expands); when the\n"
             "            wall turns into the flow (beta above 180) an object with reason\n"
             "            \"intoTheFlow\" (a compression, not an expansion fan: no state past "
             "it),\n"
             "            turnDegrees (negative), maxTurnDegrees and nu1Degrees. Both objects\n"
             "            also carry the exact flow of the wall as it stands (turned by\n"
             "            pi/2 - wallAngle): kind (none, fan, fan-to-vacuum, shock, detached,\n"
             "            subsonic), largestTurnDegrees (nu_max - nu1), critical (T, P, rho, c, "
             "V0:\n"
             "            the isentropic critical state) and, for a wall turned into the flow,\n"
             "            maxDeflectionDegrees and, for an attached shock, shockAngleDegrees\n"
             "            with mach2, p2, t2, rho2 and v2, the state behind it\n"
             "  profile   the state through the fan against the polar angle phi round the corner\n"
             "            (counter-clockwise from the oncoming flow's direction, from the "
             "upstream\n"
             "            wall's, 180 deg, to the downstream wall's): units; upstream (M, P, T, "
             "rho,\n"
             "            V, the reference of every ratio); characteristics (modelFirst, "
             "modelLast,\n"
             "            exactFirst, exactLast, rad, and the same in degrees; \"NaN\" where "
             "there\n"
             "            is none); exactCase (expansion, notSupersonic, intoTheFlow); samples, "
             "each\n"
             "            with phi (rad), phiDegrees, model and exact (M, P, T, rho, V) and their\n"
             "            regions (modelRegion, exactRegion: upstream, fan, downstream, none). "
             "The\n"
             "            model's values are the probe read-out's at that angle\n"
             "Numbers that are not finite are written as the strings \"NaN\", \"Infinity\" and\n"
             "\"-Infinity\".\n"
             "\n"
             "Exit status: 0 on success, 1 when the output cannot be written, 2 for a bad command\n"
             "line.\n";
}
