// Test support for the pipeline: filling the form, running whole
// generations, reading the codes back, and random payloads that know where
// their characters begin once converted.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pipeline/generation.h"

struct CodeCopy {
    std::string text;
    int32_t version;
    std::vector<int32_t> matrix;   // n * n cells, column-major
};

struct GenerationSettings {
    int32_t carrier;
    int32_t level;
    int32_t maxVersion;
    int32_t oneCode;
    int32_t quick;
};

// Clears the form and puts sjis into the text field with these settings.
void fill_text_form(const std::string& sjis, const GenerationSettings& s);
// Runs a whole generation (restart, then passes until the cursor is not
// positive) and returns the codes made.
std::vector<CodeCopy> run_generation();
std::vector<CodeCopy> read_all_codes();
// True when the code's matrix is exactly what the encoder makes of its text
// at its version and the level.
bool same_as_encoder(const CodeCopy& code, int32_t level, int32_t kanjiOff);
// The payload the last generation split.
std::string last_payload();
// Loads QR2DLL from beside the test program; false when that failed.
bool load_test_library();

// A random Shift_JIS text of about bytes bytes (at most 19,999) for the
// carrier: ASCII, digits, letters, tabs, line breaks, kana, kanji, half-width
// kana, symbols, the carrier's emoji codes and, with marks, split marks
// (never first, never two in a row). pieces receives the text's tokens.
std::string random_text(std::mt19937* rng, int32_t carrier, int32_t bytes, bool marks,
                        std::vector<std::string>* pieces);
// Offsets in the converted payload where a token begins (and its end).
std::vector<int32_t> converted_boundaries(const std::vector<std::string>& pieces, int32_t carrier);

// Checks that codes joined, with the split marks between them skipped, give
// the payload (all of it unless 20 codes were made), and that every cut falls
// on one of boundaries. Empty when all holds, else what went wrong.
std::string check_codes_cover_payload(const std::vector<CodeCopy>& codes, const std::string& payload,
                                      const std::vector<int32_t>& boundaries);

// Bytes of the payload the codes and the marks after them take up.
size_t consumed_bytes(const std::vector<CodeCopy>& codes, const std::string& payload);

// Hex of bytes, for messages.
std::string hex(const std::string& bytes);
