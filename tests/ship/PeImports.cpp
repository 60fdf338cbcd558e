#include "tests/ship/PeImports.h"

#include <sstream>

namespace {

const uint16_t kPe32Magic = 0x10B;
const uint32_t kImportDirectoryIndex = 1;
const uint32_t kOrdinalFlag32 = 0x80000000u;
const size_t kSectionHeaderBytes = 40;
const size_t kImportDescriptorBytes = 20;
// Far beyond any real program: a table without its terminator ends the read instead of running on.
const size_t kMostDescriptors = 1000;
const size_t kMostThunks = 100000;
const size_t kMostNameBytes = 512;

class CImageReader {
public:
    explicit CImageReader(const std::string& bytes)
        : m_bytes(bytes)
    {
    }

    bool U16(size_t offset, uint16_t* value) const
    {
        if (offset > m_bytes.size() || m_bytes.size() - offset < 2)
            return false;
        *value = (uint16_t)(Byte(offset) | Byte(offset + 1) << 8);
        return true;
    }

    bool U32(size_t offset, uint32_t* value) const
    {
        if (offset > m_bytes.size() || m_bytes.size() - offset < 4)
            return false;
        *value = Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 | (uint32_t)Byte(offset + 3) << 24;
        return true;
    }

    // A zero-terminated name that lies wholly inside the file.
    bool Name(size_t offset, std::string* name) const
    {
        for (size_t end = offset; end < m_bytes.size() && end - offset < kMostNameBytes; end++) {
            if (m_bytes[end] == '\0') {
                *name = m_bytes.substr(offset, end - offset);
                return true;
            }
        }
        return false;
    }

    bool HasBytes(size_t offset, const char* expected, size_t count) const
    {
        return offset <= m_bytes.size() && m_bytes.size() - offset >= count
            && m_bytes.compare(offset, count, expected, count) == 0;
    }

    // The file offset of a relative virtual address, through the section that holds it.
    bool FileOffset(uint32_t rva, size_t* offset) const
    {
        for (const SECTION& section : m_sections) {
            uint32_t span = section.virtualSize > section.rawSize ? section.virtualSize : section.rawSize;
            if (rva >= section.virtualAddress && rva - section.virtualAddress < span) {
                uint32_t within = rva - section.virtualAddress;
                if (within >= section.rawSize)
                    return false; // in memory only: nothing of it is in the file
                *offset = (size_t)section.rawOffset + within;
                return *offset < m_bytes.size();
            }
        }
        return false;
    }

    bool ReadSections(size_t tableOffset, uint16_t count, std::vector<std::string>* names)
    {
        for (uint16_t i = 0; i < count; i++) {
            size_t at = tableOffset + i * kSectionHeaderBytes;
            if (at > m_bytes.size() || m_bytes.size() - at < kSectionHeaderBytes)
                return false;
            std::string name(m_bytes.data() + at, 8);
            names->push_back(name.substr(0, name.find('\0')));
            SECTION section;
            if (!U32(at + 8, &section.virtualSize) || !U32(at + 12, &section.virtualAddress)
                || !U32(at + 16, &section.rawSize) || !U32(at + 20, &section.rawOffset))
                return false;
            m_sections.push_back(section);
        }
        return true;
    }

private:
    struct SECTION {
        uint32_t virtualSize, virtualAddress, rawSize, rawOffset;
    };

    uint32_t Byte(size_t offset) const { return (uint8_t)m_bytes[offset]; }

