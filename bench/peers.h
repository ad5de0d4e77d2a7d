// The encoders the benchmark compares: ours and four QR libraries, each
// behind the same two calls so every workload runs through all of them alike.
#pragma once

#include <cstdint>
#include <string>

// One benchmark input. text holds the bytes our encoder takes (Shift_JIS for
// kanji); utf8 and wide hold the same characters for the peers that want
// Unicode input.
struct Workload {
    const char* name;
    int32_t level;            // EcLevel
    bool kanji;               // the text is Shift_JIS kanji, kanji mode wanted
    int32_t expectedVersion;  // 0: whatever each encoder picks
    std::string text;
    std::string utf8;
    std::wstring wide;
};

struct Peer {
    const char* name;
    // The timed operation: encodes the workload at its level with automatic
    // version and mask, and discards the symbol.
    void (*encode)(const Workload& workload);
    // Encodes once and copies the symbol into matrix (module (x, y) at byte
    // x * 177 + y, 1 dark); returns the symbol's side, 0 on failure.
    int32_t (*make_matrix)(const Workload& workload, uint8_t* matrix);
};

constexpr int32_t kPeerCount = 5;
// Ours first, then libqrencode, qrcodegen, zxing-cpp and zint.
extern const Peer kPeers[kPeerCount];

// Creates the state the peers keep between calls (zint's symbol record).
void open_peers();
void close_peers();
