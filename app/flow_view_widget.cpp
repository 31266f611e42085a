#include "app/flow_view_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/picture_accessible.h"
#include "platform/image_dc.h"

namespace {

// A Qt key as the picture's keys know it.
KeyEvent KeyOf(const QKeyEvent& e)
{
    KeyEvent k;
    switch (e.key()) {
    case Qt::Key_Left: k.key = Key::Left; break;
    case Qt::Key_Right: k.key = Key::Right; break;
    case Qt::Key_Up: k.key = Key::Up; break;
    case Qt::Key_Down: k.key = Key::Down; break;
    case Qt::Key_PageUp: k.key = Key::PageUp; break;
    case Qt::Key_PageDown: k.key = Key::PageDown; break;
    case Qt::Key_Home: k.key = Key::Home; break;
    case Qt::Key_End: k.key = Key::End; break;
    case Qt::Key_Space: k.key = Key::Space; break;
    case Qt::Key_Period: k.key = Key::Period; break;
    case Qt::Key_E: k.key = Key::E; break;
    default: k.key = Key::Other; break;
    }
    const Qt::KeyboardModifiers m = e.modifiers();
    k.shift = m & Qt::ShiftModifier;
    k.control = m & Qt::ControlModifier;
    k.alt = m & Qt::AltModifier;
    k.meta = m & Qt::MetaModifier;
    k.repeat = e.isAutoRepeat();
    return k;
}

PointerEvent PointerOf(const QMouseEvent& e, bool mainButton)
{
    PointerEvent p;
    p.x = e.position().x();
    p.y = e.position().y();
    p.kind = PointerKind::Mouse;
    p.mainButton = mainButton;
    return p;
}

} // namespace

FlowViewWidget::FlowViewWidget(FlowSession& session, QWidget* parent)
    : QWidget(parent), session_(session)
{
    InstallPictureAccessibility(); // a screen reader meets the picture as a slider of beta
    setMouseTracking(true);        // the probe needs every move, with or without a button
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent); // every paint covers the whole picture
    timer_.setInterval(kTickMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { session_.TimerTicked(); });
    session_.frameReady = [this] { FrameReady(); };
    // The desktop draws the picture's labels with Qt's fonts.
    session_.SetDrawing(MakeImageDC);
}

FlowViewWidget::~FlowViewWidget()
{
    timer_.stop();
    session_.frameReady = nullptr;
}

void FlowViewWidget::Attach(int w, int h, uint32_t seed, int scale)
{
    if (scale <= 0)
        scale = FlowSession::FrameScaleFor(devicePixelRatioF());
    session_.Open(w, h, seed, scale);
    WatchWindow();
    UpdateTimer();
}

void FlowViewWidget::FollowPause() { UpdateTimer(); }

void FlowViewWidget::SetOutOfSight(bool outOfSight)
{
    outOfSight_ = outOfSight;
    UpdateTimer();
}

void FlowViewWidget::UpdateTimer()
{
    const bool run = session_.IsOpen() && !session_.Paused() && !outOfSight_;
    if (run && !timer_.isActive())
        timer_.start();
    else if (!run)
        timer_.stop();
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

void FlowViewWidget::FrameReady()
{
    update();
    if (frameShown)
        frameShown();
}

void FlowViewWidget::paintEvent(QPaintEvent*)
{
    // A paint shows the last frame the session composed and moves nothing. On a screen of
    // another device pixel ratio (the window moved) the frame is composed again at its scale.
    const int scale = FlowSession::FrameScaleFor(devicePixelRatioF());
    if (session_.IsOpen() && scale != session_.FrameScale())
        session_.SetFrameScale(scale);
    QPainter painter(this);
    PaintFrame(painter, rect(), session_.Frame(), devicePixelRatioF());
    // Where a finger or the keys read the flow: a ring over the frame, not part of it.
    const ReadMark mark = session_.Mark();
    if (mark.shown) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        const QPointF at(mark.x, mark.y);
        painter.setPen(QPen(Qt::white, 4));
        painter.drawEllipse(at, 7, 7);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawEllipse(at, 7, 7);
    }
}

void FlowViewWidget::mousePressEvent(QMouseEvent* event)
{
    // The toolkit grabs the mouse from the press to the release, so moves and the release
    // reach the picture even outside it.
    session_.PointerPressed(PointerOf(*event, event->button() == Qt::LeftButton));
}

void FlowViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    session_.PointerMoved(PointerOf(*event, event->buttons() & Qt::LeftButton));
}

void FlowViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool dragged = session_.Dragging();
    session_.PointerReleased(PointerOf(*event, true));
    if (dragged && dragEnded)
        dragEnded();
}

void FlowViewWidget::keyPressEvent(QKeyEvent* event)
{
    switch (session_.KeyPressed(KeyOf(*event))) {
    case ShellAction::Ignored: QWidget::keyPressEvent(event); return; // Escape and the rest
    default:
        update(); // a reading point moved by keys shows its mark
        if (keyHandled)
            keyHandled();
        return;
    }
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
