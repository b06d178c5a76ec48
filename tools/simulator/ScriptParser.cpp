#include "ScriptParser.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace kerbelin::sim {
namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// Splits a line into words and quoted texts. A bare word starting with '#' ends the line as a comment,
// except right after `tap`, where it names an accessibility identifier.
bool tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error) {
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && isSpace(line[i])) ++i;
    if (i >= line.size()) return true;
    Token token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
          token.text += line[i++];
          continue;
        }
        token.text += c;
      }
      if (!closed) {
        error = "unterminated quoted text";
        return false;
      }
      if (i < line.size() && !isSpace(line[i])) {
        error = "text after a closing quote";
        return false;
      }
    } else {
      const bool identifierSlot = tokens.size() == 1 && !tokens[0].quoted && tokens[0].text == "tap";
      if (line[i] == '#' && !identifierSlot) return true;
      while (i < line.size() && !isSpace(line[i])) token.text += line[i++];
    }
    tokens.push_back(std::move(token));
  }
}

std::optional<double> number(const Token& token) {
  if (token.quoted || token.text.empty()) return std::nullopt;
  double value = 0;
  const char* begin = token.text.data();
  const char* end = begin + token.text.size();
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool validShotName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') return false;
  return true;
}

}  // namespace

std::optional<ScriptCommand> ScriptParser::parseLine(std::string_view text, int line, std::string& error) {
  std::vector<Token> tokens;
  if (!tokenize(text, tokens, error)) return std::nullopt;
  if (tokens.empty()) return std::nullopt;
  if (tokens[0].quoted) {
    error = "a line must start with a command";
    return std::nullopt;
  }
  const std::string& name = tokens[0].text;
  const std::size_t args = tokens.size() - 1;
  ScriptCommand command;
  command.line = line;
  auto fail = [&](std::string message) -> std::optional<ScriptCommand> {
    error = std::move(message);
    return std::nullopt;
  };
  auto numbers = [&](std::size_t count, std::initializer_list<double*> outs) {
    std::size_t index = 1;
    for (double* out : outs) {
      if (index > count) break;
      auto value = number(tokens[index++]);
      if (!value) return false;
      *out = *value;
    }
    return true;
  };

  if (name == "tap") {
    if (args == 1 && tokens[1].quoted) {
      command.kind = ScriptCommand::Kind::tapText;
      command.text = tokens[1].text;
    } else if (args == 1 && tokens[1].text.size() > 1 && tokens[1].text[0] == '#') {
      command.kind = ScriptCommand::Kind::tapIdentifier;
      command.text = tokens[1].text.substr(1);
    } else if (args == 2 && numbers(2, {&command.x1, &command.y1})) {
      command.kind = ScriptCommand::Kind::tapPoint;
    } else {
      return fail("tap takes \"TEXT\", #ID or X Y");
    }
  } else if (name == "drag") {
    command.kind = ScriptCommand::Kind::drag;
    command.seconds = 0.3;
    if ((args != 4 && args != 5) ||
        !numbers(args, {&command.x1, &command.y1, &command.x2, &command.y2, &command.seconds}))
      return fail("drag takes X1 Y1 X2 Y2 [SECONDS]");
    if (command.seconds <= 0) return fail("drag needs a positive duration");
  } else if (name == "wait") {
    command.kind = ScriptCommand::Kind::wait;
    if (args != 1 || !numbers(1, {&command.seconds})) return fail("wait takes SECONDS");
    if (command.seconds < 0) return fail("wait cannot go back in time");
  } else if (name == "expect" || name == "expect-not") {
    command.kind = name == "expect" ? ScriptCommand::Kind::expect : ScriptCommand::Kind::expectNot;
    if (args != 1 || !tokens[1].quoted || tokens[1].text.empty()) return fail(name + " takes one \"TEXT\"");
    command.text = tokens[1].text;
  } else if (name == "shot") {
    command.kind = ScriptCommand::Kind::shot;
    if (args != 1 || tokens[1].quoted || !validShotName(tokens[1].text))
      return fail("shot takes a NAME of letters, digits, '-', '_' and '.'");
    command.text = tokens[1].text;
  } else if (name == "idle" || name == "back") {
    command.kind = name == "idle" ? ScriptCommand::Kind::idle : ScriptCommand::Kind::back;
    if (args != 0) return fail(name + " takes no argument");
  } else if (name == "tab") {
    command.kind = ScriptCommand::Kind::tab;
    double value = 0;
    if (args != 1 || !numbers(1, {&value}) || value < 1 || value != std::floor(value) || value > 1000)
      return fail("tab takes a tab number from 1");
    command.number = static_cast<int>(value);
  } else if (name == "open") {
    command.kind = ScriptCommand::Kind::open;
    if (args != 2 || tokens[1].quoted || !tokens[2].quoted) return fail("open takes SCREEN \"ARGUMENT\"");
    command.screen = tokens[1].text;
    command.text = tokens[2].text;
  } else {
    return fail("unknown command \"" + name + "\"");
  }
  return command;
}

ParsedScript ScriptParser::parse(std::string_view text) {
  ParsedScript script;
  int line = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++line;
    std::string error;
    auto command = parseLine(text.substr(start, end - start), line, error);
    if (!error.empty()) {
      script.errorLine = line;
      script.error = std::move(error);
      script.commands.clear();
      return script;
    }
    if (command) script.commands.push_back(std::move(*command));
    start = end + 1;
  }
  return script;
}

}  // namespace kerbelin::sim