    const std::string& m_bytes;
    std::vector<SECTION> m_sections;
};

bool Fail(std::string* error, const std::string& reason)
{
    *error = reason;
    return false;
}

std::string Hex(uint32_t value)
{
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

// The functions of one imported DLL: the hint/name table (or, without one, the address table as the file holds it).
bool ReadThunks(
    const CImageReader& image, const std::string& dll, uint32_t tableRva, PE_PROGRAM_FACTS* facts, std::string* error)
{
    size_t table = 0;
    if (!image.FileOffset(tableRva, &table))
        return Fail(error, "the import table of " + dll + " lies outside the file");
    for (size_t i = 0; i < kMostThunks; i++) {
        uint32_t thunk = 0;
        if (!image.U32(table + 4 * i, &thunk))
            return Fail(error, "the import table of " + dll + " runs past the end of the file");
        if (thunk == 0)
            return true;
        PE_IMPORT import = {dll, "", 0};
        if (thunk & kOrdinalFlag32) {
            import.ordinal = thunk & 0xFFFF;
        } else {
            size_t hintName = 0;
            if (!image.FileOffset(thunk, &hintName) || !image.Name(hintName + 2, &import.function))
                return Fail(error, "an imported name of " + dll + " lies outside the file (" + Hex(thunk) + ")");
        }
        facts->imports.push_back(import);
    }
    return Fail(error, "the import table of " + dll + " has no end");
}

} // namespace

bool ReadPeProgramFacts(const std::string& bytes, PE_PROGRAM_FACTS* facts, std::string* error)
{
    *facts = PE_PROGRAM_FACTS();
    CImageReader image(bytes);
    uint32_t peOffset = 0;
    if (!image.HasBytes(0, "MZ", 2) || !image.U32(0x3C, &peOffset))
        return Fail(error, "no DOS header (MZ)");
    if (!image.HasBytes(peOffset, "PE\0\0", 4))
        return Fail(error, "no PE signature at " + Hex(peOffset));
    size_t coff = peOffset + 4;
    size_t optional = coff + 20;
    uint16_t sectionCount = 0, optionalBytes = 0, magic = 0;
    if (!image.U16(coff, &facts->machine) || !image.U16(coff + 2, &sectionCount)
        || !image.U32(coff + 8, &facts->symbolTableOffset) || !image.U16(coff + 16, &optionalBytes)
        || !image.U16(optional, &magic))
        return Fail(error, "the PE header is cut short");
    if (magic != kPe32Magic)
        return Fail(error, "not a PE32 image (optional header magic " + Hex(magic) + "): not a 32-bit program");
    uint32_t directoryCount = 0, importRva = 0;
    if (!image.U16(optional + 48, &facts->majorSubsystemVersion)
        || !image.U16(optional + 50, &facts->minorSubsystemVersion) || !image.U16(optional + 68, &facts->subsystem)
        || !image.U32(optional + 92, &directoryCount)
        || !image.ReadSections(optional + optionalBytes, sectionCount, &facts->sectionNames))
        return Fail(error, "the optional header or the section table is cut short");
    if (directoryCount <= kImportDirectoryIndex || !image.U32(optional + 96 + 8 * kImportDirectoryIndex, &importRva)
        || importRva == 0)
        return true; // imports nothing

    size_t descriptors = 0;
    if (!image.FileOffset(importRva, &descriptors))
        return Fail(error, "the import directory lies outside the file");
    for (size_t i = 0; i < kMostDescriptors; i++) {
        size_t at = descriptors + i * kImportDescriptorBytes;
        uint32_t nameTableRva = 0, dllNameRva = 0, addressTableRva = 0;
        if (!image.U32(at, &nameTableRva) || !image.U32(at + 12, &dllNameRva) || !image.U32(at + 16, &addressTableRva))
            return Fail(error, "the import directory runs past the end of the file");
        if (dllNameRva == 0 && addressTableRva == 0)
            return true;
        size_t dllName = 0;
        std::string dll;
        if (!image.FileOffset(dllNameRva, &dllName) || !image.Name(dllName, &dll))
            return Fail(error, "the name of an imported DLL lies outside the file");
        if (!ReadThunks(image, dll, nameTableRva != 0 ? nameTableRva : addressTableRva, facts, error))
            return false;
    }
    return Fail(error, "the import directory has no end");
}
