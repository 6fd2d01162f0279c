#include "iconhost/AutomationPermission.h"

#include <map>

namespace tessarin {

AutomationPermission::Status AutomationPermission::status() {
    finder_.current();
    return finder_.found().places ? Status::granted : Status::unknown;
}

std::string AutomationPermission::hostName() const {
    static const std::map<std::string, std::string, std::less<>> names{{"caja", "Caja"},
                                                                       {"nemo", "Nemo"},
                                                                       {"xfdesktop", "Xfdesktop"},
                                                                       {"pcmanfm", "PCManFM"},
                                                                       {"pcmanfm-qt", "PCManFM-Qt"}};
    const std::string& host = finder_.found().host;
    const auto it = names.find(host);
    return it == names.end() ? host : it->second;
}

} // namespace tessarin
