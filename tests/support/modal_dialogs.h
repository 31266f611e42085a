#pragma once
// Runs action, which may open modal dialogs, answers each one of type Dialog (calling look with
// it first) and returns how many opened.
#include <functional>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "app/about_dialog.h"

template <class Dialog>
int AnswerModals(const std::function<void()>& action,
                 const std::function<void(Dialog&)>& look = nullptr)
{
    int opened = 0;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* modal = dynamic_cast<Dialog*>(QApplication::activeModalWidget())) {
            ++opened;
            if (look)
                look(*modal);
            modal->reject();
        }
    });
    closer.start();
    action();
    QApplication::processEvents();
    closer.stop();
    return opened;
}

// Every modal dialog; and the About box, with a look at it.
inline int ModalsOpenedBy(const std::function<void()>& action)
{
    return AnswerModals<QDialog>(action);
}
inline int WithAboutBox(const std::function<void()>& action,
                        const std::function<void(AboutDialog&)>& look = nullptr)
{
    return AnswerModals<AboutDialog>(action, look);
}
