// The raster on the clipboard as a device-independent bitmap, and the
// texts of the copy command.
#include "output/win32/output_win32.h"
#include "resources/messages.h"

#include <cstring>


namespace {

// A packed DIB of the raster: the information header, then the rows
// bottom first (the orientation every reader of the clipboard takes).
HGLOBAL packed_bitmap(const Raster& raster) {
    SIZE_T bits = static_cast<SIZE_T>(raster.stride) * raster.side;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bits);
    if (memory == nullptr) return nullptr;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(memory));
    std::memset(header, 0, sizeof *header);
    header->biSize = sizeof *header;
    header->biWidth = raster.side;
    header->biHeight = raster.side;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(bits);
    auto* rows = reinterpret_cast<uint8_t*>(header + 1);
    for (int32_t y = 0; y < raster.side; ++y) {
        std::memcpy(rows + static_cast<SIZE_T>(raster.side - 1 - y) * raster.stride,
                    raster.pixels + static_cast<SIZE_T>(y) * raster.stride, static_cast<size_t>(raster.stride));
    }
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

int32_t place_on_clipboard(HWND owner, const Raster& raster) {
    if (!OpenClipboard(owner)) return 1;
    EmptyClipboard();
    HGLOBAL memory = packed_bitmap(raster);
    // The clipboard owns the memory once it took it.
    bool placed = memory != nullptr && SetClipboardData(CF_DIB, memory) != nullptr;
    if (!placed && memory != nullptr) GlobalFree(memory);
    CloseClipboard();
    return placed ? 0 : 1;
}
