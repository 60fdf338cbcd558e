// Figures for the pack reader: the read throughput of stored, ZLC2 and RLE0 members in MB/s against memcpy of
// the same bytes, and the memory a 256 MiB ZLC2 member takes while it is read in 64 KiB pieces (the target: under
// 1 MiB above the process's baseline), measured in a fresh process so that nothing of this one counts.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pack/FPK.h"
#include "tools/fpkpack/PackWriter.h"

namespace {

const uint32_t kPieceBytes = 64 * 1024;
const uint32_t kThroughputBytes = 16u << 20;
const uint64_t kLargeMemberBytes = 256ull << 20;
const char kPeakMemoryOption[] = "--peak-memory-child";

uint32_t g_seed = 12345;

uint32_t NextRandom()
{
    g_seed = g_seed * 1103515245u + 12345u;
    return g_seed >> 8;
}

// What a title's files hold, in 16 KiB stretches: script-like text with Shift-JIS, bitmap rows of runs of a few
// colours, silence, and compressed data that no method shrinks.
std::string TitleContent(size_t size)
{
    static const char* const kWords[]
        = {"$gametitle=", "インストール", "C:\\Program Files\\", "setup.exe", "\r\n", " ", "表ソ", "data\\base.pak"};
    std::string content;
    content.reserve(size + 16384);
    for (uint32_t stretch = 0; content.size() < size; stretch++) {
        size_t end = content.size() + 16384;
        switch (stretch % 10) {
        case 0:
        case 3:
        case 6:
        case 8:
            while (content.size() < end)
                content += kWords[NextRandom() % 8];
            break;
        case 1:
        case 4:
        case 7:
        case 9:
            while (content.size() < end) {
                uint32_t colour = NextRandom() % 4 * 0x3F3F3F, run = NextRandom() % 40 + 1;
                for (uint32_t i = 0; i < run; i++)
                    content += std::string{(char)colour, (char)(colour >> 8), (char)(colour >> 16)};
            }
            break;
        case 2: content.append(16384, '\0'); break;
        default:
            while (content.size() < end)
                content.push_back((char)NextRandom());
            break;
        }
    }
    content.resize(size);
    return content;
}

// A temporary file that is removed with its owner.
class CTempArchive {
public:
    CTempArchive()
    {
        const char* folder = getenv("TMPDIR");
        m_path = std::string(folder && *folder ? folder : "/tmp") + "/zv_pack_bench_XXXXXX";
        int fd = mkstemp(&m_path[0]);
        if (fd < 0)
            m_path.clear();
        else
            close(fd);
    }
    ~CTempArchive()
    {
        if (!m_path.empty())
            unlink(m_path.c_str());
    }
    CTempArchive(const CTempArchive&) = delete;
    CTempArchive& operator=(const CTempArchive&) = delete;

    bool Write(const std::string& bytes)
    {
        FILE* file = m_path.empty() ? nullptr : fopen(m_path.c_str(), "wb");
        bool written = file != nullptr && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file != nullptr && fclose(file) != 0)
            written = false;
        return written;
    }
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// Opens member of the archive file, reads it to its end in 64 KiB pieces and closes it; the bytes read.
uint64_t ReadMember(CFPK* reader, const char* member, uint8_t* piece)
{
    uint64_t total = 0;
    if (!reader->Open(member))
        return 0;
    for (;;) {
        int32_t got = reader->Read(piece, (int32_t)kPieceBytes);
        if (got <= 0)
            break;
        total += (uint64_t)got;
    }
    reader->Close();
    return total;
}

struct THROUGHPUT_SETUP {
    std::string content;
    CTempArchive archive;
    bool ready = false;
};

THROUGHPUT_SETUP& Throughput()
{
    static THROUGHPUT_SETUP setup;
    if (!setup.ready) {
        setup.content = TitleContent(kThroughputBytes);
        std::vector<PACK_MEMBER> members = {{"stored.bin", setup.content, kMethodStored},
            {"zlc2.bin", setup.content, kMethodZlc2}, {"rle0.bin", setup.content, kMethodRle0}};
        std::string bytes, error;
        setup.ready = BuildPackArchive(members, kLayout2, 0, &bytes, &error) && setup.archive.Write(bytes);
        if (!setup.ready)
            fprintf(stderr, "pack_read_bench: cannot build the archive: %s\n", error.c_str());
    }
    return setup;
}

// What the reader is measured against: the same bytes copied in the same pieces.
void CopyInPieces(const std::string& content, uint8_t* piece)
{
    for (size_t at = 0; at < content.size(); at += kPieceBytes) {
        memcpy(piece, content.data() + at, std::min<size_t>(kPieceBytes, content.size() - at));
        benchmark::ClobberMemory();
    }
}

void BM_Memcpy(benchmark::State& state)
{
    const std::string& content = Throughput().content;
    std::vector<uint8_t> piece(kPieceBytes);
    for (auto _ : state) {
        CopyInPieces(content, piece.data());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)content.size());
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_ReadMember(benchmark::State& state, const char* member)
{
    THROUGHPUT_SETUP& setup = Throughput();
    CFPK reader;
    std::vector<uint8_t> piece(kPieceBytes);
    if (!setup.ready || !reader.Create(setup.archive.Path())) {
        state.SkipWithError("the archive does not open");
        return;
    }
    for (auto _ : state) {
        if (ReadMember(&reader, member, piece.data()) != setup.content.size())
            state.SkipWithError("the member does not read back whole");
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)setup.content.size());
}
BENCHMARK_CAPTURE(BM_ReadMember, stored, "stored.bin")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadMember, zlc2, "zlc2.bin")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadMember, rle0, "rle0.bin")->Unit(benchmark::kMillisecond);

