#include "dialog/menus.h"

#include <algorithm>

#include "dialog/languages.h"
#include "dialog/words.h"

namespace {

// The classroom's commands both menus share, from Pause to Copy picture.
void AddClassroomItems(std::vector<MenuItem>& items, const MenuState& state, bool separated)
{
    // One mark for the pause: the check mark (a tool held down) says the animation stands; the
    // words stay.
    items.push_back(
        MenuItem{Command::Pause, "Пауза", true, "Space", true, state.paused, separated});
    items.push_back(MenuItem{Command::Step, "Шаг", true, "."});
    items.push_back(MenuItem{Command::Reset, "Сбросить"});
    items.push_back(
        MenuItem{Command::ExactTheory, kExactTheoryWords, true, "", true, state.exactTheory, true});
    items.push_back(MenuItem{Command::Physics, kPhysicsWords, true, "E", true, state.exactPhysics});
    items.push_back(MenuItem{Command::Plot, kPlotWords, true, "", true, state.plotOpen});
    items.push_back(MenuItem{Command::Legend, kLegendWords, true, "", true, state.legendOpen});
    MenuItem save{Command::SavePicture, kSavePictureWords};
    save.separatorBefore = true;
    items.push_back(save);
    items.push_back(MenuItem{Command::CopyPicture, "Копировать рисунок"});
}

} // namespace

std::vector<MenuItem> MenuItems(const MenuState& state)
{
    std::vector<MenuItem> items;
    items.push_back(MenuItem{Command::Close, "Закрыть"});
    MenuItem about{Command::About, "&О программе Cornerflow…"};
    about.separatorBefore = true;
    items.push_back(about);
    items.push_back(MenuItem{Command::Keys, "Клавиши…"});
    items.push_back(MenuItem{Command::Guide, kGuideWords});
    AddClassroomItems(items, state, true);
    // Every language of the table, each by its own name, whatever the window speaks.
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        MenuItem item{Command::Language,    l->name, false, "", true, state.language == l->code,
                      l == LanguagesBegin()};
        item.submenu = kLanguageWords;
        item.language = l->code;
        items.push_back(item);
    }
    return items;
}

std::vector<MenuItem> PageToolItems(const MenuState& state)
{
    std::vector<MenuItem> items;
    AddClassroomItems(items, state, false);
    items.push_back(MenuItem{Command::CopyLink, "Копировать ссылку"});
    MenuItem full{Command::FullScreen, "Во весь экран", true, "F"};
    full.separatorBefore = true;
    items.push_back(full);
    items.push_back(MenuItem{Command::About, "О программе"});
    return items;
}

const std::vector<KeyHelp>& PictureKeyList()
{
    static const std::vector<KeyHelp> keys = {
        {"← →, ↓ ↑", "повернуть стенку на 1°"},
        {"PgDn PgUp", "повернуть стенку на 10°"},
        {"Home End", "стенка до края, куда её доводит мышь"},
        {"Пробел", "остановить или продолжить анимацию"},
        {".", "один шаг анимации"},
        {"F", "во весь экран (на странице)"},
        {"E", "течение по точной теории или снова по модели программы"},
        {"Tab", "к следующему полю"},
        {"Shift + ← → ↓ ↑", "передвинуть точку, где поля показывают поток"},
    };
    return keys;
}

std::string FileNameFor(const std::string& betaLabel, const char* kind, const char* extension,
                        const std::string& gasTag)
{
    std::string beta = betaLabel;
    beta.erase(std::remove(beta.begin(), beta.end(), '='), beta.end());
    return kind + (gasTag.empty() ? std::string() : gasTag + "-") + beta + extension;
}

KeyMeaning MeaningOfKey(const KeyEvent& k)
{
    using Act = KeyMeaning::Act;
    if (k.control || k.alt || k.meta)
        return {};
    const auto turn = [](double degrees) { return KeyMeaning{Act::TurnWall, degrees, 0, 0}; };
    const auto move = [](int dx, int dy) { return KeyMeaning{Act::MoveReading, 0.0, dx, dy}; };
    if (k.shift) {
        switch (k.key) {
        case Key::Left: return move(-kKeyReadStep, 0);
        case Key::Right: return move(kKeyReadStep, 0);
        case Key::Up: return move(0, -kKeyReadStep);
        case Key::Down: return move(0, kKeyReadStep);
        case Key::Period: return KeyMeaning{Act::Step};
        default: return {};
        }
    }
    switch (k.key) {
    case Key::Right:
    case Key::Up: return turn(+1.0);
    case Key::Left:
    case Key::Down: return turn(-1.0);
    case Key::PageUp: return turn(+10.0);
    case Key::PageDown: return turn(-10.0);
    case Key::Home: return turn(-360.0);
    case Key::End: return turn(+360.0);
    case Key::Space: return KeyMeaning{k.repeat ? Act::Held : Act::Pause};
    case Key::Period: return KeyMeaning{Act::Step};
    case Key::F: return KeyMeaning{Act::FullScreen};
    case Key::E: return KeyMeaning{Act::Physics};
    case Key::Other: break;
    }
    return {};
}
