// Entry point of the encoder: version choice, bit stream, error correction
// and matrix, in the fixed buffers of the single encoder state.
#include "encoder/encoder_internal.h"

EncoderState g_encoder;

static int32_t measure(const char* text) {
    int32_t n = 0;
    // Stop one past the limit: anything longer cannot fit any symbol.
    while (n <= kMaxInputBytes && text[n] != '\0') ++n;
    return n;
}

bool symbol_fits(int32_t level, int32_t version, const char* text, int32_t kanjiOff) {
    if (level < 0 || level > 3 || version < 1 || version > kMaxVersion) return false;
    int32_t length = measure(text);
    if (length == 0 || length > kMaxInputBytes) return false;
    g_encoder.level = level;
    // find_version would settle in this group exactly when the version's
    // capacity holds the stream: capacities grow with the version.
    int32_t bits = segment_text(reinterpret_cast<const uint8_t*>(text), length, version_group(version), kanjiOff);
    return bits >= 0 && (bits + 7) / 8 <= VersionTable[version].dataCodewords[level];
}

bool encode_symbol(int32_t level, int32_t version, bool allowLarger, int32_t mask,
                   const char* text, int32_t kanjiOff) {
    EncoderState& e = g_encoder;
    if (level < 0 || level > 3 || version < 0 || version > kMaxVersion || mask < -1 || mask > 7) return false;
    e.level = level;
    e.mask = mask;
    int32_t length = measure(text);
    if (length == 0 || length > kMaxInputBytes) return false;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text);
    int32_t found = find_version(version, bytes, length, kanjiOff);
    if (found == 0) return false;
    if (version == 0) {
        e.version = found;
    } else if (version >= found) {
        e.version = version;
    } else if (allowLarger) {
        e.version = found;
    } else {
        return false;
    }
    terminate_and_pad(VersionTable[e.version].dataCodewords[level]);
    build_codewords();
    e.size = 4 * e.version + 17;
    place_function_patterns();
    place_data();
    finish_matrix();
    return true;
}
