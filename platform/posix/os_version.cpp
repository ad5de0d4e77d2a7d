// The operating-system version on POSIX: a fixed answer (see the header).
#include "platform/os_version.h"

void read_os_version(OsVersion* out) {
    out->platform = NtPlatform;
    out->major = 10;
    out->minor = 0;
    out->productType = 1;
}
