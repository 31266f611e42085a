#include "dialog/announcer.h"

std::string Announcer::Speak(std::string text, double nowMs)
{
    spoken_ = text;
    pending_.clear();
    lastMs_ = nowMs;
    return text;
}

std::string Announcer::Changed(const std::string& text, double nowMs)
{
    if (text == spoken_) {
        pending_.clear(); // back where it was last heard: nothing to say
        return std::string();
    }
    if (nowMs < lastMs_ || nowMs - lastMs_ >= kGapMs) // a clock that went back: time enough
        return Speak(text, nowMs);
    pending_ = text;
    return std::string();
}

std::string Announcer::Settle(double nowMs, bool gestureEnded)
{
    if (pending_.empty())
        return std::string();
    if (gestureEnded || nowMs < lastMs_ || nowMs - lastMs_ >= kGapMs)
        return Speak(pending_, nowMs);
    return std::string();
}
