#include "foundation/Trace.h"

#include <cstdarg>

#include "foundation/ZVString.h"

namespace {
TraceSink g_sink = nullptr;
}

void Trace(const char* format, ...)
{
    if (g_sink == nullptr)
        return;
    va_list args;
    va_start(args, format);
    CZVString line = CZVString::FormatV(format, args);
    va_end(args);
    g_sink(line.GetString());
}

TraceSink SetTraceSink(TraceSink sink)
{
    TraceSink previous = g_sink;
    g_sink = sink;
    return previous;
}
