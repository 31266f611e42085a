#include "dialog/flow_session.h"

#include <cmath>

#include "model/number_text.h"
#include "model/probe.h"
#include "res/ids.h"

namespace {
const std::string kNoText;
constexpr double kPi = 3.14159265358979323846;
} // namespace

FlowSession::FlowSession()
    : ownState_(std::make_unique<FlowState>()),
      ownCorner_(std::make_unique<Corner>()),
      fs_(*ownState_),
      corner_(*ownCorner_),
      view_(fs_, corner_)
{
    Construct();
}

FlowSession::FlowSession(FlowState& fs, Corner& corner)
    : fs_(fs), corner_(corner), view_(fs, corner)
{
    Construct();
}

// The state as constructed, and every field empty until the start-up writes it.
void FlowSession::Construct()
{
    const StartValues& start = StartUpValues();
    fs_.gamma = start.gamma;
    fs_.molarMass = start.molarMass;
    fs_.p1 = start.p1;
    fs_.t1 = start.t1;
    fs_.v1 = start.v1;
    for (size_t i = 0; i < FieldCount(); ++i)
        texts_[FieldTable()[i].id] = Text();
}

FlowSession::~FlowSession()
{
    if (view_.host == this)
        view_.host = nullptr;
}

void FlowSession::Open(int w, int h, uint32_t seed, int scale)
{
    if (open_)
        return;
    open_ = true;
    view_.host = this;
    view_.Open(w, h, seed, scale);
    StartUp();
}

void FlowSession::StartUp()
{
    for (size_t i = 0; i < FieldCount(); ++i) {
        const FieldRow& row = FieldTable()[i];
        SetText(row, row.startValue);
    }
    ComputeUpstreamState(); // from the state as constructed: t1 is still 300
    InputsLeft();           // reads the fields back: the first state shown has T1 = 273
}

void FlowSession::Reset()
{
    if (!open_)
        return;
    view_.PointerReleased();
    const StartValues& start = StartUpValues();
    fs_.v1 = start.v1;
    fs_.t1 = start.t1;
    fs_.p1 = start.p1;
    corner_.SetWallAngle(start.wallAngle);
    view_.tracers.count = 0; // the population starts afresh, from where the generator stands
    StartUp();
}

const std::string& FlowSession::FieldText(ControlId id) const
{
    const auto it = texts_.find(id);
    return it == texts_.end() ? kNoText : it->second.text;
}

unsigned FlowSession::FieldVersion(ControlId id) const
{
    const auto it = texts_.find(id);
    return it == texts_.end() ? 0 : it->second.version;
}

void FlowSession::SetInputText(ControlId id, const std::string& text)
{
    const FieldRow* row = FindField(id);
    if (row && row->source == FieldSource::Input)
        SetText(id, text);
}

void FlowSession::InputsLeft()
{
    ForEachField(FieldSource::Input,
                 [this](const FieldRow& row) { fs_.*row.state = ReadNumber(texts_[row.id].text); });
    ComputeUpstreamState();
}

void FlowSession::InputsLeft(const std::string& v1, const std::string& t1, const std::string& p1)
{
    SetInputText(ControlId::UpstreamSpeed, v1);
    SetInputText(ControlId::UpstreamTemperature, t1);
    SetInputText(ControlId::UpstreamPressure, p1);
    InputsLeft();
}

void FlowSession::ComputeUpstreamState()
{
    ::ComputeUpstreamState(fs_);
    ForEachField(FieldSource::Upstream,
                 [this](const FieldRow& row) { SetText(row, fs_.*row.state); });
    if (fieldsChanged)
        fieldsChanged();
    view_.UpdatePopulation();
    view_.RecomputeFlow();
}

void FlowSession::SetText(ControlId id, std::string text)
{
    Text& t = texts_[id];
    t.text = std::move(text);
    ++t.version;
}

void FlowSession::SetText(const FieldRow& row, double value) { SetText(row.id, row.write(value)); }

void FlowSession::ProbeReported(int region, int32_t angleCode)
{
    const ProbeValues v = ProbeReadout(fs_, region, angleCode);
    ForEachField(FieldSource::Probe, [&](const FieldRow& row) { SetText(row, v.*row.probe); });
    if (fieldsChanged)
        fieldsChanged();
}

void FlowSession::PointerProbed(int region, int32_t angleCode) { ProbeReported(region, angleCode); }

void FlowSession::FrameReady()
{
    if (frameReady)
        frameReady();
}

void FlowSession::PointerMove(int x, int y) { view_.PointerMoved(x, y); }
void FlowSession::PointerPress(int x, int y) { view_.PointerPressed(x, y); }
void FlowSession::PointerRelease() { view_.PointerReleased(); }
bool FlowSession::Dragging() const { return view_.dragging; }
void FlowSession::TurnWall(int direction) { view_.TurnWall(direction); }
void FlowSession::Tick() { view_.TimerTicked(); }

void FlowSession::SetWallAngle(double angle)
{
    corner_.SetWallAngle(angle);
    view_.RecomputeFlow();
}

void FlowSession::SetWallFromPoint(int x, int y)
{
    corner_.SetWallFromPoint(x, y);
    view_.RecomputeFlow();
}

void FlowSession::SetBodyAngle(double betaDegrees)
{
    // Linear in beta, exact at both ends a teacher types most: the start-up body angle gives
    // the start-up wall, 180 gives a straight wall (pi/2). Each degree is then 1.00005 degrees.
    const StartValues& start = StartUpValues();
    const double t = (betaDegrees - start.bodyAngle) / (180.0 - start.bodyAngle);
    const double wall = (1.0 - t) * start.wallAngle + t * (kPi / 2.0);
    if (std::isfinite(wall)) // an angle that is no number leaves the wall where it is
        SetWallAngle(wall);
}

std::string FlowSession::BetaLabel() const { return corner_.BetaLabel(); }

std::string FlowSession::AlphaLabel() const
{
    return Corner::HasFan(fs_) ? Corner::AlphaLabel(fs_) : std::string();
}

std::string FlowSession::ChiLabel() const
{
    return Corner::HasFan(fs_) ? corner_.ChiLabel(fs_) : std::string();
}

const char* PictureWords(PictureFacts::Flow flow)
{
    switch (flow) {
    case PictureFacts::Flow::Attached:
        return "стенка повёрнута на %1°, веер шириной %2°, поток прилегает к стенке";
    case PictureFacts::Flow::Separated:
        return "стенка повёрнута на %1°, веер шириной %2°, поток отрывается от стенки";
    default: return "поток не сверхзвуковой, веера нет";
    }
}

PictureFacts FlowSession::Facts() const
{
    PictureFacts f;
    if (!Corner::HasFan(fs_))
        return f;
    f.flow = corner_.separationAngle != 0.0 ? PictureFacts::Flow::Separated
                                            : PictureFacts::Flow::Attached;
    f.turnDegrees = corner_.TurnDegreesText(fs_);
    f.spanDegrees = Corner::SpanDegreesText(fs_);
    return f;
}
