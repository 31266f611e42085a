#pragma once
// What a user does, in the core's own terms: the shells translate their native key, pointer
// and menu events into these and hand them to the session, which decides what each means.
#include <vector>

// The keys the picture answers. A shell maps its own key codes onto these; any other key is
// Other.
enum class Key {
    Left,     // the wall one degree back (more turning)
    Right,    // the wall one degree on (less turning)
    Up,       // as Right: the picture is a slider of the body angle beta
    Down,     // as Left
    PageUp,   // ten degrees on
    PageDown, // ten degrees back
    Home,     // the wall at the least beta a drag reaches
    End,      // the wall at the largest beta a drag reaches
    Space,    // the animation stopped or started
    Period,   // one tick
    F,        // full screen, where the shell has it
    E,        // the flow the picture follows: the exact theory, or the model again
    Other,
};

struct KeyEvent {
    Key key = Key::Other;
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool meta = false;
    bool repeat = false; // held down: the key's own repetition
};

enum class PointerKind { Mouse, Touch, Pen };

// A pointer over the picture, in the shell's display units (CSS pixels, or the desktop's
// device-independent pixels) from the picture's top-left corner; the session maps a point to
// the picture pixel that contains it (see FlowSession::SetDisplaySize).
struct PointerEvent {
    double x = 0.0;
    double y = 0.0;
    PointerKind kind = PointerKind::Mouse;
    int id = 0; // which pointer: each finger is one
    // Press and release: the event is the main button's (the left mouse button, a finger, a
    // pen's tip). Move: the main button is held down.
    bool mainButton = true;
};

// Commands of the program's menu (the desktop's menu, the page's tools), listed once: the enum
// and the page's names are made from this list. CopyLink and FullScreen are the page's own
// tools; ExactTheory turns the exact theory's lines over the model's picture on and off
// (FlowSession::SetExactTheory); Physics chooses which flow everything the student sees
// follows, the exact theory or the program's model (FlowSession::SetPhysics); Plot shows the
// plot of the state through the fan or puts it away; Keys shows the list of the picture's keys
// (FlowSession::PictureKeys); Language shows the words of the language whose code its menu
// item carries (MenuItem::language); Legend shows what each line, mark and symbol of the
// picture means (FlowSession::Legend) or puts it away.
// Each with the short name the page calls it by (CommandName).
#define CORNERFLOW_COMMANDS(X)                                                                     \
    X(Close, "close")                                                                              \
    X(About, "about")                                                                              \
    X(Pause, "pause")                                                                              \
    X(Step, "step")                                                                                \
    X(Reset, "reset")                                                                              \
    X(SavePicture, "save")                                                                         \
    X(CopyPicture, "copy")                                                                         \
    X(Language, "language")                                                                        \
    X(CopyLink, "link")                                                                            \
    X(FullScreen, "fullscreen")                                                                    \
    X(ExactTheory, "theory")                                                                       \
    X(Plot, "plot")                                                                                \
    X(Keys, "keys")                                                                                \
    X(Legend, "legend")                                                                            \
    X(Physics, "physics")                                                                          \
    X(Guide, "guide")

enum class Command {
#define CORNERFLOW_ENUM_VALUE(name, ...) name,
    CORNERFLOW_COMMANDS(CORNERFLOW_ENUM_VALUE)
};

// The command's short name ("pause", "theory", ...).
inline const char* CommandName(Command command)
{
    switch (command) {
#define CORNERFLOW_NAME_CASE(name, shortName)                                                      \
    case Command::name: return shortName;
        CORNERFLOW_COMMANDS(CORNERFLOW_NAME_CASE)
#undef CORNERFLOW_NAME_CASE
    }
    return "";
}

// What the shell has to do after the session has handled a key or a command: the parts that
// need the shell's own services (a file dialog, the clipboard, a window), listed once:
//   None        nothing beyond showing what changed
//   Ignored     the key means nothing to the picture: the shell may pass it on
//   ShowAbout   open the About box
//   SavePicture ask where to save the picture, then save Frame() there
//   CopyPicture put Frame() on the clipboard
//   Close       close the window
//   Language    show the words of Language()
//   FullScreen  enter or leave full screen
//   CopyLink    put the address of the state as it stands on the clipboard
//   ShowPlot    show the plot, or put it away, as PlotOpen() says
//   ShowKeys    show the list of the picture's keys (FlowSession::PictureKeys)
//   ShowLegend  show the legend, or put it away, as LegendOpen() says
//   OpenGuide   open the teacher's guide in Language() (GuideFileName), where the shell has it
#define CORNERFLOW_SHELL_ACTIONS(X)                                                                \
    X(None)                                                                                        \
    X(Ignored)                                                                                     \
    X(ShowAbout)                                                                                   \
    X(SavePicture)                                                                                 \
    X(CopyPicture) X(Close) X(Language) X(FullScreen) X(CopyLink) X(ShowPlot) X(ShowKeys)          \
        X(ShowLegend) X(OpenGuide)

enum class ShellAction { CORNERFLOW_SHELL_ACTIONS(CORNERFLOW_ENUM_VALUE) };
#undef CORNERFLOW_ENUM_VALUE

// A key of the picture and what it does, for the list of keys (both in the program's Russian,
// which the shells translate in the "Keys" context).
struct KeyHelp {
    const char* keys;
    const char* words;
};

// One item of the menu. words are the program's Russian (UTF-8), which the shells translate in
// the "Dialog" context unless translated is false (words that stand as they are in every
// language).
struct MenuItem {
    Command command;
    const char* words;
    bool translated = true;
    const char* shortcut = ""; // the picture's key that does the same ("Space", "."), or ""
    bool checkable = false;
    bool checked = false;
    bool separatorBefore = false;
    // The title of the submenu the item belongs to (translated as words are), or nullptr.
    const char* submenu = nullptr;
    // Command::Language: the code of the language the item chooses ("de"); else "".
    const char* language = "";
};
