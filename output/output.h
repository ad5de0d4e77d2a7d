// Output: a code's module matrix drawn as a square RGB raster (the one
// drawing of the screen, the printer, the clipboard and bitmap files), the
// drawing settings' tables, and bitmap files: the 24-bit writer, the
// numbered names of "全てのBMPを保存" and its overwrite question; printing
// (the registered codes, the page layout, the print job through a driver
// record). The Win32 side of printing and the clipboard: output/win32/.
//
// Rasters live in caller-owned storage (one static area serves every
// drawing at scale 1); nothing is allocated while drawing or writing.
#pragma once

#include <cstdint>

#include "pipeline/generation.h"
#include "resources/messages.h"

// --- Drawing settings ---------------------------------------------------------------

enum RenderTarget : int32_t { Screen = 0, Printer = 1, Clipboard = 2, File = 3 };

// Colours are 0x00BBGGRR.
constexpr int32_t kModuleColourCount = 13;
constexpr int32_t kRainbowColour = 11;
constexpr int32_t kCustomColour = 12;
constexpr uint32_t kRainbowMarker = 0x7FFFFFFF;

// In the order of the colour combo box; entry 11 is the rainbow marker,
// entry 12 the custom colour (kept equal to "customcol").
extern uint32_t ModuleColours[kModuleColourCount];
// The combo labels ("黒" ... "選"), Shift_JIS.
extern const char* const ModuleColourLabels[kModuleColourCount];
// Sets entry 12 and "customcol" (the colour chooser; after loading the settings).
void set_custom_colour(uint32_t colour);

// The backgrounds in the order of the menu (IDM_BACKGROUND_NONE to
// IDM_BACKGROUND_WHITE) and of the setting "bgno".
struct BackgroundStyle {
    uint8_t tint[3];      // R, G, B of the text-data view
};
constexpr int32_t kBackgroundCount = 5;
extern const BackgroundStyle BackgroundStyles[kBackgroundCount];
// The text-data view's colour: each tint component mixed half and half with
// white, (c + 255) / 2. An index out of the table counts as 0.
uint32_t text_view_colour(int32_t background);

// The colour of a dark module at column x, row y of a symbol n modules wide
// in the rainbow gradient: red at the top left through yellow, green and
// blue to violet, constant along each anti-diagonal.
uint32_t rainbow_colour(int32_t n, int32_t x, int32_t y);

// --- Rasters ----------------------------------------------------------------------------

// Image side L at scale 1: at most 3 pixels per module of the largest
// symbol with the largest margin (177 + 12 modules).
constexpr int32_t kMaxRasterSide = 567;
// Bytes of a row: 3 per pixel, rounded up to a multiple of 4.
constexpr int32_t raster_stride(int32_t side) { return (side * 3 + 3) / 4 * 4; }
constexpr int32_t kRasterBytes = raster_stride(kMaxRasterSide) * kMaxRasterSide;

// A square image: rows top first, each side pixels of blue, green, red
// bytes and zero bytes up to the stride (the rows of a 24-bit bitmap).
struct Raster {
    int32_t side;
    int32_t stride;
    uint8_t* pixels;
    int32_t capacity;   // bytes of pixels
};

// Image side L for a symbol of version (1-40) with margin modules of quiet
// zone (0-6) at a size step (0-7) and scale (1 or more). 0 for bad input.
int32_t image_side(int32_t version, int32_t margin, int32_t sizeStep, int32_t scale);

// Draws the symbol (module (x, y) dark when matrix[x * n + y] is 1, n = 4 *
// version + 17) into raster: white, then each dark module a rectangle with
// its edges at the truncated positions (x + margin) * L / e, in colour (a
// ModuleColours entry; kRainbowMarker: the gradient). 0 done, 1 bad input
// or the raster's storage is too small.
int32_t render_symbol(const int32_t* matrix, int32_t version, int32_t margin, int32_t sizeStep, int32_t scale,
                      uint32_t colour, Raster* raster);

// The colour a colour index stands for: its table entry, entry 0 for an
// index out of the table.
uint32_t module_colour(int32_t colourIndex);

// --- Drawing a code -------------------------------------------------------------------

// Where a finished raster goes for Screen, Printer and Clipboard (the
// window sets it; File goes to save_bitmap).
typedef void (*RasterSink)(int32_t target, void* printerSurface, const Raster& raster, int32_t x, int32_t y);
void set_raster_sink(RasterSink sink);
// Storage for drawings larger than the static area (printing at a scale
// above 1); null goes back to the static area.
void set_raster_storage(uint8_t* pixels, int32_t capacity);

