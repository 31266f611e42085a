#pragma once
// The picture as a screen reader meets it: a slider of the body angle beta (0 to 180 degrees,
// a step of one), named "Flow picture", with its value in words and a description of what it
// shows; a screen reader that sets the value turns the wall. Every word follows the program's
// language.
#include <functional>
#include <vector>

#include <QString>

class FlowSession;
struct SpokenSentence;
class QAccessibleEvent;

// Makes the toolkit describe every picture window (FlowViewWidget) as that slider. Call before
// the first picture window is made; more calls do nothing.
void InstallPictureAccessibility();

// The picture's description, in sentences: what the flow does, the picture's labels, whether the
// animation stands, and the keys that stop and step it.
QString PictureDescription(const FlowSession& session);
// The status line beside the picture (FlowSession::Status), in the language installed.
QString StatusText(const FlowSession& session);
// Sentences of the core's words and values as one text, translated in the "Picture" context.
QString SpokenText(const std::vector<SpokenSentence>& spoken);
// The slider's value in words: beta and the wall's turn.
QString PictureValueText(const FlowSession& session);
// Words as a sentence of their own, for a screen reader's description: trimmed, a capital first
// letter and a full stop.
QString Sentence(QString words);

// Hands an event to the screen reader. Qt passes events on only while a screen reader listens
// (never on the headless platform the tests run on), so a watcher, when one is set, sees every
// event first.
void SendAccessibleEvent(QAccessibleEvent& event);
void WatchAccessibleEvents(std::function<void(const QAccessibleEvent&)> watcher);
