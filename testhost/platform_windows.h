// <windows.h> without its min/max macros and rarely used parts. Included only by the files
// of platform code, which never see the host declarations (windows.h has a GUID of its own).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
