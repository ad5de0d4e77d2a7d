// Literal mask penalty: every rule scanned module by module.
#include "tests/encoder/literal_penalty_support.h"

#include "encoder/encoder_internal.h"

static int g_n;

static bool dark_at(int x, int y) {
    if (x < 0 || y < 0 || x >= g_n || y >= g_n) return false;   // outside is light
    return (g_encoder.matrix[x * kMaxModules + y] & 0x11) != 0;
}

// Module k of line `line`; along x when horizontal.
static bool line_dark(bool horizontal, int line, int k) {
    return horizontal ? dark_at(k, line) : dark_at(line, k);
}

static int32_t line_runs(bool horizontal, int line) {
    int32_t score = 0;
    int s = 0;
    while (s < g_n - 4) {
        int k = 1;
        while (s + k < g_n && line_dark(horizontal, line, s + k) == line_dark(horizontal, line, s)) ++k;
        if (k >= 5) score += k - 2;
        s += k;
    }
    return score;
}

static int32_t line_finders(bool horizontal, int line) {
    static const bool kPattern[7] = {true, false, true, true, true, false, true};
    int32_t score = 0;
    for (int s = 0; s <= g_n - 7; ++s) {
        bool match = true;
        for (int k = 0; k < 7; ++k) match = match && line_dark(horizontal, line, s + k) == kPattern[k];
        if (!match) continue;
        if (s > 0 && line_dark(horizontal, line, s - 1)) continue;
        if (s < g_n - 7 && line_dark(horizontal, line, s + 7)) continue;
        bool before = !line_dark(horizontal, line, s - 2) && !line_dark(horizontal, line, s - 3) &&
                      !line_dark(horizontal, line, s - 4);
        bool after = !line_dark(horizontal, line, s + 8) && !line_dark(horizontal, line, s + 9) &&
                     !line_dark(horizontal, line, s + 10);
        if (before || after) score += 40;
    }
    return score;
}

int32_t literal_penalty() {
    g_n = g_encoder.size;
    int32_t score = 0;
    for (int line = 0; line < g_n; ++line) {
        score += line_runs(true, line) + line_runs(false, line);
        score += line_finders(true, line) + line_finders(false, line);
    }
    for (int x = 0; x < g_n - 1; ++x)
        for (int y = 0; y < g_n - 1; ++y) {
            bool c = dark_at(x, y);
            if (dark_at(x + 1, y) == c && dark_at(x, y + 1) == c && dark_at(x + 1, y + 1) == c) score += 3;
        }
    int32_t light = 0;
    for (int x = 0; x < g_n; ++x)
        for (int y = 0; y < g_n; ++y) light += dark_at(x, y) ? 0 : 1;
    int32_t p = light * 100 / (g_n * g_n);
    int32_t off = p > 50 ? p - 50 : 50 - p;
    return score + 10 * (off / 5);
}

int32_t literal_mask_choice() {
    int32_t best = -1, bestScore = 0;
    for (int m = 0; m < 8; ++m) {
        apply_mask(m);
        place_format_info(m);
        int32_t score = literal_penalty();
        if (best < 0 || score < bestScore) {
            best = m;
            bestScore = score;
        }
    }
    return best;
}
