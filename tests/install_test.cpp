// The installation engine on a real temporary start-up
// volume and a real application bundle: the catalogue, a full installation and
// removal, every error-report place under the fault plan, and the cases the
// real file system gives by itself (a folder that is not empty, a missing
// source, a link, a missing volume).

#include "framework/files/FaultPlan.h"
#include "framework/runtime/Array.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Object.h"
#include "install/Catalogue.h"
#include "install/Install.h"
#include "tests/support/EngineFixture.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using fw::testing::FaultPlan;
using fw::testing::Operation;
using testing_support::EngineFixture;
using testing_support::EngineSandbox;
using testing_support::kFontFiles;
using testing_support::kKeyboardFiles;
using testing_support::Tree;
using testing_support::writeFile;
using Messages = std::vector<std::string>;

const std::string& kInstalled = testing_support::kInstalledMessage;
const std::string& kRemoved = testing_support::kRemovedMessage;
const std::string& kBundle = testing_support::kInstalledBundle;
const std::string& kFontsFolder = testing_support::kInstalledFontsFolder;

std::string inBundle(const std::string& relative) {
    return kBundle + "/" + relative;
}
std::string keyboardFile(int row) {
    return inBundle(std::string("Contents/Resources/") + kKeyboardFiles.at(row - 1));
}
std::string fontFile(int row) {
    return kFontsFolder + "/" + kFontFiles.at(row - 1);
}

