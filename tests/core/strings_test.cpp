// Scratch buffer, string variables, number formatters and text functions, run in-process on
// the runtime library alone.
#include "support/core_fixture.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "runtime/internal/check.h"
#include "support/scratch.h"
#include "support/text_model.h"

namespace {

using StringsTest = CoreTest;
using std::placeholders::_1;

char *Cursor()
{
    return Scratch.ScratchCursor;
}

// 300 characters and three blanks: longer than any room the end tests leave.
const char *LongText()
{
    static const std::string text = std::string(300, 'x') + "   ";
    return text.c_str();
}

// ---- expression protocol ---------------------------------------------------------------

TEST_F(StringsTest, BufferStartsZeroFilledWithTheCursorOnItsFirstByte)
{
    ASSERT_EQ(Scratch.ScratchCursor, Scratch.ScratchBuffer);
    EXPECT_EQ(ScratchEnd(), Scratch.ScratchBuffer + 63999);
    for (int i = 0; i < ScratchBufferSize; i++) ASSERT_EQ(Scratch.ScratchBuffer[i], 0) << i;
}

TEST_F(StringsTest, AppendJoinsPiecesAndRestsOnTheTerminator)
{
    char *start = Cursor();
    StringAppend("Zahl: ");
    StringFromLong(220, Cursor());
    StringAppend(", ");
    StringFromLong(284, Cursor());
    EXPECT_EQ(PieceAt(start), "Zahl: 220, 284");
    EXPECT_EQ(Cursor(), start + 14);
    EXPECT_EQ(*Cursor(), 0);
}

TEST_F(StringsTest, AppendOfNullAddsNothingAndKeepsTheTerminator)
{
    char *start = Cursor();
    StringAppend("ab");
    start[2] = 'X';   // a stale byte where the terminator belongs
    StringAppend(nullptr);
    EXPECT_EQ(PieceAt(start), "ab");
    EXPECT_EQ(Cursor(), start + 2);
}

// An operation handed an expression's text appends its own piece behind it, and the
// caller gives the cursor back: the buffer is used like a stack.
TEST_F(StringsTest, ArgumentIsProtectedWhileTheCalledOperationAppends)
{
    char *start = Cursor();
    StringAppend("abc ");
    StringAppend("def");
    Scratch.ScratchCursor++;   // step over the argument's terminator
    char *piece = StringUpperCase(start, Cursor());
    EXPECT_EQ(piece, start + 8);
    EXPECT_EQ(PieceAt(start), "abc def");
    EXPECT_EQ(PieceAt(piece), "ABC DEF");
    EXPECT_EQ(Cursor(), piece + 7);

    // The called operation builds and consumes an expression of its own behind both.
    char *inner = Cursor();
    StringAppend("x");
    StringFromLong(-7, Cursor());
    StringVar held = nullptr;
    StringAssign(&held, inner);
    EXPECT_EQ(Cursor(), inner);
    EXPECT_STREQ(held, "x-7");

    Scratch.ScratchCursor = start;   // the caller hands the cursor back
    EXPECT_EQ(Cursor(), Scratch.ScratchBuffer);
    EXPECT_EQ(PieceAt(start), "abc def");

    // The same steps through the helpers.
    char *line = StringBegin();
    StringAppend("n=");
    StringAppendLong(-42);
    char *argument = StringFinish(line);
    EXPECT_EQ(argument, line);
    EXPECT_EQ(StringUpperCase(argument, Cursor()), line + 6);
    EXPECT_EQ(PieceAt(line), "n=-42");
    StringEnd(line);
    EXPECT_EQ(Cursor(), line);
}

// A source whose terminator lies where the piece is written (the expression itself,
// handed over without stepping past its zero) is read up to that point only.
TEST_F(StringsTest, SourceEndingAtTheDestinationIsCopiedOnce)
{
    char *start = Cursor();
    StringAppend("ab");
    StringAppend(start);
    EXPECT_EQ(PieceAt(start), "abab");
    StringTrimLeft(start, Cursor());
    EXPECT_EQ(PieceAt(start), "abababab");
    StringLowerCase(start, Cursor());
    EXPECT_EQ(StringLength(start), 16);
    EXPECT_EQ(Cursor(), start + 16);
}

TEST_F(StringsTest, BuildingAnExpressionAllocatesNothing)
{
    StringVar a = nullptr;
    StringAssignText(&a, "  Befreundete Zahlen  ");
    uint32_t before = Heap.HeapAllocations;
    char *start = Cursor();
    for (int i = 0; i < 2000; i++) {
        StringAppend(a);
        StringFromLong(i, Cursor());
        StringFromHex((uint32_t)i, Cursor());
        StringFromUnsigned((uint32_t)-i, i % 3, Cursor());
        StringTrimRight(a, Cursor());
        StringUpperCase(a, Cursor());
        StringMiddle(a, 3, 5, Cursor());
    }
    EXPECT_GT(Cursor() - start, 60000);
    EXPECT_EQ(Heap.HeapAllocations, before);
    StringVar b = nullptr;
    StringAssign(&b, start);
    EXPECT_EQ(Heap.HeapAllocations, before + 1);
}

// ---- string variables ------------------------------------------------------------------

TEST_F(StringsTest, AssignStoresTheExpressionAndMovesTheCursorBack)
{
    StringVar v = nullptr;
    char *start = Cursor();
    StringAppend("220");
    StringAppend(", 284");
    StringAssign(&v, start);
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v, "220, 284");
    EXPECT_EQ(Cursor(), start);
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, v), 9u);

    // Assigning again gives the old text back and stores the new one.
    StringAppend("x");
    StringAssign(&v, start);
    EXPECT_STREQ(v, "x");
}

