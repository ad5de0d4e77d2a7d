// Generation options and a whole generation for the command-line tool.
#include "cli/generation_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "cli/payload_options.h"
#include "encoder/encoder.h"
#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"
#include "platform/codepage.h"

const char kGenerationOptionsHelp[] =
    "generation options:\n"
    "  --level L|M|Q|H         error-correction level (default M)\n"
    "  --max-version 1..20     largest version per code (default 20)\n"
    "  --one-code              a payload that needs an automatic cut is an error\n"
    "  --no-external           run as if QR2DLL were missing\n";

void init_generation_options(GenerationOptions* options) { *options = {LevelM, 20, false, false}; }

int parse_generation_option(int argc, char** argv, int* i, GenerationOptions* o) {
    const char* a = argv[*i];
    if (std::strcmp(a, "--one-code") == 0) return o->oneCode = true, 1;
    if (std::strcmp(a, "--no-external") == 0) return o->noExternal = true, 1;
    bool level = std::strcmp(a, "--level") == 0;
    if (!level && std::strcmp(a, "--max-version") != 0) return 0;
    if (*i + 1 >= argc) return -1;
    const char* value = argv[++*i];
    if (level) {
        const char* at = value[0] != '\0' && value[1] == '\0' ? std::strchr("LMQH", value[0]) : nullptr;
        if (at == nullptr) return -1;
        o->level = static_cast<int32_t>(at - "LMQH");
        return 1;
    }
    return parse_ranged(value, 1, 20, &o->maxVersion) ? 1 : -1;
}

namespace {

void print_generation_error(const char* command) {
    char sjis[128];
    generation_error_message(sjis);
    print_sjis_message(command, sjis);
}

}  // namespace

int generate_codes(const PayloadOptions& payload, const GenerationOptions& o, const char* command) {
    static FormFields form;
    int filled = fill_from_options(payload, command, &form);
    if (filled != ExitOk) return filled;
    if (!o.noExternal && load_external_encoder(nullptr) != 0) {
        std::fprintf(stderr, "%s: warning: QR2DLL cannot be loaded from the tool's folder; going on without it\n",
                     command);
    }
    form.redunrate = o.level;
    form.qrver2 = o.maxVersion - 1;
    form.onecode = o.oneCode;
    form.autoencode = 0;
    generate_form(form);
    unload_external_encoder();
    bool composed = g_composeError.code == ErrorNone;
    int reported = report_payload(command, form, composed, generation_left_text_out() & LeftOutByComposition);
    if (reported != ExitOk) return reported;
    if (generation_error(nullptr) != ErrorNone) {
        print_generation_error(command);
        return ExitGenerationError;
    }
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count == 0) {
        std::fprintf(stderr, "%s: the code could not be encoded\n", command);
        return ExitFailure;
    }
    if (generation_left_text_out() & LeftOutPastLastCode) {
        std::fprintf(stderr, "%s: warning: the payload needs more than 20 codes; the rest was left out\n", command);
    }
    return ExitOk;
}
