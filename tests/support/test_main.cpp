#include "tests/support/child_job.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    int job = tovan::test::RunRequestedChildJob();
    if (job >= 0)
        return job;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