TEST_F(StringsTest, AssignOfAnEmptyExpressionStoresTheEmptyText)
{
    Scratch.ScratchBuffer[0] = 'Q';   // a stale byte at the start: no piece was appended
    StringVar v = nullptr;
    StringAssign(&v, Cursor());
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v, "");
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, v), 1u);
}

TEST_F(StringsTest, AssignKeepsTheWholeExpressionAcrossAZeroCode)
{
    StringVar v = nullptr;
    char *start = Cursor();
    StringAppend("a");
    StringFromCode(0, Cursor());
    EXPECT_EQ(Cursor(), start + 2);
    StringAppend("b");
    EXPECT_EQ(PieceAt(start), "a");   // every reader sees the text end at the zero
    StringAssign(&v, start);
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, v), 4u);
    EXPECT_EQ(std::string(v, 3), std::string("a\0b", 3));
}

TEST_F(StringsTest, AssignTextCopiesNullAndEmptyAndTheVariablesOwnText)
{
    StringVar v = nullptr;
    StringAssignText(&v, nullptr);
    EXPECT_EQ(v, nullptr);
    StringAssignText(&v, "");
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v, "");

    char text[] = "Pause";
    StringAssignText(&v, text);
    text[0] = 'X';
    EXPECT_STREQ(v, "Pause");
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, v), 7u);   // one byte spare, as designed

    StringAssignText(&v, v);   // its own text
    EXPECT_STREQ(v, "Pause");
    EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));
    StringAssignText(&v, v + 2);   // a tail of its own text
    EXPECT_STREQ(v, "use");

    char *before = Cursor();
    StringAssignText(&v, nullptr);
    EXPECT_EQ(v, nullptr);
    EXPECT_EQ(Cursor(), before);
    StringFree(nullptr);
}

// Every allocation of an assignment made to fail in turn: the variable ends null (the
// empty text), nothing is written through null, and the cursor still goes back.
TEST_F(StringsTest, RefusedAllocationLeavesTheVariableEmpty)
{
    StringVar v = nullptr;
    StringAssignText(&v, "old");
    char *start = Cursor();
    StringAppend("new");
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    StringAssign(&v, start);
    EXPECT_EQ(v, nullptr);
    EXPECT_EQ(Cursor(), start);

    StringAssignText(&v, "old");
    Heap.HeapFailAt = Heap.HeapAllocations + 1;
    StringAssignText(&v, "newer");
    EXPECT_EQ(v, nullptr);
    EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));

    Heap.HeapFailAt = 0;
    StringAssignText(&v, "again");
    EXPECT_STREQ(v, "again");
    // Only an armed hook refuses: the count wrapping to 0 is no failure.
    Heap.HeapAllocations = 0xFFFFFFFFu;
    StringAssignText(&v, "wrapped");
    EXPECT_STREQ(v, "wrapped");
}

