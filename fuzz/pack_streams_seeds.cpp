// Writes the decoders' seeds into the folder given, in the input form of pack_streams_fuzz.cpp: streams of the
// writer's encoders over text, a picture and silence, some of them past one 64 KiB output area of the decoder.
#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/pack/SampleContent.h"
#include "tools/fpkpack/PackWriter.h"

namespace {

CSampleContent g_content(54321);

// Byte 0 selects the decoder, bytes 1-3 the sizes (see pack_streams_fuzz.cpp).
std::string Zlc2Seed(const std::string& content, int pieceSizeIndex)
{
    uint32_t size = (uint32_t)content.size();
    char sizeAndPiece = (char)(pieceSizeIndex << 4 | (size >> 16 & 0x03));
    return std::string{'\x01', sizeAndPiece, (char)size, (char)(size >> 8)} + EncodeZlc2Stream(content);
}

std::string Rle0Seed(const std::string& content)
{
    uint32_t size = (uint32_t)content.size();
    return std::string{'\x00', '\x01', (char)size, (char)(size >> 8)} + EncodeRle0Stream(content);
}

bool Write(const std::string& folder, const char* name, const std::string& bytes)
{
    std::string path = folder + "/" + name;
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file != nullptr && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file != nullptr && fclose(file) != 0)
        written = false;
    if (!written)
        fprintf(stderr, "pack_streams_seeds: cannot write %s\n", path.c_str());
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: pack_streams_seeds FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    bool written = Write(folder, "zlc2-text", Zlc2Seed(g_content.Text(3000), 0));
    written &= Write(folder, "zlc2-text-long", Zlc2Seed(g_content.Text(70000), 3));
    written &= Write(folder, "zlc2-picture-long", Zlc2Seed(g_content.Picture(70000), 11));
    written &= Write(folder, "zlc2-silence-long", Zlc2Seed(std::string(140000, '\0'), 13));
    written &= Write(folder, "rle0-picture", Rle0Seed(g_content.Picture(5000)));
    written &= Write(folder, "rle0-text", Rle0Seed(g_content.Text(600)));
    return written ? 0 : 1;
}
