#pragma once
// The menus, the keys and the file names, from what they show: the desktop's menu, the
// page's tools, the list of the picture's keys and the names a picture, a plot and the
// plot's numbers are offered under.
#include <string>
#include <vector>

#include "dialog/input.h"

// What the menus' check marks show.
struct MenuState {
    bool paused = false;
    bool exactTheory = false;
    bool exactPhysics = false; // the picture follows the exact theory (Command::Physics)
    bool plotOpen = false;
    bool legendOpen = false;
    std::string language = "ru";
};

// The desktop's menu in order, with its words and states.
std::vector<MenuItem> MenuItems(const MenuState& state);
// The page's tools (the classroom's commands, the link, full screen and About), in the order
// the page shows them.
std::vector<MenuItem> PageToolItems(const MenuState& state);
// Every key the picture answers, and what it does.
const std::vector<KeyHelp>& PictureKeyList();

// How far Shift with an arrow moves the reading point, picture pixels.
constexpr int kKeyReadStep = 4;

// What a key on the picture asks for: the wall turned by degrees (+ toward +x, less turning;
// the keys give 1, 10 and 360), the reading point moved by picture pixels, the clock paused
// or resumed, one step, full screen, the flow the picture follows chosen over (the exact theory
// or the model), a key answered that does nothing (Space held down, which
// would flicker); or nothing (a key the picture does not answer, or one held with Control, Alt
// or Meta).
struct KeyMeaning {
    enum class Act { Nothing, TurnWall, MoveReading, Pause, Step, FullScreen, Physics, Held };
    Act act = Act::Nothing;
    double degrees = 0.0;
    int dx = 0, dy = 0;
};
KeyMeaning MeaningOfKey(const KeyEvent& k);
// The name a file is offered under, from the beta label ("β=135") as the picture writes it:
// kind + "β135" + extension, with a gas's tag before beta when there is one:
// kind + "He-β135" + extension.
std::string FileNameFor(const std::string& betaLabel, const char* kind, const char* extension,
                        const std::string& gasTag = std::string());
