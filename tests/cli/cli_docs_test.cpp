// The manual page and the shell completion of lexvane-cli against the
// program's own "--help": every command has its subsection in the manual,
// every option of every command is described there (in the command's
// subsection or in a shared "... OPTIONS" section the subsection names), and
// the manual describes no option that a command lacks; bash and zsh complete
// every command and option, and files by kind. A failure names what to add
// where (data/README.md tells how).
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_process.h"

namespace lexvane::cli {
namespace {

using testing::readFile;
using testing::RunShell;
using Names = std::set<std::string>;

const std::string kBinary = LEXVANE_CLI_BINARY;
const std::string kData = LEXVANE_DATA_DIR;
const std::string kManPage = kData + "/man/lexvane-cli.1.in";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

class CliDocsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() / ("lexvane-cli-docs-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string help(const std::string& command) {
    const auto result =
        RunShell("'" + kBinary + "' " + command + " --help", (dir_ / "help.err").string());
    EXPECT_EQ(result.status, 0) << command;
    return result.out;
  }
  // The names of the options of `lexvane-cli [COMMAND] --help`. The help
  // writes names and value type, then the description from column 30 after
  // a blank, or on the next line when they are longer.
  Names options(const std::string& command) {
    Names names;
    for (std::string line : lines(help(command))) {
      if (line.rfind("  -", 0) != 0) continue;
      if (line.size() > 30 && line[29] == ' ' && line[30] != ' ') line.resize(30);
      std::string head = line.substr(2, line.find(' ', 2) - 2);
      head = head.substr(0, head.find('{'));
      std::istringstream split(head);
      for (std::string name; std::getline(split, name, ',');) names.insert(name);
    }
    return names;
  }
  std::vector<std::string> commands() {
    std::vector<std::string> result;
    bool inList = false;
    for (const std::string& line : lines(help(""))) {
      if (line.rfind("Subcommands:", 0) == 0) {
        inList = true;
        continue;
      }
      if (!inList) continue;
      if (line.empty()) break;
      std::smatch m;
      if (std::regex_search(line, m, std::regex("^  ([a-z][a-z0-9-]*)"))) result.push_back(m[1]);
    }
    return result;
  }
  // Runs a bash or zsh script; its standard output.
  std::string runScript(const std::string& shell, const std::string& script) {
    const std::filesystem::path path = dir_ / ("script." + shell);
    std::ofstream(path) << script;
    const auto result = RunShell("cd '" + dir_.string() + "/files' 2>/dev/null; " + shell + " " +
                                     (shell == "zsh" ? "-f " : "") + "'" + path.string() + "'",
                                 (dir_ / "script.err").string());
    EXPECT_EQ(result.status, 0) << script << "\n" << result.err;
    return result.out;
  }
  void makeFiles(const std::vector<std::string>& names) {
    std::filesystem::create_directories(dir_ / "files");
    for (const std::string& name : names) std::ofstream(dir_ / "files" / name) << "text\n";
  }

  std::filesystem::path dir_;
};

// ---- the manual page ----

struct ManSection {
  std::string name;
  std::string text;                 // the roff source, escapes resolved
  Names described;                  // options in the headers of its .TP entries
  std::vector<std::string> groups;  // for a command: the shared sections it names
};

// Resolves the escapes that stand in option names: "\-" and font changes.
std::string plain(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  return text;
}

Names optionsIn(const std::string& text) {
  Names names;
  const std::regex option(R"((?:^|[^A-Za-z0-9_-])(--?[A-Za-z][A-Za-z0-9-]*))");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
       it != std::sregex_iterator(); ++it)
    names.insert((*it)[1]);
  return names;
}

std::string unquote(std::string name) {
  name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
  return name;
}

// The sections (.SH) and, under COMMANDS, the command subsections (.SS) of
// the page.
struct ManPage {
  std::map<std::string, ManSection> sections;
  std::map<std::string, ManSection> commands;
};

ManPage readManPage() {
  ManPage page;
  ManSection* current = nullptr;
  bool inCommands = false;
  bool header = false;
  for (const std::string& raw : lines(readFile(kManPage))) {
    const std::string line = plain(raw);
    if (line.rfind(".SH ", 0) == 0) {
      const std::string name = unquote(line.substr(4));
      inCommands = name == "COMMANDS";
      current = &page.sections[name];
      current->name = name;
      continue;
    }
    if (line.rfind(".SS ", 0) == 0 && inCommands) {
      const std::string name = unquote(line.substr(4));
      current = &page.commands[name];
      current->name = name;
      continue;
    }
    if (current == nullptr) continue;
    if (line == ".TP") {
      header = true;
      continue;
    }
    if (header) current->described.merge(optionsIn(line));
    header = false;
    current->text += line + " ";
  }
  for (auto& [name, command] : page.commands) {
    const std::string text = std::regex_replace(command.text, std::regex(R"(\s+)"), " ");
    for (const auto& [group, section] : page.sections)
      if (group != "OPTIONS" && group.size() > 8 && group.ends_with(" OPTIONS") &&
          text.find(group) != std::string::npos)
        command.groups.push_back(group);
  }
  return page;
}

