// The file services on real temporary folders: the start-up volume, the
// application's folder, child items, deleting entries, and copying entries
// and whole trees, with the fault plan for the codes a real disk will not give.

#include "framework/files/FaultPlan.h"
#include "framework/files/FileSystem.h"
#include "framework/files/FolderItem.h"
#include "framework/files/WorkPump.h"
#include "framework/runtime/ClassRecord.h"
#include "framework/runtime/Exception.h"
#include "tests/support/Raised.h"
#include "tests/support/TempFolder.h"

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <map>
#include <optional>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using fw::FolderItem;
using fw::Ref;
using fw::String;
using fw::testing::FaultPlan;
using fw::testing::Operation;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;
using Tree = std::map<std::string, std::string>;

using testing_support::nameOfRaised;

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ~ScopedEnv() { set(old_); }

private:
    void set(const std::optional<std::string>& value) {
        if (value)
            setenv(name_, value->c_str(), 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

// Every entry below `root` by its path relative to `root`: "d" for a folder,
// "l:" and the target for a link, "f:" and the contents for a file. Keys are
// formed lexically, so that a link is listed under its own name.
Tree snapshot(const fs::path& root) {
    Tree out;
    if (!fs::exists(fs::symlink_status(root)))
        return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = e.path().lexically_relative(root).string();
        if (e.is_symlink())
            out[rel] = "l:" + fs::read_symlink(e.path()).string();
        else if (e.is_directory())
            out[rel] = "d";
        else
            out[rel] = "f:" + readFile(e.path());
    }
    return out;
}

// Every entry's permission bits and modification time, links left out (their
// times are the link's own on some systems and the target's on others).
Tree modesAndTimes(const fs::path& root) {
    auto describe = [](const fs::path& p) {
        return std::to_string(static_cast<int>(fs::symlink_status(p).permissions())) + "@" +
               std::to_string(fs::last_write_time(p).time_since_epoch().count());
    };
    Tree out{{".", describe(root)}};
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (!e.is_symlink())
            out[e.path().lexically_relative(root).string()] = describe(e.path());
    return out;
}

// Gives the entries below `root`, and `root`, distinct times in the past with
// nanoseconds, deepest first so that no folder's time is changed afterwards.
void ageTree(const fs::path& root) {
    std::vector<fs::path> entries{root};
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (!e.is_symlink())
            entries.push_back(e.path());
    auto t = fs::file_time_type::clock::now() - std::chrono::hours(1000);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        t += std::chrono::nanoseconds(1'234'567'891);
        fs::last_write_time(*it, t);
    }
}

// A keyboard bundle with the kinds of entry a copy must keep: nested folders,
// an empty one and a read-only one, files of several modes, a relative link,
// a dangling link and a link to a folder outside the tree.
void layBundle(const fs::path& root, const fs::path& outsideFolder) {
    using P = fs::perms;
    writeFile(root / "Contents/Info.plist", "<plist/>");
    writeFile(root / "Contents/Resources/Skelvanta.keylayout", "<keyboard/>");
    writeFile(root / "Contents/Resources/English.lproj/InfoPlist.strings", "strings");
    writeFile(root / "Contents/Resources/tool", "#!/bin/sh\n");
    writeFile(root / "Contents/Resources/private", "p");
    writeFile(root / "Contents/Locked/readme", "r");
    fs::create_directories(root / "Contents/Empty");
    fs::create_symlink("Resources/Skelvanta.keylayout", root / "Contents/Current");
    fs::create_symlink("/no/such/target", root / "Contents/Dangling");
    writeFile(outsideFolder / "outside.txt", "outside");
    fs::create_symlink(outsideFolder, root / "Contents/Elsewhere");
    fs::permissions(root / "Contents/Resources/tool",
                    P::owner_all | P::group_read | P::group_exec | P::others_read);
    fs::permissions(root / "Contents/Resources/private", P::owner_read | P::owner_write);
    fs::permissions(root / "Contents/Locked/readme", P::owner_read | P::group_read);
    fs::permissions(root / "Contents/Resources", P::owner_all | P::group_read | P::group_exec);
    fs::permissions(root / "Contents/Locked", P::owner_read | P::owner_exec);
    ageTree(root);
}

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(src());
        fs::create_directories(dst());
    }
    void TearDown() override { FaultPlan::clear(); }

    fs::path src() const { return tmp / "src"; }
    fs::path dst() const { return tmp / "dst"; }

    // Copies the entry at `from` into `into`; the copy's LastErrorCode.
    static int copy(const fs::path& from, const fs::path& into) {
        Ref<FolderItem> item = FolderItem::at(from);
        item->CopyFileTo(FolderItem::at(into));
        return item->LastErrorCode();
    }

    TempFolder tmp;
};

