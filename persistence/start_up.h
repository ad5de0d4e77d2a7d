// The start-up checks (back-end, version stamp, start counter, the maker's
// "tools" counter, the system probe, the first-start message) and the
// settings reset of command IDM_DELETE_SETTINGS. The window shows what these answer: the
// first-start text, the question to ask and the outcome, each as a
// UserMessage whose icon and buttons are the message-box flags.
#pragma once

#include <cstdint>

#include "platform/os_version.h"

// The stamp this version writes into "_version".
constexpr int32_t CurrentVersionStamp = 2125825;   // 0x207001

// --- The system probe ---------------------------------------------------------------

struct OsInfo {
    int32_t code;      // the verdict depends only on this
    char name[32];
};

// The system's code and name for a reported version.
OsInfo os_info_for(const OsVersion& version);
// Probes the system (platform/os_version.h) and keeps the answer program-wide.
OsInfo probe_os_version();
const OsInfo& current_os_info();
// False ("NG") for the 9x family, NT 3 and 4, unknown and newer systems.
bool os_verdict_ok(int32_t code);

// --- Messages for the window ----------------------------------------------------------

// Values of the message-box flags.
enum MessageIcon : int32_t { IconQuestion = 0x20, IconWarning = 0x30, IconInformation = 0x40 };
enum MessageButtons : int32_t { ButtonsOk = 0, ButtonsOkCancel = 1, ButtonsYesNo = 4 };
enum MessageOwner : int32_t { OwnerMainWindow = 0, OwnerMainForm = 1 };

constexpr int32_t kMessageTextBytes = 1024;

// A message box to show, or the text of the First Message dialog (no caption).
struct UserMessage {
    int32_t show;        // 0: nothing to show
    int32_t owner;       // MessageOwner
    int32_t icon;        // MessageIcon
    int32_t buttons;     // MessageButtons
    char caption[64];
    char text[kMessageTextBytes];
};

// --- Start-up checks ----------------------------------------------------------------------

struct StartUpOutcome {
    int32_t firstStart;     // a first start or an upgrade
    int32_t upgrade;        // an older stamp was found: no message
    int32_t version;        // the stamp found (-1 none)
    int32_t count;          // the start counter written
    UserMessage firstMessage;   // dialog IDD_FIRST_MESSAGE "First Message", shown modally when show is 1
};

// Chooses the back-end, reads "_version" (ini without it: the registry's),
// probes the system, reads "_count" and writes the new count at once. A first
// start (no stamp or an older one, or a count of 0 or less) sets "_version"
// to CurrentVersionStamp in memory, counts 1 and, with the registry back-end,
// advances the maker's "tools"; unless it is an upgrade it composes the
// first-start text. Any other start counts on and keeps the stamp it found,
// so the exit save writes it back unchanged.
void start_up_check(StartUpOutcome* out);

// --- Settings reset (IDM_DELETE_SETTINGS) -------------------------------------------------------

enum ResetBranch : int32_t { ResetRegistry = 0, ResetIni = 1 };

// Step 1 of the command: which branch applies (the program's registry key
// holding "_count", whatever the back-end in use) and its question.
// Registry: "Delete Reg & Close?", OK/Cancel; ini: "Initalize Config?", Yes/No.
int32_t settings_reset_question(UserMessage* question);

// The ini branch after Yes: the settings file becomes exactly "[Base]\r\n"
// and the no-save flag is set (even when the file cannot be written: the
// program still closes). 0 written, 1 not.
int32_t reset_ini_settings();

// 4 when the program's registry key holds no "_count" (nothing to delete);
// 0 when really is false and there is something to delete. With really:
// deletes the program's key, then the maker's key when "tools" is below 2,
// or else writes "tools" less 1. 0 when the program's key is gone, 1 when it
// is still there (the maker's key and "tools" are then left alone). The
// no-save flag is set either way. outcome (may be null) receives the message
// box to show.
int32_t delete_registry_settings(bool really, UserMessage* outcome);
