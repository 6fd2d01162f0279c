// Build-time generator of the manual pages and the shell completions from the programs' own help and
// command list, so that none of them can drift from what the programs accept.
//
//   tessarin-docgen man tessarinctl|tessarin VERSION DATE   the manual page on stdout
//   tessarin-docgen fill TEMPLATE                          the template with the command lists filled in
#include "commands/HelpPages.h"

#include <fstream>
#include <iostream>
#include <sstream>

using namespace tessarin;

namespace {

// `text` inside single quotes for bash, zsh and fish.
std::string singleQuotedPosix(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string singleQuotedFish(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "'";
}

void replaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
}

std::string filled(std::string text, const cmd::CommandList& commands) {
    std::string names, nameTaking, zsh, fish;
    for (const auto& c : commands) {
        names += (names.empty() ? "" : " ") + c->name();
        // The first argument of these is a desktop's name.
        const std::string synopsis = c->synopsis();
        if (synopsis.starts_with("NAME") || synopsis.starts_with("OLD"))
            nameTaking += (nameTaking.empty() ? "" : " ") + c->name();
        zsh += "    " + singleQuotedPosix(c->name() + ":" + c->summary()) + "\n";
        fish += "complete -c tessarinctl -n __fish_use_subcommand -a " + c->name() + " -d " +
                singleQuotedFish(c->summary()) + "\n";
    }
    replaceAll(text, "@COMMANDS@", names);
    replaceAll(text, "@NAME_COMMANDS@", nameTaking);
    replaceAll(text, "@ZSH_COMMANDS@\n", zsh);
    replaceAll(text, "@FISH_COMMANDS@\n", fish);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const cmd::CommandList commands = cmd::makeCommands();
    if (args.size() == 4 && args[0] == "man" && (args[1] == "tessarinctl" || args[1] == "tessarin")) {
        const HelpDocument help =
            args[1] == "tessarin" ? cmd::tessarinHelp() : cmd::tessarinctlHelp(commands);
        std::cout << manualPage(help, args[2], args[3]);
        return 0;
    }
    if (args.size() == 2 && args[0] == "fill") {
        std::ifstream in(args[1]);
        if (!in) {
            std::cerr << "tessarin-docgen: can't read " << args[1] << "\n";
            return 1;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::cout << filled(text.str(), commands);
        return 0;
    }
    std::cerr << "usage: tessarin-docgen man tessarinctl|tessarin VERSION DATE | fill TEMPLATE\n";
    return 2;
}
