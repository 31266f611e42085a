#pragma once
// What the main dialog does, with no toolkit: the one door between the program and a shell.
// The session owns the flow state, the corner, the moving parts and the picture, keeps the
// text of every field, and decides what every user action means: typing and leaving a field,
// a key on the picture, a pointer (mouse, finger or pen) pressed, moved or released, a menu
// command, the clock. A shell makes widgets from the field table, translates its native
// events into the core's terms (dialog/input.h), and shows the texts and the frames.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "corner/corner.h"
#include "dialog/field_texts.h"
#include "dialog/fields.h"
#include "dialog/gas_choice.h"
#include "dialog/input.h"
#include "dialog/kept_choices.h"
#include "dialog/legend.h"
#include "dialog/menus.h"
#include "dialog/picture_description.h"
#include "dialog/plot_panel.h"
#include "dialog/pointer_gesture.h"
#include "dialog/words.h"
#include "draw/frame_buffer.h"
#include "model/exact_flow.h"
#include "model/flow_state.h"
#include "model/gas.h"
#include "model/number_text.h"
#include "model/physics.h"
#include "model/probe.h"
#include "model/profile.h"
#include "model/theory.h"
#include "plot/plot.h"
#include "res/ids.h"
#include "tracers/flow_field.h"
#include "view/flow_view.h"

// The animation's period: one tick of the tracers every 50 ms of real time.
constexpr int kTickMilliseconds = 50;

// The read-out of the flow at a picture point: its polar angle about the corner (rad), its
// region (model/classify.h) and the values the nine probe fields show.
struct ProbeReading {
    double phi = 0.0;
    int region = 0;
    ProbeValues values;
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
    const std::string& FieldText(ControlId id) const { return texts_.Text(id); }
    unsigned FieldVersion(ControlId id) const { return texts_.Version(id); }
    // What was read from an input field whose text is not in the program's own form (a decimal
    // comma, group spaces, other characters): the value as a text, for a note beside the field
    // (kReadAsWords); "" when the text is in the program's own form, and for other fields. It
    // is set when the fields are read; the field's version moves on when it changes.
    const std::string& FieldNote(ControlId id) const { return texts_.Note(id); }
    // What the user typed into an input field; read when a field is left.
    void SetInputText(ControlId id, const std::string& text) { texts_.SetInput(id, text); }
    // A field lost the focus: the three input texts are read and everything follows.
    void InputsLeft();

    // ---- The gas (dialog/gas_choice.h)
    // The gas chosen: a code of the list (model/gas.h: "air" at start and after Reset) or
    // kOtherGasCode, whose gamma and molar mass are typed.
    const std::string& Gas() const { return gas_.Code(); }
    // Sets a gas of the list, or "other gas" (which keeps the gamma and molar mass as they
    // stand until others are typed); everything follows. An unknown code changes nothing and
    // gives false.
    bool SetGas(const std::string& code);
    // "Other gas" with the typed gamma and molar mass, read by the fields' reading rule: both in
    // range (GammaInRange, MolarMassInRange) are taken and everything follows; otherwise nothing
    // changes and GasNote says why. The texts are kept as typed.
    bool SetGasValues(const std::string& gammaText, const std::string& molarMassText);
    // The same, chosen or typed by the user: kept for the next run when taken.
    bool ChooseGas(const std::string& code);
    bool ChooseGasValues(const std::string& gammaText, const std::string& molarMassText);
    // The texts of the gamma and molar mass fields (written from the gas when one of the list
    // is chosen), and the note beside them: what was read when a text is not in the program's
    // own form, or why a value was refused (the words UTF-8, Russian, which the shells
    // translate in the "Field" context); GasNote in the program's Russian, "" for none.
    const std::string& GasGammaText() const { return gas_.GammaText(); }
    const std::string& GasMolarMassText() const { return gas_.MolarMassText(); }
    const std::vector<::GasNote>& GasNotes() const { return gas_.Notes(); }
    // The notes finished in the session's language and joined ("" for none).
    std::string GasNote() const;

