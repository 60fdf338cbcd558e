#include "pack/PackFormat.h"

#include <cstring>

uint16_t PackNameHash(const char* name)
{
    if (name == nullptr)
        return 0;
    uint16_t hash = 0;
    for (uint32_t i = 0; i < kPackNameBytes - 1 && name[i] != '\0'; i++) {
        char byte = name[i];
        if (byte >= 'a' && byte <= 'z')
            byte = (char)(byte - 'a' + 'A');
        hash = (uint16_t)(hash + (int32_t)(int8_t)byte * (int32_t)(i + 1));
    }
    return hash;
}

void ParsePackEntry(const uint8_t* bytes, uint32_t entryBytes, bool hashed, FPK_ENTRY* entry)
{
    entry->offset = LoadLittle32(bytes);
    entry->size = LoadLittle32(bytes + 4);
    memcpy(entry->name, bytes + 8, kPackNameBytes);
    entry->name[kPackNameBytes - 1] = '\0';
    entry->hash = 0;
    entry->unused[0] = entry->unused[1] = 0;
    if (hashed && entryBytes >= kPackEntryBytes2)
        entry->hash = (uint16_t)(bytes[32] | bytes[33] << 8);
}

void MaskPackDirectory(uint8_t* directory, uint32_t length, uint32_t key)
{
    for (uint32_t i = 0; i < length; i++)
        directory[i] ^= (uint8_t)(key >> (8 * (i % 4)));
}
