#include "dialog/flow_session.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/vector_state.h"
#include "model/classify.h"
#include "model/number_text.h"
#include "model/probe.h"
#include "model/start_values.h"
#include "model/theory.h"

namespace {

const std::string kNoText;

// How near the downstream wall (or its end) a finger or a pen must come down to turn it, in
// display units: about a fingertip.
constexpr double kWallReach = 24.0;

} // namespace

void FlowSession::Tell(const std::function<void()>& shell)
{
    if (!shell)
        return;
    shell();
    // The shell's code may have left the vector state in use; the core's maths goes on.
    ClearUpperVectorState();
}

FlowSession::FlowSession() : field_(state_, corner_), view_(field_)
{
    // The state as constructed, and every field empty until the start-up writes it.
    for (size_t i = 0; i < FieldCount(); ++i)
        texts_[FieldTable()[i].id] = Text();
}

// ---- Life

void FlowSession::Open(int w, int h, uint32_t seed, int scale)
{
    if (open_)
        return;
    open_ = true;
    scale_ = std::clamp(scale, 1, kMaxFrameScale);
    field_.Open(w, h, seed);
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
    active_.reset();
    mark_ = ReadMark();
    hasProbeAngle_ = false;
    const StartValues& start = StartUpValues();
    state_.v1 = start.v1;
    state_.t1 = start.t1;
    state_.p1 = start.p1;
    corner_.SetWallAngle(start.wallAngle);
    field_.tracers.count = 0; // the population starts afresh, from where the generator stands
    StartUp();
}

void FlowSession::Seed(uint32_t seed) { field_.random.Seed(seed); }

// ---- Fields

const std::string& FlowSession::FieldText(ControlId id) const
{
    const auto it = texts_.find(id);
    return it == texts_.end() ? kNoText : it->second.text;
}

const std::string& FlowSession::FieldNote(ControlId id) const
{
    const auto it = texts_.find(id);
    return it == texts_.end() ? kNoText : it->second.note;
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
    ClearUpperVectorState(); // a shell ran just before
    ForEachField(FieldSource::Input, [this](const FieldRow& row) {
        Text& t = texts_[row.id];
        const NumberReading r = ReadNumberText(t.text);
        state_.*row.state = r.value;
        std::string note = r.ownForm ? std::string() : FormatReadValue(r.value);
        if (note != t.note) {
            t.note = std::move(note);
            ++t.version;
        }
    });
    ComputeUpstreamState();
}

void FlowSession::ComputeUpstreamState()
{
    ::ComputeUpstreamState(state_);
    ForEachField(FieldSource::Upstream,
                 [this](const FieldRow& row) { SetText(row, state_.*row.state); });
    Tell(fieldsChanged);
    field_.UpdatePopulation();
    RecomputeFlow();
}

void FlowSession::SetText(ControlId id, std::string text)
{
    Text& t = texts_[id];
    t.text = std::move(text);
    ++t.version;
}

void FlowSession::SetText(const FieldRow& row, double value) { SetText(row.id, row.write(value)); }

// ---- The picture

void FlowSession::RecomputeFlow()
{
    field_.RetraceFlow();
    ShowFrame();
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
    plotComposer_.makeDC = view_.makeDC;
    plotComposer_.Invalidate();
    UpdatePlot();
}

int FlowSession::FrameScaleFor(double devicePixelRatio)
{
    if (!(devicePixelRatio > 1.0))
        return 1;
    if (devicePixelRatio >= kMaxFrameScale)
        return kMaxFrameScale;
    return TruncToInt(std::ceil(devicePixelRatio));
}

void FlowSession::SetFrameScale(int scale)
{
    scale = std::clamp(scale, 1, kMaxFrameScale);
    if (scale == scale_)
        return;
    scale_ = scale;
    ShowFrame();
}

