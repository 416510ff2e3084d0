#pragma once
// A fresh folder per test, removed with everything in it when the test ends.
#include <string>

class TempDir
{
public:
    TempDir();
    /// A new folder inside the folder `inside`.
    explicit TempDir(const std::string &inside);
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return mPath; }
    /// The path of a file in the folder.
    std::string file(const std::string &name) const;
    /// The names of the files in the folder, sorted.
    std::string listing() const;

private:
    std::string mPath;
};

/// Every entry under `folder`, one a line, files with their sizes unless `sizes` is false:
/// two equal snapshots mean nothing was written there.
std::string folderSnapshot(const std::string &folder, bool sizes = true);