// ---- number formatters -----------------------------------------------------------------

TEST_F(StringsTest, FormattersWriteDecimalUnsignedAndHex)
{
    struct Row {
        std::function<char *(char *)> format;
        const char *expected;
    } rows[] = {
        {[](char *d) { return StringFromLong(0, d); }, "0"},
        {[](char *d) { return StringFromLong(-2147483647 - 1, d); }, "-2147483648"},
        {[](char *d) { return StringFromLong(2147483647, d); }, "2147483647"},
        {[](char *d) { return StringFromHex(0xFFFFFFFFu, d); }, "FFFFFFFF"},
        {[](char *d) { return StringFromHex(255, d); }, "FF"},
        {[](char *d) { return StringFromHex(0, d); }, "0"},
        {[](char *d) { return StringFromUnsigned(0xFFFFFFFFu, 0, d); }, "255"},
        {[](char *d) { return StringFromUnsigned(0xFFFFFFFFu, 1, d); }, "65535"},
        {[](char *d) { return StringFromUnsigned(0xFFFFFFFFu, 2, d); }, "4294967295"},
        {[](char *d) { return StringFromUnsigned(0xFFFFFFFFu, -1, d); }, "4294967295"},
        {[](char *d) { return StringFromUnsigned(70000, -7, d); }, "70000"},
        {[](char *d) { return StringFromUnsigned(0x12345, 0, d); }, "69"},
        {[](char *d) { return StringFromUnsigned(0x12345, 1, d); }, "9029"},
    };
    for (const Row &row : rows) {
        char *start = Cursor();
        StringAppend("<");
        char *piece = row.format(Cursor());
        EXPECT_EQ(piece, start + 1);
        EXPECT_EQ(PieceAt(piece), row.expected);
        EXPECT_EQ(Cursor(), piece + strlen(row.expected));
        StringAppend(">");
        EXPECT_EQ(PieceAt(start), std::string("<") + row.expected + ">");
        Scratch.ScratchCursor = start;
    }
    // Across the range, each against the platform's formats, as the model writes them.
    for (int32_t v : {0, 1, -1, 9, 10, -10, 255, 65535, 2147483647, -2147483647 - 1}) {
        uint32_t u = (uint32_t)v;
        EXPECT_EQ(PieceAt(StringFromLong(v, Cursor())), TextModelFormat("%ld", u)) << v;
        EXPECT_EQ(PieceAt(StringFromHex(u, Cursor())), TextModelFormat("%lX", u)) << v;
        EXPECT_EQ(PieceAt(StringFromUnsigned(u, 0, Cursor())), TextModelFormat("%lu", u & 0xFF));
        EXPECT_EQ(PieceAt(StringFromUnsigned(u, 1, Cursor())), TextModelFormat("%lu", u & 0xFFFF));
        EXPECT_EQ(PieceAt(StringFromUnsigned(u, 7, Cursor())), TextModelFormat("%lu", u)) << v;
    }
}

// The platform formatter's conversions, appended at the cursor; the result counts what was
// appended, up to the formatter's limit of 1023 characters.
TEST_F(StringsTest, AppendFormatWritesThePlatformsConversions)
{
    const std::string longText(2000, 'w');
    char *start = Cursor();
    StringAppend("arg");
    char *argument = StringFinish(start);   // an argument in the buffer itself, stepped over
    struct Row {
        std::function<int32_t()> format;
        std::string expected;
    } rows[] = {
        {[] { return StringAppendFormat("%d|%u|%ld", -5, 7u, -2147483647 - 1); },
         "-5|7|-2147483648"},
        {[] { return StringAppendFormat("%x %X %lX %lu", 255, 255, 0xABCDEF12u, 0xFFFFFFFFu); },
         "ff FF ABCDEF12 4294967295"},
        {[] { return StringAppendFormat("[%5d][%-5d][%05d][%c]", 42, 42, 42, 'Z'); },
         "[   42][42   ][00042][Z]"},
        {[] { return StringAppendFormat("%s=%s, 100%%", "Zahl", "\xC4\xE4"); },
         "Zahl=\xC4\xE4, 100%"},
        {[&] { return StringAppendFormat("<%s>", argument); }, "<arg>"},
        {[] { return StringAppendFormat("ohne"); }, "ohne"},
        {[] { return StringAppendFormat(""); }, ""},
        {[] { return StringAppendFormat(nullptr); }, ""},
        {[&] { return StringAppendFormat("%s", longText.c_str()); }, std::string(1023, 'w')},
        {[&] { return StringAppendFormat("ab%s", longText.c_str()); },
         "ab" + std::string(1021, 'w')},
    };
    for (const Row &row : rows) {
        char *piece = Cursor();
        *piece = 'Z';   // a stale byte: the empty piece must end itself
        int32_t appended = row.format();
        EXPECT_EQ(PieceAt(piece), row.expected) << row.expected.substr(0, 20);
        EXPECT_EQ(appended, (int32_t)row.expected.size());
        EXPECT_EQ(Cursor(), piece + row.expected.size());
        EXPECT_EQ(PieceAt(start), "arg");
        Scratch.ScratchCursor = piece;
    }
}

