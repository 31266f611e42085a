#pragma once
// A byte string read as a session with the main dialog, and the session played on a fresh
// copy of the dialog's logic (no toolkit): inputs typed into V1, T1 and P1, presses, drags and releases on the picture at any
// point of the int range, timer ticks, probes and focus changes, and at the end a rendered
// frame. Shared by the fuzz target and by the regular test that replays its corpus.
//
// Layout of the bytes:
//   up to three texts, each ended by '\n' (at most 64 bytes each): V1, T1 and P1; a text that
//   is missing leaves its field at the start value;
//   then operations, one byte each with its operands (at most 48 operations):
//     op % 8 == 0  press at a point              (point: 5 bytes, below)
//     op % 8 == 1  move to a point (a drag while the button is held, a probe always)
//     op % 8 == 2  release
//     op % 8 == 3  1 + (op / 8) % 4 timer ticks
//     op % 8 == 4  a focus change away from an input field (recomputes from all three)
//     op % 8 == 5  retype field (op / 8) % 3 with a text ended by '\n', then leave it
//                  (op / 8 >= 28: gamma for an even op / 8, else the molar mass, typed with the
//                  other as it stands, as "other gas")
//     op % 8 == 6  an arrow key on the picture: right when (op / 8) is odd, else left; but
//                  op / 8 == 28 chooses the exact physics, 29 the model, and 30 and 31 set the
//                  wall from a little-endian int16 v: 30 the body angle 180 + 60 |v| / 32768
//                  degrees (above the upstream wall's line), 31 the wall angle
//                  pi/2 + (pi/3) v / 32768 (either way round the corner)
//     op % 8 == 7  a paint of the picture's window that the window system asks for (a frame)
//   A point is a mode byte and two little-endian int16 values a, b. Mode & 0x80: the ends of
//   the int range (a odd: INT_MAX, else INT_MIN; the same for b). Otherwise the coordinates
//   are a * scale and b * scale with scale 1, 16, 4096 or 65537 for mode % 4, offset by the
//   corner point when mode & 4.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzzchain {

enum class OpKind { Press, Move, Release, Tick, Leave, Retype, Key, Paint, Physics, Body, Wall };

struct Op {
    OpKind kind = OpKind::Tick;
    int x = 0;
    int y = 0;
    int count = 1;      // ticks
    int field = 0;      // 0 V1, 1 T1, 2 P1, 3 gamma, 4 the molar mass
    bool right = false; // arrow key
    bool exact = false; // Physics: the exact theory chosen, else the model
    double angle = 0.0; // Body: degrees; Wall: rad
    std::string text;
};

struct Session {
    bool hasText[3] = {false, false, false};
    std::string texts[3];
    std::vector<Op> ops;
};

constexpr size_t kMaxTextBytes = 64;
constexpr size_t kMaxOps = 48;

Session Decode(const uint8_t* data, size_t size);

// What a played session found wrong; empty when every check held.
struct Outcome {
    std::vector<std::string> problems;
    long longestProbeRun = 0;
    int recomputes = 0;
    int ticks = 0;
};

// Plays the session on a fresh session of the dialog's logic and checks, after every
// operation, that the work stayed within the program's bounds, that the input fields keep
// their texts, that the shown fields are the number texts of the model's values, and that the
// last frame has the picture's size.
Outcome Play(const Session& session, uint32_t seed = 1);

} // namespace fuzzchain
