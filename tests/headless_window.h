#pragma once

// Form1 created on the headless backend, for tests of the main window's commands
// with real logs in a temporary folder.

#include "ui/Unit1.h"

#include "platform/ui/headless/headless_backend.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

// A header and three usable records.
inline const std::string kFourLineLog = "Time;Latitude;Longitude;Alt_AGL\r\n"
                                        "12:00:01;52.1;21.0;120\r\n"
                                        "12:00:02;52.2;21.1;130\r\n"
                                        "12:00:03;52.3;21.2;140\r\n";

class HeadlessWindowTest : public testing::Test {
protected:
    HeadlessWindowTest() {
        components::TheApplication = &application_;
        application_.Title = "Trasolin";
        application_.CreateForm(Form1);
    }
    ~HeadlessWindowTest() override {
        Form1.reset();
        components::TheApplication = nullptr;
        LogFileName.clear();
        LineCount = 0;
        LineNumber = 0;
    }

    // Writes a log into the temporary folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = dir_.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    // Clicks "&Otwórz" and chooses `path` in the dialog.
    void Open(const std::string& path) {
        backend_.WillChooseFile(path);
        Form1->Otworz_bt->Click();
    }
    void Convert() { Form1->konwertuj_bt->Click(); }

    components::headless::HeadlessBackend backend_;
    components::Application application_{backend_};
    TempDir dir_;
};

} // namespace testing_support
