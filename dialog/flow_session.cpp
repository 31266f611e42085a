#include "dialog/flow_session.h"

#include <algorithm>
#include <cmath>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/vector_state.h"
#include "dialog/languages.h"
#include "model/classify.h"
#include "model/start_values.h"

void FlowSession::Tell(const std::function<void()>& shell)
{
    if (!shell)
        return;
    shell();
    // The shell's code may have left the vector state in use; the core's maths goes on.
    ClearUpperVectorState();
}

FlowSession::FlowSession() : field_(state_, corner_), view_(field_), plot_(state_, corner_) {}

// ---- Life

void FlowSession::Open(int w, int h, uint32_t seed, int scale)
{
    if (open_)
        return;
    open_ = true;
    scale_ = std::clamp(scale, 1, kMaxFrameScale);
    field_.Open(w, h, seed);
    corner_.labelFont.height = LabelCell(); // a display size given before the picture's
    StartUp();
}

void FlowSession::StartUp()
{
    texts_.WriteStart();
    ComputeUpstreamState(); // from the state as constructed: t1 is still 300
    InputsLeft();           // reads the fields back: the first state shown has T1 = 273
}

void FlowSession::Reset()
{
    if (!open_)
        return;
    gesture_.Clear();
    probePixel_.reset();
    plot_.ClearCursor();
    const StartValues& start = StartUpValues();
    state_.v1 = start.v1;
    state_.t1 = start.t1;
    state_.p1 = start.p1;
    corner_.SetWallAngle(start.wallAngle);
    gas_.Reset();
    state_.gamma = start.gamma;
    state_.molarMass = start.molarMass;
    field_.tracers.count = 0; // the population starts afresh, from where the generator stands
    StartUp();
}

// ---- Fields

void FlowSession::InputsLeft()
{
    ClearUpperVectorState(); // a shell ran just before
    texts_.ReadInputs(state_);
    ComputeUpstreamState();
}

void FlowSession::ComputeUpstreamState()
{
    ::ComputeUpstreamState(state_);
    texts_.WriteUpstream(state_);
    if (physics_ == Physics::Exact)
        WriteCriticalFields();
    Tell(fieldsChanged);
    field_.UpdatePopulation();
    RecomputeFlow();
}

// ---- The gas

void FlowSession::UseGas(const std::optional<GasValues>& values)
{
    if (!values || (values->gamma == state_.gamma && values->molarMass == state_.molarMass)) {
        Tell(fieldsChanged); // the choice or the texts changed, the flow did not
        return;
    }
    state_.gamma = values->gamma;
    state_.molarMass = values->molarMass;
    if (open_)
        ComputeUpstreamState();
}

bool FlowSession::SetGas(const std::string& code)
{
    ClearUpperVectorState(); // a shell ran just before
    const std::optional<GasValues> values = gas_.Choose(code, GasNow());
    if (values)
        UseGas(values);
    return values.has_value();
}

bool FlowSession::SetGasValues(const std::string& gammaText, const std::string& molarMassText)
{
    ClearUpperVectorState(); // a shell ran just before
    const std::optional<GasValues> values = gas_.Type(gammaText, molarMassText);
    UseGas(values);
    return values.has_value();
}

bool FlowSession::KeepGasIf(bool taken)
{
    if (taken)
        keeper_.KeepGas(gas_.Code(), state_.gamma, state_.molarMass);
    return taken;
}

bool FlowSession::ChooseGas(const std::string& code) { return KeepGasIf(SetGas(code)); }

bool FlowSession::ChooseGasValues(const std::string& gammaText, const std::string& molarMassText)
{
    return KeepGasIf(SetGasValues(gammaText, molarMassText));
}

// ---- The picture

void FlowSession::RecomputeFlow(bool probeAgain)
{
    field_.RetraceFlow();
    ShowFrame();
    if (probeAgain && probePixel_) {
        WriteProbe(probePixel_->first, probePixel_->second);
        Tell(fieldsChanged);
    }
    UpdatePlot();
}

void FlowSession::ShowFrame()
{
    if (!open_)
        return;
    if (useLayers_)
        view_.ComposeLayers(layers_, scale_);
    else
        view_.Compose(frame_, scale_);
    ++frames_;
    Tell(frameReady);
}

int FlowSession::LabelCell() const
{
    return LabelCellFor(gesture_.UnitsPerPixel(field_.width, field_.height), field_.width);
}

void FlowSession::SetDisplaySize(double width, double height)
{
    gesture_.SetDisplaySize(width, height);
    plot_.SetPictureShown(gesture_.UnitsPerPixel(field_.width, field_.height), field_.width);
    UpdatePlot(); // the plot's words follow the picture's labels
    const int cell = LabelCell();
    if (cell == corner_.labelFont.height)
        return; // a resize that keeps the labels' size composes nothing
    corner_.labelFont.height = cell;
    ClearUpperVectorState(); // a shell ran just before
    ShowFrame();
}

