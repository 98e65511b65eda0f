#pragma once
// The in-process anchors for installation: the same two folders copied by
// plain code on this thread, with no helper threads and no head starts.
//
// durable: each folder written under a staging name, then every file and
//          folder of it flushed (fsync) one after another, then one rename
//          publishes it and its destination folder is flushed: the engine's
//          durability, written the obvious way.
// floor:   each folder written in place, then one syncfs of the file
//          system: the least that makes the copy durable.

#include <filesystem>
#include <vector>

namespace bench {

struct CopyJob {
    std::filesystem::path source;      // a folder
    std::filesystem::path destination; // the folder it goes into, under its own name
};

void copyDurably(const std::vector<CopyJob>& jobs);
void copyThenSyncfs(const std::vector<CopyJob>& jobs);

} // namespace bench
