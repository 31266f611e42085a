#pragma once
// What the main dialog does, with no toolkit: the one door between the program and a shell.
// The session owns the flow state, the corner, the moving parts and the picture, keeps the
// text of every field, and decides what every user action means: typing and leaving a field,
// a key on the picture, a pointer (mouse, finger or pen) pressed, moved or released, a menu
// command, the clock. A shell makes widgets from the field table, translates its native
// events into the core's terms (dialog/input.h), and shows the texts and the frames.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "corner/corner.h"
#include "dialog/fields.h"
#include "dialog/input.h"
#include "draw/frame_buffer.h"
#include "model/flow_state.h"
#include "model/profile.h"
#include "plot/plot.h"
#include "res/ids.h"
#include "tracers/flow_field.h"
#include "view/flow_view.h"

// The animation's period: one tick of the tracers every 50 ms of real time.
constexpr int kTickMilliseconds = 50;

// What the picture shows, for a screen reader's description of it: the turn chi and the
// fan's width in whole degrees (as the chi label writes them) and whether the flow follows
// the wall.
struct PictureFacts {
    // IntoTheFlow: the flow is supersonic but the wall turns into it, by turnDegrees (a
    // compression, which the program does not show: no fan).
    enum class Flow { Attached, Separated, NoFan, IntoTheFlow };
    Flow flow = Flow::NoFan;
    std::string turnDegrees;
    std::string spanDegrees;
};

// What a screen reader calls the picture, and its description for each kind of flow with %1 the
// turn and %2 the fan's width in degrees (UTF-8, Russian; the shells translate).
constexpr const char* kPictureName = "Картина течения";
const char* PictureWords(PictureFacts::Flow flow);
// The menu's words for the exact theory over the picture (translated in the "Dialog" context).
constexpr const char* kExactTheoryWords = "Точная теория";
// The menu's words for the plot of the state through the fan ("Dialog" context).
constexpr const char* kPlotWords = "Графики";
// The slider's value in words, with %1 beta and %2 the wall's turn in degrees.
constexpr const char* kSliderWords = "угол β = %1°, стенка повёрнута на %2°";
// Said after the picture's description: the keys that stop and step the animation, and the
// paused animation (UTF-8, Russian; the shells translate in the "Picture" context).
constexpr const char* kPictureKeysWords = "Пробел — пауза, точка — один шаг";
constexpr const char* kPausedWords = "Пауза: анимация остановлена";

// Where a finger or a pen reads the flow, for the shell to mark (the mark is not part of the
// picture), in display units.
struct ReadMark {
    bool shown = false;
    double x = 0.0;
    double y = 0.0;
};

class FlowSession {
public:
    FlowSession();
    FlowSession(const FlowSession&) = delete;
    FlowSession& operator=(const FlowSession&) = delete;

    // ---- Life
    // The start-up, once: the picture at w x h picture pixels composed at scale device pixels
    // per picture pixel, the random seed, every field's start text, the state computed as
    // constructed, then the three input fields read back. The first frame is composed.
    void Open(int w, int h, uint32_t seed, int scale = 1);
    bool IsOpen() const { return open_; }
    // Back to the state after opening: every field's start text, the wall, a new population
    // and the streamlines; a paused animation stays paused. The random generator goes on where
    // it stands.
    void Reset();

    // ---- Fields
    // A field's text ("" for an id that is no field), and how often the session has written it
    // (a shell shows a text again only when its count moved on).
    const std::string& FieldText(ControlId id) const;
    unsigned FieldVersion(ControlId id) const;
    // What was read from an input field whose text is not in the program's own form (a decimal
    // comma, group spaces, other characters): the value as a text, for a note beside the field
    // (kReadAsWords); "" when the text is in the program's own form, and for other fields. It
    // is set when the fields are read; the field's version moves on when it changes.
    const std::string& FieldNote(ControlId id) const;
    // What the user typed into an input field; read when a field is left.
    void SetInputText(ControlId id, const std::string& text);
    // A field lost the focus: the three input texts are read and everything follows.
    void InputsLeft();

    // ---- The picture's input
    // The size the picture is shown at, in the shell's display units; pointer events come in
    // them. By default the picture's own size (one display unit per picture pixel).
    void SetDisplaySize(double width, double height);
    // A key on the picture: what it does is done; the result says what is left to the shell.
    ShellAction KeyPressed(const KeyEvent& key);
    // The mouse: a move reads the flow under it; a press with the main button turns the wall
    // toward it and starts a drag that turns it with every move until the release. A finger or
    // a pen: one that comes down near the downstream wall turns it as it moves; anywhere else it
    // reads the flow where it is and follows it (ReadMark), and the read-out stays where it was
    // lifted. Only the first pointer down acts on the picture: others are ignored until it is
    // lifted.
    void PointerPressed(const PointerEvent& e);
    void PointerMoved(const PointerEvent& e);
    void PointerReleased(const PointerEvent& e);
    void PointerCancelled(const PointerEvent& e);
    bool Dragging() const;
    ReadMark Mark() const { return mark_; }

