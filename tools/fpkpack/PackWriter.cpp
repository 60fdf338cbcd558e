#include "tools/fpkpack/PackWriter.h"

#include <algorithm>
#include <cstring>

#include "foundation/SystemApi.h"
#include "pack/PackDecoders.h"

namespace {

const uint32_t kWindow = 4096;
const uint32_t kShortestMatch = 3;
const uint32_t kLongestMatch = 18;
const int kChainSteps = 128; // candidates tried per position: enough for text, bounded for noise

uint32_t Hash3(const uint8_t* bytes)
{
    return ((uint32_t)bytes[0] << 8 ^ (uint32_t)bytes[1] << 4 ^ bytes[2]) & 0xFFFF;
}

void PutLittle32(std::string* out, uint32_t value)
{
    uint8_t bytes[4];
    StoreLittle32(bytes, value);
    out->append(reinterpret_cast<const char*>(bytes), 4);
}

} // namespace

std::string EncodeZlc2Stream(const std::string& content)
{
    const uint8_t* data = reinterpret_cast<const uint8_t*>(content.data());
    const uint32_t size = (uint32_t)content.size();
    std::vector<int32_t> head(65536, -1), previous(kWindow, -1);
    std::string out;
    size_t flagAt = 0;
    int items = 8; // items under the current flag byte
    uint32_t inserted = 0;
    auto insertUpTo = [&](uint32_t end) {
        for (; inserted < end; inserted++) {
            if (inserted + kShortestMatch > size)
                continue;
            uint32_t hash = Hash3(data + inserted);
            previous[inserted % kWindow] = head[hash];
            head[hash] = (int32_t)inserted;
        }
    };
    for (uint32_t pos = 0; pos < size;) {
        if (items == 8) {
            flagAt = out.size();
            out.push_back('\0');
            items = 0;
        }
        uint32_t bestLength = 0, bestDistance = 0;
        uint32_t longest = std::min(kLongestMatch, size - pos);
        if (longest >= kShortestMatch) {
            int32_t candidate = head[Hash3(data + pos)];
            for (int step = 0; candidate >= 0 && pos - (uint32_t)candidate <= kWindow && step < kChainSteps; step++) {
                uint32_t length = 0;
                while (length < longest && data[candidate + length] == data[pos + length])
                    length++;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = pos - (uint32_t)candidate;
                    if (length == longest)
                        break;
                }
                candidate = previous[candidate % kWindow];
            }
        }
        if (bestLength >= kShortestMatch) {
            out[flagAt] = (char)(out[flagAt] | 0x80 >> items);
            out.push_back((char)(bestDistance & 0xFF));
            out.push_back((char)((bestDistance >> 8 & 0x0F) << 4 | (bestLength - kShortestMatch)));
            pos += bestLength;
        } else {
            out.push_back((char)data[pos]);
            pos++;
        }
        items++;
        insertUpTo(pos);
    }
    if (out.empty())
        out.push_back('\0'); // the reader needs one byte of stream even for an empty member
    return out;
}

std::string EncodeRle0Stream(const std::string& content)
{
    const uint8_t* data = reinterpret_cast<const uint8_t*>(content.data());
    const size_t size = content.size();
    std::string out;
    size_t literalStart = 0;
    auto flushLiterals = [&](size_t end) {
        while (literalStart < end) {
            size_t count = std::min<size_t>(64, end - literalStart);
            out.push_back((char)(count & 0x3F));
            out.append(content, literalStart, count);
            literalStart += count;
        }
    };
    for (size_t pos = 0; pos < size;) {
        size_t bestCovered = 0, bestPattern = 0, bestRepeats = 0;
        long bestSaving = 0; // bytes a run saves over its operation byte and pattern
        for (size_t pattern = 1; pattern <= 3 && pos + pattern <= size; pattern++) {
            size_t repeats = 1;
            while (repeats < 65 && pos + (repeats + 1) * pattern <= size
                && memcmp(data + pos + repeats * pattern, data + pos, pattern) == 0)
                repeats++;
            long saving = (long)(repeats * pattern) - (long)(1 + pattern);
            if (repeats >= 2 && saving > bestSaving) {
                bestSaving = saving;
                bestCovered = repeats * pattern;
                bestPattern = pattern;
                bestRepeats = repeats;
            }
        }
        if (bestPattern == 0) {
            pos++;
            continue;
        }
        flushLiterals(pos);
        out.push_back((char)(bestPattern << 6 | ((bestRepeats - 1) & 0x3F)));
        out.append(content, pos, bestPattern);
        pos += bestCovered;
        literalStart = pos;
    }
    flushLiterals(size);
    return out;
}

bool CanBeStored(const std::string& content)
{
    // Fewer than 4 bytes are stored safely only if they cannot start a tag together with the bytes after them.
    size_t checked = std::min<size_t>(4, content.size());
    return !content.empty() && content.compare(0, checked, "ZLC2", checked) != 0
        && content.compare(0, checked, "RLE0", checked) != 0;
}

