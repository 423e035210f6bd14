#pragma once
// Finds start tags with more attributes than any board needs, before the XML reader sees them:
// libxml2 takes time in the square of an element's attribute count.

#include <cstddef>
#include <string_view>

namespace tindral {

// Eagle writes at most about twenty attributes on an element.
constexpr size_t kMaxAttributes = 64;

// Offset of the '<' of the first start tag with more than max_attributes attributes, or npos.
// Comments, CDATA sections, processing instructions and quoted values are read past; what
// follows a malformed spot does not matter, as the reader stops there anyway.
size_t first_crowded_tag(std::string_view xml, size_t max_attributes = kMaxAttributes);

}  // namespace tindral
