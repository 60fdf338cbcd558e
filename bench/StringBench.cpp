// Figures for the string class: copies must not grow with the text (the buffer is shared), appending a line must
// not grow with the text either, and reading a text line by line should stay within a small factor of one memchr
// pass over it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/ZVString.h"

namespace {

CZVString MakeText(size_t bytes)
{
    std::string text;
    text.reserve(bytes + 64);
    for (int line = 0; text.size() < bytes; line++)
        text += "$file" + std::to_string(line) + "=\"data\\ゲーム\\file" + std::to_string(line) + ".dat\",1\r\n";
    return CZVString(text.c_str());
}

void BM_CopyString(benchmark::State& state)
{
    CZVString text = MakeText(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        CZVString copy(text);
        benchmark::DoNotOptimize(copy.GetString());
    }
    state.SetLabel(std::to_string(state.range(0)) + " bytes");
}
BENCHMARK(BM_CopyString)->Arg(1 << 10)->Arg(1 << 20);

const size_t kLinesText = 10 * 1000 * 1000;

void BM_ReadLines(benchmark::State& state)
{
    CZVString text = MakeText(kLinesText);
    for (auto _ : state) {
        CZVString reader(text);
        long lines = 0;
        CZVString line = reader.GetFirstLine();
        while (!reader.IsEndOfLines()) {
            lines++;
            line = reader.GetNextLine();
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.GetLength());
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);

void BM_MemchrLines(benchmark::State& state)
{
    CZVString text = MakeText(kLinesText);
    const char* begin = text.GetString();
    const char* end = begin + text.GetLength();
    for (auto _ : state) {
        long lines = 0;
        for (const char* p = begin; p < end; lines++) {
            const char* lineFeed = static_cast<const char*>(memchr(p, '\n', end - p));
            p = lineFeed ? lineFeed + 1 : end;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.GetLength());
}
BENCHMARK(BM_MemchrLines)->Unit(benchmark::kMillisecond);

// An install log of n files built a line at a time, as the copy does: the time per line must not grow with n.
void BM_AppendLogLines(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CZVString log("#ZVSetup install log\r\n");
        for (int i = 0; i < lines; i++)
            log.Append(CZVString::Format("copy \"data\\ゲーム\\file%d.dat\"\r\n", i));
        benchmark::DoNotOptimize(log.GetString());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * lines);
    state.SetLabel(std::to_string(lines) + " lines");
}
BENCHMARK(BM_AppendLogLines)->Arg(2000)->Arg(60000)->Unit(benchmark::kMillisecond);

// Best of several runs of one pass, in milliseconds.
template <typename Pass>
double BestMilliseconds(Pass pass)
{
    double best = 1e300;
    for (int run = 0; run < 5; run++) {
        auto start = std::chrono::steady_clock::now();
        pass();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void PrintLineReadingRatio()
{
    CZVString text = MakeText(kLinesText);
    const char* begin = text.GetString();
    const char* end = begin + text.GetLength();
    long readerLines = 0, memchrLines = 0;
    double reader = BestMilliseconds([&] {
        CZVString copy(text);
        readerLines = 0;
        copy.GetFirstLine();
        while (!copy.IsEndOfLines()) {
            readerLines++;
            copy.GetNextLine();
        }
    });
    double scan = BestMilliseconds([&] {
        memchrLines = 0;
        for (const char* p = begin; p < end; memchrLines++) {
            const char* lineFeed = static_cast<const char*>(memchr(p, '\n', end - p));
            p = lineFeed ? lineFeed + 1 : end;
        }
    });
    printf("\n10 MB text, %ld lines: GetFirstLine/GetNextLine %.1f ms, memchr %.1f ms, ratio %.2f (target <= 3)\n",
           readerLines, reader, scan, reader / scan);
    if (readerLines != memchrLines)
        printf("line counts differ: reader %ld, memchr %ld\n", readerLines, memchrLines);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintLineReadingRatio();
    return 0;
}
