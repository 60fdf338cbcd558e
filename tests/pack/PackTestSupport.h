// Helpers for the pack reader's tests: archive bytes made by hand, and whole-member reads in pieces.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "pack/FPK.h"
#include "pack/PackFormat.h"

inline std::string Le32(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; i++)
        bytes[i] = (char)(value >> (8 * i));
    return bytes;
}

// A layout 1 archive whose members hold exactly the given data, in the given order.
inline std::string RawLayout1(const std::vector<std::pair<std::string, std::string>>& members)
{
    std::string directory, data;
    uint32_t offset = 4 + 32 * (uint32_t)members.size();
    for (const auto& member : members) {
        std::string name = member.first;
        name.resize(24, '\0');
        directory += Le32(offset + (uint32_t)data.size()) + Le32((uint32_t)member.second.size()) + name;
        data += member.second;
    }
    return Le32((uint32_t)members.size()) + directory + data;
}

inline std::string Zlc2Data(uint32_t size, const std::string& stream)
{
    return "ZLC2" + Le32(size) + stream;
}

inline std::string Rle0Data(uint32_t packedSize, uint32_t unpackedSize, uint32_t mode, const std::string& body)
{
    return "RLE0" + Le32(0) + Le32(packedSize) + Le32(unpackedSize) + Le32(mode) + Le32(0) + body;
}

// Keeps archive bytes in a block of exactly their size, so that AddressSanitizer sees any read past them.
class ExactBytes {
public:
    explicit ExactBytes(const std::string& bytes)
        : m_bytes(bytes.begin(), bytes.end())
    {
    }
    const void* Data() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
    uint32_t Size() const { return (uint32_t)m_bytes.size(); }

private:
    std::vector<uint8_t> m_bytes;
};

// Reads the open member to its end in pieces of pieceSize bytes.
inline std::string ReadToEnd(CFPK* reader, int32_t pieceSize)
{
    std::string content;
    std::vector<char> piece((size_t)pieceSize + 1, '\xBD');
    for (;;) {
        int32_t got = reader->Read(piece.data(), pieceSize);
        if (got <= 0 || got > pieceSize)
            break;
        content.append(piece.data(), (size_t)got);
    }
    return content;
}

// A masked-and-hashed directory (key 0) whose entries "zzz", "aaa", "mmm" are not sorted by their hash, holding
// "dat0", "dat1", "dat2": the search must fall back to every entry in order.
inline std::string HashedOutOfOrderArchive()
{
    const char* const names[] = {"zzz", "aaa", "mmm"};
    std::string data, directory;
    for (int i = 0; i < 3; i++) {
        std::string name = names[i];
        name.resize(24, '\0');
        uint16_t hash = PackNameHash(names[i]);
        directory += Le32(4 + (uint32_t)data.size()) + Le32(4) + name + (char)hash + (char)(hash >> 8) + "??";
        data += "dat" + std::to_string(i);
    }
    return Le32(0x80000003) + data + directory + Le32(0) + Le32(4 + (uint32_t)data.size());
}
