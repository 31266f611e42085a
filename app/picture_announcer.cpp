#include "app/picture_announcer.h"

#include <algorithm>
#include <cmath>

PictureAnnouncer::PictureAnnouncer(std::function<void(const QString&)> tell)
    : tell_(std::move(tell))
{
    elapsed_.start();
    due_.setSingleShot(true);
    due_.setTimerType(Qt::PreciseTimer); // a coarse timer may fire early, before the due time
    QObject::connect(&due_, &QTimer::timeout, [this] {
        Tell(announcer_.Settle(Now()));
        Wait();
    });
    keysEnd_.setSingleShot(true);
    keysEnd_.setInterval(Announcer::kKeyRunEndsMs);
    QObject::connect(&keysEnd_, &QTimer::timeout, [this] { GestureEnded(); });
}

void PictureAnnouncer::SetClock(std::function<double()> nowMs) { clock_ = std::move(nowMs); }

double PictureAnnouncer::Now() const
{
    return clock_ ? clock_() : static_cast<double>(elapsed_.elapsed());
}

void PictureAnnouncer::Tell(const std::string& words)
{
    if (!words.empty() && tell_)
        tell_(QString::fromStdString(words));
}

void PictureAnnouncer::Wait()
{
    if (!announcer_.Waiting()) {
        due_.stop();
        return;
    }
    // At least a millisecond, so that a clock that stands (a test's) never makes a busy loop.
    const double left = announcer_.DueMs() - Now();
    const int ms = std::isfinite(left) ? static_cast<int>(std::clamp(std::ceil(left), 1.0, 1000.0))
                                       : 1000;
    due_.start(ms);
}

void PictureAnnouncer::Changed(const QString& words)
{
    Tell(announcer_.Changed(words.toStdString(), Now()));
    Wait();
}

void PictureAnnouncer::GestureEnded()
{
    keysEnd_.stop();
    Tell(announcer_.Settle(Now(), true));
    Wait();
}

void PictureAnnouncer::KeyPressed() { keysEnd_.start(); }
