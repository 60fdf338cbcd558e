#include "tools/HostText.h"

#include <cstring>

#include "foundation/ShiftJis.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace {

const char32_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t code, std::string* out)
{
    if (code < 0x80) {
        out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (code >> 6)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (code >> 12)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (code >> 18)));
        out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = kReplacement; // a lone surrogate has no UTF-8
        AppendUtf8(code, &out);
    }
    return out;
}

// False for bytes that are not UTF-8 (overlong forms and surrogates included).
bool Utf8ToUtf16(const std::string& text, std::u16string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size();) {
        unsigned char first = static_cast<unsigned char>(text[i]);
        int more = first < 0x80 ? 0 : first >= 0xF0 && first <= 0xF4 ? 3 : first >= 0xE0 ? 2 : first >= 0xC2 ? 1 : -1;
        if (more < 0 || i + more >= text.size())
            return false;
        char32_t code = more == 0 ? first : first & (0x3F >> more);
        for (int k = 1; k <= more; k++) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (code >= 0x10000) {
            out->push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            out->push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            out->push_back(static_cast<char16_t>(code));
        }
        i += more + 1;
    }
    return true;
}

} // namespace

std::string Cp932ToUtf8(const std::string& text)
{
    std::u16string wide;
    DecodeShiftJis(text.c_str(), &wide, kReplaceBroken);
    return Utf16ToUtf8(wide);
}

bool Utf8ToCp932(const std::string& text, std::string* out)
{
    out->clear();
    std::u16string wide;
    if (!Utf8ToUtf16(text, &wide))
        return false;
    std::string encoded = EncodeShiftJis(wide.data(), wide.size());
    if (HoldsForeignEscape(encoded.c_str()))
        return false;
    *out = encoded;
    return true;
}

#ifdef _WIN32
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

std::string SystemToUtf8(const std::string& text)
{
    return Convert(text, CP_ACP, CP_UTF8);
}

std::string Utf8ToConsole(const std::string& text)
{
    return Convert(text, CP_UTF8, CP_ACP);
}

FILE* OpenHostFile(const std::string& utf8Path, const char* mode)
{
    std::u16string path;
    if (!Utf8ToUtf16(utf8Path, &path))
        return nullptr;
    std::wstring widePath(path.begin(), path.end()), wideMode(mode, mode + strlen(mode));
    return _wfopen(widePath.c_str(), wideMode.c_str());
}

void WriteText(FILE* stream, const std::string& utf8)
{
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    std::u16string wide;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) && Utf8ToUtf16(utf8, &wide)) {
        fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::string bytes = Utf8ToConsole(utf8);
    fwrite(bytes.data(), 1, bytes.size(), stream);
}

#else
std::string SystemToUtf8(const std::string& text)
{
    return text;
}

std::string Utf8ToConsole(const std::string& text)
{
    return text;
}

FILE* OpenHostFile(const std::string& utf8Path, const char* mode)
{
    return fopen(utf8Path.c_str(), mode);
}

void WriteText(FILE* stream, const std::string& utf8)
{
    fwrite(utf8.data(), 1, utf8.size(), stream);
}
#endif
