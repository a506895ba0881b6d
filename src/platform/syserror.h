#pragma once
// The reason of a failed file operation (an errno value) as a German sentence for the user.
#include <string>

namespace formidor {

std::string systemErrorText(int err);

} // namespace formidor