namespace {

std::string Rle0Member(const std::string& content)
{
    std::string runs = EncodeRle0Stream(content);
    bool plain = runs.size() >= content.size();
    const std::string& packed = plain ? content : runs;
    std::string out("RLE0\0\0\0\0", 8);
    PutLittle32(&out, (uint32_t)packed.size());
    PutLittle32(&out, (uint32_t)content.size());
    PutLittle32(&out, plain ? 0 : 1);
    PutLittle32(&out, 0);
    return out + packed;
}

std::string Zlc2Member(const std::string& content)
{
    std::string out("ZLC2", 4);
    PutLittle32(&out, (uint32_t)content.size());
    return out + EncodeZlc2Stream(content);
}

} // namespace

std::string EncodeMember(const std::string& content, int method, int* usedMethod)
{
    int used = method;
    std::string out;
    if (method == kMethodZlc2) {
        out = Zlc2Member(content);
    } else if (method == kMethodRle0 || (method == kMethodStored && !CanBeStored(content))) {
        used = kMethodRle0;
        out = Rle0Member(content);
    } else if (method == kMethodStored) {
        out = content;
    } else {
        out = Rle0Member(content);
        used = kMethodRle0;
        std::string zlc2 = Zlc2Member(content);
        if (zlc2.size() < out.size()) {
            out.swap(zlc2);
            used = kMethodZlc2;
        }
        if (CanBeStored(content) && content.size() <= out.size()) {
            out = content;
            used = kMethodStored;
        }
    }
    if (usedMethod)
        *usedMethod = used;
    return out;
}

bool BuildPackArchive(
    const std::vector<PACK_MEMBER>& members, PackLayout layout, uint32_t key, std::string* archive, std::string* error)
{
    if (members.size() > kPackCountMask) {
        *error = "too many members";
        return false;
    }
    for (size_t i = 0; i < members.size(); i++) {
        const std::string& name = members[i].name;
        if (name.empty() || name.size() >= kPackNameBytes || name.find('\0') != std::string::npos) {
            *error = "member name \"" + name + "\" must be 1 to 23 bytes long";
            return false;
        }
        for (size_t j = 0; j < i; j++) {
            if (lstrcmpiA(members[j].name.c_str(), name.c_str()) == 0) {
                *error = "member name \"" + name + "\" is given twice (names are found without regard to case)";
                return false;
            }
        }
    }
    const uint32_t count = (uint32_t)members.size();
    const bool hashed = layout == kLayout2Hashed;
    const uint32_t entryBytes = layout == kLayout1 ? kPackEntryBytes1 : kPackEntryBytes2;
    uint64_t dataStart = layout == kLayout1 ? 4 + (uint64_t)count * entryBytes : 4;

    std::string data;
    std::vector<FPK_ENTRY> entries(count);
    for (uint32_t i = 0; i < count; i++) {
        std::string member = EncodeMember(members[i].content, members[i].method, nullptr);
        if (dataStart + data.size() + member.size() > 0xFFFFFFFFu - (uint64_t)count * entryBytes - 16) {
            *error = "the archive would pass 4 GiB";
            return false;
        }
        FPK_ENTRY& entry = entries[i];
        memset(&entry, 0, sizeof(entry));
        entry.offset = (uint32_t)(dataStart + data.size());
        entry.size = (uint32_t)member.size();
        memcpy(entry.name, members[i].name.data(), members[i].name.size());
        entry.hash = hashed ? PackNameHash(entry.name) : 0;
        data += member;
    }
    if (hashed) {
        std::stable_sort(
            entries.begin(), entries.end(), [](const FPK_ENTRY& a, const FPK_ENTRY& b) { return a.hash < b.hash; });
    }
    std::string directory;
    for (const FPK_ENTRY& entry : entries) {
        uint8_t bytes[kPackEntryBytes2] = {};
        StoreLittle32(bytes, entry.offset);
        StoreLittle32(bytes + 4, entry.size);
        memcpy(bytes + 8, entry.name, kPackNameBytes);
        bytes[32] = (uint8_t)entry.hash;
        bytes[33] = (uint8_t)(entry.hash >> 8);
        directory.append(reinterpret_cast<const char*>(bytes), entryBytes);
    }

    archive->clear();
    if (layout == kLayout1) {
        PutLittle32(archive, count);
        *archive += directory + data;
        return true;
    }
    PutLittle32(archive, count | (hashed ? kPackHashedBit : 0x01000000u));
    *archive += data;
    uint32_t directoryOffset = (uint32_t)archive->size();
    if (hashed)
        MaskPackDirectory(reinterpret_cast<uint8_t*>(&directory[0]), (uint32_t)directory.size(), key);
    *archive += directory;
    PutLittle32(archive, hashed ? key : 0);
    PutLittle32(archive, directoryOffset);
    return true;
}
