#pragma once
// How a fuzz target reports a broken rule.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// A broken rule is a finding: say which, and stop so that the fuzzer keeps the input.
inline void FailOn(const std::vector<std::string>& problems)
{
    if (problems.empty())
        return;
    for (const std::string& p : problems)
        std::fprintf(stderr, "broken rule: %s\n", p.c_str());
    std::abort();
}