// Best of several rounds, in seconds, so that load from other programs on the machine counts as little as it can.
template <typename Work> double BestSeconds(Work work)
{
    double best = 1e300;
    for (int round = 0; round < 7; round++) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void PrintThroughputFigures()
{
    THROUGHPUT_SETUP& setup = Throughput();
    if (!setup.ready)
        return;
    const double megabytes = setup.content.size() / 1e6;
    std::vector<uint8_t> piece(kPieceBytes);
    double memcpySeconds = BestSeconds([&] { CopyInPieces(setup.content, piece.data()); });
    printf("\nPack reader, %.1f MB of title-like content read in 64 KiB pieces from an archive file:\n", megabytes);
    printf("  %-28s %8.0f MB/s\n", "memcpy of the same bytes", megabytes / memcpySeconds);
    CFPK reader;
    if (!reader.Create(setup.archive.Path()))
        return;
    const char* const members[] = {"stored.bin", "zlc2.bin", "rle0.bin"};
    const char* const labels[] = {"stored", "ZLC2", "RLE0 (decoded whole at open)"};
    for (int i = 0; i < 3; i++) {
        uint64_t read = 0;
        double seconds = BestSeconds([&] { read = ReadMember(&reader, members[i], piece.data()); });
        printf("  %-28s %8.0f MB/s  (memcpy is %.0fx as fast)%s\n", labels[i], megabytes / seconds,
            seconds / memcpySeconds, read == setup.content.size() ? "" : "  DOES NOT READ BACK WHOLE");
    }
}

long PeakResidentKiB()
{
    FILE* status = fopen("/proc/self/status", "r");
    long kib = -1;
    char line[256];
    while (status != nullptr && fgets(line, sizeof(line), status) != nullptr) {
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = strtol(line + 6, nullptr, 10);
    }
    if (status != nullptr)
        fclose(status);
    return kib;
}

// The child's side: reads the large member and prints its peak memory above the peak before the reader existed.
int MeasurePeakMemory(const char* archivePath)
{
    std::vector<uint8_t> piece(kPieceBytes, 0xBD);
    long baseline = PeakResidentKiB();
    uint64_t read = 0;
    {
        CFPK reader;
        if (reader.Create(archivePath))
            read = ReadMember(&reader, "large.bin", piece.data());
    }
    long peak = PeakResidentKiB();
    if (read != kLargeMemberBytes || baseline < 0 || peak < 0) {
        fprintf(stderr, "pack_read_bench: the large member read %llu bytes\n", (unsigned long long)read);
        return 1;
    }
    printf("Peak memory while reading a 256 MiB ZLC2 member in 64 KiB pieces: %ld KiB above the baseline of %ld KiB "
           "(target: under 1024 KiB)%s\n",
        peak - baseline, baseline, peak - baseline < 1024 ? "" : "  OVER THE TARGET");
    return 0;
}

// Builds the large archive, then measures in a fresh process of this program.
void PrintPeakMemory(const char* program)
{
    CTempArchive archive;
    {
        std::string block = TitleContent(1u << 20), content;
        content.reserve(kLargeMemberBytes);
        while (content.size() < kLargeMemberBytes)
            content += block;
        std::string bytes, error;
        auto start = std::chrono::steady_clock::now();
        if (!BuildPackArchive({{"large.bin", content, kMethodZlc2}}, kLayout1, 0, &bytes, &error)
            || !archive.Write(bytes)) {
            fprintf(stderr, "pack_read_bench: cannot build the large archive: %s\n", error.c_str());
            return;
        }
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        printf("\n(the 256 MiB member packed to %.1f MiB in %.1f s)\n", bytes.size() / 1048576.0, took.count());
    }
    fflush(stdout);
    pid_t child = fork();
    if (child == 0) {
        execl(program, program, kPeakMemoryOption, archive.Path(), (char*)nullptr);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fprintf(stderr, "pack_read_bench: the peak memory measurement failed\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], kPeakMemoryOption) == 0)
        return MeasurePeakMemory(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintThroughputFigures();
    PrintPeakMemory("/proc/self/exe");
    return 0;
}
