// The installer's command line parser on any text (up to the first zero byte, as the system hands a command line
// over). Besides the sanitizers, a fault is an option left as it was before the parse or a -dir value that is not
// terminated within its field.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    uint8_t silent, temp;
    memcpy(&silent, &options.silent, 1);
    memcpy(&temp, &options.temp, 1);
    Require(silent <= 1 && temp <= 1, "a flag was not set by the parse");
    Require(memchr(options.dir, '\0', sizeof(options.dir)) != nullptr, "the -dir value is not terminated");
    return 0;
}
