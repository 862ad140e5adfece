// Faults a user meets, provoked for real on Linux: a full disk, a folder that
// cannot be written, files held by another running instance, a log that changed
// after the open command counted it. Each run that stops must give the user's
// message and lose nothing: the log as it was, an earlier track as it was, no
// temporary beside them, and both files closed so that the next run works.

#include "conversion/convert_log.h"
#include "conversion/line_count.h"
#include "platform/error.h"
#include "platform/file/file.h"
#include "resource_limits.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using conversion::ConvertLog;
using testing_support::FileSizeLimit;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

const std::string kHeader = "Date;Time;Latitude;Longitude;Alt_AGL\r\n";

// A log of `records` records of about 40 bytes each; its track takes about as much.
std::string FlightLog(int records) {
    std::string log = kHeader;
    for (int i = 0; i < records; ++i)
        log += "2024-06-15;12:" + std::to_string(10000 + i) + ";52.1" + std::to_string(i) +
               ";21.0" + std::to_string(i) + ";120\r\n";
    return log;
}

std::string ErrorOf(const std::string& logPath) {
    try {
        ConvertLog({logPath, true});
    } catch (const platform::Error& e) {
        return e.what();
    }
    return "no error";
}

// The file is open nowhere any more, in this process or another: it could be
// opened for writing now.
void ExpectClosed(const std::string& path) {
    try {
        platform::CheckWritable(path);
    } catch (const platform::Error& e) {
        ADD_FAILURE() << path << " is still held: " << e.what();
    }
}

// A log and, maybe, an earlier track in a folder; checks that a stopped run
// left them as they were.
class Scene {
public:
    Scene(fs::path folder, std::string log, bool earlierTrack = true)
        : folder_(std::move(folder)), log_(std::move(log)), earlierTrack_(earlierTrack) {
        fs::create_directories(folder_);
        WriteBytes(logPath(), log_);
        if (earlierTrack_) WriteBytes(trackPath(), std::string(kEarlierTrack));
    }
    std::string logPath() const { return (folder_ / "LOG00012.CSV").string(); }
    std::string trackPath() const { return (folder_ / "LOG00012.KML").string(); }

    void ExpectNothingLost() const {
        EXPECT_TRUE(ReadBytes(logPath()) == log_) << "the log changed";
        std::vector<std::string> expected = {"LOG00012.CSV"};
        if (earlierTrack_) {
            EXPECT_TRUE(ReadBytes(trackPath()) == kEarlierTrack) << "the earlier track changed";
            expected.push_back("LOG00012.KML");
        }
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, expected) << "a temporary was left behind";
        ExpectClosed(logPath());
        if (earlierTrack_) ExpectClosed(trackPath());
    }

    // Once the fault is gone the same log converts, and its track replaces the earlier one.
    void ExpectARerunWorks() const {
        EXPECT_EQ(ConvertLog({logPath(), true}), LineCount());
        const std::string track = ReadBytes(trackPath());
        EXPECT_NE(track.find("</kml>\r\n"), std::string::npos);
    }

    std::uint64_t LineCount() const {
        return static_cast<std::uint64_t>(std::count(log_.begin(), log_.end(), '\n'));
    }

    static constexpr std::string_view kEarlierTrack = "<kml>an earlier track</kml>\r\n";

private:
    fs::path folder_;
    std::string log_;
    bool earlierTrack_;
};

// Moves this test process into a mount namespace of its own, so that what it
// mounts vanishes with it whatever happens. False where it may not mount (no
// CAP_SYS_ADMIN, as in most containers).
bool MountsOfOurOwn() {
    static const bool entered = unshare(CLONE_NEWNS) == 0 &&
                                mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return entered;
}

class ScopedMount {
public:
    ScopedMount(const std::string& source, const std::string& target, const char* type,
                unsigned long flags, const std::string& options)
        : target_(target) {
        ok_ = mount(source.c_str(), target.c_str(), type, flags,
                    options.empty() ? nullptr : options.c_str()) == 0;
        error_ = errno;
    }
    ~ScopedMount() {
        if (ok_) umount2(target_.c_str(), MNT_DETACH);
    }
    bool ok() const { return ok_; }
    std::string error() const { return std::strerror(error_); }

    // Changes the mount's flags and options in place.
    bool Remount(unsigned long flags, const std::string& options) {
        return mount(nullptr, target_.c_str(), nullptr, MS_REMOUNT | flags,
                     options.empty() ? nullptr : options.c_str()) == 0;
    }

private:
    std::string target_;
    bool ok_ = false;
    int error_ = 0;
};

