// fpkpack: builds pack archives for the installer's reader, and lists or extracts them through that reader.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/ShiftJis.h"
#include "foundation/SystemApi.h"
#include "pack/FPK.h"
#include "tools/HostText.h"
#include "tools/fpkpack/PackWriter.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

const char kUsage[]
    = "usage:\n"
      "  fpkpack [-1 | -2 | -h] [-k KEY] ARCHIVE [-m METHOD] FILE... [-m METHOD] FILE...\n"
      "      builds ARCHIVE from the FILEs; each member is named after its file (at most 23 bytes)\n"
      "      -1         layout 1: directory at the start (the default)\n"
      "      -2         layout 2: directory at the end, plain\n"
      "      -h         layout 2, directory masked and sorted by name hash (random key unless -k)\n"
      "      -k KEY     the mask key, hexadecimal (implies -h)\n"
      "      -m METHOD  stored, zlc2, rle0 or best, for the files after it (default stored); --best = -m best\n"
      "                 an empty file, or one that begins with a method's tag, cannot be stored: it becomes rle0\n"
      "  fpkpack -l ARCHIVE        lists each member with its size and method\n"
      "  fpkpack -x ARCHIVE DIR    extracts every member into DIR\n";

const char* const kMethodNames[] = {"stored", "zlc2", "rle0"};

bool ReadWholeFile(const std::string& path, std::string* content)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        return false;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    *content = bytes.str();
    return !file.bad();
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file.write(content.data(), (std::streamsize)content.size());
    file.close();
    return !file.fail();
}

// Writes an extracted member by its UTF-8 path, so that its name, Japanese or not, reaches the file system on any host.
bool WriteMemberFile(const std::string& utf8Path, const std::string& content)
{
    FILE* file = OpenHostFile(utf8Path, "wb");
    if (file == nullptr)
        return false;
    bool written = fwrite(content.data(), 1, content.size(), file) == content.size();
    return fclose(file) == 0 && written;
}

// The file's name without its folder, in the host's encoding: on Windows the ANSI code page, whose lead bytes the
// system knows; elsewhere UTF-8, where no byte of a longer character is a separator.
std::string HostBaseName(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i++) {
#ifdef _WIN32
        if (IsDBCSLeadByte((BYTE)path[i]) && i + 1 < path.size()) {
            i++;
            continue;
        }
#endif
        if (path[i] == '/' || path[i] == '\\')
            start = i + 1;
    }
    return path.substr(start);
}

// A member name (Shift-JIS, as the installer reads it) that stays inside the extraction folder: no separator, no
// drive, not "." or "..".
bool IsSafeFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (size_t i = 0; i < name.size(); i++) {
        if (IsShiftJisLeadByte((unsigned char)name[i]) && i + 1 < name.size())
            i++; // a trail byte 0x5C is no separator
        else if (name[i] == '/' || name[i] == '\\' || name[i] == ':')
            return false;
    }
    return true;
}

// A member's name as the host writes and shows names.
std::string HostName(const std::string& memberName)
{
    return Utf8ToConsole(Cp932ToUtf8(memberName));
}

