// The systems the program knows, by platform, version and product type.
#include "persistence/start_up.h"

#include <cstring>

namespace {

const int32_t kAny = -1;
const int32_t kWorkstation = 0;
const int32_t kServer = 1;

struct OsRow {
    int32_t platform;
    int32_t majorLow, majorHigh;
    int32_t minor;      // kAny: any minor
    int32_t type;       // kAny, kWorkstation (product type 1 or less) or kServer
    int32_t code;
    const char* name;
};

// First matching row wins.
const OsRow kOsRows[] = {
    {Win9xPlatform, 0, 0x7FFFFFFF, 0, kAny, 19950, "Windows95"},
    {Win9xPlatform, 0, 0x7FFFFFFF, 10, kAny, 19980, "Windows98"},
    {Win9xPlatform, 0, 0x7FFFFFFF, 90, kAny, 19990, "WindowsMe"},
    {Win9xPlatform, 0, 0x7FFFFFFF, kAny, kAny, 19970, "Windows9x"},
    {NtPlatform, 3, 3, kAny, kAny, 19965, "WindowsNT3"},
    {NtPlatform, 4, 4, kAny, kAny, 19975, "WindowsNT4"},
    {NtPlatform, 5, 5, 0, kAny, 20005, "Windows2000"},
    {NtPlatform, 5, 5, 1, kAny, 20025, "WindowsXP"},
    {NtPlatform, 5, 5, 2, kAny, 20045, "WindowsXP x64"},
    {NtPlatform, 5, 5, kAny, kAny, 19700, "Unknown Windows"},
    {NtPlatform, 6, 6, 0, kWorkstation, 20075, "Windows Vista"},
    {NtPlatform, 6, 6, 0, kServer, 20085, "Windows Svr 2008"},
    {NtPlatform, 6, 6, 1, kWorkstation, 20095, "Windows 7"},
    {NtPlatform, 6, 6, 1, kServer, 20085, "WinSvr 2008 R2"},
    {NtPlatform, 6, 6, 2, kWorkstation, 20125, "Windows 8"},
    {NtPlatform, 6, 6, 2, kServer, 20115, "Windows Svr 2012"},
    {NtPlatform, 6, 6, 3, kWorkstation, 20135, "Windows 8.1"},
    {NtPlatform, 6, 6, 3, kServer, 20115, "WinSvr 2012 R2"},
    {NtPlatform, 10, 10, 0, kWorkstation, 20155, "Windows 10"},
    {NtPlatform, 10, 10, 0, kServer, 20165, "WinSvr 2016"},
    {NtPlatform, 6, 0x7FFFFFFF, kAny, kAny, 20995, "New Windows"},
};

const int32_t kNgCodes[] = {19700, 19950, 19965, 19970, 19975, 19980, 19990, 20995};

OsInfo g_osInfo = {19700, "Unknown Windows"};

bool matches(const OsRow& row, const OsVersion& v) {
    int32_t type = v.productType > 1 ? kServer : kWorkstation;
    return row.platform == v.platform && v.major >= row.majorLow && v.major <= row.majorHigh &&
           (row.minor == kAny || row.minor == v.minor) && (row.type == kAny || row.type == type);
}

}  // namespace

OsInfo os_info_for(const OsVersion& version) {
    // NT majors 0 to 2, and anything else unlisted, are unknown.
    OsInfo info = {19700, "Unknown Windows"};
    for (const OsRow& row : kOsRows) {
        if (!matches(row, version)) continue;
        info.code = row.code;
        std::strncpy(info.name, row.name, sizeof info.name - 1);
        break;
    }
    return info;
}

OsInfo probe_os_version() {
    OsVersion version;
    read_os_version(&version);
    g_osInfo = os_info_for(version);
    return g_osInfo;
}

const OsInfo& current_os_info() { return g_osInfo; }

bool os_verdict_ok(int32_t code) {
    for (int32_t ng : kNgCodes) {
        if (code == ng) return false;
    }
    return true;
}
