// SPDX-License-Identifier: MIT
// The vantrelo command line, as parsed both before QApplication has taken
// Qt's own options out and after.

#include <gtest/gtest.h>

#include "ui/command_line.h"

namespace {

using Request = ui::CommandLine::Request;

struct LineCase {
  const char* name;
  QStringList arguments;
  Request request;
  QString folder;
};

void PrintTo(const LineCase& row, std::ostream* out) {
  *out << row.name;
}

class CommandLineCases : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLineCases, GivesTheRequestAndFolder) {
  QStringList arguments{QStringLiteral("vantrelo")};
  arguments += GetParam().arguments;
  const ui::CommandLine line = ui::parseCommandLine(arguments);
  EXPECT_EQ(line.request, GetParam().request);
  EXPECT_EQ(line.folder, GetParam().folder);
  EXPECT_EQ(line.error.isEmpty(), line.request != Request::UsageError);
}

INSTANTIATE_TEST_SUITE_P(
    Vantrelo, CommandLineCases,
    testing::Values(
        LineCase{"nothing", {}, Request::Run, {}},
        LineCase{"folder", {"some dir"}, Request::Run, "some dir"},
        LineCase{"dash_folder_after_end_of_options", {"--", "-x"}, Request::Run, "-x"},
        LineCase{"two_folders", {"a", "b"}, Request::UsageError, {}},
        LineCase{"empty_folder", {""}, Request::UsageError, {}},
        LineCase{"unknown_option", {"--colour"}, Request::UsageError, {}},
        LineCase{"short_help", {"-h"}, Request::Help, {}},
        LineCase{"version_after_bad_option", {"--colour", "--version"}, Request::Version, {}},
        LineCase{"short_version", {"dir", "-V"}, Request::Version, {}},
        // Qt options still on the line before QApplication reads
        // them: -reverse holds a "v" but is not -r -e -v.
        LineCase{"qt_option_with_v", {"-reverse"}, Request::UsageError, {}},
        LineCase{"qt_style_then_version", {"-style", "fusion", "--version"}, Request::Version, {}}),
    [](const testing::TestParamInfo<LineCase>& row) { return std::string(row.param.name); });

}  // namespace
