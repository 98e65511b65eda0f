#include "framework/files/RemoveTree.h"

#include "framework/files/FolderListing.h"

namespace fw::posix {

Error removeTreeAt(int dir, const char* name) {
    const Error error = check(::unlinkat(dir, name, 0));
    if (error == 0 || error == ENOENT)
        return 0;
    if (error != EISDIR && error != EPERM)
        return error;

    Fd folder;
    FW_TRY(openFolderAt(dir, name, folder));
    struct stat st;
    FW_TRY(check(::fstat(folder.get(), &st)));
    // A staged copy of a read-only folder is read-only too; its entries can
    // only go once it is writable again.
    if ((st.st_mode & S_IRWXU) != S_IRWXU)
        FW_TRY(check(::fchmod(folder.get(), st.st_mode | S_IRWXU)));
    {
        FolderListing listing(std::move(folder));
        FW_TRY(listing.error());
        while (const char* child = listing.next())
            FW_TRY(removeTreeAt(listing.fd(), child));
        FW_TRY(listing.error());
    }
    return check(::unlinkat(dir, name, AT_REMOVEDIR));
}

} // namespace fw::posix