std::vector<std::string> keyboardFiles(int first, int last) {
    std::vector<std::string> out;
    for (int row = first; row <= last; ++row)
        out.push_back(keyboardFile(row));
    return out;
}
std::vector<std::string> fontFiles(int first, int last) {
    std::vector<std::string> out;
    for (int row = first; row <= last; ++row)
        out.push_back(fontFile(row));
    return out;
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// `tree` without the entries `gone`, each of which must be in it.
Tree without(Tree tree, const std::vector<std::string>& gone) {
    for (const std::string& path : gone)
        EXPECT_EQ(tree.erase(path), 1u) << "not in the tree: " << path;
    return tree;
}
// `tree` without every entry at or below `prefix`.
Tree withoutUnder(Tree tree, const std::string& prefix) {
    std::erase_if(tree, [&](const auto& entry) {
        return entry.first == prefix || entry.first.starts_with(prefix + "/");
    });
    return tree;
}
Tree with(Tree tree, const Tree& more) {
    for (const auto& [path, what] : more)
        tree[path] = what;
    return tree;
}

std::string decimal(std::int32_t code) {
    return std::to_string(code);
}

// ---------------------------------------------------------------------------
// The catalogue

std::vector<std::string> rowsOf(const fw::Ref<fw::Array>& list) {
    std::vector<std::string> rows;
    for (std::int32_t i = 0; i <= list->Ubound(1); ++i)
        rows.push_back(list->StringAt(i).str());
    return rows;
}

TEST(Catalogue, ListsHoldTheDesignsRowsInOrder) {
    // The catalogue as the installer documents it, row by row.
    const std::vector<std::string> keyboardRows{
        "Skelvanta.bundle",                    // 0
        "Zelk_Qen.keylayout", "Zelk_Qen.icns", // 1, 2
        "Zelk_Xal.keylayout", "Zelk_Xal.icns", // 3, 4
        "Vorp_Qen.keylayout", "Vorp_Qen.icns", // 5, 6
        "Vorp_Xal.keylayout", "Vorp_Xal.icns", // 7, 8
    };
    const std::vector<std::string> fontRows{
        "Quorvan Tamil Fonts",                                                                  // 0
        "Xal-OmbrelX-B.ttf",   "Xal-OmbrelX-BI.ttf",  "Xal-OmbrelX-I.ttf",  "Xal-OmbrelX.ttf",  // 1-4
        "Xal-TessikX-B.ttf",   "Xal-TessikX-BI.ttf",  "Xal-TessikX-I.ttf",  "Xal-TessikX.ttf",  // 5-8
        "Xal-LudrowX-B.ttf",   "Xal-LudrowX-BI.ttf",  "Xal-LudrowX-I.ttf",  "Xal-LudrowX.ttf",  // 9-12
        "Xal-FennikX-B.ttf",   "Xal-FennikX-BI.ttf",  "Xal-FennikX-I.ttf",  "Xal-FennikX.ttf",  // 13-16
        "Xal-GrastinX-B.ttf",  "Xal-GrastinX-BI.ttf", "Xal-GrastinX-I.ttf", "Xal-GrastinX.ttf", // 17-20
        "Qen-OmbrelX-B.ttf",   "Qen-OmbrelX-BI.ttf",  "Qen-OmbrelX-I.ttf",  "Qen-OmbrelX.ttf",  // 21-24
        "Qen-TessikX-B.ttf",   "Qen-TessikX-BI.ttf",  "Qen-TessikX-I.ttf",  "Qen-TessikX.ttf",  // 25-28
        "Qen-LudrowX-B.ttf",   "Qen-LudrowX-BI.ttf",  "Qen-LudrowX-I.ttf",  "Qen-LudrowX.ttf",  // 29-32
        "Qen-FennikX-B.ttf",   "Qen-FennikX-BI.ttf",  "Qen-FennikX-I.ttf",  "Qen-FennikX.ttf",  // 33-36
        "Qen-GrastinX-B.ttf",  "Qen-GrastinX-BI.ttf", "Qen-GrastinX-I.ttf", "Qen-GrastinX.ttf", // 37-40
    };

    const fw::Ref<fw::Array> keyboard = installer::makeKeyboardItems();
    const fw::Ref<fw::Array> fonts = installer::makeFontItems();
    ASSERT_TRUE(keyboard && fonts);
    EXPECT_EQ(keyboard->elementType(), fw::ElementType::String);
    EXPECT_EQ(fonts->elementType(), fw::ElementType::String);
    EXPECT_EQ(keyboard->Ubound(1), 8);
    EXPECT_EQ(fonts->Ubound(1), 40);
    EXPECT_EQ(installer::kLastKeyboardRow, 8);
    EXPECT_EQ(installer::kLastFontRow, 40);
    EXPECT_EQ(rowsOf(keyboard), keyboardRows);
    EXPECT_EQ(rowsOf(fonts), fontRows);

    // Every run builds its lists afresh.
    EXPECT_NE(installer::makeKeyboardItems().get(), keyboard.get());
    EXPECT_NE(installer::makeFontItems().get(), fonts.get());

    // The sandbox lays out the same names, so the engine tests rest on these rows.
    EXPECT_EQ(std::vector<std::string>(kKeyboardFiles.begin(), kKeyboardFiles.end()),
              std::vector<std::string>(keyboardRows.begin() + 1, keyboardRows.end()));
    EXPECT_EQ(std::vector<std::string>(kFontFiles.begin(), kFontFiles.end()),
              std::vector<std::string>(fontRows.begin() + 1, fontRows.end()));
}

// ---------------------------------------------------------------------------
// Complete runs

using InstallTest = EngineFixture;

TEST_F(InstallTest, FullInstallationThenFullRemoval) {
    EngineSandbox& sb = sandbox();
    const Tree application = sb.applicationTree();
    ASSERT_EQ(sb.volumeTree(), EngineSandbox::bareVolumeTree());

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), Messages{kInstalled});
    EXPECT_EQ(sb.backgroundTasks(), 2);
    EXPECT_EQ(sb.volumeTree(), sb.installedVolumeTree());
    // Spelled out once, so that the expected tree itself is checked too.
    EXPECT_EQ(sb.volumeTree().at(keyboardFile(6)), "f:keyboard file Vorp_Qen.icns\n");
    EXPECT_EQ(sb.volumeTree().at(fontFile(40)), "f:font file Qen-GrastinX.ttf\n");
    EXPECT_EQ(sb.volumeTree().size(), 3u + 1u + 3u + 3u + 8u + 1u + 40u);

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), (Messages{kInstalled, kRemoved}));
    EXPECT_EQ(sb.backgroundTasks(), 2 + 48);
    // The fonts folder and "Fonts" stay; everything of the catalogue is gone.
    EXPECT_EQ(sb.volumeTree(), EngineSandbox::removedVolumeTree());

    EXPECT_EQ(sb.applicationTree(), application);
}

