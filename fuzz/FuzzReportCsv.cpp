// Fuzzes the reader of the report data files (the text the report engine reads back).
// Every line is a row of at least one field, and the rows the reader finds are what it
// finds again in the text the writer makes of them.

#include "print/ReportFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto rows = ParseCsv(text);
    for (const TReportRow& row : rows)
        if (row.empty())
            std::abort();
    if (ParseCsv(CsvText(rows)) != rows)
        std::abort();
    return 0;
}
