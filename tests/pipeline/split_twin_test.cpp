// The splitter against a slow, literal twin of its rules, written here step
// by step over the payload's token boundaries: the piece of 1,000 bytes cut
// with truncate_at, the version search, the length search whose trials take
// the first len bytes cut with truncate_at flag 1, and the corrections for
// emoji sequences and UTF-8 characters. Run with its mends, the twin must
// give every code the splitter gives. Run without them, it must agree
// wherever its own searches were decided by trials and its final cut is
// sound, so the mends are the only differences. Both twins try texts with
// the system's trial_encode, whose choice of encoder (a text with a tab goes
// to the internal encoder, which encodes the tab) the encoder-selection
// tests check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "encoder/tables.h"
#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/splitter.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

struct TwinCut {
    int32_t result = SplitMore;   // SplitResult
    int32_t cut = 0;              // bytes of the code's text
    int32_t version = 0;
    int32_t consumed = 0;         // bytes of remaining used, the mark included
    bool decided = true;          // the searches' answers were confirmed by trials
    bool sound = true;            // the final cut lies at a boundary, past the start
    bool markMissed = false;      // the literal piece cut a split mark in two, or ended right before one
    int32_t offUnitTrials = 0;    // length trials whose prefix ended inside a unit
};

// The twin of split_next for the remaining payload at offset at of payload,
// whose token boundaries (payload offsets) are given.
class Twin {
public:
    Twin(const std::string& payload, const std::vector<int32_t>& boundaries, int32_t at, int32_t carrier,
         bool mends)
        : remaining_(payload.substr(static_cast<size_t>(at))), carrier_(carrier), mends_(mends) {
        for (int32_t b : boundaries) {
            if (b >= at) bounds_.push_back(b - at);
        }
    }

    TwinCut split(const SplitSettings& s, int32_t index) {
        TwinCut out;
        // 1-2
        if (remaining_.empty()) return result(&out, SplitEmpty);
        if (index < 0 || index > 19) return result(&out, SplitRefused);
        // 3: the first 1,001 bytes, cut to 1,000 with truncate_at flag 1.
        std::memset(piece_, 0, sizeof piece_);
        std::memcpy(piece_, remaining_.data(), std::min<size_t>(remaining_.size(), 1001));
        truncate_at(piece_, 1000, 1);
        // 4: the first mark in the piece; the mend also takes one that starts
        // inside it or right at its end but runs past it.
        const char* found = std::strstr(piece_, SplitMark);
        int32_t m = found ? static_cast<int32_t>(found - piece_) : -1;
        int32_t whole = static_cast<int32_t>(std::strlen(piece_));
        for (int32_t q = std::max(0, whole - kSplitMarkBytes + 1); m < 0 && q <= whole; ++q) {
            if (remaining_.compare(static_cast<size_t>(q), kSplitMarkBytes, SplitMark) == 0) {
                out.markMissed = true;
                if (mends_) m = q;
            }
        }
        if (m >= 0) std::memset(piece_ + m, 0, sizeof piece_ - static_cast<size_t>(m));
        // 5
        len_ = static_cast<int32_t>(std::strlen(piece_));
        if (len_ == 0) return result(&out, SplitEmpty);
        int32_t cut = -1;
        // The mend without the library: such a text goes whole to encode_code,
        // which reports the missing library.
        if (mends_ && !external_encoder_loaded() && classify_charset(piece_, 10) < 10) {
            cut = len_;
            out.version = s.maxVersion;
        }
        // 6: the whole piece.
        int32_t e = estimate_version(piece_, s.level);
        if (cut < 0 && e > 0 && e <= s.maxVersion + 1) {
            int32_t v = search_version_twin(std::max(e - 1, 1), s.maxVersion, s.level + 1, &out);
            if (v > 0) {
                cut = len_;
                out.version = v;
            }
        }
        // 7: the longest prefix.
        if (cut < 0) {
            int32_t estimate = estimate_cut(piece_, s.maxVersion, s.level);
            if (estimate < 0) return result(&out, SplitRefused);
            cut = search_length_twin(estimate, s.maxVersion, s.level + 1, &out);
            out.version = s.maxVersion;
        }
        // 8: an SI within four bytes.
        for (int32_t p = 0; p <= 3; ++p) {
            if (static_cast<uint8_t>(piece_[cut + p]) == 0x0F) {
                cut -= 4 - p;
                break;
            }
        }
        // 9: UTF-8 continuation bytes.
        for (int32_t i = 0; i < 3 && carrier_ == Utf8 && cut >= 0; ++i) {
            if ((static_cast<uint8_t>(piece_[cut]) & 0xC0) != 0x80) break;
            --cut;
        }
        out.sound = cut > 0 && is_boundary(cut);
        // The mend: back to the last boundary, and never to nothing.
        if (mends_ && !out.sound) {
            cut = boundary_before(cut);
            if (cut <= 0) cut = boundary_before(boundary_after(0));
        }
        out.cut = cut;
        // 10-14
        out.consumed = m >= 0 && m <= cut ? m + kSplitMarkBytes : cut;
        if (out.consumed >= static_cast<int32_t>(remaining_.size())) return result(&out, SplitDone);
        if (s.oneCode && (m < 0 || m > cut)) return result(&out, SplitNotOneCode);
        return result(&out, SplitMore);
    }

private:
    static TwinCut result(TwinCut* out, int32_t r) {
        out->result = r;
        return *out;
    }

