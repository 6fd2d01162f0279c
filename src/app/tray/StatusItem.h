#pragma once

#include "cycle/ScrollGesture.h"
#include "icon/GlyphGeometry.h"
#include "menu/StatusMenuModel.h"

#include <QObject>
#include <QPoint>

namespace tessarin {

// The agent's icon in the panel, whichever protocol shows it. Reports clicks and wheel turns; the
// controller decides what they do.
class StatusItem : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setGlyph(const BarLengths& widths, const BarLengths& radii) = 0;
    // The menu a host draws itself (StatusNotifierItem hosts) and the icon's tooltip.
    virtual void setMenu(const StatusMenuModel& /*model*/) {}
    // Where a menu opened by us should appear: below (or above) the icon.
    virtual QPoint menuPosition() const = 0;
    virtual const char* protocol() const = 0;

signals:
    // A primary click; `optionHeld` when Alt was down.
    void clicked(bool optionHeld);
    // A secondary click: the menu, whatever modifier is held.
    void contextClicked();
    void scrolled(const tessarin::ScrollInput& input);
    // A menu item chosen in a host-drawn menu.
    void menuEntryChosen(const tessarin::StatusMenuEntry& entry);
};

} // namespace tessarin
