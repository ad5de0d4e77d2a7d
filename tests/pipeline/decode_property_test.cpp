// Every symbol of random generations read back by zbar and zxing-cpp gives
// exactly its code's text, for every carrier and level, tabs included.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "pipeline/generation.h"
#include "tests/encoder/decoder_support.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

GreyImage g_image;
uint8_t g_modules[kMatrixBytes];

// Both decoders read the code's symbol; empty when they agree with its text.
std::string decode_mismatch(const CodeCopy& code) {
    int32_t n = 4 * code.version + 17;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) g_modules[x * kMaxModules + y] = static_cast<uint8_t>(code.matrix[x * n + y]);
    }
    render_symbol(g_modules, n, &g_image);
    std::string zbar, zxing;
    if (decode_with_zbar(g_image, &zbar) != 0) return "zbar read nothing";
    if (decode_with_zxing(g_image, &zxing) != 0) return "zxing read nothing";
    if (zbar != code.text) return "zbar read " + hex(zbar);
    if (zxing != code.text) return "zxing read " + hex(zxing);
    return "";
}

TEST(GenerationDecodes, EverySymbolOfRandomGenerationsReadsBackAsItsText) {
    ASSERT_TRUE(load_test_library());
    std::mt19937 rng(4242);
    int32_t symbols = 0;
    for (int32_t carrier : {Softbank, Docomo, Au, Utf8}) {
        for (int32_t round = 0; round < 12; ++round) {
            const int32_t level = round % 4;
            int32_t maxVersion = std::uniform_int_distribution<int32_t>(1, 20)(rng);
            std::vector<std::string> pieces;
            int32_t bytes = std::uniform_int_distribution<int32_t>(1, round < 8 ? 3000 : kTextLimit)(rng);
            std::string text = random_text(&rng, carrier, bytes, round % 2 == 0, &pieces);
            if (text.empty()) continue;
            SCOPED_TRACE(::testing::Message() << "carrier " << carrier << " level " << level << " max " << maxVersion);
            fill_text_form(text, {carrier, level, maxVersion, 0, 1});
            std::vector<CodeCopy> codes = run_generation();
            ASSERT_EQ(generation_error(nullptr), 0);
            for (const CodeCopy& c : codes) {
                EXPECT_EQ(decode_mismatch(c), "") << hex(c.text);
                ++symbols;
            }
        }
    }
    EXPECT_GT(symbols, 200);
}

TEST(GenerationDecodes, TabsSurviveInTheSymbols) {
    ASSERT_TRUE(load_test_library());
    const std::string texts[] = {std::string(210, '\t') + std::string(40, 'A'), "A\tB\t\x82\xA0\x88\x9F",
                                 std::string(60, '\t')};
    for (const std::string& t : texts) {
        for (int32_t maxVersion : {1, 20}) {
            fill_text_form(t, {Docomo, 0, maxVersion, 0, 1});
            std::vector<CodeCopy> codes = run_generation();
            ASSERT_FALSE(codes.empty());
            std::string joined;
            for (const CodeCopy& c : codes) {
                EXPECT_EQ(decode_mismatch(c), "");
                joined += c.text;
            }
            EXPECT_EQ(joined, t);
        }
    }
}

}  // namespace
