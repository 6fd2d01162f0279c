#include "gvfs/GvfsIconHost.h"

#include "gvfs/GLibPointers.h"

#include <charconv>
#include <ctime>
#include <gio/gio.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

constexpr const char* metadataService = "org.gtk.vfs.Metadata";
constexpr const char* metadataPath = "/org/gtk/vfs/metadata";
constexpr int callTimeoutMs = 10000;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int64_t> integer(std::string_view text) {
    text = trimmed(text);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// Calls to the metadata service, all sent at once and answered on a main context of their own, so that
// many changes cost about one round trip.
class PendingCalls {
public:
    explicit PendingCalls(GDBusConnection* bus) : bus_(bus), context_(g_main_context_new()) {
        g_main_context_push_thread_default(context_);
    }
    ~PendingCalls() {
        drain();
        g_main_context_pop_thread_default(context_);
        g_main_context_unref(context_);
    }
    PendingCalls(const PendingCalls&) = delete;
    PendingCalls& operator=(const PendingCalls&) = delete;

    // `parameters` (floating) is taken over.
    void call(const char* method, GVariant* parameters) {
        ++pending_;
        g_dbus_connection_call(bus_, metadataService, metadataPath, metadataService, method, parameters,
                               nullptr, G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr,
                               &PendingCalls::answered, this);
    }
    // Waits for every answer; throws the first failure.
    void wait() {
        drain();
        if (!firstError_.empty())
            throw IconHostError("the gvfs metadata service refused a change: " + firstError_);
    }

private:
    void drain() {
        while (pending_ > 0)
            g_main_context_iteration(context_, TRUE);
    }
    static void answered(GObject* source, GAsyncResult* result, gpointer data) {
        auto* self = static_cast<PendingCalls*>(data);
        GError* error = nullptr;
        GVariant* reply =
            g_dbus_connection_call_finish(reinterpret_cast<GDBusConnection*>(source), result, &error);
        if (reply)
            g_variant_unref(reply);
        if (error) {
            if (self->firstError_.empty())
                self->firstError_ = error->message;
            g_error_free(error);
        }
        --self->pending_;
    }

    GDBusConnection* bus_;
    GMainContext* context_;
    int pending_ = 0;
    std::string firstError_;
};

bool within(const fs::path& path, const fs::path& folder) {
    const std::string p = path.string();
    const std::string f = folder.string();
    return p.compare(0, f.size(), f) == 0 && (p.size() == f.size() || f == "/" || p[f.size()] == '/');
}

// The top folder of the volume `device` that holds `path`.
fs::path mountPointOf(fs::path path, dev_t device) {
    while (path.has_relative_path()) {
        struct stat info {};
        if (::stat(path.parent_path().c_str(), &info) != 0 || info.st_dev != device)
            break;
        path = path.parent_path();
    }
    return path;
}

// The name of the tree gvfs keeps for a volume of its own; empty when it keeps none.
std::string treeOfDevice(GDBusConnection* bus, dev_t device) {
    GVariant* reply = g_dbus_connection_call_sync(
        bus, metadataService, metadataPath, metadataService, "GetTreeFromDevice",
        g_variant_new("(uu)", static_cast<guint32>(major(device)), static_cast<guint32>(minor(device))),
        nullptr, G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr, nullptr);
    if (!reply)
        return {};
    const gchar* tree = nullptr;
    g_variant_get(reply, "(&s)", &tree);
    std::string result = tree ? tree : "";
    g_variant_unref(reply);
    return result;
}

GObjectPtr<GDBusConnection> sessionBus() {
    GError* error = nullptr;
    GObjectPtr<GDBusConnection> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error));
    if (!bus) {
        const std::string why = error ? error->message : "no session bus";
        g_clear_error(&error);
        throw IconHostError("the gvfs metadata service can't be reached: " + why);
    }
    return bus;
}

} // namespace

