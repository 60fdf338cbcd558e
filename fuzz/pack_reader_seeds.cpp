// Writes the pack reader's seed archives into the folder given: every layout and method over the contents the
// round-trip tests use, cut small so that the fuzzer can work on them, and the hand-made archives of the reader's
// tests (ZLC2 references, RLE0 operations, tagged stored data, malformed directories).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/pack/PackTestSupport.h"
#include "tests/pack/SampleContent.h"
#include "tools/fpkpack/PackWriter.h"

namespace {

CSampleContent g_content(12345);

bool Write(const std::string& folder, const std::string& name, const std::string& bytes)
{
    std::string path = folder + "/" + name;
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file != nullptr && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file != nullptr && fclose(file) != 0)
        written = false;
    if (!written)
        fprintf(stderr, "pack_reader_seeds: cannot write %s\n", path.c_str());
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: pack_reader_seeds FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    bool written = true;

    const char* const layoutNames[] = {"layout1", "layout2", "hashed"};
    const PackLayout layouts[] = {kLayout1, kLayout2, kLayout2Hashed};
    const int methods[] = {kMethodStored, kMethodZlc2, kMethodRle0, kMethodBest};
    const char* const methodNames[] = {"stored", "zlc2", "rle0", "best"};
    for (int l = 0; l < 3; l++) {
        for (int m = 0; m < 4; m++) {
            std::vector<PACK_MEMBER> members = {
                {"readme.txt", g_content.Text(700), methods[m]},
                {"Splash.BMP", g_content.Picture(4097), methods[m]},
                {"zeros.dat", std::string(4096, '\0'), methods[m]},
                {"noise.bin", g_content.Noise(200), methods[m]},
                {"one", "1", methods[m]},
                {"empty", "", methods[m]},
                {"ZLC2tagged", "ZLC2 is how this begins", methods[m]},
            };
            // Past one output area of the reader, which a stored seed would make too big to fuzz well.
            if (methods[m] != kMethodStored)
                members.push_back({"silence.wav", std::string(70000, '\0'), methods[m]});
            std::string archive, error;
            if (!BuildPackArchive(members, layouts[l], 0xA5C3E10F, &archive, &error)) {
                fprintf(stderr, "pack_reader_seeds: %s\n", error.c_str());
                return 1;
            }
            written &= Write(folder, std::string(layoutNames[l]) + "-" + methodNames[m] + ".fpk", archive);
        }
    }

    std::string literals4096, stream4096;
    for (int i = 0; i < 4096; i++) {
        if (i % 8 == 0)
            stream4096.push_back('\0');
        literals4096.push_back((char)(i * 7 % 251 + 1));
        stream4096.push_back(literals4096.back());
    }
    std::string sixtyFour;
    for (int i = 0; i < 64; i++)
        sixtyFour.push_back((char)(0x80 + i));
    const struct {
        const char* name;
        std::string archive;
    } handMade[] = {
        {"zlc2-distance0", RawLayout1({{"m", Zlc2Data(4099, stream4096 + std::string("\x80\x00\x00", 3))}})},
        {"zlc2-distance1-length18", RawLayout1({{"m", Zlc2Data(19, "\x40x\x01\x0F")}})},
        {"zlc2-before-start", RawLayout1({{"m", Zlc2Data(5, std::string("\x40q\x05\x01", 4))}})},
        {"zlc2-empty", RawLayout1({{"m", Zlc2Data(0, std::string(1, '\0'))}})},
        {"rle0-ops",
            RawLayout1({{"a", Rle0Data(65, 64, 1, std::string(1, '\0') + sixtyFour)}, {"b", Rle0Data(2, 2, 1, "\x41z")},
                {"c", Rle0Data(4, 195, 1, "\xC0xyz")}, {"d", Rle0Data(3, 130, 1, "\x80xy")},
                {"e", Rle0Data(5, 5, 0, "plain")}})},
        {"stored-tagged", RawLayout1({{"z", "ZLC2 stored"}, {"r", "RLE0 stored"}, {"s", "plain"}, {"e", ""}})},
        {"hashed-out-of-order", HashedOutOfOrderArchive()},
        {"directory-short", Le32(3) + RawLayout1({{"only", "one entry"}}).substr(4)},
        {"trailer-outside", Le32(0x01000001) + "data" + Le32(0) + Le32(0x7FFFFFF0)},
    };
    for (const auto& seed : handMade)
        written &= Write(folder, std::string(seed.name) + ".fpk", seed.archive);
    return written ? 0 : 1;
}
