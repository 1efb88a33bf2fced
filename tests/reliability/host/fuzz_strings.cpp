// libFuzzer target: expressions built from every text function, nested as the protocol nests
// them, stored into string variables, sometimes pushed against the end of the scratch buffer
// and sometimes with an allocation refused. Each step is checked against a plain model
// built with std::string, byte for byte, including where the cursor rests.
#include <fuzzer/FuzzedDataProvider.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <deque>
#include <string>
#include <vector>

#include "host_runtime.h"
#include "runtime/internal/heap.h"
#include "runtime/internal/strings.h"
#include "support/heap_census.h"
#include "support/text_model.h"

namespace {

// One expression being built: where it starts and the bytes it should hold so far.
struct Frame {
    char *Start;
    std::string Bytes;   // every piece as written, an embedded zero included
};

struct Fuzz {
    FuzzedDataProvider &In;
    std::vector<Frame> Frames;
    StringVar Vars[3] = {0, 0, 0};
    TextModelValue VarModel[3];
    std::deque<std::string> Pool;   // a deque: texts handed out never move
    bool RefuseNext = false;

    explicit Fuzz(FuzzedDataProvider &in) : In(in) {}

    char *End() { return ScratchEnd(); }
    Frame &Top() { return Frames.back(); }

    // What the buffer may hold of a frame: everything up to the last byte.
    std::string Held(const Frame &f)
    {
        size_t room = f.Start > End() ? 0 : (size_t)(End() - f.Start);
        return f.Bytes.substr(0, room);
    }

    void CheckFrame(const Frame &f)
    {
        std::string held = Held(f);
        if (f.Start <= End()) CHECK(memcmp(f.Start, held.data(), held.size()) == 0);
    }

    void CheckTop()
    {
        Frame &f = Top();
        std::string held = Held(f);
        CheckFrame(f);
        if (f.Start <= End()) {
            CHECK(Scratch.ScratchCursor == f.Start + held.size());
            CHECK(*Scratch.ScratchCursor == 0);
        }
        CHECK(Scratch.ScratchCursor <= End());
    }

    // Picks a text: null, one from the input, a variable's, or the expression's own.
    const char *PickText(TextModelValue *model)
    {
        switch (In.ConsumeIntegralInRange(0, 5)) {
        case 0: *model = TextModelValue(); return nullptr;
        case 1: {
            int v = In.ConsumeIntegralInRange(0, 2);
            *model = VarModel[v];
            return Vars[v];
        }
        case 2:
            // The expression's own text; kept short, since each use may double it and a
            // buffer filled to the end is reached more cheaply by the jump to its end.
            if (Top().Start <= End() && !Top().Bytes.empty() && Top().Bytes.size() < 2048) {
                std::string held = Held(Top());
                model->Null = false;
                model->Text = std::string(held.c_str());
                return Top().Start;
            }
            [[fallthrough]];
        default: {
            if (Pool.empty() || In.ConsumeBool()) {
                std::string s = In.ConsumeRandomLengthString(120);
                Pool.push_back(std::string(s.c_str()));
            }
            const std::string &s = Pool[In.ConsumeIntegralInRange<size_t>(0, Pool.size() - 1)];
            model->Null = false;
            model->Text = s;
            return s.c_str();
        }
        }
    }

    // A piece joins the expression: the bytes it added must be there, and the cursor behind
    // them. The whole expression is compared when it is stored or handed back.
    void Piece(const std::string &bytes)
    {
        Frame &f = Top();
        size_t before = f.Bytes.size();
        f.Bytes += bytes;
        size_t room = f.Start > End() ? 0 : (size_t)(End() - f.Start);
        size_t held = f.Bytes.size() < room ? f.Bytes.size() : room;
        size_t from = before < held ? before : held;
        if (f.Start <= End()) {
            CHECK(memcmp(f.Start + from, f.Bytes.data() + from, held - from) == 0);
            CHECK(Scratch.ScratchCursor == f.Start + held);
            CHECK(*Scratch.ScratchCursor == 0);
        }
        CHECK(Scratch.ScratchCursor <= End());
    }

    // One operation, then what every operation keeps: the cursor never past the last byte.
    void Step()
    {
        Operation();
        CHECK(Scratch.ScratchCursor <= End());
    }

