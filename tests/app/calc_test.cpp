// The calculator's document.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include "app/calc.h"
#include "app/options.h"
#include "app/session_start.h"
#include "base/constants.h"
#include "dialog/flow_session.h"
#include "tests/support/start_up.h"

namespace {

QJsonObject Document(const std::vector<std::string>& args)
{
    std::vector<std::string> all{"--calc"};
    all.insert(all.end(), args.begin(), args.end());
    const ParseResult r = ParseOptions(all);
    EXPECT_EQ(r.error, "");
    return CalcDocument(r.options);
}

// The document as a reader of the program's output sees it.
QJsonObject Reparsed(const QJsonObject& doc)
{
    QJsonParseError error{};
    const QJsonDocument back = QJsonDocument::fromJson(
        QJsonDocument(doc).toJson(QJsonDocument::Compact), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_TRUE(back.isObject());
    return back.object();
}

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

double Num(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    EXPECT_TRUE(v.isDouble()) << key;
    return v.toDouble();
}

QString Str(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    EXPECT_TRUE(v.isString()) << key;
    return v.toString();
}

QStringList Keys(const QJsonObject& o)
{
    QStringList k = o.keys();
    k.sort();
    return k;
}

QStringList Sorted(QStringList k)
{
    k.sort();
    return k;
}

// Every null in the document, by path. Only the labels of a missing fan and the untraced
// streamline's points may be null: a number
// that is not finite must never come out as null.
void CollectNulls(const QJsonValue& v, const QString& path, QStringList& nulls)
{
    if (v.isNull())
        nulls << path;
    else if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            CollectNulls(it.value(), path + "/" + it.key(), nulls);
    } else if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (int i = 0; i < a.size(); ++i)
            CollectNulls(a[i], path + "/" + QString::number(i), nulls);
    }
}

TEST(JsonNumber, NonFiniteNumbersAreStrings)
{
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), QJsonValue(Q("NaN")));
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), QJsonValue(Q("Infinity")));
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), QJsonValue(Q("-Infinity")));
    EXPECT_TRUE(JsonNumber(1.5).isDouble());
    EXPECT_EQ(JsonNumber(1.5).toDouble(), 1.5);
    EXPECT_EQ(JsonNumber(-1e300).toDouble(), -1e300);
    EXPECT_EQ(JsonNumber(5e-324).toDouble(), 5e-324);
}

TEST(CalcDocument, SectionsAndKeys)
{
    const QJsonObject doc = Document({"--probe", "1,1"});
    EXPECT_EQ(Keys(doc), Sorted({"physics", "inputs", "read", "state", "corner", "fields", "labels",
                                 "probes", "flow", "theory", "profile"}));
    EXPECT_EQ(Str(doc, "physics"), Q("model"));
    EXPECT_EQ(Keys(doc["flow"].toObject()),
              Sorted({"exitStepX", "exitStepY", "tracers", "streamlines"}));
    EXPECT_EQ(Keys(doc["flow"]["streamlines"][1].toObject()), Sorted({"points", "first", "last"}));
    EXPECT_EQ(Keys(doc["inputs"].toObject()), Sorted({"v1", "t1", "p1"}));
    EXPECT_EQ(Keys(doc["state"].toObject()),
              Sorted({"v1",          "t1",         "p1",           "gamma",       "molarMass",
                      "rho1",        "c1",         "mach1",        "vol1",        "k2",
                      "k",           "machAngle",  "critSpeed",    "critTemp",    "critPressure",
                      "critDensity", "critVolume", "maxTurnAngle", "fullFanSpan", "sonicLineAngle",
                      "fanEndAngle"}));
    EXPECT_EQ(Keys(doc["corner"].toObject()),
              Sorted({"wallAngle", "separationAngle", "left", "top", "width", "height"}));
    EXPECT_EQ(Keys(doc["fields"].toObject()),
              Sorted({"rho1", "c1", "vol1", "mach1", "critSpeed", "critTemp", "critPressure",
                      "critDensity", "critVolume"}));
    EXPECT_EQ(Keys(doc["labels"].toObject()), Sorted({"beta", "alpha", "chi"}));
    const QJsonObject probe = doc["probes"].toArray()[0].toObject();
    const QStringList values{"T", "P", "rho", "c", "M", "V0", "V", "Vphi", "Vr"};
    EXPECT_EQ(Keys(probe),
              Sorted(values + QStringList{"x", "y", "region", "regionName", "phi", "texts"}));
    EXPECT_EQ(Keys(probe["texts"].toObject()), Sorted(values));
    EXPECT_TRUE(Document({})["probes"].toArray().isEmpty());
}

