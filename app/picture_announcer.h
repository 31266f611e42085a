#pragma once
// When a screen reader is told that the picture's description changed: the core's rule
// (Announcer), timed on the desktop. While a drag or a run of key presses goes on, at most once
// a second; when it ends, once more with the final state. A drag ends at the mouse release; a
// run of keys when no key came for Announcer::kKeyRunEndsMs. A change outside a gesture (a typed input, the
// language, the pause) is told at once, or when the second since the last one is over.
#include <functional>
#include <string>

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include "dialog/announcer.h"

class PictureAnnouncer {
public:
    // tell runs when the screen reader is to hear the description; it gets the words.
    explicit PictureAnnouncer(std::function<void(const QString&)> tell);
    PictureAnnouncer(const PictureAnnouncer&) = delete;
    PictureAnnouncer& operator=(const PictureAnnouncer&) = delete;

    // The description now stands at words.
    void Changed(const QString& words);
    // A drag ended: what waits is told now.
    void GestureEnded();
    // A key on the picture was handled: the run of keys goes on, and ends after the quiet time.
    void KeyPressed();

    // The clock in ms, a monotonic timer's by default; a test may give its own.
    void SetClock(std::function<double()> nowMs);

private:
    double Now() const;
    void Tell(const std::string& words);
    // A description waits: look again when it may be told.
    void Wait();

    Announcer announcer_;
    std::function<void(const QString&)> tell_;
    QElapsedTimer elapsed_;
    std::function<double()> clock_;
    QTimer due_;     // when the waiting description may be told
    QTimer keysEnd_; // the end of a run of keys
};
