#include "dialog/words.h"

#include "base/text_fill.h"
#include "dialog/languages.h"
#include "dialog/picture_description.h"
#include "res/dialog_templates.h"

#ifndef CORNERFLOW_VERSION
#error "CORNERFLOW_VERSION must be defined by the build"
#endif

namespace {

// The page's sentence in place of the desktop's on the toolkit (AboutToolkit), and the About
// box's words under the table's ("About").
constexpr const char* kAboutPageWords =
    "Скомпилирована в WebAssembly и работает в браузере. Свободная программа под лицензией MIT: "
    "её можно использовать, копировать и изменять.";
constexpr const char* kAboutGuideWords = "Пособие для учителя: что показать на уроке";
constexpr const char* kKeysTitleWords = "Клавиши на рисунке";

const ShellWord kWords[] = {
    {"pictureName", "Picture", kPictureName},
    {"slider", "Picture", kSliderWords},
    {"sliderInto", "Picture", kSliderIntoWords},
    {"pictureKeys", "Picture", kPictureKeysWords},
    {"paused", "Picture", kPausedWords},
    {"exactTheory", "Dialog", kExactTheoryWords},
    {"guideItem", "Dialog", kGuideWords},
    {"noGuide", "Dialog", kNoGuideWords},
    {"plot", "Dialog", kPlotWords},
    {"physics", "Dialog", kPhysicsWords},
    {"savePicture", "Dialog", kSavePictureWords},
    {"notSaved", "Dialog", kPictureNotSavedWords},
    {"pngFiles", "Dialog", kPngFilesWords},
    {"savePlot", "Dialog", kSavePlotWords},
    {"saveData", "Dialog", kSaveDataWords},
    {"plotNotSaved", "Dialog", kPlotNotSavedWords},
    {"dataNotSaved", "Dialog", kDataNotSavedWords},
    {"csvFiles", "Dialog", kCsvFilesWords},
    {"language", "Dialog", kLanguageWords},
    // The page's own, which need a browser's services.
    {"notCopied", "Dialog", "Рисунок не скопирован: браузер не разрешил"},
    {"linkCopied", "Dialog", "Ссылка скопирована"},
    {"linkByHand", "Dialog", "Ссылка на это состояние (скопируйте её):"},
    {"ignored", "Dialog", "В адресе не учтено: %1"},
    {"noFullScreen", "Dialog", "Браузер не разрешил показать страницу во весь экран"},
    {"touchHint", "Dialog",
     "Коснитесь рисунка — поля покажут поток в этой точке. Стенку поворачивают, ведя её пальцем."},
    {"labels", "Picture", "Надписи на рисунке: %1."},
    // The page's links to the teacher's guide: under the plot, to its part on the model, and in
    // the About box.
    {"modelLink", "Plot", "Подробнее о модели"},
    {"legend", "Dialog", kLegendWords},
    {"notPhysical", "Picture", kNotPhysicalWords},
    {"exactVacuum", "Picture", kExactVacuumWords},
};

} // namespace

const ShellWord* ShellWords() { return kWords; }
size_t ShellWordCount() { return sizeof(kWords) / sizeof(kWords[0]); }

std::string TranslateFilled(const Language& language, const char* context, const char* source,
                            const std::vector<std::string>& values)
{
    return FillPlaceholders(Translate(language, context, source), values);
}

namespace {

// The code point at text[at] (UTF-8, at least one byte long) and its length in bytes.
unsigned CodePointAt(const std::string& text, size_t at, size_t& length)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned first = byte(at);
    length = first < 0x80 ? 1 : (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : 4;
    if (at + length > text.size() || length > 3)
        return length = 1, first; // left as it is
    unsigned c = length == 1 ? first : length == 2 ? first & 0x1F : first & 0x0F;
    for (size_t i = 1; i < length; ++i)
        c = (c << 6) | (byte(at + i) & 0x3F);
    return c;
}

std::string Utf8Of(unsigned c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

unsigned UpperOf(unsigned c)
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) // à … þ, not ÷
        return c - 0x20;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) // α … ω, not the final ς
        return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) // а … я
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) // ѐ … џ
        return c - 0x50;
    return c;
}

// A sentence finished by the language's full stop, unless it ends with a full stop of either
// form already.
std::string Finished(std::string text, const std::string& stop)
{
    const auto endsWith = [&](const std::string& end) {
        return text.size() >= end.size()
               && text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    if (!text.empty() && !endsWith(".") && !endsWith("\u3002"))
        text += stop;
    return text;
}

std::string Trimmed(const std::string& text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    size_t begin = 0, end = text.size();
    while (begin < end && space(text[begin]))
        ++begin;
    while (end > begin && space(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace

std::string Capitalized(const std::string& text)
{
    if (text.empty())
        return text;
    size_t length = 1;
    const unsigned c = CodePointAt(text, 0, length);
    const unsigned upper = UpperOf(c);
    return upper == c ? text : Utf8Of(upper) + text.substr(length);
}

std::string FinishedSentence(const Language& language, const std::string& words)
{
    return Finished(Capitalized(Trimmed(words)), Translate(language, "Picture", "."));
}

std::string SpokenText(const Language& language, const char* context,
                       const std::vector<SpokenSentence>& sentences)
{
    const std::string stop = Translate(language, context, ".");
    std::string out;
    for (const SpokenSentence& s : sentences) {
        std::string text;
        if (!s.words) {
            for (size_t i = 0; i < s.values.size(); ++i)
                text += (i ? ", " : "") + s.values[i];
            text = Finished(text, stop);
        } else {
            text = Finished(
                Capitalized(Trimmed(TranslateFilled(language, context, s.words, s.values))), stop);
        }
        if (text.empty())
            continue;
        // Sentences are set apart by a space, but after the ideographic full stop by nothing:
        // Chinese writes no space between sentences.
        const bool ideographicStop = out.size() >= 3
                                     && out.compare(out.size() - 3, 3, "\u3002") == 0;
        out += (out.empty() || ideographicStop ? "" : " ") + text;
    }
    return out;
}

AboutWords AboutWordsIn(const Language& language, AboutShell shell)
{
    const res::DialogTemplate& t = res::AboutDialogTemplate();
    AboutWords about;
    about.caption = Translate(language, "About", t.caption);
    for (const res::ControlTemplate& c : t) {
        if (!c.text
            || (c.kind != res::ControlKind::TextCentred && c.kind != res::ControlKind::TextLeft
                && c.kind != res::ControlKind::DefaultButton))
            continue;
        const char* source = shell == AboutShell::Page && c.id == ControlId::AboutToolkit
                                 ? kAboutPageWords
                                 : c.text;
        about.texts.push_back(
            {c.id, TranslateFilled(language, "About", source, {CORNERFLOW_VERSION})});
    }
    about.physics = Translate(language, "About", kAboutPhysicsWords);
    about.guide = Translate(language, "About", kAboutGuideWords);
    about.keysTitle = Translate(language, "About", kKeysTitleWords);
    return about;
}
