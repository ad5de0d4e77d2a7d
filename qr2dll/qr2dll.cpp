// QR2DLL: the external encoder library with its one entry point QRmodel2.
// It turns the character codes back into Shift_JIS bytes and encodes them
// with its own copy of the project's encoder at exactly the version asked
// for, kanji mode allowed, into a matrix in the code-list layout.
#include <cstdint>

#include "encoder/encoder.h"

#ifdef _WIN32
#define QR2DLL_EXPORT extern "C" __declspec(dllexport)
#else
#define QR2DLL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

const int32_t kMaxCharCodes = 1000;
char g_text[2 * kMaxCharCodes + 1];

// Bytes of the codes into g_text: a negative code (a sign-extended pair) or
// one above 255 gives its two bytes, a pair ended by the terminator only its
// lead; 1-255 gives one byte; 0 gives nothing. Returns the byte count.
int32_t codes_to_bytes(const int32_t* codes, int32_t count) {
    int32_t n = 0;
    for (int32_t i = 0; i < count; ++i) {
        int32_t c = codes[i];
        if (c < 0 || c > 0xFF) {
            g_text[n++] = static_cast<char>((c >> 8) & 0xFF);
            if ((c & 0xFF) != 0) g_text[n++] = static_cast<char>(c & 0xFF);
        } else if (c != 0) {
            g_text[n++] = static_cast<char>(c);
        }
    }
    g_text[n] = '\0';
    return n;
}

}  // namespace

QR2DLL_EXPORT int32_t QRmodel2(const int32_t* codes, int32_t count, int32_t version, int32_t levelPlusOne,
                               int32_t* matrix) {
    if (codes == nullptr || matrix == nullptr || count < 1 || count > kMaxCharCodes) return 1;
    if (version < 1 || version > kMaxVersion || levelPlusOne < 1 || levelPlusOne > 4) return 1;
    if (codes_to_bytes(codes, count) == 0) return 1;
    if (!encode_symbol(levelPlusOne - 1, version, false, -1, g_text, 0)) return 1;
    int32_t n = g_encoder.size;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) matrix[x * n + y] = g_encoder.matrix[x * kMaxModules + y] ? 1 : 0;
    }
    return 0;
}
