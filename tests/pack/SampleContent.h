// Content that looks like a title's files, made from a fixed seed so that every run packs the same bytes: script
// text with Shift-JIS words, bitmap-like runs of colours, and incompressible noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CSampleContent {
public:
    explicit CSampleContent(uint32_t seed) : m_seed(seed) {}

    uint32_t Next()
    {
        m_seed = m_seed * 1103515245u + 12345u;
        return m_seed >> 8;
    }

    // Lines of a script-like text with repeated words and Shift-JIS text.
    std::string Text(size_t size)
    {
        const char* const words[]
            = {"$gametitle=", "インストール", "C:\\Program Files\\", "setup.exe", "\r\n", " ", "表ソ"};
        std::string text;
        while (text.size() < size)
            text += words[Next() % 7];
        text.resize(size);
        return text;
    }

    // A bitmap-like picture: rows of runs of a few colours of three bytes.
    std::string Picture(size_t size)
    {
        std::string picture;
        while (picture.size() < size) {
            uint32_t colour = Next() % 4 * 0x3F3F3F, run = Next() % 40 + 1;
            for (uint32_t i = 0; i < run; i++)
                picture += std::string{(char)colour, (char)(colour >> 8), (char)(colour >> 16)};
        }
        picture.resize(size);
        return picture;
    }

    std::string Noise(size_t size)
    {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = (char)Next();
        return bytes;
    }

private:
    uint32_t m_seed;
};