bool MakeFolder(const std::string& path)
{
#ifdef _WIN32
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
#else
    struct stat info;
    return mkdir(path.c_str(), 0755) == 0 || (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
#endif
}

int ListArchive(const char* archivePath)
{
    CFPK reader;
    if (!reader.Create(archivePath)) {
        fprintf(stderr, "fpkpack: %s is not a readable pack archive\n", archivePath);
        return 1;
    }
    int status = 0;
    for (int32_t i = 0; i < reader.GetEntryCount(); i++) {
        const char* name = reader.GetEntryName(i);
        std::string shown = Cp932ToUtf8(name);
        shown.resize(std::max(shown.size(), (size_t)23), ' ');
        char details[64];
        if (!reader.Open(name)) {
            WriteText(stdout, shown + "  (cannot be read)\n");
            status = 1;
            continue;
        }
        snprintf(details, sizeof(details), " %10lu  %s\n", (unsigned long)reader.GetSize(),
            kMethodNames[reader.GetMethod()]);
        WriteText(stdout, shown + details);
        reader.Close();
    }
    return status;
}

// Reads the open member whole, in pieces; false when it gives fewer bytes than its size.
bool ReadMember(CFPK* reader, std::string* content)
{
    uint32_t size = reader->GetSize();
    content->clear();
    std::vector<char> piece(65536);
    for (;;) {
        int32_t got = reader->Read(piece.data(), (int32_t)piece.size());
        if (got <= 0)
            break;
        content->append(piece.data(), (size_t)got);
    }
    return content->size() == size;
}

int ExtractArchive(const char* archivePath, const std::string& folder)
{
    CFPK reader;
    if (!reader.Create(archivePath)) {
        fprintf(stderr, "fpkpack: %s is not a readable pack archive\n", archivePath);
        return 1;
    }
    if (!MakeFolder(folder)) {
        fprintf(stderr, "fpkpack: cannot make the folder %s\n", folder.c_str());
        return 1;
    }
    int status = 0;
    for (int32_t i = 0; i < reader.GetEntryCount(); i++) {
        std::string name = reader.GetEntryName(i);
        std::string content;
        if (!IsSafeFileName(name)) {
            fprintf(stderr, "fpkpack: member \"%s\" is not a plain file name; skipped\n", HostName(name).c_str());
            status = 1;
        } else if (!reader.Open(name.c_str()) || !ReadMember(&reader, &content)) {
            fprintf(stderr, "fpkpack: member %s cannot be read\n", HostName(name).c_str());
            status = 1;
        } else if (!WriteMemberFile(SystemToUtf8(folder) + "/" + Cp932ToUtf8(name), content)) {
            fprintf(stderr, "fpkpack: cannot write %s/%s\n", folder.c_str(), HostName(name).c_str());
            status = 1;
        }
        reader.Close();
    }
    return status;
}

uint32_t RandomKey()
{
    std::random_device device;
    uint32_t clock = (uint32_t)std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::mt19937 generator(device() ^ clock);
    return generator();
}

int BuildArchive(int argc, char** argv)
{
    PackLayout layout = kLayout1;
    bool keyGiven = false;
    uint32_t key = 0;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-'; arg++) {
        std::string option = argv[arg];
        if (option == "-1") {
            layout = kLayout1;
        } else if (option == "-2") {
            layout = kLayout2;
        } else if (option == "-h") {
            layout = kLayout2Hashed;
        } else if (option == "-k" && arg + 1 < argc) {
            char* end = nullptr;
            key = (uint32_t)strtoul(argv[++arg], &end, 16);
            if (*argv[arg] == '\0' || *end != '\0') {
                fprintf(stderr, "fpkpack: the key %s is not a hexadecimal number\n", argv[arg]);
                return 2;
            }
            keyGiven = true;
            layout = kLayout2Hashed;
        } else {
            fprintf(stderr, "fpkpack: unknown option %s\n%s", option.c_str(), kUsage);
            return 2;
        }
    }
    if (arg >= argc) {
        fputs(kUsage, stderr);
        return 2;
    }
    const char* archivePath = argv[arg++];
    std::vector<PACK_MEMBER> members;
    int method = kMethodStored;
    for (; arg < argc; arg++) {
        std::string word = argv[arg];
        if (word == "--best" || word == "-m") {
            std::string name = word == "--best" ? "best" : (arg + 1 < argc ? argv[++arg] : "");
            const char* const names[] = {"stored", "zlc2", "rle0", "best"};
            const int methods[] = {kMethodStored, kMethodZlc2, kMethodRle0, kMethodBest};
            method = -2;
            for (int i = 0; i < 4; i++) {
                if (name == names[i])
                    method = methods[i];
            }
            if (method == -2) {
                fprintf(stderr, "fpkpack: unknown method \"%s\" (stored, zlc2, rle0 or best)\n", name.c_str());
                return 2;
            }
            continue;
        }
        PACK_MEMBER member;
        if (!Utf8ToCp932(SystemToUtf8(HostBaseName(word)), &member.name)) {
            fprintf(stderr, "fpkpack: the name of %s cannot be written in Shift-JIS, as the installer reads it\n",
                word.c_str());
            return 1;
        }
        member.method = method;
        if (member.name.size() >= kPackNameBytes) {
            fprintf(stderr, "fpkpack: the name %s is %u bytes long; a member name has at most 23\n",
                HostName(member.name).c_str(), (unsigned)member.name.size());
            return 1;
        }
        if (!ReadWholeFile(word, &member.content)) {
            fprintf(stderr, "fpkpack: cannot read %s\n", word.c_str());
            return 1;
        }
        members.push_back(member);
    }
    if (layout == kLayout2Hashed && !keyGiven)
        key = RandomKey();
    std::string archive, error;
    if (!BuildPackArchive(members, layout, key, &archive, &error)) {
        fprintf(stderr, "fpkpack: %s\n", error.c_str());
        return 1;
    }
    if (!WriteWholeFile(archivePath, archive)) {
        fprintf(stderr, "fpkpack: cannot write %s\n", archivePath);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "-l") == 0)
        return ListArchive(argv[2]);
    if (argc == 4 && strcmp(argv[1], "-x") == 0)
        return ExtractArchive(argv[2], argv[3]);
    if (argc < 2 || strcmp(argv[1], "-l") == 0 || strcmp(argv[1], "-x") == 0 || strcmp(argv[1], "--help") == 0) {
        fputs(kUsage, argc < 2 || strcmp(argv[1], "--help") != 0 ? stderr : stdout);
        return 2;
    }
    return BuildArchive(argc, argv);
}