// The check: the start-up state and three probes, one in each region.
TEST(CalcDocument, StartUpWithThreeProbes)
{
    const QJsonObject doc = Reparsed(
        Document({"--probe", "100,100", "--probe", "600,180", "--probe", "400,100"}));

    const QJsonObject in = doc["inputs"].toObject();
    EXPECT_EQ(Num(in, "v1"), 450.0);
    EXPECT_EQ(Num(in, "t1"), 273.0);
    EXPECT_EQ(Num(in, "p1"), 100000.0);

    const QJsonObject s = doc["state"].toObject();
    EXPECT_EQ(Num(s, "gamma"), 1.4);
    EXPECT_EQ(Num(s, "molarMass"), 28.0);
    EXPECT_NEAR(Num(s, "rho1"), 1.233631, 0.5e-6);
    EXPECT_NEAR(Num(s, "c1"), 336.8770, 0.5e-4);
    EXPECT_NEAR(Num(s, "mach1"), 1.335799, 0.5e-6);
    EXPECT_NEAR(Num(s, "vol1"), 0.810615, 0.5e-6);
    EXPECT_NEAR(Num(s, "k"), 0.408248, 0.5e-6);
    EXPECT_NEAR(Num(s, "machAngle"), 0.845971, 0.5e-6);
    EXPECT_NEAR(Num(s, "critSpeed"), 358.2203, 0.5e-4);
    EXPECT_NEAR(Num(s, "critTemp"), 308.6884, 0.5e-4);
    EXPECT_NEAR(Num(s, "critPressure"), 124579.28, 0.5e-2);
    EXPECT_NEAR(Num(s, "critDensity"), 1.443314, 0.5e-6);
    EXPECT_NEAR(Num(s, "critVolume"), 0.692850, 0.5e-6);
    EXPECT_NEAR(Num(s, "maxTurnAngle"), 2.276853, 0.5e-6);
    EXPECT_NEAR(Num(s, "fullFanSpan"), 3.847649, 0.5e-6);
    EXPECT_NEAR(Num(s, "sonicLineAngle"), 1.695790, 0.5e-6);
    EXPECT_NEAR(Num(s, "fanEndAngle"), 0.310585, 0.5e-6);

    const QJsonObject c = doc["corner"].toObject();
    EXPECT_EQ(Num(c, "wallAngle"), start::kWall);
    EXPECT_EQ(Num(c, "separationAngle"), 0.0);
    EXPECT_EQ(c["left"].toInt(-1), 0);
    EXPECT_EQ(c["top"].toInt(-1), 192);
    EXPECT_EQ(c["width"].toInt(-1), start::kWidth);
    EXPECT_EQ(c["height"].toInt(-1), 384);

    // The four-character rule applied to the values above.
    const QJsonObject f = doc["fields"].toObject();
    EXPECT_EQ(Str(f, "rho1"), "1.234");
    EXPECT_EQ(Str(f, "c1"), "336.9");
    EXPECT_EQ(Str(f, "vol1"), "0.811");
    EXPECT_EQ(Str(f, "mach1"), "1.336");
    EXPECT_EQ(Str(f, "critSpeed"), "358.2");
    EXPECT_EQ(Str(f, "critTemp"), "308.7");
    EXPECT_EQ(Str(f, "critPressure"), "124579");
    EXPECT_EQ(Str(f, "critDensity"), "1.443");
    EXPECT_EQ(Str(f, "critVolume"), "0.693");

    const QJsonObject l = doc["labels"].toObject();
    EXPECT_EQ(Str(l, "beta"), Q("\u03B2=135"));
    EXPECT_EQ(Str(l, "alpha"), Q("\u03B1=48"));
    EXPECT_EQ(Str(l, "chi"), Q("\u03C7=45, \u0394\u03C6=31"));

    const QJsonArray probes = doc["probes"].toArray();
    ASSERT_EQ(probes.size(), 3);

    // Up and to the left of the corner (311, 192): upstream.
    const QJsonObject p1 = probes[0].toObject();
    EXPECT_EQ(p1["x"].toInt(), 100);
    EXPECT_EQ(p1["y"].toInt(), 100);
    EXPECT_EQ(p1["region"].toInt(), 1);
    EXPECT_NEAR(Num(p1, "phi"), std::atan2(92.0, -211.0), 1e-12);
    EXPECT_EQ(p1["regionName"].toString(), "upstream");
    EXPECT_EQ(Num(p1, "T"), 273.0);
    EXPECT_EQ(Num(p1, "P"), 100000.0);
    EXPECT_NEAR(Num(p1, "rho"), 1.233631, 0.5e-6);
    EXPECT_NEAR(Num(p1, "c"), 336.877, 0.5e-3);
    EXPECT_NEAR(Num(p1, "M"), 1.335799, 0.5e-6);
    EXPECT_NEAR(Num(p1, "V0"), 0.810615, 0.5e-6);
    EXPECT_EQ(Num(p1, "V"), 450.0);
    EXPECT_EQ(Num(p1, "Vphi"), 450.0);
    EXPECT_EQ(Num(p1, "Vr"), 0.0);
    const QJsonObject t1 = p1["texts"].toObject();
    EXPECT_EQ(Str(t1, "T"), "273.0");
    EXPECT_EQ(Str(t1, "P"), "100000");
    EXPECT_EQ(Str(t1, "rho"), "1.234");
    EXPECT_EQ(Str(t1, "c"), "336.9");
    EXPECT_EQ(Str(t1, "M"), "1.336");
    EXPECT_EQ(Str(t1, "V0"), "0.811");
    EXPECT_EQ(Str(t1, "V"), "450.0");
    EXPECT_EQ(Str(t1, "Vphi"), "450.0");
    EXPECT_EQ(Str(t1, "Vr"), "0.000");

    // Right of the corner, just above the wall's level: past the fan.
    const QJsonObject p2 = probes[1].toObject();
    EXPECT_EQ(p2["region"].toInt(), 3);
    EXPECT_NEAR(Num(p2, "phi"), std::atan(12.0 / 289.0), 1e-12);
    EXPECT_NEAR(Num(p2, "P"), 84488.5, 0.05);
    EXPECT_NEAR(Num(p2, "T"), 260.164, 0.5e-3);
    EXPECT_NEAR(Num(p2, "rho"), 1.0937, 0.5e-4);
    EXPECT_NEAR(Num(p2, "V"), 500.105, 0.5e-3);
    EXPECT_NEAR(Num(p2, "c"), 328.862, 0.5e-3);
    EXPECT_NEAR(Num(p2, "M"), 1.5207, 0.5e-4);
    EXPECT_NEAR(Num(p2, "V0"), 0.9143, 0.5e-4);
    EXPECT_NEAR(Num(p2, "Vphi"), 439.294, 0.5e-3);
    EXPECT_NEAR(Num(p2, "Vr"), 239.010, 0.5e-3);
    const QJsonObject t2 = p2["texts"].toObject();
    EXPECT_EQ(Str(t2, "T"), "260.2");
    EXPECT_EQ(Str(t2, "V"), "500.1");
    EXPECT_EQ(Str(t2, "M"), "1.521");
    EXPECT_EQ(Str(t2, "Vr"), "239.0");

    // Up and to the right at atan(92/89), about 0.802 rad: inside the fan.
    const QJsonObject p3 = probes[2].toObject();
    EXPECT_EQ(p3["region"].toInt(), 2);
    const double phi3 = std::atan(92.0 / 89.0);
    EXPECT_NEAR(Num(p3, "phi"), phi3, 1e-12);
    EXPECT_EQ(p3["regionName"].toString(), "fan");
    const double P3 = Num(p3, "P");
    EXPECT_LT(P3, 100000.0);
    EXPECT_GT(P3, 84488.5);
    // The depth behind the first characteristic is the angle's, read out at 1e-5 rad.
    const double depth = std::acos(Num(p3, "Vphi") / 450.0) / Num(s, "k");
    EXPECT_NEAR(depth, Num(s, "machAngle") - static_cast<int>(phi3 * 100000.0) * 1e-5, 1e-9);
    EXPECT_NEAR(Num(p3, "M"), Num(p3, "V") / Num(p3, "c"), 1e-12);
}