// How a code is drawn: the quiet zone in modules and the colour of the dark
// modules (0x00BBGGRR, or kRainbowMarker for the gradient).
struct DrawStyle {
    int32_t margin;
    uint32_t colour;
};
// The window's: "drawmargin" and "colors" (entry 12 of ModuleColours set
// from "customcol" first, whoever changed it).
DrawStyle shown_style();

// Draws code codeIndex of the CodeList (for Printer while "printtype" is 2,
// entry codeIndex of RegisteredCodes) with the settings "drawmargin" and
// "colors" and delivers it to target. Draws nothing before the run's first
// generation (RunStatus Starting), while another drawing is in progress, for
// a code that does not exist, or when the storage is too small. 0 drawn
// and delivered (for File: written), 1 not; the window ignores it.
int32_t draw_symbol(int32_t target, void* printerSurface, const char* fileName, int32_t sizeStep, int32_t codeIndex,
                 int32_t scale, int32_t x, int32_t y);

// --- Bitmap files ----------------------------------------------------------------------

// Writes raster as a 24-bit uncompressed bitmap: 14-byte file header, 40-byte
// information header, rows bottom first. An existing file is replaced whole
// (write_file_staged): a write that fails leaves it as it was, and one that
// cannot be written in place is kept. 0 written, 1 not (the window does not
// report it).
int32_t save_bitmap(const char* path, const Raster& raster);

// Room for a path of the save dialogs (UTF-8: 260 UTF-16 units of up to
// three bytes each), terminator included.
constexpr int32_t kBitmapPathBytes = 3 * 260;

// Appends ".bmp" unless the name ends in it (any case). 0 done, 1 no room.
int32_t ensure_bmp_extension(char* path, int32_t capacity);

struct NumberingStyle {
    const char* position;     // "先頭" or "後ろ", Shift_JIS
    const char* samples[2];
    const char* pattern;
    int32_t before;           // 1: the label goes before the base name
};
constexpr int32_t kNumberingStyleCount = 6;
extern const NumberingStyle NumberingStyles[kNumberingStyleCount];

// The combo text of a style, "%sに %s %s を付ける" (room: 64 bytes).
void numbering_style_text(int32_t style, char* out);

// The name of code k (from 0) of "全てのBMPを保存" for path and style (used
// modulo 6): the pattern's last digit run counts up from its value, keeping
// its width; styles 0-2 put the label before the base name, 3-5 after it.
// 0 done, 1 the name does not fit capacity.
int32_t numbered_name(const char* path, int32_t style, int32_t k, char* out, int32_t capacity);

// The question asked before numbered files are replaced; true: replace.
typedef bool (*AskOverwrite)(void* context);
// Its text is kOverwriteQuestion (empty caption, warning icon, Yes and No).
// The no-data message: caption kNoDataCaption, text kNoDataToSave.

enum SaveResult : int32_t { SaveWritten = 0, SaveFailed = 1, SaveDeclined = 2, SaveNoData = 3 };

// The kinds of image file the saves write, in the order the save dialogs
// list them, and the extension each adds to a name without it.
enum ImageKind : int32_t { ImageBmp = 0, ImagePng = 1, ImageSvg = 2 };
constexpr int32_t kImageKindCount = 3;
extern const char* const kImageExtensions[kImageKindCount];
// Module edge of the saved SVG, as the tool's default.
constexpr int32_t kSvgModuleMicrometres = 500;
// Appends the kind's extension unless the name ends in it (any case). 0
// done, 1 no room or no such kind.
int32_t ensure_kind_extension(char* path, int32_t capacity, int32_t kind);
// Writes a drawn code to path in the kind its extension names (".png",
// ".svg", else a bitmap): the raster's pixels, or the symbol of matrix
// with margin and colour. 0 written, 1 not.
int32_t save_drawn_image(const char* path, const Raster& raster, const int32_t* matrix, int32_t version,
                         int32_t margin, uint32_t colour);

// "BMPを保存" in any kind: the shown code to path with the kind's
// extension made sure of. A bitmap as save_bitmap writes it; a PNG of
// exactly the bitmap's pixels (1-bit grey for black modules); an SVG of
// the symbol with kSvgModuleMicrometres modules and the same margin and
// colour. Every file is replaced whole or not at all.
int32_t save_shown_image(char* path, int32_t kind, int32_t sizeStep, const DrawStyle& drawing);
// "全てのBMPを保存" in any kind, as save_all_bitmaps.
int32_t save_all_images(char* path, int32_t kind, int32_t numbering, int32_t sizeStep, const DrawStyle& drawing,
                        AskOverwrite ask, void* context, uint32_t* failed = nullptr);

