// Where the main window comes back at start: on the monitor where it was
// closed, or fitted into the nearest monitor's work area when that monitor
// is gone. Plain rectangles in virtual-screen pixels, so the decision is
// the same on every platform.
#pragma once
#include <cstdint>

struct PlaceRect {
    int32_t left, top, right, bottom;
};

struct MonitorArea {
    PlaceRect monitor;   // the whole monitor
    PlaceRect work;      // without the task bar
};

constexpr int32_t kMaxMonitors = 16;

// The monitor the rectangle overlaps most; -1 when it overlaps none.
int32_t monitor_overlapping(const PlaceRect& r, const MonitorArea* monitors, int32_t count);
// The monitor nearest to the rectangle (an overlapping one first); -1 when
// there is none.
int32_t monitor_nearest(const PlaceRect& r, const MonitorArea* monitors, int32_t count);
// The rectangle moved (and, when larger, shrunk to no less than the minimum
// size) into the area.
PlaceRect fit_into(const PlaceRect& r, const PlaceRect& area, int32_t minWidth, int32_t minHeight);
// The stored rectangle as the window takes it: unchanged while it lies on
// one monitor (10 pixels over its edges allowed), else fitted into the work
// area of the monitor it overlaps most or, with none, of the nearest one.
// Returns 1 when there is no monitor to place it on.
int32_t place_stored_window(const PlaceRect& stored, const MonitorArea* monitors, int32_t count, int32_t minWidth,
                            int32_t minHeight, PlaceRect* out);
