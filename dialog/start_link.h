#pragma once
// The link to a session's state as it stands: the name=value pairs the page's address carries,
// written by the same rules ReadStartPairs reads them with (dialog/start_state.h), so that a
// link opens the state it was written from. The page adds only the address around them.
#include <string>
#include <utility>
#include <vector>

#include "dialog/start_state.h"

class FlowSession;

// v1, t1, p1 (each input as read: its text, or the value read from a text in another form),
// the gas (gas=code for a gas of the list other than air; gamma and mu for another gas, as
// short as they read back exactly), beta (the body angle, to 15 significant digits), lang,
// paused (only when paused), theory and physics (always, so that a link opened elsewhere
// shows them as here whatever is remembered there), then the seed, ticks and labels of the
// start state the page was opened on (each only when given there).
std::vector<std::pair<std::string, std::string>> StartLinkPairs(const FlowSession& session,
                                                                const StartState& opened);
