// The two compressed member formats of a pack archive.
//
// ZLC2: a flag byte, then up to 8 items for its bits from the most significant down, then the next flag byte.
// A 0 bit is one literal byte. A 1 bit is a back-reference b0 b1: distance b0 + 256 * (b1 >> 4), 0 meaning 4096;
// length (b1 & 15) + 3, copied one byte at a time so that an overlapping copy repeats a pattern. The history
// starts as 4096 zero bytes. There is no end mark: the uncompressed size ends the stream.
//
// RLE0 mode 1: operations c: n = c & 63 (0 means 64); kind c >> 6: 0 = n literal bytes follow; 1, 2, 3 = a
// pattern of that many bytes follows and is written n + 1 times.
#pragma once

#include <cstdint>

const uint32_t kZlc2HistoryBytes = 4096;
const uint32_t kPackBlockBytes = 65536; // the fixed input and output areas of the reader
// Most output a stream can give per input byte: a ZLC2 flag byte and 8 references (17 bytes) give 144 bytes; an
// RLE0 operation of 4 bytes gives 195. Sizes beyond these cannot be genuine.
const uint32_t kZlc2MaxExpansion = 9;
const uint32_t kRle0MaxExpansion = 49;

// Copies up to count compressed bytes into buffer; returns how many, 0 at the end of the input.
typedef uint32_t (*PackInputFill)(void* context, uint8_t* buffer, uint32_t count);

// Decodes one ZLC2 member incrementally in fixed buffers: 65536 bytes of input and 4096 + 65536 of window.
class CZlc2Stream {
public:
    CZlc2Stream();
    ~CZlc2Stream();
    CZlc2Stream(const CZlc2Stream&) = delete;
    CZlc2Stream& operator=(const CZlc2Stream&) = delete;

    // Allocates the buffers and takes the first input. False, holding nothing, when memory is short or the input
    // yields no byte at all.
    bool Begin(uint32_t memberSize, PackInputFill fill, void* context);
    // Delivers up to count decoded bytes, never more than the member size in all. Stops for good when the input
    // ends early or an item would pass the member size (IsCorrupt); the bytes before it are delivered.
    int32_t Read(uint8_t* out, int32_t count);
    void End(); // frees the buffers
    bool IsCorrupt() const { return m_corrupt; }

private:
    bool _Have(uint32_t count); // at least count unread input bytes, refilling as needed
    uint32_t _DecodePass(); // fills the output area; returns the bytes produced

    uint8_t* m_window;
    uint8_t* m_input;
    uint32_t m_inputPos, m_inputFill;
    bool m_inputEnded;
    uint32_t m_readPos, m_writePos; // in the output area, after the history
    uint8_t m_flagByte, m_flagMask; // m_flagMask 0: the next item starts with a flag byte
    uint32_t m_memberSize, m_decoded;
    bool m_corrupt;
    PackInputFill m_fill;
    void* m_context;
};

// Decodes a whole RLE0 member: mode 0 copies the first unpackedSize of the packed bytes, mode 1 runs the
// operations until unpackedSize bytes are out. True only when exactly unpackedSize bytes are written: another
// mode, too little input, or an operation that needs more input than there is or would write past unpackedSize
// fails, and nothing is read or written outside the two buffers.
bool DecodeRle0(const uint8_t* packed, uint32_t packedSize, uint32_t mode, uint8_t* out, uint32_t unpackedSize);
