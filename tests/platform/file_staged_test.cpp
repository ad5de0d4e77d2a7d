// Staged writing: the new bytes take the old file's place only when they are
// all written; a write that fails midway (a writer giving up, or on POSIX
// the file-size limit) leaves the old file byte for byte and no staged file;
// a folder is never replaced; on POSIX the old permission bits stay.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_replace.h"
#include "tests/platform/file_size_limit_support.h"

#ifdef _WIN32
#include <process.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// One folder per test process: test programs may run side by side.
long process_id() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

class StagedWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("mivoka-staged-test-" + std::to_string(process_id()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    std::filesystem::path folder_;
};

std::string bytes_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool exists(const std::string& path) { return std::filesystem::exists(path); }

// Writes 5,000 bytes, then gives up.
int32_t give_up_midway(FILE* file, void* context) {
    std::string half(5000, 'n');
    std::fwrite(half.data(), 1, half.size(), file);
    ++*static_cast<int32_t*>(context);
    return 1;
}

TEST_F(StagedWriteTest, BytesReplaceTheOldFileWhole) {
    const std::string target = path("doc.txt");
    put(target, std::string(9000, 'o'));
    ASSERT_EQ(write_bytes_staged(target.c_str(), "new", 3), 0);
    EXPECT_EQ(bytes_of(target), "new");
    EXPECT_FALSE(exists(target + kStagedSuffix));
    ASSERT_EQ(write_bytes_staged(path("fresh.bin").c_str(), "", 0), 0);
    EXPECT_TRUE(exists(path("fresh.bin")));
    EXPECT_EQ(bytes_of(path("fresh.bin")), "");
}

TEST_F(StagedWriteTest, AWriterThatGivesUpLeavesTheOldFileAndNoStagedFile) {
    const std::string target = path("old.bmp");
    const std::string old = "BM" + std::string(20000, 'x');
    put(target, old);
    int32_t calls = 0;
    EXPECT_EQ(write_file_staged(target.c_str(), give_up_midway, &calls), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(bytes_of(target), old);
    EXPECT_FALSE(exists(target + kStagedSuffix));
    // Without an old file nothing is left at all.
    EXPECT_EQ(write_file_staged(path("new.bmp").c_str(), give_up_midway, &calls), 1);
    EXPECT_FALSE(exists(path("new.bmp")));
    EXPECT_FALSE(exists(path("new.bmp") + kStagedSuffix));
}

TEST_F(StagedWriteTest, AFolderIsNotReplacedAndAMissingFolderFails) {
    const std::string target = path("q-02.bmp");
    std::filesystem::create_directories(target);
    EXPECT_EQ(write_bytes_staged(target.c_str(), "bytes", 5), 1);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_FALSE(exists(target + kStagedSuffix));
    EXPECT_EQ(write_bytes_staged(path("missing/x.bmp").c_str(), "bytes", 5), 1);
}

#ifndef _WIN32
// The file system refuses bytes past the size limit in the middle of the
// write (SIGXFSZ ignored, so the write sees EFBIG instead of a kill).
TEST_F(StagedWriteTest, AWriteOverTheSizeLimitLeavesTheOldFileWhole) {
    const std::string target = path("limit.bin");
    const std::string old(12000, 'o');
    put(target, old);
    std::string fresh(64000, 'n');
    int32_t result = with_file_size_limit(8192, [&] {
        return write_bytes_staged(target.c_str(), fresh.data(), static_cast<int32_t>(fresh.size()));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(bytes_of(target), old);
    EXPECT_FALSE(exists(target + kStagedSuffix));
}

mode_t mode_of(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST_F(StagedWriteTest, TheOldPermissionBitsStayAndANewFileGetsTheUsualOnes) {
    const std::string target = path("private.txt");
    const mode_t rows[] = {0600, 0640, 0604, 0666, 0755};
    mode_t mask = umask(022);
    for (mode_t bits : rows) {
        put(target, "old");
        ASSERT_EQ(chmod(target.c_str(), bits), 0);
        ASSERT_EQ(write_bytes_staged(target.c_str(), "new", 3), 0);
        EXPECT_EQ(bytes_of(target), "new");
        EXPECT_EQ(mode_of(target), bits) << std::oct << bits;
    }
    // Set-id bits are not carried over to new contents.
    ASSERT_EQ(chmod(target.c_str(), 04755), 0);
    ASSERT_EQ(write_bytes_staged(target.c_str(), "new", 3), 0);
    EXPECT_EQ(mode_of(target), 0755u);
    // A stale staged file of an earlier run does not lend its bits.
    put(target + kStagedSuffix, "stale");
    ASSERT_EQ(chmod((target + kStagedSuffix).c_str(), 0666), 0);
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    ASSERT_EQ(write_bytes_staged(target.c_str(), "newer", 5), 0);
    EXPECT_EQ(mode_of(target), 0600u);
    EXPECT_EQ(bytes_of(target), "newer");
    ASSERT_EQ(write_bytes_staged(path("created.txt").c_str(), "x", 1), 0);
    EXPECT_EQ(mode_of(path("created.txt")), 0644u);
    umask(mask);
}
#endif

}  // namespace