TEST_F(InstallTest, InstallRemoveInstallBringsEveryFontBack) {
    EngineSandbox& sb = sandbox();
    sb.runInstaller();
    sb.runInstaller();
    ASSERT_EQ(sb.volumeTree(), EngineSandbox::removedVolumeTree()) << "the removal leaves the fonts folder";

    // The fonts copy meets the empty fonts folder it left and fills it again.
    sb.runInstaller();
    EXPECT_EQ(sb.messages(), (Messages{kInstalled, kRemoved, kInstalled}));
    EXPECT_EQ(sb.backgroundTasks(), 2 + 48 + 2);
    EXPECT_EQ(sb.volumeTree(), sb.installedVolumeTree());
}

// ---------------------------------------------------------------------------
// The eleven error-report places: a planned code at each.

enum class Branch { Removal, Installation };

struct ErrorPlace {
    const char* name;
    Branch branch;
    Operation operation;
    // Removal: relative to the volume. Installation: relative to the
    // application's resources.
    std::string path;
    // After a code above 0 at this place: the messages that follow the code,
    // the background-task calls of the whole run, and what is gone from the
    // installed tree (removal) or which folders were copied (installation).
    Messages following;
    int backgroundTasks;
    std::vector<std::string> deleted;
    bool keyboardCopied = false;
    bool fontsCopied = false;
};

const std::vector<std::string> kSteps1And2{inBundle(testing_support::kInfoPlistStrings),
                                           inBundle(testing_support::kEnglishLproj)};
const std::vector<std::string> kSteps1To3 = kSteps1And2 + keyboardFiles(1, 8);
const std::vector<std::string> kSteps1To8 =
    kSteps1To3 + std::vector<std::string>{inBundle("Contents/Resources"), inBundle("Contents/Info.plist"),
                                          inBundle("Contents/version.plist"), inBundle("Contents"), kBundle};

const ErrorPlace kErrorPlaces[] = {
    // The seven single deletes end the run: nothing after them is deleted.
    {"Step1_InfoPlistStrings", Branch::Removal, Operation::Delete, kSteps1And2[0], {}, 0, {}},
    {"Step2_EnglishLproj", Branch::Removal, Operation::Delete, kSteps1And2[1], {}, 0, {kSteps1And2[0]}},
    {"Step4_Resources",
     Branch::Removal,
     Operation::Delete,
     inBundle("Contents/Resources"),
     {},
     8,
     kSteps1To3},
    {"Step5_InfoPlist",
     Branch::Removal,
     Operation::Delete,
     inBundle("Contents/Info.plist"),
     {},
     8,
     kSteps1To3 + std::vector<std::string>{inBundle("Contents/Resources")}},
    {"Step6_VersionPlist",
     Branch::Removal,
     Operation::Delete,
     inBundle("Contents/version.plist"),
     {},
     8,
     kSteps1To3 + std::vector<std::string>{inBundle("Contents/Resources"), inBundle("Contents/Info.plist")}},
    {"Step7_Contents",
     Branch::Removal,
     Operation::Delete,
     inBundle("Contents"),
     {},
     8,
     kSteps1To3 + std::vector<std::string>{inBundle("Contents/Resources"), inBundle("Contents/Info.plist"),
                                           inBundle("Contents/version.plist")}},
    {"Step8_Bundle",
     Branch::Removal,
     Operation::Delete,
     kBundle,
     {},
     8,
     std::vector<std::string>(kSteps1To8.begin(), kSteps1To8.end() - 1)},
    // The keyboard series is left at row 5: rows 6 to 8 are not tried, and
    // step 4 then meets a "Resources" that is not empty, a second report by
    // the real file system, which ends the run.
    {"Step3_KeyboardRow5",
     Branch::Removal,
     Operation::Delete,
     keyboardFile(5),
     {decimal(ENOTEMPTY)},
     4,
     kSteps1And2 + keyboardFiles(1, 4)},
    // The font series is left at row 25: rows 26 to 40 are not tried.
    {"Step9_FontRow25",
     Branch::Removal,
     Operation::Delete,
     fontFile(25),
     {},
     8 + 24,
     kSteps1To8 + fontFiles(1, 24)},
    // A failing keyboard copy leaves its series; the fonts are copied all the same.
    {"KeyboardCopy", Branch::Installation, Operation::Copy, "Skelvanta.bundle", {}, 1, {}, false, true},
    {"FontsCopy", Branch::Installation, Operation::Copy, "Quorvan Tamil Fonts", {}, 1, {}, true, false},
};

