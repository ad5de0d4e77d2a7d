// Payload composition for every mode and carrier from any field bytes, then
// the whole generation. The composition either fails with one of its errors
// and an empty payload or gives a payload that fits its buffer. A generation
// without error makes codes whose texts are the payload's slices in order:
// each slice starts and ends between whole characters (or emoji sequences)
// and outside a split mark, a mark right after a slice is skipped and goes
// into no code, and together they cover the payload unless 20 codes were
// needed; each code's symbol is the encoder's symbol of its slice at its
// version, within the largest version allowed. A failed generation leaves
// no code.
#include <cstring>
#include <string>
#include <vector>

#include "encoder/encoder.h"
#include "payload/payload.h"
#include "settings/settings_tables.h"
#include "pipeline/splitter.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/pipeline/pipeline_support.h"

namespace {

const int32_t kFields[16] = {ControlText, ControlTo, ControlSubject, ControlBody, ControlName, ControlFurigana,
                             ControlPhone1, ControlPhone2, ControlPhone3, ControlMail1, ControlMail2, ControlMail3,
                             ControlNote, ControlPostal, ControlBirthday, ControlUrl};

// Where a code may start or end: between the target's units, never inside a
// split mark (marks are found front to back, as the splitter meets them).
std::vector<int32_t> cut_points(const std::string& payload, int32_t carrier) {
    std::vector<bool> allowed(payload.size() + 1, false);
    for (size_t at = 0; at < payload.size();) {
        allowed[at] = true;
        int32_t n = unit_length(payload.c_str() + at, carrier);
        at += n > 0 ? static_cast<size_t>(n) : 1;
    }
    allowed[payload.size()] = true;
    for (size_t at = payload.find(SplitMark); at != std::string::npos;
         at = payload.find(SplitMark, at + kSplitMarkBytes)) {
        for (int32_t i = 1; i < kSplitMarkBytes; ++i) allowed[at + i] = false;
    }
    std::vector<int32_t> points;
    for (size_t i = 0; i < allowed.size(); ++i) {
        if (allowed[i]) points.push_back(static_cast<int32_t>(i));
    }
    return points;
}

void check_composition(int32_t result) {
    FUZZ_CHECK(result == 0 || result == 1, "compose_payload gave %d", result);
    FUZZ_CHECK(strnlen(g_payload.text, kPayloadBytes) < static_cast<size_t>(kPayloadBytes), "payload unterminated");
    if (result == 1) {
        int32_t code = g_composeError.code;
        FUZZ_CHECK(code == 1 || code == 4 || code == 7 || code == 8 || code == 9, "composition error %d", code);
        FUZZ_CHECK(g_payload.text[0] == '\0', "a failed composition left a payload");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    reset_settings_tables();
    FUZZ_CHECK(load_test_library(), "QR2DLL not found beside the fuzz target");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in = {data, size, 0};
    clear_form(&g_form);
    g_form.carrier = 1 + take_byte(&in) % 4;
    g_form.mode = take_byte(&in) % 3;
    g_form.redunrate = take_byte(&in) % 4;
    g_form.qrver2 = take_byte(&in) % 20;
    g_form.onecode = take_byte(&in) % 2;
    g_form.autoencode = 0;
    for (int32_t control : kFields) {
        std::string field = take_until_nul(&in);
        set_form_field(&g_form, control, field.data(), static_cast<int32_t>(field.size()));
    }
    check_composition(compose_payload());

    std::vector<CodeCopy> codes = run_generation();
    int32_t error = generation_error(nullptr);
    if (error != 0) {
        FUZZ_CHECK(error >= 1 && error <= kErrorCount, "generation error %d", error);
        FUZZ_CHECK(codes.empty(), "a failed generation (error %d) left %zu codes", error, codes.size());
        return 0;
    }
    FUZZ_CHECK(!codes.empty() && codes.size() <= static_cast<size_t>(kMaxCodes), "%zu codes", codes.size());
    const std::string payload = last_payload();
    std::string broken = check_codes_cover_payload(codes, payload, cut_points(payload, g_form.carrier));
    FUZZ_CHECK(broken.empty(), "carrier %d: %s; payload %s", g_form.carrier, broken.c_str(),
               printable(payload).c_str());
    for (size_t i = 0; i < codes.size(); ++i) {
        const CodeCopy& c = codes[i];
        FUZZ_CHECK(c.version >= 1 && c.version <= g_form.qrver2 + 1, "code %zu: version %d", i + 1, c.version);
        FUZZ_CHECK(same_as_encoder(c, g_form.redunrate, g_form.carrier == Utf8), "code %zu is not the symbol of %s",
                   i + 1, printable(c.text).c_str());
    }
    return 0;
}
