// A hidden table of text cells, the engine's scratch space for the used
// factors, the used pairs and the shuffled answer choices. Row 0 is a header
// the engine never uses; rows 1..rowCount()-1 hold data. It shows nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorlen {

class ScratchTable {
public:
    explicit ScratchTable(std::int32_t columns);

    [[nodiscard]] std::int32_t rowCount() const;

    // Setting the count to 1 discards every data row; raising it appends rows
    // whose cells are all empty, whatever they held before a discard. Throws
    // std::out_of_range below 1.
    void setRowCount(std::int32_t count);

    // Both throw std::out_of_range for a cell outside the table.
    [[nodiscard]] const std::string& cell(std::int32_t row, std::int32_t column) const;
    void setCell(std::int32_t row, std::int32_t column, std::string text);

    // The cell read as a number; an empty cell counts as 0.
    [[nodiscard]] std::int32_t cellNumber(std::int32_t row, std::int32_t column) const;

    // Throws std::out_of_range for a column the table does not have.
    void setSortColumn(std::int32_t column);

    // Reorders whole data rows by the number in the sort column, ascending;
    // equal keys keep their order and row 0 stays where it is.
    void sortNumericAscending();

    // Appends one row and writes text into its cell of the given column.
    void append(std::int32_t column, std::string text);

    // The first data row whose cell holds exactly this text / this number,
    // scanning from row 1; 0 when there is none.
    [[nodiscard]] std::int32_t findText(std::int32_t column, const std::string& text) const;
    [[nodiscard]] std::int32_t findNumber(std::int32_t column, std::int32_t value) const;

private:
    void checkColumn(std::int32_t column) const;
    void checkCell(std::int32_t row, std::int32_t column) const;

    std::int32_t columns_;
    std::int32_t sortColumn_ = 0;
    std::vector<std::vector<std::string>> rows_;
};

} // namespace vorlen
