// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// Lists one folder in the file system's own order (never sorted).
class FolderLister {
public:
    FolderLister();
    virtual ~FolderLister();

    // names = the sub-folders of path whose names hold no "."; a missing
    // folder gives an empty list.
    void ListFolders(std::string path);
    // pattern = folder + "/" + wildcard ("cars/vosk/setup/*.rvs"); names = the
    // entries that match and are not folders. A missing folder gives an
    // empty list.
    void ListFiles(std::string pattern);

    std::vector<std::string> names;
    // Why the last listing is incomplete (errno of the folder's opening or
    // reading), or 0 when the whole folder was read. The window ignores it;
    // the command line tells a folder it may not read from an empty one.
    int error = 0;
};
