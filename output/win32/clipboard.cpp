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

// Bytes in global memory under a registered format; the clipboard owns
// the memory once it took it.
void place_bytes(const wchar_t* format, const uint8_t* bytes, int32_t n) {
    UINT id = RegisterClipboardFormatW(format);
    if (id == 0 || bytes == nullptr || n <= 0) return;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(n));
    if (memory == nullptr) return;
    std::memcpy(GlobalLock(memory), bytes, static_cast<size_t>(n));
    GlobalUnlock(memory);
    if (SetClipboardData(id, memory) == nullptr) GlobalFree(memory);
}

}  // namespace

int32_t place_on_clipboard(HWND owner, const Raster& raster, const ClipboardImages& images) {
    if (!OpenClipboard(owner)) return 1;
    EmptyClipboard();
    HGLOBAL memory = packed_bitmap(raster);
    // The clipboard owns the memory once it took it.
    bool placed = memory != nullptr && SetClipboardData(CF_DIB, memory) != nullptr;
    if (!placed && memory != nullptr) GlobalFree(memory);
    // The bitmap stays the first format; readers that know the others prefer them.
    if (placed) {
        place_bytes(L"PNG", images.png, images.pngBytes);
        place_bytes(L"image/svg+xml", images.svg, images.svgBytes);
    }
    CloseClipboard();
    return placed ? 0 : 1;
}
