// SPDX-License-Identifier: MIT
// Whole sessions: start-up and a command script over a random airports.txt
// and Vantrelo.ini in a scratch working directory, the way the window or the
// driver runs them. A small model of the program (the plain item reader of
// tests/support, the line splits of reference.cpp, the settings file as two
// quoted values) runs beside it, and after every action the two must agree
// on the messages shown, the runway table, the airport on display, the
// settings file's bytes and the exact set of files in the directory.
// Nothing may appear outside the working directory.
//
// Input: the command lines, then optionally "\n%%ini\n" and the settings
// file, then optionally "\n%%db\n" and the database. A part that is absent
// is a file that does not exist; a part that is exactly "<dir>" is a
// directory of that name. Commands are the driver's (type, tick, click) and
// five that change the files while the program runs: rmdb, dirdb, putdb
// (airports.txt removed, replaced by a directory, written back), rmini,
// dirini.

#include <unistd.h>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/messages.h"
#include "common/text1252.h"
#include "files/data_sheet.h"
#include "files/settings_file.h"
#include "form/form_logic.h"
#include "lookup/airport_database.h"
#include "lookup/result_display.h"
#include "plain_database.h"
#include "reference.h"

namespace {

namespace fs = std::filesystem;
using common::ControlId;
using fuzzref::check;

fs::path g_root;  // holds nothing but the working directory
fs::path g_work;

constexpr std::string_view kIniMarker = "\n%%ini\n";
constexpr std::string_view kDbMarker = "\n%%db\n";
constexpr std::string_view kDirectoryPart = "<dir>";
constexpr std::size_t kMaxCommands = 200;

enum class FileKind { Missing, Regular, Directory };

struct Input {
  std::string_view commands;
  std::optional<std::string_view> ini;
  std::optional<std::string_view> db;
};

Input splitInput(std::string_view bytes) {
  Input input;
  const std::size_t ini = bytes.find(kIniMarker);
  const std::size_t db = bytes.find(kDbMarker, ini == std::string_view::npos ? 0 : ini);
  input.commands = bytes.substr(0, std::min(ini, db));
  if (ini != std::string_view::npos) {
    const std::size_t from = ini + kIniMarker.size();
    input.ini =
        bytes.substr(from, db == std::string_view::npos ? std::string_view::npos : db - from);
  }
  if (db != std::string_view::npos) input.db = bytes.substr(db + kDbMarker.size());
  return input;
}

FileKind kindOf(const std::optional<std::string_view>& part) {
  if (!part) return FileKind::Missing;
  return *part == kDirectoryPart ? FileKind::Directory : FileKind::Regular;
}

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  check(out.good(), "cannot write a starting file");
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void makeKind(const fs::path& path, FileKind kind, std::string_view bytes) {
  std::error_code ec;
  fs::remove_all(path, ec);
  if (kind == FileKind::Regular) writeFile(path, bytes);
  if (kind == FileKind::Directory) fs::create_directory(path);
}

std::set<std::string> listing(const fs::path& directory) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

int errorNumberFor(FileKind kind) {
  return kind == FileKind::Directory ? EISDIR : ENOENT;
}

std::string quotedPair(std::string_view first, std::string_view second) {
  return "\"" + std::string(first) + "\"\r\n\"" + std::string(second) + "\"\r\n";
}

struct Runway {
  std::string designator, orientation, lengthFt, ilsFrequency;
};

// What the program must do, worked out without its code.
class Model {
 public:
  Model(std::string_view db, FileKind dbKind, std::string_view ini, FileKind iniKind)
      : m_dbBytes(db),
        m_dbKind(dbKind),
        m_cursor(db, lookup::AirportDatabase::kMaxItemBytes),
        m_iniBytes(ini),
        m_iniKind(iniKind) {}

