#include "engine/scratch_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vorlen {
namespace {

std::vector<std::string> column(const ScratchTable& table, int col)
{
    std::vector<std::string> cells;
    for (int row = 1; row < table.rowCount(); ++row) {
        cells.push_back(table.cell(row, col));
    }
    return cells;
}

TEST(ScratchTable, RowCountOneDiscardsAndNewRowsStartEmpty)
{
    ScratchTable table(2);
    EXPECT_EQ(table.rowCount(), 1);
    table.append(0, "7");
    table.setCell(1, 1, "3");
    table.append(1, "4");
    EXPECT_EQ(column(table, 0), (std::vector<std::string>{"7", ""}));

    table.setRowCount(1);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.findNumber(0, 7), 0);
    table.append(0, "9");
    EXPECT_EQ(table.cell(1, 1), "") << "the cell held 3 before the table was emptied";
    table.setRowCount(3);
    EXPECT_EQ(table.cell(2, 0), "");
    EXPECT_EQ(table.cell(2, 1), "");

    EXPECT_THROW(table.setRowCount(0), std::out_of_range);
    EXPECT_THROW((void)table.cell(3, 0), std::out_of_range);
    EXPECT_THROW(table.setCell(1, 2, "x"), std::out_of_range);
    EXPECT_EQ(table.rowCount(), 3);
}

TEST(ScratchTable, SortMovesWholeRowsByTheKeyColumn)
{
    ScratchTable table(2);
    table.setCell(0, 0, "header");
    table.setCell(0, 1, "9");
    const std::vector<std::pair<std::string, std::string>> rows{
        {"a", "3"}, {"b", "10"}, {"c", ""}, {"d", "3"}, {"e", "1"}};
    for (const auto& [name, key] : rows) {
        table.append(0, name);
        table.setCell(table.rowCount() - 1, 1, key);
    }
    table.setSortColumn(1);
    table.sortNumericAscending();
    EXPECT_EQ(column(table, 0), (std::vector<std::string>{"c", "e", "a", "d", "b"}))
        << "an empty key counts as 0, equal keys keep their order, 10 sorts after 3";
    EXPECT_EQ(column(table, 1), (std::vector<std::string>{"", "1", "3", "3", "10"}));
    EXPECT_EQ(table.cell(0, 0), "header");

    table.setCell(2, 1, "x");
    EXPECT_THROW(table.sortNumericAscending(), std::invalid_argument);
    EXPECT_EQ(column(table, 0), (std::vector<std::string>{"c", "e", "a", "d", "b"}));
    EXPECT_THROW(table.setSortColumn(2), std::out_of_range);
}

TEST(ScratchTable, FindScansTheDataRowsOnly)
{
    ScratchTable pairs(1);
    pairs.setCell(0, 0, "3x7");
    EXPECT_EQ(pairs.findText(0, "3x7"), 0) << "never the header";
    pairs.append(0, "7x3");
    pairs.append(0, "3x7");
    EXPECT_EQ(pairs.findText(0, "3x7"), 2);
    EXPECT_EQ(pairs.findText(0, "3X7"), 0);

    ScratchTable choices(2);
    choices.setCell(0, 0, "5");
    choices.append(0, "8");
    choices.append(0, "5");
    choices.append(0, "5");
    choices.setCell(2, 1, "4");
    EXPECT_EQ(choices.findNumber(0, 5), 2) << "the first match, never the header";
    EXPECT_EQ(choices.findNumber(1, 4), 2);
    EXPECT_EQ(choices.findNumber(1, 0), 1) << "an empty key reads as 0";
    EXPECT_EQ(choices.findNumber(1, 1), 0);
}

} // namespace
} // namespace vorlen
