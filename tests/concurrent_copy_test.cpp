// Copies that meet other copies and other users: two copies of one tree into
// one folder at once, from two processes or two threads, and a merge into a
// folder that another user owns.

#include "framework/files/FileSystem.h"
#include "framework/files/FolderItem.h"
#include "framework/files/WorkPump.h"
#include "tests/support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::snapshot;
using testing_support::TempFolder;
using testing_support::writeFile;
using Tree = std::map<std::string, std::string>;

int copyInto(const fs::path& from, const fs::path& into) {
    fw::Ref<fw::FolderItem> item = fw::FolderItem::at(from);
    item->CopyFileTo(fw::FolderItem::at(into));
    return item->LastErrorCode();
}

// A tree heavy enough that two copies of it overlap: 48 files of 16 to 80
// KiB in two levels of folders, and a link.
void layHeavyTree(const fs::path& root) {
    unsigned seed = 12345;
    for (int i = 0; i < 48; ++i) {
        std::string bytes(16 * 1024 + (i * 1301) % (64 * 1024), '\0');
        for (char& c : bytes)
            c = static_cast<char>(seed = seed * 1103515245 + 12345);
        writeFile(root /
                      (i % 3 == 0   ? "deep/er"
                       : i % 3 == 1 ? "deep"
                                    : ".") /
                      ("font" + std::to_string(i)),
                  bytes);
    }
    fs::create_symlink("font2", root / "current");
}

// Two starts spread over 0 to 8 ms from each other, differently in every round.
std::chrono::microseconds spread(int round, int who) {
    const int offset = (round * 2731) % 8000;
    return std::chrono::microseconds(((round + who) % 2 == 0) ? 0 : offset);
}

class ConcurrentCopies : public ::testing::Test {
protected:
    void SetUp() override { layHeavyTree(tmp / "src/Heavy"); }

    // The destination holding the whole tree and nothing else: no staging entry.
    Tree withTop() {
        Tree want;
        want["Heavy"] = "d";
        for (const auto& [path, what] : snapshot(tmp / "src/Heavy"))
            want["Heavy/" + path] = what;
        return want;
    }
    // A fresh destination in even rounds; in odd ones the last round's copy is merged onto.
    void prepare(int round) {
        if (round % 2 == 0)
            fs::remove_all(tmp / "dst");
        fs::create_directories(tmp / "dst");
    }

    TempFolder tmp;
};

TEST_F(ConcurrentCopies, TwoProcessesStartedTogetherBothSucceedAndLeaveOneWholeCopy) {
    for (int round = 0; round < 16; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        prepare(round);
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t children[2];
        for (int who = 0; who < 2; ++who) {
            children[who] = ::fork();
            ASSERT_GE(children[who], 0);
            if (children[who] == 0) {
                ::close(start[1]);
                char c;
                (void)::read(start[0], &c, 1); // returns when the parent lets both go
                std::this_thread::sleep_for(spread(round, who));
                ::_exit(copyInto(tmp / "src/Heavy", tmp / "dst"));
            }
        }
        ::close(start[0]);
        ::close(start[1]);
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 0);
        }
        EXPECT_EQ(snapshot(tmp / "dst"), withTop());
    }
}

TEST_F(ConcurrentCopies, TwoThreadsOfOneProcessBothSucceedAndLeaveOneWholeCopy) {
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        prepare(round);
        std::atomic<bool> go{false};
        int codes[2] = {-1, -1};
        std::vector<std::thread> threads;
        for (int who = 0; who < 2; ++who)
            threads.emplace_back([&, who] {
                while (!go)
                    std::this_thread::yield();
                std::this_thread::sleep_for(spread(round, who));
                codes[who] = copyInto(tmp / "src/Heavy", tmp / "dst");
            });
        go = true;
        for (std::thread& t : threads)
            t.join();
        EXPECT_EQ(codes[0], 0);
        EXPECT_EQ(codes[1], 0);
        EXPECT_EQ(snapshot(tmp / "dst"), withTop());
    }
}

// While another copy holds the destination, a copy waits, and the window keeps painting.
TEST_F(ConcurrentCopies, AWaitingCopyKeepsThePumpRunningAndGoesOnWhenTheFolderIsFree) {
    fs::create_directories(tmp / "dst");
    const int held = ::open((tmp / "dst").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0); // as another copy into that folder would
    static std::atomic<int> pumped;
    pumped = 0;
    fw::SetFileWorkPump([] { ++pumped; });
    std::atomic<int> code{-1};
    std::thread copier([&] { code = copyInto(tmp / "src/Heavy", tmp / "dst"); });

    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(code.load(), -1) << "the copy did not wait";
    EXPECT_EQ(snapshot(tmp / "dst"), Tree{}) << "the copy looked into a folder another copy holds";
    EXPECT_GE(pumped.load(), 3);
    ::close(held);
    copier.join();
    fw::SetFileWorkPump(nullptr);
    EXPECT_EQ(code.load(), 0);
    EXPECT_EQ(snapshot(tmp / "dst"), withTop());
}

// ---------------------------------------------------------------------------
// A folder of another user

struct stat statOf(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st;
}

TEST(ForeignFolder, AMergeLeavesTheFolderItsModeOwnerAndTimes) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can lay out a folder of one user and run the copy as another";
    constexpr uid_t kOwner = 4711, kUser = 4712;
    constexpr gid_t kGroup = 4700;
    TempFolder tmp;
    fs::permissions(tmp.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    const fs::path from = tmp / "src/Quorvan Tamil Fonts", into = tmp / "dst/Quorvan Tamil Fonts";
    for (const char* name : {"a.ttf", "b.ttf", "c.ttf"})
        writeFile(from / name, std::string("new ") + name);
    for (const char* name : {"a.ttf", "b.ttf", "mine.ttf"}) {
        writeFile(into / name, std::string("old ") + name);
        ASSERT_EQ(::chown((into / name).c_str(), kOwner, kGroup), 0);
    }
    // The user's fonts folder belongs to another user and is writable by the group they share.
    ASSERT_EQ(::chown(into.c_str(), kOwner, kGroup), 0);
    ASSERT_EQ(::chmod(into.c_str(), 02770), 0);
    ASSERT_EQ(::chmod((tmp / "dst").c_str(), 0755), 0);
    const timespec old[2] = {{1'000'000'000, 123}, {1'100'000'000, 456}};
    ASSERT_EQ(::utimensat(AT_FDCWD, into.c_str(), old, 0), 0);
    const struct stat before = statOf(into);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const gid_t groups[] = {kGroup};
        if (::setgroups(1, groups) != 0 || ::setresgid(kGroup, kGroup, kGroup) != 0 ||
            ::setresuid(kUser, kUser, kUser) != 0)
            ::_exit(255);
        ::_exit(copyInto(from, tmp / "dst"));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const struct stat after = statOf(into);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, kOwner);
    EXPECT_EQ(after.st_gid, kGroup);
    // The copy never sets the folder's times: its access time is as it was,
    // and its modification time is the file system's record of the new entries.
    EXPECT_EQ(after.st_atim.tv_sec, before.st_atim.tv_sec);
    EXPECT_EQ(after.st_atim.tv_nsec, before.st_atim.tv_nsec);
    EXPECT_GT(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(snapshot(into), (Tree{{"a.ttf", "f:new a.ttf"},
                                    {"b.ttf", "f:new b.ttf"},
                                    {"c.ttf", "f:new c.ttf"},
                                    {"mine.ttf", "f:old mine.ttf"}}));
}

} // namespace
