#pragma once
// The picture's window: carries the view, feeds it the mouse, the keyboard and the 50 ms
// timer, sends its probe to the dialog, and shows the frames the view composes.
#include <cstdint>
#include <functional>

#include <QTimer>
#include <QWidget>

#include "view/flow_view.h"

class CFlowViewWidget : public QWidget, public FlowViewHost {
public:
    CFlowViewWidget(CFlowView& view, QWidget* parent = nullptr);
    ~CFlowViewWidget() override;

    // Takes over the view at w x h picture pixels: initialises it with the seed and starts the
    // timer. scale is device pixels per picture pixel; 0 takes it from this window's device
    // pixel ratio, so the picture is composed at the screen's own resolution while the view
    // and the model still see w x h.
    void Attach(int w, int h, uint32_t seed, int scale = 0);

    // Device pixels per picture pixel for a device pixel ratio: the next whole number.
    static int DeviceScale(double devicePixelRatio);

    // The dialog's probe handler; called directly, so it has run when a move's handling ends.
    std::function<void(int region, int32_t lParam)> probeHandler;

    // FlowViewHost
    void FrameReady() override;
    void SendFlowProbe(int region, int32_t lParam) override;

    // One degree of wall turning from the keyboard: +1 toward +x (less turning), -1 back.
    void TurnWall(int direction);

    CFlowView& View() { return view_; }
    QTimer& Timer() { return timer_; }
    // A composed frame waits for the paint that shows it.
    bool FramePending() const { return framePending_; }
    // How many paints had to compose their own frame (the window system asked on its own).
    long PaintsComposed() const { return paintsComposed_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CFlowView& view_;
    QTimer timer_;
    bool framePending_ = false;
    long paintsComposed_ = 0;
};