TEST(CalcDocument, SizeAndWall)
{
    const QJsonObject sized = Document({"--size", "800,601", "--probe", "400,300"});
    const QJsonObject c = sized["corner"].toObject();
    EXPECT_EQ(c["top"].toInt(), 300);
    EXPECT_EQ(c["width"].toInt(), 800);
    EXPECT_EQ(c["height"].toInt(), 601);
    const QJsonObject atCorner = sized["probes"].toArray()[0].toObject();
    EXPECT_NEAR(Num(atCorner, "phi"), M_PI / 2, 1e-15);
    EXPECT_EQ(atCorner["region"].toInt(), 1);

    // Straight below the corner (311, 192): the wall turns by a right angle.
    const QJsonObject down = Document({"--wall-point", "311,500"});
    EXPECT_EQ(Num(down["corner"].toObject(), "wallAngle"), 0.0);
    EXPECT_NEAR(Num(down["state"].toObject(), "fanEndAngle"), -0.224770, 0.5e-6);
    EXPECT_EQ(Str(down["labels"].toObject(), "beta"), Q("\u03B2=90"));

    // Up and to the left changes nothing.
    const QJsonObject left = Document({"--wall-point=10,10"});
    EXPECT_EQ(Num(left["corner"].toObject(), "wallAngle"), start::kWall);

    // Turned past the largest turning angle.
    const QJsonObject far = Document({"--wall", "-1"});
    EXPECT_EQ(Num(far["corner"].toObject(), "wallAngle"), -1.0);
    EXPECT_NEAR(Num(far["corner"].toObject(), "separationAngle"), -2.276853, 0.5e-6);
    EXPECT_NEAR(Num(far["state"].toObject(), "fanEndAngle"), -0.706057, 0.5e-6);
    EXPECT_TRUE(Str(far["labels"].toObject(), "chi").startsWith(Q("\u03C7=130, ")));

    // Extreme points and angles are not a fault.
    const QJsonObject extreme = Reparsed(
        Document({"--wall-point", "2147483647,-2147483648", "--probe", "-2147483648,2147483647"}));
    EXPECT_LT(Num(extreme["corner"].toObject(), "wallAngle"), M_PI / 2);
    const QJsonObject infWall = Reparsed(Document({"--wall", "1e999", "--probe", "1,1"}));
    EXPECT_EQ(Str(infWall["corner"].toObject(), "wallAngle"), "Infinity");
}

