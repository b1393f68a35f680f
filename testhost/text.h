// Text helpers for journal details and census messages: GUIDs in their usual text form,
// the names of the host's own ids, and UTF-16 <-> UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "host/guid.h"

namespace testhost {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::string guidText(const GUID& id);

// The name of a host id (interface, record class, value type, attribute, frame request
// kind), or its text form when the host does not know it.
std::string idName(const GUID& id);

// Lone surrogates become U+FFFD rather than failing: a module bug should show up as text.
std::string utf8(std::u16string_view text);
std::u16string utf16(std::string_view text);

// A null pointer gives an empty string.
std::u16string copyWide(const char16_t* text);

// 'text' with quotes, for details.
std::string quoted(std::u16string_view text);

}  // namespace testhost
