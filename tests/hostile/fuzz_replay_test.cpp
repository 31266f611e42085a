// The fuzzers' seed corpora and every input a fuzzer found a fault with, replayed through the
// same checks as the fuzz targets, in the regular (and the sanitizer) build.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/number_edit.h"
#include "tests/fuzz/field_text.h"
#include "tests/fuzz/flow_chain.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& dir)
{
    std::vector<fs::path> files;
    if (fs::is_directory(dir))
        for (const fs::directory_entry& e : fs::directory_iterator(dir))
            if (e.is_regular_file())
                files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const fs::path kFuzzDir = CF_FUZZ_DIR;

TEST(FuzzReplay, FieldTextCorpusKeepsEveryNumberRule)
{
    const std::vector<fs::path> files = FilesIn(kFuzzDir / "corpus" / "field_text");
    ASSERT_GE(files.size(), 20u);
    NumberEdit field;
    for (const fs::path& f : files) {
        const std::string data = Bytes(f);
        const auto problems = fuzzfield::Check(reinterpret_cast<const uint8_t*>(data.data()),
                                               data.size(), field);
        EXPECT_TRUE(problems.empty()) << f.filename() << ": " << problems.front();
    }
}

TEST(FuzzReplay, FlowChainCorpusAndFoundInputsRunClean)
{
    std::vector<fs::path> files = FilesIn(kFuzzDir / "corpus" / "flow_chain");
    ASSERT_GE(files.size(), 5u);
    for (const fs::path& f : FilesIn(kFuzzDir / "regressions"))
        files.push_back(f);
    for (const fs::path& f : files) {
        const std::string data = Bytes(f);
        const fuzzchain::Session s = fuzzchain::Decode(
            reinterpret_cast<const uint8_t*>(data.data()), data.size());
        const fuzzchain::Outcome o = fuzzchain::Play(s);
        EXPECT_TRUE(o.problems.empty()) << f.filename() << ": " << o.problems.front();
        EXPECT_GE(o.recomputes, 1) << f.filename();
    }
}

TEST(FuzzReplay, SessionBytesDecodeAsDocumented)
{
    const unsigned char bytes[] = {
        '9', '0',  '0', '\n', '2',  '7',  '3', '\n', '1', 'e',
        '5', '\n', 0,   4,    0xFE, 0xFF, 3,   0, // press; mode 4: offset by the corner; a = -2, b = 3
        1,   0x80, 1,   0,    2,    0,            // move; the ends of the int range: a odd, b even
        19,                   // 19 % 8 == 3: ticks, 1 + (19 / 8) % 4 = 3 of them
        2,                    // release
        21,  '5',  '0', '\n', // 21 % 8 == 5: retype field (21 / 8) % 3 = 2, P1
        4,                    // a focus change
        14,  6,               // arrow keys: (14 / 8) odd, right; 6 left
        7,                    // a paint
    };
    const fuzzchain::Session s = fuzzchain::Decode(bytes, sizeof bytes);
    ASSERT_TRUE(s.hasText[0] && s.hasText[1] && s.hasText[2]);
    EXPECT_EQ(s.texts[0], "900");
    EXPECT_EQ(s.texts[1], "273");
    EXPECT_EQ(s.texts[2], "1e5");
    ASSERT_EQ(s.ops.size(), 9u);
    EXPECT_EQ(s.ops[0].kind, fuzzchain::OpKind::Press);
    EXPECT_EQ(s.ops[0].x, 311 - 2);
    EXPECT_EQ(s.ops[0].y, 192 + 3);
    EXPECT_EQ(s.ops[1].kind, fuzzchain::OpKind::Move);
    EXPECT_EQ(s.ops[1].x, INT_MAX);
    EXPECT_EQ(s.ops[1].y, INT_MIN);
    EXPECT_EQ(s.ops[2].kind, fuzzchain::OpKind::Tick);
    EXPECT_EQ(s.ops[2].count, 3);
    EXPECT_EQ(s.ops[3].kind, fuzzchain::OpKind::Release);
    EXPECT_EQ(s.ops[4].kind, fuzzchain::OpKind::Retype);
    EXPECT_EQ(s.ops[4].field, 2);
    EXPECT_EQ(s.ops[4].text, "50");
    EXPECT_EQ(s.ops[5].kind, fuzzchain::OpKind::Leave);
    EXPECT_EQ(s.ops[6].kind, fuzzchain::OpKind::Key);
    EXPECT_TRUE(s.ops[6].right);
    EXPECT_EQ(s.ops[7].kind, fuzzchain::OpKind::Key);
    EXPECT_FALSE(s.ops[7].right);
    EXPECT_EQ(s.ops[8].kind, fuzzchain::OpKind::Paint);

    // Scaled coordinates saturate at the int range; a text keeps at most 64 bytes.
    std::vector<unsigned char> more = {'\n', '\n', '\n', 0, 3, 0xFF, 0x7F, 0x00, 0x80, 5};
    more.insert(more.end(), 100, '7');
    const fuzzchain::Session t = fuzzchain::Decode(more.data(), more.size());
    ASSERT_EQ(t.ops.size(), 2u);
    EXPECT_EQ(t.ops[0].x, 32767 * 65537);
    EXPECT_EQ(t.ops[0].y, INT_MIN);
    EXPECT_EQ(t.ops[1].text, std::string(64, '7'));
    EXPECT_EQ(t.texts[0], "");
}

} // namespace
