// The entry point: version choice, failures, limits, and no heap use.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "encoder/encoder.h"

// Counts every allocation of this test program, to show an encoding makes none.
static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size) {
    ++g_allocations;
    void* p = std::malloc(size ? size : 1);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
// Not inlined: the compiler would otherwise see free() meet a pointer from
// operator new and warn of a mismatch that this replacement pair rules out.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

bool encode(int level, int version, bool allowLarger, const std::string& text, int kanjiOff = 0) {
    return encode_symbol(level, version, allowLarger, -1, text.c_str(), kanjiOff);
}

}  // namespace

TEST(EncodeSymbol, SmallestVersion) {
    ASSERT_TRUE(encode(LevelH, 0, false, std::string(17, '7')));
    EXPECT_EQ(g_encoder.version, 1);
    EXPECT_EQ(g_encoder.size, 21);
    ASSERT_TRUE(encode(LevelH, 0, false, std::string(18, '7')));
    EXPECT_EQ(g_encoder.version, 2);
    EXPECT_EQ(g_encoder.size, 25);
}

TEST(EncodeSymbol, RequestedVersions) {
    std::string fitsTen(231, 'x');   // needs version 10 at L
    ASSERT_TRUE(encode(LevelL, 12, false, fitsTen));
    EXPECT_EQ(g_encoder.version, 12);
    std::string needsSeven(150, 'x');   // 6-L holds 136 bytes, 7-L 156
    EXPECT_FALSE(encode(LevelL, 5, false, needsSeven));
    ASSERT_TRUE(encode(LevelL, 5, true, needsSeven));
    EXPECT_EQ(g_encoder.version, 7);
    ASSERT_TRUE(encode(LevelM, 30, false, "A"));
    EXPECT_EQ(g_encoder.version, 30);
    EXPECT_EQ(g_encoder.size, 137);
    ASSERT_TRUE(encode(LevelM, 10, false, "A"));
    EXPECT_EQ(g_encoder.version, 10);
}

TEST(EncodeSymbol, Failures) {
    EXPECT_FALSE(encode(LevelM, 0, false, ""));
    EXPECT_FALSE(encode(LevelL, 0, false, std::string(2954, 'x')));   // 40-L holds 2953 bytes
    ASSERT_TRUE(encode(LevelL, 0, false, std::string(2953, 'x')));
    EXPECT_EQ(g_encoder.version, 40);
    EXPECT_FALSE(encode(LevelH, 0, false, std::string(1274, 'x')));   // 40-H holds 1273
    ASSERT_TRUE(encode(LevelH, 0, false, std::string(1273, 'x')));
    EXPECT_FALSE(encode(4, 0, false, "A"));
    EXPECT_FALSE(encode(LevelM, 41, false, "A"));
}

TEST(EncodeSymbol, LongestInputs) {
    ASSERT_TRUE(encode(LevelL, 0, false, std::string(kMaxInputBytes, '9')));
    EXPECT_EQ(g_encoder.version, 40);
    EXPECT_FALSE(encode(LevelL, 0, false, std::string(kMaxInputBytes + 1, '9')));
    EXPECT_FALSE(encode(LevelL, 0, false, std::string(20000, '9')));
    // 4,296 one-character segments that merge into one alphanumeric run.
    std::string alternating;
    for (int i = 0; i < 2148; ++i) alternating += "1A";
    ASSERT_TRUE(encode(LevelL, 0, false, alternating));
    EXPECT_EQ(g_encoder.version, 40);
    EXPECT_EQ(g_encoder.segmentCount, 1);
    EXPECT_EQ(g_encoder.segmentMode[0], Alphanumeric);
    // The most segments any input makes: every byte a class of its own.
    std::string worst;
    for (int i = 0; i < kMaxInputBytes; ++i) worst += (i % 3 == 0) ? '1' : (i % 3 == 1) ? 'a' : 'B';
    EXPECT_FALSE(encode(LevelL, 0, false, worst));
    std::mt19937 rng(5);
    for (int trial = 0; trial < 20; ++trial) {
        std::string bytes;
        for (int i = 0; i < kMaxInputBytes; ++i) bytes += static_cast<char>(1 + rng() % 255);
        EXPECT_FALSE(encode(static_cast<int>(rng() % 4), 0, false, bytes));
    }
}

TEST(EncodeSymbol, AllocatesNothing) {
    std::string inputs[] = {std::string(2900, 'q'), std::string(7000, '5'), "\x93\xfa\x96\x7b", "HELLO 123"};
    for (const std::string& s : inputs) {
        long before = g_allocations.load();
        bool ok = encode_symbol(LevelL, 0, false, -1, s.c_str(), 0);
        long after = g_allocations.load();
        EXPECT_TRUE(ok);
        EXPECT_EQ(after, before);
    }
    // The counter itself works.
    static int* volatile sink;
    long before = g_allocations.load();
    sink = new int(3);
    delete sink;
    EXPECT_EQ(g_allocations.load(), before + 1);
}

// Mixed classes in runs, so segments merge differently in the three groups.
static std::string mixed_text(std::mt19937& rng, size_t length) {
    static const char* const kRuns[] = {"0123456789", "ABC DEF:/", "abc", "\x93\xfa\x96\x7b", "\xe0\x40", "\x01\xff"};
    std::string text;
    while (text.size() < length) text += std::string(kRuns[rng() % 6]).substr(0, 1 + rng() % 10);
    text.resize(length);
    return text;
}

TEST(EncodeSymbol, FitAnswersAsTheEncodingDoes) {
    std::mt19937 rng(11);
    int fits = 0, misses = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const std::string text = mixed_text(rng, 1 + rng() % (trial % 10 == 0 ? 3000 : 500));
        const int level = static_cast<int>(rng() % 4), kanjiOff = static_cast<int>(rng() % 2);
        const int smallest = encode(level, 0, false, text, kanjiOff) ? g_encoder.version : 40;
        int version = smallest - 2 + static_cast<int>(rng() % 4);
        version = version < 1 ? 1 : version > 40 ? 40 : version;
        const bool expected = encode(level, version, false, text, kanjiOff);
        ASSERT_EQ(symbol_fits(level, version, text.c_str(), kanjiOff), expected)
            << "trial " << trial << " version " << version << " level " << level;
        ++(expected ? fits : misses);
    }
    EXPECT_GT(fits, 500);
    EXPECT_GT(misses, 500);
    EXPECT_FALSE(symbol_fits(LevelL, 1, "", 0));
    EXPECT_FALSE(symbol_fits(LevelL, 0, "1", 0));
    EXPECT_FALSE(symbol_fits(LevelL, 41, "1", 0));
    EXPECT_FALSE(symbol_fits(4, 1, "1", 0));
    EXPECT_FALSE(symbol_fits(LevelL, 40, std::string(kMaxInputBytes + 1, '9').c_str(), 0));
    EXPECT_TRUE(symbol_fits(LevelL, 40, std::string(kMaxInputBytes, '9').c_str(), 0));
}
