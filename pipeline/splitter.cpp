// split_next: the piece a code may take, its character boundaries, the
// choice between the whole piece and its longest fitting prefix, the cut's
// corrections and the step past a split mark. Final cuts fall only at
// boundaries, found by walking the payload itself.
#include <cstring>

#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/splitter.h"

namespace {

Piece pieceScratch;

bool is_continuation(uint8_t b) { return (b & 0xC0) == 0x80; }

int32_t utf8_unit_length(const uint8_t* p) {
    int32_t n = p[0] >= 0xF0 && p[0] <= 0xF7 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC0 ? 2 : 1;
    if (p[0] > 0xF7) n = 1;
    for (int32_t i = 1; i < n; ++i) {
        if (!is_continuation(p[i])) return 1;
    }
    return n;
}

// ESC "$" page letter, any byte, SI: one softbank emoji.
bool is_escape_sequence(const uint8_t* p) {
    return p[0] == 0x1B && p[1] == '$' && p[2] != 0 && std::strchr("EFGOPQ", p[2]) != nullptr && p[3] != 0 &&
           p[4] == 0x0F;
}

// Offset of the first split mark that starts at or before byte limit of
// remaining, or -1. A mark running past limit counts too: the piece ends
// before it, so no code holds part of a mark and the mark is skipped once
// everything before it went into a code.
int32_t find_mark(const char* remaining, int32_t limit) {
    for (int32_t pos = 0; pos <= limit && remaining[pos] != '\0'; ++pos) {
        if (remaining[pos] == SplitMark[0] && std::strncmp(remaining + pos, SplitMark, kSplitMarkBytes) == 0) return pos;
    }
    return -1;
}

// Fills pieceScratch from remaining: its first 1,000 bytes cut with truncate_at
// flag 1 (Shift_JIS byte rules, whatever the target), ended at the first
// split mark (find_mark). The boundaries come from the units of remaining,
// so a piece that ends inside a unit has no boundary at its end. Returns the
// mark's offset, or -1.
int32_t build_piece(const char* remaining, int32_t carrier) {
    Piece& piece = pieceScratch;
    // The cut's corrections read up to four bytes past the piece: zeros.
    std::memset(&piece, 0, sizeof piece);
    piece.carrier = carrier;
    int32_t n = 0;
    while (n <= kCodeTextLimit && remaining[n] != '\0') ++n;
    std::memcpy(piece.text, remaining, static_cast<size_t>(n));
    truncate_at(piece.text, kCodeTextLimit, 1);
    int32_t length = static_cast<int32_t>(std::strlen(piece.text));
    int32_t mark = find_mark(remaining, length);
    if (mark >= 0) {
        length = mark;
        std::memset(piece.text + length, 0, sizeof piece.text - static_cast<size_t>(length));
    }
    piece.length = length;
    int32_t pos = 0;
    while (pos < length) {
        piece.boundary[pos] = 1;
        pos += unit_length(remaining + pos, carrier);
    }
    if (pos == length) piece.boundary[pos] = 1;
    return mark;
}

// The search's cut made sound: an SI within the next four bytes moves it to
// the start of that five-byte emoji sequence; for UTF-8 up to three
// continuation bytes at the cut go to the next code. Both read bytes alone,
// so the cut then goes back to the last unit boundary, and never to nothing.
int32_t correct_cut(const Piece& piece, int32_t cut) {
    const uint8_t* t = reinterpret_cast<const uint8_t*>(piece.text);
    for (int32_t p = 0; p < 4; ++p) {
        if (t[cut + p] == 0x0F) {
            cut -= 4 - p;
            break;
        }
    }
    for (int32_t i = 0; i < 3 && piece.carrier == Utf8 && cut > 0 && is_continuation(t[cut]); ++i) --cut;
    cut = boundary_before(piece, cut);
    return cut > 0 ? cut : boundary_before(piece, unit_length(piece.text, piece.carrier));
}

// The search's cut and the code's version: the whole piece at the smallest
// version that a trial confirms, else the prefix the length search confirms
// at the largest.
int32_t choose_cut(const SplitSettings& s, int32_t* version) {
    const Piece& piece = pieceScratch;
    // Without the library no trial of such a text can fit: the whole piece
    // goes to encode_code, which reports the missing library.
    if (!external_encoder_loaded() && classify_charset(piece.text, 10) < 10) {
        *version = s.maxVersion;
        return piece.length;
    }
    int32_t e = estimate_version(piece.text, s.level);
    if (e > 0 && e <= s.maxVersion + 1) {
        int32_t v = search_version(piece, e - 1 > 1 ? e - 1 : 1, s.maxVersion, s.level + 1);
        if (v > 0) {
            *version = v;
            return piece.length;
        }
    }
    int32_t estimate = estimate_cut(piece.text, s.maxVersion, s.level);
    if (estimate < 0) return -1;
    *version = s.maxVersion;
    // 0: not even one character fits, and correct_cut gives the first one,
    // whose encoding then fails.
    return search_length(piece, estimate, s.maxVersion, s.level + 1);
}

}  // namespace

int32_t unit_length(const char* text, int32_t carrier) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
    if (p[0] == 0) return 0;
    if (carrier == Utf8) return utf8_unit_length(p);
    if (is_escape_sequence(p)) return 5;
    return sjis_char_length(text);
}

int32_t boundary_before(const Piece& piece, int32_t limit) {
    int32_t p = limit > piece.length ? piece.length : limit;
    while (p > 0 && !piece.boundary[p]) --p;
    return p < 0 ? 0 : p;
}

int32_t split_next(const char* remaining, int32_t index, const SplitSettings& s, CodeSlot* code,
                   const char** next) {
    if (remaining == nullptr || remaining[0] == '\0') return SplitEmpty;
    if (index < 0 || index >= kMaxCodes) return SplitRefused;
    if (s.maxVersion < 1 || s.maxVersion > kCapacityVersions || s.level < 0 || s.level > 3) return SplitRefused;
    std::memset(code->text, 0, sizeof code->text);
    int32_t mark = build_piece(remaining, s.carrier);
    if (pieceScratch.length == 0) return SplitEmpty;
    int32_t version = 0;
    int32_t cut = choose_cut(s, &version);
    if (cut < 0) return SplitRefused;
    cut = correct_cut(pieceScratch, cut);
    std::memcpy(code->text, pieceScratch.text, static_cast<size_t>(cut));
    code->version = version;
    // The mark is skipped once everything before it went into this code.
    int32_t consumed = mark >= 0 && mark <= cut ? mark + kSplitMarkBytes : cut;
    if (remaining[consumed] == '\0') return SplitDone;
    if (s.oneCode && (mark < 0 || mark > cut)) return SplitNotOneCode;
    *next = remaining + consumed;
    return SplitMore;
}
