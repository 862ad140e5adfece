// The Win32 file layer's share rules between processes: another running
// program (hold_file.exe, started here) holds a file open, as a second instance
// of the program or a track viewer would.

#include "conversion/convert_log.h"
#include "platform/file/file.h"
#include "platform/file/io_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace {

using platform::CheckWritable;
using platform::InputFile;
using platform::IoError;
using platform::OutputFile;
using testing_support::ReadBytes;
using testing_support::IoCodeOf;
using testing_support::TempDir;
using testing_support::WriteBytes;

constexpr auto kReplace = OutputFile::Mode::CreateOrReplace;

// hold_file.exe lies beside this test program.
std::string HelperPath() {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program = path;
    return program.substr(0, program.find_last_of('\\') + 1) + "hold_file.exe";
}

// Another process that holds `path` open for reading or writing while it lives.
class OtherProcess {
public:
    OtherProcess(const char* mode, const std::string& path) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childInput = nullptr, childOutput = nullptr;
        ::CreatePipe(&childInput, &input_, &inherit, 0);
        ::CreatePipe(&output_, &childOutput, &inherit, 0);
        ::SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);

        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childInput;
        startup.hStdOutput = childOutput;
        startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        std::string command = "\"";
        command += HelperPath();
        command += "\" ";
        command += mode;
        command += " \"";
        command += path;
        command += "\"";
        started_ = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                    &startup, &process_) != 0;
        ::CloseHandle(childInput);
        ::CloseHandle(childOutput);
    }
    ~OtherProcess() {
        ::CloseHandle(input_); // its standard input ends, and it lets the file go
        if (started_) {
            ::WaitForSingleObject(process_.hProcess, 10000);
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
        ::CloseHandle(output_);
    }

    // True once the other process says it holds the file.
    bool Holds() {
        if (!started_) return false;
        char said[16] = {};
        DWORD got = 0;
        return ::ReadFile(output_, said, sizeof said - 1, &got, nullptr) && std::string(said).rfind("held", 0) == 0;
    }

private:
    HANDLE input_ = nullptr, output_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

TEST(Win32FileTest, AWriterInAnotherProcessKeepsReadersAndWritersOut) {
    TempDir dir;
    const std::string path = dir.File("LOG00012.CSV");
    {
        OtherProcess other("write", path);
        ASSERT_TRUE(other.Holds());
        EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 32);
        EXPECT_EQ(IoCodeOf([&] { OutputFile f(path, kReplace); }), 32);
        EXPECT_EQ(IoCodeOf([&] { CheckWritable(path); }), 32);
    }
    // the other program has ended: the file is free again
    EXPECT_EQ(IoCodeOf([&] { OutputFile f(path, kReplace); }), 0);
    EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 0);
}

TEST(Win32FileTest, AReaderInAnotherProcessLetsReadersInAndKeepsWritersOut) {
    TempDir dir;
    const std::string path = dir.File("flight.KML");
    WriteBytes(path, "viewed");
    {
        OtherProcess other("read", path);
        ASSERT_TRUE(other.Holds());
        EXPECT_EQ(IoCodeOf([&] { InputFile f(path); }), 0);
        EXPECT_EQ(IoCodeOf([&] { OutputFile f(path, kReplace); }), 32);
        EXPECT_EQ(IoCodeOf([&] { CheckWritable(path); }), 32);
    }
    EXPECT_EQ(ReadBytes(path), "viewed") << "a refused writer truncates nothing";
}

TEST(Win32FileTest, ConvertingStopsWhileAnotherProgramHoldsTheTrack) {
    TempDir dir;
    const std::string log = dir.File("flight.csv");
    const std::string track = dir.File("flight.KML");
    WriteBytes(log, "Time;Latitude;Longitude;Alt_AGL\r\n12:00:01;52.1;21.0;120\r\n");
    WriteBytes(track, "an earlier track");
    OtherProcess viewer("read", track);
    ASSERT_TRUE(viewer.Holds());
    try {
        conversion::ConvertLog({log, true});
        ADD_FAILURE() << "the run went through";
    } catch (const IoError& e) {
        EXPECT_STREQ(e.what(), "I/O error 32");
    }
    EXPECT_EQ(ReadBytes(track), "an earlier track");
}

} // namespace
