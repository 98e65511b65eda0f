#pragma once
// A sandbox for running the installation engine on real folders: a temporary
// start-up volume (STARTUP_VOLUME_ROOT) with "Library/Keyboard Layouts" and
// "Library/Fonts", a real application bundle laid out in another temporary
// folder and made the application file, a recorder for message boxes, a
// counter of background-task calls, an empty fault plan, and a window to run
// the engine on. Everything it changes is put back when it goes.
//
// EngineSandbox is the helper object, for suites that need their own fixture
// or a fresh sandbox per table case; EngineFixture is the GoogleTest fixture
// that holds one per test. One sandbox at a time: it takes over process-wide
// settings (the environment, the test hooks) and resets them when it goes.

#include "framework/runtime/Ref.h"
#include "framework/ui/Window.h"
#include "tests/support/TempFolder.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A snapshot() of a tree: relative path -> "d", "l:target" or "f:contents".
using Tree = std::map<std::string, std::string>;

// The names the installer knows, written out as the design's tables give them
//, independently of the engine's catalogue.
inline constexpr const char* kApplicationBundleName = "Quorvan Keyboard Installer.app";
inline constexpr const char* kExecutableName = "Quorvan Keyboard Installer";
inline constexpr const char* kKeyboardBundleName = "Skelvanta.bundle";
inline constexpr const char* kFontsFolderName = "Quorvan Tamil Fonts";

// Rows 1 to 8 of keyboardItems, in row order (index 0 is row 1).
inline constexpr std::array<const char*, 8> kKeyboardFiles{
    "Zelk_Qen.keylayout", "Zelk_Qen.icns", "Zelk_Xal.keylayout", "Zelk_Xal.icns",
    "Vorp_Qen.keylayout", "Vorp_Qen.icns", "Vorp_Xal.keylayout", "Vorp_Xal.icns",
};

// Rows 1 to 40 of fontItems, in row order (index 0 is row 1).
inline constexpr std::array<const char*, 40> kFontFiles{
    "Xal-OmbrelX-B.ttf",  "Xal-OmbrelX-BI.ttf",  "Xal-OmbrelX-I.ttf",  "Xal-OmbrelX.ttf",
    "Xal-TessikX-B.ttf",  "Xal-TessikX-BI.ttf",  "Xal-TessikX-I.ttf",  "Xal-TessikX.ttf",
    "Xal-LudrowX-B.ttf",  "Xal-LudrowX-BI.ttf",  "Xal-LudrowX-I.ttf",  "Xal-LudrowX.ttf",
    "Xal-FennikX-B.ttf",  "Xal-FennikX-BI.ttf",  "Xal-FennikX-I.ttf",  "Xal-FennikX.ttf",
    "Xal-GrastinX-B.ttf", "Xal-GrastinX-BI.ttf", "Xal-GrastinX-I.ttf", "Xal-GrastinX.ttf",
    "Qen-OmbrelX-B.ttf",  "Qen-OmbrelX-BI.ttf",  "Qen-OmbrelX-I.ttf",  "Qen-OmbrelX.ttf",
    "Qen-TessikX-B.ttf",  "Qen-TessikX-BI.ttf",  "Qen-TessikX-I.ttf",  "Qen-TessikX.ttf",
    "Qen-LudrowX-B.ttf",  "Qen-LudrowX-BI.ttf",  "Qen-LudrowX-I.ttf",  "Qen-LudrowX.ttf",
    "Qen-FennikX-B.ttf",  "Qen-FennikX-BI.ttf",  "Qen-FennikX-I.ttf",  "Qen-FennikX.ttf",
    "Qen-GrastinX-B.ttf", "Qen-GrastinX-BI.ttf", "Qen-GrastinX-I.ttf", "Qen-GrastinX.ttf",
};

// Paths inside the keyboard bundle, relative to the bundle folder, of the
// entries that the removal's single steps delete.
inline constexpr const char* kInfoPlistStrings = "Contents/Resources/English.lproj/InfoPlist.strings";
inline constexpr const char* kEnglishLproj = "Contents/Resources/English.lproj";
inline constexpr const char* kBundleResources = "Contents/Resources";
inline constexpr const char* kInfoPlist = "Contents/Info.plist";
inline constexpr const char* kVersionPlist = "Contents/version.plist";
inline constexpr const char* kBundleContents = "Contents";

