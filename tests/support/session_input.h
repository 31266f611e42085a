#pragma once
// Short ways for tests to act on a session as a user does.
#include <string>

#include "dialog/flow_session.h"
#include "tests/support/start_up.h"

namespace input {

inline PointerEvent Mouse(double x, double y, bool mainButton = true)
{
    PointerEvent e;
    e.x = x;
    e.y = y;
    e.mainButton = mainButton;
    return e;
}

inline PointerEvent Finger(double x, double y, int id = 1)
{
    PointerEvent e;
    e.x = x;
    e.y = y;
    e.kind = PointerKind::Touch;
    e.id = id;
    return e;
}

inline KeyEvent Press(Key key)
{
    KeyEvent k;
    k.key = key;
    return k;
}

// The three inputs typed and the field left.
inline void Leave(FlowSession& s, const std::string& v1, const std::string& t1,
                  const std::string& p1)
{
    s.SetInputText(ControlId::UpstreamSpeed, v1);
    s.SetInputText(ControlId::UpstreamTemperature, t1);
    s.SetInputText(ControlId::UpstreamPressure, p1);
    s.InputsLeft();
}

} // namespace input

namespace start {

// A session opened at the start-up picture size with a fixed seed.
inline void Open(FlowSession& s, uint32_t seed, int scale = 1)
{
    s.Open(kWidth, kHeight, seed, scale);
}

} // namespace start