// "BMPを保存": the shown code (clamped to the list) drawn in the style to
// path with ".bmp" made sure of (path has room for kBitmapPathBytes).
int32_t save_shown_bitmap(char* path, int32_t sizeStep, const DrawStyle& drawing);
// "全てのBMPを保存": every code under its numbered name. When any of the
// names exists, ask is called once (at most once per call); No writes
// nothing. A name that cannot be written does not stop the others: the
// result is then SaveFailed, and failed (when given) has bit k set for each
// code k that was not written (0 otherwise).
int32_t save_all_bitmaps(char* path, int32_t numbering, int32_t sizeStep, const DrawStyle& drawing, AskOverwrite ask,
                         void* context, uint32_t* failed = nullptr);

// --- Printing ------------------------------------------------------------------------

// Codes the user registered for printing in this run (never saved).
// Entries 0 .. count - 1 are in use; free ones have an all-light matrix,
// an empty text, a cleared flag and version 0 (they print as a blank
// version-1 square).
constexpr int32_t kRegisteredCodeCount = 20;
struct RegisteredCode {
    int32_t matrix[kCodeMatrixCells];
    int32_t version;
    char text[kCodeTextBytes];
    int32_t utf8;     // 1: registered while the carrier was Utf8
};
struct RegisteredCodeStore {
    int32_t count;
    RegisteredCode entries[kRegisteredCodeCount];
};
extern RegisteredCodeStore RegisteredCodes;

enum PrintType : int32_t { PrintShown = 0, PrintAll = 1, PrintRegistered = 2 };
enum RegisterResult : int32_t { RegisterDone = 0, RegisterFull = 2, RegisterNothing = 3 };
// Copies the shown code (index clamped to the list) into entry count, with
// the UTF-8 flag when carrier is Utf8. RegisterFull: 20 already;
// RegisterNothing: the list is empty or the shown code's text is.
int32_t register_shown_code(int32_t carrier);
// Removes entry index, moving the later ones down and clearing the last.
// 0 done, 1 no such entry.
int32_t delete_registered_code(int32_t index);
// Every entry free, count 0.
void clear_registered_codes();

// The messages of registering and printing are kRegisterFullText,
// kNothingToRegisterText, kPrintErrorText (caption kPrintErrorCaption) and
// kNoDataToPrint (no caption). A UTF-8 text, which the text panel cannot
// display, shows as kUnicodeTextMark; every print job is named
// kPrintDocumentName.

// Print size (combo index 0-9) to the drawing scale f = size + 2.
constexpr int32_t print_scale(int32_t printSize) { return printSize + 2; }
// The top-left corner, in printer pixels from the printable origin, of item
// k of a print type at a print size: (100, 100) for the shown code; for all
// codes three per row 1500 apart (two per row 2200 apart from size 5 on);
// for registered codes three (two from size 5 on) per row f * 250 apart;
// rows f * 200 apart.
struct PrintPlace {
    int32_t x;
    int32_t y;
};
PrintPlace print_place(int32_t type, int32_t printSize, int32_t k);
// Whether the type has something to print: the shown code's text, any
// code's text, any registered entry's text (up to the count).
bool has_print_data(int32_t type);
// The text panel of the print dialog (room bytes, at least kPayloadBytes
// for type 1 to be whole): the shown code's text, the whole payload, or
// registered entry `entry` (-1: none, empty) with kUnicodeTextMark for a
// UTF-8 one; types 0 and 1 show the mark while the carrier is Utf8.
void print_panel_text(int32_t type, int32_t entry, int32_t carrier, char* out, int32_t room);
// The printer name of the profile value "device" of section "windows":
// the part before the first comma or line break. 0 done, 1 no room.
int32_t printer_name_of(const char* device, char* out, int32_t room);

// The printer a job goes to: the platform's default printer, or a test's.
struct PrinterDriver {
    // The default printer's surface; null when there is none or it cannot
    // be opened.
    void* (*open_default)(void* context);
    // Starts the document named name and its one page. 0 started.
    int32_t (*start_page)(void* surface, const char* name, void* context);
    // Ends the page and the document.
    void (*end_page)(void* surface, void* context);
    void (*release)(void* surface, void* context);
    void* context;
};
enum PrintResult : int32_t { PrintDone = 0, PrintNoPrinter = 1, PrintNoData = 3 };
// Prints by the type on one page of the default printer: each item drawn by
// draw_symbol (target Printer, size step 1, scale print_scale) at its
// print_place; raster storage for the job's largest image is taken for the
// job and given back. Print errors after the page started are not reported.
int32_t print_codes(const PrinterDriver& driver, int32_t type, int32_t printSize);