TEST(CalcDocument, InputsReadAsTheFieldsRead)
{
    const QJsonObject doc = Document({"--v1", "500abc", "--t1", "2.8e2", "--p1", "1,5"});
    const QJsonObject in = doc["inputs"].toObject();
    EXPECT_EQ(Num(in, "v1"), 500.0);
    EXPECT_EQ(Num(in, "t1"), 280.0);
    EXPECT_EQ(Num(in, "p1"), 1.5);
    EXPECT_EQ(Num(doc["state"].toObject(), "p1"), 1.5);

    // T1 = 300 gives the constructed state's values.
    const QJsonObject warm = Document({"--t1", "300"})["state"].toObject();
    EXPECT_NEAR(Num(warm, "rho1"), 1.122604, 0.5e-6);
    EXPECT_NEAR(Num(warm, "c1"), 353.1430, 0.5e-4);
    EXPECT_NEAR(Num(warm, "critPressure"), 119844.05, 0.5e-2);
}

struct BadInput {
    std::vector<std::string> args;
    const char* key;      // a state value that is not finite
    const char* expected; // its string
    bool fan;             // whether alpha and chi are drawn
};

TEST(CalcDocument, InputsWithoutAFan)
{
    const BadInput cases[] = {
        {{"--v1", "200"}, "machAngle", "NaN", false},
        {{"--v1", "0"}, "machAngle", "NaN", false},
        {{"--v1", "abc"}, "machAngle", "NaN", false},
        {{"--t1", "0"}, "rho1", "Infinity", true},
        {{"--t1", "0"}, "mach1", "Infinity", true},
        {{"--p1", "0"}, "vol1", "Infinity", true},
        {{"--p1", "-5"}, "critPressure", "NaN", true},
        {{"--v1", "1e999"}, "v1", "Infinity", true},
        {{"--v1", "-1e999"}, "v1", "-Infinity", true},
        // A flow against the picture's direction: a negative Mach angle, clamped fan, no
        // fan drawn.
        {{"--v1", "-450"}, nullptr, nullptr, false},
    };
    for (const BadInput& b : cases) {
        SCOPED_TRACE(b.args[0] + " " + b.args[1] + " " + (b.key ? b.key : ""));
        std::vector<std::string> args = b.args;
        args.insert(args.end(), {"--probe", "100,100", "--probe", "400,100", "--probe", "600,300"});
        const QJsonObject doc = Reparsed(Document(args));
        const QJsonObject s = doc["state"].toObject();
        if (b.key) {
            EXPECT_EQ(Str(s, b.key), b.expected);
        }

        const QJsonObject l = doc["labels"].toObject();
        EXPECT_TRUE(l["beta"].isString());
        EXPECT_EQ(l["alpha"].isNull(), !b.fan);
        EXPECT_EQ(l["chi"].isNull(), !b.fan);
        EXPECT_EQ(l["alpha"].isString(), b.fan);

        QStringList nulls;
        CollectNulls(doc, "", nulls);
        // Streamline 0 is never traced, so it has no first and last point.
        QStringList allowed{"/flow/streamlines/0/first", "/flow/streamlines/0/last"};
        if (!b.fan)
            allowed << "/labels/alpha"
                    << "/labels/chi";
        // No fan, no expansion to compare with.
        if (!b.fan) {
            EXPECT_TRUE(doc["theory"].isNull());
        }
        if (doc["theory"].isNull())
            allowed << "/theory";
        allowed = Sorted(allowed);
        EXPECT_EQ(Sorted(nulls), allowed) << nulls.join(' ').toStdString();

        // Every value is a number or one of the three strings.
        for (const QString& key : s.keys()) {
            const QJsonValue v = s[key];
            EXPECT_TRUE(v.isDouble() || v == Q("NaN") || v == Q("Infinity") || v == Q("-Infinity"))
                << key.toStdString();
        }
    }

    // A subsonic flow has no regions; the probes show the upstream state.
    const QJsonObject sub = Document({"--v1", "200", "--probe", "400,100"});
    const QJsonObject p = sub["probes"].toArray()[0].toObject();
    const int region = p["region"].toInt();
    EXPECT_TRUE(region != 1 && region != 2 && region != 3) << region;
    EXPECT_EQ(Num(p, "V"), 200.0);
    EXPECT_EQ(Num(p, "P"), 100000.0);
    EXPECT_EQ(Str(sub["state"].toObject(), "fanEndAngle"), "NaN");
    EXPECT_EQ(Str(sub["state"].toObject(), "sonicLineAngle"), "NaN");
    EXPECT_EQ(Num(sub["corner"].toObject(), "separationAngle"), 0.0);

    // T1 = 0: the speed of sound is 0 and the Mach angle 0, as the formulas give.
    const QJsonObject cold = Document({"--t1", "0"});
    EXPECT_EQ(Num(cold["state"].toObject(), "c1"), 0.0);
    EXPECT_EQ(Num(cold["state"].toObject(), "machAngle"), 0.0);
    EXPECT_EQ(Str(cold["fields"].toObject(), "rho1"), "inf");
}

