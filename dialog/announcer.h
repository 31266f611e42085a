#pragma once
// When a screen reader hears the picture's description: at most once a second while it keeps
// changing (a drag, a run of key presses), and once more with the final state when the gesture
// ends, so that a drag of thirty moves is not thirty sentences. The shells give it the time and
// speak what it returns; both shells follow the same rule.
#include <string>

class Announcer {
public:
    // The least time between two announcements, ms.
    static constexpr double kGapMs = 1000.0;
    // A run of key presses on the picture, a gesture, has ended when no key came for this
    // long, ms.
    static constexpr int kKeyRunEndsMs = 500;

    // The description now stands at text: what to speak now, or "" (nothing, or not yet: ask
    // Settle again at DueMs()).
    std::string Changed(const std::string& text, double nowMs);
    // Time has passed, or a gesture ended (gestureEnded): a description that waited is spoken
    // now if it may be; at the end of a gesture it is spoken at once.
    std::string Settle(double nowMs, bool gestureEnded = false);
    // Whether a description waits, and from when it may be spoken.
    bool Waiting() const { return !pending_.empty(); }
    double DueMs() const { return lastMs_ + kGapMs; }

private:
    std::string Speak(std::string text, double nowMs); // by value: it may be pending_

    std::string spoken_;  // the last text spoken
    std::string pending_; // the latest text not spoken yet
    double lastMs_ = -1e300;
};
