// The edit-mask text rule: any mask text, any field text, any typing. The first line of the
// input is the mask, the rest the text; the edit text must always keep one code point per
// position.
#include "platform/editmask.h"
#include "platform/text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace formidor;

namespace {
size_t codePoints(std::string_view s) {
    size_t n = 0, pos = 0;
    while (pos < s.size()) {
        decodeUtf8(s, pos);
        ++n;
    }
    return n;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    size_t nl = in.find('\n');
    std::string_view maskText = in.substr(0, nl);
    std::string_view text = nl == std::string_view::npos ? std::string_view{} : in.substr(nl + 1);

    EditMask mask(maskText);
    std::string empty = mask.emptyEditText();
    if (codePoints(empty) != mask.length()) std::abort();
    std::string edit = mask.editTextFor(text);
    if (!mask.empty() && codePoints(edit) != mask.length()) std::abort();
    (void)mask.text(edit);
    (void)mask.isComplete(edit);
    (void)mask.text(text); // what a field may hold before the mask is applied

    // Type the text character by character into an empty field, then take some back.
    std::string typed = empty;
    size_t cursor = 0, pos = 0;
    while (pos < text.size()) {
        char32_t c = decodeUtf8(text, pos);
        mask.typeChar(typed, cursor, c);
        if (codePoints(typed) != mask.length()) std::abort();
    }
    mask.backspace(typed, cursor);
    mask.clearRange(typed, mask.length() / 3, mask.length());
    if (codePoints(typed) != mask.length()) std::abort();
    (void)mask.text(typed);
    return 0;
}