TEST_F(StringsTest, FromCodeTakesTheLowEightBits)
{
    char *start = Cursor();
    StringFromCode(0x141, Cursor());
    StringFromCode(0xE4, Cursor());
    EXPECT_EQ(PieceAt(start), "A\xE4");
    EXPECT_EQ(Cursor(), start + 2);
}

// ---- text functions --------------------------------------------------------------------

TEST_F(StringsTest, FirstCodeAndLengthTreatNullAsEmpty)
{
    EXPECT_EQ(StringFirstCode(nullptr), 0);
    EXPECT_EQ(StringFirstCode(""), 0);
    EXPECT_EQ(StringFirstCode("\xFF"
                              "a"),
              255);
    EXPECT_EQ(StringLength(nullptr), 0);
    EXPECT_EQ(StringLength(""), 0);
    EXPECT_EQ(StringLength("a b\t"), 4);
}

TEST_F(StringsTest, FindCountsFromOneAndStopsAtTheEnd)
{
    const char *t = "abcabc";
    EXPECT_EQ(StringFind(t, "c", 4), 6);
    EXPECT_EQ(StringFind(t, "c", 0), 3);
    EXPECT_EQ(StringFind(t, "c", -5), 3);
    EXPECT_EQ(StringFind(t, "c", 1), 3);
    EXPECT_EQ(StringFind(t, "c", 3), 3);
    EXPECT_EQ(StringFind(t, "d", 1), 0);
    EXPECT_EQ(StringFind(t, "bca", 1), 2);
    EXPECT_EQ(StringFind(t, "bcd", 1), 0);
    EXPECT_EQ(StringFind(t, "abcabcd", 1), 0);
    EXPECT_EQ(StringFind(t, "", 1), 1);
    EXPECT_EQ(StringFind(t, "", 7), 7);
    EXPECT_EQ(StringFind(t, "", 8), 0);
    EXPECT_EQ(StringFind(t, "c", 7), 0);
    EXPECT_EQ(StringFind(t, "c", 100), 0);
    EXPECT_EQ(StringFind(nullptr, "", 1), 0);
    EXPECT_EQ(StringFind(t, nullptr, 1), 0);
    EXPECT_EQ(StringFind("", "", 1), 1);
    EXPECT_EQ(StringFind(t, "c", INT32_MIN), 3);
    EXPECT_EQ(StringFind(t, "c", 0x7FFFFFFF), 0);
}

// Runs one appending operation at the cursor and returns its piece as a text.
std::string Piece(const std::function<char *(char *)> &operation)
{
    char *start = Cursor();
    return ScratchRead([&] { EXPECT_EQ(operation(start), start); });
}