    // ---- What is kept between runs (dialog/kept_choices.h)
    // The shell's storage (none by default: nothing is kept). From then on each choice of the
    // user (Choose, ChooseGas, ChooseGasValues, ChoosePlotQuantities, ChoosePlotOpen) is written
    // there as it is made; the Set... calls, which a start state and the shells' own set-up
    // use, write nothing.
    void KeepChoicesIn(ChoiceStore* store) { keeper_.Use(store); }
    // What the storage keeps (nothing without one).
    KeptChoices Kept() const { return keeper_.Read(); }
    // What is kept is put back at opening by RecallKeptChoices (dialog/kept_choices.h); the
    // language is the shell's to open in (OpeningLanguage with Kept().language).

    // ---- The picture's input
    // The size the picture is shown at, in the shell's display units; pointer events come in
    // them. By default the picture's own size (one display unit per picture pixel). A picture
    // shown smaller than one unit per pixel gets larger labels (LabelCellFor), and the frame is
    // composed again when their size changes.
    void SetDisplaySize(double width, double height);
    // A key on the picture: what it does is done; the result says what is left to the shell.
    ShellAction KeyPressed(const KeyEvent& key);
    // The mouse: a move reads the flow under it; a press with the main button turns the wall
    // toward it and starts a drag that turns it with every move until the release. A finger or
    // a pen: one that comes down near the downstream wall turns it as it moves; anywhere else it
    // reads the flow where it is and follows it (ReadMark), and the read-out stays where it was
    // lifted. Only the first pointer down acts on the picture: others are ignored until it is
    // lifted (dialog/pointer_gesture.h). While a pointer or a finger's mark names a point, the
    // probe fields follow every change of the flow there.
    void PointerPressed(const PointerEvent& e);
    void PointerMoved(const PointerEvent& e);
    void PointerReleased(const PointerEvent& e) { gesture_.Released(e); }
    void PointerCancelled(const PointerEvent& e) { gesture_.Released(e); }
    bool Dragging() const { return gesture_.Dragging(); }
    ReadMark Mark() const { return gesture_.Mark(); }
    // The read-out of the flow at a picture point, as the probe fields show it (the
    // calculator's probes).
    ProbeReading ReadAt(double x, double y) const;

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
    double BodyAngle() const { return corner_.BodyAngle(); }

    // ---- The clock and the menu
    // The 50 ms tick: the tracers move and a frame is composed; nothing while paused.
    void TimerTicked();
    // One tick whether paused or not.
    void StepOnce();
    // How many ticks have moved the tracers since the session opened.
    unsigned long Ticks() const { return ticks_; }
    bool Paused() const { return paused_; }
    void SetPaused(bool paused);
    // The menu's items in order, with their words and states; and the page's tools (the
    // classroom's commands, the link, full screen and About), in the order the page shows them.
    std::vector<MenuItem> Menu() const { return MenuItems(MenusShow()); }
    std::vector<MenuItem> PageTools() const { return PageToolItems(MenusShow()); }
    // Every key the picture answers, and what it does.
    static const std::vector<KeyHelp>& PictureKeys() { return PictureKeyList(); }
    // Does what a command does in the core; the result says what is left to the shell.
    // language is the code a Command::Language item carries (MenuItem::language).
    ShellAction Choose(Command command, const std::string& language = std::string());
    // The code of the language the shells show their words in, a row of the table of languages
    // ("ru" by default); SetLanguage takes any code of the table, another code is "ru".
    const std::string& Language() const { return language_; }
    void SetLanguage(const std::string& language);

