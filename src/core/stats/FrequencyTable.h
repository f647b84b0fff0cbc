#pragma once

#include <vector>

class TKestTable;

// One row of a frequency table (the main-ball or the bonus table): a number and how often it
// was drawn.
struct FrequencyRow {
    int number = 0;
    double total = 0;
};

// The rows of a frequency table ascending by number, one per number from 1 to 49 the table
// holds (the last row wins for a number held twice; other numbers are left out). Reads without
// moving the table's cursor; an inactive table has no rows.
std::vector<FrequencyRow> ReadFrequencyTable(const TKestTable& table);