void PrintTo(const ErrorPlace& place, std::ostream* out) {
    *out << place.name;
}

const std::int32_t kCodes[] = {5, 2147483647, 0, -1, std::numeric_limits<std::int32_t>::min()};

class ErrorReportTest : public EngineFixture,
                        public ::testing::WithParamInterface<std::tuple<ErrorPlace, std::int32_t>> {};

TEST_P(ErrorReportTest, PositiveCodeIsShownAloneAndStopsAsThePlaceRequires) {
    const auto& [place, code] = GetParam();
    EngineSandbox& sb = sandbox();
    const bool removal = place.branch == Branch::Removal;
    if (removal)
        sb.layInstalled();
    const Tree application = sb.applicationTree();
    const Tree installed = sb.installedVolumeTree();
    FaultPlan::add(place.operation, (removal ? sb.volume() : sb.resources()) / place.path, code);

    sb.runInstaller();

    if (code > 0) {
        // The code's decimal digits and nothing else; no success message.
        EXPECT_EQ(sb.messages(), Messages{decimal(code)} + place.following);
        EXPECT_EQ(sb.backgroundTasks(), place.backgroundTasks);
        Tree expected;
        if (removal) {
            expected = without(installed, place.deleted);
        } else {
            expected = EngineSandbox::bareVolumeTree();
            if (place.keyboardCopied)
                expected = with(expected, withoutUnder(installed, kFontsFolder));
            if (place.fontsCopied)
                expected = with(expected, withoutUnder(installed, kBundle));
        }
        EXPECT_EQ(sb.volumeTree(), expected);
    } else {
        // Zero and negative codes count as success: the run goes on as if
        // nothing had been planned.
        EXPECT_EQ(sb.messages(), Messages{removal ? kRemoved : kInstalled});
        EXPECT_EQ(sb.backgroundTasks(), removal ? 48 : 2);
        EXPECT_EQ(sb.volumeTree(), removal ? EngineSandbox::removedVolumeTree() : installed);
    }
    EXPECT_EQ(sb.applicationTree(), application);
}

std::string codeName(std::int32_t code) {
    return code < 0 ? "minus" + std::to_string(-static_cast<std::int64_t>(code)) : std::to_string(code);
}

INSTANTIATE_TEST_SUITE_P(Places, ErrorReportTest,
                         ::testing::Combine(::testing::ValuesIn(kErrorPlaces), ::testing::ValuesIn(kCodes)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_code_" +
                                    codeName(std::get<1>(info.param));
                         });

// ---------------------------------------------------------------------------
// Two reports in one run, in the order of the operations. (A keyboard file
// followed by a "Resources" that is not empty: ErrorReportTest, Step3_KeyboardRow5.)

TEST_F(InstallTest, AbsentKeyboardFileThenFontFileShowTwoCodesInOrder) {
    EngineSandbox& sb = sandbox();
    sb.layInstalled();
    const Tree installed = sb.installedVolumeTree();
    // Row 8 is absent: its delete is still made, without a presence test, and
    // its code leaves the keyboard series; "Resources" is then empty, so the
    // run goes on through step 8 to the font series, left at row 25.
    fs::remove(sb.volume() / keyboardFile(8));
    FaultPlan::add(Operation::Delete, sb.volume() / keyboardFile(8), 13);
    FaultPlan::add(Operation::Delete, sb.volume() / fontFile(25), 28);

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), (Messages{"13", "28"}));
    EXPECT_EQ(sb.backgroundTasks(), 7 + 24);
    EXPECT_EQ(sb.volumeTree(), without(withoutUnder(installed, kBundle), fontFiles(1, 24)));
}

TEST_F(InstallTest, BothCopiesFailingShowTwoCodesInOrder) {
    EngineSandbox& sb = sandbox();
    FaultPlan::add(Operation::Copy, sb.sourceBundle(), 13);
    FaultPlan::add(Operation::Copy, sb.sourceFonts(), 28);

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), (Messages{"13", "28"}));
    EXPECT_EQ(sb.backgroundTasks(), 0);
    EXPECT_EQ(sb.volumeTree(), EngineSandbox::bareVolumeTree());
}

