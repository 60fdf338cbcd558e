// The installer's command line parser on any text (up to the first zero byte, as the system hands a command line
// over). Besides the sanitizers, a fault is an option left as it was before the parse, a value that is not
// terminated within its field, a -type outside 0 to 999, or quiet options that the copy would read back otherwise
// than the first start read them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "startup/CommandLine.h"

namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "command_line: %s\n", what);
        abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    COMMAND_LINE_OPTIONS options;
    memset(&options, 0xBD, sizeof(options)); // marker bytes: the parse must set every field
    ParseCommandLine(line.c_str(), &options);
    for (const bool* flag : {&options.silent, &options.temp, &options.quiet, &options.reinstall, &options.uninstall,
             &options.erase, &options.noDesktop, &options.noStartMenu, &options.allUsers}) {
        uint8_t value;
        memcpy(&value, flag, 1);
        Require(value <= 1, "a flag was not set by the parse");
    }
    for (const char* field : {options.dir, options.target, options.log, options.badOption})
        Require(memchr(field, '\0', kPathBytes) != nullptr, "a value is not terminated");
    Require(options.type >= 0 && options.type <= 999, "-type out of range");

    if (options.quiet && options.badOption[0] == '\0') {
        std::string handedOn = std::string("-temp ") + FormatHandedOnOptions(options).GetString();
        COMMAND_LINE_OPTIONS copy;
        ParseCommandLine(handedOn.c_str(), &copy);
        Require(copy.badOption[0] == '\0', "the handed-on options are bad");
        Require(copy.quiet && copy.reinstall == options.reinstall && copy.uninstall == options.uninstall
                && copy.erase == options.erase && copy.noDesktop == options.noDesktop
                && copy.noStartMenu == options.noStartMenu && copy.allUsers == options.allUsers
                && copy.type == options.type && strcmp(copy.target, options.target) == 0
                && strcmp(copy.log, options.log) == 0,
            "the copy reads other options than were given");
    }
    return 0;
}
