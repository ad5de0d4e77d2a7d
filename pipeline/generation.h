// Generation driver: runs a generation pass by pass into the single CodeList,
// keeps the generation error and computes the indicator texts. Passes never
// overlap; the worker never calls a window function: it writes the shared
// Indicators record and tells the window through an IndicatorSink. Every
// shared record is read through a copy taken under one short lock, so a
// reader sees each code and each text either before or after a pass wrote it.
#pragma once

#include <cstdint>

#include "payload/generation_errors.h"

struct FormFields;

// --- Code list ---------------------------------------------------------------

constexpr int32_t kMaxCodes = 20;
constexpr int32_t kCodeTextBytes = 1010;     // room of a code's text
constexpr int32_t kCodeTextLimit = 1000;     // bytes a code's text may hold
constexpr int32_t kCodeMatrixCells = 34225;  // 185 x 185
constexpr int32_t kPresetCells = 31329;       // 177 x 177 cells encode_code presets

// One code: its part of the payload, its version and its modules. For
// n = 4 * version + 17, module (x, y) is matrix[x * n + y], 1 dark, 0 light.
struct CodeSlot {
    char text[kCodeTextBytes];
    int32_t version;
    int32_t matrix[kCodeMatrixCells];
};

struct CodeList {
    int32_t count;     // codes made, 0-20
    int32_t current;   // code shown, 0 when count is 0
    CodeSlot slots[kMaxCodes];
};

// Copies code index of the list into out. 0 done, 1 no such code.
int32_t read_code(int32_t index, CodeSlot* out);
// Copies only the text (room: kCodeTextBytes) and version of code index.
int32_t read_code_text(int32_t index, char* text, int32_t* version);
// Count and current code, taken together.
void read_code_count(int32_t* count, int32_t* current);
// The code shown (up and down buttons): 0 done, 1 out of range.
int32_t set_current_code(int32_t current);
// Publishes a whole code as code index of the running generation and sets
// count = index + 1, current = 0 (the pass's own step; tests use it too).
void publish_code(int32_t index, const CodeSlot* code);
// Empties the list (count 0, current 0).
void clear_code_list();

// --- Generation error -----------------------------------------------------------

constexpr int32_t kErrorCount = 11;
enum ErrorKind : int32_t { ErrorPlain = 0, ErrorWithInteger = 1, ErrorWithString = 2 };

// One entry per error code 1-11 (index 0 unused); Shift_JIS messages.
struct ErrorEntry {
    int32_t kind;
    const char* message;
};
extern const ErrorEntry ErrorTable[kErrorCount + 1];

// The error of the last generation (0 none) and its integer argument.
int32_t generation_error(int32_t* argument);
void set_generation_error(int32_t code, int32_t argument);
// The message of error code with its argument, formatted (room: 128
// bytes); "" for 0 and codes outside the table. The composers' errors use
// the same table.
void format_error_message(int32_t code, int32_t argument, char* out);
// The message of the current error, formatted (room: 128 bytes); "" for 0.
void generation_error_message(char* out);

// --- Driver ---------------------------------------------------------------------

enum RunStatus : int32_t { Idle = 0, Requested = 1, Generating = 2, Starting = 3 };

// Busy and idle pump intervals in ms, by the setting "quick" (0-2).
struct PumpInterval {
    int32_t busy;   // status Requested or Generating
    int32_t idle;   // any other status
};
extern const PumpInterval PumpIntervals[3];

// -1 no generation in progress, 0 the next pass starts one, k > 0 the next
// pass makes code k.
typedef int32_t GenerationCursor;
GenerationCursor generation_cursor();
RunStatus run_status();
void set_run_status(RunStatus status);
// What of the payload the last generation left out (0 nothing): bits.
enum LeftOut : int32_t { LeftOutByComposition = 1, LeftOutPastLastCode = 2 };
int32_t generation_left_text_out();

// One pass: makes at most one code from g_form (which the caller filled)
// and returns the new cursor. restart starts a new generation; otherwise it
// continues the running one, or with "autoencode" starts one on changed input.
GenerationCursor generation_pass(bool restart);
// A whole generation of form at once, as the tool makes one: form becomes
// g_form and passes run on the calling thread until the generation ends.
void generate_form(const FormFields& form);

