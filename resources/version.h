// The program's version, written only here: the version box, the version
// resources of the three binaries and the package names (tools/package.sh)
// all read these two numbers. Only #defines, so the resource compiler reads it.
#pragma once

#define MIVOKA_VERSION_MAJOR 2
#define MIVOKA_VERSION_MINOR 7
