// Mask evaluation: the penalty score of a matrix and the choice among the
// eight masks. Every row and column is kept as a bit set (1 = dark), and the
// rules run along 64 lines at once on the other direction's sets, so they
// become word-wide logic and population counts; the result is exactly the
// module-by-module score. No heap: the line sets are static scratch records,
// used only inside an encoding.
#include <cstring>

#include "encoder/encoder_internal.h"
#include "encoder/matrix_internal.h"

namespace {

// The dark modules of the symbol under the mask being scored.
struct MaskScratch {
    Line rows[kMaxModules], cols[kMaxModules];
    FormatPosition format[15][2];   // the modules of each format bit
};
MaskScratch maskScratch;

// ---- Population counts --------------------------------------------------------

// Without the POPCNT instruction, which the baseline x86-64 target lacks.
inline int32_t count_bits_portable(uint64_t v) {
    v = v - ((v >> 1) & 0x5555555555555555ull);
    v = (v & 0x3333333333333333ull) + ((v >> 2) & 0x3333333333333333ull);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int32_t>((v * 0x0101010101010101ull) >> 56);
}

// Hw: the builtin, which becomes POPCNT inside the functions compiled for it.
template <bool Hw>
[[gnu::always_inline]] inline int32_t count_bits(uint64_t v) {
    return Hw ? __builtin_popcountll(v) : count_bits_portable(v);
}

// ---- The four penalty rules, 64 lines at a time --------------------------------
//
// Word x of a scan holds module x of 64 parallel lines (for rows, the column
// words of one 64-row band), so a step along the lines is the next word and
// every rule is plain logic on words. Outside the symbol counts as light:
// the scan's words are padded with zeros on both sides.

constexpr int kPad = 4;   // light words before module 0 and beyond n + 6

struct Tally {
    int32_t runs, finders, blocks, dark;
};

// Runs of five or more same-coloured modules add their length minus 2:
// positions where five equal modules start, plus 2 for each run's first.
// s0 .. s3 roll along: module x + k equal to the next one.
template <bool Hw>
[[gnu::always_inline]] inline int32_t run_penalty(const uint64_t* w, int n, uint64_t valid) {
    int32_t runs = 0;
    uint64_t before = 0;   // w[x - 1] equal to w[x]; nothing before module 0
    uint64_t s0 = ~(w[0] ^ w[1]), s1 = ~(w[1] ^ w[2]), s2 = ~(w[2] ^ w[3]);
    for (int x = 0; x + 5 <= n; ++x) {
        const uint64_t s3 = ~(w[x + 3] ^ w[x + 4]);
        const uint64_t five = s0 & s1 & s2 & s3 & valid;
        runs += count_bits<Hw>(five) + 2 * count_bits<Hw>(five & ~before);
        before = s0;
        s0 = s1;
        s1 = s2;
        s2 = s3;
    }
    return runs;
}

// 1:1:3:1:1 at one module per unit, light on both sides, with four light
// modules on at least one side. edge[x]: dark x, light x + 1; light3[x]:
// x to x + 2 light (both padded like w).
template <bool Hw>
[[gnu::always_inline]] inline int32_t finder_count(const uint64_t* w, int n, uint64_t valid) {
    uint64_t edgeBuffer[kPad + kMaxModules + 12], lightBuffer[kPad + kMaxModules + 12];
    uint64_t* edge = edgeBuffer + kPad;
    uint64_t* light3 = lightBuffer + kPad;
    for (int x = -kPad; x < n + 8; ++x) {
        edge[x] = w[x] & ~w[x + 1];
        light3[x] = ~(w[x] | w[x + 1] | w[x + 2]);
    }
    int32_t finders = 0;
    for (int x = 0; x + 7 <= n; ++x) {
        const uint64_t core = ~w[x - 1] & edge[x] & w[x + 2] & w[x + 3] & edge[x + 4] & edge[x + 6];
        const uint64_t hit = core & (light3[x - 4] | light3[x + 8]) & valid;
        if (hit != 0) finders += count_bits<Hw>(hit);
    }
    return finders;
}

// 2 x 2 blocks of one colour: w the band's words, down the same words one
// line further (bit i of down[x] is line i + 1).
template <bool Hw>
[[gnu::always_inline]] inline int32_t block_count(const uint64_t* w, const uint64_t* down, int n, uint64_t valid) {
    int32_t blocks = 0;
    for (int x = 0; x + 2 <= n; ++x) {
        const uint64_t eq = ~(w[x] ^ w[x + 1]) & ~(w[x] ^ down[x]) & ~(w[x + 1] ^ down[x + 1]) & valid;
        blocks += count_bits<Hw>(eq);
    }
    return blocks;
}

// Bits of band b (lines 64 b to 64 b + 63) for the lines 0 to last.
inline uint64_t band_lines(int b, int last) {
    const int rest = last - b * 64 + 1;
    return rest >= 64 ? ~0ull : rest <= 0 ? 0 : (1ull << rest) - 1;
}

// The band's words, padded: w[x] for x in -kPad .. n + 10 (kPad zeros in front).
inline void load_band(const Line* across, int n, int b, uint64_t* padded) {
    for (int x = 0; x < kPad; ++x) padded[x] = 0;
    for (int x = 0; x < n; ++x) padded[kPad + x] = across[x].w[b];
    for (int x = n; x < n + 12; ++x) padded[kPad + x] = 0;
}

inline int32_t partial_score(const Tally& t) { return t.runs + 3 * t.blocks + 40 * t.finders; }

// Runs and finder patterns along the lines of `across` (rows: the column
// sets; columns: the row sets); with blocks, also the 2 x 2 blocks and the
// dark count. False as soon as the score so far reaches limit: every rule
// only adds, so such a mask cannot win.
template <int W, bool Hw>
[[gnu::always_inline]] inline bool scan(const Line* across, int n, bool withBlocks, int32_t limit, Tally& t) {
    uint64_t band[kPad + kMaxModules + 12], down[kMaxModules];
    for (int b = 0; b < W; ++b) {
        load_band(across, n, b, band);
        const uint64_t* w = band + kPad;
        t.runs += run_penalty<Hw>(w, n, band_lines(b, n - 1));
        t.finders += finder_count<Hw>(w, n, band_lines(b, n - 1));
        if (withBlocks) {
            for (int x = 0; x < n; ++x) {
                down[x] = (w[x] >> 1) | (b + 1 < W ? across[x].w[b + 1] << 63 : 0);
                t.dark += count_bits<Hw>(w[x]);
            }
            t.blocks += block_count<Hw>(w, down, n, band_lines(b, n - 2));
        }
        if (partial_score(t) >= limit) return false;
    }
    return true;
}

// The penalty, or limit when it would reach limit.
template <int W, bool Hw>
[[gnu::always_inline]] inline int32_t lines_penalty_of(const Line* rows, const Line* cols, int n, int32_t limit) {
    Tally t = {0, 0, 0, 0};
    if (!scan<W, Hw>(cols, n, true, limit, t)) return limit;    // along the rows
    if (!scan<W, Hw>(rows, n, false, limit, t)) return limit;   // along the columns
    int32_t total = n * n;
    int32_t percent = (total - t.dark) * 100 / total;
    int32_t off = percent > 50 ? percent - 50 : 50 - percent;
    return partial_score(t) + 10 * (off / 5);
}

template <int W>
int32_t lines_penalty_portable(const Line* rows, const Line* cols, int n, int32_t limit) {
    return lines_penalty_of<W, false>(rows, cols, n, limit);
}

template <int W>
[[gnu::target("popcnt")]] int32_t lines_penalty_popcnt(const Line* rows, const Line* cols, int n, int32_t limit) {
    return lines_penalty_of<W, true>(rows, cols, n, limit);
}

bool popcnt_present() {
    static const bool present = (__builtin_cpu_init(), __builtin_cpu_supports("popcnt"));
    return present;
}

bool g_portableCounts = false;   // tests may ask for the portable routine

// The same score either way; POPCNT where the processor has it.
template <int W>
int32_t lines_penalty(const Line* rows, const Line* cols, int n, int32_t limit) {
    if (popcnt_present() && !g_portableCounts) return lines_penalty_popcnt<W>(rows, cols, n, limit);
    return lines_penalty_portable<W>(rows, cols, n, limit);
}

constexpr int32_t kNoLimit = 0x7FFFFFFF;

int32_t penalty_of(const Line* rows, const Line* cols, int n) {
    if (n <= 64) return lines_penalty<1>(rows, cols, n, kNoLimit);
    if (n <= 128) return lines_penalty<2>(rows, cols, n, kNoLimit);
    return lines_penalty<3>(rows, cols, n, kNoLimit);
}

// Bits 0 to last set.
template <int W>
inline Line first_bits(int last) {
    Line r = {};
    for (int i = 0; i < W; ++i) r.w[i] = band_lines(i, last);
    return r;
}

inline void set_bit(Line& l, int i) { l.w[i >> 6] |= 1ull << (i & 63); }

// Row and column sets of the modules whose byte has any of the given flags.
void collect(uint8_t flags, Line* rows, Line* cols, int n) {
    std::memset(rows, 0, sizeof(Line) * static_cast<size_t>(n));
    std::memset(cols, 0, sizeof(Line) * static_cast<size_t>(n));
    for (int x = 0; x < n; ++x) {
        const uint8_t* column = g_encoder.matrix + x * kMaxModules;
        for (int y = 0; y < n; ++y) {
            if (column[y] & flags) {
                set_bit(rows[y], x);
                set_bit(cols[x], y);
            }
        }
    }
}

// Dark modules under mask m: fixed function modules, masked data elsewhere,
// then this mask's format information and the dark module. The format area
// is reserved light, so only its dark bits need setting.
template <int W>
void masked_lines(int mask, int n) {
    MaskScratch& s = maskScratch;
    const SymbolLines& l = g_lines;
    const MaskPatterns& patterns = mask_patterns();
    for (int i = 0; i < n; ++i) {
        const uint64_t* rowMask = patterns.rows[mask][i];
        const uint64_t* colMask = patterns.cols[mask][i];
        for (int k = 0; k < W; ++k) {
            s.rows[i].w[k] = l.symbolRows[i].w[k] ^ (l.freeRows[i].w[k] & rowMask[k]);
            s.cols[i].w[k] = l.symbolCols[i].w[k] ^ (l.freeCols[i].w[k] & colMask[k]);
        }
    }
    const int32_t bits = format_bits(g_encoder.level, mask);
    for (int k = 0; k < 15; ++k) {
        if (((bits >> k) & 1) == 0) continue;
        for (const FormatPosition& f : s.format[k]) {
            set_bit(s.rows[f.y], f.x);
            set_bit(s.cols[f.x], f.y);
        }
    }
    set_bit(s.rows[n - 8], 8);
    set_bit(s.cols[8], n - 8);
}

// The mask with the lowest penalty, the lower number on a tie.
template <int W>
int32_t best_mask(int n) {
    int32_t best = 0, bestScore = 0;
    for (int m = 0; m < 8; ++m) {
        masked_lines<W>(m, n);
        // A mask that reaches the best score so far loses: the lower wins ties.
        int32_t score = lines_penalty<W>(maskScratch.rows, maskScratch.cols, n, m == 0 ? kNoLimit : bestScore);
        if (m == 0 || score < bestScore) {
            best = m;
            bestScore = score;
        }
    }
    return best;
}

// The unmasked symbol and its free modules by column, from the sets
// place_data left. Bits beyond the symbol stay light: the finder rule reads
// them as the light surroundings.
template <int W>
void join_columns(int n) {
    SymbolLines& l = g_lines;
    const Line inside = first_bits<W>(n - 1);
    for (int x = 0; x < n; ++x) {
        for (int k = 0; k < W; ++k) {
            const uint64_t free = ~l.functionCols[x].w[k] & inside.w[k];
            l.freeCols[x].w[k] = free;
            l.symbolCols[x].w[k] = (l.fixedCols[x].w[k] | (free & l.dataCols[x].w[k])) & inside.w[k];
        }
    }
}

// Gives the same choice as applying each mask with its format information
// to the matrix and scoring it.
template <int W>
int32_t choose_mask(int n) {
    SymbolLines& l = g_lines;
    transpose_lines(l.symbolCols, l.symbolRows, n);
    transpose_lines(l.freeCols, l.freeRows, n);
    return best_mask<W>(n);
}

// The matrix under the mask, with its format information, as 1/0 bytes.
template <int W>
void write_masked(int mask, int n) {
    masked_lines<W>(mask, n);
    for (int x = 0; x < n; ++x) write_column(g_encoder.matrix + x * kMaxModules, n, maskScratch.cols[x]);
}

template <int W>
void finish(int n) {
    for (int k = 0; k < 15; ++k) format_positions(n, k, maskScratch.format[k]);
    join_columns<W>(n);
    if (g_encoder.mask < 0) g_encoder.mask = choose_mask<W>(n);
    write_masked<W>(g_encoder.mask, n);
}

}  // namespace

bool use_popcnt_instruction(bool on) {
    g_portableCounts = !on;
    return on && popcnt_present();
}

int32_t mask_penalty() {
    const int n = g_encoder.size;
    collect(FunctionDark | MaskedBit, maskScratch.rows, maskScratch.cols, n);
    return penalty_of(maskScratch.rows, maskScratch.cols, n);
}

void finish_matrix() {
    const int n = g_encoder.size;
    if (n <= 64) {
        finish<1>(n);
    } else if (n <= 128) {
        finish<2>(n);
    } else {
        finish<3>(n);
    }
}
