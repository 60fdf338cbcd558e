// The two decoders on their own, without the size checks the archive reader makes before it starts them: an RLE0
// body with any mode and unpacked size, and a ZLC2 stream with any member size whose input arrives in fills of
// varying length. Input: byte 0 selects the decoder (even RLE0, odd ZLC2), bytes 1-3 the mode and sizes (for ZLC2
// the high half of byte 1 picks the piece size), the rest is the stream. Besides the sanitizers, a fault is a ZLC2 read
// past the member size or pieces that disagree with one read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "pack/PackDecoders.h"

namespace {

const uint32_t kMostMemberBytes = 1u << 18;

void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "pack_streams: %s\n", what);
        abort();
    }
}

// The stream handed out in fills of 1 to 64 bytes or whole, by a rule taken from the stream's own first byte.
struct STREAM_INPUT {
    const uint8_t* bytes;
    uint32_t size;
    uint32_t at;
    uint32_t fillRule;
};

uint32_t FillFrom(void* context, uint8_t* buffer, uint32_t count)
{
    STREAM_INPUT* input = static_cast<STREAM_INPUT*>(context);
    uint32_t left = input->size - input->at;
    uint32_t piece = input->fillRule == 0 ? count : (input->at * 31 + input->fillRule) % 64 + 1;
    piece = piece < count ? piece : count;
    piece = piece < left ? piece : left;
    for (uint32_t i = 0; i < piece; i++)
        buffer[i] = input->bytes[input->at + i];
    input->at += piece;
    return piece;
}

// Reads the whole member in pieces of pieceSize bytes; past its first 16 KiB in pieces of at least 4097 bytes,
// so that tiny pieces do not slow the fuzzer down on long members.
std::vector<uint8_t> DecodeZlc2(const std::vector<uint8_t>& stream, uint32_t memberSize, int32_t pieceSize)
{
    const size_t kTinyPiecesUpTo = 16384;
    const int32_t kLargerPiece = 4097;
    STREAM_INPUT input = {stream.data(), (uint32_t)stream.size(), 0, stream.empty() ? 0u : stream[0] % 4u};
    CZlc2Stream decoder;
    std::vector<uint8_t> content;
    if (!decoder.Begin(memberSize, FillFrom, &input))
        return content;
    // Each piece in a block of exactly its size, so that ASan sees a write past it.
    std::vector<uint8_t> piece((size_t)pieceSize), largerPiece((size_t)kLargerPiece);
    for (;;) {
        bool larger = content.size() >= kTinyPiecesUpTo && pieceSize < kLargerPiece;
        uint8_t* buffer = larger ? largerPiece.data() : piece.data();
        int32_t wanted = larger ? kLargerPiece : pieceSize;
        int32_t got = decoder.Read(buffer, wanted);
        Require(got >= 0 && got <= wanted, "a read delivered more than asked");
        if (got == 0)
            break;
        content.insert(content.end(), buffer, buffer + got);
        Require(content.size() <= memberSize, "the stream delivered more than the member size");
    }
    return content;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || size > kMostMemberBytes)
        return 0;
    std::vector<uint8_t> stream(data + 4, data + size); // exactly its size, so that ASan sees a read past it
    uint32_t sizeField = (uint32_t)data[2] | (uint32_t)data[3] << 8;
    if (data[0] % 2 == 0) {
        uint32_t mode = data[1] % 3;
        uint32_t unpackedSize = sizeField * (data[1] / 3 % 4 + 1);
        std::vector<uint8_t> out(unpackedSize);
        DecodeRle0(stream.data(), (uint32_t)stream.size(), mode, out.data(), unpackedSize);
        return 0;
    }
    uint32_t memberSize = (sizeField | (uint32_t)(data[1] & 0x03) << 16);
    std::vector<uint8_t> whole = DecodeZlc2(stream, memberSize, (int32_t)memberSize + 1);
    static const int32_t kPieceSizes[16]
        = {1, 2, 3, 7, 17, 18, 19, 25, 64, 4095, 4096, 4097, 65535, 65536, 65537, 100000};
    int32_t pieceSize = kPieceSizes[data[1] >> 4];
    Require(whole == DecodeZlc2(stream, memberSize, pieceSize), "reading in pieces gave other bytes than one read");
    return 0;
}