// --- Items: the start-up volume, the application's folder, constructors, children

TEST(FilesVolume, StartupVolumeIsTheConfiguredFolderWhileItExists) {
    TempFolder tmp;
    writeFile(tmp / "file", "x");
    const struct {
        const char* name;
        std::optional<std::string> root;
        std::optional<fs::path> expected; // none: nil
    } cases[] = {
        {"unset", std::nullopt, fs::path("/")},
        {"a folder", tmp.path().string(), tmp.path()},
        {"a missing folder", (tmp / "missing").string(), std::nullopt},
        {"a file", (tmp / "file").string(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnv env("STARTUP_VOLUME_ROOT", c.root);
        Ref<FolderItem> volume = fw::Volume(0);
        ASSERT_EQ(bool(volume), c.expected.has_value());
        if (volume) {
            EXPECT_EQ(volume->path(), *c.expected);
            EXPECT_EQ(volume->classRecord(), FolderItem::Lookup());
        }
        EXPECT_FALSE(fw::Volume(1));
        EXPECT_FALSE(fw::Volume(-1));
    }
}

TEST(FilesApplication, PathConstructorGivesTheFolderHoldingTheApplication) {
    const fs::path running = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(fw::ApplicationFile(), running);
    const struct {
        fs::path applicationFile;
        fs::path expected;
    } cases[] = {
        {"/v/Apps/Demo Installer.app/Contents/MacOS/Demo Installer", "/v/Apps"},
        {"/v/bin/tool", "/v/bin"},
        {"/v/Demo/Contents/MacOS/Demo", "/v/Demo/Contents/MacOS"}, // not a bundle: no ".app"
        {"/v/Demo.app/MacOS/Demo", "/v/Demo.app/MacOS"},           // not a bundle: no "Contents"
        {"", running.parent_path()},                               // the test program itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.applicationFile);
        fw::SetApplicationFileForTesting(c.applicationFile);
        Ref<FolderItem> item = fw::make<FolderItem>();
        item->Constructor(String(), 0);
        EXPECT_EQ(item->path(), c.expected);
    }
    fw::SetApplicationFileForTesting({});
    EXPECT_EQ(fw::ApplicationFile(), running);
}

TEST(FilesItem, ConstructorsAndClassRecord) {
    Ref<FolderItem> byPath = fw::make<FolderItem>();
    byPath->Constructor(String("/v/Library"), 0);
    EXPECT_EQ(byPath->path(), fs::path("/v/Library"));
    byPath->Constructor(String("relative/item"), 3); // every mode reads a native path
    EXPECT_EQ(byPath->path(), fs::path("relative/item"));

    Ref<FolderItem> copied = fw::make<FolderItem>();
    copied->Constructor(byPath);
    EXPECT_EQ(copied->path(), byPath->path());
    EXPECT_EQ(nameOfRaised([&] { copied->Constructor(Ref<FolderItem>()); }), "NilObjectException");

    const fw::ClassRecord* record = FolderItem::Lookup();
    ASSERT_EQ(record, FolderItem::Lookup());
    EXPECT_EQ(record->name, String("FolderItem"));
    Ref<fw::Object> made = fw::RuntimeNewObject(record);
    Ref<FolderItem> item = fw::RuntimeCheckCast<FolderItem>(made, record);
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->path().empty());
    EXPECT_EQ(FolderItem::at("/v")->Child(String("x"))->classRecord(), record);
}

TEST(FilesItem, ChildNeverNamesAnEntryOutsideTheFolder) {
    Ref<FolderItem> folder = FolderItem::at("/v/Library");
    for (const String& bad : {String(""), String("."), String(".."), String("a/b"), String("/"),
                              String("../etc"), String(std::string_view("a\0b", 3))}) {
        SCOPED_TRACE(bad.str());
        EXPECT_FALSE(folder->Child(bad));
    }
    for (const char* good : {"Fonts", ".hidden", "...", "a b", "Skelvanta.bundle"}) {
        SCOPED_TRACE(good);
        Ref<FolderItem> child = folder->Child(String(std::string_view(good)));
        ASSERT_TRUE(child);
        EXPECT_EQ(child->path(), fs::path("/v/Library") / good);
    }
    EXPECT_FALSE(fw::make<FolderItem>()->Child(String("Fonts"))); // not constructed yet
}

TEST_F(Files, ExistsSeesEveryKindOfEntryADanglingLinkIncluded) {
    writeFile(tmp / "file", "x");
    fs::create_symlink(tmp / "missing", tmp / "dangling");
    EXPECT_TRUE(FolderItem::at(tmp / "file")->Exists());
    EXPECT_TRUE(FolderItem::at(src())->Exists());
    EXPECT_TRUE(FolderItem::at(tmp / "dangling")->Exists());
    EXPECT_FALSE(FolderItem::at(tmp / "missing")->Exists());
    EXPECT_FALSE(fw::make<FolderItem>()->Exists());
}

// --- Delete

TEST(FilesDelete, RemovesTheEntryItselfNeverRecursively) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> lay;
        const char* entry;
        int code;
        Tree after;
    } cases[] = {
        {"file", [](const fs::path& t) { writeFile(t / "f", "x"); }, "f", 0, {}},
        {"link to a file",
         [](const fs::path& t) {
             writeFile(t / "target", "t");
             fs::create_symlink("target", t / "link");
         },
         "link",
         0,
         {{"target", "f:t"}}},
        {"link to a folder",
         [](const fs::path& t) {
             writeFile(t / "dir/inside", "i");
             fs::create_symlink("dir", t / "link");
         },
         "link",
         0,
         {{"dir", "d"}, {"dir/inside", "f:i"}}},
        {"empty folder", [](const fs::path& t) { fs::create_directory(t / "dir"); }, "dir", 0, {}},
        {"folder with an entry",
         [](const fs::path& t) { writeFile(t / "dir/inside", "i"); },
         "dir",
         ENOTEMPTY,
         {{"dir", "d"}, {"dir/inside", "f:i"}}},
        {"missing entry", [](const fs::path&) {}, "missing", 0, {}},
        {"entry in a missing folder", [](const fs::path&) {}, "missing/entry", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        c.lay(tmp.path());
        Ref<FolderItem> item = FolderItem::at(tmp / c.entry);
        item->Delete();
        EXPECT_EQ(item->LastErrorCode(), c.code);
        EXPECT_EQ(snapshot(tmp.path()), c.after);
    }
}

