#include "app/corvid_application.h"

#include "model/error.h"
#include "model/messages.h"
#include "tests/support/read_back.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>

namespace {

std::string Shown(const std::function<bool()>& work, bool* result = nullptr)
{
    std::FILE* errors = std::tmpfile();
    StreamMessages messages(errors, errors);
    const bool returned = CorvidApplication::Guard(work, &messages);
    if (result)
        *result = returned;
    const std::string text = ReadAll(errors);
    std::fclose(errors);
    return text;
}

} // namespace

TEST(CorvidApplication, CommandsThatThrowAreAbandonedWithAMessage)
{
    bool result = true;
    EXPECT_EQ(Shown([]() -> bool { throw std::bad_alloc(); }, &result),
              std::string("message: ") + kOutOfMemoryMessage + "\n");
    EXPECT_FALSE(result);
    EXPECT_EQ(Shown([]() -> bool { throw Error("Error! List index out of bounds!.", "list", 1); }),
              "message: Error! List index out of bounds!.\n");
    EXPECT_EQ(Shown([]() -> bool { throw Error(); }), "message: Excepts error thrown\n");
    EXPECT_EQ(Shown([]() -> bool { throw "Unary log of <= 0"; }), "message: Unary log of <= 0\n");
    EXPECT_EQ(Shown([] { return true; }, &result), "");
    EXPECT_TRUE(result);
}
