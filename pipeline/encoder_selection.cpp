// Encoder selection: the library state of QR2DLL, the choice between QRmodel2
// and the internal encoder, and the two calls made with that choice: the
// real encoding of a code and the splitter's fit test. Runs inside a pass.
#include "pipeline/encoder_selection.h"

#include <cstring>

#include "encoder/encoder.h"
#include "payload/payload.h"
#include "pipeline/generation.h"
#include "platform/library.h"
#include "resources/messages.h"


namespace {

struct ExternalEncoder {
    LibraryHandle handle;
    QrModel2Entry entry;
};
ExternalEncoder g_external;

CharCodeArray g_charCodes;
char g_codeText[kCodeTextBytes];   // the bytes QRmodel2 would encode

}  // namespace

int32_t load_external_encoder(const char* folder) {
    unload_external_encoder();
    g_external.handle = load_library(folder, kExternalEncoderName);
    if (g_external.handle != nullptr) {
        g_external.entry = reinterpret_cast<QrModel2Entry>(find_entry(g_external.handle, kExternalEntryName));
    }
    return g_external.entry != nullptr ? 0 : 1;
}

void unload_external_encoder() {
    // A worker still running a pass may be inside QRmodel2.
    join_worker();
    free_library(g_external.handle);
    g_external = ExternalEncoder{};
}

bool external_encoder_loaded() { return g_external.handle != nullptr && g_external.entry != nullptr; }

int32_t choose_encoder(const char* text, int32_t carrier) {
    bool utf8 = carrier == Utf8;
    if (classify_charset(text, 10) >= 10) return utf8 ? UseInternalNoKanji : UseInternal;
    if (!external_encoder_loaded()) return UseNone;
    if (utf8) return UseInternalNoKanji;
    // QRmodel2 receives no tabs, so its symbol would lose them.
    if (std::strchr(text, '\t') != nullptr) return UseInternal;
    return UseExternal;
}

int32_t encode_code(const char* text, int32_t* matrix, int32_t version, int32_t level, int32_t carrier) {
    if (text[0] == '\0') return 4;
    for (int32_t i = 0; i < kPresetCells; ++i) matrix[i] = 1;
    int32_t choice = choose_encoder(text, carrier);
    if (choice == UseNone) {
        set_generation_error(ErrorNoExternalEncoder, 0);
        return 1;
    }
    if (choice == UseExternal) {
        build_char_codes(text, &g_charCodes);
        g_external.entry = reinterpret_cast<QrModel2Entry>(find_entry(g_external.handle, kExternalEntryName));
        if (g_external.entry == nullptr) return 1;
        return g_external.entry(g_charCodes.codes, g_charCodes.count, version, level + 1, matrix) == 0 ? 0 : 1;
    }
    if (!encode_symbol(level, version, false, -1, text, choice == UseInternalNoKanji)) return 1;
    // Dark modules keep the preset 1.
    int32_t n = g_encoder.size;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            if (g_encoder.matrix[x * kMaxModules + y] == 0) matrix[x * n + y] = 0;
        }
    }
    return 0;
}

int32_t trial_encode(const char* text, int32_t version, int32_t levelPlusOne, int32_t carrier) {
    if (text[0] == '\0') return 4;
    int32_t choice = choose_encoder(text, carrier);
    if (choice == UseNone) return 1;
    // QRmodel2 encodes the bytes its codes stand for at exactly the version,
    // kanji mode allowed: the internal encoder's fit of those bytes is its
    // answer, with no symbol built.
    // Its texts hold no tab, so up to 1,000 bytes the codes stand for the
    // text itself.
    if (choice == UseExternal) {
        const char* bytes = text;
        if (strnlen(text, kCharCodeLimit + 1) > kCharCodeLimit) {
            char_code_text(text, g_codeText);
            bytes = g_codeText;
        }
        return symbol_fits(levelPlusOne - 1, version, bytes, 0) ? 0 : 1;
    }
    return symbol_fits(levelPlusOne - 1, version, text, choice == UseInternalNoKanji) ? 0 : 1;
}
