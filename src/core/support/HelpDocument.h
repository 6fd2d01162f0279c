#pragma once

#include <string>
#include <vector>

namespace tessarin {

// A program's help, written once and printed two ways: as the text of --help and as its manual page.
struct HelpDocument {
    struct Entry {
        std::string term; // "switch NAME", "--json"
        std::string text; // one line
    };
    struct Section {
        std::string title;                   // "Commands"
        std::vector<std::string> paragraphs; // before the entries
        std::vector<Entry> entries;
        std::vector<std::string> literal; // lines shown as they are (examples, JSON shapes)
    };

    std::string program;                  // "tessarinctl"
    std::string summary;                  // the manual page's one-line NAME description
    std::vector<std::string> usage;       // "tessarinctl [--json] COMMAND [ARGS]"
    std::vector<std::string> description; // paragraphs
    std::vector<Section> sections;        // in --help and in the manual page
    std::vector<Section> manualOnly;      // only in the manual page (FILES, SEE ALSO, …)
};

// The --help text: "Usage: …", the description and every section, entries in two columns.
std::string helpText(const HelpDocument& help);

// The manual page in roff (man(7) macros), section 1, dated `date` ("2026-01-31") with `version`.
std::string manualPage(const HelpDocument& help, const std::string& version, const std::string& date);

} // namespace tessarin
