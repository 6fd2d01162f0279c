#include "freedesktop/ColorSchemeSetting.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <stdexcept>

namespace tessarin {

namespace {

constexpr int toolTimeoutMs = 10000;

// Runs a desktop's own tool to its end; its standard output, or the failure as text.
std::string runTool(const QString& program, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(program).isEmpty())
        throw std::runtime_error(program.toStdString() + " is not installed");
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(toolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error(program.toStdString() + " did not finish");
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(
            program.toStdString() + " failed (exit status " + std::to_string(process.exitCode()) +
            "): " + QString::fromUtf8(process.readAllStandardError()).trimmed().toStdString());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed().toStdString();
}

bool namesDark(const std::string& value) {
    return QString::fromStdString(value).contains(QStringLiteral("dark"), Qt::CaseInsensitive);
}

class PlasmaColorScheme : public ColorSchemeSetting {
public:
    std::string read() override {
        const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/kdeglobals");
        QSettings globals(file, QSettings::IniFormat);
        return globals.value(QStringLiteral("General/ColorScheme"), QStringLiteral("BreezeLight"))
            .toString()
            .toStdString();
    }
    bool isDark(const std::string& value) const override { return namesDark(value); }
    std::string valueFor(bool dark, const std::string&) const override {
        return dark ? "BreezeDark" : "BreezeLight";
    }
    void write(const std::string& value) override {
        runTool(QStringLiteral("plasma-apply-colorscheme"), {QString::fromStdString(value)});
    }
};

class XfceColorScheme : public ColorSchemeSetting {
public:
    std::string read() override { return runTool(QStringLiteral("xfconf-query"), arguments()); }
    bool isDark(const std::string& value) const override { return namesDark(value); }
    // The dark or light sibling of the current theme when it is installed, else Adwaita's.
    std::string valueFor(bool dark, const std::string& current) const override {
        QString name = QString::fromStdString(current);
        if (dark) {
            name += QStringLiteral("-dark");
        } else {
            const qsizetype at = name.lastIndexOf(QStringLiteral("-dark"), -1, Qt::CaseInsensitive);
            name = at > 0 ? name.left(at) : QString();
        }
        if (!name.isEmpty() && themeInstalled(name))
            return name.toStdString();
        return dark ? "Adwaita-dark" : "Adwaita";
    }
    void write(const std::string& value) override {
        runTool(QStringLiteral("xfconf-query"), arguments()
                                                    << QStringLiteral("-s") << QString::fromStdString(value));
    }

private:
    static QStringList arguments() {
        return {QStringLiteral("-c"), QStringLiteral("xsettings"), QStringLiteral("-p"),
                QStringLiteral("/Net/ThemeName")};
    }
    static bool themeInstalled(const QString& name) {
        QStringList folders = {QDir::homePath() + QStringLiteral("/.themes")};
        for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            folders << data + QStringLiteral("/themes");
        for (const QString& folder : folders)
            if (QDir(folder + QLatin1Char('/') + name).exists())
                return true;
        return false;
    }
};

} // namespace

std::unique_ptr<ColorSchemeSetting> plasmaColorScheme() {
    return std::make_unique<PlasmaColorScheme>();
}

std::unique_ptr<ColorSchemeSetting> xfceColorScheme() {
    return std::make_unique<XfceColorScheme>();
}

} // namespace tessarin
