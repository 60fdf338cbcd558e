// CZVString: the installer's one text type. A byte string in the ANSI code page (Shift-JIS) whose buffer is
// shared and reference-counted, so strings are passed and returned by value; every operation that changes the
// text first gives this string a buffer of its own. Two read cursors make it the program's text reader: a line
// cursor (GetFirstLine / GetNextLine / IsEndOfLines) and a token position (GetFirstToken / GetNextToken).
//
// Offsets, lengths and counts are in bytes. The operations documented as "double-byte aware" walk characters
// with the code page's lead-byte table, so a trail byte is never taken for an ASCII character; comparison,
// Left, Mid and GetAt work on bytes and may cut a double-byte character.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "foundation/PathText.h"

// One line of a text as found by GetLineTable.
struct LINE_SPAN {
    int32_t offset;  // first byte of the line
    int32_t length;  // bytes of the line, without its line break
};

class CZVString {
public:
    CZVString();
    CZVString(const char* text);  // null or "" gives an empty string
    CZVString(const CZVString& other);  // shares the buffer; cursors start at 0
    virtual ~CZVString();
    CZVString& operator=(const CZVString& other);  // Assign

    void Assign(const CZVString& other);  // share other's buffer
    void CopyFrom(const CZVString& other);  // take a deep copy of other's buffer
    void Empty();
    bool Alloc(int capacity);  // new buffer of this capacity, text "", to be filled through GetBuffer
    bool MakeUnique();  // replace the buffer by a deep copy of itself, shared or not
    // Writable text; capacity + 1 bytes may be written. A shared buffer is made unique first.
    char* GetBuffer();

    // Read-only text, always zero-terminated, valid until this string changes.
    const char* GetString() const;
    int GetLength() const;  // recounts up to the first zero byte
    int GetCapacity() const;
    bool IsEmpty() const;
    bool IsNull() const;
    char GetAt(int index) const;  // no bounds check: the caller keeps index <= length

    bool operator==(const CZVString& other) const;
    bool operator!=(const CZVString& other) const { return !(*this == other); }
    // Unsigned byte order, except that an empty string is less than every non-empty one.
    bool operator<(const CZVString& other) const;
    bool EqualsNoCase(const CZVString& other) const;

    CZVString& Append(const CZVString& other);
    CZVString& operator+=(const CZVString& other) { return Append(other); }
    CZVString Concat(const CZVString& other) const;
    CZVString operator+(const CZVString& other) const { return Concat(other); }
    friend CZVString operator+(const char* text, const CZVString& other) { return CZVString(text).Concat(other); }

    // wvsprintfA conversions (no floating point); the result is cut to 1023 bytes.
    static CZVString Format(const char* format, ...);
    static CZVString FormatV(const char* format, va_list args);

    CZVString Left(int count) const;
    CZVString Mid(int start) const;  // the caller keeps start <= length
    CZVString Mid(int start, int count) const;  // the caller keeps start + count <= length
    int Replace(const CZVString& oldText, const CZVString& newText);  // returns the number of replacements
    void MakeLower();  // double-byte aware: only single-byte 'A'-'Z' change
    void Trim(const CZVString& set);  // double-byte aware; the set may hold double-byte characters
    void TrimAndUnquote();  // trims blanks, tabs and line feeds, then one pair of enclosing double quotes

    int Find(char ch, int start = 0) const;  // double-byte aware; -1 when not found
    int Find(const CZVString& sub, int start = 0) const;  // double-byte aware; -1 when not found

    // Lines end at a line feed; a carriage return right before it is not part of the line.
    CZVString GetFirstLine();
    CZVString GetNextLine();
    bool IsEndOfLines() const;
    int GetLineCount() const;  // double-byte aware: 1 + the line feeds
    int GetLineTable(int maxCount, LINE_SPAN* spans) const;  // double-byte aware; returns the spans filled

    // Each character of delims separates tokens; a run of delimiters counts as one separator.
    CZVString GetFirstToken(const CZVString& delims);
    CZVString GetNextToken(const CZVString& delims);

    // Loads a whole file; with no packName, memberName is a plain file's path. A zero byte ends the text.
    bool LoadFromPack(const char* memberName, const char* packName = nullptr);
    // Writes the text's bytes as they are (no terminator). An empty string writes nothing and fails.
    bool Save(const char* fileName) const;

private:
    struct _STRING_BUFFER {
        char* text;  // capacity + 1 bytes, always zero-terminated; the shared static "" when capacity is 0
        int32_t capacity;
        mutable int32_t length;  // as last counted
        int32_t referenceCount;
        mutable bool written;  // handed out through GetBuffer since length was last counted

        static _STRING_BUFFER* New(int32_t capacityBytes);  // text "", length 0
        static _STRING_BUFFER* NewCopy(const char* source, int32_t byteCount);  // capacity = byteCount
        static void Destroy(_STRING_BUFFER* buffer);
        virtual ~_STRING_BUFFER();

    private:
        _STRING_BUFFER(char* block, int32_t capacityBytes);
        _STRING_BUFFER(const _STRING_BUFFER&) = delete;
        _STRING_BUFFER& operator=(const _STRING_BUFFER&) = delete;
    };

    explicit CZVString(_STRING_BUFFER* buffer);
    static CZVString FromBytes(const char* bytes, int count);
    static _STRING_BUFFER* Joined(
        const char* first, int firstLength, const char* second, int secondLength, int32_t capacity);
    void Release();
    int CountedLength() const;  // the kept length; counted again only after a write through GetBuffer
    void Take(_STRING_BUFFER* buffer);  // replace the buffer, resetting both cursors
    int FindLineFeed(int start) const;
    CZVString ReadLineAt(int start, int lineFeed);

    _STRING_BUFFER* m_buffer;
    int32_t m_tokenPosition;
    int32_t m_lineCursor;
};