// ---------------------------------------------------------------------------
// What the real file system gives

TEST_F(InstallTest, UserFilesBlockTheRemovalAndAreNeverDeleted) {
    EngineSandbox& sb = sandbox();
    sb.layInstalled();
    const std::string userLayout = inBundle("Contents/Resources/My Layout.keylayout");
    const Tree userFiles{
        {userLayout, "f:the user's own layout"},
        {kFontsFolder + "/My Font.ttf", "f:the user's own font"},
        {"Library/Keyboard Layouts/Other.keylayout", "f:another layout"},
        {"Library/Fonts/Other.ttf", "f:another font"},
    };
    for (const auto& [path, what] : userFiles)
        writeFile(sb.volume() / path, what.substr(2));
    const Tree installed = with(sb.installedVolumeTree(), userFiles);

    // Steps 1 to 3 go through; "Resources" still holds the user's file.
    sb.runInstaller();
    EXPECT_EQ(sb.messages(), Messages{decimal(ENOTEMPTY)});
    EXPECT_EQ(sb.backgroundTasks(), 8);
    EXPECT_EQ(sb.volumeTree(), without(installed, kSteps1To3));

    // Once the user has taken the layout away, the removal goes through, and
    // the other files of the user stay.
    fs::remove(sb.volume() / userLayout);
    sb.resetRecords();
    sb.runInstaller();
    EXPECT_EQ(sb.messages(), Messages{kRemoved});
    EXPECT_EQ(sb.backgroundTasks(), 48);
    Tree remaining = userFiles;
    remaining.erase(userLayout);
    EXPECT_EQ(sb.volumeTree(), with(EngineSandbox::removedVolumeTree(), remaining));
}

