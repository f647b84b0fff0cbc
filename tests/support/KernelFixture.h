#pragma once

#include "TestEnvironment.h"
#include "core/kernel/Kernel.h"

#include <array>
#include <memory>

// A kernel over a data folder of empty tables in a private home, for tests that write their
// own draws.
class KernelFixture {
public:
    struct Draw {
        std::array<int, 6> balls{40, 41, 42, 43, 44, 45};
        int bonus = 46;
        std::array<double, 7> prizes{};
        std::array<double, 7> winners{};
    };

    KernelFixture();
    ~KernelFixture();

    // Appended in table order: the first draw added is the newest. Dated "Draw 1", "Draw 2"...
    void add(const Draw& draw);
    void add(const std::array<int, 6>& balls, int bonus, int times = 1);

    TestEnvironment env;
    std::unique_ptr<TKernel> kernel;
};
