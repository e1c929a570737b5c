// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// A process killed while it saves never leaves a damaged setup behind.
#include "support/SaveVersions.h"
#include "support/TestSupport.h"

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

using namespace vosk::test;

extern char **environ;

TEST(Crash, AKilledSaveLeavesOnlyWholeVersions) {
    ScratchWorkdir workdir;
    std::set<std::string> versions; // every version the save loop writes
    for (int k = 0; k < kVersions; ++k) {
        versions.insert(Bytes(Version(k)));
    }
    MakeDirs(kSetupDir);
    char *args[] = {const_cast<char *>(VOSK_SAVE_LOOP), nullptr};
    for (int round = 0; round < 15; ++round) {
        std::remove(kSavedSetup);
        pid_t child = 0;
        ASSERT_EQ(posix_spawn(&child, VOSK_SAVE_LOOP, nullptr, nullptr, args, environ), 0);
        // Once the loop has saved, kill it at a different moment of a save each round.
        for (int wait = 0; wait < 10000 && !std::filesystem::exists(kSavedSetup); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(300 * round + 50));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop ended by itself";
        // The setup, and any temporary the kill left in the instant between
        // naming it and renaming it over the setup, is a whole version.
        for (const std::string &name : Entries(kSetupDir)) {
            EXPECT_EQ(versions.count(ReadFile(kSetupDir + name)), 1u)
                << name << ", round " << round;
        }
    }
}
