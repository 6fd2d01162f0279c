#include "support/HelpDocument.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tessarin {

namespace {

constexpr std::size_t termColumn = 24;
constexpr std::size_t lineWidth = 80;

// `text` broken into lines of at most lineWidth columns (counting bytes), each after `indent`.
std::string wrapped(const std::string& text, const std::string& indent) {
    std::string out;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && indent.size() + line.size() + 1 + word.size() > lineWidth) {
            out += indent + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    if (!line.empty())
        out += indent + line + "\n";
    return out;
}

void appendSectionText(std::string& out, const HelpDocument::Section& section) {
    out += "\n" + section.title + ":\n";
    for (const auto& p : section.paragraphs)
        out += wrapped(p, "  ");
    for (const auto& e : section.entries) {
        const std::size_t pad = e.term.size() + 2 < termColumn ? termColumn - e.term.size() - 2 : 1;
        out += "  " + e.term + std::string(pad, ' ') + e.text + "\n";
    }
    for (const auto& line : section.literal)
        out += "  " + line + "\n";
}

// Text safe inside a roff line: backslashes and the dashes of options escaped, no control character
// at its start.
std::string roff(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            out += "\\e";
        else if (c == '-' &&
                 (i == 0 || std::string_view(" -[(|").find(text[i - 1]) != std::string_view::npos))
            out += "\\-"; // an option's dashes; a hyphen inside a word stays one
        else
            out += c;
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\''))
        out.insert(0, "\\&");
    return out;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The term of an entry: what the user types in bold, its arguments in italics. A path is all bold.
std::string roffTerm(const std::string& term) {
    const std::size_t space = term.find(' ');
    if (space == std::string::npos || term.starts_with("~") || term.starts_with("/") || term.starts_with("$"))
        return "\\fB" + roff(term) + "\\fR";
    return "\\fB" + roff(term.substr(0, space)) + "\\fR \\fI" + roff(term.substr(space + 1)) + "\\fR";
}

void appendSectionManual(std::string& out, const HelpDocument::Section& section) {
    out += ".SH " + upper(roff(section.title)) + "\n";
    for (const auto& p : section.paragraphs)
        out += ".PP\n" + roff(p) + "\n";
    for (const auto& e : section.entries)
        out += ".TP\n" + roffTerm(e.term) + "\n" + roff(e.text) + "\n";
    if (!section.literal.empty()) {
        out += ".PP\n.nf\n.RS 4\n";
        for (const auto& line : section.literal)
            out += roff(line) + "\n";
        out += ".RE\n.fi\n";
    }
}

} // namespace

std::string helpText(const HelpDocument& help) {
    std::string out;
    for (std::size_t i = 0; i < help.usage.size(); ++i)
        out += (i == 0 ? "Usage: " : "       ") + help.usage[i] + "\n";
    for (const auto& p : help.description)
        out += "\n" + wrapped(p, "");
    for (const auto& section : help.sections)
        appendSectionText(out, section);
    return out;
}

std::string manualPage(const HelpDocument& help, const std::string& version, const std::string& date) {
    std::string out;
    out += ".TH " + upper(roff(help.program)) + " 1 \"" + date + "\" \"Tessarin " + roff(version) +
           "\" \"User Commands\"\n";
    out += ".SH NAME\n" + roff(help.program) + " \\- " + roff(help.summary) + "\n";
    out += ".SH SYNOPSIS\n";
    for (const auto& line : help.usage) {
        const std::size_t space = line.find(' ');
        out += ".B " + roff(line.substr(0, space)) + "\n";
        if (space != std::string::npos)
            out += roff(line.substr(space + 1)) + "\n";
        out += ".br\n";
    }
    out += ".SH DESCRIPTION\n";
    for (std::size_t i = 0; i < help.description.size(); ++i)
        out += (i == 0 ? "" : ".PP\n") + roff(help.description[i]) + "\n";
    for (const auto& section : help.sections)
        appendSectionManual(out, section);
    for (const auto& section : help.manualOnly)
        appendSectionManual(out, section);
    return out;
}

} // namespace tessarin
