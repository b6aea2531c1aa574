// Test entry point: every test program runs with a GDI+ session, as the
// program itself does after its start-up.

#include <gtest/gtest.h>

#include "skin/core/gdiplus_api.h"

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
    return RUN_ALL_TESTS();
}