MetadataTreePlace metadataTreeOf(const fs::path& folder) {
    std::error_code ec;
    const fs::path expanded = fs::canonical(folder, ec);
    struct stat info {};
    if (ec || ::stat(expanded.c_str(), &info) != 0)
        throw IconHostError("the folder " + folder.string() + " can't be examined");
    const fs::path trees = fs::path(g_get_user_data_dir()) / "gvfs-metadata";

    const fs::path home = g_get_home_dir();
    struct stat homeInfo {};
    const fs::path expandedHome = fs::canonical(home, ec);
    if (!ec && ::stat(home.c_str(), &homeInfo) == 0 && homeInfo.st_dev == info.st_dev &&
        within(expanded, expandedHome)) {
        const std::string rest = expanded.string().substr(expandedHome.string().size());
        return {(trees / "home").string(), rest.empty() ? "/" : rest};
    }
    // Another volume with a tree of its own is addressed from where it is mounted.
    const std::string tree = treeOfDevice(sessionBus().get(), info.st_dev);
    const fs::path mount = mountPointOf(expanded, info.st_dev);
    if (!tree.empty() && mount != "/") {
        const std::string rest = expanded.string().substr(mount.string().size());
        return {(trees / tree).string(), rest.empty() ? "/" : rest};
    }
    return {(trees / "root").string(), expanded.string()};
}

GvfsIconHost::GvfsIconHost(std::string host, fs::path desktop)
    : host_(std::move(host)), desktop_(std::move(desktop)) {}

std::optional<IconPosition> GvfsIconHost::parsePosition(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto x = integer(text.substr(0, comma));
    const auto y = integer(text.substr(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return IconPosition{*x, *y};
}

IconPositions GvfsIconHost::read(const std::vector<std::string>& names) {
    const std::string attribute = "metadata::" + host_ + "-icon-position";
    IconPositions positions;
    for (const auto& name : names) {
        if (!isPlainName(name))
            continue;
        const GObjectPtr<GFile> file(g_file_new_for_path((desktop_ / name).c_str()));
        const GObjectPtr<GFileInfo> info(g_file_query_info(
            file.get(), attribute.c_str(), G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, nullptr));
        if (!info)
            continue;
        if (const char* value = g_file_info_get_attribute_string(info.get(), attribute.c_str()))
            if (const auto position = parsePosition(value))
                positions.set(name, *position);
    }
    return positions;
}

void GvfsIconHost::write(const IconPositions& positions, const std::vector<std::string>& forget) {
    if (positions.empty() && forget.empty())
        return;
    const MetadataTreePlace place = metadataTreeOf(desktop_);
    const auto bus = sessionBus();
    const std::string positionKey = host_ + "-icon-position";
    const std::string stampKey = host_ + "-icon-position-timestamp";
    const std::string now = std::to_string(std::time(nullptr));
    const std::string folder = place.folderInTree == "/" ? "" : place.folderInTree;

    PendingCalls calls(bus.get());
    for (const auto& [name, position] : positions) {
        if (!isPlainName(name))
            continue;
        const std::string xy = std::to_string(position.x) + "," + std::to_string(position.y);
        GVariantBuilder values;
        g_variant_builder_init(&values, G_VARIANT_TYPE_VARDICT);
        g_variant_builder_add(&values, "{sv}", positionKey.c_str(), g_variant_new_string(xy.c_str()));
        g_variant_builder_add(&values, "{sv}", stampKey.c_str(), g_variant_new_string(now.c_str()));
        const std::string path = folder + "/" + name;
        calls.call("Set", g_variant_new("(^ay^ay@a{sv})", place.treeFile.c_str(), path.c_str(),
                                        g_variant_builder_end(&values)));
    }
    // Whatever an earlier item of the same name left behind goes, so the arriving icon is placed afresh.
    for (const auto& name : forget) {
        if (!isPlainName(name))
            continue;
        const std::string path = folder + "/" + name;
        calls.call("Remove", g_variant_new("(^ay^ay)", place.treeFile.c_str(), path.c_str()));
    }
    calls.wait();
}

} // namespace tessarin
