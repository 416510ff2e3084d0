// Limits that only an uninstrumented build can meet: the sanitizers reserve more address space
// than the limit leaves. scripts/test runs these in the normal build (label "plain").
#include "CliFixture.h"

namespace {

using Uninstrumented = Cli;

TEST_F(Uninstrumented, RunningOutOfMemoryIsAnErrorNotACrash)
{
#if defined(CLEATWORK_SANITIZED)
    GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the limit";
#elif defined(_WIN32)
    GTEST_SKIP() << "Windows has no ulimit to cap a process's address space";
#endif
    // A sound container of 200 MiB of plain bytes, unwrapped in 150 MiB of address space.
    Bytes plain(std::size_t{200} << 20);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<std::uint8_t>(i % 251);
    TestData::writeFile(dir.file("big.bin"), TestData::wesys(plain));
    plain = Bytes();
    const CliRun r = run("dump '" + dir.file("big.bin") + "'", "ulimit -v 153600; ");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("memory"), std::string::npos) << r.err;
}

} // namespace
