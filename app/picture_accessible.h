#pragma once
// The picture as a screen reader meets it: a slider of the body angle beta (0 to 180 degrees,
// a step of one), named "Flow picture", with its value in words and a description of what it
// shows; a screen reader that sets the value turns the wall. Every word follows the program's
// language.
#include <functional>

#include <QString>

class FlowSession;
class QAccessibleEvent;

// Makes the toolkit describe every picture window (FlowViewWidget) as that slider. Call before
// the first picture window is made; more calls do nothing.
void InstallPictureAccessibility();

// The picture's description (FlowSession::DescriptionText), the status line beside the picture
// (FlowSession::StatusText) and the slider's value in words (FlowSession::WallSliderText), as the
// session finished them in its language.
QString PictureDescription(const FlowSession& session);
QString StatusText(const FlowSession& session);
QString PictureValueText(const FlowSession& session);

// Hands an event to the screen reader. Qt passes events on only while a screen reader listens
// (never on the headless platform the tests run on), so a watcher, when one is set, sees every
// event first.
void SendAccessibleEvent(QAccessibleEvent& event);
void WatchAccessibleEvents(std::function<void(const QAccessibleEvent&)> watcher);