  // Returns false when start-up ends the program.
  bool startUp() {
    if (m_iniKind != FileKind::Regular) {
      if (!save("Eng", "KJFK")) return false;
    }
    const files::Settings settings = files::parseSettings(
        std::string_view(m_iniBytes).substr(0, std::size_t{1024} * 1024), {"Eng", "KJFK"});
    m_langCode = settings.langCode;
    m_lastIcao = settings.lastIcao;
    m_text1 = m_lastIcao;
    if (m_langCode == "Eng" || m_langCode == "Ita") {
      if (!applyLanguage(m_langCode)) return false;
    }
    if (m_dbKind != FileKind::Regular) {
      m_messages.push_back(
          failure("Cannot open", "Impossibile aprire", "airports.txt", errorNumberFor(m_dbKind)));
      return false;
    }
    m_open = true;
    return true;
  }

  bool applyLanguage(const std::string& code) {
    m_langCode = code;
    m_captionAirport = code == "Ita" ? "AEROPORTO" : "AIRPORT";
    return save(m_langCode, m_lastIcao);
  }

  void search(bool ticked) { searchRun(ticked, false); }

  void removeDatabase() { m_dbKind = FileKind::Missing; }
  void databaseToDirectory() { m_dbKind = FileKind::Directory; }
  void putDatabaseBack() { m_dbKind = FileKind::Regular; }
  void removeSettings() {
    m_iniKind = FileKind::Missing;
    m_savedByProgram = false;
  }
  void settingsToDirectory() {
    m_iniKind = FileKind::Directory;
    m_savedByProgram = false;
  }

  void about() { m_messages.emplace_back(form::aboutText()); }
  void type(std::string text) { m_text1 = std::move(text); }

  std::vector<std::string>& messages() { return m_messages; }
  const std::vector<Runway>& runways() const { return m_runways; }
  const std::optional<std::pair<std::string, std::string>>& shown() const { return m_shown; }
  const std::string& text1() const { return m_text1; }
  const std::string& langCode() const { return m_langCode; }
  const std::string& lastIcao() const { return m_lastIcao; }
  const std::string& captionAirport() const { return m_captionAirport; }
  FileKind dbKind() const { return m_dbKind; }
  FileKind iniKind() const { return m_iniKind; }
  const std::string& iniBytes() const { return m_iniBytes; }
  const std::set<std::string>& sheets() const { return m_sheets; }
  const std::string& lastSheet() const { return m_lastSheet; }
  const std::string& dbBytes() const { return m_dbBytes; }
  bool lastFound() const { return m_lastFound; }
  const std::pair<std::string, std::string>& savedPair() const { return m_savedPair; }
  bool savedByProgram() const { return m_savedByProgram; }

 private:
  // A file failure is in one language: Italian once Italian is applied and
  // where the system has Italian for the reason; else English, also before a
  // language is applied and for any other code.
  std::string failure(std::string_view english, std::string_view italian, std::string_view file,
                      int errorNumber) const {
    std::optional<std::string> italianReason;
    if (m_langCode == "Ita") italianReason = common::systemReasonIn(errorNumber, "it_IT.UTF-8");
    return std::string(italianReason ? italian : english) + " \"" + std::string(file) +
           "\": " + italianReason.value_or(common::systemReason(errorNumber));
  }

  bool save(std::string_view langCode, std::string_view lastIcao) {
    if (m_iniKind == FileKind::Directory) {
      m_messages.push_back(failure("Cannot write", "Impossibile scrivere", "Vantrelo.ini", EISDIR));
      return false;
    }
    m_iniKind = FileKind::Regular;
    m_iniBytes = quotedPair(langCode, lastIcao);
    m_savedPair = {std::string(langCode), std::string(lastIcao)};
    m_savedByProgram = true;
    return true;
  }

