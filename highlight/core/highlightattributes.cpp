// Colours and font style of one token kind, kept in the settings store under the kind's name.
#include "highlight/core/highlightattributes.h"

#include "highlight/core/storekeyguard.h"

namespace {

const QString kBackground = QStringLiteral("Background");
const QString kForeground = QStringLiteral("Foreground");
const QString kStyle = QStringLiteral("Style");
constexpr int kStyleMask = fsBold | fsItalic | fsUnderline | fsStrikeOut;

} // namespace

THighlightAttributes::THighlightAttributes(const QString &name) : m_name(name) {}

void THighlightAttributes::Changed()
{
    if (OnChange)
        OnChange(this);
}

void THighlightAttributes::SetBackground(TColor value)
{
    if (m_background == value)
        return;
    m_background = value;
    Changed();
}

void THighlightAttributes::SetForeground(TColor value)
{
    if (m_foreground == value)
        return;
    m_foreground = value;
    Changed();
}

void THighlightAttributes::SetStyle(TFontStyles value)
{
    if (m_style == value)
        return;
    m_style = value;
    Changed();
}

void THighlightAttributes::Assign(const THighlightAttributes &source)
{
    if (&source == this)
        return;
    m_name = source.m_name;
    const bool changed =
        m_background != source.m_background || m_foreground != source.m_foreground || m_style != source.m_style;
    m_background = source.m_background;
    m_foreground = source.m_foreground;
    m_style = source.m_style;
    if (changed)
        Changed();
}

bool THighlightAttributes::LoadFromRegistry(TSettingsStore &store)
{
    TStoreKeyGuard keyGuard(store);
    if (!store.OpenKey(keyGuard.SubKey(m_name), false))
        return false;
    // Read everything first so that a mistyped value changes nothing.
    const bool hasBackground = store.ValueExists(kBackground);
    const bool hasForeground = store.ValueExists(kForeground);
    const bool hasStyle = store.ValueExists(kStyle);
    const TColor background = hasBackground ? store.ReadInteger(kBackground) : m_background;
    const TColor foreground = hasForeground ? store.ReadInteger(kForeground) : m_foreground;
    const TFontStyles style = hasStyle ? TFontStyles(store.ReadInteger(kStyle) & kStyleMask) : m_style;
    SetBackground(background);
    SetForeground(foreground);
    SetStyle(style);
    return true;
}

bool THighlightAttributes::SaveToRegistry(TSettingsStore &store) const
{
    if (store.ReadOnly())
        return false;
    TStoreKeyGuard keyGuard(store);
    if (!store.OpenKey(keyGuard.SubKey(m_name), true))
        return false;
    store.WriteInteger(kBackground, m_background);
    store.WriteInteger(kForeground, m_foreground);
    store.WriteInteger(kStyle, int(m_style.toInt()));
    return true;
}
