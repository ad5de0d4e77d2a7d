// The window's place at start among given monitors.
#include <gtest/gtest.h>

#include "persistence/window_place.h"

namespace {

// A 1920 x 1080 monitor at the left, a 1280 x 1024 one right of it; each
// work area lacks a 40-pixel task bar at the bottom.
const MonitorArea kTwo[] = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
    {{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}},
};

bool same(const PlaceRect& a, const PlaceRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

PlaceRect place(const PlaceRect& stored, const MonitorArea* monitors, int32_t count) {
    PlaceRect out = {-1, -1, -1, -1};
    EXPECT_EQ(place_stored_window(stored, monitors, count, 780, 580, &out), 0);
    return out;
}

TEST(WindowPlace, ClosedOnTheSecondMonitorComesBackThere) {
    const PlaceRect stored = {2100, 100, 2880, 680};
    EXPECT_EQ(monitor_overlapping(stored, kTwo, 2), 1);
    EXPECT_TRUE(same(place(stored, kTwo, 2), stored));
}

TEST(WindowPlace, OnTheFirstMonitorStaysThereAlsoTenPixelsOver) {
    const PlaceRect stored = {-10, -10, 770, 570};
    EXPECT_TRUE(same(place(stored, kTwo, 2), stored));
    const PlaceRect inside = {300, 200, 1080, 780};
    EXPECT_TRUE(same(place(inside, kTwo, 2), inside));
}

TEST(WindowPlace, AcrossTwoMonitorsGoesIntoTheOneItCoversMost) {
    // 600 of its 780 pixels lie on the second monitor.
    const PlaceRect stored = {1740, 100, 2520, 680};
    EXPECT_EQ(monitor_overlapping(stored, kTwo, 2), 1);
    EXPECT_TRUE(same(place(stored, kTwo, 2), (PlaceRect{1920, 100, 2700, 680})));
}

TEST(WindowPlace, SecondMonitorGoneFitsIntoTheNearestWorkArea) {
    const PlaceRect stored = {2100, 600, 2880, 1180};
    EXPECT_EQ(monitor_overlapping(stored, kTwo, 1), -1);
    EXPECT_EQ(monitor_nearest(stored, kTwo, 1), 0);
    // Moved left and up into 0..1920 x 0..1040, its size kept.
    EXPECT_TRUE(same(place(stored, kTwo, 1), (PlaceRect{1140, 460, 1920, 1040})));
}

TEST(WindowPlace, NearestIsTheClosestMonitorNotTheFirst) {
    // Right of the second monitor and below its bottom: nearest is monitor 1.
    const PlaceRect stored = {3300, 1100, 4080, 1680};
    EXPECT_EQ(monitor_nearest(stored, kTwo, 2), 1);
    EXPECT_TRUE(same(place(stored, kTwo, 2), (PlaceRect{2420, 404, 3200, 984})));
}

TEST(WindowPlace, LargerThanTheWorkAreaShrinksToItButNotBelowTheMinimum) {
    const MonitorArea small[] = {{{0, 0, 1024, 768}, {0, 0, 1024, 728}}};
    EXPECT_TRUE(same(place({2000, 50, 3900, 1050}, small, 1), (PlaceRect{0, 0, 1024, 728})));
    const MonitorArea tiny[] = {{{0, 0, 640, 480}, {0, 0, 640, 440}}};
    EXPECT_TRUE(same(place({10, 10, 1000, 800}, tiny, 1), (PlaceRect{0, 0, 780, 580})));
}

TEST(WindowPlace, NoMonitorIsAFailure) {
    PlaceRect out = {};
    EXPECT_EQ(place_stored_window({0, 0, 780, 580}, kTwo, 0, 780, 580, &out), 1);
    EXPECT_EQ(monitor_nearest({0, 0, 780, 580}, kTwo, 0), -1);
}

}  // namespace
