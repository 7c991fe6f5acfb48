// Sequential reading of a text file, item by item or line by line, as the shapes file is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalido {

// What went wrong where: the 1-based line, and a sentence about the value found there.
struct ReadError {
    int line = 0;
    std::string what;
    bool endOfFile = false; // the file ended where a value or line was still expected
};

// Items are separated by commas or line ends; spaces around an item are ignored; an item may be
// enclosed in double quotes, which then let it hold commas. Numbers use "." as decimal separator.
// Item passes over blank lines between items; LineItem does not. Every read that fails throws
// ReadError.
class SequentialFile {
public:
    explicit SequentialFile(std::string content);
    // The whole file, or nothing when it cannot be opened or read.
    static std::optional<SequentialFile> Open(const std::string& path);

    // True when nothing but blanks and line ends is left.
    bool AtEnd() const;
    int Line() const { return line_; }
    // The line on which the last item read began.
    int ItemLine() const { return itemLine_; }

    std::string LineInput();
    std::string Item();
    // The item that a line starts with, where a bare line end is an empty item.
    std::string LineItem();
    double Number();
    float Single() { return static_cast<float>(Number()); }
    // A whole number in 16 bits; a fraction is rounded half to even.
    std::int16_t Integer();

private:
    std::string readItem(bool passBlankLines);
    bool atLineEnd() const;
    void skipLineEnd();
    void skipBlanks();

    std::string text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    bool afterComma_ = false;
    int itemLine_ = 1;     // the line the last item stood on
    std::string lastItem_; // the text of the last number read
};

// A file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The length in bytes of a file, or 0 when it is missing, cannot be read or is empty.
std::int32_t FileLength(const std::string& path);

// Converts a number to a 16-bit whole number, rounding half to even; nothing when out of range.
std::optional<std::int16_t> ToInteger(double value);

} // namespace kalido
