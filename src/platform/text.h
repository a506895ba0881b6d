#pragma once
// Texts inside the program are UTF-8. Files and the journal use the ANSI code page, which on
// our side is always Windows-1252.
#include <string>
#include <string_view>

namespace formidor {

// UTF-8 to Windows-1252; characters the code page lacks (and broken UTF-8) become "?".
std::string utf8ToCp1252(std::string_view utf8);
// Windows-1252 to UTF-8; the five bytes the code page leaves undefined read as "?".
std::string cp1252ToUtf8(std::string_view bytes);

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
// Decodes one code point at pos and advances pos; broken sequences give U+FFFD.
char32_t decodeUtf8(std::string_view s, size_t& pos);
void appendUtf8(std::string& out, char32_t cp);
// Number of code points.
size_t utf8Length(std::string_view s);
// The first n code points.
std::string utf8Left(std::string_view s, size_t n);

// Unicode simple case folding of every code point ("MÜLLER" and "Müller" fold alike).
std::string caseFold(std::string_view utf8);
bool sameTextIgnoringCase(std::string_view a, std::string_view b);
// Only the letters A–Z are folded, everything else stays as it is.
std::string lowerAscii(std::string_view s);
std::string upperAscii(std::string_view s);

// Removes leading and trailing characters up to and including the blank (control characters).
std::string trim(std::string_view s);
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);

// Replaces the first "%s" in pattern by arg: the shape of every German message with a value.
std::string formatMessage(std::string_view pattern, std::string_view arg);

} // namespace formidor
