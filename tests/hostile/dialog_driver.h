#pragma once
// The main dialog driven as a student drives it: typing into the input fields and leaving
// them, pressing, dragging and releasing on the picture through the window, timer ticks and
// probes. Used by the hostile-input matrix and the soak.
#include <chrono>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "app/flow_dialog.h"
#include "corner/corner.h"
#include "model/flow_state.h"
#include "res/ids.h"

class DialogDriver {
public:
    explicit DialogDriver(uint32_t seed = 12345)
        : dlg(std::make_unique<FlowDialog>()),
          fs(dlg->Session().State()),
          corner(dlg->Session().Geometry())
    {
        dlg->SetSeed(seed);
        dlg->show();
        dlg->ViewWindow().Timer().stop(); // ticks come only from the driver
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
    }

    std::unique_ptr<FlowDialog> dlg;
    // The session's state and corner, as the dialog shows them.
    const FlowState& fs;
    const Corner& corner;

    QWidget* ViewWidget() { return &dlg->ViewWindow(); }
    FlowSession& Session() { return dlg->Session(); }
    const FlowField& Field() { return dlg->Session().Field(); }
    std::string Text(ControlId id) { return dlg->Field(id)->text().toStdString(); }

    // Clicks into an input field, replaces its text by typing, and leaves it with Tab.
    void TypeAndLeave(ControlId id, const QString& text)
    {
        Type(id, text);
        QTest::keyClick(dlg->Field(id), Qt::Key_Tab);
    }
    // Types without leaving: nothing is recomputed yet.
    void Type(ControlId id, const QString& text)
    {
        NumberEdit* e = dlg->Field(id);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        for (const QChar c : text) {
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
                QTest::keyClick(e, c.toLatin1());
            } else {
                // A character no key of the test keyboard makes, as an input method gives it.
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(e, &press);
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(e, &release);
            }
        }
    }
    // Moves the focus away from whatever has it, as a click on the picture does.
    void FocusPicture() { ViewWidget()->setFocus(Qt::MouseFocusReason); }

    // Mouse events through the picture's window. QTest's own events carry whole points
    // inside the window; a point far outside goes as a toolkit event with a real position.
    void Send(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, pos, pos, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(ViewWidget(), &e);
    }
    void Press(QPointF p) { Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void DragTo(QPointF p) { Send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void Hover(QPointF p) { Send(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    void Release(QPointF p) { Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }

    void Tick() { Session().StepOnce(); }
    // Lets the window system deliver what is pending, the paint that shows a frame included.
    void Show() { QApplication::processEvents(); }
};

// Wall-clock time of a piece of work, for the record only: tests bound work by counting.
template <class F> double MillisecondsOf(F&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> d = std::chrono::steady_clock::now() - start;
    return d.count();
}
