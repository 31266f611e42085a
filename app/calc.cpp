#include "app/calc.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include "app/modes.h"
#include "model/classify.h"
#include "model/number_text.h"
#include "model/probe.h"
#include "tracers/flow_field.h"

namespace {

constexpr double startV1 = 450.0;
constexpr double startT1 = 273.0;
constexpr double startP1 = 100000.0;
constexpr double startWallAngle = 0.785375;

QJsonValue Text(const std::string& text) { return QString::fromStdString(text); }

QJsonObject InputsSection(const FlowState& fs)
{
    QJsonObject o;
    o["v1"] = JsonNumber(fs.v1);
    o["t1"] = JsonNumber(fs.t1);
    o["p1"] = JsonNumber(fs.p1);
    return o;
}

QJsonObject StateSection(const FlowState& fs)
{
    QJsonObject o;
    o["v1"] = JsonNumber(fs.v1);
    o["t1"] = JsonNumber(fs.t1);
    o["p1"] = JsonNumber(fs.p1);
    o["gamma"] = JsonNumber(fs.gamma);
    o["molarMass"] = JsonNumber(fs.molarMass);
    o["rho1"] = JsonNumber(fs.rho1);
    o["c1"] = JsonNumber(fs.c1);
    o["mach1"] = JsonNumber(fs.mach1);
    o["vol1"] = JsonNumber(fs.vol1);
    o["k2"] = JsonNumber(fs.k2);
    o["k"] = JsonNumber(fs.k);
    o["machAngle"] = JsonNumber(fs.machAngle);
    o["critSpeed"] = JsonNumber(fs.critSpeed);
    o["critTemp"] = JsonNumber(fs.critTemp);
    o["critPressure"] = JsonNumber(fs.critPressure);
    o["critDensity"] = JsonNumber(fs.critDensity);
    o["critVolume"] = JsonNumber(fs.critVolume);
    o["maxTurnAngle"] = JsonNumber(fs.maxTurnAngle);
    o["fullFanSpan"] = JsonNumber(fs.fullFanSpan);
    o["sonicLineAngle"] = JsonNumber(fs.sonicLineAngle);
    o["fanEndAngle"] = JsonNumber(fs.fanEndAngle);
    return o;
}

QJsonObject CornerSection(const CCorner& corner)
{
    QJsonObject o;
    o["wallAngle"] = JsonNumber(corner.wallAngle);
    o["separationAngle"] = JsonNumber(corner.separationAngle);
    o["left"] = corner.left;
    o["top"] = corner.top;
    o["width"] = corner.width;
    o["height"] = corner.height;
    return o;
}

// The nine derived values as the dialog's read-only fields show them.
QJsonObject FieldsSection(const FlowState& fs)
{
    QJsonObject o;
    o["rho1"] = Text(FormatFieldValue(fs.rho1));
    o["c1"] = Text(FormatFieldValue(fs.c1));
    o["vol1"] = Text(FormatFieldValue(fs.vol1));
    o["mach1"] = Text(FormatFieldValue(fs.mach1));
    o["critSpeed"] = Text(FormatFieldValue(fs.critSpeed));
    o["critTemp"] = Text(FormatFieldValue(fs.critTemp));
    o["critPressure"] = Text(FormatFieldValue(fs.critPressure));
    o["critDensity"] = Text(FormatFieldValue(fs.critDensity));
    o["critVolume"] = Text(FormatFieldValue(fs.critVolume));
    return o;
}

QJsonObject LabelsSection(const FlowState& fs, const CCorner& corner)
{
    QJsonObject o;
    o["beta"] = Text(corner.BetaLabel());
    const bool fan = CCorner::HasFan(fs);
    o["alpha"] = fan ? Text(CCorner::AlphaLabel(fs)) : QJsonValue(QJsonValue::Null);
    o["chi"] = fan ? Text(corner.ChiLabel(fs)) : QJsonValue(QJsonValue::Null);
    return o;
}

// One probe, computed as the view's mouse handler and the dialog's probe handler do.
QJsonObject ProbeObject(const FlowState& fs, const CCorner& corner, const PointArg& p)
{
    const double x = p.x;
    const double y = p.y;
    const double phi = corner.PolarAngle(true, x, y);
    const int region = corner.ClassifyPoint(fs, true, x, y);
    const int32_t lParam = ProbeAngleParam(phi);
    const ProbeValues v = ProbeReadout(fs, region, lParam);

    QJsonObject o;
    o["x"] = p.x;
    o["y"] = p.y;
    o["region"] = region;
    o["phi"] = JsonNumber(phi);
    o["lParam"] = lParam;
    o["T"] = JsonNumber(v.T);
    o["P"] = JsonNumber(v.P);
    o["rho"] = JsonNumber(v.rho);
    o["c"] = JsonNumber(v.c);
    o["M"] = JsonNumber(v.M);
    o["V0"] = JsonNumber(v.V0);
    o["V"] = JsonNumber(v.V);
    o["Vphi"] = JsonNumber(v.Vphi);
    o["Vr"] = JsonNumber(v.Vr);

    QJsonObject texts;
    texts["T"] = Text(FormatFieldValue(v.T));
    texts["P"] = Text(FormatFieldValue(v.P));
    texts["rho"] = Text(FormatFieldValue(v.rho));
    texts["c"] = Text(FormatFieldValue(v.c));
    texts["M"] = Text(FormatFieldValue(v.M));
    texts["V0"] = Text(FormatFieldValue(v.V0));
    texts["V"] = Text(FormatFieldValue(v.V));
    texts["Vphi"] = Text(FormatFieldValue(v.Vphi));
    texts["Vr"] = Text(FormatFieldValue(v.Vr));
    o["texts"] = texts;
    return o;
}

QJsonArray ProbesSection(const FlowState& fs, const CCorner& corner,
                         const std::vector<PointArg>& probes)
{
    QJsonArray a;
    for (const PointArg& p : probes)
        a.append(ProbeObject(fs, corner, p));
    return a;
}

// The moving part of the picture for this state: the displacement past the fan, how many
// tracers there are, and the three traced streamlines (0 is never traced).
QJsonObject FlowSection(FlowState& fs, CCorner& corner, const Options& options)
{
    FlowField field(fs, corner);
    field.width = options.width;
    field.height = options.height;
    field.UpdatePopulation();
    field.RetraceFlow();

    const auto point = [](const PathPoint& p) {
        return QJsonValue(QJsonArray{JsonNumber(p.x), JsonNumber(p.y)});
    };
    QJsonArray streamlines;
    for (const CStreamline& line : field.streamlines) {
        const DynArray<PathPoint>& points = line.points;
        QJsonObject entry;
        entry["points"] = points.count;
        entry["first"] = points.count > 0 ? point(points[0]) : QJsonValue();
        entry["last"] = points.count > 0 ? point(points[points.count - 1]) : QJsonValue();
        streamlines.append(entry);
    }

    QJsonObject flow;
    flow["exitStepX"] = JsonNumber(field.exitStepX);
    flow["exitStepY"] = JsonNumber(field.exitStepY);
    flow["tracers"] = field.tracers.count;
    flow["streamlines"] = streamlines;
    return flow;
}

} // namespace

