// Whole generations over random payloads for every carrier, level and
// several largest versions: the codes cover the payload without cutting
// inside a character, each symbol is the encoder's symbol of its text at its
// version, and the same input always gives the same codes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoder/encoder.h"
#include "payload/payload.h"
#include "pipeline/generation.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

bool same_codes(const std::vector<CodeCopy>& a, const std::vector<CodeCopy>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || a[i].version != b[i].version || a[i].matrix != b[i].matrix) return false;
    }
    return true;
}

const int32_t kLargestVersions[3] = {20, 9, 2};
const int32_t kLongestTexts[3] = {kTextLimit, 2000, 200};

TEST(GenerationProperties, RandomPayloadsForEveryCarrierLevelAndLargestVersion) {
    ASSERT_TRUE(load_test_library());
    std::mt19937 rng(20261208);
    int32_t generations = 0;
    for (int32_t carrier : {Softbank, Docomo, Au, Utf8}) {
        for (int32_t level = 0; level < 4; ++level) {
            for (int32_t round = 0; round < 9; ++round) {
                const int32_t maxVersion = kLargestVersions[round % 3];
                const int32_t longest = kLongestTexts[round / 3];
                std::vector<std::string> pieces;
                int32_t bytes = std::uniform_int_distribution<int32_t>(1, longest)(rng);
                std::string text = random_text(&rng, carrier, bytes, generations % 2 == 0, &pieces);
                if (text.empty()) continue;
                SCOPED_TRACE(::testing::Message() << "carrier " << carrier << " level " << level << " max "
                                                  << maxVersion << " bytes " << text.size());
                fill_text_form(text, {carrier, level, maxVersion, 0, 1});
                std::vector<CodeCopy> codes = run_generation();
                ASSERT_EQ(generation_error(nullptr), 0);
                ASSERT_FALSE(codes.empty());
                std::string payload = last_payload();
                EXPECT_EQ(check_codes_cover_payload(codes, payload, converted_boundaries(pieces, carrier)), "");
                for (const CodeCopy& c : codes) {
                    EXPECT_GE(c.version, 1);
                    EXPECT_LE(c.version, maxVersion);
                    EXPECT_TRUE(same_as_encoder(c, level, carrier == Utf8)) << hex(c.text);
                }
                EXPECT_EQ((generation_left_text_out() & LeftOutPastLastCode) != 0,
                          consumed_bytes(codes, payload) < payload.size());
                fill_text_form(text, {carrier, level, maxVersion, 0, 1});
                EXPECT_TRUE(same_codes(run_generation(), codes));
                ++generations;
            }
        }
    }
    EXPECT_GE(generations, 130);
}

}  // namespace
