#pragma once
// Runs action, which may open modal About boxes, answers each (calling look with it first) and
// returns how many opened.
#include <functional>

#include <QApplication>
#include <QTimer>

#include "app/about_dialog.h"

inline int WithAboutBox(const std::function<void()>& action,
                        const std::function<void(AboutDialog&)>& look = nullptr)
{
    int opened = 0;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* about = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget())) {
            ++opened;
            if (look)
                look(*about);
            about->reject();
        }
    });
    closer.start();
    action();
    QApplication::processEvents();
    closer.stop();
    return opened;
}