    void Operation()
    {
        Frame &f = Top();
        char *at = Scratch.ScratchCursor;
        TextModelValue t, p;
        const char *text;
        int32_t n, m;
        int operation = In.ConsumeIntegralInRange(0, 24);
        if (getenv("FUZZ_TRACE")) fprintf(stderr, "op %d depth %zu\n", operation, Frames.size());
        switch (operation) {
        case 0:
            text = PickText(&t);
            StringAppend(text);
            Piece(t.Text);
            break;
        case 1: {
            uint32_t v = In.ConsumeIntegral<uint32_t>();
            CHECK(StringFromLong((int32_t)v, at) == (at > End() ? End() : at));
            Piece(TextModelFormat("%ld", v));
            break;
        }
        case 2: {
            uint32_t v = In.ConsumeIntegral<uint32_t>();
            int32_t sel = In.ConsumeIntegralInRange(-1, 3);
            StringFromUnsigned(v, sel, at);
            Piece(TextModelFormat("%lu", sel == 0 ? v & 0xFF : sel == 1 ? v & 0xFFFF : v));
            break;
        }
        case 3: {
            uint32_t v = In.ConsumeIntegral<uint32_t>();
            StringFromHex(v, at);
            Piece(TextModelFormat("%lX", v));
            break;
        }
        case 4: {
            int32_t code = In.ConsumeIntegral<int32_t>();
            StringFromCode(code, at);
            // The cursor stays behind the character even when it is a zero.
            if (at < End()) {
                Top().Bytes += std::string(1, (char)code);
                CHECK(Scratch.ScratchCursor == at + 1 && at[0] == (char)code && at[1] == 0);
            } else {
                CHECK(Scratch.ScratchCursor == End() && *End() == 0);
            }
            break;
        }
        case 5:
            text = PickText(&t);
            CHECK(StringFirstCode(text) == (t.Text.empty() ? 0 : (unsigned char)t.Text[0]));
            break;
        case 6:
            text = PickText(&t);
            CHECK(StringLength(text) == (int32_t)t.Text.size());
            break;
        case 7: {
            text = PickText(&t);
            const char *pattern = PickText(&p);
            n = In.ConsumeIntegralInRange(-3, 130);
            if (In.ConsumeBool()) n = In.ConsumeIntegral<int32_t>();
            CHECK(StringFind(text, pattern, n) == TextModelFind(t, p, n));
            break;
        }
        case 8:
            text = PickText(&t);
            n = In.ConsumeIntegralInRange(-3, 130);
            StringLeftPart(text, n, at);
            Piece(TextModelLeft(t.Text, n));
            break;
        case 9: {
            text = PickText(&t);
            n = In.ConsumeIntegralInRange(-3, 130);
            if (In.ConsumeBool()) n = In.ConsumeIntegral<int32_t>();
            StringRightPart(text, n, at);
            Piece(TextModelRight(t.Text, n));
            break;
        }
        case 10: {
            text = PickText(&t);
            n = In.ConsumeIntegralInRange(-3, 130);
            m = In.ConsumeIntegralInRange(-3, 130);
            if (In.ConsumeBool()) n = In.ConsumeIntegral<int32_t>();
            if (In.ConsumeBool()) m = In.ConsumeIntegral<int32_t>();
            StringMiddle(text, n, m, at);
            Piece(TextModelMiddle(t.Text, n, m));
            break;
        }
        case 11:
            text = PickText(&t);
            StringLowerCase(text, at);
            Piece(TextModelCase(t.Text, false));
            break;
        case 12:
            text = PickText(&t);
            StringUpperCase(text, at);
            Piece(TextModelCase(t.Text, true));
            break;
        case 13: {
            text = PickText(&t);
            StringTrimLeft(text, at);
            Piece(TextModelTrimLeft(t.Text));
            break;
        }
        case 14: {
            text = PickText(&t);
            StringTrimRight(text, at);
            Piece(TextModelTrimRight(t.Text));
            break;
        }
        case 15:
            text = PickText(&t);
            CHECK(StringToLong(text) == TextModelToLong(t));
            break;
        case 16: {
            // Store the expression: the variable gets its text up to the first zero.
            int v = In.ConsumeIntegralInRange(0, 2);
            std::string held = Held(f);
            // An expression with no piece yet has no terminator of its own: only its place.
            if (f.Bytes.empty())
                CHECK(Scratch.ScratchCursor == f.Start);
            else
                CheckTop();
            StringAssign(&Vars[v], f.Start);
            CHECK(Scratch.ScratchCursor == f.Start);
            f.Bytes.clear();
            Expect(v, false, held.c_str());
            break;
        }
        case 17: {
            int v = In.ConsumeIntegralInRange(0, 2);
            text = PickText(&t);
            char *cursor = Scratch.ScratchCursor;
            StringAssignText(&Vars[v], text);
            CHECK(Scratch.ScratchCursor == cursor);
            Expect(v, t.Null, t.Text);
            break;
        }
        case 18:
            // Hand the expression on: step over its terminator and build the callee's own.
            if (Frames.size() < 6 && Scratch.ScratchCursor < End()) {
                Scratch.ScratchCursor++;
                Frames.push_back(Frame{Scratch.ScratchCursor, ""});
                *Scratch.ScratchCursor = 0;
            }
            break;
        case 19:
            // The callee is done: its caller's argument must be intact, then it is consumed.
            if (Frames.size() > 1) {
                Frames.pop_back();
                CheckFrame(Top());
                Scratch.ScratchCursor = Top().Start;
                Top().Bytes.clear();
                *Scratch.ScratchCursor = 0;
            }
            break;
        case 20:
            // A fresh expression against the end of the buffer, or at its start again.
            if (Frames.size() == 1) {
                size_t back = In.ConsumeIntegralInRange<size_t>(0, 40);
                char *start = In.ConsumeBool() ? End() - back : Scratch.ScratchBuffer;
                Scratch.ScratchCursor = start;
                *start = 0;
                Frames[0] = Frame{start, ""};
            }
            break;
        case 21:
            RefuseNext = true;
            Heap.HeapFailAt = Heap.HeapAllocations + 1;
            break;
        case 22: {
            int v = In.ConsumeIntegralInRange(0, 2);
            StringFree(Vars[v]);
            Vars[v] = nullptr;
            VarModel[v] = TextModelValue();
            break;
        }
        case 23: {
            // Formatted, the expression's own text among the arguments at times; the
            // formatter's 1023 characters at most, then the buffer's end.
            text = PickText(&t);
            n = In.ConsumeIntegral<int32_t>();
            int32_t appended = StringAppendFormat("%s<%d>", text ? text : "", n);
            Piece((t.Text + "<" + std::to_string(n) + ">").substr(0, StringFormatLimit));
            CHECK(appended == Scratch.ScratchCursor - (at > End() ? End() : at));
            break;
        }
        default:
            // A variable given its own text.
            {
                int v = In.ConsumeIntegralInRange(0, 2);
                TextModelValue own = VarModel[v];
                StringAssignText(&Vars[v], Vars[v]);
                Expect(v, own.Null, own.Text);
            }
            break;
        }
    }

