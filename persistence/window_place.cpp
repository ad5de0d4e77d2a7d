// The window's place at start among the monitors of the moment.
#include "persistence/window_place.h"

namespace {

int64_t overlap(const PlaceRect& a, const PlaceRect& b) {
    int64_t w = static_cast<int64_t>(a.right < b.right ? a.right : b.right) - (a.left > b.left ? a.left : b.left);
    int64_t h = static_cast<int64_t>(a.bottom < b.bottom ? a.bottom : b.bottom) - (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The gap along one axis between [a0, a1) and [b0, b1); 0 when they overlap.
int64_t gap(int32_t a0, int32_t a1, int32_t b0, int32_t b1) {
    if (a1 <= b0) return static_cast<int64_t>(b0) - a1;
    if (b1 <= a0) return static_cast<int64_t>(a0) - b1;
    return 0;
}

int64_t distance_squared(const PlaceRect& a, const PlaceRect& b) {
    int64_t dx = gap(a.left, a.right, b.left, b.right), dy = gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

// One axis of fit_into: the span [*low, *high) moved and shrunk into [min, max).
void fit_span(int32_t* low, int32_t* high, int32_t min, int32_t max, int32_t least) {
    int32_t size = *high - *low;
    if (size > max - min) size = max - min > least ? max - min : least;
    if (*low + size > max) *low = max - size;
    if (*low < min) *low = min;
    *high = *low + size;
}

}  // namespace

int32_t monitor_overlapping(const PlaceRect& r, const MonitorArea* monitors, int32_t count) {
    int32_t best = -1;
    int64_t bestArea = 0;
    for (int32_t i = 0; i < count; ++i) {
        int64_t area = overlap(r, monitors[i].monitor);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

int32_t monitor_nearest(const PlaceRect& r, const MonitorArea* monitors, int32_t count) {
    int32_t best = monitor_overlapping(r, monitors, count);
    if (best >= 0) return best;
    int64_t bestDistance = 0;
    for (int32_t i = 0; i < count; ++i) {
        int64_t d = distance_squared(r, monitors[i].monitor);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

PlaceRect fit_into(const PlaceRect& r, const PlaceRect& area, int32_t minWidth, int32_t minHeight) {
    PlaceRect out = r;
    fit_span(&out.left, &out.right, area.left, area.right, minWidth);
    fit_span(&out.top, &out.bottom, area.top, area.bottom, minHeight);
    return out;
}

int32_t place_stored_window(const PlaceRect& stored, const MonitorArea* monitors, int32_t count, int32_t minWidth,
                            int32_t minHeight, PlaceRect* out) {
    int32_t on = monitor_nearest(stored, monitors, count);
    if (on < 0) return 1;
    const PlaceRect& m = monitors[on].monitor;
    bool whole = monitor_overlapping(stored, monitors, count) == on && stored.left >= m.left - 10 &&
                 stored.top >= m.top - 10 && stored.right <= m.right + 10 && stored.bottom <= m.bottom + 10;
    *out = whole ? stored : fit_into(stored, monitors[on].work, minWidth, minHeight);
    return 0;
}
