// The splitter's trial searches: the version search for a whole piece and
// the length search for the longest prefix that fits. Only lengths and
// versions that a trial confirmed are ever returned.
#include <cstdlib>
#include <cstring>

#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/splitter.h"

namespace {

const int32_t kVersionTrials = 8;
const int32_t kLengthTrials = 10;

char g_candidate[kCodeTextBytes];   // the prefix being tried

bool prefix_fits(const Piece& piece, int32_t length, int32_t version, int32_t levelPlusOne) {
    if (length <= 0) return false;
    std::memcpy(g_candidate, piece.text, static_cast<size_t>(length));
    g_candidate[length] = '\0';
    return trial_encode(g_candidate, version, levelPlusOne, piece.carrier) == 0;
}

// The prefix a stepping trial takes: the first len bytes of the piece, cut
// with truncate_at flag 1. Its byte rules are Shift_JIS whatever the target,
// so a UTF-8 character or an emoji sequence may be cut; split_next mends the
// final cut. Returns the prefix's length; g_candidate holds it.
int32_t stepping_prefix(const Piece& piece, int32_t len) {
    std::memcpy(g_candidate, piece.text, static_cast<size_t>(piece.length) + 1);
    truncate_at(g_candidate, len > 0 ? len : 0, 1);
    return static_cast<int32_t>(std::strlen(g_candidate));
}

int32_t boundary_after(const Piece& piece, int32_t at) {
    int32_t p = at + 1;
    while (p < piece.length && !piece.boundary[p]) ++p;
    return p;
}

// Bisection between a length that fits (or 0) and one that does not, over
// character boundaries: the fallback when the stepping search confirmed
// nothing. At most about ten trials for 1,000 bytes.
int32_t bisect_length(const Piece& piece, int32_t fits, int32_t fails, int32_t version, int32_t levelPlusOne) {
    for (;;) {
        int32_t mid = boundary_before(piece, fits + (fails - fits) / 2);
        if (mid <= fits) mid = boundary_after(piece, fits);
        if (mid >= fails) return fits;
        if (prefix_fits(piece, mid, version, levelPlusOne)) {
            fits = mid;
        } else {
            fails = mid;
        }
    }
}

}  // namespace

int32_t search_version(const Piece& piece, int32_t start, int32_t maxVersion, int32_t levelPlusOne) {
    int32_t v = start < maxVersion ? start : maxVersion;
    int32_t direction = 0;
    for (int32_t trial = 0; trial < kVersionTrials; ++trial) {
        bool fits = trial_encode(piece.text, v, levelPlusOne, piece.carrier) == 0;
        if (direction == 0) {
            direction = fits ? -1 : 1;
        } else if (direction < 0 && !fits) {
            return v + 1;
        } else if (direction > 0 && fits) {
            return v;
        }
        v += direction;
        if (v == 0) return 1;
        if (v > maxVersion) return -1;
    }
    // Undecided: going down, the last version tried fitted; going up, none
    // did, and the length search at the largest version takes over.
    return direction < 0 ? v + 1 : -1;
}

int32_t search_length(const Piece& piece, int32_t estimate, int32_t version, int32_t levelPlusOne) {
    double scaled = estimate * 0.06;
    const int32_t s = static_cast<int32_t>(scaled > 1.0 ? scaled : 1.0);
    int32_t best = 0, step = 0, sum = 0, len = estimate, previousCur = 0;
    int32_t smallestMiss = piece.length + 1;
    for (int32_t trial = 0; trial < kLengthTrials; ++trial) {
        int32_t cur = stepping_prefix(piece, len);
        // An empty prefix gives 4, which is no fit.
        bool fits = trial_encode(g_candidate, version, levelPlusOne, piece.carrier) == 0;
        // Every later trial would take this same whole piece again.
        if (fits && cur == piece.length) return cur;
        if (!fits && cur > 0 && cur < smallestMiss) smallestMiss = cur;
        if (!fits && (step == 0 || step == -s)) {
            step = -s;
        } else if (fits && (step == 0 || step == s)) {
            step = s;
        } else if (!fits) {
            step = cur >= len ? -std::abs(step / 2) : -std::abs((previousCur - cur) / 2);
        } else {
            step = std::abs(step / 2);
        }
        if (fits) best = cur;
        sum += step;
        len = estimate + sum;
        previousCur = cur;
        if ((version != 1 && step >= -1 && step <= 1) || cur == len) break;
    }
    if (best > 0) return best;
    return bisect_length(piece, 0, smallestMiss, version, levelPlusOne);
}