  void searchRun(bool ticked, bool restarted) {
    m_lastFound = false;
    m_runways.clear();
    m_text1 = common::toUpper1252(m_text1);
    std::optional<std::array<std::string, 8>> found;
    if (m_open) {
      const auto isAirportLine = [](std::string_view item) {
        return fuzzref::splitAirport(item).has_value();
      };
      std::string matched;
      if (m_cursor.scanFor(m_text1, isAirportLine, matched) > 0) {
        found = fuzzref::splitAirport(matched);
      }
      while (!m_cursor.atEnd()) {
        const testing_support::PlainItem& item = m_cursor.readItem();
        if (!item.oversized && item.text.empty()) break;
        if (item.oversized || m_runways.size() >= 100) continue;
        const auto runway = fuzzref::splitRunway(item.text);
        if (!runway || !fuzzref::parseNumber((*runway)[2])) continue;
        m_runways.push_back({(*runway)[0], (*runway)[1], (*runway)[2], (*runway)[3]});
      }
    }
    if (!m_open || m_cursor.atEnd()) {
      if (m_dbKind == FileKind::Regular) {
        m_open = true;
        m_cursor.reopen();
        if (!found && !restarted) {
          searchRun(ticked, true);
          return;
        }
      } else {
        m_open = false;
        m_messages.push_back(
            failure("Cannot open", "Impossibile aprire", "airports.txt", errorNumberFor(m_dbKind)));
        // Nothing was searched after a failed reopen, so nothing is "not found".
        if (!found) return;
      }
    }
    if (!found) {
      m_messages.push_back(
          (m_langCode == "Eng" ? "No airport found: " : "Nessun aeroporto trovato: ") + m_text1);
      return;
    }
    m_lastFound = true;
    const std::string& icao = (*found)[0];
    const std::string& name = (*found)[1];
    m_shown.emplace(icao, name);
    if (ticked) {
      m_lastSheet = common::cp1252ToUtf8(files::dataSheetFileName(icao, name));
      m_sheets.insert(m_lastSheet);
    } else {
      m_lastSheet.clear();
    }
    m_lastIcao = icao;
    save(m_langCode, m_lastIcao);
  }

  std::string m_dbBytes;
  FileKind m_dbKind;
  testing_support::PlainDatabase m_cursor;
  bool m_open = false;
  std::string m_iniBytes;
  FileKind m_iniKind;
  std::string m_langCode;
  std::string m_lastIcao;
  std::string m_text1;
  std::string m_captionAirport;
  std::vector<std::string> m_messages;
  std::vector<Runway> m_runways;
  std::optional<std::pair<std::string, std::string>> m_shown;  // ICAO and name on display
  std::set<std::string> m_sheets;
  std::string m_lastSheet;
  bool m_lastFound = false;
  std::pair<std::string, std::string> m_savedPair;
  bool m_savedByProgram = false;
};

constexpr ControlId kResultLabels[] = {ControlId::Label2,  ControlId::Label4,  ControlId::Label5,
                                       ControlId::Label6,  ControlId::Label12, ControlId::Label14,
                                       ControlId::Label15, ControlId::Label16, ControlId::Label17};

class Session {
 public:
  Session(const Input& input, std::string_view db, std::string_view ini)
      : m_model(db, kindOf(input.db), ini, kindOf(input.ini)) {
    m_form.window().setMessageHandler([this](std::string_view title, std::string_view text) {
      check(title == "Vantrelo", "message box title");
      m_messages.emplace_back(text);
    });
  }

  bool startUp() {
    const bool started = m_form.startUp();
    check(started == m_model.startUp(), "start-up ends differently");
    checkAll();
    if (started)
      check(m_form.window().text(ControlId::Text1) == m_model.text1(), "Text1 after start-up");
    return started;
  }

