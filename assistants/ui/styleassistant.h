// TfrmStyleAssistant: builds one CSS rule from a selector and a few font, alignment and colour
// choices, with a preview that follows every change. It hands the rule back and never writes
// into the editor.
#pragma once

#include "assistants/core/stylerule.h"

#include <QDialog>
#include <QFont>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QFontComboBox;
class QFrame;
class QLabel;
class QToolButton;

class TfrmStyleAssistant : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmStyleAssistant(QWidget *owner);

    // The fields as they stand, and the rule they make.
    StyleAssistant::TStyleFields Fields() const;
    QString Rule() const { return StyleAssistant::StyleRule(Fields()); }
    // Shows the dialog modally: the rule on OK, empty when cancelled.
    QString Execute();

    // The colour buttons (" Color" and "Backgr. "); they ask through PickColor.
    void SpeedButton1Click();
    void SpeedButton2Click();
    // Asks for a colour, starting from initial (the current one, else black text on white);
    // tests replace it. Nothing when cancelled.
    std::function<std::optional<std::uint32_t>(std::uint32_t initial, const QString &title)> PickColor;

private:
    QWidget *BuildHeader();
    QWidget *ColorSample(const QString &caption, const char *panelName, const char *buttonName, QFrame **panel,
                         QToolButton **button);
    void ShowSample(QFrame *panel, std::optional<std::uint32_t> rgb);
    void UpdatePreview();
    void SizeChanged(const QString &size);

    QComboBox *m_styleName = nullptr;
    QFontComboBox *m_font = nullptr;
    QComboBox *m_size = nullptr;
    QComboBox *m_align = nullptr;
    QToolButton *m_bold = nullptr, *m_italic = nullptr, *m_underline = nullptr;
    QFrame *m_colorPanel = nullptr, *m_bgColorPanel = nullptr;
    QLabel *m_preview = nullptr;
    std::optional<std::uint32_t> m_color, m_bgColor;
    // The preview keeps the last size a keyword gave it while other text is typed.
    QFont m_previewFont;
};
