#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// The items that stay on the Desktop through every switch.
class PinnedSection : public SectionPage {
    Q_OBJECT
public:
    PinnedSection(SectionContext& context, QWidget* parent = nullptr);

    // Pins the item at `path` when it is on the Desktop; refuses it otherwise.
    void pin(const std::filesystem::path& path);

protected:
    void build(QVBoxLayout* page) override;

private:
    void browse();
};

} // namespace tessarin
