#include "tests/fuzz/flow_chain.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "dialog/flow_session.h"
#include "model/exact_flow.h"
#include "model/number_text.h"
#include "model/physics.h"
#include "model/probe.h"
#include "res/ids.h"
#include "tests/support/start_up.h"
#include "tracers/flow_field.h"
#include "tracers/limits.h"

namespace fuzzchain {

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int16_t Int16()
    {
        const uint16_t lo = Byte();
        const uint16_t hi = Byte();
        return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    }
    // Bytes up to '\n' (consumed, not kept) or the end; at most kMaxTextBytes are kept.
    bool Text(std::string& out)
    {
        if (AtEnd())
            return false;
        out.clear();
        while (pos_ < size_ && data_[pos_] != '\n') {
            if (out.size() < kMaxTextBytes)
                out.push_back(static_cast<char>(data_[pos_]));
            ++pos_;
        }
        if (pos_ < size_)
            ++pos_; // the '\n'
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// The picture the session is played in, and its corner point.
constexpr int kWidth = start::kWidth;
constexpr int kHeight = 384;
constexpr int kApexX = kWidth / 2;
constexpr int kTop = kHeight / 2;

int Coordinate(int16_t v, int mode, int offset, bool extreme)
{
    if (extreme)
        return (v & 1) ? INT_MAX : INT_MIN;
    static const long long scales[4] = {1, 16, 4096, 65537};
    long long c = static_cast<long long>(v) * scales[mode & 3];
    if (mode & 4)
        c += offset;
    if (c > INT_MAX)
        c = INT_MAX;
    if (c < INT_MIN)
        c = INT_MIN;
    return static_cast<int>(c);
}

void ReadPoint(Reader& r, Op& op)
{
    const int mode = r.Byte();
    const int16_t a = r.Int16();
    const int16_t b = r.Int16();
    const bool extreme = (mode & 0x80) != 0;
    op.x = Coordinate(a, mode, kApexX, extreme);
    op.y = Coordinate(b, mode, kTop, extreme);
}

const ControlId kInputIds[3] = {ControlId::UpstreamSpeed, ControlId::UpstreamTemperature,
                                ControlId::UpstreamPressure};

class Player {
public:
    // One session serves every input: it is put back to its start-up state, with the
    // generator seeded, before each, so an input plays the same wherever it comes.
    Player(FlowSession& session, uint32_t seed, Outcome& outcome) : out_(outcome), session_(session)
    {
        if (!session_.IsOpen()) {
            session_.Open(kWidth, kHeight, seed);
            return;
        }
        session_.Seed(seed);
        session_.Reset();
        session_.SetPhysics(Physics::Model); // a choice, which Reset keeps
    }

    void Run(const Session& s)
    {
        for (int i = 0; i < 3; ++i)
            if (s.hasText[i])
                session_.SetInputText(kInputIds[i], s.texts[i]);
        Leave();
        for (const Op& op : s.ops)
            Apply(op);

        FrameBuffer frame;
        session_.View().Compose(frame, 1);
        if (frame.width != kWidth || frame.height != kHeight)
            Problem("the frame is not the picture's size");
    }

private:
    const FlowField& Field() const { return session_.Field(); }

    static PointerEvent Mouse(int x, int y, bool mainButton)
    {
        PointerEvent e;
        e.x = x;
        e.y = y;
        e.mainButton = mainButton;
        return e;
    }

    void Problem(const std::string& what)
    {
        if (out_.problems.size() < 20)
            out_.problems.push_back(what);
    }

    void Apply(const Op& op)
    {
        switch (op.kind) {
        case OpKind::Press:
            session_.PointerPressed(Mouse(op.x, op.y, true));
            ++out_.recomputes;
            if (!session_.Dragging())
                Problem("a press did not start a drag");
            CheckWork();
            break;
        case OpKind::Move: {
            const bool drag = session_.Dragging();
            session_.PointerMoved(Mouse(op.x, op.y, drag));
            if (drag) {
                ++out_.recomputes;
                CheckWork();
            }
            CheckProbe(op.x, op.y);
            break;
        }
        case OpKind::Release:
            session_.PointerReleased(Mouse(0, 0, true));
            if (session_.Dragging())
                Problem("a release left the drag on");
            break;
        case OpKind::Tick:
            for (int i = 0; i < op.count; ++i) {
                session_.StepOnce();
                ++out_.ticks;
            }
            CheckWork();
            break;
        case OpKind::Leave: Leave(); break;
        case OpKind::Retype:
            if (op.field == 3) // gamma typed, the molar mass as it stands
                session_.SetGasValues(op.text, session_.GasMolarMassText());
            else if (op.field == 4)
                session_.SetGasValues(session_.GasGammaText(), op.text);
            else
                session_.SetInputText(kInputIds[op.field], op.text);
            Leave();
            break;
        case OpKind::Key: {
            const double before = Geometry().wallAngle;
            KeyEvent key;
            key.key = op.right ? Key::Right : Key::Left;
            session_.KeyPressed(key);
            const double limit = std::atan(20.0 * Geometry().width);
            if (Geometry().wallAngle == before && std::fabs(before) != limit
                && !(before >= M_PI / 2))
                Problem("an arrow key did not turn the wall");
            ++out_.recomputes;
            CheckWork();
            break;
        }
        case OpKind::Physics:
            session_.SetPhysics(op.exact ? Physics::Exact : Physics::Model);
            if (session_.PhysicsShown() != (op.exact ? Physics::Exact : Physics::Model))
                Problem("the physics chosen is not the one shown");
            CheckWork();
            break;
        case OpKind::Body:
        case OpKind::Wall:
            if (op.kind == OpKind::Body)
                session_.SetBodyAngle(op.angle);
            else
                session_.SetWallAngle(op.angle);
            ++out_.recomputes;
            CheckWork();
            break;
        case OpKind::Paint: {
            // A frame composed for a repaint shows the flow and moves nothing.
            const double marker = Field().marker.x;
            const double tracer = Field().tracers.count > 0 ? Field().tracers[0].x : 0.0;
            session_.ComposeFrame();
            if (!(Field().marker.x == marker || std::isnan(marker))
                || (Field().tracers.count > 0 && !(Field().tracers[0].x == tracer)
                    && !std::isnan(tracer)))
                Problem("a repaint moved the tracers");
            break;
        }
        }
    }

    const Corner& Geometry() const { return session_.Geometry(); }
    const FlowState& State() const { return session_.State(); }

    void Leave()
    {
        std::string before[3];
        for (int i = 0; i < 3; ++i)
            before[i] = session_.FieldText(kInputIds[i]);
        session_.InputsLeft();
        ++out_.recomputes;
        for (int i = 0; i < 3; ++i)
            if (session_.FieldText(kInputIds[i]) != before[i])
                Problem("reading changed an input field's text");
        const FlowState& fs = State();
        const double read[3] = {fs.v1, fs.t1, fs.p1};
        for (int i = 0; i < 3; ++i) {
            const double v = ReadNumber(session_.FieldText(kInputIds[i]));
            if (!(v == read[i] && std::signbit(v) == std::signbit(read[i])))
                Problem("the model does not hold the input read from its field");
        }
        for (size_t i = 0; i < FieldCount(); ++i) {
            const FieldRow& row = FieldTable()[i];
            if (row.source == FieldSource::Upstream && session_.PhysicsShown() == Physics::Model
                && session_.FieldText(row.id) != FormatFieldValue(fs.*row.state))
                Problem("field " + std::to_string(ToInt(row.id))
                        + " does not show the model's value");
        }
        CheckWork();
    }

    void CheckWork()
    {
        const FlowField& v = Field();
        if (v.probeSteps > out_.longestProbeRun)
            out_.longestProbeRun = v.probeSteps;
        if (v.probeSteps < 0 || v.probeSteps > kMaxProbeSteps)
            Problem("a probe run went past its bound");
        if (v.tracers.count != FlowField::PopulationFor(State().p1))
            Problem("the tracer count does not follow P1");
        if (v.tracers.count > kMaxTracers || v.tracers.capacity > 2 * kMaxTracers)
            Problem("the tracer array went past its bound");
        // Start, fan entry and end; past the upstream wall's line (a wall turned into the
        // flow, which only a command sets) the model's trace keeps its start and end alone, and
        // so does the exact one where nothing past the corner is computed (a subsonic flow, a
        // detached shock: level up to the vertical through the corner).
        const int fewest =
            Geometry().wallAngle > M_PI / 2 || session_.PhysicsShown() == Physics::Exact ? 2 : 3;
        for (int i = 1; i < 4; ++i) {
            const Streamline& s = v.streamlines[i];
            if (s.upstreamSteps > kMaxTracePhaseSteps || s.fanSteps > kMaxTracePhaseSteps
                || s.downstreamSteps > kMaxTracePhaseSteps || s.points.count < fewest
                || s.points.count > 3 + kMaxTracePhaseSteps)
                Problem("a streamline's trace went past its bounds");
        }
        const double wall = Geometry().wallAngle;
        if (!(wall > -M_PI / 2 && wall <= M_PI / 2 + M_PI / 3))
            Problem("the wall angle left its range");
    }

    void CheckProbe(int x, int y)
    {
        if (session_.PhysicsShown() == Physics::Exact) {
            // The exact state where the probe fields read it.
            const ExactPointState e = session_.ReadExactAt(x, y);
            if (!std::isnan(e.P) && !(e.P >= 0.0))
                Problem("the exact state read has a negative pressure");
            return;
        }
        const FlowState& fs = State();
        const double phi = Geometry().PolarAngle(true, x, y);
        const int region = Geometry().ClassifyPoint(fs, true, x, y);
        const ProbeValues p = ProbeReadout(fs, region, phi);
        for (size_t i = 0; i < FieldCount(); ++i) {
            const FieldRow& row = FieldTable()[i];
            if (row.source == FieldSource::Probe
                && session_.FieldText(row.id) != FormatFieldValue(p.*row.probe))
                Problem("probe field " + std::to_string(ToInt(row.id))
                        + " does not show the probe");
        }
    }

    Outcome& out_;
    FlowSession& session_;
};

} // namespace

Session Decode(const uint8_t* data, size_t size)
{
    Session s;
    Reader r(data, size);
    for (int i = 0; i < 3; ++i)
        s.hasText[i] = r.Text(s.texts[i]);
    while (!r.AtEnd() && s.ops.size() < kMaxOps) {
        const uint8_t code = r.Byte();
        Op op;
        switch (code % 8) {
        case 0:
            op.kind = OpKind::Press;
            ReadPoint(r, op);
            break;
        case 1:
            op.kind = OpKind::Move;
            ReadPoint(r, op);
            break;
        case 2: op.kind = OpKind::Release; break;
        case 3:
            op.kind = OpKind::Tick;
            op.count = 1 + (code / 8) % 4;
            break;
        case 4: op.kind = OpKind::Leave; break;
        case 5:
            op.kind = OpKind::Retype;
            // The last eighth of the codes types the gas: gamma, then the molar mass.
            op.field = code / 8 >= 28 ? 3 + (code / 8) % 2 : (code / 8) % 3;
            r.Text(op.text);
            break;
        case 6:
            op.kind = OpKind::Key;
            op.right = ((code / 8) & 1) != 0;
            // The last eighth of the codes: the physics, and walls above the upstream wall's line.
            if (code / 8 == 28 || code / 8 == 29) {
                op.kind = OpKind::Physics;
                op.exact = code / 8 == 28;
            } else if (code / 8 == 30) {
                op.kind = OpKind::Body;
                op.angle = 180.0 + 60.0 * std::fabs(static_cast<double>(r.Int16())) / 32768.0;
            } else if (code / 8 == 31) {
                op.kind = OpKind::Wall;
                op.angle = M_PI / 2 + M_PI / 3 * r.Int16() / 32768.0;
            }
            break;
        default: op.kind = OpKind::Paint; break;
        }
        s.ops.push_back(op);
    }
    return s;
}

Outcome Play(const Session& session, uint32_t seed)
{
    static FlowSession shared;
    Outcome outcome;
    Player player(shared, seed, outcome);
    player.Run(session);
    return outcome;
}

} // namespace fuzzchain
