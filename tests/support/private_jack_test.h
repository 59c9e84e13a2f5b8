#pragma once

#include "support/jack_server.h"

#include <QString>
#include <gtest/gtest.h>

// Every test gets the private server of the CTest fixture and fails at once, saying why, without
// it.
class PrivateJackTest : public testing::Test {
protected:
    static void SetUpTestSuite() { problem_ = new QString(UsePrivateJackServer()); }
    static void TearDownTestSuite() { delete problem_; }
    void SetUp() override {
        if (!problem_->isEmpty())
            GTEST_FAIL() << problem_->toStdString();
    }

private:
    static inline QString* problem_ = nullptr;
};
