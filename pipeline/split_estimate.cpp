// The splitter's cost model: estimated lengths in units of one numeric digit
// (10/3 bits), which place the trial searches' starting points. Double
// precision on SSE2 arithmetic, so both targets truncate alike.
#include "pipeline/splitter.h"

#include <cstring>

const int32_t NumericCapacity[kCapacityVersions][4] = {
    {41, 34, 27, 17},         // version 1
    {77, 63, 48, 34},         // version 2
    {127, 101, 77, 58},       // version 3
    {187, 149, 111, 82},      // version 4
    {255, 202, 144, 106},     // version 5
    {322, 255, 178, 139},     // version 6
    {370, 293, 207, 154},     // version 7
    {461, 365, 259, 202},     // version 8
    {552, 432, 312, 235},     // version 9
    {652, 513, 364, 288},     // version 10
    {772, 604, 427, 331},     // version 11
    {883, 691, 489, 374},     // version 12
    {1022, 796, 580, 427},    // version 13
    {1101, 871, 621, 468},    // version 14
    {1250, 991, 703, 530},    // version 15
    {1408, 1082, 775, 602},   // version 16
    {1548, 1212, 876, 674},   // version 17
    {1725, 1346, 948, 746},   // version 18
    {1903, 1500, 1063, 813},  // version 19
    {2061, 1600, 1159, 919},  // version 20
};

namespace {

const double kModeChange = 3.94;

// Cost of one character of each class in the four running modes W (all
// bytes), X (alphanumeric), Y (numeric), Z (numeric and alphanumeric).
const double kCharCost[5][4] = {
    {0, 0, 0, 0},
    {2.4, 1.65, 1.0, 1.0},   // class 1
    {2.4, 1.65, 2.4, 1.65},  // class 2
    {2.4, 2.4, 2.4, 2.4},    // class 3
    {3.9, 3.9, 3.9, 3.9},    // class 4
};

struct RunningCosts {
    double w, x, y, z;
    double least_xyz() const {
        double m = x < y ? x : y;
        return m < z ? m : z;
    }
};

// The mode changes of a character of class t after one of class g (0: none).
void add_mode_changes(RunningCosts* c, int32_t g, int32_t t) {
    if (g == 0 || (g == 4) != (t == 4)) {
        c->w += kModeChange;
        c->x += kModeChange;
        c->y += kModeChange;
        c->z += kModeChange;
        return;
    }
    if ((g <= 2 && t > 2) || (t <= 2 && g > 2)) c->x += kModeChange;
    if (((g == 2 || g == 3) && t != 2 && t != 3) || (g == 1 && t != 1)) c->y += kModeChange;
    if (g != t) c->z += kModeChange;
}

}  // namespace

namespace {

int32_t estimate_class_of(uint8_t b) {
    if (b >= '0' && b <= '9') return 1;
    if (b != 0 && ((b >= 'A' && b <= 'Z') || std::strchr(" $%*+-./:", b) != nullptr)) return 2;
    if (b == 0x00 || b == 0x7F || (b >= 0x80 && b <= 0xA0) || b >= 0xE0) return 4;
    return 3;
}

}  // namespace

int32_t estimate_class(uint8_t b) {
    static const struct Table {
        uint8_t v[256];
        Table() {
            for (int i = 0; i < 256; ++i) v[i] = static_cast<uint8_t>(estimate_class_of(static_cast<uint8_t>(i)));
        }
    } table;
    return table.v[b];
}

double estimate_cost(const char* text, double limit, int32_t* cut) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(text);
    RunningCosts c = {0, 0, 0, 0};
    int32_t g = 0;
    int32_t i = 0;
    while (p[i] != 0) {
        int32_t t = estimate_class(p[i]);
        // A class-4 byte takes the byte after it, never the terminator.
        int32_t last = t == 4 && p[i + 1] != 0 ? i + 1 : i;
        c.w += kCharCost[t][0];
        c.x += kCharCost[t][1];
        c.y += kCharCost[t][2];
        c.z += kCharCost[t][3];
        add_mode_changes(&c, g, t);
        if (t >= 3 && c.least_xyz() < c.w) c.w = c.least_xyz();
        g = t;
        if (limit > 0 && limit < c.least_xyz()) {
            if (cut != nullptr) *cut = last - 1;
            return c.w;
        }
        i = last + 1;
    }
    if (c.least_xyz() < c.w) c.w = c.least_xyz();
    if (cut != nullptr && limit > 0) *cut = i;
    return c.w;
}

int32_t estimate_version(const char* text, int32_t level) {
    if (level < 0 || level > 3) return 0;
    double cost = estimate_cost(text, 0, nullptr);
    for (int32_t v = 1; v <= kCapacityVersions; ++v) {
        if (NumericCapacity[v - 1][level] + kModeChange >= cost) return v;
    }
    return 0;
}

int32_t estimate_cut(const char* text, int32_t version, int32_t level) {
    if (version < 1 || version > kCapacityVersions || level < 0 || level > 3) return -1;
    int32_t cut = 0;
    estimate_cost(text, NumericCapacity[version - 1][level], &cut);
    return cut;
}
