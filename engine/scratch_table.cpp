#include "engine/scratch_table.h"

#include "engine/numbers.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vorlen {

ScratchTable::ScratchTable(std::int32_t columns) : columns_(columns)
{
    if (columns < 1) {
        throw std::invalid_argument("a table needs at least one column");
    }
    rows_.emplace_back(static_cast<std::size_t>(columns_));
}

std::int32_t ScratchTable::rowCount() const
{
    return static_cast<std::int32_t>(rows_.size());
}

void ScratchTable::setRowCount(std::int32_t count)
{
    if (count < 1) {
        throw std::out_of_range("a table keeps its header row");
    }
    // Shrinking erases the rows, so rows added later start from fresh cells.
    const auto wanted = static_cast<std::size_t>(count);
    if (wanted <= rows_.size()) {
        rows_.erase(rows_.begin() + count, rows_.end());
    } else {
        rows_.resize(wanted, std::vector<std::string>(static_cast<std::size_t>(columns_)));
    }
}

void ScratchTable::checkColumn(std::int32_t column) const
{
    if (column < 0 || column >= columns_) {
        throw std::out_of_range("no such column");
    }
}

void ScratchTable::checkCell(std::int32_t row, std::int32_t column) const
{
    checkColumn(column);
    if (row < 0 || row >= rowCount()) {
        throw std::out_of_range("no such row");
    }
}

const std::string& ScratchTable::cell(std::int32_t row, std::int32_t column) const
{
    checkCell(row, column);
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ScratchTable::setCell(std::int32_t row, std::int32_t column, std::string text)
{
    checkCell(row, column);
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

std::int32_t ScratchTable::cellNumber(std::int32_t row, std::int32_t column) const
{
    return parseNumber(cell(row, column));
}

void ScratchTable::setSortColumn(std::int32_t column)
{
    checkColumn(column);
    sortColumn_ = column;
}

void ScratchTable::sortNumericAscending()
{
    const auto column = static_cast<std::size_t>(sortColumn_);
    // Parse every key before moving anything, so a bad cell leaves the
    // table exactly as it was.
    std::vector<std::pair<std::int32_t, std::vector<std::string>>> keyed;
    keyed.reserve(rows_.size() - 1);
    for (std::size_t row = 1; row < rows_.size(); ++row) {
        keyed.emplace_back(parseNumber(rows_[row][column]), std::vector<std::string>{});
    }
    for (std::size_t row = 1; row < rows_.size(); ++row) {
        keyed[row - 1].second = std::move(rows_[row]);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t row = 1; row < rows_.size(); ++row) {
        rows_[row] = std::move(keyed[row - 1].second);
    }
}

void ScratchTable::append(std::int32_t column, std::string text)
{
    checkColumn(column);
    setRowCount(rowCount() + 1);
    rows_.back()[static_cast<std::size_t>(column)] = std::move(text);
}

std::int32_t ScratchTable::findText(std::int32_t column, const std::string& text) const
{
    checkColumn(column);
    for (std::int32_t row = 1; row < rowCount(); ++row) {
        if (cell(row, column) == text) {
            return row;
        }
    }
    return 0;
}

std::int32_t ScratchTable::findNumber(std::int32_t column, std::int32_t value) const
{
    checkColumn(column);
    for (std::int32_t row = 1; row < rowCount(); ++row) {
        if (cellNumber(row, column) == value) {
            return row;
        }
    }
    return 0;
}

} // namespace vorlen
