// Encoder selection: every code and every trial of the splitter goes either
// to the external library QR2DLL (entry point QRmodel2) or to the internal
// encoder, by the character classes of its text and the target. The library
// is loaded once at start-up; without it, texts that need it fail with
// error 6 and their trials never fit.
#pragma once

#include <cstdint>

#include "resources/messages.h"

// --- External encoder -----------------------------------------------------------

// QRmodel2(codes, count, version, levelPlusOne, matrix): 0 when the characters
// fit that exact version and matrix (stride 4 * version + 17) was written.
typedef int32_t (*QrModel2Entry)(const int32_t* codes, int32_t count, int32_t version,
                                 int32_t levelPlusOne, int32_t* matrix);

constexpr char kExternalEncoderName[] = "QR2DLL";   // QR2DLL.dll, libQR2DLL.so
constexpr char kExternalEntryName[] = "QRmodel2";
// The message box the window shows when loading failed: kLoadFailureText,
// caption kLoadFailureCaption.

// Loads the library from folder (null: the program's own folder) and finds
// its entry point. 0 loaded, 1 not (the program goes on without it).
int32_t load_external_encoder(const char* folder);
// Waits for a running worker, then frees the library (at exit; tests).
// On the window's thread only, like the pump.
void unload_external_encoder();
bool external_encoder_loaded();

// --- Character codes and classes ---------------------------------------------------

constexpr int32_t kCharCodeLimit = 1000;

// The character codes QRmodel2 receives: a Shift_JIS pair as the sign-extended
// 16-bit value lead * 256 + second, a single byte as 0-255, tabs dropped.
struct CharCodeArray {
    int32_t codes[1010];
    int32_t count;
};
// Builds array from the first 1,000 bytes of text.
void build_char_codes(const char* text, CharCodeArray* array);

// The Shift_JIS bytes that the character codes of text stand for: the text
// as QRmodel2 encodes it, at most 1,001 bytes and a terminator into out.
// Returns the byte count.
int32_t char_code_text(const char* text, char* out);

// Highest character class 0-11 of text, or cap once that is reached (cap -1:
// none); class 11 ends the scan at once. Every byte from 0x80 up is read with
// the byte after it.
int32_t classify_charset(const char* text, int32_t cap);

// --- Choice and encoding --------------------------------------------------------------

enum EncoderChoice : int32_t {
    UseExternal = 0,        // QRmodel2
    UseInternal = 1,        // encode_symbol, kanji mode allowed
    UseInternalNoKanji = 2, // encode_symbol, kanji mode off (UTF-8)
    UseNone = 3             // the library is needed but missing: error 6
};

// The encoder for a code's text and target (Carrier). A Shift_JIS text of
// classes 0-9 holding a tab goes to the internal encoder: QRmodel2 never
// sees tabs.
int32_t choose_encoder(const char* text, int32_t carrier);

// Encodes one code into matrix (room: kCodeMatrixCells) at exactly version
// and level (EcLevel). 0 done; 1 failed (error 6 set when the library was
// needed); 4 empty text.
int32_t encode_code(const char* text, int32_t* matrix, int32_t version, int32_t level, int32_t carrier);
// Whether text fits version at levelPlusOne - 1 with the encoder encode_code
// would choose: 0 fits, 1 does not, 4 empty text. Decided by the bit length
// of the encoder's segmentation (symbol_fits), with no symbol built; for
// QRmodel2 on the bytes its character codes stand for.
int32_t trial_encode(const char* text, int32_t version, int32_t levelPlusOne, int32_t carrier);
