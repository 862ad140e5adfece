// Holds a file open the way another running program would, for the tests of
// share rules between processes:   hold_file read|write PATH
// Says "held" on its standard output once the file is open, and keeps it open
// until its standard input ends.

#include "platform/file/file.h"
#include "platform/error.h"

#include <cstdio>
#include <cstring>
#include <optional>

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "read") != 0 && std::strcmp(argv[1], "write") != 0)) {
        std::fputs("usage: hold_file read|write PATH\n", stderr);
        return 2;
    }
    std::optional<platform::InputFile> reader;
    std::optional<platform::OutputFile> writer;
    try {
        if (std::strcmp(argv[1], "read") == 0)
            reader.emplace(argv[2]);
        else
            writer.emplace(argv[2], platform::OutputFile::Mode::CreateOrReplace);
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "hold_file: %s\n", e.what());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
