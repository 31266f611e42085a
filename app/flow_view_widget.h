#pragma once
// The picture's window: feeds the session the mouse, the keyboard and the 50 ms timer, and
// shows the frames the core composes.
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

    // Device pixels per picture pixel for a device pixel ratio: the next whole number.
    static int DeviceScale(double devicePixelRatio);

    // A frame has been composed: the next paint shows it.
    void FrameReady();

    // One degree of wall turning from the keyboard: +1 toward +x (less turning), -1 back.
    void TurnWall(int direction) { session_.TurnWall(direction); }

    // The animation stops while the window is minimised or covered and goes on where it
    // stopped when it shows again; paused, it stops until it is resumed.
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // The window is out of sight (minimised, hidden or fully covered) or back.
    void SetOutOfSight(bool outOfSight);

    // Told after a frame is shown, after the pause changed by a key, and after the focus moved.
    std::function<void()> frameShown;
    std::function<void()> pauseChanged;
    std::function<void()> focusChanged;

    FlowView& View() { return session_.View(); }
    QTimer& Timer() { return timer_; }
    // A composed frame waits for the paint that shows it.
    bool FramePending() const { return framePending_; }
    // How many paints had to compose their own frame (the window system asked on its own).
    long PaintsComposed() const { return paintsComposed_; }

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

    FlowSession& session_;
    QTimer timer_;
    QObject* watchedWindow_ = nullptr;
    bool paused_ = false;
    bool outOfSight_ = false;
    bool resumeInSight_ = false; // the timer was running when the window went out of sight
    bool framePending_ = false;
    long paintsComposed_ = 0;
};
