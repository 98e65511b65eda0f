#include "tools/CatalogueRows.h"

#include "install/Catalogue.h"

namespace demo {
namespace {

CatalogueFolder rowsOf(const fw::Ref<fw::Array>& list) {
    CatalogueFolder rows;
    rows.folder = list->StringAt(0).str();
    for (std::int32_t i = 1; i <= list->Ubound(1); ++i)
        rows.files.push_back(list->StringAt(i).str());
    return rows;
}

} // namespace

CatalogueFolder keyboardCatalogue() {
    return rowsOf(installer::makeKeyboardItems());
}
CatalogueFolder fontCatalogue() {
    return rowsOf(installer::makeFontItems());
}

} // namespace demo