TEST_F(Files, LastErrorCodeIsTheLatestOutcome) {
    writeFile(src() / "inside", "i");
    Ref<FolderItem> folder = FolderItem::at(src());
    folder->Delete();
    EXPECT_EQ(folder->LastErrorCode(), ENOTEMPTY);
    EXPECT_EQ(folder->LastErrorCode(), ENOTEMPTY);
    fs::remove(src() / "inside");
    folder->Delete();
    EXPECT_EQ(folder->LastErrorCode(), 0);
    EXPECT_FALSE(folder->Exists());
}

// --- Links on the way to an entry

// A delete, or a copy's destination, with a link at one step of its path:
// the link leads to a tree outside the start folder that holds the same
// names. Each case runs with the kernel's lookup and with the walk that
// stands in for it where the kernel has none.
TEST(FilesLinks, NothingIsReachedThroughALinkBeforeTheLastName) {
    const std::vector<std::string> names{"Library", "Fonts", "Quorvan", "font.ttf"};
    for (const bool walk : {false, true}) {
        fw::posix::SetWalkWithoutOpenat2ForTesting(walk);
        for (std::size_t at = 0; at < names.size(); ++at) {
            SCOPED_TRACE(names[at] + (walk ? " is a link, walking" : " is a link, in the kernel"));
            TempFolder tmp;
            const fs::path start = tmp / "volume", outside = tmp / "outside";
            writeFile(outside / "Library/Fonts/Quorvan/font.ttf", "the user's font");
            writeFile(tmp / "Quorvan/font.ttf", "the installer's font");
            fs::path real = start, there = outside;
            for (std::size_t i = 0; i < at; ++i) {
                real /= names[i];
                there /= names[i];
            }
            fs::create_directories(real);
            fs::create_symlink(there / names[at], real / names[at]);
            const Tree volume = snapshot(start), user = snapshot(outside);

            Ref<FolderItem> item = FolderItem::at(start);
            for (const std::string& name : names)
                item = item->Child(String(name));
            EXPECT_TRUE(item->Exists()) << "the path as the system resolves it";
            item->Delete();
            if (at + 1 < names.size()) {
                EXPECT_EQ(item->LastErrorCode(), ELOOP);
                EXPECT_EQ(snapshot(start), volume);
            } else {
                EXPECT_EQ(item->LastErrorCode(), 0) << "a link as the last name goes itself";
                EXPECT_FALSE(fs::exists(fs::symlink_status(real / names[at])));
            }
            EXPECT_EQ(snapshot(outside), user);

            if (at + 1 < names.size()) {
                Ref<FolderItem> destination = FolderItem::at(start);
                for (std::size_t i = 0; i + 1 < names.size(); ++i)
                    destination = destination->Child(String(names[i]));
                Ref<FolderItem> source = FolderItem::at(tmp / "Quorvan");
                source->CopyFileTo(destination);
                EXPECT_EQ(source->LastErrorCode(), ELOOP);
                EXPECT_EQ(snapshot(outside), user);
                EXPECT_EQ(snapshot(start), volume);
            }
        }
    }
    fw::posix::SetWalkWithoutOpenat2ForTesting(false);
}

