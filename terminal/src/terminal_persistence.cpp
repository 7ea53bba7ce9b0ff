// Terminal: saving and loading the persisted properties, and the reset-state request.
#include "glyphterm/terminal.h"

#include "screen_ops.h"

#include <QFontInfo>
#include <QSettings>

namespace glyphterm {

// The persisted properties, in the stored order, with their defaults.
struct Terminal::PersistedProperties
{
    QFont font = defaultTerminalFont();
    OLE_COLOR backColor = DefaultBackground;
    OLE_COLOR foreColor = DefaultForeground;
    short borderStyle = 0;
    bool enabled = true;
    bool autoWrap = true;
    bool bell = true;
    OLE_COLOR boldColor = DefaultBoldColour;
    short columns = 80;
    bool cursor = true;
    short cursorStyle = csUnderline;
    short emulation = emAnsi;
    short newLine = nlCRLF;
    short rows = 25;
};

namespace {

constexpr char PropertiesVersion[] = "1.0";

template <typename T> T read(const QSettings &settings, const char *key, T fallback)
{
    const QVariant value = settings.value(QLatin1String(key));
    return value.isValid() ? value.value<T>() : fallback;
}

} // namespace

void Terminal::saveProperties(QSettings &settings) const
{
    settings.setValue(QStringLiteral("Version"), QLatin1String(PropertiesVersion));
    settings.setValue(QStringLiteral("Font"), font().toString());
    settings.setValue(QStringLiteral("BackColor"), backColor_);
    settings.setValue(QStringLiteral("ForeColor"), foreColor_);
    settings.setValue(QStringLiteral("BorderStyle"), borderStyle_);
    settings.setValue(QStringLiteral("Enabled"), isEnabled());
    settings.setValue(QStringLiteral("AutoWrap"), autoWrap_);
    settings.setValue(QStringLiteral("Bell"), bell_);
    settings.setValue(QStringLiteral("BoldColor"), boldColor_);
    settings.setValue(QStringLiteral("Columns"), columns_);
    settings.setValue(QStringLiteral("Cursor"), cursor_);
    settings.setValue(QStringLiteral("CursorStyle"), cursorStyle_);
    settings.setValue(QStringLiteral("Emulation"), emulation_);
    settings.setValue(QStringLiteral("NewLine"), newLine_);
    settings.setValue(QStringLiteral("Rows"), rows_);
}

void Terminal::loadProperties(QSettings &settings)
{
    PersistedProperties values;
    QFont loaded;
    if (loaded.fromString(read<QString>(settings, "Font", QString())))
        values.font = loaded;
    // A proportional font would break the grid: back to the terminal font.
    if (!QFontInfo(values.font).fixedPitch())
        values.font = defaultTerminalFont();
    values.backColor = read<OLE_COLOR>(settings, "BackColor", values.backColor);
    values.foreColor = read<OLE_COLOR>(settings, "ForeColor", values.foreColor);
    values.borderStyle = read<short>(settings, "BorderStyle", values.borderStyle);
    values.enabled = read<bool>(settings, "Enabled", values.enabled);
    values.autoWrap = read<bool>(settings, "AutoWrap", values.autoWrap);
    values.bell = read<bool>(settings, "Bell", values.bell);
    // BoldColor has no default: a missing entry keeps the current colour.
    values.boldColor = read<OLE_COLOR>(settings, "BoldColor", boldColor_);
    values.columns = read<short>(settings, "Columns", values.columns);
    values.cursor = read<bool>(settings, "Cursor", values.cursor);
    values.cursorStyle = read<short>(settings, "CursorStyle", values.cursorStyle);
    values.emulation = read<short>(settings, "Emulation", values.emulation);
    values.newLine = read<short>(settings, "NewLine", values.newLine);
    values.rows = read<short>(settings, "Rows", values.rows);
    applyProperties(values);
}

void Terminal::ResetState()
{
    PersistedProperties defaults;
    defaults.boldColor = boldColor_;
    applyProperties(defaults);
    selStart_ = 0;
    selLength_ = 0;
}

void Terminal::applyProperties(const PersistedProperties &values)
{
    QWidget::setFont(values.font);
    setBackColor(values.backColor);
    setForeColor(values.foreColor);
    setBorderStyle(values.borderStyle);
    setEnabled(values.enabled);
    setAutoWrap(values.autoWrap);
    setBell(values.bell);
    setBoldColor(values.boldColor);
    setCursor(values.cursor);
    setCursorStyle(values.cursorStyle);
    setEmulation(values.emulation);
    setNewLine(values.newLine);
    if (values.columns != columns_ || values.rows != rows_) {
        columns_ = values.columns;
        setRows(values.rows);
    }
}

} // namespace glyphterm
