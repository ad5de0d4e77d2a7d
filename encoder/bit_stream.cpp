// Segmentation and data bit stream: classifies the input bytes, merges the
// segments by two fixed cost passes and writes mode indicators, count
// indicators and data bits. Fixed buffers of g_encoder only; every loop is
// bounded by the input length (at most kMaxInputBytes).
#include <cstring>

#include "encoder/encoder_internal.h"

// ISO/IEC 18004 Table 3: rows numeric, alphanumeric, byte, kanji; columns the
// version groups 1-9, 10-26, 27-40.
const int32_t CountBitWidths[4][3] = {
    {10, 12, 14},
    {9, 11, 13},
    {8, 16, 16},
    {8, 10, 12},
};

// Alphanumeric values (Table 5) by byte; 0xFF marks bytes outside the set.
static const uint8_t* alnum_table() {
    static const struct Table {
        uint8_t v[256];
        Table() {
            static const char kSet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
            std::memset(v, 0xFF, sizeof v);
            for (int i = 0; kSet[i] != '\0'; ++i) v[static_cast<uint8_t>(kSet[i])] = static_cast<uint8_t>(i);
        }
    } table;
    return table.v;
}

int32_t alnum_value(uint8_t byte) {
    uint8_t v = alnum_table()[byte];
    return v == 0xFF ? 44 : v;
}

bool is_kanji_pair(uint8_t first, uint8_t second) {
    bool lead = (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xEB);
    if (!lead || second < 0x40) return false;
    return !((first == 0x9F && second > 0xFC) || (first == 0xEB && second > 0xBF));
}

int32_t kanji_value(uint32_t code) {
    uint32_t v = (code >= 0x8140 && code <= 0x9FFC) ? code - 0x8140 : (code - 0xC140) & 0xFFFF;
    return static_cast<int32_t>((v >> 8) * 0xC0 + (v & 0xFF));
}

int32_t segment_bits(int32_t mode, int32_t length, int32_t group) {
    int32_t bits = 4 + CountBitWidths[mode][group];
    switch (mode) {
    case Numeric:
        return bits + 10 * (length / 3) + (length % 3 == 1 ? 4 : length % 3 == 2 ? 7 : 0);
    case Alphanumeric:
        return bits + 11 * (length / 2) + 6 * (length % 2);
    case Byte:
        return bits + 8 * length;
    default:
        return bits + 13 * (length / 2);
    }
}

int32_t append_bits(int32_t position, uint32_t value, int32_t count) {
    if (position < 0 || position + count > kMaxBits) return -1;
    if (count <= 0) return position;
    // Bits past the end stay zero: the stream is cleared before each build.
    uint32_t v = (value & 0xFFFFu) & ((1u << count) - 1u);
    int32_t offset = position & 7;
    uint32_t window = v << (24 - count - offset);
    uint8_t* p = g_encoder.bits + (position >> 3);
    int32_t bytes = (offset + count + 7) >> 3;
    p[0] |= static_cast<uint8_t>(window >> 16);
    if (bytes > 1) p[1] |= static_cast<uint8_t>(window >> 8);
    if (bytes > 2) p[2] |= static_cast<uint8_t>(window);
    return position + count;
}

// ---- Segment list ---------------------------------------------------------
//
// While the passes merge, the segments of classify stay where they are in
// g_encoder and are chained by these links, so removing one costs nothing;
// compact() then closes the gaps in one pass. -1 ends a chain.

namespace {

struct SegmentLinks {
    int32_t next[kMaxSegments];
    int32_t prev[kMaxSegments];
};
SegmentLinks linksScratch;

int32_t next_of(int32_t i) { return i >= 0 ? linksScratch.next[i] : -1; }
int32_t prev_of(int32_t i) { return i >= 0 ? linksScratch.prev[i] : -1; }

bool is_mode(int32_t i, int32_t mode) { return i >= 0 && g_encoder.segmentMode[i] == mode; }

int32_t seg_bits(int32_t i, int32_t group) {
    return segment_bits(g_encoder.segmentMode[i], g_encoder.segmentLength[i], group);
}

// Adds segment `from`'s length to segment `into`, the one before it, and
// unlinks `from`. The first segment is never removed.
void absorb(int32_t into, int32_t from) {
    g_encoder.segmentLength[into] += g_encoder.segmentLength[from];
    int32_t after = linksScratch.next[from];
    linksScratch.next[into] = after;
    if (after >= 0) linksScratch.prev[after] = into;
    --g_encoder.segmentCount;
}

void link_all() {
    const int32_t n = g_encoder.segmentCount;
    linksScratch.next[0] = -1;   // no segments: the passes find nothing to merge
    for (int32_t i = 0; i < n; ++i) {
        linksScratch.next[i] = i + 1 < n ? i + 1 : -1;
        linksScratch.prev[i] = i - 1;
    }
}

// The chained segments moved to the front of the arrays, in order.
void compact() {
    EncoderState& e = g_encoder;
    int32_t to = 0;
    for (int32_t i = e.segmentCount > 0 ? 0 : -1; i >= 0; i = linksScratch.next[i], ++to) {
        e.segmentMode[to] = e.segmentMode[i];
        e.segmentLength[to] = e.segmentLength[i];
    }
}

}  // namespace

