// split_next: the piece a code may take, its character boundaries, the
// choice between the whole piece and its longest fitting prefix, and the
// step past a split mark. Cuts fall only at boundaries, found by walking the
// payload itself, so no byte beyond the piece is ever guessed at.
#include <cstring>

#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/splitter.h"

namespace {

Piece g_piece;

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

// Fills g_piece from remaining: whole units up to 1,000 bytes, ended at the
// first split mark that starts at a boundary within them. Returns the mark's
// offset, or -1.
int32_t build_piece(const char* remaining, int32_t carrier) {
    Piece& piece = g_piece;
    std::memset(piece.boundary, 0, sizeof piece.boundary);
    piece.carrier = carrier;
    int32_t pos = 0, mark = -1;
    while (pos <= kCodeTextLimit && remaining[pos] != '\0') {
        if (std::strncmp(remaining + pos, SplitMark, kSplitMarkBytes) == 0) {
            mark = pos;
            break;
        }
        int32_t n = unit_length(remaining + pos, carrier);
        if (pos + n > kCodeTextLimit) break;
        piece.boundary[pos] = 1;
        pos += n;
    }
    piece.boundary[pos] = 1;
    piece.length = pos;
    std::memcpy(piece.text, remaining, static_cast<size_t>(pos));
    piece.text[pos] = '\0';
    return mark;
}

// The cut and version of the code: the whole piece at the smallest version
// that a trial confirms, else the longest confirmed prefix at the largest.
int32_t choose_cut(const SplitSettings& s, int32_t* version) {
    const Piece& piece = g_piece;
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
    int32_t cut = search_length(piece, estimate, s.maxVersion, s.level + 1);
    // Not even one character fits: the encoding of that character fails.
    return cut > 0 ? cut : boundary_before(piece, unit_length(piece.text, piece.carrier));
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
    if (g_piece.length == 0) return SplitEmpty;
    int32_t version = 0;
    int32_t cut = choose_cut(s, &version);
    if (cut < 0) return SplitRefused;
    std::memcpy(code->text, g_piece.text, static_cast<size_t>(cut));
    code->version = version;
    // The mark is skipped once everything before it went into this code.
    int32_t consumed = mark >= 0 && mark <= cut ? mark + kSplitMarkBytes : cut;
    if (remaining[consumed] == '\0') return SplitDone;
    if (s.oneCode && (mark < 0 || mark > cut)) return SplitNotOneCode;
    *next = remaining + consumed;
    return SplitMore;
}
