// Out of memory in Read and Write. While armed, this program's allocator refuses every
// request above a size, as the C library does when memory runs out; the control must
// raise its error 7 rather than let the allocation failure escape.
#include "raised_error.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define ALLOCATOR_IS_THE_SANITIZERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ALLOCATOR_IS_THE_SANITIZERS 1
#endif
#endif

namespace {

std::atomic<std::size_t> refuseAbove{0};

} // namespace

#ifndef ALLOCATOR_IS_THE_SANITIZERS
extern "C" void *__libc_malloc(std::size_t size);

extern "C" void *malloc(std::size_t size)
{
    const std::size_t limit = refuseAbove.load(std::memory_order_relaxed);
    if (limit != 0 && size > limit) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_malloc(size);
}
#endif

namespace {

using wiretalk::TelnetClient;
using wiretalk::testing::raisedNumber;

TEST(AllocationFailure, ReadAndWriteRaiseOutOfMemory)
{
#ifdef ALLOCATOR_IS_THE_SANITIZERS
    GTEST_SKIP() << "the sanitizers own the allocator";
#endif
    TelnetClient client;
    const QString text(20000, QLatin1Char('x'));
    QString buffer;
    refuseAbove = 16000;
    const int readError = raisedNumber([&] { client.Read(buffer, 30000); });
    const int writeError = raisedNumber([&] { client.Write(text, 20000); });
    refuseAbove = 0;
    EXPECT_EQ(readError, wiretalk::kCtlOutOfMemory);
    EXPECT_EQ(writeError, wiretalk::kCtlOutOfMemory);
}

} // namespace
