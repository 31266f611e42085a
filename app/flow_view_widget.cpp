#include "app/flow_view_widget.h"

#include <cmath>

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "base/saturate.h"
#include "platform/image_dc.h"

namespace {

constexpr int kTimerInterval = kTickMilliseconds; // ms

// A mouse position as the signed whole client pixel that contains it.
int PixelOf(double v) { return TruncToInt(std::floor(v)); }

} // namespace

FlowViewWidget::FlowViewWidget(FlowSession& session, QWidget* parent)
    : QWidget(parent), session_(session)
{
    setMouseTracking(true); // the probe needs every move, with or without a button
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent); // every paint covers the whole picture
    timer_.setInterval(kTimerInterval);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { session_.Tick(); });
    session_.frameReady = [this] { FrameReady(); };
    // The desktop draws the picture with Qt's painter and fonts.
    session_.View().makeDC = MakeImageDC;
}

FlowViewWidget::~FlowViewWidget()
{
    timer_.stop();
    session_.frameReady = nullptr;
}

void FlowViewWidget::Attach(int w, int h, uint32_t seed, int scale)
{
    if (scale <= 0)
        scale = DeviceScale(devicePixelRatioF());
    session_.Open(w, h, seed, scale);
    WatchWindow();
    if (!paused_ && !outOfSight_)
        timer_.start();
}

void FlowViewWidget::SetPaused(bool paused)
{
    paused_ = paused;
    if (paused) {
        timer_.stop();
        resumeInSight_ = false;
    } else if (outOfSight_) {
        resumeInSight_ = true;
    } else {
        timer_.start();
    }
}

void FlowViewWidget::SetOutOfSight(bool outOfSight)
{
    if (outOfSight == outOfSight_)
        return;
    outOfSight_ = outOfSight;
    if (outOfSight) {
        resumeInSight_ = timer_.isActive();
        timer_.stop();
    } else if (resumeInSight_ && !paused_) {
        resumeInSight_ = false;
        timer_.start();
    }
}

void FlowViewWidget::WatchWindow()
{
    QWidget* top = window();
    if (!top || !top->windowHandle() || watchedWindow_ == top->windowHandle())
        return;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top->windowHandle();
    watchedWindow_->installEventFilter(this);
    if (top != this)
        top->installEventFilter(this);
}

bool FlowViewWidget::eventFilter(QObject* watched, QEvent* event)
{
    // The window system says when the window stops being seen: it is no longer exposed when
    // minimised or fully covered, and its state says minimised.
    if (watched == watchedWindow_ && event->type() == QEvent::Expose)
        SetOutOfSight(!static_cast<QWindow*>(watchedWindow_)->isExposed());
    else if (watched == window() && event->type() == QEvent::WindowStateChange)
        SetOutOfSight(window()->isMinimized());
    else if (watched == window() && event->type() == QEvent::Hide && event->spontaneous())
        SetOutOfSight(true);
    return QWidget::eventFilter(watched, event);
}

void FlowViewWidget::showEvent(QShowEvent* event)
{
    WatchWindow();
    QWidget::showEvent(event);
}

int FlowViewWidget::DeviceScale(double devicePixelRatio)
{
    if (!(devicePixelRatio > 1.0))
        return 1;
    if (devicePixelRatio > 8.0)
        return 8;
    return TruncToInt(std::ceil(devicePixelRatio));
}

void FlowViewWidget::FrameReady()
{
    // The frame is in the window surface already; the paint only shows it.
    framePending_ = true;
    update();
    if (frameShown)
        frameShown();
}

void FlowViewWidget::paintEvent(QPaintEvent*)
{
    // A paint that shows a frame just composed by the timer or a recompute must not compose
    // again (the tracers would step twice). A paint the window system asks for on its own
    // composes a frame first, as a draw request does.
    if (!framePending_) {
        session_.View().Render(&session_.View().windowSurface);
        ++paintsComposed_;
    }
    framePending_ = false;

    QPainter painter(this);
    const QImage frame = ImageOf(session_.Frame());
    if (frame.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    // At a whole device pixel ratio the frame is copied pixel for pixel; at a fractional one
    // (1.5) the frame, composed at the next whole scale, is filtered down rather than sampled.
    if (devicePixelRatioF() != frame.devicePixelRatio())
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(0, 0, session_.View().width, session_.View().height), frame);
}

void FlowViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The toolkit grabs the mouse from the press to the release, so moves and the release
    // reach the picture even outside it.
    const QPointF p = event->position();
    session_.PointerPress(PixelOf(p.x()), PixelOf(p.y()));
}

void FlowViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    // A drag whose release went elsewhere (a popup took the mouse) ends at the first move
    // without the button, so a plain move never turns the wall.
    if (session_.Dragging() && !(event->buttons() & Qt::LeftButton))
        session_.PointerRelease();
    const QPointF p = event->position();
    session_.PointerMove(PixelOf(p.x()), PixelOf(p.y()));
}

void FlowViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    session_.PointerRelease();
}

void FlowViewWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Right) {
            TurnWall(+1);
            return;
        }
        if (event->key() == Qt::Key_Left) {
            TurnWall(-1);
            return;
        }
        if (event->key() == Qt::Key_Space) { // the animation stopped or started
            SetPaused(!paused_);
            if (pauseChanged)
                pauseChanged();
            return;
        }
        if (event->key() == Qt::Key_Period) { // one tick
            session_.Tick();
            return;
        }
    }
    QWidget::keyPressEvent(event); // Escape and the rest go on to the dialog
}

void FlowViewWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (focusChanged)
        focusChanged();
}

void FlowViewWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (focusChanged)
        focusChanged();
}

void FlowViewWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // The picture has no menu of its own, and the dialog's menu belongs to its background.
    event->accept();
}
