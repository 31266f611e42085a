#pragma once
// A byte string as the text of a numeric field: read, written and read again, each step
// checked against the number rules; and its first bytes as a double for the writing rule.
// Shared by the fuzz target and by the regular test that replays its corpus.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class NumberEdit;

namespace fuzzfield {

constexpr size_t kMaxBytes = 4096;

// The reading rule written out independently: the longest decimal prefix after white space,
// converted by the C library's own conversion (in the "C" locale the process starts in).
double OracleRead(const std::string& text);

// Every rule the text breaks; empty when all hold. field is a numeric field to type into.
std::vector<std::string> Check(const uint8_t* data, size_t size, NumberEdit& field);

} // namespace fuzzfield
