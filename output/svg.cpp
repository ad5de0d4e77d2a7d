// SVG files: a white square and the dark modules as one path per colour,
// each run of equal-coloured dark modules in a row one rectangle ("h", "v1",
// back, close), moves relative to the previous rectangle to keep the text
// short. Coordinates are modules; width and height are millimetres. Text
// goes out through a small buffer; no heap.
#include "output/image_formats.h"

#include <cstdio>
#include <cstring>

namespace {

struct TextOut {
    char buffer[4096];
    int32_t used;
    ByteSink* sink;
    int32_t failed;
};

void flush(TextOut* t) {
    if (t->used > 0 && t->sink->write(t->sink->context, reinterpret_cast<const uint8_t*>(t->buffer), t->used) != 0) {
        t->failed = 1;
    }
    t->used = 0;
}

// Appends a formatted piece (each piece is far shorter than the buffer).
template <typename... Args>
void emit(TextOut* t, const char* format, Args... args) {
    if (t->used > static_cast<int32_t>(sizeof t->buffer) - 256) flush(t);
    t->used += std::snprintf(t->buffer + t->used, sizeof t->buffer - static_cast<size_t>(t->used), format, args...);
}

struct Symbol {
    const int32_t* matrix;
    int32_t n;
    int32_t margin;
    uint32_t colour;
};

// The colour of module (x, y), or 0xFFFFFFFF for a light one.
uint32_t module_at(const Symbol& s, int32_t x, int32_t y) {
    if (s.matrix[x * s.n + y] != 1) return 0xFFFFFFFFu;
    return s.colour == kRainbowMarker ? rainbow_colour(s.n, x, y) : s.colour;
}

// The path of every run of colour c, rows top first.
void emit_path(TextOut* t, const Symbol& s, uint32_t c) {
    emit(t, "<path fill=\"#%02X%02X%02X\" d=\"", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    bool first = true;
    int32_t atX = 0, atY = 0;   // start of the previous rectangle
    for (int32_t y = 0; y < s.n; ++y) {
        for (int32_t x = 0; x < s.n;) {
            if (module_at(s, x, y) != c) {
                ++x;
                continue;
            }
            int32_t end = x + 1;
            while (end < s.n && module_at(s, end, y) == c) ++end;
            int32_t px = x + s.margin, py = y + s.margin;
            if (first) {
                emit(t, "M%d %d", px, py);
            } else {
                emit(t, "m%d %d", px - atX, py - atY);
            }
            emit(t, "h%dv1h-%dz", end - x, end - x);
            first = false;
            atX = px, atY = py;
            x = end;
        }
    }
    emit(t, "%s", "\"/>\n");
}

// The colours already written, for the rainbow: one per anti-diagonal at
// most (2 * 177 - 1), fewer where neighbours truncate to the same value.
struct ColourSet {
    uint32_t colours[2 * 177];
    int32_t count;
};

bool add_colour(ColourSet* set, uint32_t c) {
    for (int32_t i = 0; i < set->count; ++i) {
        if (set->colours[i] == c) return false;
    }
    if (set->count < static_cast<int32_t>(sizeof set->colours / sizeof set->colours[0])) set->colours[set->count++] = c;
    return true;
}

}  // namespace

void millimetres_text(int64_t micrometres, char* out) {
    int32_t whole = static_cast<int32_t>(micrometres / 1000), part = static_cast<int32_t>(micrometres % 1000);
    int n = std::snprintf(out, 16, "%d", whole);
    if (part == 0) return;
    std::snprintf(out + n, static_cast<size_t>(16 - n), ".%03d", part);
    size_t end = std::strlen(out);
    while (out[end - 1] == '0') out[--end] = '\0';
}

int32_t write_svg(const int32_t* matrix, int32_t version, int32_t margin, uint32_t colour, int32_t micrometres,
                  ByteSink* sink) {
    static TextOut t;
    t.used = 0, t.sink = sink, t.failed = 0;
    Symbol s = {matrix, 4 * version + 17, margin, colour};
    int32_t e = s.n + 2 * margin;
    char size[16];
    millimetres_text(static_cast<int64_t>(e) * micrometres, size);
    emit(&t, "%s", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    emit(&t, "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%smm\" height=\"%smm\" "
             "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n", size, size, e, e);
    emit(&t, "<rect width=\"%d\" height=\"%d\" fill=\"#FFFFFF\"/>\n", e, e);
    if (colour != kRainbowMarker) {
        emit_path(&t, s, colour);
    } else {
        // One path per colour, in the order the colours first appear.
        static ColourSet written;
        written.count = 0;
        for (int32_t y = 0; y < s.n; ++y) {
            for (int32_t x = 0; x < s.n; ++x) {
                uint32_t c = module_at(s, x, y);
                if (c != 0xFFFFFFFFu && add_colour(&written, c)) emit_path(&t, s, c);
            }
        }
    }
    emit(&t, "%s", "</svg>\n");
    flush(&t);
    return t.failed;
}
