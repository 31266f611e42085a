// Fuzz target: any byte string typed into a numeric field, read, written and read again.
#include <cstddef>
#include <cstdint>

#include "app/number_edit.h"
#include "tests/fuzz/field_text.h"
#include "tests/fuzz/fuzz_app.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnsureFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NumberEdit* field = new NumberEdit;
    FailOn(fuzzfield::Check(data, size, *field));
    return 0;
}
