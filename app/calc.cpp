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
#include "app/session_start.h"
#include "base/constants.h"
#include "dialog/flow_session.h"

namespace {

QJsonValue Text(const std::string& text) { return QString::fromStdString(text); }

QJsonObject InputsSection(const FlowState& fs)
{
    QJsonObject o;
    ForEachField(FieldSource::Input,
                 [&](const FieldRow& row) { o[row.key] = JsonNumber(fs.*row.state); });
    return o;
}

// Each input field's text and the value read from it, as the fields read them; note is what a
// field shows beside it when the text is not in the program's own form ("" when it is).
QJsonObject ReadSection(const FlowSession& session)
{
    QJsonObject o;
    ForEachField(FieldSource::Input, [&](const FieldRow& row) {
        QJsonObject field;
        field["text"] = Text(session.FieldText(row.id));
        field["value"] = JsonNumber(session.State().*row.state);
        field["note"] = Text(session.FieldNote(row.id));
        o[row.key] = field;
    });
    return o;
}

// Every quantity a field shows under its field's key, and the state's other numbers.
QJsonObject StateSection(const FlowState& fs)
{
    QJsonObject o;
    for (FieldSource source : {FieldSource::Input, FieldSource::Upstream})
        ForEachField(source, [&](const FieldRow& row) { o[row.key] = JsonNumber(fs.*row.state); });
    o["gamma"] = JsonNumber(fs.gamma);
    o["molarMass"] = JsonNumber(fs.molarMass);
    o["k2"] = JsonNumber(fs.k2);
    o["k"] = JsonNumber(fs.k);
    o["machAngle"] = JsonNumber(fs.machAngle);
    o["maxTurnAngle"] = JsonNumber(fs.maxTurnAngle);
    o["fullFanSpan"] = JsonNumber(fs.fullFanSpan);
    o["sonicLineAngle"] = JsonNumber(fs.sonicLineAngle);
    o["fanEndAngle"] = JsonNumber(fs.fanEndAngle);
    return o;
}

QJsonObject CornerSection(const Corner& corner)
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
    ForEachField(FieldSource::Upstream,
                 [&](const FieldRow& row) { o[row.key] = Text(row.write(fs.*row.state)); });
    return o;
}

const char* RegionName(int region)
{
    switch (region) {
    case RegionUpstream: return "upstream";
    case RegionFan: return "fan";
    case RegionDownstream: return "downstream";
    default: return "none";
    }
}

QJsonObject LabelsSection(const FlowState& fs, const Corner& corner)
{
    QJsonObject o;
    o["beta"] = Text(corner.BetaLabel());
    const bool fan = Corner::HasFan(fs);
    o["alpha"] = fan ? Text(Corner::AlphaLabel(fs)) : QJsonValue(QJsonValue::Null);
    o["chi"] = fan ? Text(corner.ChiLabel(fs)) : QJsonValue(QJsonValue::Null);
    return o;
}

// The region code of an exact probe: the model's codes for the regions both have, then 4 and 5.
int ExactRegionCode(ExactRegion region)
{
    switch (region) {
    case ExactRegion::Upstream: return RegionUpstream;
    case ExactRegion::Fan: return RegionFan;
    case ExactRegion::Downstream: return RegionDownstream;
    case ExactRegion::Vacuum: return 4;
    case ExactRegion::Body: return 5;
    case ExactRegion::None: return RegionNone;
    }
    return RegionNone;
}

// The exact state at a probe, under the keys of the model's read-out.
QJsonObject ExactProbeObject(const FlowSession& session, const PointArg& p)
{
    const ExactPointState e = session.ReadExactAt(p.x, p.y);
    const ProbeValues values{e.T, e.P, e.rho, e.c, e.M, e.V0, e.V, e.Vphi, e.Vr};
    QJsonObject o;
    o["x"] = p.x;
    o["y"] = p.y;
    o["region"] = ExactRegionCode(e.region);
    o["regionName"] = ExactRegionName(e.region);
    o["phi"] = JsonNumber(e.phi);
    QJsonObject texts;
    ForEachField(FieldSource::Probe, [&](const FieldRow& row) {
        o[row.key] = JsonNumber(values.*row.probe);
        texts[row.key] = Text(row.write(values.*row.probe));
    });
    o["texts"] = texts;
    return o;
}

