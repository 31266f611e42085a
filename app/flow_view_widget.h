#pragma once
// The picture's window: translates the mouse and the keyboard into the session's terms, runs
// the 50 ms timer, and shows the frames the core composes.
#include <cstdint>
#include <functional>

#include <QTimer>
#include <QWidget>

#include "dialog/flow_session.h"

class FlowViewWidget : public QWidget {
public:
    FlowViewWidget(FlowSession& session, QWidget* parent = nullptr);
    ~FlowViewWidget() override;

    // Opens the session at w x h picture pixels with the seed and starts the timer. scale is
    // device pixels per picture pixel; 0 takes it from this window's device pixel ratio, so the
    // picture is composed at the screen's own resolution while the model still sees w x h.
    void Attach(int w, int h, uint32_t seed, int scale = 0);

    // A frame has been composed: the next paint shows it.
    void FrameReady();

    // The timer runs while the animation is not paused and the window is in sight: it stops
    // while the window is minimised or covered and goes on where it stopped when it shows
    // again. Called after the session's pause changed.
    void FollowPause();
    // The window is out of sight (minimised, hidden or fully covered) or back.
    void SetOutOfSight(bool outOfSight);

    // Told after a frame is shown, after a key on the picture was handled, after a drag with
    // the mouse ended, and after the focus moved.
    std::function<void()> frameShown;
    std::function<void()> keyHandled;
    std::function<void()> dragEnded;
    std::function<void()> focusChanged;

    QTimer& Timer() { return timer_; }
    FlowSession& Session() { return session_; }
    const FlowSession& Session() const { return session_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Watches the window that carries the picture for being minimised, hidden or uncovered.
    void WatchWindow();
    // The timer's state for the pause and the window's sight.
    void UpdateTimer();

    FlowSession& session_;
    QTimer timer_;
    QObject* watchedWindow_ = nullptr;
    bool outOfSight_ = false;
};
