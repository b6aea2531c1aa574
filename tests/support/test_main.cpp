// Test entry point: every test program runs with a GDI+ session, as the
// program itself does after its start-up.

#include <gtest/gtest.h>

#include "skin/core/gdiplus_api.h"
#include "tests/support/child_process.h"

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        session_ = std::make_unique<lirvo::GdiplusSession>();
        ASSERT_TRUE(session_->Started()) << "GDI+ did not start";
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<lirvo::GdiplusSession> session_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);
    const int result = RUN_ALL_TESTS();
    if (result == 0 && ::GetEnvironmentVariableA(lirvo::testing::kMustRunVariable, nullptr, 0) != 0) {
        const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
        if (unit.test_to_run_count() == 0 || unit.skipped_test_count() > 0)
            return static_cast<int>(lirvo::testing::kChildRanNoTestExitCode);
    }
    return result;
}
