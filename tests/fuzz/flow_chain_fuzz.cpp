// Fuzz target: a byte string played as a session with the dialog's logic, from the three
// inputs through drags, ticks and probes to a rendered frame. Plain C++: no toolkit.
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/fail_on.h"
#include "tests/fuzz/flow_chain.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzzchain::Session session = fuzzchain::Decode(data, size);
    FailOn(fuzzchain::Play(session).problems);
    return 0;
}
