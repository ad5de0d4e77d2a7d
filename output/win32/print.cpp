// The system's default printer behind the PrinterDriver record, and rasters
// copied onto its page.
#include "output/win32/output_win32.h"

#include <cwchar>

namespace {

void* open_default(void*) {
    wchar_t device[512];
    GetProfileStringW(L"windows", L"device", L"???", device, 512);
    device[std::wcscspn(device, L",\r\n")] = L'\0';
    return CreateDCW(nullptr, device, nullptr, nullptr);
}

int32_t start_page(void* surface, const char* name, void*) {
    wchar_t wide[64];
    MultiByteToWideChar(932, 0, name, -1, wide, 64);
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = wide;
    auto dc = static_cast<HDC>(surface);
    if (StartDocW(dc, &document) <= 0) return 1;
    if (StartPage(dc) > 0) return 0;
    EndDoc(dc);
    return 1;
}

void end_page(void* surface, void*) {
    auto dc = static_cast<HDC>(surface);
    EndPage(dc);
    EndDoc(dc);
}

void release(void* surface, void*) { DeleteDC(static_cast<HDC>(surface)); }

const PrinterDriver kDefaultPrinter = {open_default, start_page, end_page, release, nullptr};

}  // namespace

const PrinterDriver& default_printer_driver() { return kDefaultPrinter; }

void draw_raster_on(HDC surface, const Raster& raster, int32_t x, int32_t y) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = raster.side;
    info.bmiHeader.biHeight = -raster.side;   // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(surface, x, y, raster.side, raster.side, 0, 0, raster.side, raster.side, raster.pixels, &info,
                  DIB_RGB_COLORS, SRCCOPY);
}
