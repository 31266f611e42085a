#pragma once
// What the main dialog does, with no toolkit: it owns the flow state, the corner and the
// picture, keeps the text of every field, and turns what a user does (typing and leaving a
// field, pointing, pressing and dragging, the arrow keys, the timer) into the model's calls.
// A shell makes widgets from the field table, forwards events here and shows the texts and
// the frames.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "corner/corner.h"
#include "dialog/fields.h"
#include "model/flow_state.h"
#include "model/start_values.h"
#include "view/flow_view.h"

// The animation's period: one tick of the tracers every 50 ms of real time.
constexpr int kTickMilliseconds = 50;

// What the picture shows, for a screen reader's description of it: the turn chi and the
// fan's width in whole degrees (as the chi label writes them) and whether the flow follows
// the wall.
struct PictureFacts {
    enum class Flow { Attached, Separated, NoFan };
    Flow flow = Flow::NoFan;
    std::string turnDegrees;
    std::string spanDegrees;
};

// What a screen reader calls the picture, and its description for each kind of flow with %1 the
// turn and %2 the fan's width in degrees (UTF-8, Russian; the shells translate).
constexpr const char* kPictureName = "Картина течения";
const char* PictureWords(PictureFacts::Flow flow);

class FlowSession : private FlowViewHost {
public:
    // With a state and a corner of its own, or with the caller's (which must outlive it).
    FlowSession();
    FlowSession(FlowState& fs, Corner& corner);
    ~FlowSession() override;
    FlowSession(const FlowSession&) = delete;
    FlowSession& operator=(const FlowSession&) = delete;

    // The start-up, once: the picture at w x h (scale device pixels per pixel) with the random
    // seed, every field's start text, the state computed as constructed, then the three input
    // fields read back. The frame is composed and the timer may start.
    void Open(int w, int h, uint32_t seed, int scale = 1);
    bool IsOpen() const { return open_; }
    // Back to the state after opening: every field's start text, the wall, a new population
    // and the streamlines. The random generator goes on where it stands.
    void Reset();

    // Field texts, by control id ("" for an id that is no field), and how often the session
    // has written each (a shell shows a text again only when its count moved on).
    const std::string& FieldText(ControlId id) const;
    unsigned FieldVersion(ControlId id) const;
    // What the user typed into an input field; read when a field is left.
    void SetInputText(ControlId id, const std::string& text);
    // A field lost the focus: the three input texts are read and everything follows.
    void InputsLeft();
    void InputsLeft(const std::string& v1, const std::string& t1, const std::string& p1);
    // The upstream and critical state from the state's inputs as they stand, into the fields,
    // with the population and the retraced flow.
    void ComputeUpstreamState();

    // The probe's read-out for a region code and polar angle code, into the nine probe fields.
    void ProbeReported(int region, int32_t angleCode);

    // The pointer, in picture pixels: a move probes (and turns the wall during a drag).
    void PointerMove(int x, int y);
    void PointerPress(int x, int y);
    void PointerRelease();
    bool Dragging() const;
    // One degree of wall turning from the keyboard: +1 toward +x (less turning), -1 back.
    void TurnWall(int direction);
    // The wall, set directly (the angle from the downward vertical, rad) or from a point.
    void SetWallAngle(double angle);
    void SetWallFromPoint(int x, int y);
    // The body angle beta in degrees, as the beta label reads it: 135 gives the start-up
    // wall, 180 a straight wall, and beta maps linearly onto the wall angle between them.
    void SetBodyAngle(double betaDegrees);
    // The 50 ms tick: the tracers step and a frame is composed.
    void Tick();

    // The overlay's three labels ("" for alpha and chi without a fan).
    std::string BetaLabel() const;
    std::string AlphaLabel() const;
    std::string ChiLabel() const;

    PictureFacts Facts() const;

    // The last composed frame.
    const FrameBuffer& Frame() const { return view_.windowSurface; }

    FlowState& State() { return fs_; }
    const FlowState& State() const { return fs_; }
    Corner& Geometry() { return corner_; }
    const Corner& Geometry() const { return corner_; }
    FlowView& View() { return view_; }

    // Told after field texts changed (ids in the table order) and after a frame is composed;
    // both run before the call that caused them returns.
    std::function<void()> fieldsChanged;
    std::function<void()> frameReady;

private:
    void Construct();
    void StartUp();
    void FrameReady() override;
    void PointerProbed(int region, int32_t angleCode) override;
    void SetText(ControlId id, std::string text);
    void SetText(const FieldRow& row, double value);

    struct Text {
        std::string text;
        unsigned version = 0;
    };
    std::unique_ptr<FlowState> ownState_;
    std::unique_ptr<Corner> ownCorner_;
    FlowState& fs_;
    Corner& corner_;
    FlowView view_;
    std::map<ControlId, Text> texts_;
    bool open_ = false;
};
