// Splitting the payload into codes: one call of split_next cuts the next
// code's text from the payload, at a split mark or at the longest prefix that
// trial encodings confirm, and picks its version. A floating-point cost model
// places the searches' starting points. No cut ever falls inside a
// character, a five-byte emoji sequence or a split mark.
#pragma once

#include <cstdint>

#include "pipeline/generation.h"

// "\r\n[split]\r\n"
constexpr char SplitMark[] = "\r\n[split]\r\n";
constexpr int32_t kSplitMarkBytes = 11;

constexpr int32_t kCapacityVersions = 20;
// Numeric-mode capacity in digits, versions 1-20 (row 0 = version 1) by
// level L, M, Q, H: ISO/IEC 18004 Table 7.
extern const int32_t NumericCapacity[kCapacityVersions][4];

// What a split uses of the settings.
struct SplitSettings {
    int32_t level;        // "redunrate", EcLevel
    int32_t maxVersion;   // "qrver2" + 1
    int32_t oneCode;      // "onecode"
    int32_t carrier;      // Carrier
};

enum SplitResult : int32_t {
    SplitMore = 0,        // code made, *next is where the next one starts
    SplitEmpty = 1,       // nothing left, or an empty piece before a mark
    SplitRefused = 2,     // index out of range or the estimate refused
    SplitNotOneCode = 3,  // "onecode" and text remains without a mark
    SplitDone = 4         // code made and nothing remains
};

// Cuts code index (0-19) from the front of remaining into code->text and,
// on success, code->version. code->text is cleared first.
int32_t split_next(const char* remaining, int32_t index, const SplitSettings& settings,
                   CodeSlot* code, const char** next);

// --- The piece and its character boundaries ---------------------------------------

// The text a code may take: the first 1,000 bytes of the payload cut with
// truncate_at flag 1, ended before a split mark, zeros after it, with the
// boundaries of its units.
struct Piece {
    char text[kCodeTextBytes];
    int32_t length;
    uint8_t boundary[kCodeTextBytes];   // 1 where a unit starts, and at length when a unit ends there
    int32_t carrier;
};

// Length of the unit (character or emoji sequence) at the start of text for
// the target, 0 at the end. UTF-8 characters for Utf8; otherwise ESC "$"
// letter byte SI, a Shift_JIS lead with a valid trail, or one byte.
int32_t unit_length(const char* text, int32_t carrier);
// Longest prefix of piece of at most limit bytes ending at a boundary.
int32_t boundary_before(const Piece& piece, int32_t limit);

// --- Estimates ----------------------------------------------------------------------

// 1 digits, 2 other alphanumerics, 4 0x00, 0x7F, 0x80-0xA0 and 0xE0-0xFF,
// 3 every other byte.
int32_t estimate_class(uint8_t byte);
// Estimated cost of text in units of one digit; with limit > 0 *cut becomes
// the number of leading bytes estimated to fit within limit.
double estimate_cost(const char* text, double limit, int32_t* cut);
// Smallest version 1-20 whose numeric capacity (+ 3.94) covers the estimate,
// or 0 when none does.
int32_t estimate_version(const char* text, int32_t level);
// Estimated cut at version and level; -1 when version is outside 1-20 or
// level outside 0-3.
int32_t estimate_cut(const char* text, int32_t version, int32_t level);

// --- Trial searches ---------------------------------------------------------------

// Smallest version from start up to maxVersion the whole piece fits, found by
// at most eight trials; -1 when none was seen to fit.
int32_t search_version(const Piece& piece, int32_t start, int32_t maxVersion, int32_t levelPlusOne);
// Length of the prefix last seen to fit version, stepping from estimate:
// each trial takes the first len bytes cut with truncate_at flag 1, so the
// length may end inside a UTF-8 character or an emoji sequence, which
// split_next corrects. When no stepping trial fits, a bisection over
// boundaries; 0 when no prefix fits.
int32_t search_length(const Piece& piece, int32_t estimate, int32_t version, int32_t levelPlusOne);