// One probe, read as the probe fields read the flow under a pointer.
QJsonObject ProbeObject(const FlowSession& session, const PointArg& p)
{
    if (session.PhysicsShown() == Physics::Exact)
        return ExactProbeObject(session, p);
    const ProbeReading r = session.ReadAt(p.x, p.y);
    QJsonObject o;
    o["x"] = p.x;
    o["y"] = p.y;
    o["region"] = r.region;
    o["regionName"] = RegionName(r.region);
    o["phi"] = JsonNumber(r.phi);
    QJsonObject texts;
    ForEachField(FieldSource::Probe, [&](const FieldRow& row) {
        o[row.key] = JsonNumber(r.values.*row.probe);
        texts[row.key] = Text(row.write(r.values.*row.probe));
    });
    o["texts"] = texts;
    return o;
}

QJsonArray ProbesSection(const FlowSession& session, const std::vector<PointArg>& probes)
{
    QJsonArray a;
    for (const PointArg& p : probes)
        a.append(ProbeObject(session, p));
    return a;
}

// The moving part of the picture for this state: the displacement past the fan, how many
// tracers there are, and the streamlines (0 is never traced).
QJsonObject FlowSection(const FlowField& field)
{
    const auto point = [](const PathPoint& p) {
        return QJsonValue(QJsonArray{JsonNumber(p.x), JsonNumber(p.y)});
    };
    QJsonArray streamlines;
    for (const Streamline& line : field.streamlines) {
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

// The exact flow's own numbers beside the expansion's: its kind, the largest turn, the isentropic
// critical state and, for a wall turned into the flow, the largest deflection and the state
// behind an attached shock.
void AddExactFlow(QJsonObject& o, const ExactFlow& e)
{
    o["kind"] = ExactKindName(e.kind);
    o["largestTurnDegrees"] = JsonNumber(e.largestTurn * kDegreesPerRadian);
    if (e.wallTurn < 0.0) {
        o["maxDeflectionDegrees"] = JsonNumber(e.maxDeflection * kDegreesPerRadian);
        if (e.kind == ExactKind::Shock) {
            o["shockAngleDegrees"] = JsonNumber(e.shockAngle * kDegreesPerRadian);
            o["mach2"] = JsonNumber(e.m2);
            o["p2"] = JsonNumber(e.p2);
            o["t2"] = JsonNumber(e.t2);
            o["rho2"] = JsonNumber(e.rho2);
            o["v2"] = JsonNumber(e.v2);
        }
    }
    QJsonObject critical;
    critical["T"] = JsonNumber(e.critical.T);
    critical["P"] = JsonNumber(e.critical.P);
    critical["rho"] = JsonNumber(e.critical.rho);
    critical["c"] = JsonNumber(e.critical.c);
    critical["V0"] = JsonNumber(e.critical.V0);
    o["critical"] = critical;
}

// The exact isentropic Prandtl-Meyer expansion for the same inputs and the same turn chi as
// the picture (at most the largest turning angle); null for a flow that is not supersonic, and
// for a wall turned into the flow the reason there is no expansion instead of a state. Both
// objects carry the exact flow's own numbers (AddExactFlow).
QJsonValue TheorySection(const FlowSession& session)
{
    const TheoryResult t = session.Theory();
    const ExactFlow exact = session.ExactFlowNow();
    if (t.kind == TheoryCase::IntoTheFlow) {
        QJsonObject o;
        o["reason"] = QStringLiteral("intoTheFlow");
        o["turnDegrees"] = JsonNumber(t.turnDegrees);
        o["maxTurnDegrees"] = JsonNumber(t.maxTurnDegrees);
        o["nu1Degrees"] = JsonNumber(t.nu1Degrees);
        AddExactFlow(o, exact);
        return o;
    }
    if (!t.valid)
        return QJsonValue(QJsonValue::Null);
    QJsonObject o;
    AddExactFlow(o, exact);
    o["turnDegrees"] = JsonNumber(t.turnDegrees);
    o["maxTurnDegrees"] = JsonNumber(t.maxTurnDegrees);
    o["nu1Degrees"] = JsonNumber(t.nu1Degrees);
    o["nu2Degrees"] = JsonNumber(t.nu2Degrees);
    o["mach2"] = JsonNumber(t.mach2);
    o["p2"] = JsonNumber(t.p2);
    o["t2"] = JsonNumber(t.t2);
    o["rho2"] = JsonNumber(t.rho2);
    o["v2"] = JsonNumber(t.v2);
    o["lastCharacteristicAngle"] = JsonNumber(t.lastCharacteristicAngle);
    return o;
}

const char* TheoryCaseName(TheoryCase c)
{
    switch (c) {
    case TheoryCase::Expansion: return "expansion";
    case TheoryCase::IntoTheFlow: return "intoTheFlow";
    default: return "notSupersonic";
    }
}

QJsonObject StateObject(const StateValues& v)
{
    QJsonObject o;
    o["M"] = JsonNumber(v.M);
    o["P"] = JsonNumber(v.P);
    o["T"] = JsonNumber(v.T);
    o["rho"] = JsonNumber(v.rho);
    o["V"] = JsonNumber(v.V);
    return o;
}

} // namespace

QJsonObject ProfileSection(const FanProfile& p)
{
    QJsonObject units;
    units["phi"] = QStringLiteral("rad");
    units["phiDegrees"] = QStringLiteral("deg");
    units["M"] = QStringLiteral("1");
    units["P"] = QStringLiteral("Pa");
    units["T"] = QStringLiteral("K");
    units["rho"] = QStringLiteral("kg/m^3");
    units["V"] = QStringLiteral("m/s");
    QJsonObject characteristics;
    const std::pair<const char*, double> angles[] = {{"modelFirst", p.modelFirst},
                                                     {"modelLast", p.modelLast},
                                                     {"exactFirst", p.exactFirst},
                                                     {"exactLast", p.exactLast}};
    for (const auto& a : angles) {
        characteristics[a.first] = JsonNumber(a.second);
        characteristics[QString::fromLatin1(a.first) + QStringLiteral("Degrees")] = JsonNumber(
            a.second * kDegreesPerRadian);
    }
    QJsonArray samples;
    for (const ProfileSample& s : p.samples) {
        QJsonObject o;
        o["phi"] = JsonNumber(s.phi);
        o["phiDegrees"] = JsonNumber(s.phi * kDegreesPerRadian);
        o["modelRegion"] = RegionName(s.modelRegion);
        o["model"] = StateObject(s.model);
        o["exactRegion"] = RegionName(s.exactRegion);
        o["exact"] = StateObject(s.exact);
        samples.append(o);
    }
    QJsonObject o;
    o["units"] = units;
    o["upstream"] = StateObject(p.upstream);
    o["characteristics"] = characteristics;
    o["exactCase"] = TheoryCaseName(p.exact.theory.kind);
    o["samples"] = samples;
    return o;
}

QJsonValue JsonNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    return value;
}

