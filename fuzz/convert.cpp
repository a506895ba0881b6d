// The number rules every typed field goes through: StrToInt, StrToFloat and the amount check.
// Besides not crashing, the Try… forms must agree with the throwing ones, and the amount check
// must accept exactly what it can turn into a journal amount.
#include "platform/convert.h"
#include "forms/frame.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace formidor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string s(reinterpret_cast<const char*>(data), size);

    int32_t i = 0;
    bool okInt = TryStrToInt(s, i);
    try {
        if (StrToInt(s) != i || !okInt) std::abort();
    } catch (const EConvertError&) {
        if (okInt) std::abort();
    }
    int64_t i64 = 0;
    bool okInt64 = TryStrToInt64(s, i64);
    if (okInt && (!okInt64 || i64 != i)) std::abort();

    double d = 0;
    bool okFloat = TryStrToFloat(s, d);
    try {
        double e = StrToFloat(s);
        if (!okFloat || !(e == d || (e != e && d != d))) std::abort();
    } catch (const EConvertError&) {
        if (okFloat) std::abort();
    }

    auto amount = forms::typedAmount(s);
    std::string checked = forms::checkedAmount(s);
    if (amount) {
        if (checked != s || forms::journalAmount(checked) != *amount) std::abort();
    } else if (checked != "0") {
        std::abort();
    }
    return 0;
}
