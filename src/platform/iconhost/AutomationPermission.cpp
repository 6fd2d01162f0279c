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
                                                                       {"xfdesktop", "Xfce desktop"},
                                                                       {"pcmanfm", "PCManFM"},
                                                                       {"pcmanfm-qt", "PCManFM-Qt"}};
    const std::string& host = finder_.found().host;
    const auto it = names.find(host);
    return it == names.end() ? host : it->second;
}

std::string AutomationPermission::rowTitle() {
    return "Desktop icon host";
}

std::string AutomationPermission::subtitle(Status status, const std::string& hostName) {
    if (status == Status::granted)
        return "Lets Tessarin tell " + hostName + " where your desktop icons go when you switch.";
    if (hostName.empty())
        return "No desktop icon host is running \u2014 switching still works; this refreshes here "
               "automatically.";
    return hostName + " doesn't let Tessarin place icons \u2014 switching still works, and this refreshes "
                      "here automatically.";
}

} // namespace tessarin
