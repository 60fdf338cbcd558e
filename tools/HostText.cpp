#include "tools/ifocheck/CodePage.h"

#ifdef _WIN32
#include <windows.h>

namespace {

std::string Convert(const std::string& text, UINT from, UINT to)
{
    if (text.empty())
        return text;
    int wideCount = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideCount), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), &wide[0], wideCount);
    int count = WideCharToMultiByte(to, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideCount, &result[0], count, nullptr, nullptr);
    return result;
}

} // namespace

std::string Cp932ToUtf8(const std::string& text)
{
    return Convert(text, 932, CP_UTF8);
}

std::string SystemToUtf8(const std::string& text)
{
    return Convert(text, CP_ACP, CP_UTF8);
}

std::string Utf8ToConsole(const std::string& text)
{
    return Convert(text, CP_UTF8, CP_ACP);
}

#else
#include <iconv.h>

#include <cerrno>

std::string Cp932ToUtf8(const std::string& text)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string result;
    char chunk[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* out = chunk;
        size_t outLeft = sizeof(chunk);
        size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(chunk, static_cast<size_t>(out - chunk));
        if (converted == static_cast<size_t>(-1) && errno != E2BIG) {
            result += "\xEF\xBF\xBD"; // U+FFFD for the byte that cannot be read
            in++;
            inLeft--;
        }
    }
    iconv_close(converter);
    return result;
}

std::string SystemToUtf8(const std::string& text)
{
    return text;
}

std::string Utf8ToConsole(const std::string& text)
{
    return text;
}
#endif
