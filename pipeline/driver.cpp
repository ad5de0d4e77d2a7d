// The generation pass: composes the payload on a generation's first pass,
// then cuts, encodes and publishes one code per pass and sets the indicator
// texts. Passes are serialised by one lock; the code being made lives in a
// private slot until it is published whole.
#include <atomic>
#include <cstdio>
#include <mutex>

#include "payload/payload.h"
#include "pipeline/encoder_selection.h"
#include "pipeline/generation.h"
#include "pipeline/splitter.h"
#include "resources/messages.h"

const PumpInterval PumpIntervals[3] = {{20, 40}, {80, 160}, {250, 500}};

namespace {


std::mutex g_passLock;
std::atomic<GenerationCursor> g_cursor{0};
std::atomic<int32_t> g_status{Idle};
std::atomic<int32_t> g_leftOut{0};   // LeftOut bits
const char* g_remaining = nullptr;   // next byte of g_payload for a code, or none
CodeSlot workCode;                     // the code this pass makes

// Generating becomes Idle. A create-button request made while the pass ran
// (the window thread sets it at any time) stays for the next pump tick, and
// so does the start-up status.
void settle_status() {
    int32_t running = Generating;
    g_status.compare_exchange_strong(running, Idle);
}

SplitSettings settings_from_form() {
    SplitSettings s;
    s.level = g_form.redunrate;
    s.maxVersion = g_form.qrver2 + 1;
    s.oneCode = g_form.onecode;
    s.carrier = g_form.carrier;
    return s;
}

// Step 2: a new generation's payload. False when the composition failed.
bool start_generation() {
    set_generation_error(ErrorNone, 0);
    g_leftOut = 0;
    if (make_payload(g_form) != 0) {
        set_generation_error(g_composeError.code, g_composeError.argument);
        return false;
    }
    g_leftOut = g_payload.dropped != DroppedNothing ? LeftOutByComposition : 0;
    g_remaining = g_payload.text;
    return true;
}

// Step 3: cuts, encodes and publishes code cursor. False on failure.
bool make_code(int32_t cursor) {
    static const int32_t kSplitErrors[5] = {0, ErrorNoText, ErrorSplitFailed, ErrorTooLongForOneCode, 0};
    SplitSettings s = settings_from_form();
    const char* next = nullptr;
    int32_t r = split_next(g_remaining, cursor, s, &workCode, &next);
    if (r >= SplitEmpty && r <= SplitNotOneCode) {
        set_generation_error(kSplitErrors[r], 0);
        return false;
    }
    g_remaining = r == SplitDone ? nullptr : next;
    if (encode_code(workCode.text, workCode.matrix, workCode.version, s.level, s.carrier) != 0) return false;
    publish_code(cursor, &workCode);
    // The twentieth code ends the generation; say so when payload is left.
    if (cursor == kMaxCodes - 1 && g_remaining != nullptr) g_leftOut |= LeftOutPastLastCode;
    g_cursor = g_remaining == nullptr || cursor == kMaxCodes - 1 ? -1 : cursor + 1;
    return true;
}

// Steps 4 to 9: the indicators after a pass; returns the cursor.
int32_t finish_pass(bool failed) {
    if (failed) clear_code_list();
    update_status_bar(StatusCode);
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    if (count <= 1 || failed) {
        set_display_state(DisplayCodes);
        refresh_view(view_kind());
    }
    if (failed) {
        show_position(0, 0, true);
        show_level_label(0);
        g_cursor = -1;
    }
    int32_t cursor = g_cursor;
    if (cursor == -1) {
        show_position(count, current, true);
        show_level_label(count);
        set_save_all_enabled(count > 1);
        settle_status();
    } else if (cursor == 1) {
        show_position(count, current, false);
        if (g_form.quick == 0) set_position_text(kCreatingText);
    } else if (cursor > 1 && g_form.quick != 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%2d/%2d", 1, cursor);
        set_position_text(text);
    }
    return cursor;
}

}  // namespace

GenerationCursor generation_cursor() { return g_cursor; }
RunStatus run_status() { return static_cast<RunStatus>(g_status.load()); }
void set_run_status(RunStatus status) { g_status = status; }
int32_t generation_left_text_out() { return g_leftOut; }
void request_generation() { g_status = Requested; }

GenerationCursor generation_pass(bool restart) {
    std::lock_guard<std::mutex> pass(g_passLock);
    // Step 1: decide.
    if (restart || (g_form.autoencode && snapshot_inputs() == 0)) {
        g_cursor = 0;
    } else if (g_cursor == -1 || (!g_form.autoencode && g_cursor <= 0)) {
        settle_status();
        return g_cursor;
    }
    int32_t cursor = g_cursor;
    bool failed = false;
    if (cursor == 0) {
        g_status = Generating;
        failed = !start_generation();
    }
    if (!failed) failed = !make_code(cursor);
    return finish_pass(failed);
}

void generate_form(const FormFields& form) {
    if (&form != &g_form) g_form = form;
    GenerationCursor cursor = generation_pass(true);
    while (cursor > 0) cursor = generation_pass(false);
}
