// Item and line reading over a file held in memory.
#include "platform/SequentialFile.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace kalido {

namespace {

std::string inQuotes(const std::string& value) { return "\"" + value + "\""; }

} // namespace

SequentialFile::SequentialFile(std::string content)
    : text_(std::move(content))
{
}

std::optional<SequentialFile> SequentialFile::Open(const std::string& path)
{
    auto content = ReadWholeFile(path);
    if (!content)
        return std::nullopt;
    return SequentialFile(std::move(*content));
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return content;
}

bool SequentialFile::atLineEnd() const { return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n'); }

void SequentialFile::skipLineEnd()
{
    // CR LF is the file's line end; a lone LF or CR is taken as one too.
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

void SequentialFile::skipBlanks()
{
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
}

bool SequentialFile::AtEnd() const
{
    for (std::size_t p = pos_; p < text_.size(); ++p)
        if (text_[p] != ' ' && text_[p] != '\t' && text_[p] != '\r' && text_[p] != '\n')
            return false;
    return true;
}

std::string SequentialFile::LineInput()
{
    if (pos_ >= text_.size())
        throw ReadError{line_, "the file ends here", true};
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !atLineEnd())
        ++pos_;
    std::string line = text_.substr(start, pos_ - start);
    if (pos_ < text_.size())
        skipLineEnd();
    afterComma_ = false;
    return line;
}

std::string SequentialFile::Item() { return readItem(true); }

std::string SequentialFile::LineItem() { return readItem(false); }

std::string SequentialFile::readItem(bool passBlankLines)
{
    skipBlanks();
    if (!afterComma_ && passBlankLines) {
        while (atLineEnd()) {
            skipLineEnd();
            skipBlanks();
        }
    }
    if (pos_ >= text_.size() && !afterComma_)
        throw ReadError{line_, "the file ends here", true};

    itemLine_ = line_;
    std::string item;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string::npos)
            throw ReadError{line_, "a quoted text is never closed"};
        item = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
            ++pos_; // anything between the closing quote and the separator is dropped
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd())
            ++pos_;
        item = text_.substr(start, pos_ - start);
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t'))
            item.pop_back();
    }

    afterComma_ = false;
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
        } else {
            skipLineEnd();
        }
    }
    return item;
}

double SequentialFile::Number()
{
    const std::string item = Item();
    lastItem_ = item;
    std::string_view digits = item;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        throw ReadError{itemLine_, inQuotes(item) + " is not a number"};
    return value;
}

std::int16_t SequentialFile::Integer()
{
    const double value = Number();
    if (const auto whole = ToInteger(value))
        return *whole;
    throw ReadError{itemLine_, inQuotes(lastItem_) + " does not fit a 16-bit whole number"};
}

std::optional<std::int16_t> ToInteger(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode rounds half to even
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::int32_t FileLength(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max()))
        return 0;
    if (!std::ifstream(path, std::ios::binary))
        return 0; // there, but not for us to read
    return static_cast<std::int32_t>(size);
}

} // namespace kalido