// Another running instance of the program, in a child process: `run` opens what
// the instance holds and calls its argument, which keeps it there until this
// object exits the instance.
class OtherInstance {
public:
    using HoldUntilExit = std::function<void()>;

    explicit OtherInstance(const std::function<void(const HoldUntilExit&)>& run) {
        int ready[2], release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release[1]);
            try {
                run([&] {
                    char c = 1;
                    (void)!write(ready[1], &c, 1);
                    (void)!read(release[0], &c, 1); // returns when the parent closes its end
                });
            } catch (...) {
            }
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        release_ = release[1];
        char c = 0;
        holding_ = read(ready[0], &c, 1) == 1; // nothing comes if `run` failed
        close(ready[0]);
    }
    ~OtherInstance() { Exit(); }

    bool holding() const { return holding_; }

    void Exit() {
        if (pid_ <= 0) return;
        close(release_);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool holding_ = false;
};

class FaultTest : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(FaultTest, DiskFillsWhileTheTrackIsWritten) {
    // The track goes out in large blocks: a big one fills the disk in the middle
    // of the run, a small one only as Close writes the last block out.
    struct {
        int records;
        rlim_t room;
    } cases[] = {{20000, 100 * 1024}, {50, 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records);
        Scene scene(dir.path() / std::to_string(c.records), FlightLog(c.records));
        {
            FileSizeLimit full(c.room);
            EXPECT_EQ(ErrorOf(scene.logPath()), "I/O error 112");
        }
        scene.ExpectNothingLost();
        scene.ExpectARerunWorks();
    }
}

TEST_F(FaultTest, DiskFillsOnASmallFileSystem) {
    if (!MountsOfOurOwn()) GTEST_SKIP() << "mounting is not permitted here";
    const fs::path folder = dir.path() / "small";
    fs::create_directories(folder);
    ScopedMount small("tmpfs", folder.string(), "tmpfs", 0, "size=768k");
    ASSERT_TRUE(small.ok()) << small.error();

    // a log of 600 kB leaves less room than the first block of its track takes
    Scene scene(folder, FlightLog(14000));
    EXPECT_EQ(ErrorOf(scene.logPath()), "I/O error 112");
    scene.ExpectNothingLost();

    ASSERT_TRUE(small.Remount(0, "size=2m"));
    scene.ExpectARerunWorks();
}

TEST_F(FaultTest, FolderOnAReadOnlyFileSystem) {
    if (!MountsOfOurOwn()) GTEST_SKIP() << "mounting is not permitted here";
    for (bool earlierTrack : {false, true}) {
        SCOPED_TRACE(earlierTrack ? "with an earlier track" : "without a track");
        const fs::path folder = dir.path() / (earlierTrack ? "with" : "without");
        Scene scene(folder, FlightLog(3), earlierTrack);
        if (earlierTrack) fs::permissions(scene.trackPath(), fs::perms::all); // writable itself
        ScopedMount readOnly(folder.string(), folder.string(), nullptr, MS_BIND, "");
        ASSERT_TRUE(readOnly.ok()) << readOnly.error();
        ASSERT_TRUE(readOnly.Remount(MS_BIND | MS_RDONLY, ""));

        EXPECT_EQ(ErrorOf(scene.logPath()), "File access denied");

        // writable again, so that ExpectNothingLost can see whether the files are closed
        ASSERT_TRUE(readOnly.Remount(MS_BIND, ""));
        scene.ExpectNothingLost();
        scene.ExpectARerunWorks();
    }
}

// Root may write anywhere: while this lives, a root test process takes the
// effective identity of nobody, which the folder's modes then hold to.
class WithoutRootsRights {
public:
    WithoutRootsRights() {
        if (!root_) return;
        constexpr uid_t kNobody = 65534;
        ok_ = setegid(kNobody) == 0 && seteuid(kNobody) == 0;
        if (!ok_) setegid(0);
    }
    ~WithoutRootsRights() {
        if (root_ && ok_ && (seteuid(0) != 0 || setegid(0) != 0)) std::abort(); // stuck as nobody
    }
    bool ok() const { return ok_; }

private:
    bool root_ = geteuid() == 0;
    bool ok_ = true;
};

