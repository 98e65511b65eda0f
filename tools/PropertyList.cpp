#include "tools/PropertyList.h"

#include "tools/XmlText.h"

namespace demo {
namespace {

void appendDictionary(std::string& out, const std::vector<PlistEntry>& entries, const std::string& indent) {
    out += indent + "<dict>\n";
    for (const PlistEntry& e : entries) {
        out += indent + "\t<key>" + escapeXml(e.key) + "</key>\n";
        if (e.dictionary.empty())
            out += indent + "\t<string>" + escapeXml(e.text) + "</string>\n";
        else
            appendDictionary(out, e.dictionary, indent + "\t");
    }
    out += indent + "</dict>\n";
}

} // namespace

std::string propertyListXml(const std::vector<PlistEntry>& root) {
    // No DOCTYPE: readers of property lists need only the versioned root.
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<plist version=\"1.0\">\n";
    appendDictionary(out, root, "");
    out += "</plist>\n";
    return out;
}

} // namespace demo