// The kernel itself refuses openat2, as one older than 5.6 does: a filter
// in a forked child answers ENOSYS for it. Links are still refused, and
// everything else works.
TEST(FilesLinks, OnAKernelWithoutOpenat2TheWalkTakesOver) {
    TempFolder tmp;
    writeFile(tmp / "outside/Fonts/font.ttf", "the user's");
    writeFile(tmp / "volume/Library/Fonts/font.ttf", "ours");
    writeFile(tmp / "Item/a.ttf", "a");
    fs::create_symlink(tmp / "outside/Fonts", tmp / "volume/Library/Linked");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat2, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
        if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            ::_exit(100);
        Ref<FolderItem> library = FolderItem::at(tmp / "volume")->Child(String("Library"));
        Ref<FolderItem> linked = library->Child(String("Linked"))->Child(String("font.ttf"));
        linked->Delete();
        Ref<FolderItem> item = FolderItem::at(tmp / "Item");
        item->CopyFileTo(library->Child(String("Linked")));
        const int throughLink = item->LastErrorCode();
        item->CopyFileTo(library->Child(String("Fonts")));
        Ref<FolderItem> ours = library->Child(String("Fonts"))->Child(String("font.ttf"));
        ours->Delete();
        // One bit for each outcome that is not as it should be.
        ::_exit((linked->LastErrorCode() != ELOOP) | (throughLink != ELOOP) << 1 |
                (item->LastErrorCode() != 0) << 2 | (ours->LastErrorCode() != 0) << 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 100)
        GTEST_SKIP() << "no seccomp filter can be set here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(tmp / "outside/Fonts/font.ttf"), "the user's");
    EXPECT_EQ(snapshot(tmp / "outside"), (Tree{{"Fonts", "d"}, {"Fonts/font.ttf", "f:the user's"}}));
    EXPECT_EQ(snapshot(tmp / "volume/Library/Fonts"), (Tree{{"Item", "d"}, {"Item/a.ttf", "f:a"}}));
}

TEST(FilesLinks, AnItemCopiedFromAnotherStartsWhereThatOneStarted) {
    TempFolder tmp;
    writeFile(tmp / "outside/f", "the user's");
    fs::create_directories(tmp / "volume");
    fs::create_symlink(tmp / "outside", tmp / "volume/Library");
    Ref<FolderItem> copied = fw::make<FolderItem>();
    copied->Constructor(FolderItem::at(tmp / "volume")->Child(String("Library"))->Child(String("f")));
    copied->Delete();
    EXPECT_EQ(copied->LastErrorCode(), ELOOP);
    EXPECT_EQ(readFile(tmp / "outside/f"), "the user's");
}

// --- Copy into a destination without the entry

TEST_F(Files, CopyOfATreeKeepsContentsLinksModesAndTimes) {
    layBundle(src() / "Skelvanta.bundle", tmp / "outside");
    const Tree outside = snapshot(tmp / "outside");

    ASSERT_EQ(copy(src() / "Skelvanta.bundle", dst()), 0);

    EXPECT_EQ(snapshot(dst() / "Skelvanta.bundle"), snapshot(src() / "Skelvanta.bundle"));
    EXPECT_EQ(modesAndTimes(dst() / "Skelvanta.bundle"), modesAndTimes(src() / "Skelvanta.bundle"));
    EXPECT_EQ(snapshot(dst()).count(fw::posix::stagingNameFor("Skelvanta.bundle")), 0u);
    EXPECT_EQ(snapshot(tmp / "outside"), outside);
}

