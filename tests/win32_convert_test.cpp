// trasolin-convert.exe as a Windows user starts it: a log named with Polish
// letters reaches the file system unchanged, by the UTF-8 code page its
// manifest asks for, and its track lands beside it.

#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// trasolin-convert.exe in the build folder's tools/, beside this program's tests/.
std::wstring ConverterPath() {
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return (std::filesystem::path(path).parent_path().parent_path() / L"tools" / L"trasolin-convert.exe")
        .wstring();
}

// Runs the converter with `arguments` and gives its exit code.
DWORD RunConverter(const std::wstring& arguments) {
    std::wstring command = L"\"" + ConverterPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return ~0u;
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD status = ~0u;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return status;
}

TEST(Win32ConvertTest, TakesALogNamedInPolish) {
    testing_support::TempDir dir;
    const std::filesystem::path log = dir.path() / L"lot_\u017C\u00F3\u0142w.csv"; // lot_żółw.csv
    std::ofstream(log, std::ios::binary) << "Time;Latitude;Longitude;Alt_AGL\r\n12:00:01;52.1;21.0;120\r\n";

    EXPECT_EQ(RunConverter(L"\"" + log.wstring() + L"\""), 0u);

    const std::filesystem::path track = dir.path() / L"lot_\u017C\u00F3\u0142w.KML";
    ASSERT_TRUE(std::filesystem::exists(track));
    std::ifstream in(track, std::ios::binary);
    const std::string kml((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(kml.find("\r\n21.0,52.1,120\r\n"), std::string::npos);
}

} // namespace
