#pragma once
// A test over the program's one tester link: recorded messages, a fresh directory, and the
// link disconnected afterwards.

#include "app/ProgramState.h"
#include "app/UserReport.h"
#include "tester/TestDirectory.h"
#include "tester/TesterLink.h"

#include <gtest/gtest.h>

struct LinkFixture : ::testing::Test {
    RecordingUserReport report;
    ScopedUserReport scope{&report};
    TTesterLink& link = TTesterLink::Instance();
    TTestDirectory& directory = TTestDirectory::Instance();
    TProgramState& state = TProgramState::Instance();
    void SetUp() override
    {
        directory.ShowHidden = false;
        directory.Reset();
    }
    void TearDown() override
    {
        link.Disconnect();
        directory.Reset();
    }
};
