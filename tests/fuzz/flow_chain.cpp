#include "tests/fuzz/flow_chain.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/flow_dlg.h"
#include "model/number_text.h"
#include "model/probe.h"
#include "res/resource.h"
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

constexpr int kApexX = 311; // the corner point of the 622 x 384 picture
constexpr int kTop = 192;

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

const int kInputIds[3] = {IDC_V1, IDC_T1, IDC_P1};

class Player {
public:
    Player(uint32_t seed, Outcome& outcome) : out_(outcome)
    {
        dlg_.SetSeed(seed);
        dlg_.OnInitDialog();
        dlg_.ViewWindow().Timer().stop();
    }

    void Run(const Session& s)
    {
        for (int i = 0; i < 3; ++i)
            if (s.hasText[i])
                dlg_.Field(kInputIds[i])->setText(QString::fromUtf8(s.texts[i].data(),
                                                                    static_cast<int>(s.texts[i].size())));
        Leave();
        for (const Op& op : s.ops)
            Apply(op);

        FrameBuffer frame;
        dlg_.View().Render(&frame);
        if (frame.width != 622 || frame.height != 384)
            Problem("the frame is not the picture's size");
    }

private:
    CFlowView& View() { return dlg_.View(); }

    void Problem(const std::string& what)
    {
        if (out_.problems.size() < 20)
            out_.problems.push_back(what);
    }