// The segments of classify, kept so that each version group merges from
// them without reading the text again.
struct Classified {
    int32_t count;
    uint8_t mode[kMaxSegments];
    int32_t length[kMaxSegments];
};
static Classified g_classified;

// Mode of a byte on its own: Numeric, Alphanumeric or Byte.
static const uint8_t* byte_modes() {
    static const struct Table {
        uint8_t v[256];
        Table() {
            const uint8_t* alnum = alnum_table();
            for (int b = 0; b < 256; ++b) v[b] = b >= '0' && b <= '9' ? Numeric : alnum[b] != 0xFF ? Alphanumeric : Byte;
        }
    } table;
    return table.v;
}

static void classify(const uint8_t* text, int32_t length, int32_t kanjiOff) {
    Classified& c = g_classified;
    const uint8_t* modes = byte_modes();
    c.count = 0;
    int32_t i = 0;
    while (i < length) {
        int32_t mode = modes[text[i]], step = 1;
        if (mode == Byte && !kanjiOff && i + 1 < length && is_kanji_pair(text[i], text[i + 1])) {
            mode = Kanji;
            step = 2;
        }
        if (c.count > 0 && c.mode[c.count - 1] == mode) {
            c.length[c.count - 1] += step;
        } else {
            c.mode[c.count] = static_cast<uint8_t>(mode);
            c.length[c.count] = step;
            ++c.count;
        }
        i += step;
    }
}

// The classified segments into g_encoder, chained for merging.
static void restore_classified() {
    EncoderState& e = g_encoder;
    const Classified& c = g_classified;
    e.segmentCount = c.count;
    std::memcpy(e.segmentMode, c.mode, static_cast<size_t>(c.count));
    std::memcpy(e.segmentLength, c.length, sizeof(int32_t) * static_cast<size_t>(c.count));
    link_all();
}

// One step of the first pass at segment i, a numeric/alphanumeric pair worth
// joining: into the byte segment in front, the one behind, or as one
// alphanumeric run. Returns the segment the pass goes on from.
static int32_t join_numeric_alnum(int32_t i, int32_t group) {
    int32_t* len = g_encoder.segmentLength;
    uint8_t* mode = g_encoder.segmentMode;
    const int32_t before = prev_of(i), j = next_of(i), k = next_of(j);
    int32_t dst = segment_bits(Alphanumeric, len[i] + len[j], group);
    int32_t front = 0, behind = 0;
    if (is_mode(before, Byte)) {
        front = segment_bits(Byte, len[before] + len[i], group) + seg_bits(j, group);
        if (front > dst + segment_bits(Byte, len[before], group)) front = 0;
    }
    if (is_mode(k, Byte)) {
        behind = seg_bits(i, group) + segment_bits(Byte, len[j] + len[k], group);
        if (behind > dst + segment_bits(Byte, len[k], group)) behind = 0;
    }
    if (front != 0 && (behind == 0 || front < behind)) {
        absorb(before, i);
        return j;
    }
    if (behind != 0) {
        mode[j] = Byte;
        absorb(j, k);
        return i;
    }
    if (is_mode(k, Alphanumeric)) absorb(j, k);
    mode[i] = Alphanumeric;
    absorb(i, j);
    if (!is_mode(before, Alphanumeric)) return i;
    absorb(before, i);
    return next_of(before);
}

static void merge_numeric_alnum(int32_t group) {
    const uint8_t* mode = g_encoder.segmentMode;
    int32_t i = 0;
    while (next_of(i) >= 0) {
        const int32_t j = next_of(i);
        int32_t a = mode[i], b = mode[j];
        bool pair = (a == Numeric && b == Alphanumeric) || (a == Alphanumeric && b == Numeric);
        if (!pair) {
            i = j;
            continue;
        }
        int32_t src = seg_bits(i, group) + seg_bits(j, group);
        int32_t dst = segment_bits(Alphanumeric, g_encoder.segmentLength[i] + g_encoder.segmentLength[j], group);
        if (src <= dst) {
            i = j;
            continue;
        }
        i = join_numeric_alnum(i, group);
    }
}

static void merge_into_bytes(int32_t group) {
    EncoderState& e = g_encoder;
    int32_t header = 4 + CountBitWidths[Byte][group];
    int32_t i = 0;
    while (next_of(i) >= 0) {
        int32_t j = next_of(i);
        int32_t src = seg_bits(i, group) + seg_bits(j, group);
        int32_t dst = segment_bits(Byte, e.segmentLength[i] + e.segmentLength[j], group);
        if (is_mode(prev_of(i), Byte)) dst -= header;
        if (is_mode(next_of(j), Byte)) dst -= header;
        if (src <= dst) {
            i = j;
            continue;
        }
        if (is_mode(prev_of(i), Byte)) {
            int32_t before = prev_of(i);
            absorb(before, i);
            i = before;
        }
        j = next_of(i);
        if (is_mode(next_of(j), Byte)) absorb(j, next_of(j));
        e.segmentMode[i] = Byte;
        absorb(i, j);
        i = prev_of(i) >= 0 ? prev_of(i) : i;
    }
}

