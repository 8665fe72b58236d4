// SPDX-License-Identifier: MIT
#include "script_session.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "common/text1252.h"
#include "form/form_logic.h"

namespace tools {
namespace {

using common::ControlId;

// Windows-1252 text to UTF-8 with backslash, CR, LF and TAB escaped.
std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += common::cp1252ToUtf8(std::string_view(&c, 1));
    }
  }
  return out;
}

std::string doubleText(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
  return std::string(buffer, result.ptr);
}

std::string colourText(const common::Control& control) {
  if (!control.colour) return "-";
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", control.colour->red, control.colour->green,
                control.colour->blue);
  return buffer;
}

class Session {
 public:
  explicit Session(std::ostream& out) : m_out(out) {
    m_form.window().setMessageHandler([this](std::string_view title, std::string_view text) {
      m_out << "message\t" << escaped(title) << '\t' << escaped(text) << '\n';
    });
  }

  bool startUp() { return m_form.startUp(); }

  // Returns false when the program ends.
  bool run(std::string_view line) {
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const std::string_view argument =
        space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
    const bool hasArgument = space != std::string_view::npos;

    if (word == "type") {
      m_form.window().setText(ControlId::Text1, common::utf8ToCp1252(argument));
    } else if (word == "tick") {
      if (argument == "0" || argument == "1") {
        m_form.window().setCheck1Ticked(argument == "1");
      } else {
        error("tick takes 0 or 1");
      }
    } else if (word == "click") {
      return click(argument);
    } else if (word == "dump" && !hasArgument) {
      for (std::size_t i = 0; i < common::kControlCount; ++i) {
        controlLine(static_cast<ControlId>(i));
      }
    } else if (word == "show") {
      const auto id = common::controlFromName(argument);
      if (id) {
        controlLine(*id);
      } else {
        error("unknown control " + std::string(argument));
      }
    } else if (word == "state" && !hasArgument) {
      stateLines();
    } else {
      error("unknown command " + std::string(line));
    }
    return true;
  }

 private:
  bool click(std::string_view name) {
    const auto action = form::actionFromName(name);
    if (!action) {
      error("cannot click " + std::string(name));
      return true;
    }
    const common::ControlId id = form::controlOf(*action);
    if (!m_form.window().visible(id)) {
      error(std::string(name) + " is hidden");
      return true;
    }
    return m_form.handle(*action);
  }

  void error(const std::string& reason) { m_out << "error\t" << escaped(reason) << '\n'; }

  void controlLine(ControlId id) {
    const common::Control& control = m_form.window().control(id);
    m_out << common::controlName(id) << '\t' << (control.visible ? '1' : '0') << '\t'
          << colourText(control) << '\t' << escaped(control.text) << '\n';
  }

  void value(std::string_view name, std::string_view text) {
    m_out << name << '\t' << escaped(text) << '\n';
  }
  void value(std::string_view name, double number) { value(name, doubleText(number)); }

  void stateLines() {
    const form::FormState& s = m_form.state();
    const navcalc::PointState& p = s.points;
    value("Check1", m_form.window().check1Ticked() ? "1" : "0");
    value("RunwayCount", std::to_string(s.runwayCount));
    value("LangCode", s.langCode);
    value("LastIcao", s.lastIcao);
    value("DepartureIcao", p.departureIcao);
    value("DestinationIcao", p.destinationIcao);
    value("CurrentLat", p.currentLat);
    value("CurrentLon", p.currentLon);
    value("DepartureLat", p.departureLat);
    value("DepartureLon", p.departureLon);
    value("DestinationLat", p.destinationLat);
    value("DestinationLon", p.destinationLon);
    value("DistanceKm", static_cast<double>(p.distanceKm));
    const common::Captions& c = s.captions;
    value("CaptionSearch", c.search);
    value("CaptionAirport", c.airport);
    value("CaptionElevation", c.elevation);
    value("CaptionRunway", c.runway);
    value("CaptionRunwayOrientation", c.runwayOrientation);
    value("CaptionRunwayLength", c.runwayLength);
    value("CaptionIlsFrequency", c.ilsFrequency);
    value("CaptionRunways", c.runways);
    value("CaptionPrompt", c.prompt);
  }

  std::ostream& m_out;
  form::FormLogic m_form;
};

// One input line, without the CR of a CR LF line end.
bool readCommand(std::istream& commands, std::string& line) {
  if (!std::getline(commands, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// The lines left after Exit or a failed start-up, which never run: echoed
// all the same, so that a transcript holds the whole input.
void echoUnread(std::istream& commands, std::ostream& out) {
  std::string line;
  while (readCommand(commands, line))
    out << kEchoPrefix << line << '\n';
}

}  // namespace

int runScriptSession(std::istream& commands, std::ostream& out, bool echo, bool (*inputEnded)()) {
  const auto ended = [inputEnded] { return inputEnded != nullptr && inputEnded(); };
  Session session(out);
  if (!session.startUp()) {
    if (echo && !ended()) echoUnread(commands, out);
    out.flush();
    return 1;
  }
  std::string line;
  while (!ended() && readCommand(commands, line)) {
    if (echo) out << kEchoPrefix << line << '\n';
    if (line.empty()) continue;
    const bool goesOn = session.run(line);
    out.flush();
    if (!goesOn) break;
  }
  if (echo && !ended()) echoUnread(commands, out);
  out.flush();
  return 0;
}

}  // namespace tools
