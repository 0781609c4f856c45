#include "core/runtime_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace kc {
namespace {

TEST(SystemInOutErrors, CarryTheRuntimesMessages) {
    struct Row {
        int errnoValue;
        const char* message;
    };
    const Row rows[] = {
        {ENOENT, "File not found"},     {EACCES, "File access denied"}, {EROFS, "File access denied"},
        {EISDIR, "File access denied"}, {ENOSPC, "Disk full"},
#ifdef EDQUOT
        {EDQUOT, "Disk full"},
#endif
        {EFBIG, "Disk full"},           {ENOTDIR, "I/O error 3"},       {EIO, "I/O error 31"},
    };
    for (const Row& row : rows) {
        try {
            raiseSystemInOutError(row.errnoValue);
        } catch (const InOutError& failure) {
            EXPECT_STREQ(failure.what(), row.message) << "errno " << row.errnoValue;
        }
    }
}

} // namespace
} // namespace kc
