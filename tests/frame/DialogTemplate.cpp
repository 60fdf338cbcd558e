#include "tests/frame/DialogTemplate.h"

namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool ok() const { return m_ok; }
    WORD Word()
    {
        WORD value = 0;
        Copy(&value, sizeof(value));
        return value;
    }
    DWORD Dword()
    {
        DWORD value = 0;
        Copy(&value, sizeof(value));
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    void AlignDword() { m_offset = (m_offset + 3) & ~static_cast<size_t>(3); }
    void Skip(size_t count)
    {
        if (m_offset + count > m_size)
            m_ok = false;
        else
            m_offset += count;
    }
    // A zero-terminated UTF-16 text, returned in the ANSI code page.
    std::string Text()
    {
        std::wstring wide;
        for (WORD ch = Word(); m_ok && ch != 0; ch = Word())
            wide.push_back(static_cast<wchar_t>(ch));
        return Narrow(wide);
    }
    // A name or an ordinal (0xFFFF then a number); empty for 0x0000.
    std::string NameOrOrdinal(WORD* ordinal)
    {
        *ordinal = 0;
        if (m_offset + 2 > m_size) {
            m_ok = false;
            return "";
        }
        WORD first = *reinterpret_cast<const WORD*>(m_data + m_offset);
        if (first == 0xFFFF) {
            Word();
            *ordinal = Word();
            return "";
        }
        return Text();
    }

private:
    static std::string Narrow(const std::wstring& wide)
    {
        if (wide.empty())
            return "";
        char buffer[1024] = "";
        int length = WideCharToMultiByte(
            CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), buffer, sizeof(buffer) - 1, nullptr, nullptr);
        return std::string(buffer, length > 0 ? length : 0);
    }
    void Copy(void* out, size_t count)
    {
        if (m_offset + count > m_size) {
            m_ok = false;
            return;
        }
        memcpy(out, m_data + m_offset, count);
        m_offset += count;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_offset = 0;
    bool m_ok = true;
};

std::string PredefinedClass(WORD ordinal)
{
    switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return "#" + std::to_string(ordinal);
    }
}

} // namespace

bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* dialog)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (found == nullptr)
        return false;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    Reader reader(data, SizeofResource(module, found));

    WORD version = reader.Word();
    WORD signature = reader.Word();
    dialog->extended = version == 1 && signature == 0xFFFF;
    if (dialog->extended) {
        reader.Dword(); // help id
        dialog->exStyle = reader.Dword();
        dialog->style = reader.Dword();
    } else {
        dialog->style = MAKELONG(version, signature);
        dialog->exStyle = reader.Dword();
    }
    WORD itemCount = reader.Word();
    reader.Short();
    reader.Short();
    dialog->width = reader.Short();
    dialog->height = reader.Short();
    WORD ordinal;
    reader.NameOrOrdinal(&ordinal); // menu
    reader.NameOrOrdinal(&ordinal); // class
    dialog->title = reader.Text();
    dialog->fontPoints = 0;
    if (dialog->style & DS_SETFONT) {
        dialog->fontPoints = reader.Word();
        if (dialog->extended) {
            reader.Word(); // weight
            reader.Skip(2); // italic, character set
        }
        dialog->fontFace = reader.Text();
    }

    dialog->items.clear();
    for (WORD i = 0; i < itemCount && reader.ok(); i++) {
        reader.AlignDword();
        DialogItem item;
        if (dialog->extended) {
            reader.Dword(); // help id
            item.exStyle = reader.Dword();
            item.style = reader.Dword();
        } else {
            item.style = reader.Dword();
            item.exStyle = reader.Dword();
        }
        int x = reader.Short(), y = reader.Short(), cx = reader.Short(), cy = reader.Short();
        item.units = {x, y, x + cx, y + cy};
        item.id = dialog->extended ? static_cast<int>(reader.Dword()) : static_cast<short>(reader.Word());
        item.className = reader.NameOrOrdinal(&ordinal);
        if (item.className.empty())
            item.className = PredefinedClass(ordinal);
        item.text = reader.NameOrOrdinal(&ordinal);
        WORD extraBytes = reader.Word();
        reader.Skip(extraBytes);
        dialog->items.push_back(item);
    }
    return reader.ok();
}
