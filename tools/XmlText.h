#pragma once
// Text placed in the generated XML files, escaped so that any name or
// character stays well-formed inside an element or a quoted attribute.

#include <string>
#include <string_view>

namespace demo {

std::string escapeXml(std::string_view text);

} // namespace demo
