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
// The name a file is offered under, from the beta label ("β=135") as the picture writes it:
// kind + "β135" + extension, with a gas's tag before beta when there is one:
// kind + "He-β135" + extension.
std::string FileNameFor(const std::string& betaLabel, const char* kind, const char* extension,
                        const std::string& gasTag = std::string());
