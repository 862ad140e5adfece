#include "qt_test_support.h"

#include "platform/ui/native_backend.h"

#include <memory>

namespace testing_support {
namespace {

std::unique_ptr<components::Backend> backend;

// Made when the tests start, not when CTest only lists them.
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { backend = components::CreateNativeBackend(); }
    void TearDown() override { backend.reset(); }
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

components::Backend& QtBackend() { return *backend; }

} // namespace testing_support
