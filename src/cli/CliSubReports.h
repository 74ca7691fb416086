#pragma once

// The submaster reports of `lumora-cli report`: their choices from the command line.

#include "cli/CliReports.h"

namespace lumora::cli {

// "subs": every named sub, or --page P --sub S; --channels N (512 when not given).
TReportPrint ChooseSubs(const TReportOptions& options);
// "sub-list": every page, or --page P.
TReportPrint ChooseSubList(const TReportOptions& options);

} // namespace lumora::cli
