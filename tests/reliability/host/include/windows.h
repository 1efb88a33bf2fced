// The few platform names the runtime core uses, for the native build with sanitizers. The
// heap and the formatter behind them are this project's own stand-ins (host_runtime.cpp).
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#if !defined(__i386__)
#error "the core keeps pointers in 32-bit layouts: build the native core with -m32"
#endif

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef size_t SIZE_T;
typedef void *HANDLE;
typedef struct HINSTANCE__ *HINSTANCE;
typedef HINSTANCE HMODULE;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef void *LPVOID;
typedef const void *LPCVOID;

enum { SW_SHOWNORMAL = 1 };
enum : DWORD { HEAP_ZERO_MEMORY = 0x8 };

// A heap of the stand-in: blocks from the sanitizers' allocator, each remembered with the
// heap it came from, so that destroying the heap gives them all back.
HANDLE HeapCreate(DWORD options, SIZE_T initialSize, SIZE_T maximumSize);
BOOL HeapDestroy(HANDLE heap);
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T size);
LPVOID HeapReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block);
SIZE_T HeapSize(HANDLE heap, DWORD flags, LPCVOID block);
BOOL HeapValidate(HANDLE heap, DWORD flags, LPCVOID block);
void RtlZeroMemory(void *destination, SIZE_T length);

// A heap walk sees the live blocks only, in address order.
enum : uint16_t { PROCESS_HEAP_ENTRY_BUSY = 0x4 };
typedef struct _PROCESS_HEAP_ENTRY {
    LPVOID lpData;
    DWORD cbData;
    uint8_t cbOverhead;
    uint8_t iRegionIndex;
    uint16_t wFlags;
} PROCESS_HEAP_ENTRY;
BOOL HeapWalk(HANDLE heap, PROCESS_HEAP_ENTRY *entry);

// The platform formatter: at most 1024 bytes, the zero included.
int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments);