TEST_F(CliDocsTest, TheManPageDescribesEveryCommandAndOptionOfTheHelp) {
  const ManPage page = readManPage();
  ASSERT_TRUE(page.sections.contains("OPTIONS"));
  for (const std::string& option : options(""))
    EXPECT_TRUE(page.sections.at("OPTIONS").described.contains(option))
        << "lexvane-cli " << option << " is not described in " << kManPage
        << ": add a .TP entry for it to the section OPTIONS (see data/README.md)";

  const std::vector<std::string> all = commands();
  ASSERT_GE(all.size(), 6u);
  for (const std::string& command : all) {
    ASSERT_TRUE(page.commands.contains(command))
        << "the command " << command << " has no subsection in " << kManPage << ": add \".SS "
        << command << "\" under COMMANDS (see data/README.md)";
    const ManSection& section = page.commands.at(command);
    Names described = section.described;
    for (const std::string& group : section.groups)
      described.insert(page.sections.at(group).described.begin(),
                       page.sections.at(group).described.end());
    for (const std::string& option : options(command))
      EXPECT_TRUE(described.contains(option))
          << "lexvane-cli " << command << " " << option << " is not described in " << kManPage
          << ": add a .TP entry for it to the subsection \"" << command
          << "\", or to a shared section ending in OPTIONS that the subsection names "
             "(see data/README.md)";
  }
}

TEST_F(CliDocsTest, TheManPageDescribesNoOptionThatACommandLacks) {
  const ManPage page = readManPage();
  for (const auto& [command, section] : page.commands) {
    const Names real = options(command);
    EXPECT_FALSE(real.empty()) << "the manual describes a command " << command
                               << " that lexvane-cli does not know";
    Names described = section.described;
    for (const std::string& group : section.groups)
      described.insert(page.sections.at(group).described.begin(),
                       page.sections.at(group).described.end());
    for (const std::string& option : described)
      EXPECT_TRUE(real.contains(option))
          << "the manual gives lexvane-cli " << command << " the option " << option
          << ", which its --help does not list";
  }
  for (const std::string& option : page.sections.at("OPTIONS").described)
    EXPECT_TRUE(options("").contains(option)) << "the manual's OPTIONS name " << option;
}

TEST_F(CliDocsTest, VersionIsTheProjectsAndTheManPageShowsIt) {
  const auto result = RunShell("'" + kBinary + "' --version", (dir_ / "v.err").string());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "lexvane-cli " LEXVANE_VERSION "\n");
  EXPECT_NE(readFile(kManPage).find("\"Lexvane @PROJECT_VERSION@\""), std::string::npos);
}

// ---- bash ----

const std::string kBashCompletion = "/usr/share/bash-completion/bash_completion";

std::string bashPrologue() {
  return "source " + kBashCompletion + "\nsource '" + kData +
         "/completion/lexvane-cli.bash'\n"
         "complete -p lexvane-cli >/dev/null || exit 3\n"
         "t() {\n"
         "  COMP_WORDS=(\"$@\"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n"
         "  COMP_LINE=\"${COMP_WORDS[*]}\"; COMP_POINT=${#COMP_LINE}; COMPREPLY=()\n"
         "  _lexvane_cli lexvane-cli\n"
         "  echo \"== ${COMP_WORDS[*]:1}\"\n"
         "  printf '%s\\n' \"${COMPREPLY[@]}\"\n"
         "}\n";
}

// The completions of each "t" call of the script's output, by its words.
std::map<std::string, Names> completions(const std::string& output) {
  std::map<std::string, Names> result;
  std::string key;
  for (const std::string& line : lines(output)) {
    if (line.rfind("== ", 0) == 0) {
      key = line.substr(3);
      result[key];
    } else if (!line.empty()) {
      result[key].insert(line);
    }
  }
  return result;
}

TEST_F(CliDocsTest, BashCompletesEveryCommandAndOptionOfTheHelp) {
  if (!std::filesystem::exists(kBashCompletion)) GTEST_SKIP() << "bash-completion is missing";
  const std::vector<std::string> all = commands();
  std::string script = bashPrologue() + "t '" + kBinary + "' ''\nt '" + kBinary + "' -\n";
  for (const std::string& command : all) script += "t '" + kBinary + "' " + command + " -\n";
  const auto got = completions(runScript("bash", script));
  EXPECT_EQ(got.at(""), Names(all.begin(), all.end()));
  EXPECT_EQ(got.at("-"), options(""));
  for (const std::string& command : all)
    EXPECT_EQ(got.at(command + " -"), options(command)) << command;
}

