// Output on Win32: rasters on a printer page, the system's default printer
// as the PrinterDriver of print jobs, and the raster on the clipboard.
#pragma once

#include <windows.h>

#include <cstdint>

#include "output/output.h"
#include "resources/messages.h"

// The default printer: the name from the profile value "device" of section
// "windows" (default "???"), its device context by CreateDCW, the document
// and its page by StartDocW/StartPage, EndPage/EndDoc, DeleteDC. The surface
// is the HDC.
const PrinterDriver& default_printer_driver();
// Copies raster to the device context pixel for pixel, its top-left corner
// at x, y (the printer clips what falls off the page).
void draw_raster_on(HDC surface, const Raster& raster, int32_t x, int32_t y);

// The same symbol in the formats other programs paste best: PNG bytes of
// the raster's pixels and the SVG text; a format with no bytes is left out.
struct ClipboardImages {
    const uint8_t* png;
    int32_t pngBytes;
    const uint8_t* svg;
    int32_t svgBytes;
};
// Places the raster on the clipboard, opened for owner and emptied first,
// as a device-independent bitmap (CF_DIB, 24 bits, rows bottom first; the
// system offers it as CF_BITMAP too), then the images as the registered
// formats "PNG" and "image/svg+xml". 0 placed (the bitmap at least); 1 the
// clipboard could not be opened (another program holds it) or no memory
// for the bitmap: nothing placed.
int32_t place_on_clipboard(HWND owner, const Raster& raster, const ClipboardImages& images);

// The messages of the copy: no data (kNoDataToCopy, caption
// kNoDataCaption), the text-data view shown (kNoCodeShownText, caption
// kNoCodeShownCaption), and the status-bar text after a copy
// (kCopiedStatusText).