// ---- Writing ----------------------------------------------------------------

static int32_t write_segment(int32_t pos, int32_t mode, const uint8_t* p, int32_t len, int32_t group) {
    static const uint8_t kIndicator[4] = {1, 2, 4, 8};
    int32_t count = mode == Kanji ? len / 2 : len;
    pos = append_bits(pos, kIndicator[mode], 4);
    pos = append_bits(pos, static_cast<uint32_t>(count), CountBitWidths[mode][group]);
    int32_t i = 0;
    switch (mode) {
    case Numeric:
        for (; i + 3 <= len; i += 3) pos = append_bits(pos, (p[i] - '0') * 100u + (p[i + 1] - '0') * 10u + (p[i + 2] - '0'), 10);
        if (len - i == 2) pos = append_bits(pos, (p[i] - '0') * 10u + (p[i + 1] - '0'), 7);
        if (len - i == 1) pos = append_bits(pos, p[i] - '0', 4);
        break;
    case Alphanumeric:
        for (; i + 2 <= len; i += 2) pos = append_bits(pos, static_cast<uint32_t>(alnum_value(p[i]) * 45 + alnum_value(p[i + 1])), 11);
        if (i < len) pos = append_bits(pos, static_cast<uint32_t>(alnum_value(p[i])), 6);
        break;
    case Byte:
        for (; i < len && pos >= 0; ++i) pos = append_bits(pos, p[i], 8);
        break;
    default:
        for (; i + 2 <= len && pos >= 0; i += 2) pos = append_bits(pos, static_cast<uint32_t>(kanji_value(p[i] * 256u + p[i + 1])), 13);
        break;
    }
    return pos;
}

// Segments for the group from the classified segments; the stream length
// in bits, or -1 past kMaxBits.
static int32_t merge_classified(int32_t group) {
    restore_classified();
    merge_numeric_alnum(group);
    merge_into_bytes(group);
    compact();
    int32_t total = 0;
    for (int32_t i = 0; i < g_encoder.segmentCount; ++i) total += seg_bits(i, group);
    return total > kMaxBits ? -1 : total;
}

int32_t segment_text(const uint8_t* text, int32_t length, int32_t group, int32_t kanjiOff) {
    classify(text, length, kanjiOff);
    return merge_classified(group);
}

static void write_stream(const uint8_t* text, int32_t group) {
    EncoderState& e = g_encoder;
    std::memset(e.bits, 0, sizeof e.bits);
    int32_t pos = 0;
    for (int32_t i = 0; i < e.segmentCount && pos >= 0; ++i) {
        pos = write_segment(pos, e.segmentMode[i], text, e.segmentLength[i], group);
        text += e.segmentLength[i];
    }
    e.bitLength = pos;
}

bool build_bit_stream(const uint8_t* text, int32_t length, int32_t group, int32_t kanjiOff) {
    segment_text(text, length, group, kanjiOff);
    write_stream(text, group);
    return g_encoder.bitLength != -1;
}

// The data bits of the classified segments, each in its own mode: no
// merging makes a character cheaper than that, so no stream is shorter.
static int32_t least_data_bits() {
    const Classified& c = g_classified;
    int32_t bits = 0;
    for (int32_t i = 0; i < c.count; ++i) bits += segment_bits(c.mode[i], c.length[i], 0) - 4 - CountBitWidths[c.mode[i]][0];
    return bits;
}

int32_t find_version(int32_t requestedVersion, const uint8_t* text, int32_t length, int32_t kanjiOff) {
    static const int32_t kFirst[3] = {1, 10, 27}, kLast[3] = {9, 26, 40};
    const int32_t level = g_encoder.level;
    classify(text, length, kanjiOff);
    const int32_t least = least_data_bits();
    for (int32_t g = version_group(requestedVersion); g <= 2; ++g) {
        // Groups whose largest version cannot hold even the least stream.
        if (least > VersionTable[kLast[g]].dataCodewords[level] * 8) continue;
        // The segment costs give the stream length exactly; the stream is
        // written only for the group whose version is returned.
        int32_t bits = merge_classified(g);
        if (bits < 0) continue;
        int32_t bytes = (bits + 7) / 8;
        for (int32_t v = kFirst[g]; v <= kLast[g]; ++v) {
            if (VersionTable[v].dataCodewords[level] >= bytes) {
                write_stream(text, g);
                return v;
            }
        }
    }
    g_encoder.bitLength = -1;   // no stream: the text fits no version
    return 0;
}

void terminate_and_pad(int32_t capacity) {
    EncoderState& e = g_encoder;
    int32_t t = capacity * 8 - e.bitLength;
    if (t > 4) t = 4;
    if (t > 0) e.bitLength = append_bits(e.bitLength, 0, t);
    uint8_t pad = 236;
    for (int32_t i = (e.bitLength + 7) / 8; i < capacity; ++i) {
        e.bits[i] = pad;
        pad = pad == 236 ? 17 : 236;
    }
}