void FlowSession::ComposeFrame()
{
    if (open_ && useLayers_)
        view_.Compose(frame_, scale_);
    ShowFrame();
}

void FlowSession::UseLayers(bool layers)
{
    useLayers_ = layers;
    ShowFrame();
}

void FlowSession::SetDrawing(MakeDCFunction makeDC)
{
    view_.makeDC = std::move(makeDC);
    ShowFrame();
    plot_.SetDrawing(view_.makeDC);
    UpdatePlot();
}

void FlowSession::SetFrameScale(int scale)
{
    scale = std::clamp(scale, 1, kMaxFrameScale);
    if (scale == scale_)
        return;
    scale_ = scale;
    ShowFrame();
}

// ---- The clock

void FlowSession::Tick()
{
    // The tracers stay where this frame shows them until the next tick.
    field_.AdvanceToFrame();
    ++ticks_;
    ShowFrame();
}

void FlowSession::TimerTicked()
{
    if (open_ && !paused_)
        Tick();
}

void FlowSession::StepOnce()
{
    if (open_)
        Tick();
}

void FlowSession::SetPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    Tell(pauseChanged);
}

// ---- The pointer

WallLine FlowSession::Wall() const
{
    return WallLine{static_cast<double>(corner_.ApexX()), static_cast<double>(corner_.top),
                    corner_.wallAngle, field_.width, field_.height};
}

ProbeReading FlowSession::ReadAt(double x, double y) const
{
    ProbeReading r;
    r.phi = corner_.PolarAngle(true, x, y);
    r.region = corner_.ClassifyPoint(state_, true, x, y);
    r.values = ProbeReadout(state_, r.region, r.phi);
    return r;
}

void FlowSession::WriteProbe(int x, int y)
{
    const ProbeReading r = ReadAt(x, y);
    if (physics_ == Physics::Exact)
        texts_.WriteExactProbe(ReadExactAt(x, y));
    else
        texts_.WriteProbe(r.values);
    plot_.SetCursor(r.phi);
}

void FlowSession::Act(const PointerIntent& intent)
{
    if (intent.read)
        probePixel_ = std::make_pair(intent.x, intent.y);
    if (intent.turnWall) {
        corner_.SetWallFromPoint(intent.x, intent.y);
        // A press or a drag reads the flow it made under the pointer, once.
        RecomputeFlow(intent.read);
    } else if (intent.read) {
        WriteProbe(intent.x, intent.y);
        Tell(fieldsChanged);
        UpdatePlot();
    }
}

void FlowSession::PointerPressed(const PointerEvent& e)
{
    ClearUpperVectorState(); // a shell ran just before
    if (open_)
        Act(gesture_.Pressed(e, Wall()));
}

void FlowSession::PointerMoved(const PointerEvent& e)
{
    ClearUpperVectorState(); // a shell ran just before
    if (open_)
        Act(gesture_.Moved(e, Wall()));
}

// ---- Keys and the menu

ShellAction FlowSession::KeyPressed(const KeyEvent& k)
{
    ClearUpperVectorState(); // a shell ran just before
    const KeyMeaning meaning = MeaningOfKey(k);
    if (!open_ || meaning.act == KeyMeaning::Act::Nothing)
        return ShellAction::Ignored;
    switch (meaning.act) {
    case KeyMeaning::Act::TurnWall: TurnWallBy(meaning.degrees); break;
    case KeyMeaning::Act::MoveReading:
        Act(gesture_.KeyMoved(meaning.dx, meaning.dy, Wall()));
        break;
    case KeyMeaning::Act::Pause: SetPaused(!paused_); break;
    case KeyMeaning::Act::Step: StepOnce(); break;
    case KeyMeaning::Act::FullScreen: return ShellAction::FullScreen;
    case KeyMeaning::Act::Physics: ChoosePhysics(); break;
    case KeyMeaning::Act::Held:
    case KeyMeaning::Act::Nothing: break;
    }
    return ShellAction::None;
}

void FlowSession::TurnWallBy(double degrees)
{
    if (open_)
        SetWallAngle(corner_.WithinDragRange(corner_.wallAngle + degrees * kRadiansPerDegree));
}

MenuState FlowSession::MenusShow() const
{
    return MenuState{paused_,   view_.exactTheory, physics_ == Physics::Exact,
                     plotOpen_, legendOpen_,       language_};
}

