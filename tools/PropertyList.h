#pragma once
// A small XML property list: a dictionary of text values and nested
// dictionaries, which is all the generated bundles describe themselves with.

#include <string>
#include <vector>

namespace demo {

struct PlistEntry {
    std::string key;
    std::string text; // used when `dictionary` is empty
    std::vector<PlistEntry> dictionary;
};

// The whole document, from the XML declaration on.
std::string propertyListXml(const std::vector<PlistEntry>& root);

} // namespace demo
