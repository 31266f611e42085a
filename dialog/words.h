#pragma once
// Every word both shells show that is not a control's caption or a field's: in the program's
// Russian (UTF-8), each with the context of the translation file the shells translate it in.
// The desktop reads them from here; the page reads the table through its binding.
#include <cstddef>
#include <string>
#include <vector>

#include "res/ids.h"

struct Language;
struct SpokenSentence;

// What a screen reader calls the picture ("Picture" context).
constexpr const char* kPictureName = "Картина течения";
// The menu's words for the exact theory over the picture, and for the plot ("Dialog").
constexpr const char* kExactTheoryWords = "Точная теория";
constexpr const char* kPlotWords = "Графики";
// The menu's words for the flow the picture follows: the exact theory instead of the model
// ("Dialog").
constexpr const char* kPhysicsWords = "Течение по точной теории";
// The slider's value in words, with %1 beta and %2 the wall's turn in degrees ("Picture").
constexpr const char* kSliderWords = "угол β = %1°, стенка повёрнута на %2°";
// The same past beta 180, %2 the wall's turn into the flow ("Picture").
constexpr const char* kSliderIntoWords = "угол β = %1°, стенка повёрнута навстречу потоку на %2°";
// Said after the picture's description: the keys that stop and step the animation, and the
// paused animation ("Picture").
constexpr const char* kPictureKeysWords = "Пробел — пауза, точка — один шаг";
constexpr const char* kPausedWords = "Пауза: анимация остановлена";
// Saving and copying ("Dialog").
constexpr const char* kSavePictureWords = "Сохранить рисунок…";
constexpr const char* kPictureNotSavedWords = "Рисунок не сохранён";
constexpr const char* kPngFilesWords = "Изображения PNG (*.png)";
constexpr const char* kSavePlotWords = "Сохранить график…";
constexpr const char* kSaveDataWords = "Сохранить данные…";
constexpr const char* kPlotNotSavedWords = "График не сохранён";
constexpr const char* kDataNotSavedWords = "Данные не сохранены";
constexpr const char* kCsvFilesWords = "Таблицы CSV (*.csv)";
// The About box's sentence on the two flows ("About").
constexpr const char* kAboutPhysicsWords =
    "По умолчанию рисунок следует модели программы, а если выбрано «Течение по точной теории» "
    "— точной теории невязкого газа.";
// The legend's menu item and window title ("Dialog").
constexpr const char* kLegendWords = "Обозначения";
// The desktop's menu item that opens the teacher's guide, and what it says when the guide is
// not where the program looks for it ("Dialog").
constexpr const char* kGuideWords = "Пособие для учителя…";
constexpr const char* kNoGuideWords = "Пособие для учителя не найдено: %1";
// The language submenu's title, the same in every language.
constexpr const char* kLanguageWords = "Language / Язык";

// One word of the table: the name a shell looks it up by, its context and the words.
struct ShellWord {
    const char* name;
    const char* context;
    const char* words;
};
const ShellWord* ShellWords();
size_t ShellWordCount();

// ---- Texts finished in a language (the shells fill nothing)

// The words of a language with %1 ... %9 filled in (FillPlaceholders, base/text_fill.h).
std::string TranslateFilled(const Language& language, const char* context, const char* source,
                            const std::vector<std::string>& values = {});
// The text with its first letter in capitals (Latin, Latin-1, Greek and Cyrillic letters; other
// scripts have none).
std::string Capitalized(const std::string& text);
// Words as a sentence of their own: trimmed, a capital first and the language's full stop ("."
// in the "Picture" context) unless they end with one.
std::string FinishedSentence(const Language& language, const std::string& words);
// The core's sentences as one text in the language: each sentence's words translated in the
// context, its values filled in, a capital first and the language's own full stop ("."
// translated in the context: 。 in Chinese) unless it ends with one; values said alone joined by
// ", ". The status line, the picture's description and the plot's facts are said so.
std::string SpokenText(const Language& language, const char* context,
                       const std::vector<SpokenSentence>& sentences);

// The About box in a language, its texts finished: the caption, each text control's words by
// its id (the version filled in; the page's own sentence in place of the toolkit's), the flow
// the picture follows, the guide's link and the keys' title.
enum class AboutShell { Desktop, Page };
struct AboutText {
    ControlId id;
    std::string text;
};
struct AboutWords {
    std::string caption;
    std::vector<AboutText> texts;
    std::string physics;
    std::string guide;
    std::string keysTitle;
};
AboutWords AboutWordsIn(const Language& language, AboutShell shell);