    // ---- The wall, set directly
    // The angle from the downward vertical, rad (pi/2 is a straight wall).
    void SetWallAngle(double angle);
    // Turned toward a picture point, as a mouse press there turns it.
    void SetWallFromPoint(int x, int y);
    // The body angle beta in degrees, as the beta label reads it: 135 gives the start-up
    // wall, 180 a straight wall, and beta maps linearly onto the wall angle between them.
    void SetBodyAngle(double betaDegrees);
    // The body angle beta in degrees that SetBodyAngle maps onto the wall as it stands: what a
    // link to this state carries (the page's address, the command line's --beta), so that the
    // state opens again on the same wall, not on the nearest whole degree.
    double BodyAngle() const;

    // ---- The clock and the menu
    // The 50 ms tick: the tracers move and a frame is composed; nothing while paused.
    void TimerTicked();
    // One tick whether paused or not.
    void StepOnce();
    bool Paused() const { return paused_; }
    void SetPaused(bool paused);
    // The menu's items in order, with their words and states; and the page's tools (the
    // classroom's commands, the link, full screen and About), in the order the page shows them.
    std::vector<MenuItem> Menu() const;
    std::vector<MenuItem> PageTools() const;
    // Every key the picture answers, and what it does.
    static const std::vector<KeyHelp>& PictureKeys();
    // Does what a command does in the core; the result says what is left to the shell.
    ShellAction Choose(Command command);
    // "ru" (the default) or "en": the language the shells show their words in.
    const std::string& Language() const { return language_; }
    void SetLanguage(const std::string& language);

    // ---- What the shells show
    // The overlay's three labels ("" for alpha and chi without a fan).
    std::string BetaLabel() const;
    std::string AlphaLabel() const;
    std::string ChiLabel() const;
    PictureFacts Facts() const;
    // The picture as a slider of the body angle beta, for a screen reader: its value and range
    // in whole degrees, and the value in words (kSliderWords with %1 beta and %2 the wall's
    // turn, in degrees).
    struct Slider {
        double value = 0.0;
        double min = 0.0;
        double max = 180.0;
        std::string beta;
        std::string turn;
    };
    Slider WallSlider() const;
    // The name a saved picture is offered under: cornerflow-β135.png for the current beta; and
    // the plot's and its numbers', cornerflow-plot-β135.png and cornerflow-profile-β135.csv.
    std::string PictureFileName() const;
    std::string PlotFileName() const;
    std::string ProfileFileName() const;
    // The last composed frame, and how many frames have been composed.
    const FrameBuffer& Frame() const { return frame_; }
    unsigned long FrameCount() const { return frames_; }
    // Device pixels per picture pixel for a screen's device pixel ratio: the next whole
    // number, 1 to kMaxFrameScale.
    static int FrameScaleFor(double devicePixelRatio);
    int FrameScale() const { return scale_; }
    // The frame composed again at another scale (a zoom, a move to another screen).
    void SetFrameScale(int scale);
    // The frame composed again as the state stands (a window uncovered, a frame to save); in
    // layers, the whole frame too, for Frame().
    void ComposeFrame();
    // A shell that stacks layers (FlowView::ComposeLayers) asks for them instead of the whole
    // frame: every change then brings Layers() up to date, and Frame() is composed only by
    // ComposeFrame.
    void UseLayers(bool layers);
    const FrameLayers& Layers() const { return layers_; }
    // How frames are drawn: a shell's device context (with its fonts for the labels).
    void SetDrawing(MakeDCFunction makeDC);

    // ---- Read-only views of the state, for the calculator and the tests
    const FlowState& State() const { return state_; }
    const Corner& Geometry() const { return corner_; }
    const FlowField& Field() const { return field_; }
    const FlowView& View() const { return view_; }
    // Seeds the random generator (a test's or a fuzzer's replay).
    void Seed(uint32_t seed);

    // Told after field texts changed, after a frame is composed, and after the pause changed;
    // each runs before the call that caused it returns.
    std::function<void()> fieldsChanged;
    std::function<void()> frameReady;
    std::function<void()> pauseChanged;

    // ==== The plot of the state through the fan, and the exact theory over the picture =====
    // The plot (plot/plot.h) is composed only while a shell has given it a size. It is composed
    // again, before the call that changed it returns, when what it shows changes: the inputs,
    // the wall, the probe's angle (its cursor), the quantities, the size, the words or the
    // drawing; a tick never composes it. It is drawn through the picture's device context
    // (SetDrawing), so its text comes from the shell's TextPainter.