TEST_F(CliDocsTest, BashCompletesFilesByKindAndValuesFromTheHelp) {
  if (!std::filesystem::exists(kBashCompletion)) GTEST_SKIP() << "bash-completion is missing";
  makeFiles({"Novels.CTL", "letters.ctl", "old.CFL", "walk.cws", "chapter one.txt", "go.cll"});
  const std::string t = "t '" + kBinary + "' ";
  const auto got = completions(runScript(
      "bash", bashPrologue() + t + "concord --list ''\n" + t + "wordfreq -l ''\n" + t +
                  "concord -l=''\n" + t + "colloc -q ''\n" + t + "concord -o ''\n" + t +
                  "concord -m 'walk*' ''\n" + t + "concord --dedupe ''\n" + t +
                  "concord --format ''\n" + t + "wordfreq --sort ''\n" + t + "stats --of w\n" + t +
                  "tokens --encoding ''\n" + t + "retrieve --offset ''\n"));
  const Names lists = {"Novels.CTL", "letters.ctl", "old.CFL"};
  const Names everything = {"Novels.CTL", "letters.ctl",     "old.CFL",
                            "walk.cws",   "chapter one.txt", "go.cll"};
  EXPECT_EQ(got.at("concord --list "), lists);
  EXPECT_EQ(got.at("wordfreq -l "), lists);
  EXPECT_EQ(got.at("colloc -q "), Names{"walk.cws"});
  EXPECT_EQ(got.at("concord -o "), everything);
  EXPECT_EQ(got.at("concord -m walk* "), everything);  // corpus files after a mask
  EXPECT_EQ(got.at("concord --dedupe "), everything);  // a flag takes no value
  EXPECT_EQ(got.at("concord --format "), (Names{"para", "lines", "justify"}));
  EXPECT_EQ(got.at("wordfreq --sort "), (Names{"alpha", "freq", "retro", "class"}));
  EXPECT_EQ(got.at("stats --of w"), Names{"wordfreq"});
  EXPECT_EQ(got.at("tokens --encoding "), (Names{"cp1252", "cp850", "utf-8"}));
  EXPECT_TRUE(got.at("retrieve --offset ").empty());  // a number: nothing to offer
}

// ---- zsh ----

bool haveZsh() {
  return std::system("command -v zsh >/dev/null 2>&1") == 0;
}

std::string zshPrologue() {
  return "source '" + kData +
         "/completion/_lexvane-cli'\n"
         "(( $+functions[_lexvane-cli] )) || exit 3\n"
         // The completion system's functions, as they are called.
         "_describe() { print -r -- \"== describe\"; print -rl -- \"${(@)${(P)${@[-1]}}%%:*}\" }\n"
         "_files() { print -r -- \"== files $*\" }\n"
         "_message() { print -r -- \"== message $*\" }\n"
         "t() { words=(\"$@\"); CURRENT=${#words}; PREFIX=${words[-1]}; _lexvane-cli }\n";
}

std::vector<std::string> zshLines(const std::string& output) {
  std::vector<std::string> result = lines(output);
  result.erase(std::remove(result.begin(), result.end(), ""), result.end());
  return result;
}

TEST_F(CliDocsTest, ZshCompletesEveryCommandAndOptionOfTheHelp) {
  if (!haveZsh()) GTEST_SKIP() << "zsh is missing";
  // The file loads as the completion system loads it.
  EXPECT_EQ(
      runScript("zsh", "fpath=('" + kData +
                           "/completion' $fpath)\nautoload -Uz compinit\n"
                           "compinit -u -d '" +
                           dir_.string() + "/zcompdump'\nprint -r -- ${_comps[lexvane-cli]}\n"),
      "_lexvane-cli\n");
  const std::vector<std::string> all = commands();
  const std::string t = "t '" + kBinary + "' ";
  std::vector<std::string> got = zshLines(runScript("zsh", zshPrologue() + t + "''\n"));
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.front(), "== describe");
  EXPECT_EQ(Names(got.begin() + 1, got.end()), Names(all.begin(), all.end()));
  for (const std::string& command : all) {
    got = zshLines(runScript("zsh", zshPrologue() + t + command + " -\n"));
    ASSERT_FALSE(got.empty()) << command;
    EXPECT_EQ(Names(got.begin() + 1, got.end()), options(command)) << command;
  }
}

TEST_F(CliDocsTest, ZshCompletesFilesByKindAndValuesFromTheHelp) {
  if (!haveZsh()) GTEST_SKIP() << "zsh is missing";
  const std::string t = "t '" + kBinary + "' ";
  auto complete = [&](const std::string& words) {
    return zshLines(runScript("zsh", zshPrologue() + t + words + "\n"));
  };
  using Lines = std::vector<std::string>;
  EXPECT_EQ(complete("concord --list ''"), Lines{"== files -g *.(#i)(ctl|cfl)(-.)"});
  EXPECT_EQ(complete("colloc -q ''"), Lines{"== files -g *.(#i)cws(-.)"});
  EXPECT_EQ(complete("wordfreq -o ''"), Lines{"== files "});
  EXPECT_EQ(complete("concord --dedupe ''"), Lines{"== files "});
  EXPECT_EQ(complete("concord --format ''"), (Lines{"== describe", "para", "lines", "justify"}));
  EXPECT_EQ(complete("retrieve --offset ''"), Lines{"== message value"});
}

}  // namespace
}  // namespace lexvane::cli
