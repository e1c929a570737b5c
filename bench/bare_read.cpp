// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The bare baseline of `vosk-setup check FOLDER`: list the folder and read
// every *.rvs file in it, with nothing else. Prints a checksum so that the
// reads cannot be left out.
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare_read FOLDER\n");
        return 2;
    }
    DIR *dir = opendir(argv[1]);
    if (!dir) {
        return 2;
    }
    unsigned long sum = 0;
    unsigned char buffer[4096];
    while (const dirent *entry = readdir(dir)) {
        const std::size_t length = std::strlen(entry->d_name);
        if (length < 4 || std::strcmp(entry->d_name + length - 4, ".rvs") != 0) {
            continue;
        }
        const std::string path = std::string(argv[1]) + '/' + entry->d_name;
        const int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) {
            continue;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        close(fd);
        for (ssize_t i = 0; i < n; ++i) {
            sum += buffer[i];
        }
    }
    closedir(dir);
    std::printf("%lu\n", sum);
    return 0;
}
