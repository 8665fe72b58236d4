// SPDX-License-Identifier: MIT
#include "form/form_logic.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/messages.h"
#include "form/languages.h"
#include "temp_dir.h"

namespace {

using common::ControlId;
using form::Action;

constexpr std::string_view kDatabase =
    "1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n"
    "1|BBBB|SECOND|41800000|12250000|10|city|--|LAND|\r\n\r\n";

// A form started in its own working directory, recording every message box.
class Form : public testing::Test {
 protected:
  Form() {
    m_form.window().setMessageHandler([this](std::string_view title, std::string_view text) {
      EXPECT_EQ(title, "Vantrelo");
      m_messages.emplace_back(text);
    });
  }

  const testing_support::TempDir& dir() const { return m_inDir.dir(); }

  void search(const std::string& text) {
    m_form.window().setText(ControlId::Text1, text);
    EXPECT_TRUE(m_form.handle(Action::Command1));
  }

  testing_support::InTempWorkingDir m_inDir;
  form::FormLogic m_form;
  std::vector<std::string> m_messages;
};

TEST_F(Form, StartUpEndsWhenTheDatabaseIsMissingButKeepsTheNewSettings) {
  EXPECT_FALSE(m_form.startUp());
  ASSERT_EQ(m_messages.size(), 1u);
  EXPECT_EQ(m_messages[0], "Cannot open \"airports.txt\": " + common::systemReason(ENOENT));
  EXPECT_EQ(dir().read("Vantrelo.ini"), "\"Eng\"\r\n\"KJFK\"\r\n");
}

TEST_F(Form, StartUpEndsWhenTheSettingsFileCannotBeWritten) {
  dir().write("airports.txt", kDatabase);
  std::filesystem::create_directory(dir().file("Vantrelo.ini"));
  EXPECT_FALSE(m_form.startUp());
  ASSERT_EQ(m_messages.size(), 1u);
  EXPECT_EQ(m_messages[0], "Cannot write \"Vantrelo.ini\": " + common::systemReason(EISDIR));
}

TEST_F(Form, ASettingsSaveThatFailsLaterIsReportedAndTheProgramGoesOn) {
  dir().write("airports.txt", kDatabase);
  ASSERT_TRUE(m_form.startUp());
  std::filesystem::remove(dir().file("Vantrelo.ini"));
  std::filesystem::create_directory(dir().file("Vantrelo.ini"));

  EXPECT_TRUE(m_form.handle(Action::MenuItaliano));
  ASSERT_EQ(m_messages.size(), 1u);
  // Told in the language just applied, like every other text.
  EXPECT_EQ(m_messages[0], form::fileFailureText("Ita", common::FileOperation::Write,
                                                 "Vantrelo.ini", common::systemError(EISDIR)));
  EXPECT_EQ(m_messages[0].rfind("Cannot write", 0) == 0,
            !common::systemReasonIn(EISDIR, "it_IT.UTF-8").has_value());
  EXPECT_EQ(m_form.window().text(ControlId::Command1), "CERCA");  // the texts stay applied

  search("aaaa");
  ASSERT_EQ(m_messages.size(), 2u);
  EXPECT_EQ(m_form.state().lastIcao, "AAAA");
  EXPECT_EQ(m_form.window().text(ControlId::Label2), "AAAA");
}

TEST_F(Form, ADataSheetThatCannotBeWrittenIsReportedAndTheSettingsAreStillSaved) {
  dir().write("airports.txt", kDatabase);
  ASSERT_TRUE(m_form.startUp());
  std::filesystem::create_directory(dir().file("AAAA  FIRST.txt"));
  m_form.window().setCheck1Ticked(true);
  search("aaaa");
  ASSERT_EQ(m_messages.size(), 1u);
  EXPECT_EQ(m_messages[0], "Cannot write \"AAAA  FIRST.txt\": " + common::systemReason(EISDIR));
  EXPECT_EQ(dir().read("Vantrelo.ini"), "\"Eng\"\r\n\"AAAA\"\r\n");
  search("bbbb");
  EXPECT_EQ(m_messages.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_regular_file(dir().file("BBBB  SECOND.txt")));
}

TEST_F(Form, ADatabaseGoneAtTheEndOfTheFileIsReportedAndTriedAgainLater) {
  dir().write("airports.txt", kDatabase);
  ASSERT_TRUE(m_form.startUp());
  std::filesystem::rename(dir().file("airports.txt"), dir().file("moved.txt"));
  const std::string cannotOpen = "Cannot open \"airports.txt\": " + common::systemReason(ENOENT);

  // The open file still reads; its last block ends the file, where reopening fails.
  // The airport found stays on display and is remembered.
  search("bbbb");
  ASSERT_EQ(m_messages, std::vector<std::string>{cannotOpen});
  EXPECT_EQ(m_form.window().text(ControlId::Label2), "BBBB");
  EXPECT_EQ(dir().read("Vantrelo.ini"), "\"Eng\"\r\n\"BBBB\"\r\n");

  // With the database closed a search tries to reopen it and reports only
  // that: whether AAAA is there it cannot tell.
  m_messages.clear();
  search("aaaa");
  EXPECT_EQ(m_messages, std::vector<std::string>{cannotOpen});
  EXPECT_EQ(m_form.window().text(ControlId::Label2), "BBBB");

  // Once the file is back the next search opens it and finds the airport.
  m_messages.clear();
  std::filesystem::rename(dir().file("moved.txt"), dir().file("airports.txt"));
  search("aaaa");
  EXPECT_TRUE(m_messages.empty());
  EXPECT_EQ(m_form.window().text(ControlId::Label2), "AAAA");
}

TEST_F(Form, AReadFailureWhileSearchingIsReportedAndTheNextSearchStartsAfresh) {
  // Reading the process's own memory at offset 0 fails with EIO.
  if (!testing_support::readFailsWithEio("/proc/self/mem")) GTEST_SKIP() << "no EIO to be had";
  std::filesystem::create_symlink("/proc/self/mem", dir().file("airports.txt"));
  ASSERT_TRUE(m_form.startUp());
  const std::string label2 = m_form.window().text(ControlId::Label2);

  search("bbbb");
  ASSERT_EQ(m_messages,
            std::vector<std::string>{"Cannot read \"airports.txt\": " + common::systemReason(EIO)});
  EXPECT_EQ(m_form.window().text(ControlId::Label2), label2);        // no result
  EXPECT_EQ(dir().read("Vantrelo.ini"), "\"Eng\"\r\n\"KJFK\"\r\n");  // nothing saved

  m_messages.clear();
  std::filesystem::remove(dir().file("airports.txt"));
  dir().write("airports.txt", kDatabase);
  search("bbbb");
  EXPECT_TRUE(m_messages.empty());
  EXPECT_EQ(m_form.window().text(ControlId::Label2), "BBBB");
}

TEST_F(Form, ExitClosesTheDatabaseAndSavesNothing) {
  dir().write("airports.txt", kDatabase);
  dir().write("Vantrelo.ini", "\"Ita\"\r\n\"ZZZZ\"\r\n");
  ASSERT_TRUE(m_form.startUp());
  m_form.window().setText(ControlId::Text1, "aaaa");
  EXPECT_FALSE(m_form.handle(Action::Exit));
  EXPECT_EQ(dir().read("Vantrelo.ini"), "\"Ita\"\r\n\"ZZZZ\"\r\n");
}

// A settings file that cannot be read is reported before any language is
// known, so no session shows that failure in Italian; the words are checked
// here for the reads that can fail later on.
TEST(FileFailureText, SaysEachOperationInTheLanguageOfItsCode) {
  using common::FileOperation;
  const common::Error ioError = common::systemError(EIO);
  if (common::systemReasonIn(EIO, "it_IT.UTF-8")) {
    EXPECT_EQ(form::fileFailureText("Ita", FileOperation::Read, "airports.txt", ioError),
              "Impossibile leggere \"airports.txt\": Errore di input/output");
  }
  EXPECT_EQ(form::fileFailureText("Eng", FileOperation::Read, "airports.txt", ioError),
            "Cannot read \"airports.txt\": Input/output error");
  // No language applied yet, or a code of neither language: English.
  EXPECT_EQ(form::fileFailureText("", FileOperation::Open, "a.txt", ioError),
            "Cannot open \"a.txt\": Input/output error");
  EXPECT_EQ(form::fileFailureText("ita", FileOperation::Write, "a.txt", ioError),
            "Cannot write \"a.txt\": Input/output error");
}

// The system's reason is told in the interface's language whatever the
// locale the program runs in, and where the system has no Italian for it
// (or it is the program's own) the whole message is English: never two
// languages in one message.
TEST(FileFailureText, IsInOneLanguageWhateverTheSystemLocale) {
  using common::FileOperation;
  const bool italianMessages = common::systemReasonIn(EACCES, "it_IT.UTF-8").has_value();
  const std::string italian = italianMessages ? "Impossibile scrivere \"x.txt\": Permesso negato"
                                              : "Cannot write \"x.txt\": Permission denied";
  const std::string english = "Cannot write \"x.txt\": Permission denied";
  const std::string before = std::setlocale(LC_ALL, nullptr);
  for (const char* system : {"C.UTF-8", "it_IT.UTF-8"}) {
    if (std::setlocale(LC_ALL, system) == nullptr) continue;
    const common::Error denied = common::systemError(EACCES);
    EXPECT_EQ(form::fileFailureText("Ita", FileOperation::Write, "x.txt", denied), italian)
        << system;
    EXPECT_EQ(form::fileFailureText("Eng", FileOperation::Write, "x.txt", denied), english)
        << system;
    // The program's own reasons have their Italian words; other words of
    // its own stay wholly English.
    EXPECT_EQ(form::fileFailureText("Ita", FileOperation::Write, "x.txt",
                                    common::Error{common::kNotRegularFile}),
              "Impossibile scrivere \"x.txt\": Non \xE8 un file regolare")
        << system;
    EXPECT_EQ(
        form::fileFailureText("Ita", FileOperation::Write, "x.txt", common::Error{"Line too long"}),
        "Cannot write \"x.txt\": Line too long")
        << system;
  }
  std::setlocale(LC_ALL, before.c_str());
}

}  // namespace