// --- Worker and pump (the window's timer calls these on its own thread) --------------

// Refreshes g_form from the window's controls; runs on the calling thread
// only while no pass runs.
typedef void (*FillForm)(void* context);

// The create buttons: status Requested (the window re-arms the pump at 30 ms).
void request_generation();
// One pump tick: when no worker is busy, fill runs and the one worker
// thread (started at the first tick) is handed a pass with restart =
// (status is Requested). Returns the interval to re-arm the pump with.
int32_t pump_tick(FillForm fill, void* context);
// A pass on the calling thread: waits for a busy worker, fills, runs.
int32_t run_pass_now(bool restart, FillForm fill, void* context);
// One pass of the worker (pump_tick hands it over with WorkerBusy raised);
// lowers WorkerBusy at its end.
void generation_worker(bool restart);
bool worker_busy();
// Waits until no worker pass runs (before reading what a pass reads or
// writes, and before unloading QR2DLL).
void join_worker();
// Waits for a running pass, then ends the worker thread (at exit; the next
// pump tick would start a new one).
void end_worker();

// --- Indicators -----------------------------------------------------------------

enum ViewKind : int32_t { CodeView = 0, TextDataView = 1 };
constexpr int32_t kStatusPartBytes = 1024;
constexpr int32_t kViewTextBytes = 2048;

// What the window shows of the generation: control texts and enabled
// states, written by the driver, applied by the window on its own thread.
struct Indicators {
    char position[32];                  // static IDC_POSITION
    int32_t upEnabled;                  // button IDC_UP
    int32_t downEnabled;                // button IDC_DOWN
    char levelLabel[16];                // static IDC_LEVEL
    char statusParts[3][kStatusPartBytes];
    int32_t saveAllEnabled;             // IDM_SAVE_ALL_BMP: menu item, toolbar button
    int32_t displayState;               // DisplayState; positive: the preview paints
    int32_t view;                       // ViewKind, chosen by the window
    char viewText[kViewTextBytes];      // edit IDC_TEXT_VIEW, the text-data view
    uint32_t repaints;                  // preview repaints asked for so far
};

// What changed, as bits of IndicatorSink::changed's argument.
enum IndicatorChange : uint32_t {
    PositionChanged = 1, LevelChanged = 2, StatusChanged = 4, ViewChanged = 8,
    SaveAllChanged = 16, PumpBusy = 32   // restart the pump with the busy interval
};

// Called on the thread that made the change (the worker too): the window
// posts itself a message and reads the Indicators on its own thread.
struct IndicatorSink {
    void (*changed)(void* context, uint32_t what);
    void* context;
};
void set_indicator_sink(IndicatorSink sink);
void read_indicators(Indicators* out);
void set_view_kind(int32_t view);
int32_t view_kind();
void reset_indicators();
// Tells the sink (if any) what changed.
void notify_indicator_sink(uint32_t what);

// Position indicator: "%2d/%2d" (current + 1, count) when count > 0, else
// "%2d" (count); up enabled when enable and current > 0, down when enable
// and current + 1 < count.
void show_position(int32_t count, int32_t current, bool enable);
// The level label of "redunrate" when count > 0, else empty.
void show_level_label(int32_t count);
enum StatusPart : int32_t { StatusMode = 0, StatusCode = 1 };
// StatusMode: part 0 shows the automatic or manual generation text.
// StatusCode: part 1 the current code's version and bytes, part 2 empty or
// the note that text was left out.
void update_status_bar(int32_t part);
// Part 0 shows text (fewer than 1,024 bytes).
void show_status_text(const char* text);
// Asks for a repaint of the preview; in the text-data view the current
// code's text formatted for the view becomes viewText first.
void refresh_view(int32_t view);
// Sets an indicator text directly (the "creating" texts of the driver).
void set_position_text(const char* text);
void set_save_all_enabled(bool enabled);
// The form's display state: the preview paints only while it is positive.
enum DisplayState : int32_t {
    DisplayCleared = -1,    // after "クリア"
    DisplayCodes = 1,       // codes made, a code or size changed
    DisplayCreated = 10     // the form was just created
};
void set_display_state(int32_t state);
