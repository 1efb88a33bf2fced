// Whole text files: read into a string variable, written so that an existing file is replaced
// only by a complete new one. Texts are taken as bytes, line ends and all.
#pragma once

#include <stdint.h>

#include "runtime/strings.h"

// The longest file FileReadText takes: 16 MiB, far beyond any text a program shows.
enum { FileTextLargest = 16 * 1024 * 1024 };

// The whole file into the variable, whose old text is given back. 1, or 0 with the variable
// unchanged: no such file, a directory, a file larger than FileTextLargest, a failed read.
int32_t FileReadText(StringVar *variable, const char *path);

// Writes the text (null: the empty text) beside the file and then puts it in the file's place.
// 1, or 0 with the old file, or its absence, left as it was.
int32_t FileWriteText(const char *path, const char *text);
