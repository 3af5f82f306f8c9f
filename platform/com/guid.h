// The registry text form of a GUID, "{596899B8-343C-495C-A8B7-C21608F71CAB}":
// how class ids are written under HKEY_CLASSES_ROOT and compared there.
#pragma once

#include "platform/com/unknwn.h"

#include <string>
#include <string_view>

// The braced, upper-case, 38-character form.
std::string GuidToString(const GUID &guid);

// Parses exactly the braced 38-character form, hexadecimal digits of either
// case; anything else (no braces, missing or extra characters, a misplaced
// hyphen) gives false and leaves `*out` untouched.
bool GuidFromString(std::string_view text, GUID *out);
