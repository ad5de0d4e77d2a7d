// QR symbol encoder: turns a byte string into a QR Code model 2 module matrix
// (versions 1-40, levels L/M/Q/H, numeric, alphanumeric, byte and kanji modes,
// automatic mask). One entry point, encode_symbol, and one working record,
// EncoderState, overwritten by every call. No heap, no platform dependency;
// not reentrant: callers run one encoding at a time.
#pragma once

#include <cstdint>

#include "encoder/tables.h"

constexpr int32_t kMaxVersion = 40;
constexpr int32_t kMaxModules = 177;                 // side of version 40
constexpr int32_t kMatrixBytes = kMaxModules * kMaxModules;
constexpr int32_t kMaxDataBytes = 2956;              // data codewords of 40-L
constexpr int32_t kMaxBits = kMaxDataBytes * 8;      // 23,648
constexpr int32_t kMaxCodewords = 3706;              // total codewords of 40
constexpr int32_t kMaxBlockBytes = 153;              // longest RS block
// The longest input that any symbol can hold: 7,089 digits at 40-L. Longer
// inputs are rejected before segmentation, so one segment per byte always fits.
constexpr int32_t kMaxInputBytes = 7089;
constexpr int32_t kMaxSegments = kMaxInputBytes;

enum SegmentMode : uint8_t { Numeric = 0, Alphanumeric = 1, Byte = 2, Kanji = 3 };

// Flags of a ModuleMatrix byte while the symbol is built.
constexpr uint8_t FunctionFlag = 0x20;
constexpr uint8_t FunctionDark = 0x10;
constexpr uint8_t DataBit = 0x02;
constexpr uint8_t MaskedBit = 0x01;

// Column-major with the fixed stride 177: module (x, y) is byte x * 177 + y.
typedef uint8_t ModuleMatrix[kMatrixBytes];

struct EncoderState {
    int32_t level;      // EcLevel
    int32_t mask;       // requested mask, -1 = choose; afterwards the mask used
    int32_t version;    // chosen version 1-40
    int32_t size;       // n = 4 * version + 17

    int32_t segmentCount;
    uint8_t segmentMode[kMaxSegments];
    int32_t segmentLength[kMaxSegments];   // in input bytes; a kanji counts 2

    uint8_t bits[kMaxDataBytes];           // data bit stream, MSB first
    int32_t bitLength;                     // -1 after an overflow

    uint8_t codewords[kMaxCodewords];      // data and EC codewords, interleaved
    int32_t codewordCount;

    uint8_t work[kMaxBlockBytes];          // one Reed-Solomon block
    ModuleMatrix matrix;
};

// The single encoder state.
extern EncoderState g_encoder;

// --- Entry point -----------------------------------------------------------

// Encodes the NUL-terminated text. version 0 takes the smallest version that
// holds it; 1-40 takes that version, or with allowLarger the smallest that
// fits when it is too small. mask 0-7 forces a mask, -1 chooses by penalty.
// kanjiOff: no byte pair becomes a kanji character (UTF-8 targets). On true,
// g_encoder.version, .size, .mask and .matrix (1 dark, 0 light) hold the
// symbol. False when the text is empty, too long, or the version too small.
bool encode_symbol(int32_t level, int32_t version, bool allowLarger, int32_t mask,
                   const char* text, int32_t kanjiOff);

// Smallest version that holds the text, or 0; leaves the bit stream built for
// that version's group in g_encoder.
int32_t find_version(int32_t requestedVersion, const uint8_t* text, int32_t length,
                     int32_t kanjiOff);

// --- Segmentation and bit stream ---------------------------------------------

// Classifies, segments, merges and writes the stream for a version group.
// False on overflow (bitLength -1).
bool build_bit_stream(const uint8_t* text, int32_t length, int32_t group, int32_t kanjiOff);
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

// In place: work holds dataCount data codewords then zeros; on return its
// first eccCount bytes are the error-correction codewords.
void rs_remainder(uint8_t* work, int32_t dataCount, int32_t eccCount);
// Splits the padded data of g_encoder.bits into blocks, adds their EC
// codewords and interleaves everything into g_encoder.codewords.
void build_codewords();

// --- Matrix ------------------------------------------------------------------

// Clears the matrix and lays out the function patterns of g_encoder.version.
void place_function_patterns();
void place_data();
void apply_mask(int32_t mask);
void place_format_info(int32_t mask);
// Penalty of the matrix in its current state (dark = byte & 0x11).
int32_t mask_penalty();
// Chooses the mask (or takes the requested one), applies it with its format
// information and reduces the matrix to 1/0.
void finish_matrix();