// The two success messages, written out here rather than taken from the
// program, so that a changed text is seen.
inline const std::string kInstalledMessage = "Quorvan விசைப் பலகைகள் மற்றும் எழுத்துருக்கள் நிறுவப்பட்டுள்ளன";
inline const std::string kRemovedMessage = "Quorvan விசைப் பலகைகள் மற்றும் எழுத்துருக்கள் நீக்கப்பட்டுள்ளன";
// Where the two entries are installed, relative to the volume, as snapshots name them.
inline const std::string kInstalledBundle = "Library/Keyboard Layouts/Skelvanta.bundle";
inline const std::string kInstalledFontsFolder = "Library/Fonts/Quorvan Tamil Fonts";

class EngineSandbox {
public:
    EngineSandbox();
    ~EngineSandbox();
    EngineSandbox(const EngineSandbox&) = delete;
    EngineSandbox& operator=(const EngineSandbox&) = delete;

    // --- the start-up volume -------------------------------------------------
    const std::filesystem::path& volume() const { return volume_.path(); }
    std::filesystem::path keyboardLayouts() const; // <volume>/Library/Keyboard Layouts
    std::filesystem::path fonts() const;           // <volume>/Library/Fonts
    std::filesystem::path installedBundle() const; // .../Keyboard Layouts/Skelvanta.bundle
    std::filesystem::path installedFonts() const;  // .../Fonts/Quorvan Tamil Fonts
    // Points STARTUP_VOLUME_ROOT at a folder that does not exist: Volume(0) is nil.
    void useMissingVolume();
    // Lays out, without the engine, what a complete installation leaves: both
    // folders copied from the application's resources.
    void layInstalled();

    // --- the application bundle ----------------------------------------------
    const std::filesystem::path& applicationFolder() const { return applicationFolder_.path(); }
    const std::filesystem::path& applicationBundle() const { return bundle_; }
    std::filesystem::path resources() const;    // <bundle>/Contents/Resources
    std::filesystem::path sourceBundle() const; // <resources>/Skelvanta.bundle
    std::filesystem::path sourceFonts() const;  // <resources>/Quorvan Tamil Fonts
    // Writes a further file into the application's resources (a picture, say).
    void writeResource(const std::string& relativePath, const std::string& contents);
    // Gives the application bundle another name and makes its executable the
    // application file again.
    void renameApplicationBundle(const std::string& newName);

    // --- trees ---------------------------------------------------------------
    Tree volumeTree() const { return snapshot(volume()); }
    Tree applicationTree() const { return snapshot(applicationFolder()); }
    // The volume as the sandbox makes it: "Library" and its two empty folders.
    static Tree bareVolumeTree();
    // The volume after a complete installation onto a bare volume.
    Tree installedVolumeTree() const;
    // The volume after a complete removal of a complete installation: the
    // fonts folder stays, empty.
    static Tree removedVolumeTree();
    // The entries of `tree` (a snapshot() of a source folder) placed under
    // `prefix`, `prefix` included as a folder.
    static Tree under(const std::string& prefix, const Tree& tree);

    // --- running the engine --------------------------------------------------
    fw::Window* window() const { return window_.get(); }
    // One run of installer::install on the window. When the run returns, it
    // also checks that it released everything it held.
    void runInstaller();
    // The texts of the message boxes shown so far, in order (UTF-8).
    const std::vector<std::string>& messages() const { return messages_; }
    // Calls of RuntimeBackgroundTask so far.
    int backgroundTasks() const { return backgroundTasks_; }
    // Forgets the messages and calls recorded so far.
    void resetRecords();

private:
    TempFolder volume_;
    TempFolder applicationFolder_;
    std::filesystem::path bundle_;
    std::optional<std::string> oldVolumeRoot_;
    std::vector<std::string> messages_;
    int backgroundTasks_ = 0;
    fw::Ref<fw::Window> window_;
};

// The GoogleTest fixture: a fresh sandbox for every test.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override { sandbox_.emplace(); }
    void TearDown() override { sandbox_.reset(); }

    EngineSandbox& sandbox() { return *sandbox_; }

private:
    std::optional<EngineSandbox> sandbox_;
};

} // namespace testing_support
