#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// How the floating dock is summoned, how it looks and where it stays.
class FloatingDockSection : public SectionPage {
    Q_OBJECT
public:
    FloatingDockSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;
};

} // namespace tessarin