  // Returns false when the program ends.
  bool run(std::string_view line) {
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const std::string_view argument =
        space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
    common::WindowModel& window = m_form.window();
    if (word == "type") {
      window.setText(ControlId::Text1, common::utf8ToCp1252(argument));
      m_model.type(common::utf8ToCp1252(argument));
    } else if (word == "tick") {
      window.setCheck1Ticked(argument == "1");
    } else if (word == "click") {
      return click(argument);
    } else if (word == "rmdb") {
      fs::remove_all(g_work / "airports.txt");
      m_model.removeDatabase();
    } else if (word == "dirdb") {
      makeKind(g_work / "airports.txt", FileKind::Directory, {});
      m_model.databaseToDirectory();
    } else if (word == "putdb") {
      makeKind(g_work / "airports.txt", FileKind::Regular, m_model.dbBytes());
      m_model.putDatabaseBack();
    } else if (word == "rmini") {
      fs::remove_all(g_work / "Vantrelo.ini");
      m_model.removeSettings();
    } else if (word == "dirini") {
      makeKind(g_work / "Vantrelo.ini", FileKind::Directory, {});
      m_model.settingsToDirectory();
    }
    return true;
  }

 private:
  bool click(std::string_view name) {
    const auto id = common::controlFromName(name);
    if (!id) return true;
    common::WindowModel& window = m_form.window();
    if (!window.visible(*id)) return true;  // a hidden button takes no click
    const form::FormState& state = m_form.state();
    if (name == "Command1") {
      std::vector<std::string> before;
      for (ControlId label : kResultLabels)
        before.push_back(window.text(label));
      check(m_form.handle(form::Action::Command1), "a search ends the program");
      m_model.search(window.check1Ticked());
      checkSearch(before);
    } else if (name == "Command2") {
      check(m_form.handle(form::Action::Command2), "a mark ends the program");
    } else if (name == "Command3") {
      check(m_form.handle(form::Action::Command3), "a calculation ends the program");
      check(std::isfinite(state.points.distanceKm) && state.points.distanceKm >= 0 &&
                state.points.distanceKm <= 20016,
            "distance outside half the circumference");
      check(state.points.currentLat == 0 && state.points.currentLon == 0 &&
                state.points.departureLat == 0 && state.points.departureLon == 0 &&
                state.points.destinationLat == 0 && state.points.destinationLon == 0 &&
                state.points.departureIcao.empty() && state.points.destinationIcao.empty(),
            "points not cleared after a calculation");
      check(window.visible(ControlId::Label18), "distance line hidden");
    } else if (name == "MenuItaliano" || name == "MenuInglese") {
      check(m_form.handle(name == "MenuItaliano" ? form::Action::MenuItaliano
                                                 : form::Action::MenuInglese),
            "a language switch ends the program");
      m_model.applyLanguage(name == "MenuItaliano" ? "Ita" : "Eng");
    } else if (name == "MenuAbout") {
      check(m_form.handle(form::Action::MenuAbout), "the About box ends the program");
      m_model.about();
    } else if (name == "Exit") {
      check(!m_form.handle(form::Action::Exit), "Exit does not end the program");
      return false;
    } else {
      return true;
    }
    checkAll();
    return true;
  }

  void checkSearch(const std::vector<std::string>& before) {
    const form::FormState& state = m_form.state();
    const common::WindowModel& window = m_form.window();
    check(window.text(ControlId::Text1) == m_model.text1(), "Text1 not upper-cased");
    const auto& runways = m_model.runways();
    check(static_cast<std::size_t>(state.runwayCount) == runways.size(), "runway count differs");
    if (m_model.lastFound()) {
      std::string rows;
      for (const Runway& runway : runways) {
        rows += lookup::formatRunwayRow(
            {runway.designator, runway.orientation, runway.lengthFt, runway.ilsFrequency});
      }
      check(window.text(ControlId::Label5) == rows, "a runway row is not the current search's");
      check(window.text(ControlId::Label2) == m_model.shown()->first, "Label2 differs");
      check(window.text(ControlId::Label4) == m_model.shown()->second, "Label4 differs");
      check(window.text(ControlId::Label6) == " " + std::to_string(runways.size()),
            "Label6 differs");
      check(state.lastIcao == m_model.lastIcao(), "LastIcao differs");
      if (!m_model.lastSheet().empty()) checkSheet(m_model.lastSheet());
    } else {
      for (std::size_t i = 0; i < std::size(kResultLabels); ++i) {
        check(window.text(kResultLabels[i]) == before[i],
              "a search without result changed a label");
      }
    }
  }

