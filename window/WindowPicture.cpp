#include "window/WindowPicture.h"

#include "framework/runtime/Exception.h"
#include "framework/runtime/StackCheck.h"
#include "framework/ui/ApplicationResources.h"
#include "window/Texts.h"

namespace x_QuorvanBG {
namespace {

// The one-time flag, and the static it guards. The holder is made once and
// never destroyed, so the reference it takes to the picture is never
// released, not even at shut-down.
bool picInitialised = false;
fw::Ref<fw::Picture>* pic = nullptr;

} // namespace

fw::Ref<fw::Picture> QuorvanBG() {
    fw::RuntimeStackCheck();
    if (!picInitialised) {
        picInitialised = true;
        pic = new fw::Ref<fw::Picture>();
    }
    if (!*pic) {
        const fw::Ref<fw::FolderItem> resources = fw::GetApplicationBundleResources();
        if (resources) {
            const fw::Ref<fw::FolderItem> file = resources->Child(Window1::texts::kPictureFile.text());
            *pic = fw::NotNil(file).OpenAsPicture();
        }
    }
    return *pic;
}

} // namespace x_QuorvanBG
