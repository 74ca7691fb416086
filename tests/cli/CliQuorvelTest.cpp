// lumora-cli's Quorvel reports and the QV type file commands, in-process.

#include "cli/Cli.h"

#include "quorvel/QVReports.h"
#include "quorvel/QVTypeFile.h"
#include "show/ShowFile.h"
#include "support/RecordingUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumora::cli {
namespace {

struct TRun {
    int code = -1;
    std::string err;
};

TRun Cli(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.code = RunCli(args, in, out, err);
    run.err = err.str();
    return run;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Two types, three devices (one without a type), a continuous action and an action
// without loops, position 7 with device 12 in slot 3.
void FillQuorvel(TQuorvel& q)
{
    TQVType& spot = q.type(2);
    spot.name = "            Spot";
    spot.attrNames[0] = "Pan";
    spot.width[0] = 1;
    spot.mastering[0] = 1;
    spot.attrNames[1] = "Tilt";
    spot.source[1] = 12;
    q.type(4).name = "Scroller";
    q.type(4).attrNames[0] = "Frame";
    q.device(12) = {"Stage L", 2, 10, {}};
    q.device(13) = {"Plain", 0, 0, {}};
    q.device(14) = {"Colour", 4, 1023, {}};
    q.action(3).loops = kQvLoopsContinuous;
    q.action(3).positions[0] = 7;
    q.action(3).times[0] = 25;
    q.action(4).positions[0] = 9; // loops 0: not printed
    TQVPosition& p = q.position(7);
    p.timeMap.fill(kQvNoTime);
    p.slotDevices[2] = 12;
    p.slotMasters[2] = 200;
    StoreAttribute(p, q.type(2), 10, 1, 1000, 25);
    StoreAttribute(p, q.type(2), 10, 2, 255, kQvNoTime);
}

class CliQuorvelTest : public ::testing::Test {
protected:
    test::TTempDir dir;
    test::TRecordingUi ui;
    std::string show = dir.file("qv.lmr");
    std::string other = dir.file("other.lmr");

    void SetUp() override
    {
        TEditorState state(ui);
        FillQuorvel(state.show().quorvel);
        SaveShowFile(state, show);
        TEditorState empty(ui);
        SaveShowFile(empty, other);
    }
    TQuorvel loaded(const std::string& path)
    {
        TEditorState state(ui);
        state.setAllPresent();
        LoadShowFile(state, path);
        return state.show().quorvel;
    }
};

TEST_F(CliQuorvelTest, ReportsWriteTheEditorsDataFiles)
{
    const TQuorvel q = loaded(show);
    const struct {
        std::vector<std::string> args;
        std::vector<TReportRow> rows;
    } cases[] = {
        {{"qv-types", "--type", "2"}, QvTypeReportRows(q, {2})},
        {{"qv-types"}, QvTypeReportRows(q, {1, 2, 3, 4, 5, 6, 7, 8})},
        {{"qv-devices"}, QvDeviceReportRows(q)},
        {{"qv-actions"}, QvActionReportRows(q, {3})},
        {{"qv-actions", "--action", "4"}, {}},
        {{"qv-position", "--position", "7"}, QvPositionReportRows(q, 7)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[2] : ""));
        const std::string csv = dir.file("out.csv");
        std::vector<std::string> args = {"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {show, "--csv", csv});
        const TRun run = Cli(args);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(ReadAll(csv), CsvText(c.rows));
    }
    const std::string first = "7,12,Stage L,200,2,1,Pan,,16 Bit,1000,2.5\r\n";
    EXPECT_EQ(ReadAll(dir.file("out.csv")).substr(0, first.size()), first);
}

TEST_F(CliQuorvelTest, PositionReportRefusals)
{
    const std::string csv = dir.file("pos.csv");
    TRun run = Cli({"report", "qv-position", show, "--position", "101", "--csv", csv});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(kMsgQvPositionBetween), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    run = Cli({"report", "qv-position", show, "--position", "8", "--csv", csv});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(kMsgQvNothingToPrint), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(csv));
    run = Cli({"report", "qv-types", show, "--type", "9", "--csv", csv});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find(kMsgQvTypeBetween), std::string::npos) << run.err;
}

TEST_F(CliQuorvelTest, TypeFileRoundTripsByteForByte)
{
    const std::string qvt = dir.file("spot.qvt");
    ASSERT_EQ(Cli({"qvt", "export", show, "--type", "2", "-o", qvt}).code, 0);
    const std::string exported = ReadAll(qvt);
    const auto expected = EncodeQvTypeRecord(loaded(show).type(2));
    EXPECT_EQ(exported, std::string(expected.begin(), expected.end()));

    const std::string out = dir.file("out.lmr");
    const TRun run = Cli({"qvt", "import", other, "--type", "5", qvt, "-o", out});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string again = dir.file("again.qvt");
    ASSERT_EQ(Cli({"qvt", "export", out, "--type", "5", "-o", again}).code, 0);
    EXPECT_EQ(ReadAll(again), exported);
    EXPECT_EQ(loaded(out).type(5), loaded(show).type(2));
}

TEST_F(CliQuorvelTest, DamagedTypeFilesAreRefusedWithNoOutput)
{
    const std::string qvt = dir.file("spot.qvt");
    ASSERT_EQ(Cli({"qvt", "export", show, "--type", "2", "-o", qvt}).code, 0);
    const std::string good = ReadAll(qvt);
    std::string outOfRange = good;
    outOfRange[407] = 2; // a width of 2
    for (const std::string& bytes : {good.substr(0, 484), good + "x", outOfRange}) {
        const std::string bad = dir.file("bad.qvt");
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << bytes;
        const std::string out = dir.file("never.lmr");
        const TRun run = Cli({"qvt", "import", other, "--type", "1", bad, "-o", out});
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find(kMsgErrorImportingQvt), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(Cli({"qvt", "export", show, "--type", "9", "-o", qvt}).code, 2);
}

} // namespace
} // namespace lumora::cli