ShellAction FlowSession::Choose(Command command, const std::string& language)
{
    switch (command) {
    case Command::Close: return ShellAction::Close;
    case Command::About: return ShellAction::ShowAbout;
    case Command::Pause: SetPaused(!paused_); return ShellAction::None;
    case Command::Step: StepOnce(); return ShellAction::None;
    case Command::Reset: Reset(); return ShellAction::None;
    case Command::SavePicture: return ShellAction::SavePicture;
    case Command::CopyPicture: return ShellAction::CopyPicture;
    case Command::Language:
        SetLanguage(language);
        keeper_.Keep(kKeptLanguage, language_);
        return ShellAction::Language;
    case Command::CopyLink: return ShellAction::CopyLink;
    case Command::FullScreen: return ShellAction::FullScreen;
    case Command::ExactTheory:
        SetExactTheory(!view_.exactTheory);
        keeper_.KeepFlag(kKeptExactTheory, view_.exactTheory);
        return ShellAction::None;
    case Command::Plot: ChoosePlotOpen(!plotOpen_); return ShellAction::ShowPlot;
    case Command::Legend: legendOpen_ = !legendOpen_; return ShellAction::ShowLegend;
    case Command::Keys: return ShellAction::ShowKeys;
    case Command::Guide: return ShellAction::OpenGuide;
    case Command::Physics: ChoosePhysics(); return ShellAction::None;
    }
    return ShellAction::None;
}

void FlowSession::SetLanguage(const std::string& language)
{
    // A code the table lacks is the program's own language: the shells never show words they
    // have no translation for.
    const ::Language* row = FindLanguage(language);
    if (!row)
        row = &SourceLanguage();
    language_ = row->code;
    SetPlotWords(PlotWords::Translated(
        [row](const char* source) { return std::string(Translate(*row, "Plot", source)); }));
}

// ---- The wall

void FlowSession::SetWallAngle(double angle)
{
    corner_.SetWallAngle(angle);
    RecomputeFlow();
}

void FlowSession::SetWallFromPoint(int x, int y)
{
    ClearUpperVectorState(); // a shell ran just before
    corner_.SetWallFromPoint(x, y);
    RecomputeFlow();
}

void FlowSession::SetBodyAngle(double betaDegrees)
{
    const double wall = Corner::WallAngleOfBodyAngle(betaDegrees);
    if (std::isfinite(wall)) // an angle that is no number leaves the wall where it is
        SetWallAngle(wall);
}

// ---- The plot and the exact theory

void FlowSession::SetPlotSize(double width, double height, double scale)
{
    plot_.SetSize(width, height, ::FrameScaleFor(scale));
    UpdatePlot();
}

void FlowSession::SetPlotQuantities(QuantitySet shown)
{
    plot_.SetQuantities(shown);
    UpdatePlot();
}

void FlowSession::ChoosePlotQuantities(QuantitySet shown)
{
    SetPlotQuantities(shown);
    keeper_.Keep(kKeptPlotQuantities, std::to_string(PlotQuantities()));
}

void FlowSession::ChoosePlotOpen(bool open)
{
    plotOpen_ = open;
    keeper_.KeepFlag(kKeptPlotOpen, open);
}

void FlowSession::SetPlotWords(const PlotWords& words)
{
    if (plot_.SetWords(words))
        UpdatePlot();
}

void FlowSession::UpdatePlot()
{
    if (open_ && plot_.Update())
        Tell(plotReady);
}

void FlowSession::SetExactTheory(bool on)
{
    if (on == view_.exactTheory)
        return;
    view_.exactTheory = on;
    ShowFrame();
}

void FlowSession::WriteCriticalFields()
{
    if (physics_ == Physics::Exact)
        texts_.WriteCritical(IsentropicCritical(state_));
    else
        texts_.WriteUpstream(state_);
}

void FlowSession::SetPhysics(Physics physics)
{
    if (physics == physics_)
        return;
    physics_ = physics;
    corner_.physics = physics;
    WriteCriticalFields();
    Tell(fieldsChanged);
    RecomputeFlow();
}

void FlowSession::ChoosePhysics()
{
    SetPhysics(physics_ == Physics::Exact ? Physics::Model : Physics::Exact);
    keeper_.Keep(kKeptPhysics, PhysicsName(physics_));
}

std::vector<LegendItem> FlowSession::Legend(LegendShell shell) const
{
    const LegendPens pens{field_.streamlines[1].pen,
                          view_.exactPen,
                          view_.framePen,
                          Tracer::kColour,
                          field_.marker.brush.colour,
                          corner_.shockPen,
                          Corner::kVacuumTint,
                          Corner::kNotComputedTint};
    LegendScene scene{physics_, view_.exactTheory, ExactKind::Subsonic, false};
    if (physics_ == Physics::Exact) {
        const ExactFlow exact = ComputeExactFlow(state_, kHalfPi - corner_.wallAngle);
        scene.kind = exact.kind;
        scene.sonicRay = exact.phiSonic < kPi;
    }
    return LegendOf(corner_, state_, pens, scene, shell);
}

// ---- The exact flow round the corner

ExactFlow FlowSession::ExactFlowNow() const
{
    return ComputeExactFlow(state_, kHalfPi - corner_.wallAngle);
}

ExactPointState FlowSession::ReadExactAt(double x, double y) const
{
    return ExactStateAtAngle(ExactFlowNow(), ExactPolarAngle(x - corner_.ApexX(), y - corner_.top));
}