    // ---- What the shells show
    // The overlay's three labels ("" for alpha and chi without a fan).
    std::string BetaLabel() const { return corner_.BetaLabel(); }
    // With the exact theory: Corner::ExactAlphaLabel and ExactChiLabel (a shock's
    // "θ=…, σ=…" stands at chi's place).
    std::string AlphaLabel() const
    {
        if (physics_ == Physics::Exact)
            return Corner::ExactAlphaLabel(ExactFlowNow());
        return Corner::HasFan(state_) ? Corner::AlphaLabel(state_) : std::string();
    }
    std::string ChiLabel() const
    {
        if (physics_ == Physics::Exact)
            return Corner::ExactChiLabel(ExactFlowNow());
        return Corner::HasFan(state_) ? corner_.ChiLabel(state_) : std::string();
    }
    // What the model's picture shows (the wall's and the flow's turns, the fan, the wall).
    PictureFacts Facts() const { return FactsOf(field_); }
    // The picture's description for a screen reader (dialog/picture_description.h), of the
    // flow the picture follows.
    std::vector<SpokenSentence> Description() const
    {
        return DescribePicture(field_, physics_, paused_, {BetaLabel(), AlphaLabel(), ChiLabel()});
    }
    // The status line beside the picture: what the flow the picture follows is doing now, in
    // sentences.
    std::vector<SpokenSentence> Status() const { return DescribeStatus(field_, physics_); }
    // The legend: every line and mark the picture draws now in the pen it is drawn with, and
    // every symbol, each with its words; a command named as the shell shows it (the desktop's
    // menu, the page's tools).
    std::vector<LegendItem> Legend(LegendShell shell = LegendShell::Desktop) const;
    // The picture as a slider of the body angle beta, for a screen reader.
    using Slider = WallSliderValue;
    Slider WallSlider() const { return WallSliderOf(corner_); }

