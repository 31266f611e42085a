#include "dialog/languages.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

#include "words_table.inc"

const Language kLanguages[] = {
#include "languages_table.inc"
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A tag's subtags, lower case: "zh_TW.UTF-8" gives zh, tw; "de-DE@euro" gives de, de.
std::vector<std::string> Subtags(const std::string& tag)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : tag) {
        if (c == '.' || c == '@')
            break; // a POSIX locale's encoding or modifier
        if (c == '-' || c == '_') {
            parts.push_back(Lower(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(Lower(part));
    return parts;
}

// The script a tag names or implies: its own four-letter subtag, or for Chinese the script of
// the regions that write in traditional characters.
std::string ScriptOf(const std::vector<std::string>& parts)
{
    for (size_t i = 1; i < parts.size(); ++i)
        if (parts[i].size() == 4)
            return parts[i];
    if (parts[0] == "zh")
        for (size_t i = 1; i < parts.size(); ++i)
            if (parts[i] == "tw" || parts[i] == "hk" || parts[i] == "mo")
                return "hant";
    return "";
}

} // namespace

const Language* LanguagesBegin() { return kLanguages; }
const Language* LanguagesEnd() { return kLanguages + LanguageCount(); }
size_t LanguageCount() { return sizeof(kLanguages) / sizeof(kLanguages[0]); }
const Language& SourceLanguage() { return kLanguages[0]; }

const Language* FindLanguage(const std::string& code)
{
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l)
        if (code == l->code)
            return l;
    return nullptr;
}

const Language* PreferredLanguage(const std::vector<std::string>& tags)
{
    for (const std::string& tag : tags) {
        const std::vector<std::string> wanted = Subtags(tag);
        const Language* row = FindLanguage(wanted[0]);
        if (!row)
            continue;
        const std::string script = ScriptOf(wanted);
        const std::string rowScript = ScriptOf(Subtags(row->tag));
        if (script.empty() || rowScript.empty() || script == rowScript)
            return row;
    }
    return nullptr;
}

const Language& OpeningLanguage(const std::string& asked, const std::string& remembered,
                                const std::vector<std::string>& preferred)
{
    for (const std::string* code : {&asked, &remembered})
        if (const Language* row = FindLanguage(*code))
            return *row;
    const Language* row = PreferredLanguage(preferred);
    return row ? *row : SourceLanguage();
}

const char* FindTranslation(const Language& language, const char* context, const char* source)
{
    if (!language.words || !context || !source)
        return nullptr;
    const auto before = [](const Translation& t, const std::pair<const char*, const char*>& key) {
        const int c = std::strcmp(t.context, key.first);
        return c < 0 || (c == 0 && std::strcmp(t.source, key.second) < 0);
    };
    const Translation* end = language.words + language.wordCount;
    const Translation* at = std::lower_bound(language.words, end, std::make_pair(context, source),
                                             before);
    if (at == end || std::strcmp(at->context, context) != 0 || std::strcmp(at->source, source) != 0)
        return nullptr;
    return at->words;
}

const char* Translate(const Language& language, const char* context, const char* source)
{
    const char* words = FindTranslation(language, context, source);
    return words ? words : (source ? source : "");
}
