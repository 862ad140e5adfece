// What the application's error box shows for an error leaving a handler.

#include "platform/error.h"
#include "platform/ui/components.h"
#include "platform/ui/headless/headless_backend.h"

#include <gtest/gtest.h>

namespace {

using components::headless::HeadlessBackend;

TEST(ErrorBoxTest, AddsAFullStopAfterALetterDigitOrHigherByte) {
    struct Case {
        std::string message, shown;
    };
    const Case cases[] = {
        {"File not found", "File not found."},
        {"I/O error 32", "I/O error 32."},
        {"a/", "a/."},
        {"bez wpisów", "bez wpisów."}, // the last byte, of "ó", sorts above "." unsigned
        {"List index out of bounds (2)", "List index out of bounds (2)"},
        {"ends in a blank ", "ends in a blank "},
        {"Czekaj!", "Czekaj!"},
        {"a,", "a,"},
        {"a-", "a-"},
        {"Done.", "Done."},
        {"", ""},
    };
    HeadlessBackend backend;
    components::Application application(backend);
    application.Title = "Trasolin";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        application.Handle([&] { throw platform::Error(c.message); });
        ASSERT_FALSE(backend.ErrorBoxes().empty());
        EXPECT_EQ(backend.ErrorBoxes().back(), (HeadlessBackend::ErrorBox{c.shown, "Trasolin"}));
    }
    EXPECT_EQ(backend.ErrorBoxes().size(), std::size(cases));
}

} // namespace
