// Colours and font style of one token kind, kept in the settings store under the kind's name.
#pragma once

#include "highlight/core/color.h"

#include <QFlags>
#include <QString>
#include <functional>

class TSettingsStore;

// Bit values are the ones stored in the settings ("Style" value).
enum TFontStyle : quint8 {
    fsBold = 0x1,
    fsItalic = 0x2,
    fsUnderline = 0x4,
    fsStrikeOut = 0x8,
};
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

class THighlightAttributes
{
public:
    explicit THighlightAttributes(const QString &name);
    THighlightAttributes(const THighlightAttributes &) = delete;
    THighlightAttributes &operator=(const THighlightAttributes &) = delete;

    const QString &Name() const { return m_name; }

    // clNone: the editor's own background / font colour.
    TColor Background() const { return m_background; }
    void SetBackground(TColor value);
    TColor Foreground() const { return m_foreground; }
    void SetForeground(TColor value);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles value);

    // Copies the name and the three style values; OnChange fires once if a style value changed.
    void Assign(const THighlightAttributes &source);

    // Read or write the integers "Background", "Foreground" and "Style" in the subkey Name() of
    // the store's current key, which is current again afterwards. An absent value leaves its
    // property alone. False when the subkey cannot be opened (or the store is read-only, for
    // saving). A value of another type fails with ERegistryException, as every settings read does.
    bool LoadFromRegistry(TSettingsStore &store);
    bool SaveToRegistry(TSettingsStore &store) const;

    // Fired whenever Background, Foreground or Style really changes.
    std::function<void(THighlightAttributes *sender)> OnChange;

private:
    void Changed();

    QString m_name;
    TColor m_background = clNone;
    TColor m_foreground = clNone;
    TFontStyles m_style;
};