QJsonValue JsonNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    return value;
}

void SetUpCalc(const Options& options, FlowState& fs, CCorner& corner)
{
    fs = FlowState();
    fs.v1 = options.v1 ? ReadNumber(*options.v1) : startV1;
    fs.t1 = options.t1 ? ReadNumber(*options.t1) : startT1;
    fs.p1 = options.p1 ? ReadNumber(*options.p1) : startP1;
    ComputeUpstreamState(fs);

    // Placed as the view places it: the corner point in the middle of the picture.
    corner.left = 0;
    corner.top = options.height / 2;
    corner.width = options.width;
    corner.height = options.height;
    corner.wallAngle = options.wall ? *options.wall : startWallAngle;
    if (options.wallPoint)
        corner.SetWallFromPoint(options.wallPoint->x, options.wallPoint->y);
    corner.ComputeFanGeometry(fs);
}

QJsonObject CalcDocument(const Options& options)
{
    FlowState fs;
    CCorner corner;
    SetUpCalc(options, fs, corner);

    QJsonObject doc;
    doc["inputs"] = InputsSection(fs);
    doc["state"] = StateSection(fs);
    doc["corner"] = CornerSection(corner);
    doc["fields"] = FieldsSection(fs);
    doc["labels"] = LabelsSection(fs, corner);
    doc["probes"] = ProbesSection(fs, corner, options.probes);
    doc["flow"] = FlowSection(fs, corner, options);
    return doc;
}

int RunCalc(const Options& options)
{
    const QByteArray json = QJsonDocument(CalcDocument(options)).toJson(QJsonDocument::Indented);
    const size_t written = std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()), stdout);
    if (written != static_cast<size_t>(json.size()) || std::fflush(stdout) != 0) {
        const int error = errno;
        std::fprintf(stderr, "cornerflow: cannot write the document: %s\n",
                     error ? std::strerror(error) : "write error");
        return 1;
    }
    return 0;
}