TEST(InstallCases, LinkInPlaceOfKeyboardFileGoesAndItsTargetStays) {
    struct Case {
        const char* name;
        Tree target; // relative to the volume; the first entry is the link's target
    };
    const Case cases[] = {
        {"link to a file", {{"Users/me/icon.icns", "f:the user's icon"}}},
        {"link to a folder", {{"Users/me/Icons", "d"}, {"Users/me/Icons/icon.icns", "f:the user's icon"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineSandbox sb;
        sb.layInstalled();
        Tree outside{{"Users", "d"}, {"Users/me", "d"}};
        for (const auto& [path, what] : c.target) {
            outside[path] = what;
            if (what == "d")
                fs::create_directories(sb.volume() / path);
            else
                writeFile(sb.volume() / path, what.substr(2));
        }
        const fs::path link = sb.volume() / keyboardFile(4);
        fs::remove(link);
        fs::create_symlink(sb.volume() / c.target.begin()->first, link);

        sb.runInstaller();
        EXPECT_EQ(sb.messages(), Messages{kRemoved});
        EXPECT_EQ(sb.backgroundTasks(), 48);
        EXPECT_EQ(sb.volumeTree(), with(EngineSandbox::removedVolumeTree(), outside));
    }
}

TEST_F(InstallTest, FontsCopyFailingMidwayLeavesNoFontsFolder) {
    EngineSandbox& sb = sandbox();
    // A file halfway through the folder in the order it is listed, so that
    // the copy has written part of the folder when it fails.
    std::vector<fs::path> listed;
    for (const auto& entry : fs::directory_iterator(sb.sourceFonts()))
        listed.push_back(entry.path());
    ASSERT_EQ(listed.size(), 40u);
    FaultPlan::add(Operation::CopyFile, listed[20], EIO);
    const Tree installed = sb.installedVolumeTree();

    sb.runInstaller();
    EXPECT_EQ(sb.messages(), Messages{decimal(EIO)});
    EXPECT_EQ(sb.backgroundTasks(), 1);
    // No "Quorvan Tamil Fonts" and nothing left of the copy in "Fonts"; the
    // keyboard bundle copied before stays.
    EXPECT_EQ(sb.volumeTree(), withoutUnder(installed, kFontsFolder));
}

TEST_F(InstallTest, NilStartupVolumeRaisesBeforeAnyFileIsTouched) {
    EngineSandbox& sb = sandbox();
    sb.useMissingVolume();
    const Tree application = sb.applicationTree();
    const std::int64_t objects = fw::Object::liveCount();

    std::string raised = "nothing";
    try {
        installer::install(sb.window());
    } catch (const fw::RaisedException& e) {
        ASSERT_TRUE(e.exception());
        raised = e.exception()->className();
    }
    EXPECT_EQ(raised, "NilObjectException");
    EXPECT_EQ(sb.messages(), Messages{});
    EXPECT_EQ(sb.backgroundTasks(), 0);
    EXPECT_EQ(sb.applicationTree(), application);
    EXPECT_EQ(sb.volumeTree(), EngineSandbox::bareVolumeTree()) << "the missing volume is not made";
    EXPECT_EQ(fw::Object::liveCount(), objects) << "the run's references are released on the way out";
    EXPECT_EQ(sb.window()->refCount(), 1);
}

TEST(InstallCases, SingleStepsSkipAbsentEntriesSilently) {
    struct Case {
        const char* name;
        std::vector<std::string> absent; // relative to the bundle
    };
    const Case cases[] = {
        {"no InfoPlist.strings", {testing_support::kInfoPlistStrings}},
        {"no English.lproj", {testing_support::kEnglishLproj}},
        {"no Info.plist", {testing_support::kInfoPlist}},
        {"no version.plist", {testing_support::kVersionPlist}},
        {"no plists", {testing_support::kInfoPlist, testing_support::kVersionPlist}},
        {"an empty bundle", {testing_support::kBundleContents}},
    };
    const char* const singleSteps[] = {testing_support::kInfoPlistStrings, testing_support::kEnglishLproj,
                                       testing_support::kBundleResources,  testing_support::kInfoPlist,
                                       testing_support::kVersionPlist,     testing_support::kBundleContents};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineSandbox sb;
        sb.layInstalled();
        for (const std::string& path : c.absent)
            fs::remove_all(sb.installedBundle() / path);
        // A delete made of an absent single-step entry would show this code.
        for (const char* path : singleSteps)
            if (!fs::exists(fs::symlink_status(sb.installedBundle() / path)))
                FaultPlan::add(Operation::Delete, sb.installedBundle() / path, 77);

        sb.runInstaller();
        EXPECT_EQ(sb.messages(), Messages{kRemoved});
        EXPECT_EQ(sb.backgroundTasks(), 48);
        EXPECT_EQ(sb.volumeTree(), EngineSandbox::removedVolumeTree());
    }
}

TEST_F(InstallTest, SecondRemovalAfterOneThatEndedEarly) {
    EngineSandbox& sb = sandbox();
    sb.layInstalled();
    const Tree installed = sb.installedVolumeTree();
    FaultPlan::add(Operation::Delete, sb.volume() / inBundle("Contents/Resources"), 13);

    sb.runInstaller();
    ASSERT_EQ(sb.messages(), Messages{"13"});
    EXPECT_EQ(sb.backgroundTasks(), 8);
    EXPECT_EQ(sb.volumeTree(), without(installed, kSteps1To3));

    // Steps 1 and 2 find nothing and skip (a delete there would show 77); the
    // keyboard series deletes its absent files, each reporting 0; the rest of
    // the removal goes through, and the earlier error does not hold back this
    // run's message.
    FaultPlan::clear();
    for (const std::string& path : kSteps1And2)
        FaultPlan::add(Operation::Delete, sb.volume() / path, 77);
    sb.resetRecords();
    sb.runInstaller();
    EXPECT_EQ(sb.messages(), Messages{kRemoved});
    EXPECT_EQ(sb.backgroundTasks(), 48);
    EXPECT_EQ(sb.volumeTree(), EngineSandbox::removedVolumeTree());
}

TEST_F(InstallTest, RenamedApplicationBundleStillLooksForTheFixedName) {
    EngineSandbox& sb = sandbox();
    sb.renameApplicationBundle("Quorvan Installer Copy.app");
    const Tree application = sb.applicationTree();

    // Both sources are missing under "Quorvan Keyboard Installer.app".
    sb.runInstaller();
    EXPECT_EQ(sb.messages(), (Messages{decimal(ENOENT), decimal(ENOENT)}));
    EXPECT_EQ(sb.backgroundTasks(), 0);
    EXPECT_EQ(sb.volumeTree(), EngineSandbox::bareVolumeTree());
    EXPECT_EQ(sb.applicationTree(), application);
}

} // namespace
