// A plain model of the text functions built on std::string, shared by the seeded expression
// test and the text fuzz target: the piece each appending operation should add, and the
// results of the search and number readers. Header only: the native build compiles it too.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>

// A text as the runtime takes it: null, or a zero-terminated string.
struct TextModelValue {
    bool Null = true;
    std::string Text;
};

inline std::string TextModelLeft(const std::string &t, int32_t count)
{
    return count <= 0 ? "" : t.substr(0, (size_t)count);
}

inline std::string TextModelRight(const std::string &t, int32_t count)
{
    if (count <= 0) return "";
    return t.substr(t.size() - std::min<size_t>((size_t)count, t.size()));
}

// Positions count from 1; a start at or below 1 starts at the first character.
inline std::string TextModelMiddle(const std::string &t, int32_t start, int32_t count)
{
    size_t begin = start <= 1 ? 0 : (size_t)start - 1;
    return (count <= 0 || begin > t.size()) ? "" : t.substr(begin, (size_t)count);
}

// Blanks are the space character only.
inline std::string TextModelTrimLeft(const std::string &t)
{
    size_t first = t.find_first_not_of(' ');
    return first == std::string::npos ? "" : t.substr(first);
}

inline std::string TextModelTrimRight(const std::string &t)
{
    size_t last = t.find_last_not_of(' ');
    return last == std::string::npos ? "" : t.substr(0, last + 1);
}

// Lower case raises 65-90 and 192-223 by 32; upper case lowers 97-122 and 224-255 by 32.
inline std::string TextModelCase(std::string t, bool upper)
{
    for (char &c : t) {
        unsigned char u = (unsigned char)c;
        if (!upper && ((u >= 65 && u <= 90) || (u >= 192 && u <= 223))) c = (char)(u + 32);
        if (upper && ((u >= 97 && u <= 122) || u >= 224)) c = (char)(u - 32);
    }
    return t;
}

inline int32_t TextModelFind(const TextModelValue &text, const TextModelValue &pattern,
                             int32_t start)
{
    if (text.Null || pattern.Null) return 0;
    size_t begin = start <= 1 ? 0 : (size_t)start - 1;
    if (begin > text.Text.size()) return 0;
    size_t at = text.Text.find(pattern.Text, begin);
    return at == std::string::npos ? 0 : (int32_t)at + 1;
}

// Every character counts as a digit (its code minus 48); the value wraps at 32 bits.
inline int32_t TextModelToLong(const TextModelValue &text)
{
    if (text.Null) return 0;
    const char *p = text.Text.c_str();
    bool negative = *p == '-';
    if (negative) p++;
    uint32_t value = 0;
    for (; *p; p++) value = value * 10 + ((uint32_t)(unsigned char)*p - 48);
    return (int32_t)(negative ? 0 - value : value);
}

// The formatters' three formats: "%ld" signed, "%lu" unsigned, "%lX" hexadecimal.
inline std::string TextModelFormat(const char *format, uint32_t value)
{
    char b[32];
    if (!strcmp(format, "%ld"))
        snprintf(b, sizeof b, "%ld", (long)(int32_t)value);
    else if (!strcmp(format, "%lu"))
        snprintf(b, sizeof b, "%lu", (unsigned long)value);
    else
        snprintf(b, sizeof b, "%lX", (unsigned long)value);
    return b;
}
