#pragma once
// Whether a desktop session answers, asked before Qt takes over: Qt aborts, after several lines
// on stderr, when the platform it picks cannot connect to its display. Plain POSIX sockets; no
// X or Wayland library is needed.
#include <string>

// Whether an X server listens at a display name as DISPLAY gives it (":0", ":1.0", "unix:2",
// "localhost:10.0", "tcp/host:0"): a local display's socket (/tmp/.X11-unix/X<n>, the abstract
// one first, then the file), or TCP port 6000 + n on a host, within timeoutMs.
bool XDisplayAnswers(const std::string& display, int timeoutMs);

// Whether a Wayland compositor listens at a display name as WAYLAND_DISPLAY gives it: an
// absolute socket path, or a name under runtimeDir (XDG_RUNTIME_DIR).
bool WaylandDisplayAnswers(const std::string& display, const std::string& runtimeDir);

// From the environment: a platform the user chose (QT_QPA_PLATFORM, taken as it is), or a
// Wayland or X display that answers.
bool DesktopSessionAnswers();
