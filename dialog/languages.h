#pragma once
// The languages the program speaks, one row each with its words, made at configure time from the
// translation files (res/translations/cornerflow_<code>.ts, each naming its language): adding a
// language is adding its file. Russian, the program's own words, comes first and needs no file.
// This is the program's one translator: both shells show the words the core translated here.
#include <cstddef>
#include <string>
#include <vector>

// One word of a language: the program's Russian (source) in its context, and its translation.
struct Translation {
    const char* context;
    const char* source;
    const char* words;
};

struct Language {
    const char* code;         // "de": for --lang, ?lang= and the remembered choice
    const char* name;         // the language's own name, as the menus list it ("Deutsch")
    const char* file;         // base name of its translation file ("cornerflow_de"), "" for Russian
    const char* tag;          // the page's lang attribute ("de", "zh-Hans")
    const Translation* words; // sorted by context, then source (bytes); none for Russian
    size_t wordCount;
};

// The translation of a source in its context, or nullptr where the language has none (Russian
// has none: its words are the sources).
const char* FindTranslation(const Language& language, const char* context, const char* source);
// The words in the language: the translation, else the source as it stands (a symbol such as
// "V1", a value).
const char* Translate(const Language& language, const char* context, const char* source);

// Every language, Russian first, then English, then the others by code.
const Language* LanguagesBegin();
const Language* LanguagesEnd();
size_t LanguageCount();
// The program's own language, the one that opens when nothing else is asked for.
const Language& SourceLanguage();
// The row of a code given exactly ("de"), or nullptr.
const Language* FindLanguage(const std::string& code);
// The first of the user's preferred languages that the program speaks, or nullptr: the tags
// come from the system or the browser ("de-DE", "de_AT.UTF-8", "zh-Hans-CN", "zh_TW") and
// match a row by their language; a script or a region that the row's tag rules out (Chinese in
// traditional characters for a row in simplified ones) does not match.
const Language* PreferredLanguage(const std::vector<std::string>& tags);
// The language a window or a page opens in, the same rule for both shells: the one asked for
// (--lang, ?lang=), else the one remembered from the last choice, else the first of the user's
// preferred languages the program speaks (the system's or the browser's), else Russian. A code
// the table lacks is passed over.
const Language& OpeningLanguage(const std::string& asked, const std::string& remembered,
                                const std::vector<std::string>& preferred);