// Doubles come back from the written text exactly, in their shortest form.
TEST(CalcDocument, NumbersRoundTrip)
{
    Options o;
    o.mode = Options::Mode::Calc;
    o.t1 = "287.123456789";
    o.probes = {{123, 45}, {500, 150}};
    FlowSession session;
    session.Open(o.width, o.height, 0);
    ApplyOptions(session, o);
    const FlowState& fs = session.State();

    const QJsonObject doc = CalcDocument(o);
    const QByteArray text = QJsonDocument(doc).toJson(QJsonDocument::Compact);
    const QJsonObject back = QJsonDocument::fromJson(text).object();
    const QJsonObject s = back["state"].toObject();
    const std::pair<const char*, double> fields[] = {
        {"t1", fs.t1},
        {"rho1", fs.rho1},
        {"c1", fs.c1},
        {"mach1", fs.mach1},
        {"vol1", fs.vol1},
        {"k2", fs.k2},
        {"k", fs.k},
        {"machAngle", fs.machAngle},
        {"critSpeed", fs.critSpeed},
        {"critTemp", fs.critTemp},
        {"critPressure", fs.critPressure},
        {"critDensity", fs.critDensity},
        {"critVolume", fs.critVolume},
        {"maxTurnAngle", fs.maxTurnAngle},
        {"fullFanSpan", fs.fullFanSpan},
        {"sonicLineAngle", fs.sonicLineAngle},
        {"fanEndAngle", fs.fanEndAngle},
    };
    for (const auto& f : fields)
        EXPECT_EQ(Num(s, f.first), f.second) << f.first;
    EXPECT_EQ(Num(back["corner"].toObject(), "wallAngle"), start::kWall);

    // Shortest form: the inputs and constants are written as typed.
    EXPECT_TRUE(text.contains("\"gamma\":1.4")) << text.constData();
    EXPECT_TRUE(text.contains("\"t1\":287.123456789"));
    EXPECT_TRUE(text.contains("\"wallAngle\":0.785375"));
    EXPECT_TRUE(text.contains("\"p1\":100000"));
    // The only nulls are the untraced streamline's first and last points.
    EXPECT_EQ(text.count("null"), 2);
}

} // namespace

TEST(CalcDocument, FlowSection)
{
    // Start-up: 100000 Pa gives 5000 tracers; streamline 0 is never traced; 1 to 3 start at the
    // left edge H/6, 4H/15 and 11H/30 above the wall and end past the right or bottom limit.
    const QJsonObject flow = Reparsed(Document({}))["flow"].toObject();
    EXPECT_EQ(flow["tracers"].toInt(), 5000);
    const QJsonArray lines = flow["streamlines"].toArray();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].toObject()["points"].toInt(), 0);
    EXPECT_TRUE(lines[0].toObject()["first"].isNull());
    const int startY[] = {-64, -102, -140};
    for (int i = 1; i <= 3; ++i) {
        const QJsonObject line = lines[i].toObject();
        EXPECT_GT(line["points"].toInt(), 3) << i; // start, entry, points in the fan, end
        const QJsonArray first = line["first"].toArray();
        EXPECT_EQ(first[0].toDouble(), -311.0) << i;
        EXPECT_EQ(first[1].toDouble(), startY[i - 1]) << i;
        const QJsonArray last = line["last"].toArray();
        EXPECT_TRUE(last[0].toDouble() >= 622.0 || last[1].toDouble() >= 384.0) << i;
    }
    // Past the fan the flow moves down and to the right, faster than upstream (0.005*450).
    const double sx = flow["exitStepX"].toDouble(), sy = flow["exitStepY"].toDouble();
    EXPECT_GT(sx, 0.0);
    EXPECT_GT(sy, 0.0);
    EXPECT_GT(std::hypot(sx, sy), 2.25);

    // Subsonic: no fan, so no probe: the exit step is the upstream step (0.005*v1, 0).
    const QJsonObject sub = Reparsed(Document({"--v1", "200"}))["flow"].toObject();
    EXPECT_DOUBLE_EQ(sub["exitStepX"].toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(sub["exitStepY"].toDouble(), 0.0);

    // The population is capped, and never negative.
    EXPECT_EQ(Document({"--p1", "1e12"})["flow"].toObject()["tracers"].toInt(), 100000);
    EXPECT_EQ(Document({"--p1", "-5"})["flow"].toObject()["tracers"].toInt(), 0);
    EXPECT_EQ(Document({"--p1", "1e999"})["flow"].toObject()["tracers"].toInt(), 0);

    // A tracer that never moves (V1 = 0) still gives a finished document.
    const QJsonObject still = Reparsed(Document({"--v1", "0"}))["flow"].toObject();
    EXPECT_EQ(still["streamlines"].toArray()[1].toObject()["points"].toInt(), 3);
}