    // ---- Texts finished in the session's language (dialog/session_words.cpp): the program's
    // one translator (the table of languages) with its one filler; the shells show these as
    // they are.
    // A word of the program (its Russian source in its context) with %1 ... filled in.
    std::string Tr(const char* context, const char* source,
                   const std::vector<std::string>& values = {}) const;
    // The status line, the picture's description and the wall slider's value, each as one text.
    std::string StatusText() const;
    std::string DescriptionText() const;
    std::string WallSliderText() const;
    // A field's accessible name ("V1: скорость набегающего потока, м/с"), its note ("прочитано:
    // 1.5", "" without one); the gas's notes are GasNote().
    std::string FieldName(ControlId id) const;
    std::string FieldNoteText(ControlId id) const;
    // A field's accessible description: its role, and its note as a sentence after it.
    std::string FieldDescription(ControlId id) const;
    // The gas list as shown, in order (every gas of the table, then "other gas"), each its code
    // and its name with its formula; and the accessible names of the list and of "other gas"'s
    // two fields.
    struct GasItem {
        std::string code;
        std::string name;
    };
    std::vector<GasItem> GasItems() const;
    std::string GasChoiceName() const;
    std::string GasGammaName() const;
    std::string GasMolarMassName() const;
    // The About box's texts (dialog/words.h).
    AboutWords About(AboutShell shell) const;
    // The plot's facts for a screen reader (PlotFacts) as one text. The plot's own words follow
    // the language (SetLanguage gives them to the plot).
    std::string PlotFactsText() const;
    // The name a saved picture is offered under: cornerflow-β135.png for the current beta; and
    // the plot's and its numbers', cornerflow-plot-β135.png and cornerflow-profile-β135.csv.
    // A gas other than air is named before beta: cornerflow-He-β135.png (GasFileTag).
    std::string PictureFileName() const
    {
        return FileNameFor(corner_.BetaLabel(), "cornerflow-", ".png", FileTag());
    }
    std::string PlotFileName() const
    {
        return FileNameFor(corner_.BetaLabel(), "cornerflow-plot-", ".png", FileTag());
    }
    // The teacher's guide in the language shown, as a file of the program's documents
    // (teaching.ru.md); a shell that has no guide in that language opens the English one.
    std::string GuideFileName() const { return "teaching." + language_ + ".md"; }
    std::string ProfileFileName() const
    {
        return FileNameFor(corner_.BetaLabel(), "cornerflow-profile-", ".csv", FileTag());
    }
    // The last composed frame, and how many frames have been composed.
    const FrameBuffer& Frame() const { return frame_; }
    unsigned long FrameCount() const { return frames_; }
    // Device pixels per picture pixel for a screen's device pixel ratio (draw/frame_buffer.h).
    static int FrameScaleFor(double devicePixelRatio) { return ::FrameScaleFor(devicePixelRatio); }
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
    void Seed(uint32_t seed) { field_.random.Seed(seed); }

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
    // the size rounded (1..kMaxPictureSize each) with FrameScaleFor(scale) device pixels per unit.
    // A size that is not positive stops composing it (the start).
    void SetPlotSize(double width, double height, double scale = 1.0);
    // Which ratios the plot shows (QuantityBit of each; kDefaultPlotQuantities at start). An
    // empty set shows the axes and the characteristics only.
    void SetPlotQuantities(QuantitySet shown);
    void ChoosePlotQuantities(QuantitySet shown); // the user's: kept
    QuantitySet PlotQuantities() const { return plot_.Quantities(); }
    // The plot's words in the shell's language: PlotWords::Translated with the shell's
    // translation in the "Plot" context (the program's Russian at start).
    void SetPlotWords(const PlotWords& words);
    const PlotWords& PlotWordsShown() const { return plot_.Words(); }
    // The last composed plot, and how many plots have been composed (plotReady is told after
    // each).
    const FrameBuffer& PlotFrame() const { return plot_.Frame(); }
    unsigned long PlotCount() const { return plot_.Count(); }
    // A shell that puts the plot's pixels on its screen as they are, only the rows that
    // changed, asks for them in its order: the plot is composed in it and the rows that differ
    // are counted. Otherwise (the start) it is 0xAARRGGBB and every row counts as changed.
    void CountPlotRowsInOrder(PixelOrder order) { plot_.CountRowsInOrder(order); }
    // The device rows [first, end) of PlotFrame that may differ from what they held when this
    // was last called (see PlotComposer::TakeChangedRows).
    std::pair<int, int> TakePlotChangedRows() { return plot_.TakeChangedRows(); }
    std::function<void()> plotReady;
    // How many times the plot without its cursor was drawn (a probe lays the cursor over it).
    long PlotBaseCompositions() const { return plot_.BaseCompositions(); }
    // The polar angle (rad) of the last read-out of the flow (a pointer over the picture, a
    // finger), which the plot's cursor marks; false before the first and after Reset.
    bool HasProbeAngle() const { return plot_.HasCursor(); }
    double ProbeAngle() const { return plot_.CursorAngle(); }
    // The state through the fan for the inputs and the wall as they stand (for a table or a
    // CSV file), computed when asked for if the plot is not shown.
    const FanProfile& Profile() const { return plot_.Profile(); }
    // Profile as CSV: a header row, then phi in degrees and each quantity's model and exact
    // values ('.' as the decimal point, nan where the theory has none).
    std::string ProfileCsv() const { return ::ProfileCsv(Profile()); }
    // How the plot draws a quantity: its ratio, symbol and colour.
    static const QuantityLook& PlotLook(Quantity q) { return LookOf(q); }
    // What a screen reader hears: the name is PlotWord::AccessibleName; the description these
    // words with their values filled in (FillPlaceholders), after the shell's translation.
    PlotDescription PlotFacts() const { return DescribePlot(Profile()); }

    // The exact theory over the picture (FlowView::exactTheory): off at start and after Reset
    // leaves it as it is. Command::ExactTheory turns it over (and keeps it).
    bool ExactTheory() const { return view_.exactTheory; }
    void SetExactTheory(bool on);
    // Which flow everything the student sees follows: the model (the default) or the exact
    // theory. Reset leaves it as it is. With the exact theory the tracers, the streamlines and
    // the overlay follow the exact flow, the critical fields show the isentropic critical state
    // and the probe fields the exact state (a dash where it has no finite value), and a drag
    // or the keys turn the wall into the flow up to kMostTurnedInto; with the model everything
    // is as it always was, and a wall left above the upstream wall's line stays there.
    Physics PhysicsShown() const { return physics_; }
    void SetPhysics(Physics physics);
    // The user's choice (Command::Physics, the key E): turned over and kept.
    void ChoosePhysics();
    // Whether the shell shows the plot (Command::Plot turns it over; the menu's check mark).
    bool PlotOpen() const { return plotOpen_; }
    void SetPlotOpen(bool open) { plotOpen_ = open; }
    void ChoosePlotOpen(bool open); // the user's (the plot's window closed): kept
    // Whether the shell shows the legend (Command::Legend turns it over; off at start).
    bool LegendOpen() const { return legendOpen_; }
    void SetLegendOpen(bool open) { legendOpen_ = open; }
    // ==== end of the plot and the exact theory ==============================================

