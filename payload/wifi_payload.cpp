// The Wi-Fi network text phones read to join a network. It is built in
// UTF-8 from the tool's arguments: a network name is bytes to the phone,
// so no character may pass through Shift_JIS.
#include <cstring>

#include "payload/payload.h"

namespace {

const char* const kSecurityNames[2] = {"WPA", "WEP"};

struct Piece {
    const char* text;
    bool escape;
    bool wanted;
};

// Appends text to out at *used, a backslash before each special character;
// false when it does not fit (room keeps one byte for the NUL).
bool put(const char* text, bool escape, char* out, int32_t room, int32_t* used) {
    for (const char* p = text; *p != '\0'; ++p) {
        bool special = escape && std::strchr("\\;,:\"", *p) != nullptr;
        if (*used + (special ? 2 : 1) >= room) return false;
        if (special) out[(*used)++] = '\\';
        out[(*used)++] = *p;
    }
    out[*used] = '\0';
    return true;
}

}  // namespace

int32_t wifi_text(const WifiNetwork& n, char* out, int32_t room) {
    out[0] = '\0';
    bool open = n.security == WifiOpen;
    bool password = n.password != nullptr && n.password[0] != '\0';
    if (n.ssid == nullptr || n.ssid[0] == '\0') return WifiNoSsid;
    if (open && password) return WifiPasswordUnused;
    if (!open && !password) return WifiPasswordMissing;
    // The pieces in order; the escaped ones are the user's texts.
    const char* security = kSecurityNames[n.security == WifiWep ? 1 : 0];
    const Piece pieces[] = {{"WIFI:", false, true},       {"T:", false, !open},     {security, false, !open},
                            {";S:", false, !open},        {"S:", false, open},      {n.ssid, true, true},
                            {";P:", false, !open},        {n.password, true, !open}, {";", false, true},
                            {"H:true;", false, n.hidden}, {";", false, true}};
    int32_t used = 0;
    for (const Piece& piece : pieces) {
        if (piece.wanted && !put(piece.text, piece.escape, out, room, &used)) {
            out[0] = '\0';
            return WifiTooLong;
        }
    }
    return WifiDone;
}
