// Test support for the pipeline: form filling, whole generations, random
// payloads with their token boundaries, and the cover check.
#include "tests/pipeline/pipeline_support.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "encoder/encoder.h"
#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/splitter.h"

void fill_text_form(const std::string& sjis, const GenerationSettings& s) {
    clear_form(&g_form);
    set_form_field(&g_form, ControlText, sjis.data(), static_cast<int32_t>(sjis.size()));
    g_form.mode = 0;
    g_form.carrier = s.carrier;
    g_form.redunrate = s.level;
    g_form.qrver2 = s.maxVersion - 1;
    g_form.onecode = s.oneCode;
    g_form.autoencode = 0;
    g_form.quick = s.quick;
}

std::vector<CodeCopy> read_all_codes() {
    static CodeSlot slot;
    std::vector<CodeCopy> codes;
    for (int32_t i = 0; read_code(i, &slot) == 0; ++i) {
        int32_t n = 4 * slot.version + 17;
        codes.push_back({slot.text, slot.version, std::vector<int32_t>(slot.matrix, slot.matrix + n * n)});
    }
    return codes;
}

std::vector<CodeCopy> run_generation() {
    int32_t cursor = generation_pass(true);
    for (int32_t guard = 0; cursor > 0 && guard < 40; ++guard) cursor = generation_pass(false);
    return read_all_codes();
}

std::string last_payload() { return g_payload.text; }

bool load_test_library() { return load_external_encoder(nullptr) == 0; }

std::string hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

namespace {

std::string pair(int lead, int trail) { return std::string{static_cast<char>(lead), static_cast<char>(trail)}; }

int in(std::mt19937* rng, int first, int last) { return std::uniform_int_distribution<int>(first, last)(*rng); }

// A trail byte of 0x40-0xFC without 0x7F.
int trail(std::mt19937* rng, int first, int last) {
    int t = in(rng, first, last);
    return t == 0x7F ? 0x80 : t;
}

std::string emoji_token(std::mt19937* rng, int32_t carrier) {
    char code[8];
    for (;;) {
        int32_t index = in(rng, 0, 7) * 100 + in(rng, 1, 90);
        if (emoji_code_for(carrier, index, code) == 0) return code;
    }
}

std::string random_token(std::mt19937* rng, int32_t carrier) {
    static const char kAlnum[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    switch (in(rng, 0, 13)) {
        case 0: { int c = in(rng, 0x20, 0x7E); return std::string(1, c == '[' ? ']' : static_cast<char>(c)); }
        case 1: return std::string(1, static_cast<char>('0' + in(rng, 0, 9)));
        case 2: return std::string(1, kAlnum[in(rng, 0, 44)]);
        case 3: return in(rng, 0, 3) == 0 ? "\t" : "\r\n";
        case 4: case 5: return pair(0x82, in(rng, 0x9F, 0xF1));                    // hiragana
        case 6: return pair(0x83, trail(rng, 0x40, 0x96));                          // katakana
        case 7: case 8: return pair(0x88, in(rng, 0x9F, 0xFC));                     // kanji
        case 9: return pair(in(rng, 0x89, 0x97), trail(rng, 0x40, 0xFC));          // kanji
        case 10: return pair(in(rng, 0xE0, 0xE9), trail(rng, 0x40, 0xFC));         // kanji, level 2 tail
        case 11: return std::string(1, static_cast<char>(in(rng, 0xA1, 0xDF)));    // half-width kana
        case 12: return pair(0x81, trail(rng, 0x40, 0xAC));                         // symbols
        default: return emoji_token(rng, carrier);
    }
}

}  // namespace

std::string random_text(std::mt19937* rng, int32_t carrier, int32_t bytes, bool marks,
                        std::vector<std::string>* pieces) {
    std::string text;
    pieces->clear();
    bool lastWasMark = true;   // no mark first
    // Runs of one kind of token, so that digits and kana come in stretches.
    while (true) {
        std::string token = random_token(rng, carrier);
        int32_t run = in(rng, 1, 40);
        if (marks && !lastWasMark && in(rng, 0, 60) == 0) {
            token = SplitMark;
            run = 1;
        }
        for (int32_t i = 0; i < run; ++i) {
            if (static_cast<int32_t>(text.size() + token.size()) > std::min(bytes, kTextLimit)) return text;
            text += token;
            // CR and LF are characters of their own: a cut may fall between.
            if (token == "\r\n") {
                pieces->push_back("\r");
                pieces->push_back("\n");
            } else {
                pieces->push_back(token);
            }
        }
        lastWasMark = token == SplitMark;
    }
}

std::vector<int32_t> converted_boundaries(const std::vector<std::string>& pieces, int32_t carrier) {
    static std::map<std::pair<int32_t, std::string>, int32_t> cache;
    static PayloadBuffer scratch;
    std::vector<int32_t> offsets{0};
    int32_t at = 0;
    for (const std::string& p : pieces) {
        auto key = std::make_pair(carrier, p);
        auto found = cache.find(key);
        if (found == cache.end()) {
            std::memset(&scratch, 0, sizeof scratch);
            std::memcpy(scratch.text, p.data(), p.size());
            convert_emoji_codes(&scratch, carrier);
            if (carrier == Utf8) convert_to_utf8(&scratch);
            found = cache.emplace(key, static_cast<int32_t>(std::strlen(scratch.text))).first;
        }
        at += found->second;
        offsets.push_back(at);
    }
    return offsets;
}

std::string check_codes_cover_payload(const std::vector<CodeCopy>& codes, const std::string& payload,
                                      const std::vector<int32_t>& boundaries) {
    size_t at = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
        const std::string& t = codes[i].text;
        if (t.empty()) return "code " + std::to_string(i + 1) + " is empty";
        if (t.size() > static_cast<size_t>(kCodeTextLimit)) return "code " + std::to_string(i + 1) + " too long";
        if (payload.compare(at, t.size(), t) != 0) return "code " + std::to_string(i + 1) + " is not the payload";
        for (size_t cut : {at, at + t.size()}) {
            if (!std::binary_search(boundaries.begin(), boundaries.end(), static_cast<int32_t>(cut))) {
                return "code " + std::to_string(i + 1) + " cut inside a character at " + std::to_string(cut);
            }
        }
        at += t.size();
        if (payload.compare(at, kSplitMarkBytes, SplitMark) == 0) at += kSplitMarkBytes;
    }
    if (codes.size() < static_cast<size_t>(kMaxCodes) && at != payload.size()) {
        return "payload left at " + std::to_string(at) + " of " + std::to_string(payload.size());
    }
    return "";
}

size_t consumed_bytes(const std::vector<CodeCopy>& codes, const std::string& payload) {
    size_t at = 0;
    for (const CodeCopy& c : codes) {
        at += c.text.size();
        if (payload.compare(at, kSplitMarkBytes, SplitMark) == 0) at += kSplitMarkBytes;
    }
    return at;
}

bool same_as_encoder(const CodeCopy& code, int32_t level, int32_t kanjiOff) {
    if (!encode_symbol(level, code.version, false, -1, code.text.c_str(), kanjiOff)) return false;
    int32_t n = g_encoder.size;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            if (code.matrix[x * n + y] != g_encoder.matrix[x * kMaxModules + y]) return false;
        }
    }
    return true;
}