TEST_F(Files, CopyOfASingleEntryKeepsWhatItIsALinkGivingWhatItLeadsTo) {
    writeFile(src() / "font.ttf", "glyphs");
    fs::permissions(src() / "font.ttf", fs::perms::owner_read | fs::perms::group_read);
    fs::last_write_time(src() / "font.ttf", fs::file_time_type::clock::now() - std::chrono::hours(50));
    fs::create_symlink("font.ttf", src() / "link");
    fs::create_symlink("/no/such/target", src() / "dangling");
    writeFile(src() / "empty", "");
    for (const char* name : {"font.ttf", "empty"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(copy(src() / name, dst()), 0);
        EXPECT_EQ(snapshot(dst()).at(name), snapshot(src()).at(name));
    }
    // A link given as the source: the entry it leads to, under the link's name.
    ASSERT_EQ(copy(src() / "link", dst()), 0);
    EXPECT_EQ(snapshot(dst()).at("link"), "f:glyphs");
    EXPECT_EQ(copy(src() / "dangling", dst()), ENOENT);
    EXPECT_EQ(modesAndTimes(dst()).at("font.ttf"), modesAndTimes(src()).at("font.ttf"));
    EXPECT_EQ(modesAndTimes(dst()).at("link"), modesAndTimes(src()).at("font.ttf"));
    EXPECT_EQ(snapshot(dst()).size(), 3u);
}

// --- Copy onto entries of the same name

TEST_F(Files, CopyOntoASameNamedFolderMergesIntoIt) {
    const fs::path from = src() / "Fonts", into = dst() / "Fonts";
    writeFile(from / "a.ttf", "new a");
    writeFile(from / "b.ttf", "new b");
    writeFile(from / "sub/c.ttf", "new c");
    writeFile(from / "newsub/d.ttf", "d");
    ageTree(from);
    writeFile(into / "a.ttf", "old a");
    fs::create_hard_link(into / "a.ttf", tmp / "a-elsewhere");
    writeFile(tmp / "outside.ttf", "outside");
    fs::create_symlink(tmp / "outside.ttf", into / "b.ttf");
    writeFile(into / "extra.ttf", "keep");
    writeFile(into / "sub/old.ttf", "keep too");
    fs::permissions(into, fs::perms::owner_all);
    const fs::perms ownMode = fs::status(into).permissions();

    ASSERT_EQ(copy(from, dst()), 0);

    const Tree expected{{"a.ttf", "f:new a"},     {"b.ttf", "f:new b"},         {"extra.ttf", "f:keep"},
                        {"newsub", "d"},          {"newsub/d.ttf", "f:d"},      {"sub", "d"},
                        {"sub/c.ttf", "f:new c"}, {"sub/old.ttf", "f:keep too"}};
    EXPECT_EQ(snapshot(into), expected);
    // Replaced by a new file, never written in place or through a link.
    EXPECT_EQ(readFile(tmp / "a-elsewhere"), "old a");
    EXPECT_EQ(readFile(tmp / "outside.ttf"), "outside");
    const Tree sourceTimes = modesAndTimes(from), copiedTimes = modesAndTimes(into);
    for (const char* entry : {"a.ttf", "b.ttf", "newsub", "newsub/d.ttf", "sub/c.ttf"}) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(copiedTimes.at(entry), sourceTimes.at(entry));
    }
    // The folders merged into keep their own mode and times; only their entries change.
    EXPECT_EQ(fs::status(into).permissions(), ownMode);
    for (const char* folder : {".", "sub"}) {
        SCOPED_TRACE(folder);
        EXPECT_NE(copiedTimes.at(folder), sourceTimes.at(folder));
    }
}

TEST_F(Files, CopyOntoASameNamedFileOrLinkReplacesIt) {
    writeFile(src() / "font.ttf", "new");
    writeFile(tmp / "outside.ttf", "outside");
    const struct {
        const char* name;
        std::function<void()> lay;
        fs::path untouched;
        const char* untouchedContents;
    } cases[] = {
        {"file with a second name",
         [&] {
             writeFile(dst() / "font.ttf", "old");
             fs::create_hard_link(dst() / "font.ttf", tmp / "second-name");
         },
         tmp / "second-name", "old"},
        {"link", [&] { fs::create_symlink(tmp / "outside.ttf", dst() / "font.ttf"); }, tmp / "outside.ttf",
         "outside"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dst() / "font.ttf");
        c.lay();
        ASSERT_EQ(copy(src() / "font.ttf", dst()), 0);
        EXPECT_EQ(snapshot(dst()), (Tree{{"font.ttf", "f:new"}}));
        EXPECT_EQ(readFile(c.untouched), c.untouchedContents);
    }
}

