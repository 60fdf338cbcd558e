// Writes pack archives (pack/PackFormat.h) for fpkpack and for the reader's round-trip tests: the ZLC2 and RLE0
// encoders and the archive layouts. Bytes are held in std::string.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pack/PackFormat.h"

// The ZLC2 stream of content (without the 8-byte header): greedy matches of 3 to 18 bytes within 4096 bytes back.
std::string EncodeZlc2Stream(const std::string& content);
// The RLE0 mode 1 operations for content (without the 24-byte header).
std::string EncodeRle0Stream(const std::string& content);

// What the reader takes a member's data for: stored data must not begin with a tag, and the reader cannot open an
// empty stored member, so such content is written as RLE0 in plain mode instead.
bool CanBeStored(const std::string& content);

const int kMethodBest = -1; // the smallest of the three
// The member's data as it lies in the archive, with the method that was used (stored content that cannot be stored
// becomes RLE0; RLE0 is written in plain mode when the runs would be larger).
std::string EncodeMember(const std::string& content, int method, int* usedMethod);

enum PackLayout {
    kLayout1, // count word, 32-byte entries, then the data
    kLayout2, // data, 36-byte entries, trailer; not hashed
    kLayout2Hashed, // as kLayout2, directory sorted by name hash and masked with the key
};

struct PACK_MEMBER {
    std::string name; // 1 to 23 bytes, unique without regard to case
    std::string content;
    int method; // PackMethod or kMethodBest
};

// Builds a whole archive. False, with a reason in *error, for an empty, too long or repeated name, or an archive
// past 4 GiB.
bool BuildPackArchive(
    const std::vector<PACK_MEMBER>& members, PackLayout layout, uint32_t key, std::string* archive, std::string* error);