TEST_F(StringsTest, LeftRightAndMiddleCutPieces)
{
    auto left = [](const char *t, int n) { return Piece(std::bind(StringLeftPart, t, n, _1)); };
    auto right = [](const char *t, int n) { return Piece(std::bind(StringRightPart, t, n, _1)); };
    auto middle = [](const char *t, int s, int n) {
        return Piece(std::bind(StringMiddle, t, s, n, _1));
    };
    memset(Scratch.ScratchBuffer, 'Z', 32);   // stale bytes: every piece must end itself
    EXPECT_EQ(left("ab", 5), "ab");
    EXPECT_EQ(left("abc", 2), "ab");
    EXPECT_EQ(left("abc", 0), "");
    EXPECT_EQ(left("abc", -3), "");
    EXPECT_EQ(left(nullptr, 3), "");
    EXPECT_EQ(right("abc", 2), "bc");
    EXPECT_EQ(right("abc", 9), "abc");
    EXPECT_EQ(right("abc", 0), "");
    EXPECT_EQ(right("abc", -1), "");
    EXPECT_EQ(right(nullptr, 2), "");
    EXPECT_EQ(middle("abcdef", 2, 3), "bcd");
    EXPECT_EQ(middle("abcdef", 7, 3), "");
    EXPECT_EQ(middle("abcdef", 8, 3), "");
    EXPECT_EQ(middle("abcdef", 5, 10), "ef");
    EXPECT_EQ(middle("abcdef", 0, 2), "ab");
    EXPECT_EQ(middle("abcdef", -4, 2), "ab");
    EXPECT_EQ(middle("abcdef", 1, 0), "");
    EXPECT_EQ(middle("abcdef", 2, -1), "");
    EXPECT_EQ(middle(nullptr, 1, 2), "");
    // The extremes of 32 bits.
    EXPECT_EQ(left("abc", 0x7FFFFFFF), "abc");
    EXPECT_EQ(right("abc", INT32_MIN), "");
    EXPECT_EQ(middle("abcdef", INT32_MIN, 2), "ab");
    EXPECT_EQ(middle("abcdef", 0x7FFFFFFF, 3), "");
}

TEST_F(StringsTest, TrimRemovesBlanksOnly)
{
    auto trimLeft = [](const char *t) { return Piece(std::bind(StringTrimLeft, t, _1)); };
    auto trimRight = [](const char *t) { return Piece(std::bind(StringTrimRight, t, _1)); };
    EXPECT_EQ(trimLeft("  a b  "), "a b  ");
    EXPECT_EQ(trimLeft("\t a"), "\t a");
    EXPECT_EQ(trimLeft("   "), "");
    EXPECT_EQ(trimLeft(""), "");
    EXPECT_EQ(trimLeft(nullptr), "");
    EXPECT_EQ(trimRight("  a b  "), "  a b");
    EXPECT_EQ(trimRight("a \t"), "a \t");
    EXPECT_EQ(trimRight("   "), "");
    EXPECT_EQ(trimRight(""), "");
    EXPECT_EQ(trimRight(nullptr), "");
}

// Both upper ranges move whole, 215/247 and 223/255 included; every other code stays.
TEST_F(StringsTest, CaseMappingsCoverAllCodes)
{
    std::string all;
    for (int c = 1; c < 256; c++) all += (char)c;
    std::string lower = Piece([&](char *d) { return StringLowerCase(all.c_str(), d); });
    std::string upper = Piece([&](char *d) { return StringUpperCase(all.c_str(), d); });
    EXPECT_EQ(lower, TextModelCase(all, false));
    EXPECT_EQ(upper, TextModelCase(all, true));
    EXPECT_EQ(Piece([](char *d) { return StringLowerCase(nullptr, d); }), "");
}

