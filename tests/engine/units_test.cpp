// The engine's building blocks: the scratch table, the random source, and
// the counter request apart from its transport. The checked 16-bit numbers
// are proved where they decide something: a count at its limit
// (routines_test.cpp) and a product past 16 bits (the window model's
// failure test).
#include "engine/counter_request.h"
#include "engine/random_source.h"
#include "engine/scratch_table.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorlen {
namespace {

TEST(ScratchTable, DataRowsSortByNumberAndStartEmptyAfterADiscard)
{
    ScratchTable table(2);
    table.setCell(0, 1, "9"); // the header row, never sorted nor found
    for (const char* key : {"3", "10", "", "1"}) {
        table.append(1, key);
        table.setCell(table.rowCount() - 1, 0, std::string("r") + key);
    }
    table.setSortColumn(1);
    table.sortNumericAscending();
    std::string order;
    for (int row = 0; row < table.rowCount(); ++row) {
        order += table.cell(row, 1) + ",";
    }
    EXPECT_EQ(order, "9,,1,3,10,") << "an empty key counts as 0";
    EXPECT_EQ(table.findText(0, "r3"), 3);
    EXPECT_EQ(table.findNumber(1, 9), 0);
    table.setRowCount(1);
    table.setRowCount(2);
    EXPECT_EQ(table.cell(1, 0) + table.cell(1, 1), "") << "rows after a discard start empty";
    EXPECT_THROW(table.setRowCount(0), std::out_of_range);
    EXPECT_THROW(table.setCell(1, 2, "x"), std::out_of_range);
}

TEST(RandomSource, UniformInTheUnitIntervalWholeOneToNAndNoRestartOnAFrozenClock)
{
    RandomSource random([] { return 3600.0F; }, 7);
    std::array<int, 10> buckets{};
    for (int i = 0; i < 100000; ++i) {
        const float r = random.uniform();
        ASSERT_TRUE(r >= 0.0F && r < 1.0F) << r;
        ++buckets[static_cast<std::size_t>(r * 10)];
    }
    for (const int count : buckets) {
        EXPECT_NEAR(count, 10000, 1000);
    }
    std::set<std::int16_t> wholes;
    std::set<float> reseeded;
    for (int i = 0; i < 1000; ++i) {
        wholes.insert(random.reseededWhole(4));
        random.reseed();
        reseeded.insert(random.uniform());
    }
    EXPECT_EQ(wholes, (std::set<std::int16_t>{1, 2, 3, 4}));
    EXPECT_GT(reseeded.size(), 990U) << "reseeding at one clock reading never restarts the sequence";
}

TEST(CounterAddress, AcceptsOnlyAbsoluteHttpUrlsWithAHost)
{
    // Host, port, target and authority, as parsed.
    for (const auto& [address, parsed] : std::vector<std::pair<const char*, const char*>>{
             {"http://sayac.keldar.example/sayac/qelnor.php",
              "sayac.keldar.example 80 /sayac/qelnor.php sayac.keldar.example"},
             {"HTTP://Sayac.Example:8080/a?b=1#top", "Sayac.Example 8080 /a?b=1 Sayac.Example:8080"},
             {"http://127.0.0.1:80", "127.0.0.1 80 / 127.0.0.1"},
             {"http://[::1]:8080/x", "::1 8080 /x [::1]:8080"},
             {"http://h?q", "h 80 /?q h"}}) {
        const HttpAddress got = HttpAddress::parse(address);
        EXPECT_EQ(got.host + " " + std::to_string(got.port) + " " + got.target + " " + got.authority(),
                  parsed);
    }
    for (const char* refused :
         {"", "https://sayac.keldar.example/sayac/qelnor.php", "ftp://127.0.0.1/x", "file:///etc/passwd",
          "//sayac.keldar.example/x", "http:///nohost", "http://user:secret@h/x", "http://h:/x",
          "http://h:0/x", "http://h:65536/x", "http://h:8o/x", "http://[::1/x", "http://h/a b",
          "http://h/x\r\nX-Injected: 1", "http://h\xc3\xa7/x"}) {
        EXPECT_THROW((void)HttpAddress::parse(refused), std::invalid_argument) << refused;
    }
}

TEST(CounterPlan, OneGetDirectOrInAbsoluteFormThroughAProxy)
{
    CounterPlan plan{.page = HttpAddress::parse("http://sayac.keldar.example/sayac/qelnor.php"),
                     .proxy = std::nullopt,
                     .deadline = {}};
    EXPECT_EQ(plan.text(), "GET /sayac/qelnor.php HTTP/1.1\r\nHost: sayac.keldar.example\r\n"
                           "User-Agent: Vorlen/1.00\r\nAccept: */*\r\nConnection: close\r\n\r\n");
    plan.page = HttpAddress::parse("http://sayac.keldar.example:81/sayac/qelnor.php");
    plan.proxy = ProxyServer{.host = "p", .port = 1};
    EXPECT_EQ(plan.requestLine(), "GET http://sayac.keldar.example:81/sayac/qelnor.php HTTP/1.1");
    EXPECT_EQ(plan.headers().front(), "Host: sayac.keldar.example:81");
}

} // namespace
} // namespace vorlen
