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
constexpr int32_t kCodewordSlack = 8;                // zeros after the codewords
// The longest input that any symbol can hold: 7,089 digits at 40-L. Longer
// inputs are rejected before segmentation, so one segment per byte always fits.
constexpr int32_t kMaxInputBytes = 7089;
constexpr int32_t kMaxSegments = kMaxInputBytes;

enum SegmentMode : uint8_t { Numeric = 0, Alphanumeric = 1, Byte = 2, Kanji = 3 };

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

    // Data and EC codewords, interleaved; zeros follow the last one.
    uint8_t codewords[kMaxCodewords + kCodewordSlack];
    int32_t codewordCount;

    uint8_t work[kMaxBlockBytes];          // one Reed-Solomon block
    ModuleMatrix matrix;
};

// The single encoder state.
extern EncoderState g_encoder;

// --- Entry point -----------------------------------------------------------

// Encodes the NUL-terminated text.
//   level      EcLevel (LevelL..LevelH).
//   version    0 takes the smallest version that holds the text; 1-40 takes
//              that version, or with allowLarger the smallest that fits when
//              it is too small.
//   mask       0-7 forces a mask, -1 chooses the one of least penalty.
//   kanjiOff   nonzero: no byte pair becomes a kanji character (UTF-8 targets).
// True: g_encoder.version, .size, .mask and .matrix (1 dark, 0 light, module
// (x, y) at x * kMaxModules + y, only the size x size corner used) hold the
// symbol. False when the text is empty, longer than kMaxInputBytes, or does
// not fit the version; then only g_encoder.level and whatever stages ran
// before the failure are written: .matrix, .version and .size are not a
// symbol and must not be read.
bool encode_symbol(int32_t level, int32_t version, bool allowLarger, int32_t mask,
                   const char* text, int32_t kanjiOff);

// Whether encode_symbol (level, version, false, any mask, text, kanjiOff)
// succeeds: the same segmentation's bit length against the data capacity of
// the version, with nothing built. Writes g_encoder.level and the segments.
bool symbol_fits(int32_t level, int32_t version, const char* text, int32_t kanjiOff);

// Smallest version from requestedVersion (1-40; values below 1 start at 1)
// up that holds length bytes of text at g_encoder.level, or 0 when none does.
// Set g_encoder.level first. Leaves the segments and the bit stream built for
// the found version's group in g_encoder (bitLength -1 after 0).
int32_t find_version(int32_t requestedVersion, const uint8_t* text, int32_t length,
                     int32_t kanjiOff);
