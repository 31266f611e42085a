#pragma once
// The program's one filler of placeholders: %1 ... %9 in a text (its own or a translation) stand
// for the values given, in one pass, so a value that itself holds "%2" stays as it is. A
// placeholder without a value, and a '%' before anything else, are kept.
#include <string>
#include <vector>

std::string FillPlaceholders(const std::string& text, const std::vector<std::string>& values);
