#include "settings/sections/AppearanceSection.h"

#include "settings/widgets/ColorButton.h"
#include "settings/widgets/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace tessarin {

namespace {

const QStringList modes = {QStringLiteral("System"), QStringLiteral("Light"), QStringLiteral("Dark")};

} // namespace

AppearanceSection::AppearanceSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Appearance"), parent) {}

void AppearanceSection::build(QVBoxLayout* page) {
    buildTheme(page);
    buildAnimation(page);
    buildWallpaper(page);
}

void AppearanceSection::buildTheme(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Theme"));
    const Appearance& appearance = config().settings.appearance;
    picker(body, QStringLiteral("appearanceMode"), QStringLiteral("Mode"), modes,
           static_cast<int>(appearance.mode), [](SettingsModel& m, int index) {
               return m.preferences.setAppearanceMode(static_cast<AppearanceMode>(index));
           });
    std::optional<QString> accent;
    if (appearance.accentHex)
        accent = qs(*appearance.accentHex);
    auto* color = new ColorButton(accent, true, [this](const std::optional<QString>& hex) {
        std::optional<std::string> value;
        if (hex)
            value = hex->toStdString();
        act([&](SettingsModel& m) { return m.preferences.setAccent(value); });
    });
    color->setObjectName(QStringLiteral("accent"));
    row(body, QStringLiteral("Accent colour"), color);
}

void AppearanceSection::buildAnimation(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Switch animation"));
    const AppSettings& s = config().settings;
    const SwitchLook look = s.switchLook;
    const SwitchSpeed speed = s.switchSpeed;
    const SwitchIntensity intensity = s.switchIntensity;
    picker(body, QStringLiteral("switchLook"), QStringLiteral("Look"),
           {QStringLiteral("None"), QStringLiteral("Vertical"), QStringLiteral("Horizontal"),
            QStringLiteral("Angled left"), QStringLiteral("Angled right"), QStringLiteral("Frost"),
            QStringLiteral("Soft"), QStringLiteral("Dark")},
           static_cast<int>(look), [speed, intensity](SettingsModel& m, int index) {
               return m.preferences.stampSwitchAnimation(static_cast<SwitchLook>(index), speed, intensity);
           });
    picker(body, QStringLiteral("switchSpeed"), QStringLiteral("Speed"),
           {QStringLiteral("Slow"), QStringLiteral("Normal"), QStringLiteral("Fast")},
           static_cast<int>(speed), [look, intensity](SettingsModel& m, int index) {
               return m.preferences.stampSwitchAnimation(look, static_cast<SwitchSpeed>(index), intensity);
           });
    picker(body, QStringLiteral("switchIntensity"), QStringLiteral("Intensity"),
           {QStringLiteral("Subtle"), QStringLiteral("Medium"), QStringLiteral("Strong")},
           static_cast<int>(intensity), [look, speed](SettingsModel& m, int index) {
               return m.preferences.stampSwitchAnimation(look, speed, static_cast<SwitchIntensity>(index));
           });
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    QPushButton* preview =
        button(nullptr, QStringLiteral("previewTransition"), QStringLiteral("Preview"), [this] {
            if (const auto& play = model().state.callbacks.onPreviewTransition)
                play();
        });
    preview->setEnabled(look != SwitchLook::none && bool(model().state.callbacks.onPreviewTransition));
    line->addWidget(preview);
    body->addLayout(line);

    QVBoxLayout* icon = group(page, QStringLiteral("Menu-bar icon animation"));
    picker(icon, QStringLiteral("menuBarAnimation"), QStringLiteral("Animation"),
           {QStringLiteral("Still"), QStringLiteral("Nudge"), QStringLiteral("Mirror")},
           static_cast<int>(s.menuBarAnimation), [](SettingsModel& m, int index) {
               return m.preferences.setMenuBarAnimation(static_cast<MenuBarAnimation>(index));
           });
}

