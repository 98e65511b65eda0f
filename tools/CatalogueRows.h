#pragma once
// The installer's catalogue read as plain names, so the generator makes
// exactly the entries the installer copies and removes.

#include <string>
#include <vector>

namespace demo {

struct CatalogueFolder {
    std::string folder;             // row 0: the folder copied whole
    std::vector<std::string> files; // the rows after it
};

CatalogueFolder keyboardCatalogue();
CatalogueFolder fontCatalogue();

} // namespace demo
