#pragma once

#include <QToolButton>
#include <functional>
#include <optional>

namespace tessarin {

// A swatch that opens a menu of the desktop palette's colours and "Custom colour…"; reports the chosen
// colour as "#RRGGBB". With `systemChoice`, a first entry "System" reports none.
class ColorButton : public QToolButton {
    Q_OBJECT
public:
    using Chosen = std::function<void(const std::optional<QString>& hex)>;

    ColorButton(const std::optional<QString>& hex, bool systemChoice, Chosen chosen,
                QWidget* parent = nullptr);

    static QIcon swatch(const QColor& color, int side);

private:
    void chooseCustom();

    std::optional<QString> hex_;
    Chosen chosen_;
};

} // namespace tessarin
