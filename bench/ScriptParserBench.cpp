// Figures for the Install.ifo parser: lines per second on a generated 50,000-line script, and the time of 100,000
// lines against 50,000 (a linear parser stays near 2; the target is at most 2.2).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "script/ScriptParser.h"

namespace {

// A script of lineCount lines in the shapes a large title uses: mostly file lines with folders, quotes, discs and
// Shift-JIS names, then variables, comments and blank lines, and now and then a button or a shortcut (each holds
// over a kilobyte, and a title has a handful), CR LF throughout.
CZVString MakeScript(int lineCount)
{
    std::string text = "$InstallTypeCount = 10\r\n$InstallTypeName = A,B,C,D,E,F,G,H,I,J\r\n$NumberOfDisc = 4\r\n"
                       "&start\r\n";
    int lines = 4;
    for (int i = 0; lines < lineCount; i++, lines++) {
        std::string n = std::to_string(i);
        switch (i % 1000 == 3 || i % 1000 == 4 ? 1000 + i % 1000 : i % 10) {
        case 0: text += "# データ表示 " + n + "\r\n"; break;
        case 1: text += "$GameTitle = ソフト表示" + n + "\r\n"; break;
        case 2:
        case 7: text += "\"data\\ソフト\\file " + n + ".dat\", " + std::to_string(i % 4 + 1) + "\r\n"; break;
        case 1003: text += "$cmd = tools\\tool" + n + ".exe,ツール" + n + ",no\r\n"; break;
        case 1004: text += "&mksc 表示" + n + ",bin\\game" + n + ".exe -w,1\r\n"; break;
        case 5: text += "\r\n"; break;
        default: text += "movie\\表" + n + "\\*.dat\r\n"; break;
        }
    }
    return CZVString(text.c_str());
}

void BM_ParseScript(benchmark::State& state)
{
    CZVString script = MakeScript(static_cast<int>(state.range(0)));
    std::unique_ptr<INSTALL_DESCRIPTION> description(new INSTALL_DESCRIPTION());
    SCRIPT_ERROR error;
    for (auto _ : state) {
        if (!ParseInstallScript(script, description.get(), &error))
            state.SkipWithError("the generated script does not parse");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("lines");
}
BENCHMARK(BM_ParseScript)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One parse, in milliseconds.
double ParseMilliseconds(const CZVString& script, INSTALL_DESCRIPTION* description)
{
    SCRIPT_ERROR error;
    auto start = std::chrono::steady_clock::now();
    if (!ParseInstallScript(script, description, &error))
        printf("the generated script does not parse: line %d\n", error.line);
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

// The two sizes are parsed in turns and each keeps its best time, so that load from other programs on the machine
// falls on both alike.
void PrintParserFigures()
{
    CZVString halfScript = MakeScript(50000), fullScript = MakeScript(100000);
    std::unique_ptr<INSTALL_DESCRIPTION> description(new INSTALL_DESCRIPTION());
    double half = 1e300, full = 1e300;
    for (int round = 0; round < 15; round++) {
        half = std::min(half, ParseMilliseconds(halfScript, description.get()));
        full = std::min(full, ParseMilliseconds(fullScript, description.get()));
    }
    printf("\nInstall.ifo parser: 50,000 lines in %.1f ms (%.0f lines per second); 100,000 lines in %.1f ms; "
           "ratio %.2f (target <= 2.2)\n",
        half, 50000 / (half / 1000), full, full / half);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintParserFigures();
    return 0;
}
