// What a 32-bit Windows program asks of the system before it runs, read from its bytes alone: the DOS header, the
// PE header, the section table and the import directory with its hint/name tables. No system call looks at the
// file, so the answer is the file's own, whatever the system running the reader would forgive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PE_IMPORT {
    std::string dll; // as the file spells it
    std::string function; // empty for an import by ordinal
    uint32_t ordinal; // only for an import by ordinal
};

struct PE_PROGRAM_FACTS {
    uint16_t machine; // 0x14C for i386
    uint16_t subsystem; // 2 for a GUI program
    uint16_t majorSubsystemVersion;
    uint16_t minorSubsystemVersion;
    std::vector<PE_IMPORT> imports; // in the file's order
    std::vector<std::string>
        sectionNames; // as the section table spells them ("/4": a long name, as debug sections have)
    uint32_t symbolTableOffset; // 0 when the file carries no symbols
};

// Reads the facts of a PE32 image (a 32-bit program). False, with the reason in *error, when bytes are not one or
// any part read here points outside the file.
bool ReadPeProgramFacts(const std::string& bytes, PE_PROGRAM_FACTS* facts, std::string* error);