TEST(FilesCopy, FolderMeetingNonFolderGivesEExistAndChangesNothing) {
    // Each case has files the merge would replace besides the conflict, so a
    // copy that changed anything before finding it shows.
    const struct {
        const char* name;
        Tree source, destination;
    } cases[] = {
        {"folder onto a file", {{"Item/a.ttf", "new"}}, {{"Item", ""}}},
        {"file onto a folder", {{"Item", "new"}}, {{"Item/a.ttf", "old"}}},
        {"file onto a folder deep inside",
         {{"Item/a.ttf", "new"}, {"Item/z.ttf", "new"}, {"Item/deep/x", "new"}, {"Item/deep/y", "new"}},
         {{"Item/a.ttf", "old"},
          {"Item/z.ttf", "old"},
          {"Item/deep/y", "old"},
          {"Item/deep/x/inner", "old"}}},
        {"folder onto a file deep inside",
         {{"Item/a.ttf", "new"}, {"Item/z.ttf", "new"}, {"Item/deep/x/inner", "new"}, {"Item/deep/y", "new"}},
         {{"Item/a.ttf", "old"}, {"Item/z.ttf", "old"}, {"Item/deep/y", "old"}, {"Item/deep/x", "old"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        for (const auto& [rel, contents] : c.source)
            writeFile(tmp / ("src/" + rel), contents);
        for (const auto& [rel, contents] : c.destination)
            writeFile(tmp / ("dst/" + rel), contents);
        const Tree before = snapshot(tmp / "dst"), timesBefore = modesAndTimes(tmp / "dst");
        Ref<FolderItem> item = FolderItem::at(tmp / "src/Item");
        item->CopyFileTo(FolderItem::at(tmp / "dst"));
        EXPECT_EQ(item->LastErrorCode(), EEXIST);
        EXPECT_EQ(snapshot(tmp / "dst"), before);
        EXPECT_EQ(modesAndTimes(tmp / "dst"), timesBefore); // not even a staging entry made and removed
    }
}

TEST_F(Files, FolderOntoALinkToAFolderGivesEExist) {
    writeFile(src() / "Item/a.ttf", "new");
    writeFile(tmp / "elsewhere/a.ttf", "old");
    fs::create_symlink(tmp / "elsewhere", dst() / "Item");
    EXPECT_EQ(copy(src() / "Item", dst()), EEXIST);
    EXPECT_EQ(readFile(tmp / "elsewhere/a.ttf"), "old");
}

// --- Failures and leftovers

// What the failure tests copy: "Item" with files at three depths and a link.
const std::vector<std::string> kItemEntries = {"1.ttf", "2.ttf", "link", "sub/3.ttf", "sub/deeper/4.ttf"};

// The destinations the failure tests copy into: none of it there yet, or an
// older "Item" to merge into, with an entry of its own.
const struct FailureDestination {
    const char* name;
    Tree destination;
} kFailureDestinations[] = {
    {"fresh", {}},
    {"merge", {{"Item/1.ttf", "old"}, {"Item/sub/3.ttf", "old"}, {"Item/kept", "kept"}}},
};

class CopyFailures : public Files {
protected:
    void writeItem() {
        for (const std::string& f : kItemEntries)
            if (f != "link")
                writeFile(src() / "Item" / f, "new " + f);
        fs::create_symlink("1.ttf", src() / "Item/link");
    }
    // Lays the destination out anew; what it then holds.
    Tree resetDestination(const Tree& destination) {
        fs::remove_all(dst());
        fs::create_directories(dst());
        for (const auto& [rel, contents] : destination)
            writeFile(dst() / rel, contents);
        return snapshot(dst());
    }
};

// Whether any name on `path` is a staging name.
bool inStaging(const std::string& path) {
    for (const fs::path& name : fs::path(path))
        if (name.string().starts_with(".installing-"))
            return true;
    return false;
}

TEST_F(CopyFailures, AFailureAtEveryCallOfACopyGivesItsCodeAndLeavesNoPartOfIt) {
    writeItem();
    constexpr int kCode = 1234; // no real call gives it
    for (const auto& d : kFailureDestinations) {
        std::size_t n = 1;
        for (;; ++n) {
            SCOPED_TRACE(std::string(d.name) + ", call " + std::to_string(n));
            const Tree before = resetDestination(d.destination);
            Tree complete = before;
            for (const auto& [rel, what] : snapshot(src()))
                complete[rel] = what;
            FaultPlan::clear();
            FaultPlan::failCall(n, kCode);
            const int code = copy(src() / "Item", dst());
            if (code == 0) {
                ASSERT_LT(FaultPlan::callsCounted(), n) << "a planned failure was lost";
                EXPECT_EQ(snapshot(dst()), complete);
                break;
            }
            EXPECT_EQ(code, kCode);
            // Under a real name, every entry is as it was or as the copy makes it,
            // never in between; a new folder appears whole or not at all.
            const Tree after = snapshot(dst());
            for (const auto& [rel, what] : after) {
                EXPECT_FALSE(inStaging(rel)) << rel;
                EXPECT_TRUE((before.contains(rel) && before.at(rel) == what) ||
                            (complete.contains(rel) && complete.at(rel) == what))
                    << rel;
            }
            if (!before.contains("Item")) {
                EXPECT_TRUE(after == before || after == complete);
            }
        }
        EXPECT_GT(n, 40u) << "the plan reached only a few calls";
    }
    FaultPlan::clear();
}

TEST_F(Files, SpecialFilesKeepTheirPermissionBitsWhateverTheUmask) {
    ASSERT_EQ(::mkfifo((src() / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::chmod((src() / "pipe").c_str(), 0666), 0);
    // A device node can be made only with the right to; then it is copied too.
    const bool device = ::mknod((src() / "null").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0 &&
                        ::chmod((src() / "null").c_str(), 0666) == 0;
    const mode_t oldMask = ::umask(022);
    const int code = copy(src(), dst());
    ::umask(oldMask);
    ASSERT_EQ(code, 0);
    struct stat st;
    ASSERT_EQ(::lstat((dst() / "src/pipe").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode, S_IFIFO | 0666);
    if (device) {
        ASSERT_EQ(::lstat((dst() / "src/null").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode, S_IFCHR | 0666);
        EXPECT_EQ(st.st_rdev, ::makedev(1, 3));
    }
}

TEST(FilesStaging, NamesAreHiddenFitAnyNameAndStandForOneNameOnly) {
    using fw::posix::stagingNameFor;
    std::map<std::string, std::string> seen;
    for (std::size_t length = 1; length <= 255; ++length) {
        for (const char fill : {'a', 'b', '.'}) {
            const std::string name(length, fill);
            const std::string staged = stagingNameFor(name);
            SCOPED_TRACE(name);
            EXPECT_LE(staged.size(), 255u);
            EXPECT_EQ(staged.front(), '.');
            EXPECT_NE(staged, name);
            EXPECT_EQ(staged, stagingNameFor(name)) << "the same in every run";
            EXPECT_NE(stagingNameFor(staged), staged);
            EXPECT_TRUE(seen.emplace(staged, name).second) << "also stands for " << seen[staged];
        }
    }
}

// Entries named like staging entries, of the copy's own tree or of the user's,
// are entries like any other.
TEST_F(Files, EntriesNamedLikeStagingEntriesAreCopiedAndKept) {
    using fw::posix::stagingNameFor;
    writeFile(src() / "Item/a.ttf", "a");
    writeFile(src() / "Item" / stagingNameFor("b.ttf"), "named like a staging entry");
    writeFile(dst() / "Item/b.ttf", "the user's b");
    writeFile(dst() / "Item/.a.ttf.installing", "the user's");
    ASSERT_EQ(copy(src() / "Item", dst()), 0);
    ASSERT_EQ(copy(src() / "Item", dst()), 0);
    EXPECT_EQ(snapshot(dst() / "Item"), (Tree{{"a.ttf", "f:a"},
                                              {stagingNameFor("b.ttf"), "f:named like a staging entry"},
                                              {"b.ttf", "f:the user's b"},
                                              {".a.ttf.installing", "f:the user's"}}));
}

TEST_F(CopyFailures, FailureAnywhereInACopyLeavesTheDestinationAsItWas) {
    writeItem();
    for (const auto& d : kFailureDestinations) {
        for (const Operation op : {Operation::CopyFile, Operation::FastCopy}) {
            for (const std::string& failing : kItemEntries) {
                if (op == Operation::FastCopy && failing == "link")
                    continue; // a link has no data to copy
                SCOPED_TRACE(std::string(d.name) + " " + failing +
                             (op == Operation::FastCopy ? " data" : ""));
                const Tree before = resetDestination(d.destination);
                FaultPlan::clear();
                FaultPlan::add(op, src() / "Item" / failing, EIO);
                EXPECT_EQ(copy(src() / "Item", dst()), EIO);
                EXPECT_EQ(snapshot(dst()), before); // staging entries included
            }
        }
    }
}

TEST_F(Files, NextCopyRemovesStagingLeftByAnInterruptedOne) {
    using fw::posix::stagingNameFor;
    writeFile(src() / "Item/a.ttf", "a");
    writeFile(src() / "Item/sub/b.ttf", "b");
    const struct {
        const char* name;
        std::function<void()> crashLeftovers;
        Tree expected;
    } cases[] = {
        {"fresh",
         [&] {
             const fs::path staging = dst() / stagingNameFor("Item");
             writeFile(staging / "a.ttf", "partial");
             writeFile(staging / "locked/half", "half");
             fs::permissions(staging / "locked", fs::perms::owner_read | fs::perms::owner_exec);
         },
         {{"Item", "d"}, {"Item/a.ttf", "f:a"}, {"Item/sub", "d"}, {"Item/sub/b.ttf", "f:b"}}},
        {"merge",
         [&] {
             writeFile(dst() / "Item/a.ttf", "old");
             writeFile(dst() / "Item" / stagingNameFor("a.ttf"), "partial");
             writeFile(dst() / "Item" / stagingNameFor("sub") / "b.ttf", "partial");
         },
         {{"Item", "d"}, {"Item/a.ttf", "f:a"}, {"Item/sub", "d"}, {"Item/sub/b.ttf", "f:b"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dst());
        fs::create_directories(dst());
        c.crashLeftovers();
        ASSERT_EQ(copy(src() / "Item", dst()), 0);
        EXPECT_EQ(snapshot(dst()), c.expected);
    }
}

TEST_F(Files, CopyReportsWhatIsWrongWithSourceOrDestination) {
    writeFile(src() / "Item/sub/a.ttf", "a");
    writeFile(tmp / "plain", "p");
    const struct {
        const char* name;
        fs::path from, into;
        int code;
    } cases[] = {
        {"missing source", src() / "missing", dst(), ENOENT},
        {"source in a missing folder", tmp / "missing/Item", dst(), ENOENT},
        {"missing destination", src() / "Item", tmp / "missing", ENOENT},
        {"destination is a file", src() / "Item", tmp / "plain", ENOTDIR},
        {"folder into itself", src() / "Item", src() / "Item/sub", EINVAL},
        {"folder onto itself", src() / "Item", src(), EINVAL},
        {"file onto itself", src() / "Item/sub/a.ttf", src() / "Item/sub", EINVAL},
        {"source with no path", fs::path(), dst(), ENOENT},
    };
    const Tree before = snapshot(tmp.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(copy(c.from, c.into), c.code);
        EXPECT_EQ(snapshot(tmp.path()), before);
    }
    EXPECT_EQ(nameOfRaised([&] { FolderItem::at(src() / "Item")->CopyFileTo(Ref<FolderItem>()); }),
              "NilObjectException");
}

TEST_F(Files, DataTheKernelWillNotCopyGoesThroughTheReadWriteLoop) {
    // Larger than the loop's buffer, and not a multiple of it.
    std::string big(3 * 1024 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>((i * 2654435761u) >> 13);
    writeFile(src() / "Item/big.bin", big);
    writeFile(src() / "Item/small.txt", "small");
    for (const int refusal : {EXDEV, ENOSYS, EINVAL, EOPNOTSUPP}) {
        SCOPED_TRACE(refusal);
        fs::remove_all(dst() / "Item");
        FaultPlan::clear();
        FaultPlan::add(Operation::FastCopy, src() / "Item/big.bin", refusal);
        FaultPlan::add(Operation::FastCopy, src() / "Item/small.txt", refusal);
        ASSERT_EQ(copy(src() / "Item", dst()), 0);
        EXPECT_EQ(readFile(dst() / "Item/big.bin"), big);
        EXPECT_EQ(readFile(dst() / "Item/small.txt"), "small");
    }
}

TEST(FilesFaultPlan, PlannedCodesAreReportedAsTheOutcome) {
    // A positive code fails the operation before it happens; zero or below
    // lets it happen and is then reported as is.
    const struct {
        const char* name;
        Operation op;
        const char* plannedOn;
        int code;
        bool done;
    } cases[] = {
        {"delete fails", Operation::Delete, "src/Item/a.ttf", EACCES, false},
        {"delete reports", Operation::Delete, "src/Item/a.ttf", -5, true},
        {"copy fails", Operation::Copy, "src/Item", ENOSPC, false},
        {"copy reports", Operation::Copy, "src/Item", -7, true},
        {"file in a copy reports", Operation::CopyFile, "src/Item/a.ttf", -3, true},
        {"file in a copy reports zero", Operation::CopyFile, "src/Item/a.ttf", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        writeFile(tmp / "src/Item/a.ttf", "a");
        writeFile(tmp / "src/Item/b.ttf", "b");
        fs::create_directories(tmp / "dst");
        FaultPlan::clear();
        FaultPlan::add(c.op, tmp / c.plannedOn, c.code);
        Ref<FolderItem> item = FolderItem::at(tmp / c.plannedOn);
        if (c.op == Operation::Delete) {
            item->Delete();
            EXPECT_EQ(item->Exists(), !c.done);
        } else {
            item = FolderItem::at(tmp / "src/Item");
            item->CopyFileTo(FolderItem::at(tmp / "dst"));
            EXPECT_EQ(snapshot(tmp / "dst") == snapshot(tmp / "src"), c.done);
        }
        EXPECT_EQ(item->LastErrorCode(), c.code);
    }
    FaultPlan::clear();
}

} // namespace

// The window repaints during a long copy through the pump, which runs while
// the copy is still being staged.
TEST_F(Files, ALongCopyRunsThePumpWhileItWorks) {
    layBundle(src() / "Skelvanta.bundle", tmp / "outside");
    static int pumped;
    static bool publishedWhilePumping;
    static fs::path published;
    pumped = 0;
    publishedWhilePumping = false;
    published = dst() / "Skelvanta.bundle";
    fw::SetFileWorkPump([] {
        ++pumped;
        publishedWhilePumping |= fs::exists(fs::symlink_status(published));
    });
    // A thread of its own starts with the pump due.
    std::thread([&] { EXPECT_EQ(copy(src() / "Skelvanta.bundle", dst()), 0); }).join();
    fw::SetFileWorkPump(nullptr);
    EXPECT_GE(pumped, 1);
    EXPECT_FALSE(publishedWhilePumping);
}
