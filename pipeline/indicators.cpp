// Indicator texts of the generation: position, level label, status bar and
// the text-data view, kept in one record the window applies on its own
// thread after the sink has told it what changed.
#include <cstdio>
#include <cstring>
#include <mutex>

#include "payload/form_fields.h"
#include "payload/payload.h"
#include "payload/typed_text.h"
#include "pipeline/generation.h"
#include "resources/messages.h"

namespace {

std::mutex g_indicatorLock;
Indicators g_indicators;
IndicatorSink g_sink = {nullptr, nullptr};

const char kLevelLabels[4][16] = {"L (7%)", "M (15%)", "Q (25%)", "H (30%)"};

void notify(uint32_t what) {
    IndicatorSink sink;
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        sink = g_sink;
    }
    if (sink.changed != nullptr) sink.changed(sink.context, what);
}

void set_text(char* field, size_t room, const char* text, uint32_t what) {
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        std::snprintf(field, room, "%s", text);
    }
    notify(what);
}

// Text (room: kCodeTextBytes) and version of the current code; false when
// the list is empty.
bool read_current_code(char* text, int32_t* version) {
    int32_t count = 0, current = 0;
    read_code_count(&count, &current);
    return count > 0 && read_code_text(current, text, version) == 0;
}

// The third part: text left out, else the characters a Shift_JIS target
// replaced (named by their code points), else nothing.
void lost_or_left_out_note(char* out) {
    if (generation_left_text_out()) {
        std::snprintf(out, kStatusPartBytes, "%s", kLeftOutNote);
        return;
    }
    out[0] = '\0';
    if (g_form.notes.lost.count == 0 || g_form.carrier == Utf8) return;
    char names[64];
    lost_chars_text(g_form.notes.lost, names, sizeof names);
    std::snprintf(out, kStatusPartBytes, kLostCharsNote, names);
}

}  // namespace

void set_indicator_sink(IndicatorSink sink) {
    std::lock_guard<std::mutex> lock(g_indicatorLock);
    g_sink = sink;
}

void notify_indicator_sink(uint32_t what) { notify(what); }

void read_indicators(Indicators* out) {
    std::lock_guard<std::mutex> lock(g_indicatorLock);
    *out = g_indicators;
}

void reset_indicators() {
    std::lock_guard<std::mutex> lock(g_indicatorLock);
    std::memset(&g_indicators, 0, sizeof g_indicators);
}

void set_view_kind(int32_t view) {
    std::lock_guard<std::mutex> lock(g_indicatorLock);
    g_indicators.view = view;
}

int32_t view_kind() {
    std::lock_guard<std::mutex> lock(g_indicatorLock);
    return g_indicators.view;
}

void show_position(int32_t count, int32_t current, bool enable) {
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        Indicators& i = g_indicators;
        if (count > 0) {
            std::snprintf(i.position, sizeof i.position, "%2d/%2d", current + 1, count);
        } else {
            std::snprintf(i.position, sizeof i.position, "%2d", count);
        }
        i.upEnabled = enable && current > 0;
        i.downEnabled = enable && current + 1 < count;
    }
    notify(PositionChanged);
}

void set_position_text(const char* text) {
    set_text(g_indicators.position, sizeof g_indicators.position, text, PositionChanged);
}

void show_level_label(int32_t count) {
    int32_t level = g_form.redunrate >= 0 && g_form.redunrate <= 3 ? g_form.redunrate : 1;
    set_text(g_indicators.levelLabel, sizeof g_indicators.levelLabel, count > 0 ? kLevelLabels[level] : "",
             LevelChanged);
}

void update_status_bar(int32_t part) {
    if (part == StatusMode) {
        set_text(g_indicators.statusParts[0], kStatusPartBytes,
                 g_form.autoencode ? kIndicatorAuto : kIndicatorManual, StatusChanged);
        return;
    }
    char codePart[64] = "";
    char text[kCodeTextBytes];
    int32_t version = 0;
    if (read_current_code(text, &version)) {
        std::snprintf(codePart, sizeof codePart, kIndicatorCodeStatusFormat, version,
                      static_cast<int32_t>(std::strlen(text)));
    }
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        std::snprintf(g_indicators.statusParts[1], kStatusPartBytes, "%s", codePart);
        lost_or_left_out_note(g_indicators.statusParts[2]);
    }
    notify(StatusChanged);
}

void show_status_text(const char* text) {
    set_text(g_indicators.statusParts[0], kStatusPartBytes, text, StatusChanged);
}

void refresh_view(int32_t view) {
    char formatted[kViewTextBytes] = "";
    int32_t version = 0;
    if (view == TextDataView && read_current_code(formatted, &version)) {
        format_text_view(formatted, g_form.carrier, g_form.previewno);
    }
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        if (view == TextDataView) std::memcpy(g_indicators.viewText, formatted, sizeof formatted);
        ++g_indicators.repaints;
    }
    notify(ViewChanged);
}

void set_save_all_enabled(bool enabled) {
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        g_indicators.saveAllEnabled = enabled;
    }
    notify(SaveAllChanged);
}

void set_display_state(int32_t state) {
    {
        std::lock_guard<std::mutex> lock(g_indicatorLock);
        g_indicators.displayState = state;
    }
    notify(ViewChanged);
}
