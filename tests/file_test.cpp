#include "platform/file/file.h"
#include "platform/file/io_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifndef _WIN32
#include "platform/file/errno_codes.h"
#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>
#endif

using platform::CheckWritable;
using platform::InputFile;
using platform::IoError;
using platform::OutputFile;
using testing_support::ReadBytes;
using testing_support::IoCodeOf;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

constexpr auto kReplace = OutputFile::Mode::CreateOrReplace;
constexpr auto kNew = OutputFile::Mode::CreateNew;

TEST(IoErrorTest, MessagesOfTheCodes) {
    struct {
        int code;
        const char* message;
    } cases[] = {
        {2, "File not found"},       {3, "Invalid filename"},      {4, "Too many open files"},
        {5, "File access denied"},   {100, "Read beyond end of file"}, {101, "Disk full"},
        {106, "Invalid numeric input"}, {32, "I/O error 32"},      {112, "I/O error 112"},
    };
    for (const auto& c : cases) EXPECT_STREQ(IoError(c.code).what(), c.message);
}

TEST(FileTest, OpeningFailures) {
    TempDir dir;
    // a file that does not exist, and one in a folder that does not exist
    EXPECT_EQ(IoCodeOf([&] { InputFile f(dir.File("none")); }), 2);
    EXPECT_EQ(IoCodeOf([&] { InputFile f(dir.File("none/x")); }), 3);
    EXPECT_EQ(IoCodeOf([&] { OutputFile f(dir.File("none/x"), kReplace); }), 3);
    // a folder is no file
    EXPECT_EQ(IoCodeOf([&] { InputFile f(dir.path().string()); }), 5);
    EXPECT_EQ(IoCodeOf([&] { OutputFile f(dir.path().string(), kReplace); }), 5);
    // a new file where one exists
    WriteBytes(dir.File("a"), "x");
    EXPECT_EQ(IoCodeOf([&] { OutputFile f(dir.File("a"), kNew); }), 80);
    // a read-only file cannot be replaced, or written
    WriteBytes(dir.File("ro"), "kept");
    std::filesystem::permissions(dir.File("ro"), std::filesystem::perms::owner_read);
    EXPECT_EQ(IoCodeOf([&] { OutputFile f(dir.File("ro"), kReplace); }), 5);
    EXPECT_EQ(IoCodeOf([&] { CheckWritable(dir.File("ro")); }), 5);
    EXPECT_EQ(ReadBytes(dir.File("ro")), "kept");
    // a missing file can be written
    EXPECT_EQ(IoCodeOf([&] { CheckWritable(dir.File("none")); }), 0);
}

TEST(FileTest, ReadsAndWritesBytes) {
    TempDir dir;
    {
        OutputFile out(dir.File("f"), kReplace);
        out.Write("abc\r\n\x1A\0z", 8);
        out.Close();
    }
    InputFile in(dir.File("f"));
    char buffer[16];
    ASSERT_EQ(in.Read(buffer, sizeof buffer), 8u);
    EXPECT_EQ(std::string(buffer, 8), std::string("abc\r\n\x1A\0z", 8));
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
}

TEST(FileTest, ReadersShareWithReadersAndKeepWritersOut) {
    TempDir dir;
    const std::string path = dir.File("log");
    WriteBytes(path, "content");
    {
        InputFile first(path);
        InputFile second(path); // other readers are welcome
        EXPECT_EQ(IoCodeOf([&] { OutputFile f(path, kReplace); }), 32);
        EXPECT_EQ(IoCodeOf([&] { CheckWritable(path); }), 32);
    }
    EXPECT_EQ(ReadBytes(path), "content") << "a refused writer truncates nothing";
    {
        OutputFile writer(path, kReplace);
        EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 32);
        EXPECT_EQ(IoCodeOf([&] { OutputFile f(path, kReplace); }), 32);
        EXPECT_EQ(IoCodeOf([&] { CheckWritable(path); }), 32);
    }
    // all closed: everything is allowed again
    EXPECT_EQ(IoCodeOf([&] { OutputFile f(path, kReplace); }), 0);
    EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 0);
}

TEST(FileTest, MoveReplacingPutsAFileInAnothersPlace) {
    TempDir dir;
    WriteBytes(dir.File("new"), "new");
    WriteBytes(dir.File("old"), "old");
    platform::MoveReplacing(dir.File("new"), dir.File("old"));
    EXPECT_EQ(ReadBytes(dir.File("old")), "new");
    EXPECT_FALSE(std::filesystem::exists(dir.File("new")));
}

#ifndef _WIN32
TEST(FileTest, ErrnoBecomesTheWindowsCode) {
    struct {
        int error, code;
    } cases[] = {
        {ENOTDIR, 3}, {EMFILE, 4},  {ENFILE, 4},   {EACCES, 5},  {EPERM, 5},
        {EROFS, 5},   {EISDIR, 5},  {EAGAIN, 32},  {ENOSPC, 112}, {EDQUOT, 112},
        {EFBIG, 112}, {EEXIST, 80}, {ENAMETOOLONG, 206},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::IoCodeFromErrno(c.error), c.code) << c.error;
    TempDir dir;
    EXPECT_EQ(platform::IoCodeFromErrno(ENOENT, dir.File("none")), 2);
    EXPECT_EQ(platform::IoCodeFromErrno(ENOENT, dir.File("none/x")), 3);
}

// The share rules hold between running instances of the program too.
TEST(FileTest, ShareRulesHoldAcrossProcesses) {
    TempDir dir;
    const std::string path = dir.File("log");
    WriteBytes(path, "content");
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        OutputFile writer(path, OutputFile::Mode::CreateOrReplace);
        char c = 1;
        (void)!write(ready[1], &c, 1);
        (void)!read(done[0], &c, 1);
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 32);
    EXPECT_EQ(IoCodeOf([&] { CheckWritable(path); }), 32);
    (void)!write(done[1], &c, 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 0) << "the lock goes with the process";
}
#endif

} // namespace