void FlowSession::Tick()
{
    // The tracers stay where this frame shows them until the next tick.
    field_.AdvanceToFrame();
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

void FlowSession::SetDisplaySize(double width, double height)
{
    const bool usable = std::isfinite(width) && std::isfinite(height) && width > 0.0
                        && height > 0.0;
    displayWidth_ = usable ? width : 0.0;
    displayHeight_ = usable ? height : 0.0;
}

void FlowSession::PixelOf(const PointerEvent& e, int& x, int& y) const
{
    // The pixel that contains the point: rounded down, saturated to the ints (NaN gives 0).
    const double sx = displayWidth_ > 0.0 ? field_.width / displayWidth_ : 1.0;
    const double sy = displayHeight_ > 0.0 ? field_.height / displayHeight_ : 1.0;
    x = TruncToInt(std::floor(e.x * sx));
    y = TruncToInt(std::floor(e.y * sy));
}

bool FlowSession::NearWall(const PointerEvent& e) const
{
    // The downstream wall runs from the corner point along wallAngle (from the downward
    // vertical, positive toward +x) to the picture's edge, in picture pixels.
    const double ux = std::sin(corner_.wallAngle);
    const double uy = std::cos(corner_.wallAngle);
    if (!std::isfinite(ux) || !std::isfinite(uy) || !std::isfinite(e.x) || !std::isfinite(e.y))
        return false;
    const double ax = corner_.ApexX();
    const double ay = corner_.top;
    const double w = field_.width;
    const double h = field_.height;
    const double inf = HUGE_VAL;
    const double tx = ux > 0.0 ? (w - ax) / ux : ux < 0.0 ? -ax / ux : inf;
    const double ty = uy > 0.0 ? (h - ay) / uy : uy < 0.0 ? -ay / uy : inf;
    const double length = std::max(0.0, std::min(tx, ty));
    // Measured in display units, so that the reach is a fingertip's at any size the picture
    // is shown at.
    const double sx = displayWidth_ > 0.0 ? displayWidth_ / w : 1.0;
    const double sy = displayHeight_ > 0.0 ? displayHeight_ / h : 1.0;
    const double dx = ux * sx;
    const double dy = uy * sy;
    const double len2 = dx * dx + dy * dy;
    if (!(len2 > 0.0))
        return false;
    const double t = std::clamp(((e.x - ax * sx) * dx + (e.y - ay * sy) * dy) / len2, 0.0, length);
    const double px = ax * sx + t * dx - e.x;
    const double py = ay * sy + t * dy - e.y;
    return px * px + py * py <= kWallReach * kWallReach;
}

void FlowSession::ProbeAt(int x, int y)
{
    const double phi = corner_.PolarAngle(true, x, y);
    const int region = corner_.ClassifyPoint(state_, true, x, y);
    const ProbeValues v = ProbeReadout(state_, region, phi);
    ForEachField(FieldSource::Probe, [&](const FieldRow& row) { SetText(row, v.*row.probe); });
    Tell(fieldsChanged);
    hasProbeAngle_ = true;
    probeAngle_ = phi;
    UpdatePlot();
}

bool FlowSession::Dragging() const { return active_ && active_->turnsWall; }

void FlowSession::EndGesture() { active_.reset(); }

void FlowSession::PointerPressed(const PointerEvent& e)
{
    ClearUpperVectorState(); // a shell ran just before
    if (!open_ || !e.mainButton || active_)
        return; // another button, or another pointer already holds the picture
    int x = 0;
    int y = 0;
    PixelOf(e, x, y);
    ActivePointer a;
    a.id = e.id;
    a.kind = e.kind;
    if (e.kind == PointerKind::Mouse) {
        mark_ = ReadMark();
        a.turnsWall = true;
        active_ = a;
        corner_.SetWallFromPoint(x, y);
        RecomputeFlow();
        return;
    }
    a.turnsWall = NearWall(e);
    active_ = a;
    if (a.turnsWall) {
        mark_ = ReadMark();
        return;
    }
    mark_ = ReadMark{true, e.x, e.y};
    ProbeAt(x, y);
}

void FlowSession::PointerMoved(const PointerEvent& e)
{
    ClearUpperVectorState(); // a shell ran just before
    if (!open_)
        return;
    if (active_ && active_->id != e.id)
        return; // a second finger: the first one holds the picture
    // A mouse drag whose release went elsewhere ends at the first move without the button, so
    // a plain move never turns the wall.
    if (active_ && active_->kind == PointerKind::Mouse && !e.mainButton)
        EndGesture();
    int x = 0;
    int y = 0;
    PixelOf(e, x, y);
    if (!active_) {
        // Hovering: a mouse or a pen above the picture reads the flow; a finger cannot hover.
        if (e.kind == PointerKind::Touch)
            return;
        mark_ = ReadMark();
        ProbeAt(x, y);
        return;
    }
    if (active_->turnsWall) {
        // The plot follows once, with the read-out below (RecomputeFlow would compose it
        // with the old cursor first).
        corner_.SetWallFromPoint(x, y);
        field_.RetraceFlow();
        ShowFrame();
    } else {
        mark_ = ReadMark{true, e.x, e.y};
    }
    ProbeAt(x, y);
}

void FlowSession::PointerReleased(const PointerEvent& e)
{
    if (active_ && active_->id == e.id)
        EndGesture(); // a finger's read-out and its mark stay where it was lifted
}

void FlowSession::PointerCancelled(const PointerEvent& e) { PointerReleased(e); }

// ---- Keys and the menu

ShellAction FlowSession::KeyPressed(const KeyEvent& k)
{
    ClearUpperVectorState(); // a shell ran just before
    if (!open_ || k.control || k.alt || k.meta)
        return ShellAction::Ignored;
    if (k.shift && k.key != Key::Period)
        return ShellAction::Ignored;
    switch (k.key) {
    case Key::Right:
    case Key::Up: TurnWallBy(+1.0); return ShellAction::None;
    case Key::Left:
    case Key::Down: TurnWallBy(-1.0); return ShellAction::None;
    case Key::PageUp: TurnWallBy(+10.0); return ShellAction::None;
    case Key::PageDown: TurnWallBy(-10.0); return ShellAction::None;
    case Key::Home: TurnWallBy(-360.0); return ShellAction::None;
    case Key::End: TurnWallBy(+360.0); return ShellAction::None;
    case Key::Space:
        if (!k.repeat) // held down, it would flicker
            SetPaused(!paused_);
        return ShellAction::None;
    case Key::Period: StepOnce(); return ShellAction::None;
    case Key::F: return ShellAction::FullScreen;
    case Key::Other: break;
    }
    return ShellAction::Ignored;
}

void FlowSession::TurnWallBy(double degrees)
{
    if (!open_)
        return;
    // The range a drag can reach: above -pi/2 (a point far upstream, one pixel below the
    // corner) and at most atan(20 * width) (a point right of the corner, level with it).
    const double upper = std::atan(20.0 * corner_.width);
    const double lower = -upper;
    double angle = corner_.wallAngle + degrees * kRadiansPerDegree;
    if (!(angle <= upper))
        angle = upper;
    if (!(angle >= lower))
        angle = lower;
    SetWallAngle(angle);
}

void FlowSession::AddClassroomItems(std::vector<MenuItem>& items, bool separated) const
{
    items.push_back(MenuItem{Command::Pause, "Пауза", true, "Space", true, paused_, separated});
    items.push_back(MenuItem{Command::Step, "Шаг", true, "."});
    items.push_back(MenuItem{Command::Reset, "Сбросить"});
    items.push_back(
        MenuItem{Command::ExactTheory, kExactTheoryWords, true, "", true, view_.exactTheory, true});
    items.push_back(MenuItem{Command::Plot, kPlotWords, true, "", true, plotOpen_});
    MenuItem save{Command::SavePicture, "Сохранить рисунок…"};
    save.separatorBefore = true;
    items.push_back(save);
    items.push_back(MenuItem{Command::CopyPicture, "Копировать рисунок"});
}

std::vector<MenuItem> FlowSession::Menu() const
{
    constexpr const char* kLanguage = "Language / Язык";
    std::vector<MenuItem> items;
    items.push_back(MenuItem{Command::Close, "Close", false});
    MenuItem about{Command::About, "&About Cornerflow...", false};
    about.separatorBefore = true;
    items.push_back(about);
    items.push_back(MenuItem{Command::Keys, "Клавиши…"});
    AddClassroomItems(items, true);
    MenuItem russian{Command::Russian, "Русский", false, "", true, language_ == "ru", true};
    russian.submenu = kLanguage;
    items.push_back(russian);
    MenuItem english{Command::English, "English", false, "", true, language_ == "en"};
    english.submenu = kLanguage;
    items.push_back(english);
    return items;
}

std::vector<MenuItem> FlowSession::PageTools() const
{
    std::vector<MenuItem> items;
    AddClassroomItems(items, false);
    items.push_back(MenuItem{Command::CopyLink, "Копировать ссылку"});
    MenuItem full{Command::FullScreen, "Во весь экран", true, "F"};
    full.separatorBefore = true;
    items.push_back(full);
    items.push_back(MenuItem{Command::About, "О программе"});
    return items;
}

const std::vector<KeyHelp>& FlowSession::PictureKeys()
{
    static const std::vector<KeyHelp> keys = {
        {"← →, ↓ ↑", "повернуть стенку на 1°"},
        {"PgDn PgUp", "повернуть стенку на 10°"},
        {"Home End", "стенка до края, куда её доводит мышь"},
        {"Пробел", "остановить или продолжить анимацию"},
        {".", "один шаг анимации"},
        {"F", "во весь экран (на странице)"},
        {"Tab", "к следующему полю"},
    };
    return keys;
}

FlowSession::Slider FlowSession::WallSlider() const
{
    // beta as the label writes it, within the range a drag reaches (0 and 180 rounded); the
    // wall's turn from straight is what beta lacks of 180, so the two always add up to 180.
    Slider s;
    const double beta = corner_.wallAngle * kDegreesPerRadian + 90.0;
    s.beta = FormatFixed(beta, 0);
    s.value = ReadNumber(s.beta);
    s.turn = FormatFixed(180.0 - s.value, 0);
    return s;
}

ShellAction FlowSession::Choose(Command command)
{
    switch (command) {
    case Command::Close: return ShellAction::Close;
    case Command::About: return ShellAction::ShowAbout;
    case Command::Pause: SetPaused(!paused_); return ShellAction::None;
    case Command::Step: StepOnce(); return ShellAction::None;
    case Command::Reset: Reset(); return ShellAction::None;
    case Command::SavePicture: return ShellAction::SavePicture;
    case Command::CopyPicture: return ShellAction::CopyPicture;
    case Command::Russian: SetLanguage("ru"); return ShellAction::Language;
    case Command::English: SetLanguage("en"); return ShellAction::Language;
    case Command::CopyLink: return ShellAction::CopyLink;
    case Command::FullScreen: return ShellAction::FullScreen;
    case Command::ExactTheory: SetExactTheory(!view_.exactTheory); return ShellAction::None;
    case Command::Plot: plotOpen_ = !plotOpen_; return ShellAction::ShowPlot;
    case Command::Keys: return ShellAction::ShowKeys;
    }
    return ShellAction::None;
}

void FlowSession::SetLanguage(const std::string& language)
{
    language_ = language == "en" ? "en" : "ru";
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
    // Linear in beta, exact at both ends a teacher types most: the start-up body angle gives
    // the start-up wall, 180 gives a straight wall (pi/2). Each degree of beta is then
    // 1.0000295 degrees of the wall, and the label reads back the beta typed.
    const StartValues& start = StartUpValues();
    const double t = (betaDegrees - start.bodyAngle) / (180.0 - start.bodyAngle);
    const double wall = (1.0 - t) * start.wallAngle + t * kHalfPi;
    if (std::isfinite(wall)) // an angle that is no number leaves the wall where it is
        SetWallAngle(wall);
}

double FlowSession::BodyAngle() const
{
    // SetBodyAngle's map solved for beta.
    const StartValues& start = StartUpValues();
    const double t = (corner_.wallAngle - start.wallAngle) / (kHalfPi - start.wallAngle);
    return start.bodyAngle + t * (180.0 - start.bodyAngle);
}

// ---- Words and labels

std::string FlowSession::BetaLabel() const { return corner_.BetaLabel(); }

std::string FlowSession::AlphaLabel() const
{
    return Corner::HasFan(state_) ? Corner::AlphaLabel(state_) : std::string();
}

std::string FlowSession::ChiLabel() const
{
    return Corner::HasFan(state_) ? corner_.ChiLabel(state_) : std::string();
}

namespace {

// The label reads "β=135": the files are named after it.
std::string FileName(const Corner& corner, const char* kind, const char* extension)
{
    std::string beta = corner.BetaLabel();
    beta.erase(std::remove(beta.begin(), beta.end(), '='), beta.end());
    return kind + beta + extension;
}

} // namespace

std::string FlowSession::PictureFileName() const
{
    return FileName(corner_, "cornerflow-", ".png");
}

std::string FlowSession::PlotFileName() const
{
    return FileName(corner_, "cornerflow-plot-", ".png");
}

std::string FlowSession::ProfileFileName() const
{
    return FileName(corner_, "cornerflow-profile-", ".csv");
}

const char* PictureWords(PictureFacts::Flow flow)
{
    switch (flow) {
    case PictureFacts::Flow::Attached:
        return "стенка повёрнута на %1°, веер шириной %2°, поток прилегает к стенке";
    case PictureFacts::Flow::Separated:
        return "стенка повёрнута на %1°, веер шириной %2°, поток отрывается от стенки";
    case PictureFacts::Flow::IntoTheFlow:
        return "стенка повёрнута навстречу потоку на %1°: это сжатие, которого программа не "
               "показывает; веера разрежения нет";
    default: return "поток не сверхзвуковой, веера нет";
    }
}

PictureFacts FlowSession::Facts() const
{
    PictureFacts f;
    if (!Corner::HasFan(state_)) {
        // A supersonic flow without a fan: the wall turns into it (a compression).
        const double turn = corner_.TurnAngle(state_);
        if (PrandtlMeyer(state_, turn).kind == TheoryCase::IntoTheFlow) {
            f.flow = PictureFacts::Flow::IntoTheFlow;
            f.turnDegrees = FormatFixed(-turn * kDegreesPerRadian, 0);
        }
        return f;
    }
    f.flow = corner_.separationAngle != 0.0 ? PictureFacts::Flow::Separated
                                            : PictureFacts::Flow::Attached;
    f.turnDegrees = corner_.TurnDegreesText(state_);
    f.spanDegrees = Corner::SpanDegreesText(state_);
    return f;
}

// ==== The plot of the state through the fan, and the exact theory over the picture ==========

void FlowSession::SetPlotSize(double width, double height, double scale)
{
    const bool usable = std::isfinite(width) && std::isfinite(height) && width >= 0.5
                        && height >= 0.5;
    plotWidth_ = usable ? std::clamp(TruncToInt(std::floor(width + 0.5)), 1, 4096) : 0;
    plotHeight_ = usable ? std::clamp(TruncToInt(std::floor(height + 0.5)), 1, 4096) : 0;
    plotDisplayWidth_ = usable ? width : 0.0;
    plotScale_ = FrameScaleFor(scale);
    UpdatePlot();
}

void FlowSession::SetPlotQuantities(QuantitySet shown)
{
    plotShown_ = shown & kAllQuantities;
    UpdatePlot();
}

void FlowSession::SetPlotWords(const PlotWords& words)
{
    if (words == plotWords_)
        return;
    plotWords_ = words;
    ++plotWordsVersion_;
    UpdatePlot();
}

const FanProfile& FlowSession::Profile() const
{
    // Computed again when the state or the wall changed (the state holds the fan's angles).
    if (!profileValid_ || std::memcmp(&profileState_, &state_, sizeof state_) != 0
        || std::memcmp(&profileWall_, &corner_.wallAngle, sizeof profileWall_) != 0) {
        profile_ = ComputeFanProfile(state_, corner_.wallAngle, corner_.TurnAngle(state_));
        profileState_ = state_;
        profileWall_ = corner_.wallAngle;
        profileValid_ = true;
        ++profileVersion_;
    }
    return profile_;
}

ProfileSample FlowSession::PlotCursor() const
{
    return ProfileAt(state_, Profile().exact, hasProbeAngle_ ? probeAngle_ : kNoValue);
}

double FlowSession::PlotAngleAt(double x) const
{
    if (plotWidth_ <= 0 || !(plotDisplayWidth_ > 0.0))
        return kNoValue;
    const PlotLayout l = LayoutPlot(plotWidth_, plotHeight_, Profile(), plotShown_);
    return l.AngleAt(x * plotWidth_ / plotDisplayWidth_);
}

void FlowSession::UpdatePlot()
{
    if (!open_ || plotWidth_ <= 0 || plotHeight_ <= 0)
        return;
    ClearUpperVectorState(); // a shell ran just before
    const FanProfile& profile = Profile();
    PlotComposer::Input in;
    in.profile = &profile;
    in.profileVersion = profileVersion_;
    in.width = plotWidth_;
    in.height = plotHeight_;
    in.scale = plotScale_;
    in.shown = plotShown_;
    in.words = &plotWords_;
    in.wordsVersion = plotWordsVersion_;
    in.cursor = hasProbeAngle_;
    if (hasProbeAngle_)
        in.at = ProfileAt(state_, profile.exact, probeAngle_);
    if (!plotComposer_.Compose(plotFrame_, in))
        return; // nothing it shows has changed
    ++plotCount_;
    Tell(plotReady);
}

void FlowSession::SetExactTheory(bool on)
{
    if (on == view_.exactTheory)
        return;
    view_.exactTheory = on;
    ShowFrame();
}
