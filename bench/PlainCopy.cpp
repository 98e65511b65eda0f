#include "bench/PlainCopy.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace bench {
namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path) {
    throw std::runtime_error(what + " " + path.string() + ": " + std::strerror(errno));
}

int openOrFail(const fs::path& path, int flags, mode_t mode = 0) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    if (fd < 0)
        fail("cannot open", path);
    return fd;
}

void keepModeAndTimes(int fd, const struct stat& st, const fs::path& path) {
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::fchmod(fd, st.st_mode & 07777) != 0 || ::futimens(fd, times) != 0)
        fail("cannot set mode and times of", path);
}

// Copies `from` to the new entry `to`, files with their bytes, mode and
// times; each written file and folder is left open in `written` when it is
// given, else closed.
void copyTree(const fs::path& from, const fs::path& to, std::vector<int>* written) {
    struct stat st;
    if (::lstat(from.c_str(), &st) != 0)
        fail("cannot look at", from);
    if (S_ISLNK(st.st_mode)) {
        const fs::path target = fs::read_symlink(from);
        if (::symlink(target.c_str(), to.c_str()) != 0)
            fail("cannot link", to);
        return;
    }
    int fd;
    if (S_ISDIR(st.st_mode)) {
        if (::mkdir(to.c_str(), S_IRWXU) != 0)
            fail("cannot make", to);
        for (const fs::directory_entry& e : fs::directory_iterator(from))
            copyTree(e.path(), to / e.path().filename(), written);
        fd = openOrFail(to, O_RDONLY | O_DIRECTORY);
    } else {
        const int in = openOrFail(from, O_RDONLY);
        fd = openOrFail(to, O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
        for (off_t left = st.st_size; left > 0;) {
            const ssize_t n = ::copy_file_range(in, nullptr, fd, nullptr, static_cast<std::size_t>(left), 0);
            if (n <= 0)
                fail("cannot copy to", to);
            left -= n;
        }
        ::close(in);
    }
    keepModeAndTimes(fd, st, to);
    if (written)
        written->push_back(fd);
    else
        ::close(fd);
}

void flushAndClose(int fd) {
    const int result = ::fsync(fd);
    ::close(fd);
    if (result != 0)
        throw std::runtime_error(std::string("fsync: ") + std::strerror(errno));
}

} // namespace

void copyDurably(const std::vector<CopyJob>& jobs) {
    for (const CopyJob& job : jobs) {
        const fs::path name = job.source.filename();
        const fs::path staging = job.destination / ("." + name.string() + ".staging");
        std::vector<int> written;
        copyTree(job.source, staging, &written);
        for (const int fd : written)
            flushAndClose(fd);
        if (::rename(staging.c_str(), (job.destination / name).c_str()) != 0)
            fail("cannot rename", staging);
        flushAndClose(openOrFail(job.destination, O_RDONLY | O_DIRECTORY));
    }
}

void copyThenSyncfs(const std::vector<CopyJob>& jobs) {
    for (const CopyJob& job : jobs)
        copyTree(job.source, job.destination / job.source.filename(), nullptr);
    const int fd = openOrFail(jobs.front().destination, O_RDONLY | O_DIRECTORY);
    const int result = ::syncfs(fd);
    ::close(fd);
    if (result != 0)
        throw std::runtime_error(std::string("syncfs: ") + std::strerror(errno));
}

} // namespace bench