    bool is_boundary(int32_t p) const { return p <= len_ && std::binary_search(bounds_.begin(), bounds_.end(), p); }
    int32_t boundary_before(int32_t limit) const {
        int32_t p = std::min(limit, len_);
        while (p > 0 && !is_boundary(p)) --p;
        return std::max(p, 0);
    }
    int32_t boundary_after(int32_t at) const {
        int32_t p = at + 1;
        while (p < len_ && !is_boundary(p)) ++p;
        return p;
    }

    bool fits(const char* text, int32_t version, int32_t levelPlusOne) const {
        return trial_encode(text, version, levelPlusOne, carrier_) == 0;
    }

    int32_t search_version_twin(int32_t start, int32_t maxVersion, int32_t levelPlusOne, TwinCut* out) {
        int32_t v = std::min(start, maxVersion), direction = 0;
        for (int32_t trial = 0; trial < 8; ++trial) {
            bool r = fits(piece_, v, levelPlusOne);
            if (direction == 0) {
                direction = r ? -1 : +1;
            } else if (direction == -1 && !r) {
                return v + 1;
            } else if (direction == +1 && r) {
                return v;
            }
            v += direction;
            if (v == 0) return 1;
            if (v > maxVersion) return -1;
        }
        // Undecided: the rule returns a version it never tried; the mend the
        // last one that fitted, or none.
        if (mends_) return direction < 0 ? v + 1 : -1;
        out->decided = false;
        return v;
    }

    int32_t search_length_twin(int32_t estimate, int32_t version, int32_t levelPlusOne, TwinCut* out) {
        int32_t s = static_cast<int32_t>(std::max(estimate * 0.06, 1.0));
        int32_t best = 1, step = 0, sum = 0, len = estimate, previousCur = 0;
        bool fitted = false;
        int32_t smallestMiss = len_ + 1;
        for (int32_t trial = 0; trial < 10; ++trial) {
            // 1: the first len bytes (none for a length below 1), cut with
            // truncate_at flag 1.
            std::string prefix(piece_);
            truncate_at(&prefix[0], std::max(len, 0), 1);
            int32_t cur = static_cast<int32_t>(std::strlen(prefix.c_str()));
            if (!is_boundary(cur)) ++out->offUnitTrials;
            // 2
            bool r = fits(prefix.c_str(), version, levelPlusOne);
            if (!r && cur > 0) smallestMiss = std::min(smallestMiss, cur);
            // 3
            if (!r && (step == 0 || step == -s)) {
                step = -s;
            } else if (r && (step == 0 || step == +s)) {
                best = cur;
                step = +s;
            } else if (!r) {
                step = cur >= len ? -std::abs(step / 2) : -std::abs((previousCur - cur) / 2);
            } else {
                best = cur;
                step = std::abs(step / 2);
            }
            fitted = fitted || r;
            // 4-5
            sum += step;
            len = estimate + sum;
            previousCur = cur;
            if ((version != 1 && -1 <= step && step <= 1) || cur == len) break;
        }
        if (fitted) return best;
        if (!mends_) {
            out->decided = false;
            return best;
        }
        // The mend: bisection over boundaries between nothing and the
        // shortest prefix seen not to fit.
        int32_t yes = 0, no = smallestMiss;
        for (;;) {
            int32_t mid = boundary_before(yes + (no - yes) / 2);
            if (mid <= yes) mid = boundary_after(yes);
            if (mid >= no) return yes;
            if (fits(std::string(piece_, static_cast<size_t>(mid)).c_str(), version, levelPlusOne)) {
                yes = mid;
            } else {
                no = mid;
            }
        }
    }

    std::string remaining_;
    int32_t carrier_;
    bool mends_;
    std::vector<int32_t> bounds_;
    char piece_[1010];
    int32_t len_ = 0;
};

struct Tally {
    int32_t passes = 0, literal = 0, offUnitTrials = 0, excluded = 0;
};

