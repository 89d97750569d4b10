#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace z7 {

// How a line list was read, so that it is written back the same way. The three
// Unicode encodings carry their byte-order mark in the file.
enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

using Lines = std::vector<std::u16string>;

struct DecodedText
{
    Lines lines;
    TextEncoding encoding = TextEncoding::Ansi;
};

// A byte-order mark (UTF-8, UTF-16LE, UTF-16BE, tested in that order) decides
// the encoding, else the system's ANSI code page. CR LF, LF and CR each end a
// line, a final break adds no empty line, and a NUL ends the text.
DecodedText DecodeLines(std::string_view bytes);

// Every line followed by CR LF, the last one included; the mark of the encoding
// in front. Characters the ANSI code page cannot hold become '?'.
std::string EncodeLines(const Lines &lines, TextEncoding encoding);

} // namespace z7
