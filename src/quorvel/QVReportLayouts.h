#pragma once

// The columns and pages of the four Quorvel reports, shared by the editor's report
// windows and lumora-cli's PDF module.

#include "widgets/ReportData.h"
#include "widgets/ReportLayout.h"

namespace lumora {

inline constexpr const char kQvTypeReportTitle[] = "Quorvel Types";
inline constexpr const char kQvDeviceReportTitle[] = "Quorvel Devices";
inline constexpr const char kQvActionReportTitle[] = "Quorvel Actions";
inline constexpr const char kQvPositionReportTitle[] = "QV Position";

TReportDataSource QvTypeDataSource();
TReportLayout QvTypeLayout();
TReportDataSource QvDeviceDataSource();
TReportLayout QvDeviceLayout();
TReportDataSource QvActionDataSource();
TReportLayout QvActionLayout();
TReportDataSource QvPositionDataSource();
TReportLayout QvPositionLayout();

} // namespace lumora