// Replays the generation of payload with both twins and compares each code.
void compare_generation(const std::vector<CodeCopy>& codes, const std::string& payload,
                        const std::vector<int32_t>& boundaries, const SplitSettings& s, Tally* tally) {
    int32_t at = 0;
    for (int32_t index = 0; index < kMaxCodes; ++index) {
        SCOPED_TRACE(::testing::Message() << "code " << index + 1 << " at " << at);
        Twin mended(payload, boundaries, at, s.carrier, true), literal(payload, boundaries, at, s.carrier, false);
        TwinCut want = mended.split(s, index);
        TwinCut part = literal.split(s, index);
        ASSERT_LT(static_cast<size_t>(index), codes.size());
        ASSERT_TRUE(want.result == SplitMore || want.result == SplitDone) << want.result;
        EXPECT_EQ(codes[index].text, payload.substr(static_cast<size_t>(at), static_cast<size_t>(want.cut)));
        EXPECT_EQ(codes[index].version, want.version);
        ++tally->passes;
        tally->offUnitTrials += part.offUnitTrials;
        if (part.decided && part.sound && !part.markMissed) {
            ++tally->literal;
            EXPECT_EQ(part.cut, want.cut);
            EXPECT_EQ(part.version, want.version);
            EXPECT_EQ(part.consumed, want.consumed);
        } else {
            ++tally->excluded;
        }
        if (want.result == SplitDone) {
            EXPECT_EQ(codes.size(), static_cast<size_t>(index) + 1);
            return;
        }
        at += want.consumed;
    }
    EXPECT_EQ(codes.size(), static_cast<size_t>(kMaxCodes));
}

const int32_t kLargestVersions[] = {20, 10, 5, 2, 1};

// Puts an SI byte before about one token in 30: the correction for emoji
// sequences looks for SI alone. Returns the new text.
std::string scatter_lone_si(std::mt19937* rng, std::vector<std::string>* pieces) {
    std::vector<std::string> out;
    std::string text;
    for (const std::string& p : *pieces) {
        if (std::uniform_int_distribution<int32_t>(0, 29)(*rng) == 0 && text.size() < 19990) {
            out.push_back("\x0F");
            text += '\x0F';
        }
        out.push_back(p);
        text += p;
    }
    *pieces = out;
    return text;
}

TEST(SplitTwin, RandomPayloadsCutAsTheTwinCutsThem) {
    ASSERT_TRUE(load_test_library());
    std::mt19937 rng(20261209);
    for (int32_t carrier : {Softbank, Utf8, Docomo, Au}) {
        SCOPED_TRACE(::testing::Message() << "carrier " << carrier);
        Tally tally;
        for (int32_t round = 0; round < 100; ++round) {
            const int32_t level = round % 4;
            const int32_t maxVersion = kLargestVersions[round % 5];
            const int32_t longest = round % 3 == 0 ? 3200 : round % 3 == 1 ? 1200 : 300;
            std::vector<std::string> pieces;
            int32_t bytes = std::uniform_int_distribution<int32_t>(1, longest)(rng);
            std::string text = random_text(&rng, carrier, bytes, round % 2 == 0, &pieces);
            if (round % 4 == 1) text = scatter_lone_si(&rng, &pieces);
            if (text.empty()) continue;
            SCOPED_TRACE(::testing::Message() << "level " << level << " max " << maxVersion << " text "
                                              << hex(text));
            fill_text_form(text, {carrier, level, maxVersion, 0, 1});
            std::vector<CodeCopy> codes = run_generation();
            ASSERT_EQ(generation_error(nullptr), 0);
            std::string payload = last_payload();
            compare_generation(codes, payload, converted_boundaries(pieces, carrier),
                               {level, maxVersion, 0, carrier}, &tally);
            if (::testing::Test::HasFailure()) return;
        }
        // The literal rule must be the one compared almost everywhere.
        EXPECT_GE(tally.literal * 10, tally.passes * 9) << tally.literal << " of " << tally.passes;
        // Softbank and UTF-8 trials take prefixes that end inside a unit,
        // the path where the searches once parted.
        if (carrier == Softbank || carrier == Utf8) {
            EXPECT_GT(tally.offUnitTrials, 0);
        }
        std::printf("carrier %d: %d codes, %d compared with the literal rule, %d trials inside a unit\n", carrier,
                    tally.passes, tally.literal, tally.offUnitTrials);
    }
}

TEST(SplitTwin, SeventeenFourByteEmojiAtHighAndVersionFive) {
    ASSERT_TRUE(load_test_library());
    std::string text;
    for (int i = 0; i < 17; ++i) text += "[1F600]";
    fill_text_form(text, {Utf8, LevelH, 5, 0, 1});
    std::vector<CodeCopy> codes = run_generation();
    ASSERT_EQ(codes.size(), 2u);
    // The trials at 52, 48 and 46 bytes fail; the one at 42 (the first 43
    // bytes, cut before a trail byte) fits, and the cut leaves the emoji it
    // halves to the next code.
    EXPECT_EQ(codes[0].text.size(), 40u);
    EXPECT_EQ(codes[0].version, 5);
    EXPECT_EQ(codes[1].text.size(), 28u);
    EXPECT_EQ(codes[1].version, 4);
    EXPECT_EQ(codes[0].text + codes[1].text, last_payload());
}

}  // namespace
