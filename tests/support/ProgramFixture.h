#pragma once
// The engine's sandbox with the program's classes set up on a GUI
// application, as start-up leaves them; every window is closed and the
// module-level objects are released again at the end of the test.

#include "app/Program.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/EventLoopTesting.h"
#include "tests/support/EngineFixture.h"

namespace testing_support {

class ProgramFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        fw::EnsureGuiApplication();
        programInitialize();
    }
    void TearDown() override {
        fw::CloseAllWindows();
        programFinalize();
        EngineFixture::TearDown();
    }
};

} // namespace testing_support
