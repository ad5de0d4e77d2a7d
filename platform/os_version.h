// The version of the operating system as Windows reports it.
#pragma once

#include <cstdint>

enum OsPlatform : int32_t { Win9xPlatform = 1, NtPlatform = 2 };

struct OsVersion {
    int32_t platform;      // OsPlatform
    int32_t major;
    int32_t minor;
    int32_t productType;   // 1 workstation, 2 or more server; 0 unknown (below major 6)
};

// Win32: GetVersionExW, and for major 6 and above the product type and
// RtlGetVersion from "ntdll.dll", whose numbers are not capped by the
// program's manifest. POSIX has no Windows version to report: it answers a
// fixed NT 10.0 workstation, the system this build stands in for.
void read_os_version(OsVersion* out);