void AppearanceSection::buildWallpaper(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Desktop wallpaper"));
    toggle(
        body, QStringLiteral("muteWallpapers"), QStringLiteral("Mute all wallpapers"),
        config().settings.overlaysMuted,
        [](SettingsModel& m, bool on) { return m.preferences.setOverlaysMuted(on); },
        QStringLiteral("Master switch — hides every desktop's overlay without changing its settings."));
    const auto live = config().liveWorkspaces();
    if (live.empty()) {
        note(body, QStringLiteral("Create a desktop first, then you can give it a wallpaper."));
        return;
    }
    QStringList names;
    int current = -1;
    for (const auto& w : live) {
        if (w.name == wallpaperDesktop_)
            current = static_cast<int>(names.size());
        names.append(qs(w.name));
    }
    if (current < 0) {
        current = 0;
        for (int i = 0; i < static_cast<int>(live.size()); ++i)
            if (live[static_cast<std::size_t>(i)].name == config().activeWorkspace)
                current = i;
        wallpaperDesktop_ = live[static_cast<std::size_t>(current)].name;
    }
    QComboBox* chosen = picker(body, QStringLiteral("wallpaperDesktop"),
                               QStringLiteral("Desktop to wallpaper"), names, current, {});
    // Choosing the desktop only changes what the editor shows: no operation runs.
    connect(chosen, &QComboBox::activated, this, [this, chosen](int index) {
        wallpaperDesktop_ = chosen->itemText(index).toStdString();
        rebuild();
    });

    const Workspace& desktop = live[static_cast<std::size_t>(current)];
    const std::string name = desktop.name;
    const DesktopCue cue = desktop.cue.value_or(DesktopCue{});
    toggle(body, QStringLiteral("cueEnabled"), QStringLiteral("Show this desktop's wallpaper"), cue.enabled,
           [name](SettingsModel& m, bool on) { return m.cues.setCueEnabled(name, on); });

    const bool image = cue.fill.kind == DesktopCue::Fill::Kind::image;
    QComboBox* fill = picker(body, QStringLiteral("cueFill"), QStringLiteral("Fill"),
                             {QStringLiteral("Colour"), QStringLiteral("Image")}, image ? 1 : 0, {});
    connect(fill, &QComboBox::activated, this, [this, name, image](int index) {
        if (index == 1)
            chooseImage(name);
        else if (image)
            act([&](SettingsModel& m) { return m.cues.setCueColor(name, "#000000"); });
    });
    if (image) {
        auto* use = button(nullptr, QStringLiteral("cueImage"), QStringLiteral("Use Image"),
                           [this, name] { chooseImage(name); });
        row(body, QFileInfo(qs(cue.fill.value)).fileName(), use);
    }
    if (!image) {
        auto* color =
            new ColorButton(qs(cue.fill.value), false, [this, name](const std::optional<QString>& hex) {
                if (hex)
                    act([&](SettingsModel& m) { return m.cues.setCueColor(name, hex->toStdString()); });
            });
        color->setObjectName(QStringLiteral("cueColor"));
        row(body, QStringLiteral("Colour"), color);
    }

    auto* opacity = new QSlider(Qt::Horizontal, body->parentWidget());
    opacity->setObjectName(QStringLiteral("cueOpacity"));
    opacity->setRange(5, static_cast<int>(DesktopCue::maxOpacity(cue.aboveIcons) * 100));
    opacity->setValue(static_cast<int>(std::lround(cue.opacity * 100)));
    opacity->setMinimumWidth(160);
    const auto commit = [this, name, opacity] {
        if (!rebuilding() && opacity->isVisible())
            act([&](SettingsModel& m) { return m.cues.setCueOpacity(name, opacity->value() / 100.0); });
    };
    connect(opacity, &QSlider::sliderReleased, this, commit);
    connect(opacity, &QSlider::valueChanged, this, [opacity, commit] {
        if (!opacity->isSliderDown())
            commit();
    });
    row(body, QStringLiteral("Opacity"), opacity);
    toggle(
        body, QStringLiteral("cueAboveIcons"), QStringLiteral("Above desktop icons"), cue.aboveIcons,
        [name](SettingsModel& m, bool on) { return m.cues.setCueAboveIcons(name, on); },
        QStringLiteral(
            "Overlay over the icons too. Capped at 80% so they stay legible — turn this off to take "
            "the overlay all the way to 100%."));
    QComboBox* mode =
        picker(body, QStringLiteral("preferredAppearance"), QStringLiteral("Light / Dark mode"), modes,
               static_cast<int>(desktop.preferredAppearance), [name](SettingsModel& m, int index) {
                   return m.desktops.setPreferredAppearance(name, static_cast<AppearanceMode>(index));
               });
    mode->setToolTip(QStringLiteral("Takes longer to switch — not suited to rapid cycling."));
    note(body, QStringLiteral("Takes longer to switch — not suited to rapid cycling."));
}

void AppearanceSection::chooseImage(const std::string& name) {
    auto* dialog = new QFileDialog(window(), QStringLiteral("Use Image"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setMimeTypeFilters({QStringLiteral("image/png"), QStringLiteral("image/jpeg"),
                                QStringLiteral("application/octet-stream")});
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this, [this, name](const QString& file) {
        act([&](SettingsModel& m) { return m.cues.setCueImage(name, file.toStdString()); });
    });
    connect(dialog, &QFileDialog::rejected, this, [this] { rebuild(); });
    dialog->open();
}

} // namespace tessarin