    // ==== The exact flow round the corner (model/exact_flow.h) ==============================
    // The exact inviscid flow of the state as it stands past the wall as it stands (its turn
    // pi/2 - wallAngle: away from the flow a fan, into it a shock), whichever flow is shown.
    ExactFlow ExactFlowNow() const;
    // The exact state at a picture point (picture pixels, as ReadAt takes them), at its polar
    // angle about the corner as ExactPolarAngle measures it.
    ExactPointState ReadExactAt(double x, double y) const;
    // The exact isentropic Prandtl-Meyer expansion of the state for the picture's turn (at most
    // the largest turning angle), or why there is none.
    TheoryResult Theory() const { return PrandtlMeyer(state_, corner_.TurnAngle(state_)); }
    // A text read by the input fields' rule (a lone comma is the decimal point, group spaces are
    // left out) and whether it was in the program's own form.
    static NumberReading ReadNumber(const std::string& text) { return ReadNumberText(text); }
    // ==== end of the exact flow =============================================================

private:
    void StartUp();
    void ComputeUpstreamState();
    // The critical fields of the flow shown: the model's (with the upstream fields, as
    // ComputeUpstreamState writes them) or the exact theory's isentropic critical state.
    void WriteCriticalFields();
    // The one recompute after the flow or the wall changed: fan geometry, probe run and
    // streamlines, the frame, the probe fields again at the point a pointer names (unless
    // probeAgain is false), and the plot.
    void RecomputeFlow(bool probeAgain = true);
    void ShowFrame();
    // The labels' font cell for the size the picture is shown at.
    int LabelCell() const;
    void Tick();
    // Turns the wall by a number of degrees (the keys pass 1, 10 and 360): + toward +x (less
    // turning), - back, within the range a drag can reach; an out-of-range target lands on the
    // range's end.
    void TurnWallBy(double degrees);
    WallLine Wall() const;
    // Carries out what a pointer asked for.
    void Act(const PointerIntent& intent);
    // The read-out of the flow at a picture pixel, into the nine probe fields and the plot's
    // cursor (without composing the plot).
    void WriteProbe(int x, int y);
    void UpdatePlot();
    MenuState MenusShow() const;
    // The gas's part of a file name ("" for air).
    std::string FileTag() const { return gas_.FileTag(GasNow()); }
    GasValues GasNow() const { return GasValues{state_.gamma, state_.molarMass}; }
    // The gas as it stands kept for the next run when a choice was taken; gives taken.
    bool KeepGasIf(bool taken);
    // A gas's numbers into the state; everything follows when they changed.
    void UseGas(const std::optional<GasValues>& values);
    // Runs a shell's callback, then clears the vector state it may have left in use.
    static void Tell(const std::function<void()>& shell);

    FlowState state_;
    Corner corner_;
    FlowField field_;
    FlowView view_;
    FieldTexts texts_;
    PointerGesture gesture_;
    PlotPanel plot_;
    FrameBuffer frame_;
    FrameLayers layers_;
    bool useLayers_ = false;
    unsigned long frames_ = 0;
    unsigned long ticks_ = 0;
    int scale_ = 1;
    bool open_ = false;
    bool paused_ = false;
    bool plotOpen_ = false;
    bool legendOpen_ = false;
    Physics physics_ = Physics::Model;
    std::string language_ = "ru";
    GasChoice gas_;
    ChoiceKeeper keeper_;
    // The picture pixel whose flow the probe fields show while a pointer names it.
    std::optional<std::pair<int, int>> probePixel_;
};