  void checkSheet(const std::string& name) {
    check(name.size() <= 255 && name.find('/') == std::string::npos && name.size() >= 4 &&
              name.compare(name.size() - 4, 4, ".txt") == 0,
          "data sheet name not a plain .txt name");
    const std::string bytes = readFile(g_work / name);
    const std::string first = m_model.captionAirport() + " " + m_model.shown()->second + "\r\n";
    const std::string last = "\r\r\n\r\r\nVantrelo Ver.2\r\n";
    check(bytes.compare(0, first.size(), first) == 0, "data sheet's first line");
    check(bytes.size() >= last.size() &&
              bytes.compare(bytes.size() - last.size(), last.size(), last) == 0,
          "data sheet's closing lines");
  }

  void checkAll() {
    check(m_messages == m_model.messages(), "messages differ");
    m_messages.clear();
    m_model.messages().clear();

    const form::FormState& state = m_form.state();
    check(state.runwayCount >= 0 && state.runwayCount <= 100, "runway count out of 0..100");
    check(state.langCode == m_model.langCode(), "LangCode differs");

    // The settings file: two quoted values, which read back as saved when
    // neither holds a double quote (nothing is escaped).
    if (m_model.iniKind() == FileKind::Regular) {
      const std::string bytes = readFile(g_work / "Vantrelo.ini");
      check(bytes == m_model.iniBytes(), "settings file bytes differ");
      const auto& [langCode, lastIcao] = m_model.savedPair();
      if (m_model.savedByProgram() && langCode.find('"') == std::string::npos &&
          lastIcao.find('"') == std::string::npos) {
        const files::Settings back = files::parseSettings(bytes, {"Eng", "KJFK"});
        check(back.langCode == langCode && back.lastIcao == lastIcao,
              "settings file does not read back");
      }
    }

    // Exactly the expected files, and nothing beside the working directory.
    std::set<std::string> expected = m_model.sheets();
    if (m_model.dbKind() != FileKind::Missing) expected.insert("airports.txt");
    if (m_model.iniKind() != FileKind::Missing) expected.insert("Vantrelo.ini");
    check(listing(g_work) == expected, "files in the working directory differ");
    check(listing(g_root) == std::set<std::string>{"work"}, "a file outside the working directory");
  }

  form::FormLogic m_form;
  Model m_model;
  std::vector<std::string> m_messages;
};

void clearWork() {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(g_root)) {
    if (entry.path() != g_work) fs::remove_all(entry.path(), ec);
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(g_work)) {
    fs::remove_all(entry.path(), ec);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/vantrelo-session-XXXXXX";
  check(::mkdtemp(pattern.data()) != nullptr, "cannot make the scratch directory");
  g_root = pattern;
  g_work = g_root / "work";
  fs::create_directory(g_work);
  fs::current_path(g_work);
  std::atexit([] {
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(g_root, ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  clearWork();
  const Input input = splitInput(std::string_view(reinterpret_cast<const char*>(bytes), size));
  const std::string_view db =
      kindOf(input.db) == FileKind::Regular ? *input.db : std::string_view{};
  const std::string_view ini =
      kindOf(input.ini) == FileKind::Regular ? *input.ini : std::string_view{};
  makeKind(g_work / "airports.txt", kindOf(input.db), db);
  makeKind(g_work / "Vantrelo.ini", kindOf(input.ini), ini);

  Session session(input, db, ini);
  if (!session.startUp()) return 0;
  std::size_t count = 0;
  std::string_view commands = input.commands;
  while (!commands.empty() && count < kMaxCommands) {
    const std::size_t end = commands.find('\n');
    std::string_view line = commands.substr(0, end);
    commands = end == std::string_view::npos ? std::string_view{} : commands.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    ++count;
    if (!session.run(line)) break;
  }
  return 0;
}
