// The pack archive on disk. All numbers are little-endian.
//
//  Layout 1 (top byte of word 0 is 0)          Layout 2 (top byte of word 0 is not 0)
//  +--------------------------+ 0               +--------------------------+ 0
//  | word 0 = entry count N   |                 | word 0: bits 0-23 N,     |
//  +--------------------------+ 4               |  bit 31 masked and hashed|
//  | N x FPK_ENTRY, 32 bytes  |                 +--------------------------+ 4
//  |  (no hash field)         |                 | member data ...          |
//  +--------------------------+                 +--------------------------+ D
//  | member data ...          |                 | N x FPK_ENTRY, 36 bytes  |
//  +--------------------------+                 +--------------------------+ end - 8
//                                               | mask key K | directory D |
//                                               +--------------------------+ end
//
// A masked directory has byte i (counted from D) XORed with byte (i mod 4) of K, K in little-endian order; it is
// also sorted by the name hash, ascending. Member data at an entry's offset:
//
//  "ZLC2" | uncompressed size (uint32) | ZLC2 stream ...            LZ, 4096-byte window (PackDecoders.h)
//  "RLE0" | unused (4) | packed P | unpacked U | mode | unused (4) | P bytes   mode 0 plain, 1 run-length
//  anything else: the member is stored; its content is the entry's size bytes from its offset.
#pragma once

#include <cstdint>

const uint32_t kPackCountMask = 0x00FFFFFFu; // layout 2: the entry count in word 0
const uint32_t kPackLayoutMask = 0xFF000000u; // not 0: layout 2
const uint32_t kPackHashedBit = 0x80000000u; // layout 2: the directory is masked and hashed
const uint32_t kPackEntryBytes1 = 32; // a directory entry in layout 1
const uint32_t kPackEntryBytes2 = 36; // a directory entry in layout 2
const uint32_t kPackTrailerBytes = 8; // layout 2: mask key and directory offset at the end of the file
const uint32_t kPackNameBytes = 24; // a member name, terminator included: at most 23 bytes
const uint32_t kRle0HeaderBytes = 24;
const uint32_t kZlc2HeaderBytes = 8; // tag and uncompressed size

enum PackMethod { kMethodStored = 0, kMethodZlc2 = 1, kMethodRle0 = 2 };

struct FPK_ENTRY {
    uint32_t offset; // of the member's data from the start of the file
    uint32_t size; // of the member's data as stored (what a stored member holds)
    char name[kPackNameBytes]; // always zero-terminated once read
    uint16_t hash; // only in a hashed directory, else 0
    uint8_t unused[2];
};

inline uint32_t LoadLittle32(const uint8_t* bytes)
{
    return bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 | (uint32_t)bytes[3] << 24;
}

inline void StoreLittle32(uint8_t* bytes, uint32_t value)
{
    bytes[0] = (uint8_t)value;
    bytes[1] = (uint8_t)(value >> 8);
    bytes[2] = (uint8_t)(value >> 16);
    bytes[3] = (uint8_t)(value >> 24);
}

// Hash of a member name: letters a-z count as A-Z (every byte, trail bytes of double-byte characters too), then
// h += b * (i + 1) over the first 23 bytes, b signed, modulo 65536. A null name hashes to 0.
uint16_t PackNameHash(const char* name);

// Fills entry from entryBytes bytes of a directory (32 or 36). The hash is kept only when hashed; a name that
// fills all 24 bytes is cut to 23 so that it is always terminated.
void ParsePackEntry(const uint8_t* bytes, uint32_t entryBytes, bool hashed, FPK_ENTRY* entry);

// Removes (or applies) the mask of a hashed directory; i counts from the directory's first byte.
void MaskPackDirectory(uint8_t* directory, uint32_t length, uint32_t key);