    void Apply(const Op& op)
    {
        switch (op.kind) {
        case OpKind::Press:
            Mouse(QEvent::MouseButtonPress, op.x, op.y);
            ++out_.recomputes;
            if (!View().dragging)
                Problem("a press did not start a drag");
            CheckWork();
            break;
        case OpKind::Move: {
            const bool drag = View().dragging;
            Mouse(QEvent::MouseMove, op.x, op.y);
            if (drag) {
                ++out_.recomputes;
                CheckWork();
            }
            CheckProbe(op.x, op.y);
            break;
        }
        case OpKind::Release:
            Mouse(QEvent::MouseButtonRelease, op.x, op.y);
            if (View().dragging)
                Problem("a release left the drag on");
            break;
        case OpKind::Tick:
            for (int i = 0; i < op.count; ++i) {
                View().OnTimer(0);
                ++out_.ticks;
            }
            CheckWork();
            break;
        case OpKind::Leave:
            Leave();
            break;
        case OpKind::Retype:
            dlg_.Field(kInputIds[op.field])
                ->setText(QString::fromUtf8(op.text.data(), static_cast<int>(op.text.size())));
            Leave();
            break;
        case OpKind::Key: {
            const double before = corner_.wallAngle;
            QKeyEvent key(QEvent::KeyPress, op.right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
            QApplication::sendEvent(&dlg_.ViewWindow(), &key);
            const double limit = std::atan(20.0 * corner_.width);
            if (corner_.wallAngle == before && std::fabs(before) != limit)
                Problem("an arrow key did not turn the wall");
            ++out_.recomputes;
            CheckWork();
            break;
        }
        case OpKind::Paint: {
            // Drawing the window into an image delivers the paint event it would get.
            QImage shown(dlg_.ViewWindow().size(), QImage::Format_RGB32);
            dlg_.ViewWindow().render(&shown);
            if (dlg_.ViewWindow().FramePending())
                Problem("a paint left its frame pending");
            break;
        }
        }
    }

    // Points the window can carry go through it; the rest to the view's handlers, as the
    // window delivers them.
    void Mouse(QEvent::Type type, int x, int y)
    {
        const bool near = std::abs(static_cast<long long>(x)) < (1 << 20)
                          && std::abs(static_cast<long long>(y)) < (1 << 20);
        if (near) {
            const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            const bool held = type == QEvent::MouseButtonPress
                              || (type == QEvent::MouseMove && View().dragging);
            const QPointF p(x, y);
            QMouseEvent e(type, p, p, button, held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&dlg_.ViewWindow(), &e);
            return;
        }
        if (type == QEvent::MouseButtonPress)
            View().OnLButtonDown(x, y);
        else if (type == QEvent::MouseButtonRelease)
            View().OnLButtonUp();
        else
            View().OnMouseMove(x, y);
    }

    void Leave()
    {
        QString before[3];
        for (int i = 0; i < 3; ++i)
            before[i] = dlg_.Field(kInputIds[i])->text();
        dlg_.OnInputKillFocus();
        ++out_.recomputes;
        for (int i = 0; i < 3; ++i)
            if (dlg_.Field(kInputIds[i])->text() != before[i])
                Problem("reading changed an input field's text");
        const double read[3] = {fs_.v1, fs_.t1, fs_.p1};
        for (int i = 0; i < 3; ++i) {
            const double v = dlg_.Field(kInputIds[i])->GetValue();
            if (!(v == read[i] && std::signbit(v) == std::signbit(read[i])))
                Problem("the model does not hold the input read from its field");
        }
        const struct {
            int id;
            double value;
        } shown[] = {
            {IDC_RHO1, fs_.rho1}, {IDC_C1, fs_.c1}, {IDC_VOL1, fs_.vol1},
            {IDC_M1, fs_.mach1}, {IDC_CRIT_SPEED, fs_.critSpeed}, {IDC_CRIT_TEMP, fs_.critTemp},
            {IDC_CRIT_PRESSURE, fs_.critPressure}, {IDC_CRIT_DENSITY, fs_.critDensity},
            {IDC_CRIT_VOLUME, fs_.critVolume},
        };
        for (const auto& f : shown)
            if (dlg_.Field(f.id)->text().toStdString() != FormatFieldValue(f.value))
                Problem("field " + std::to_string(f.id) + " does not show the model's value");
        CheckWork();
    }

    void CheckWork()
    {
        CFlowView& v = View();
        if (v.probeSteps > out_.longestProbeRun)
            out_.longestProbeRun = v.probeSteps;
        if (v.probeSteps < 0 || v.probeSteps > kMaxProbeSteps)
            Problem("a probe run went past its bound");
        if (v.tracers.count != FlowField::PopulationFor(fs_.p1))
            Problem("the tracer count does not follow P1");
        if (v.tracers.count > kMaxTracers || v.tracers.capacity > 2 * kMaxTracers)
            Problem("the tracer array went past its bound");
        for (int i = 1; i < 4; ++i) {
            const CStreamline& s = v.streamlines[i];
            if (s.upstreamSteps > kMaxTracePhaseSteps || s.fanSteps > kMaxTracePhaseSteps
                || s.downstreamSteps > kMaxTracePhaseSteps || s.points.count < 3
                || s.points.count > 3 + kMaxTracePhaseSteps)
                Problem("a streamline's trace went past its bounds");
        }
        const double wall = corner_.wallAngle;
        if (!(wall > -M_PI / 2 && wall < M_PI / 2))
            Problem("the wall angle left its range");
    }

    void CheckProbe(int x, int y)
    {
        const double phi = corner_.PolarAngle(true, x, y);
        const int region = corner_.ClassifyPoint(fs_, true, x, y);
        const ProbeValues p = ProbeReadout(fs_, region, ProbeAngleParam(phi));
        const struct {
            int id;
            double value;
        } shown[] = {
            {IDC_T, p.T}, {IDC_P, p.P}, {IDC_RHO, p.rho}, {IDC_C, p.c}, {IDC_M, p.M},
            {IDC_VOL, p.V0}, {IDC_V, p.V}, {IDC_VPHI, p.Vphi}, {IDC_VR, p.Vr},
        };
        for (const auto& f : shown)
            if (dlg_.Field(f.id)->text().toStdString() != FormatFieldValue(f.value))
                Problem("probe field " + std::to_string(f.id) + " does not show the probe");
    }

    Outcome& out_;
    FlowState fs_;
    CCorner corner_;
    CFlowDlg dlg_{fs_, corner_};
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
        case 2:
            op.kind = OpKind::Release;
            break;
        case 3:
            op.kind = OpKind::Tick;
            op.count = 1 + (code / 8) % 4;
            break;
        case 4:
            op.kind = OpKind::Leave;
            break;
        case 5:
            op.kind = OpKind::Retype;
            op.field = (code / 8) % 3;
            r.Text(op.text);
            break;
        case 6:
            op.kind = OpKind::Key;
            op.right = ((code / 8) & 1) != 0;
            break;
        default:
            op.kind = OpKind::Paint;
            break;
        }
        s.ops.push_back(op);
    }
    return s;
}

Outcome Play(const Session& session, uint32_t seed)
{
    Outcome outcome;
    Player player(seed, outcome);
    player.Run(session);
    return outcome;
}

} // namespace fuzzchain
