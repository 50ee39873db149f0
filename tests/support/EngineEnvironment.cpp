// Starts the engine once for the whole suite.
#include "ovcore/engine/OrvoCore.h"

#include <gtest/gtest.h>

namespace {

class EngineEnvironment : public ::testing::Environment {
public:
    void SetUp() override { OvInitiation(); }
    void TearDown() override { OvClosure(); }
};

const auto* const g_engine = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace
