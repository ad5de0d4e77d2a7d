// The encoder's stages, for its own files and its tests: segmentation and
// the bit stream, Reed-Solomon, the matrix and the masks. Callers outside
// encoder/ use encoder.h only. Every stage works on g_encoder.
#pragma once

#include <cstdint>

#include "encoder/encoder.h"

// Flags of a ModuleMatrix byte while the symbol is built.
constexpr uint8_t FunctionFlag = 0x20;
constexpr uint8_t FunctionDark = 0x10;
constexpr uint8_t DataBit = 0x02;
constexpr uint8_t MaskedBit = 0x01;

// --- Segmentation and bit stream ---------------------------------------------

// Classifies, segments, merges and writes the stream for a version group.
// False on overflow (bitLength -1).
bool build_bit_stream(const uint8_t* text, int32_t length, int32_t group, int32_t kanjiOff);
// Segments the text for the group without writing the stream; the stream's
// length in bits, or -1 when it would pass kMaxBits.
int32_t segment_text(const uint8_t* text, int32_t length, int32_t group, int32_t kanjiOff);
int32_t segment_bits(int32_t mode, int32_t length, int32_t group);
// Appends the low count (<= 16) bits of value at position; the new position,
// or -1 when position is -1 or the stream would pass kMaxBits.
int32_t append_bits(int32_t position, uint32_t value, int32_t count);
bool is_kanji_pair(uint8_t first, uint8_t second);
int32_t alnum_value(uint8_t byte);                 // 44 outside the set
int32_t kanji_value(uint32_t code);                // 13-bit kanji-mode value
// Terminator and pad codewords up to capacity data codewords.
void terminate_and_pad(int32_t capacity);

// --- Error correction ----------------------------------------------------------

constexpr int32_t kMaxGeneratorDegree = 68;   // longest generator in GeneratorTable
// The eccCount (a generator's degree in GeneratorTable) error-correction
// codewords of dataCount data codewords, into ecc.
void rs_block(const uint8_t* data, int32_t dataCount, int32_t eccCount, uint8_t* ecc);
// In place: work holds dataCount data codewords then zeros; on return its
// first eccCount bytes are the error-correction codewords.
void rs_remainder(uint8_t* work, int32_t dataCount, int32_t eccCount);
// Splits the padded data of g_encoder.bits into blocks, adds their EC
// codewords and interleaves everything into g_encoder.codewords.
void build_codewords();

// --- Matrix ------------------------------------------------------------------

// Clears the matrix and lays out the function patterns of g_encoder.version.
void place_function_patterns();
// Lays g_encoder.codewords into the free modules in the zigzag order of
// ISO/IEC 18004 7.7.3, two columns at a time from the lower right, as
// DataBit flags; the remainder bits stay light. Also leaves the function,
// fixed-dark and data column sets in g_lines (matrix_internal.h).
void place_data();
// Sets MaskedBit on every data module whose mask condition holds, clearing it
// elsewhere; function modules are left alone.
void apply_mask(int32_t mask);
// Writes the 15 format bits of g_encoder.level and mask into both copies,
// and the dark module beside the lower-left finder, as function modules.
void place_format_info(int32_t mask);
// Penalty of the matrix in its current state (dark = byte & 0x11).
int32_t mask_penalty();
// The penalty's population counts: the POPCNT instruction where the
// processor has it (the default), else a portable routine; both give the
// same scores. Returns whether the instruction is now in use.
bool use_popcnt_instruction(bool on);
// Chooses the mask (or takes the requested one) on the sets place_data left,
// and writes the masked symbol with its format information as 1/0 bytes.
void finish_matrix();
