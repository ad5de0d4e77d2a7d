// The operating-system version on Win32: GetVersionExW, then RtlGetVersion.
#include "platform/os_version.h"

#include <windows.h>

namespace {

typedef LONG(WINAPI* RtlGetVersionEntry)(OSVERSIONINFOEXW*);

// RtlGetVersion overwrites the figures GetVersionEx may cap; without the
// export those figures stand.
void take_real_version(OSVERSIONINFOEXW* info) {
    HMODULE ntdll = LoadLibraryW(L"ntdll.dll");
    if (ntdll == nullptr) return;
    RtlGetVersionEntry entry =
        reinterpret_cast<RtlGetVersionEntry>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (entry != nullptr) entry(info);
    FreeLibrary(ntdll);
}

}  // namespace

void read_os_version(OsVersion* out) {
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
    if (info.dwMajorVersion >= 6) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
        GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
        take_real_version(&info);
    }
    out->platform = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? NtPlatform : Win9xPlatform;
    out->major = static_cast<int32_t>(info.dwMajorVersion);
    out->minor = static_cast<int32_t>(info.dwMinorVersion);
    out->productType = info.dwMajorVersion >= 6 ? info.wProductType : 0;
}
