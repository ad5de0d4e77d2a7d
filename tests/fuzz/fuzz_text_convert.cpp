// The carrier conversions of a payload on any bytes. convert_emoji_codes
// never lets a NUL into the text, leaves a text without "[" alone and
// changes nothing for Utf8. convert_to_utf8 always gives well-formed UTF-8
// of at most 19,992 bytes; for a text without "[" codes it is the code
// page's own conversion, whole, or cut between characters with
// DroppedConversionTail set.
#include <cstring>
#include <string>
#include <vector>

#include "payload/payload.h"
#include "platform/codepage.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

PayloadBuffer g_buffer;

void load(const std::string& text) {
    std::memset(&g_buffer, 0, sizeof g_buffer);
    std::memcpy(g_buffer.text, text.data(), std::min<size_t>(text.size(), kPayloadBytes - 1));
}

// Length of the well-formed UTF-8 sequence at p (shortest forms, no
// surrogates, at most U+10FFFF), or 0.
size_t utf8_sequence(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || n > left) return 0;
    uint32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (p[i] & 0x3F);
    }
    static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

void check_utf8(const std::string& text) {
    const std::string original = g_buffer.text;
    convert_to_utf8(&g_buffer);
    const std::string out(g_buffer.text, strnlen(g_buffer.text, kPayloadBytes));
    FUZZ_CHECK(out.size() <= static_cast<size_t>(kUtf8PayloadLimit), "%zu bytes of UTF-8", out.size());
    for (size_t i = 0; i < out.size();) {
        size_t n = utf8_sequence(reinterpret_cast<const unsigned char*>(out.data()) + i, out.size() - i);
        FUZZ_CHECK(n > 0, "malformed UTF-8 at %zu: %s", i, printable(out.substr(i, 8)).c_str());
        i += n;
    }
    if (original.find('[') != std::string::npos) return;
    std::vector<uint16_t> wide(original.size() + 1);
    int32_t units = cp932_to_utf16(original.data(), static_cast<int32_t>(original.size()), wide.data());
    std::string expected(3 * static_cast<size_t>(units) + 1, '\0');
    expected.resize(static_cast<size_t>(utf16_to_utf8(wide.data(), units, expected.data())));
    const bool dropped = (g_buffer.dropped & DroppedConversionTail) != 0;
    if (expected.size() <= static_cast<size_t>(kUtf8PayloadLimit)) {
        FUZZ_CHECK(out == expected && !dropped, "converted %s, expected %s", printable(out).c_str(),
                   printable(expected).c_str());
    } else {
        FUZZ_CHECK(dropped && expected.compare(0, out.size(), out) == 0 && out.size() + 4 > kUtf8PayloadLimit,
                   "a long conversion kept %zu of %zu bytes (dropped %d)", out.size(), expected.size(), dropped);
    }
    (void)text;
}

void check_emoji(int32_t carrier) {
    const std::string original = g_buffer.text;
    convert_emoji_codes(&g_buffer, carrier);
    size_t n = strnlen(g_buffer.text, kPayloadBytes);
    FUZZ_CHECK(n < static_cast<size_t>(kPayloadBytes), "the payload lost its terminator");
    const std::string out(g_buffer.text, n);
    if (carrier == Utf8 || original.find('[') == std::string::npos) {
        FUZZ_CHECK(out == original, "carrier %d changed %s into %s", carrier, printable(original).c_str(),
                   printable(out).c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    const uint8_t choice = take_byte(&in);
    const int32_t carrier = 1 + (choice >> 1) % 4;
    std::string text = take_until_nul(&in);
    // Long texts reach the 19,992-byte limit: the input repeated.
    if (choice & 0x80 && !text.empty()) {
        while (text.size() < kPayloadBytes - 1) text += text;
    }
    load(text);
    if (choice & 1) {
        check_emoji(carrier);
    } else {
        check_utf8(text);
    }
    return 0;
}