// The theory section against published Prandtl-Meyer values (gamma 1.4): nu(2) = 26.380 deg,
// nu(3) = 49.757 deg, the largest turn 130.45 deg; a straight wall gives the upstream state.
TEST(CalcDocument, TheoryMatchesPublishedTables)
{
    const double c1 = Num(Document({})["state"].toObject(), "c1");
    const struct {
        double mach, nu;
    } cases[] = {{2.0, 26.380}, {3.0, 49.757}};
    for (const auto& c : cases) {
        char v1[64];
        std::snprintf(v1, sizeof v1, "%.17g", c.mach * c1);
        const QJsonObject doc = Document({"--v1", v1, "--beta", "180"});
        const QJsonObject t = doc["theory"].toObject();
        const QJsonObject s = doc["state"].toObject();
        EXPECT_NEAR(Num(t, "nu1Degrees"), c.nu, 0.0005) << c.mach;
        EXPECT_NEAR(Num(t, "maxTurnDegrees"), 130.45, 0.005);
        // A straight wall turns nothing: the state past the fan is the upstream state.
        EXPECT_EQ(Num(t, "turnDegrees"), 0.0);
        EXPECT_EQ(Num(t, "mach2"), Num(s, "mach1"));
        EXPECT_EQ(Num(t, "p2"), Num(s, "p1"));
        EXPECT_EQ(Num(t, "t2"), Num(s, "t1"));
        EXPECT_EQ(Num(t, "v2"), Num(s, "v1"));
        EXPECT_EQ(Num(t, "lastCharacteristicAngle"), Num(s, "machAngle"));
    }
    // The start-up turn of 45 deg: nu2 = nu1 + 45 and the gas expands.
    const QJsonObject t = Document({})["theory"].toObject();
    EXPECT_NEAR(Num(t, "nu2Degrees") - Num(t, "nu1Degrees"), Num(t, "turnDegrees"), 1e-9);
    EXPECT_NEAR(Num(t, "turnDegrees"), 45.0, 0.01);
    EXPECT_LT(Num(t, "p2"), 100000.0);
    EXPECT_GT(Num(t, "mach2"), 3.0);
}

