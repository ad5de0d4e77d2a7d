// Helpers of the output tests: codes made by the encoder and put in the
// CodeList, and bitmap files read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pipeline/generation.h"

// Encodes text (Shift_JIS) at level M with the smallest version from
// minVersion on into slot. False when it cannot be encoded.
bool make_code(const char* text, int32_t minVersion, CodeSlot* slot);
// Publishes the texts as codes 0 .. count - 1 of the CodeList.
bool publish_codes(const std::vector<std::string>& texts, int32_t minVersion);

// A bitmap file as read: its header fields and its pixels top row first as
// 0x00BBGGRR values.
struct BitmapFile {
    std::string bytes;
    int32_t side = 0;
    uint32_t field(int32_t offset, int32_t size) const;
    uint32_t pixel(int32_t x, int32_t y) const;
};
bool read_bitmap(const std::string& path, BitmapFile* out);

// A fresh temporary folder for files, with its trailing separator.
std::string fresh_output_folder();
