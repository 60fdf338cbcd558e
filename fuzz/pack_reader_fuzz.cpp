// The pack reader on whole archive bytes: the directory, the name search and every member, each read once at a
// time and once in pieces of varying size, which must give the same bytes. Besides the sanitizers, a fault is a
// read that delivers more than asked or more than the member's size, or pieces that disagree with the whole.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pack/FPK.h"

namespace {

// Work per input stays bounded: members are opened until this many bytes were delivered.
const uint64_t kReadBudget = 8u << 20;
const int32_t kMostEntries = 256;

void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "pack_reader: %s\n", what);
        abort();
    }
}

// Piece sizes drawn from the input itself, so that a run can be repeated: small pieces, the buffer and window
// boundaries and their neighbours, and anything up to a little past one output area.
class CPieceSizes {
public:
    CPieceSizes(const uint8_t* data, size_t size)
        : m_state(2166136261u)
    {
        for (size_t i = 0; i < size; i++)
            m_state = (m_state ^ data[i]) * 16777619u;
    }

    int32_t Next()
    {
        static const int32_t kBoundaries[] = {1, 2, 3, 7, 17, 18, 19, 4095, 4096, 4097, 65535, 65536, 65537};
        m_state = m_state * 1103515245u + 12345u;
        uint32_t draw = m_state >> 8;
        if (draw % 4 == 0)
            return kBoundaries[(draw >> 2) % (sizeof(kBoundaries) / sizeof(kBoundaries[0]))];
        if (draw % 4 == 1)
            return (int32_t)((draw >> 2) % 70000) + 1;
        return (int32_t)((draw >> 2) % 64) + 1;
    }

private:
    uint32_t m_state;
};

// The member's name in the other letter case, which must find the same member. A name with double-byte characters
// stays as it is: their trail bytes may be letters, which the system compares as part of the character.
std::string SwapCase(const char* name)
{
    std::string swapped(name);
    for (char c : swapped) {
        if ((uint8_t)c >= 0x80)
            return swapped;
    }
    for (char& c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    }
    return swapped;
}

// Reads the open member with one call, into a block of exactly the asked size so that ASan sees an overrun.
std::vector<uint8_t> ReadAtOnce(CFPK* reader, uint32_t size)
{
    std::vector<uint8_t> content(size > 0 ? size : 1);
    int32_t got = reader->Read(content.data(), (int32_t)content.size());
    Require(got >= 0 && (uint32_t)got <= size, "one read delivered more than the member's size");
    content.resize((size_t)got);
    Require(reader->Read(content.data(), 0) == 0, "a read of 0 bytes delivered something");
    return content;
}

std::vector<uint8_t> ReadInPieces(CFPK* reader, uint32_t size, CPieceSizes* pieces)
{
    std::vector<uint8_t> content;
    for (;;) {
        int32_t wanted = pieces->Next();
        std::vector<uint8_t> piece((size_t)wanted);
        int32_t got = reader->Read(piece.data(), wanted);
        Require(got >= 0 && got <= wanted, "a read delivered more than asked");
        if (got == 0)
            break;
        content.insert(content.end(), piece.begin(), piece.begin() + got);
        Require(content.size() <= size, "reads in pieces delivered more than the member's size");
    }
    return content;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    CFPK reader;
    if (!reader.CreateFromBytes(data, (uint32_t)size, "fuzz.fpk"))
        return 0;
    CPieceSizes pieces(data, size);
    uint64_t delivered = 0;
    int32_t count = reader.GetEntryCount();
    for (int32_t i = 0; i < count && i < kMostEntries && delivered < kReadBudget; i++) {
        const char* entryName = reader.GetEntryName(i);
        Require(entryName != nullptr, "an entry within the count has no name");
        std::string name(entryName);
        if (!reader.Open(name.c_str())) {
            Require(!reader.IsMemberOpen() && reader.GetSize() == 0, "a failed open left a member");
            continue;
        }
        uint32_t memberSize = reader.GetSize();
        if (memberSize > kReadBudget - delivered) {
            reader.Close();
            break;
        }
        std::vector<uint8_t> whole = ReadAtOnce(&reader, memberSize);
        Require(reader.Open(SwapCase(name.c_str()).c_str()), "the member did not open again by its other case");
        Require(reader.GetSize() == memberSize, "the member's size changed on the second open");
        std::vector<uint8_t> inPieces = ReadInPieces(&reader, memberSize, &pieces);
        Require(whole == inPieces, "reading in pieces gave other bytes than one read");
        delivered += whole.size() + memberSize / 8 + 1;
    }
    reader.Open("");
    reader.Close();
    reader.Delete();
    return 0;
}