    // After an assignment: the variable holds the text, or is null when the heap refused.
    void Expect(int v, bool null, const std::string &text)
    {
        if (null) {
            CHECK(Vars[v] == nullptr);
        } else if (RefuseNext) {
            CHECK(Vars[v] == nullptr);
        } else {
            CHECK(Vars[v] != nullptr);
            CHECK(HostHeapOwns(Runtime.RuntimeHeap, Vars[v]));
            CHECK(strcmp(Vars[v], text.c_str()) == 0);
        }
        if (!null) RefuseNext = false;
        Heap.HeapFailAt = RefuseNext ? Heap.HeapFailAt : 0;
        VarModel[v].Null = null || !Vars[v];
        VarModel[v].Text = Vars[v] ? text : "";
    }
};

}   // namespace

// One heap and one scratch buffer for the whole run, as in the program; each input starts
// a fresh expression at the buffer's start and gives its variables back at the end.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!Runtime.RuntimeHeap) {
        Runtime.RuntimeHeap = HeapCreate(0, RuntimeHeapInitialSize, 0);
        if (!ScratchBufferInit()) abort();
    }
    Heap.HeapFailAt = 0;
    Scratch.ScratchCursor = Scratch.ScratchBuffer;
    *Scratch.ScratchCursor = 0;
    HeapCensus before = HeapCensusOf(Runtime.RuntimeHeap);
    {
        FuzzedDataProvider in(data, size);
        Fuzz fuzz(in);
        fuzz.Frames.push_back(Frame{Scratch.ScratchBuffer, ""});
        while (in.remaining_bytes()) fuzz.Step();
        Heap.HeapFailAt = 0;
        for (StringVar v : fuzz.Vars) StringFree(v);
    }
    HeapCensus after = HeapCensusOf(Runtime.RuntimeHeap);
    CHECK(after.Blocks == before.Blocks && after.Bytes == before.Bytes);
    return 0;
}
