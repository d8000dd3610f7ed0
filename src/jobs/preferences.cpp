#include "preferences.h"

#include "platform/inifile.h"
#include "platform/programfolder.h"

namespace {

const QString kZooming = QStringLiteral("Zooming");
const QString kFont = QStringLiteral("Default Font");
const QString kIcons = QStringLiteral("Icons");
const QString kHints = QStringLiteral("Hints");

// Point sizes outside this range cannot be drawn sensibly; the font dialog offers none of them.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 1638;

void readStyle(const TIniFile& ini, const QString& key, int flag, int& style)
{
    if (ini.ReadBool(kFont, key, style & flag))
        style |= flag;
    else
        style &= ~flag;
}

bool writeStyle(TIniFile& ini, const QString& key, int flag, int style)
{
    return ini.WriteBool(kFont, key, style & flag);
}

} // namespace

TPreferences DefaultPreferences()
{
    TPreferences preferences;
    // Named as the file is, whatever the case of its letters, so that the palette and the report find it.
    const QString installed = FindProgramFile(QStringLiteral("MISC1.ICL"));
    preferences.IconFile = installed.isEmpty() ? ProgramDirectory() + QStringLiteral("MISC1.ICL") : installed;
    return preferences;
}

TPreferences LoadPreferences()
{
    const TPreferences defaults = DefaultPreferences();
    TPreferences p = defaults;
    const TIniFile ini(SettingsFileName());
    p.MainZoomPercent = ini.ReadInteger(kZooming, QStringLiteral("Main"), defaults.MainZoomPercent);
    p.PropZoomPercent = ini.ReadInteger(kZooming, QStringLiteral("Prop"), defaults.PropZoomPercent);

    FontDescription& font = p.DefaultFont;
    font.name = ini.ReadString(kFont, QStringLiteral("Name"), defaults.DefaultFont.name);
    if (font.name.trimmed().isEmpty())
        font.name = defaults.DefaultFont.name;
    font.size = ini.ReadInteger(kFont, QStringLiteral("Size"), defaults.DefaultFont.size);
    if (font.size < kMinFontSize || font.size > kMaxFontSize)
        font.size = defaults.DefaultFont.size;
    readStyle(ini, QStringLiteral("Bold"), fsBold, font.style);
    readStyle(ini, QStringLiteral("Italic"), fsItalic, font.style);
    readStyle(ini, QStringLiteral("Underline"), fsUnderline, font.style);
    readStyle(ini, QStringLiteral("Strikeout"), fsStrikeOut, font.style);
    font.color = ini.ReadInteger(kFont, QStringLiteral("Color"), defaults.DefaultFont.color);

    p.IconFile = ini.ReadString(kIcons, QStringLiteral("File"), defaults.IconFile);
    if (p.IconFile.trimmed().isEmpty())
        p.IconFile = defaults.IconFile;
    p.IconToolVisible = ini.ReadBool(kIcons, QStringLiteral("Visible"), defaults.IconToolVisible);
    p.ShowHints = ini.ReadBool(kHints, QStringLiteral("On"), defaults.ShowHints);
    return p;
}

bool SavePreferences(const TPreferences& p)
{
    TIniFile ini(SettingsFileName());
    bool ok = ini.WriteInteger(kZooming, QStringLiteral("Main"), p.MainZoomPercent);
    ok &= ini.WriteInteger(kZooming, QStringLiteral("Prop"), p.PropZoomPercent);
    const FontDescription& font = p.DefaultFont;
    ok &= ini.WriteString(kFont, QStringLiteral("Name"), font.name);
    ok &= ini.WriteInteger(kFont, QStringLiteral("Size"), font.size);
    ok &= writeStyle(ini, QStringLiteral("Bold"), fsBold, font.style);
    ok &= writeStyle(ini, QStringLiteral("Italic"), fsItalic, font.style);
    ok &= writeStyle(ini, QStringLiteral("Underline"), fsUnderline, font.style);
    ok &= writeStyle(ini, QStringLiteral("Strikeout"), fsStrikeOut, font.style);
    ok &= ini.WriteInteger(kFont, QStringLiteral("Color"), font.color);
    ok &= ini.WriteBool(kIcons, QStringLiteral("Visible"), p.IconToolVisible);
    ok &= ini.WriteBool(kHints, QStringLiteral("On"), p.ShowHints);
    ok &= ini.WriteString(kIcons, QStringLiteral("File"), p.IconFile);
    return ok;
}
