// Whole text files through the platform's file calls. A read fills a block of its own before
// the variable gives up its old text; a write goes to a new file beside the target, which takes
// the target's place only once every byte of it is on the disk.
#include "runtime/files.h"

#include <windows.h>

#include "runtime/internal/heap.h"

enum {
    FileBesideTries = 16,   // names tried beside the target before the write is refused
    FileBesideSuffix = 5,   // ".~" and two hexadecimal digits, and the zero
};

int32_t FileReadText(StringVar *variable, const char *path)
{
    if (variable == nullptr || path == nullptr) return 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);   // a failure gives INVALID_FILE_SIZE, too large
    char *block = nullptr;
    if (high == 0 && size <= (DWORD)FileTextLargest)
        block = (char *)HeapAllocate(size + 1, HeapFillNone);
    DWORD total = 0;
    if (block != nullptr)
        while (total < size) {
            DWORD read = 0;
            if (!ReadFile(file, block + total, size - total, &read, nullptr) || read == 0) break;
            total += read;
        }
    CloseHandle(file);
    // A file that shrank while it was read gives less than its size: a failed read.
    if (block == nullptr || total < size) {
        HeapRelease(block);
        return 0;
    }
    block[size] = 0;
    HeapRelease(*variable);
    *variable = block;
    return 1;
}

// A new file beside the target, named after it with a suffix no file there has yet; its name
// is left in `name`. CREATE_NEW never opens a file that is there already.
static HANDLE FileCreateBeside(const char *path, char *name)
{
    static const char digits[] = "0123456789ABCDEF";
    int32_t length = StringLength(path);
    for (int32_t i = 0; i < length; i++) name[i] = path[i];
    char *suffix = name + length;
    for (int32_t attempt = 0; attempt < FileBesideTries; attempt++) {
        suffix[0] = '.';
        suffix[1] = '~';
        suffix[2] = digits[(attempt >> 4) & 15];
        suffix[3] = digits[attempt & 15];
        suffix[4] = 0;
        HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
    }
    return INVALID_HANDLE_VALUE;
}

static bool FileWriteAll(HANDLE file, const char *text, DWORD length)
{
    DWORD total = 0;
    while (total < length) {
        DWORD written = 0;
        if (!WriteFile(file, text + total, length - total, &written, nullptr) || written == 0)
            return false;
        total += written;
    }
    return true;
}

// The target is touched only by the move, which replaces it whole or not at all; every way
// out before or through a failed move deletes the new file again.
int32_t FileWriteText(const char *path, const char *text)
{
    if (path == nullptr || *path == 0) return 0;
    // A directory or a read-only file is never replaced, whatever the move would make of it.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return 0;
    char *name =
        (char *)HeapAllocate((uint32_t)StringLength(path) + FileBesideSuffix, HeapFillNone);
    if (name == nullptr) return 0;
    HANDLE file = FileCreateBeside(path, name);
    bool done = false;
    if (file != INVALID_HANDLE_VALUE) {
        done = FileWriteAll(file, text, (DWORD)StringLength(text)) && FlushFileBuffers(file);
        done = CloseHandle(file) && done;
        done = done && MoveFileExA(name, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!done) DeleteFileA(name);
    }
    HeapRelease(name);
    return done ? 1 : 0;
}
