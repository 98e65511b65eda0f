#include "tests/support/EngineFixture.h"

#include "framework/files/FaultPlan.h"
#include "framework/files/FolderItem.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Object.h"
#include "framework/ui/BackgroundTask.h"
#include "framework/ui/MsgBox.h"
#include "install/Install.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace testing_support {
namespace {

constexpr const char* kVolumeVariable = "STARTUP_VOLUME_ROOT";

void setVolumeVariable(const std::optional<std::string>& value) {
    if (value)
        ::setenv(kVolumeVariable, value->c_str(), 1);
    else
        ::unsetenv(kVolumeVariable);
}

fs::path executableIn(const fs::path& bundle) {
    return bundle / "Contents" / "MacOS" / kExecutableName;
}

// The keyboard bundle as the removal expects it, each file with contents of its own.
void layKeyboardBundle(const fs::path& bundle) {
    writeFile(bundle / kInfoPlist, "<plist>Skelvanta Info</plist>\n");
    writeFile(bundle / kVersionPlist, "<plist>Skelvanta version 1</plist>\n");
    writeFile(bundle / kInfoPlistStrings, "CFBundleName = \"Skelvanta\";\n");
    for (const char* name : kKeyboardFiles)
        writeFile(bundle / kBundleResources / name, std::string("keyboard file ") + name + "\n");
}

void layFontsFolder(const fs::path& folder) {
    fs::create_directories(folder);
    for (const char* name : kFontFiles)
        writeFile(folder / name, std::string("font file ") + name + "\n");
}

} // namespace

EngineSandbox::EngineSandbox() : bundle_(applicationFolder_.path() / kApplicationBundleName) {
    if (const char* old = std::getenv(kVolumeVariable))
        oldVolumeRoot_ = old;
    setVolumeVariable(volume().string());
    fs::create_directories(keyboardLayouts());
    fs::create_directories(fonts());

    writeFile(executableIn(bundle_), "#!/bin/sh\n# stand-in for the installer\n");
    fs::permissions(executableIn(bundle_), fs::perms::owner_exec, fs::perm_options::add);
    layKeyboardBundle(sourceBundle());
    layFontsFolder(sourceFonts());
    fw::SetApplicationFileForTesting(executableIn(bundle_));

    fw::SetMsgBoxRecorderForTesting([this](const fw::String& text) { messages_.push_back(text.str()); });
    fw::SetBackgroundTaskObserverForTesting([this] { ++backgroundTasks_; });
    fw::testing::FaultPlan::clear();

    fw::Ref<fw::Object> window = fw::RuntimeNewObject(fw::Window::Lookup());
    window_ = fw::dynamicRef<fw::Window>(window);
    if (!window_)
        ADD_FAILURE() << "RuntimeNewObject(Window::Lookup()) gave no window";
}

EngineSandbox::~EngineSandbox() {
    window_.reset();
    fw::testing::FaultPlan::clear();
    fw::SetBackgroundTaskObserverForTesting({});
    fw::SetMsgBoxRecorderForTesting({});
    fw::SetApplicationFileForTesting({});
    setVolumeVariable(oldVolumeRoot_);
    // The two temporary folders go with the members.
}

fs::path EngineSandbox::keyboardLayouts() const {
    return volume() / "Library" / "Keyboard Layouts";
}
fs::path EngineSandbox::fonts() const {
    return volume() / "Library" / "Fonts";
}
fs::path EngineSandbox::installedBundle() const {
    return keyboardLayouts() / kKeyboardBundleName;
}
fs::path EngineSandbox::installedFonts() const {
    return fonts() / kFontsFolderName;
}

void EngineSandbox::useMissingVolume() {
    setVolumeVariable((volume() / "no such volume").string());
}

void EngineSandbox::layInstalled() {
    fs::copy(sourceBundle(), installedBundle(), fs::copy_options::recursive);
    fs::copy(sourceFonts(), installedFonts(), fs::copy_options::recursive);
}

fs::path EngineSandbox::resources() const {
    return bundle_ / "Contents" / "Resources";
}
fs::path EngineSandbox::sourceBundle() const {
    return resources() / kKeyboardBundleName;
}
fs::path EngineSandbox::sourceFonts() const {
    return resources() / kFontsFolderName;
}

void EngineSandbox::writeResource(const std::string& relativePath, const std::string& contents) {
    writeFile(resources() / relativePath, contents);
}

void EngineSandbox::renameApplicationBundle(const std::string& newName) {
    const fs::path renamed = applicationFolder() / newName;
    fs::rename(bundle_, renamed);
    bundle_ = renamed;
    fw::SetApplicationFileForTesting(executableIn(bundle_));
}

Tree EngineSandbox::bareVolumeTree() {
    return {{"Library", "d"}, {"Library/Fonts", "d"}, {"Library/Keyboard Layouts", "d"}};
}

Tree EngineSandbox::under(const std::string& prefix, const Tree& tree) {
    Tree out{{prefix, "d"}};
    for (const auto& [path, what] : tree)
        out[prefix + "/" + path] = what;
    return out;
}

Tree EngineSandbox::installedVolumeTree() const {
    Tree out = bareVolumeTree();
    out.merge(
        under(std::string("Library/Keyboard Layouts/") + kKeyboardBundleName, snapshot(sourceBundle())));
    out.merge(under(std::string("Library/Fonts/") + kFontsFolderName, snapshot(sourceFonts())));
    return out;
}

Tree EngineSandbox::removedVolumeTree() {
    Tree out = bareVolumeTree();
    out[std::string("Library/Fonts/") + kFontsFolderName] = "d";
    return out;
}

void EngineSandbox::runInstaller() {
    const std::int64_t objectsBefore = fw::Object::liveCount();
    const int windowRefsBefore = window_ ? window_->refCount() : 0;
    installer::install(window_.get());
    // The common exit releases everything the run held.
    EXPECT_EQ(fw::Object::liveCount(), objectsBefore) << "framework objects left over by the run";
    if (window_) {
        EXPECT_EQ(window_->refCount(), windowRefsBefore) << "the run kept a reference to the window";
    }
}

void EngineSandbox::resetRecords() {
    messages_.clear();
    backgroundTasks_ = 0;
}

} // namespace testing_support