// Every input's text and what was read from it, with the note a field shows when the text is
// not in the program's own form, as the fields read them.
TEST(CalcDocument, ReadSectionGivesTheTextAndTheValueRead)
{
    const struct {
        const char* text;
        double value;
        const char* note;
    } cases[] = {
        {"450,5", 450.5, "450.5"}, {"100 000", 100000.0, "100000"}, {"4,5e2", 450.0, "450"},
        {"100,000", 100.0, "100"}, {"450abc", 450.0, "450"},        {"abc", 0.0, "0"},
        {"450", 450.0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QJsonObject doc = Document({"--v1", c.text});
        const QJsonObject v1 = doc["read"].toObject()["v1"].toObject();
        EXPECT_EQ(v1["text"].toString(), QString::fromUtf8(c.text));
        EXPECT_EQ(v1["value"].toDouble(), c.value);
        EXPECT_EQ(v1["note"].toString(), QString::fromUtf8(c.note));
        EXPECT_EQ(Num(doc["inputs"].toObject(), "v1"), c.value);
        EXPECT_EQ(doc["read"].toObject()["t1"].toObject()["note"].toString(), QString());
    }
}

// The theory section at the numbers' edges: a wall turned into the flow gives the reason there
// is no expansion instead of the upstream state passed off as one; sonic flow (V1 = c1 at
// 273 K) expands from nu1 = 0 as the picture's fan does.
TEST(CalcDocument, TheoryAtTheEdges)
{
    for (const std::vector<std::string>& wall :
         {std::vector<std::string>{"--beta", "190"}, {"--wall", "2"}}) {
        const QJsonObject doc = Reparsed(Document(wall));
        const QJsonObject t = doc["theory"].toObject();
        EXPECT_EQ(Str(t, "reason"), Q("intoTheFlow"));
        EXPECT_LT(Num(t, "turnDegrees"), 0.0);
        EXPECT_FALSE(t.contains("mach2"));
        EXPECT_FALSE(t.contains("p2"));
        EXPECT_EQ(Str(doc["profile"].toObject(), "exactCase"), Q("intoTheFlow"));
    }
    const QJsonObject sonic = Reparsed(Document({"--v1", "336.87698051365874"}));
    ASSERT_EQ(Num(sonic["state"].toObject(), "mach1"), 1.0);
    ASSERT_TRUE(sonic["labels"].toObject()["chi"].isString()) << "the picture has a fan";
    const QJsonObject t = sonic["theory"].toObject();
    EXPECT_EQ(Num(t, "nu1Degrees"), 0.0);
    EXPECT_NEAR(Num(t, "nu2Degrees"), Num(t, "turnDegrees"), 1e-9);
    EXPECT_GT(Num(t, "mach2"), 1.0);
    EXPECT_LT(Num(t, "p2"), 100000.0);
}

// The profile section: its samples run from the upstream wall to the downstream wall, and at
// and past the exact last characteristic the exact state is the theory section's.
TEST(CalcDocument, ProfileSection)
{
    const QJsonObject doc = Reparsed(Document({}));
    const QJsonObject p = doc["profile"].toObject();
    EXPECT_EQ(Keys(p), Sorted({"units", "upstream", "characteristics", "exactCase", "samples"}));
    EXPECT_EQ(Str(p, "exactCase"), Q("expansion"));
    const QJsonObject c = p["characteristics"].toObject();
    EXPECT_EQ(Num(c, "exactLast"), Num(doc["theory"].toObject(), "lastCharacteristicAngle"));
    EXPECT_EQ(Num(c, "modelFirst"), Num(doc["state"].toObject(), "machAngle"));
    EXPECT_EQ(Num(c, "modelLast"), Num(doc["state"].toObject(), "fanEndAngle"));
    const QJsonArray samples = p["samples"].toArray();
    ASSERT_GT(samples.size(), 100);
    const QJsonObject first = samples.first().toObject();
    const QJsonObject last = samples.last().toObject();
    EXPECT_EQ(Num(first, "phiDegrees"), 180.0);
    EXPECT_NEAR(Num(last, "phiDegrees"), -45.0, 0.01);
    EXPECT_EQ(Str(last, "exactRegion"), Q("downstream"));
    EXPECT_EQ(Num(last["exact"].toObject(), "P"), Num(doc["theory"].toObject(), "p2"));
    EXPECT_EQ(Num(last["exact"].toObject(), "M"), Num(doc["theory"].toObject(), "mach2"));
    EXPECT_EQ(Str(last, "modelRegion"), Q("downstream"));
    EXPECT_NEAR(Num(last["model"].toObject(), "P"), 84489, 0.5);
}

// Another gas: the inputs name it (air's document has no gas keys, as it always had none), and
// the state follows it exactly.
TEST(CalcDocument, TheGas)
{
    const QJsonObject he = Document({"--gas", "he"});
    EXPECT_EQ(Keys(he["inputs"].toObject()),
              Sorted({"v1", "t1", "p1", "gas", "gamma", "molarMass"}));
    EXPECT_EQ(he["inputs"]["gas"].toString(), "he");
    EXPECT_EQ(he["state"]["gamma"].toDouble(), 5.0 / 3.0);
    EXPECT_EQ(he["inputs"]["molarMass"].toDouble(), 4.0026);
    // Published: the speed of sound in helium at 273 K is 972 m/s; a monatomic gas turns
    // through at most 90 degrees.
    EXPECT_NEAR(he["state"]["c1"].toDouble(), 972.0, 0.5);
    EXPECT_NEAR(he["state"]["maxTurnAngle"].toDouble(), M_PI / 2, 1e-12);

    const QJsonObject typed = Document({"--gamma", "1.3", "--molar-mass", "44"});
    EXPECT_EQ(typed["inputs"]["gas"].toString(), "other");
    EXPECT_EQ(typed["state"]["gamma"].toDouble(), 1.3);
    EXPECT_EQ(typed["state"]["molarMass"].toDouble(), 44.0);
    const double c1 = std::sqrt(1.3 * 8314.462618 / 44.0 * 273.0);
    EXPECT_NEAR(typed["state"]["c1"].toDouble(), c1, 1e-3 * c1);
    // Only gamma given: air's molar mass stays.
    const QJsonObject gammaOnly = Document({"--gamma", "1.1"});
    EXPECT_EQ(gammaOnly["state"]["molarMass"].toDouble(), 28.0);
}

// The exact flow in the document: with --physics exact the probes read it under the model's
// keys, the oncoming flow as the model reads it; behind an attached shock the probe reads the
// theory section's state, which keeps the mass flux across the shock; a detached shock and a
// fan to vacuum are named, and the critical state is the isentropic one.
TEST(CalcDocument, ExactPhysics)
{
    // Upstream; in the fan (behind the shock below); in the body; upstream; past the fan; in the
    // body (in the vacuum below).
    const std::vector<std::string> probes{"--probe", "100,100", "--probe", "600,100",
                                          "--probe", "311,383", "--probe", "0,-1",
                                          "--probe", "600,383", "--probe", "100,300"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), probes.begin(), probes.end());
        return Reparsed(Document(args));
    };
    const QJsonObject model = with({});
    const QJsonObject exact = with({"--physics", "exact"});
    EXPECT_EQ(Str(exact, "physics"), Q("exact"));
    EXPECT_EQ(model["theory"], exact["theory"]);
    const QJsonObject up = exact["probes"][0].toObject();
    EXPECT_EQ(Str(up, "regionName"), Q("upstream"));
    for (const char* key : {"M", "P", "T", "rho", "c", "V", "V0"})
        EXPECT_EQ(Num(up, key), Num(model["probes"][0].toObject(), key)) << key;
    EXPECT_EQ(Str(exact["probes"][1].toObject(), "regionName"), Q("fan"));
    EXPECT_EQ(Str(exact["probes"][4].toObject(), "regionName"), Q("downstream"));
    const QJsonObject body = exact["probes"][2].toObject();
    EXPECT_EQ(Str(body, "regionName"), Q("body"));
    EXPECT_EQ(Str(body, "P"), Q("NaN"));
    EXPECT_EQ(Str(exact["probes"][3].toObject(), "regionName"), Q("upstream"));
    const QJsonObject critical = exact["theory"]["critical"].toObject();
    EXPECT_NEAR(Num(critical, "T"), 308.688, 0.0005);
    EXPECT_NEAR(Num(critical, "P"), 153727.5, 0.05);
    EXPECT_EQ(Str(exact["theory"].toObject(), "kind"), Q("fan"));

    // Turned 4 deg into a Mach 2 flow: an attached shock (NACA 1135: 33.39 deg at 4 deg).
    const double c1 = Num(model["state"].toObject(), "c1");
    char v1[64];
    std::snprintf(v1, sizeof v1, "%.17g", 2.0 * c1);
    const double beta =
        135.0 + 45.0 * (kHalfPi + 4.0 * kRadiansPerDegree - 0.785375) / (kHalfPi - 0.785375);
    const QJsonObject shock = with(
        {"--physics", "exact", "--v1", v1, "--beta", std::to_string(beta)});
    const QJsonObject t = shock["theory"].toObject();
    EXPECT_EQ(Str(t, "reason"), Q("intoTheFlow"));
    EXPECT_EQ(Str(t, "kind"), Q("shock"));
    EXPECT_NEAR(Num(t, "shockAngleDegrees"), 33.39, 0.005);
    EXPECT_NEAR(Num(t, "maxDeflectionDegrees"), 22.9735, 0.00005);
    const QJsonObject behind = shock["probes"][1].toObject();
    ASSERT_EQ(Str(behind, "regionName"), Q("downstream"));
    for (const auto& [probeKey, theoryKey] :
         {std::pair{"M", "mach2"}, {"P", "p2"}, {"T", "t2"}, {"rho", "rho2"}, {"V", "v2"}})
        EXPECT_EQ(Num(behind, probeKey), Num(t, theoryKey)) << probeKey;
    const double sigma = Num(t, "shockAngleDegrees") * kRadiansPerDegree;
    const QJsonObject s = shock["state"].toObject();
    EXPECT_NEAR(Num(s, "rho1") * Num(s, "v1") * std::sin(sigma),
                Num(t, "rho2") * Num(t, "v2") * std::sin(sigma - 4.0 * kRadiansPerDegree),
                1e-9 * Num(s, "rho1") * Num(s, "v1"));

    EXPECT_EQ(Str(with({"--physics", "exact", "--beta", "190"})["theory"].toObject(), "kind"),
              Q("detached"));
    const QJsonObject vacuum = with({"--physics", "exact", "--beta", "0"});
    EXPECT_EQ(Str(vacuum["theory"].toObject(), "kind"), Q("fan-to-vacuum"));
    const QJsonObject empty = vacuum["probes"][5].toObject();
    EXPECT_EQ(Str(empty, "regionName"), Q("vacuum"));
    EXPECT_EQ(Num(empty, "P"), 0.0);
    EXPECT_EQ(Str(empty, "M"), Q("Infinity"));
    QStringList nulls;
    CollectNulls(vacuum, "", nulls);
    CollectNulls(shock, "", nulls);
    EXPECT_TRUE(nulls.filter("probes").isEmpty()) << nulls.join(" ").toStdString();
}