TEST_F(FaultTest, FolderWithoutTheRightToWrite) {
    for (bool earlierTrack : {false, true}) {
        SCOPED_TRACE(earlierTrack ? "with an earlier track" : "without a track");
        const fs::path folder = dir.path() / (earlierTrack ? "with" : "without");
        Scene scene(folder, FlightLog(3), earlierTrack);
        // everyone may read the log and look into the folder, and write the track
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
        fs::permissions(scene.logPath(), fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::others_read);
        if (earlierTrack) fs::permissions(scene.trackPath(), fs::perms::all);
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);

        {
            WithoutRootsRights user;
            if (!user.ok()) GTEST_SKIP() << "cannot take another user's identity";
            // the log can be read, so what is denied is writing beside it
            try {
                ASSERT_EQ(conversion::CountLogLines(scene.logPath()), scene.LineCount());
            } catch (const platform::Error& e) {
                GTEST_SKIP() << "the temporary folder is out of this user's reach: " << e.what();
            }
            EXPECT_EQ(ErrorOf(scene.logPath()), "File access denied");
        }
        scene.ExpectNothingLost();

        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
        scene.ExpectARerunWorks();
    }
}

TEST_F(FaultTest, TrackHeldByAnotherInstance) {
    // one writing the track, or one reading it (a viewer would share it the same
    // way), keeps this run from replacing it
    for (bool writing : {true, false}) {
        SCOPED_TRACE(writing ? "held for writing" : "held for reading");
        Scene scene(dir.path() / (writing ? "writing" : "reading"), FlightLog(3));
        OtherInstance other([&](const OtherInstance::HoldUntilExit& hold) {
            if (writing) {
                // it writes the earlier track's text itself, so the track stays the same
                platform::OutputFile track(scene.trackPath(),
                                           platform::OutputFile::Mode::CreateOrReplace);
                track.Write(Scene::kEarlierTrack.data(), Scene::kEarlierTrack.size());
                hold();
            } else {
                platform::InputFile track(scene.trackPath());
                hold();
            }
        });
        ASSERT_TRUE(other.holding());
        EXPECT_EQ(ErrorOf(scene.logPath()), "I/O error 32");
        other.Exit();
        scene.ExpectNothingLost();
        scene.ExpectARerunWorks();
    }
}

TEST_F(FaultTest, LogHeldByAnotherInstance) {
    Scene scene(dir.path(), FlightLog(3));
    {
        // one still writing the log, as its recorder's download would, stops the run
        OtherInstance writer([&](const OtherInstance::HoldUntilExit& hold) {
            platform::OutputFile log(scene.logPath(), platform::OutputFile::Mode::CreateOrReplace);
            const std::string text = FlightLog(3);
            log.Write(text.data(), text.size());
            hold();
        });
        ASSERT_TRUE(writer.holding());
        EXPECT_EQ(ErrorOf(scene.logPath()), "I/O error 32");
    }
    scene.ExpectNothingLost();
    {
        // one reading it, its open command counting the lines, does not
        OtherInstance reader([&](const OtherInstance::HoldUntilExit& hold) {
            platform::InputFile log(scene.logPath());
            hold();
        });
        ASSERT_TRUE(reader.holding());
        EXPECT_EQ(ConvertLog({scene.logPath(), true}), 4u);
    }
}

TEST_F(FaultTest, LogChangedAfterTheOpenCommandCountedIt) {
    // The run converts what the log holds when it starts, more lines than the
    // progress range or fewer; the window clamps its bar.
    const std::string cutInARecord = FlightLog(2) + "2024-06-15;12:10002;52.12";
    struct {
        std::string changed;
        std::string result; // the run's count, or its message
    } cases[] = {
        {FlightLog(500), "501"},
        {FlightLog(1), "2"},
        {kHeader, "1"},
        {cutInARecord, "List index out of bounds (3)"},
        {"", "Brak kolumny \"Latitude\" w nagłówku"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        TempDir folder;
        Scene scene(folder.path(), FlightLog(20));
        EXPECT_EQ(conversion::CountLogLines(scene.logPath()), 21u);
        WriteBytes(scene.logPath(), c.changed);
        std::string result;
        try {
            result = std::to_string(ConvertLog({scene.logPath(), true}));
        } catch (const platform::Error& e) {
            result = e.what();
        }
        EXPECT_EQ(result, c.result);
    }
}

TEST_F(FaultTest, NulByteEndsTheLineCountButNotTheRun) {
    using namespace std::string_literals;
    const std::string log = kHeader + "2024-06-15;12:00:01;52.1;21.0;120;\0 junk\r\n"s +
                            "2024-06-15;12:00:02;52.2;21.1;130\r\n";
    Scene scene(dir.path(), log, false);
    EXPECT_EQ(conversion::CountLogLines(scene.logPath()), 2u);
    EXPECT_EQ(ConvertLog({scene.logPath(), true}), 3u); // past the progress range
    const std::string track = ReadBytes(scene.trackPath());
    EXPECT_NE(track.find("<coordinates>\r\n21.0,52.1,120\r\n21.1,52.2,130\r\n  "),
              std::string::npos)
        << track;
}

} // namespace
