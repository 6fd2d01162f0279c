// Injected I/O failures at every step of a switch: the error is reported, no item is lost, and once
// the fault is gone the next switch finishes the plan. (The first two listings of a switch are the
// start-up drains of the pinned stash and the hidden desktop, which leave errors to the next start: the
// listing rows start after them.)
#include "support/FaultySurface.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;
using Names = std::set<std::string>;

namespace {

// Fails the k-th save (document or journal, counted together).
class FailingStore : public StateStore {
public:
    FailingStore(StateStore& inner, int failSave, int error)
        : inner_(inner), failSave_(failSave), error_(error) {}
    Config loadConfig() override { return inner_.loadConfig(); }
    void saveConfig(const Config& c) override {
        maybeFail();
        inner_.saveConfig(c);
    }
    std::optional<Journal> loadJournal() override { return inner_.loadJournal(); }
    void saveJournal(const std::optional<Journal>& j) override {
        maybeFail();
        inner_.saveJournal(j);
    }

private:
    void maybeFail() {
        if (++saves_ == failSave_)
            throw std::system_error(error_, std::generic_category(), "Injected failure of save");
    }
    StateStore& inner_;
    int failSave_;
    int error_;
    int saves_ = 0;
};

Names all(const World& w) {
    Names names;
    for (const auto& dir : {w.paths.desktop, w.folder("A"), w.folder("B"), w.folder(".pinned")})
        for (const auto& n : World::listing(dir))
            EXPECT_TRUE(names.insert(n).second) << n << " is in two places";
    return names;
}

} // namespace

TEST(SwapFaults, EveryInjectedFailureLosesNothingAndTheNextSwitchFinishes) {
    enum class Kind { move, listing, save };
    struct Case {
        Kind kind;
        int k;
        int error;
    } cases[] = {
        {Kind::move, 1, EIO},        {Kind::move, 6, ENOSPC},  {Kind::move, 10, EEXIST},
        {Kind::move, 12, EIO},       {Kind::move, 15, ENOSPC}, {Kind::listing, 3, EIO},
        {Kind::listing, 4, EIO},     {Kind::listing, 6, EIO},  {Kind::listing, 8, EIO},
        {Kind::listing, 10, ENOSPC}, {Kind::save, 1, ENOSPC},  {Kind::save, 2, ENOSPC},
        {Kind::save, 3, EIO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + "#" + std::to_string(c.k));
        World w;
        w.document("A", {"A", "B"}, {"P"});
        Names everything{"P"};
        w.item(w.paths.desktop, "P");
        for (int i = 0; i < 10; ++i) {
            w.item(w.paths.desktop, "a" + std::to_string(i));
            everything.insert("a" + std::to_string(i));
        }
        for (int i = 0; i < 5; ++i) {
            w.item(w.folder("B"), "b" + std::to_string(i));
            everything.insert("b" + std::to_string(i));
        }

        test::FaultySurface surface(w.surface);
        FailingStore store(w.store, c.kind == Kind::save ? c.k : 0, c.error);
        if (c.kind == Kind::move)
            surface.failMove(c.k, c.error);
        if (c.kind == Kind::listing)
            surface.failListing(c.k, c.error);
        DesktopSwapper faulty(surface, store, [](std::chrono::microseconds) {});
        bool failed = false;
        try {
            faulty.switchTo("B");
        } catch (const std::system_error& e) {
            failed = true;
            EXPECT_EQ(e.code().value(), c.error);
        }
        EXPECT_TRUE(failed) << "listings " << surface.listingCount() << ", moves " << surface.moveCount();
        EXPECT_EQ(all(w), everything);

        // The fault is gone: the next switch (through recovery if a journal was left) completes.
        w.swapper.switchTo("B");
        EXPECT_EQ(w.desktop(), (Names{"P", "b0", "b1", "b2", "b3", "b4"})) << "failed=" << failed;
        EXPECT_EQ(w.in("A").size(), 10u);
        EXPECT_EQ(w.store.loadConfig().activeWorkspace, "B");
        EXPECT_FALSE(w.store.loadJournal());
        EXPECT_EQ(all(w), everything);
    }
}