    // The plot's size in display units and the screen's device pixel ratio: it is composed at
    // the size rounded (1..4096 each) with FrameScaleFor(scale) device pixels per unit. A size
    // that is not positive stops composing it (the start).
    void SetPlotSize(double width, double height, double scale = 1.0);
    // Which ratios the plot shows (QuantityBit of each; kDefaultPlotQuantities at start). An
    // empty set shows the axes and the characteristics only.
    void SetPlotQuantities(QuantitySet shown);
    QuantitySet PlotQuantities() const { return plotShown_; }
    // The plot's words in the shell's language: PlotWords::Translated with the shell's
    // translation in the "Plot" context (the program's Russian at start).
    void SetPlotWords(const PlotWords& words);
    const PlotWords& PlotWordsShown() const { return plotWords_; }
    // The last composed plot, and how many plots have been composed (plotReady is told after
    // each).
    const FrameBuffer& PlotFrame() const { return plotFrame_; }
    unsigned long PlotCount() const { return plotCount_; }
    std::function<void()> plotReady;
    // How many times the plot without its cursor was drawn (a probe lays the cursor over it).
    long PlotBaseCompositions() const { return plotComposer_.BaseCompositions(); }
    // The polar angle (rad) of the last read-out of the flow (a pointer over the picture, a
    // finger), which the plot's cursor marks; false before the first and after Reset.
    bool HasProbeAngle() const { return hasProbeAngle_; }
    double ProbeAngle() const { return probeAngle_; }
    // Both states at the probe's angle, as the cursor writes them (the model's equal the probe
    // fields).
    ProfileSample PlotCursor() const;
    // The polar angle (rad) under a column of the plot, in display units (for a pointer over it).
    double PlotAngleAt(double x) const;
    // The state through the fan for the inputs and the wall as they stand (for a table or a
    // CSV file), computed when asked for if the plot is not shown.
    const FanProfile& Profile() const;
    // What a screen reader hears: the name is PlotWord::AccessibleName; the description these
    // words with their values filled in (FillWords), after the shell's translation.
    PlotDescription PlotFacts() const { return DescribePlot(Profile()); }

    // The exact theory over the picture (FlowView::exactTheory): off at start and after Reset
    // leaves it as it is; remembering it is the shell's. Command::ExactTheory turns it over.
    bool ExactTheory() const { return view_.exactTheory; }
    void SetExactTheory(bool on);
    // Whether the shell shows the plot (Command::Plot turns it over; the menu's check mark).
    bool PlotOpen() const { return plotOpen_; }
    void SetPlotOpen(bool open) { plotOpen_ = open; }
    // ==== end of the plot and the exact theory ==============================================

private:
    struct ActivePointer {
        int id = 0;
        PointerKind kind = PointerKind::Mouse;
        bool turnsWall = false; // else it reads the flow
    };

    void StartUp();
    void ComputeUpstreamState();
    void RecomputeFlow();
    void ShowFrame();
    void Tick();
    // One degree of wall turning per step: + toward +x (less turning), - back, within the range
    // a drag can reach; an out-of-range target lands on the range's end.
    void TurnWallBy(double degrees);
    // The picture pixel that contains a point in display units.
    void PixelOf(const PointerEvent& e, int& x, int& y) const;
    bool NearWall(const PointerEvent& e) const;
    // The read-out of the flow at a picture pixel, into the nine probe fields.
    void ProbeAt(int x, int y);
    void SetText(ControlId id, std::string text);
    void SetText(const FieldRow& row, double value);
    void EndGesture();
    // The classroom's commands both menus share, from Pause to Copy picture.
    void AddClassroomItems(std::vector<MenuItem>& items, bool separated) const;
    // Runs a shell's callback, then clears the vector state it may have left in use.
    static void Tell(const std::function<void()>& shell);

    struct Text {
        std::string text;
        std::string note;
        unsigned version = 0;
    };
    FlowState state_;
    Corner corner_;
    FlowField field_;
    FlowView view_;
    FrameBuffer frame_;
    FrameLayers layers_;
    bool useLayers_ = false;
    unsigned long frames_ = 0;
    int scale_ = 1;
    std::map<ControlId, Text> texts_;
    bool open_ = false;
    bool paused_ = false;
    std::string language_ = "ru";
    double displayWidth_ = 0.0; // 0: the picture's own size
    double displayHeight_ = 0.0;
    std::optional<ActivePointer> active_;
    ReadMark mark_;

    // The plot and the profile.
    void UpdatePlot();
    PlotComposer plotComposer_;
    FrameBuffer plotFrame_;
    unsigned long plotCount_ = 0;
    int plotWidth_ = 0; // 0: no plot is composed
    int plotHeight_ = 0;
    int plotScale_ = 1;
    double plotDisplayWidth_ = 0.0;
    QuantitySet plotShown_ = kDefaultPlotQuantities;
    PlotWords plotWords_;
    unsigned long plotWordsVersion_ = 0;
    bool plotOpen_ = false;
    bool hasProbeAngle_ = false;
    double probeAngle_ = 0.0;
    mutable FanProfile profile_;
    mutable FlowState profileState_{};
    mutable double profileWall_ = 0.0;
    mutable bool profileValid_ = false;
    mutable unsigned long profileVersion_ = 0;
};
