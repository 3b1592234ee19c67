#pragma once

#include "link/LinkFaults.h"
#include "link/SerialLink.h"
#include "link/Timings.h"
#include "SimPort.h"

#include <gtest/gtest.h>

// A simulated tracker on a pseudo-terminal and a link opened on it.
class SimLinkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
        ASSERT_TRUE(link.Open(sim.Path())) << link.LastError().toStdString();
    }
    void TearDown() override {
        LinkFaults::SetOutputFault(LinkFaults::OutputFault::None);
        LinkFaults::SetBeforeStoreHook({});
        link.Close();
        sim.Stop();
        MutableTimings() = Timings{};
    }
    SimDevice& device() { return sim.Device(); }

    SimPort sim;
    SerialLink link;
};