QJsonObject CalcDocument(const Options& options)
{
    // The window's start-up at the picture size, then the inputs and the wall.
    FlowSession session;
    session.Open(options.width, options.height, 0);
    ApplyOptions(session, options);
    session.SetPhysics(options.physics.value_or(Physics::Model));
    const FlowState& fs = session.State();
    const Corner& corner = session.Geometry();

    QJsonObject doc;
    doc["physics"] = PhysicsName(session.PhysicsShown());
    QJsonObject inputs = InputsSection(fs);
    // The gas is written only when one was asked for: air's document stays as it always was.
    if (options.gas || options.gamma || options.molarMass) {
        inputs["gas"] = QString::fromStdString(session.Gas());
        inputs["gamma"] = JsonNumber(fs.gamma);
        inputs["molarMass"] = JsonNumber(fs.molarMass);
    }
    doc["inputs"] = inputs;
    doc["read"] = ReadSection(session);
    doc["state"] = StateSection(fs);
    doc["corner"] = CornerSection(corner);
    doc["fields"] = FieldsSection(fs);
    doc["labels"] = LabelsSection(fs, corner);
    doc["probes"] = ProbesSection(session, options.probes);
    doc["flow"] = FlowSection(session.Field());
    doc["theory"] = TheorySection(session);
    doc["profile"] = ProfileSection(session.Profile());
    return doc;
}

int RunCalc(const Options& options)
{
    const QByteArray json = QJsonDocument(CalcDocument(options)).toJson(QJsonDocument::Indented);
    const size_t written = std::fwrite(json.constData(), 1, static_cast<size_t>(json.size()),
                                       stdout);
    if (written != static_cast<size_t>(json.size()) || std::fflush(stdout) != 0) {
        const int error = errno;
        std::fprintf(stderr, "cornerflow: cannot write the document: %s\n",
                     error ? std::strerror(error) : "write error");
        return 1;
    }
    return 0;
}
