// How long the page's counter request may wait, as the page address sets it
// for a test: only a whole number of milliseconds from 1 to 15000 is taken;
// anything else is reported once and leaves the 15 s default.
#include "web/web_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlen::web {
namespace {

using std::chrono::milliseconds;

TEST(CounterDeadline, TakesOnlyAWholeNumberOfMillisecondsUpTo15000)
{
    std::vector<std::string> reports;
    const auto deadline = [&reports](std::string_view query) {
        return counterDeadline(query, [&reports](const std::string& line) { reports.push_back(line); });
    };
    EXPECT_EQ(deadline(""), milliseconds(15000));
    EXPECT_EQ(deadline("?lang=tr"), milliseconds(15000));
    EXPECT_EQ(deadline("?counterDeadline=800"), milliseconds(800));
    EXPECT_EQ(deadline("?a=1&counterDeadline=1&b=2"), milliseconds(1));
    EXPECT_EQ(deadline("counterDeadline=15000"), milliseconds(15000));
    EXPECT_TRUE(reports.empty());

    for (const char* bad :
         {"?counterDeadline=", "?counterDeadline=0", "?counterDeadline=-5", "?counterDeadline=15001",
          "?counterDeadline=800ms", "?counterDeadline=1e3", "?counterDeadline=99999999999999999999"}) {
        EXPECT_EQ(deadline(bad), milliseconds(15000)) << bad;
    }
    ASSERT_EQ(reports.size(), 7U);
    EXPECT_EQ(reports[5], "vorlen: counterDeadline: \"1e3\" is not 1 to 15000 milliseconds; "
                          "the counter request waits 15000");
}

} // namespace
} // namespace vorlen::web