TEST_F(StringsTest, ToLongReadsSignedDecimalAndWraps)
{
    EXPECT_EQ(StringToLong("123"), 123);
    EXPECT_EQ(StringToLong("-45"), -45);
    EXPECT_EQ(StringToLong(""), 0);
    EXPECT_EQ(StringToLong("-"), 0);
    EXPECT_EQ(StringToLong(nullptr), 0);
    EXPECT_EQ(StringToLong("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StringToLong("2147483648"), -2147483647 - 1);
    EXPECT_EQ(StringToLong("4294967296"), 0);
    EXPECT_EQ(StringToLong("4294967297"), 1);
    EXPECT_EQ(StringToLong("007"), 7);
    // Every character counts as a digit: its code minus 48.
    EXPECT_EQ(StringToLong("1:"), 20);     // ':' is 58, "digit" 10
    EXPECT_EQ(StringToLong(" 1"), -159);   // ' ' is 32, "digit" -16
    EXPECT_EQ(StringToLong("+1"), -49);    // '+' is 43, "digit" -5
    EXPECT_EQ(Scratch.NegativeSign, 0);
    StringToLong("-1");
    EXPECT_EQ(Scratch.NegativeSign, 1);
}

// ---- the end of the buffer -------------------------------------------------------------

// The buffer of the test's own, with guard bytes behind it that no writer may touch.
class ScratchEndTest : public CoreTest {
  protected:
    std::unique_ptr<GuardedScratch> guarded;
    char *heapBuffer = nullptr;

    void SetUp() override
    {
        CoreTest::SetUp();
        heapBuffer = Scratch.ScratchBuffer;
        guarded.reset(new GuardedScratch);
    }

    void TearDown() override
    {
        guarded.reset();
        CoreTest::TearDown();
    }

    // The piece an operation writes with room to spare, at the heap's own buffer.
    std::string FullPiece(const std::function<char *(char *)> &operation)
    {
        char *own = Scratch.ScratchBuffer;
        Scratch.ScratchBuffer = heapBuffer;
        Scratch.ScratchCursor = heapBuffer;
        std::string text = PieceAt(operation(heapBuffer));
        Scratch.ScratchBuffer = own;
        return text;
    }
};

TEST_F(ScratchEndTest, AppendIsCutSoThatItsTerminatorIsTheLastByte)
{
    char *end = ScratchEnd();
    Scratch.ScratchCursor = end - 3;
    char *start = Cursor();
    StringAppend("abcdefgh");
    EXPECT_EQ(PieceAt(start), "abc");
    EXPECT_EQ(Cursor(), end);
    EXPECT_EQ(*end, 0);
    StringAppend("more");
    EXPECT_EQ(Cursor(), end);
    EXPECT_EQ(PieceAt(start), "abc");
    // Handed on from the last byte, the argument is stepped over once and never out of the
    // buffer, where every writer would refuse.
    EXPECT_EQ(StringFinish(start), start);
    EXPECT_EQ(StringFinish(start), start);
    EXPECT_EQ(Cursor(), end + 1);

    // A whole expression running over the end keeps everything that fits.
    Scratch.ScratchCursor = Scratch.ScratchBuffer;
    for (int i = 0; i < 10000; i++) StringAppend("0123456789");
    EXPECT_EQ(Cursor(), end);
    EXPECT_EQ(StringLength(Scratch.ScratchBuffer), ScratchBufferSize - 1);
    StringVar v = nullptr;
    StringAssign(&v, Scratch.ScratchBuffer);
    EXPECT_EQ(StringLength(v), ScratchBufferSize - 1);
    EXPECT_EQ(HeapSize(Runtime.RuntimeHeap, 0, v), (SIZE_T)ScratchBufferSize);
    EXPECT_EQ(Cursor(), Scratch.ScratchBuffer);
}

// Every appending operation, at every distance from the end: the piece is the full
// piece's beginning, as much as fits, with the cursor on its terminator.
TEST_F(ScratchEndTest, EveryOperationIsCutNearTheEnd)
{
    std::vector<std::function<char *(char *)>> operations = {
        [](char *d) {
            StringAppend("appended text");
            return std::min(d, ScratchEnd());
        },
        [](char *d) { return StringFromLong(-2147483647 - 1, d); },
        [](char *d) { return StringFromLong(123456, d); },
        [](char *d) {
            StringAppendLong(-123456);
            return std::min(d, ScratchEnd());
        },
        [](char *d) { return StringFromUnsigned(0xFFFFFFFFu, 2, d); },
        [](char *d) { return StringFromHex(0xABCDEF12u, d); },
        [](char *d) { return StringFromCode('Q', d); },
        [](char *d) {
            StringAppendFormat("%s %d", "formatted", -4711);
            return std::min(d, ScratchEnd());
        },
        [](char *d) { return StringLeftPart("left part text", 10, d); },
        [](char *d) { return StringRightPart("right part text", 12, d); },
        [](char *d) { return StringMiddle("middle piece text", 3, 9, d); },
        [](char *d) { return StringLowerCase("LOWER CASE \xC0\xDF", d); },
        [](char *d) { return StringUpperCase("upper case \xE0\xFF", d); },
        [](char *d) { return StringTrimLeft("    trimmed left", d); },
        [](char *d) { return StringTrimRight("trimmed right    ", d); },
        // Sources far longer than any room near the end.
        [](char *d) {
            StringAppend(std::string(100, 'a').c_str());
            return std::min(d, ScratchEnd());
        },
        [](char *d) { return StringFromHex(0xFFFFFFFFu, d); },
        [](char *d) { return StringLeftPart(LongText(), 200, d); },
        [](char *d) { return StringRightPart(LongText(), 200, d); },
        [](char *d) { return StringMiddle(LongText(), 2, 250, d); },
        [](char *d) { return StringLowerCase(LongText(), d); },
        [](char *d) { return StringUpperCase(LongText(), d); },
        [](char *d) { return StringTrimLeft(LongText(), d); },
        [](char *d) { return StringTrimRight(LongText(), d); },
    };
    char *end = ScratchEnd();
    for (size_t k = 0; k < operations.size(); k++) {
        std::string full = FullPiece(operations[k]);
        for (int room = 1; room <= 20; room++) {   // bytes from the destination to the end
            memset(end - 39, 'Z', 40);
            char *destination = end - (room - 1);
            Scratch.ScratchCursor = destination;
            char *piece = operations[k](destination);
            std::string expected = full.substr(0, std::min<size_t>(full.size(), room - 1));
            EXPECT_EQ(piece, destination) << k << " " << room;
            EXPECT_EQ(PieceAt(piece), expected) << k << " " << room;
            EXPECT_EQ(Cursor(), destination + expected.size()) << k << " " << room;
            EXPECT_LE(Cursor(), end);
        }
        // A destination one past the end (an argument ending on the last byte was stepped
        // over) gets the empty piece on the last byte, and the argument stays whole.
        memcpy(end - 5, "01234", 6);
        Scratch.ScratchCursor = end + 1;
        char *piece = operations[k](end + 1);
        EXPECT_EQ(piece, end) << k;
        EXPECT_EQ(*end, 0) << k;
        EXPECT_EQ(Cursor(), end) << k;
        EXPECT_EQ(PieceAt(end - 5), "01234") << k;
    }
}

// The heap's own buffer: the block behind it stays whole after a run over the end.
TEST_F(StringsTest, HeapNeighbourOfTheBufferIsUntouched)
{
    char *neighbour = (char *)HeapAllocate(64, HeapFillNone);
    ASSERT_NE(neighbour, nullptr);
    memset(neighbour, 0x5A, 64);
    for (int i = 0; i < 7000; i++) StringFromLong(-1000000000 - i, Cursor());
    EXPECT_EQ(Cursor(), ScratchEnd());
    for (int i = 0; i < 64; i++) ASSERT_EQ(neighbour[i], 0x5A) << i;
    EXPECT_TRUE(HeapValidate(Runtime.RuntimeHeap, 0, nullptr));
}

// A seeded random mix of pieces checked against a model string of the expression.
TEST_F(StringsTest, RandomExpressionsMatchAModel)
{
    std::mt19937 random(20240611);
    const char *texts[] = {"", " a ", "Zahl: ", "\xC4\xE4 x", "  lead", "trail  ", "abcabc"};
    for (int round = 0; round < 200; round++) {
        char *start = Cursor();
        std::string model;
        int pieces = random() % 12;
        for (int p = 0; p < pieces; p++) {
            const char *t = texts[random() % 7];
            int32_t n = (int32_t)(random() % 21) - 5;
            std::string s(t);
            switch (random() % 6) {
            case 0:
                StringAppend(t);
                model += s;
                break;
            case 1:
                StringFromLong(n * 1000003, Cursor());
                model += TextModelFormat("%ld", (uint32_t)(n * 1000003));
                break;
            case 2:
                StringLeftPart(t, n, Cursor());
                model += TextModelLeft(s, n);
                break;
            case 3:
                StringRightPart(t, n, Cursor());
                model += TextModelRight(s, n);
                break;
            case 4: {
                int32_t from = (int32_t)(random() % 10) - 2;
                StringMiddle(t, from, n, Cursor());
                model += TextModelMiddle(s, from, n);
                break;
            }
            case 5:
                StringTrimLeft(t, Cursor());
                model += TextModelTrimLeft(s);
                break;
            }
        }
        if (pieces) ASSERT_EQ(PieceAt(start), model) << round;   // no piece: no terminator either
        ASSERT_EQ(Cursor(), start + model.size()) << round;
        StringVar v = nullptr;
        StringAssign(&v, start);
        ASSERT_STREQ(v, model.c_str());
        ASSERT_EQ(Cursor(), start);
        StringFree(v);
    }
}

}   // namespace
