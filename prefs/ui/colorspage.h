// The Colors page: foreground, background, bold and italic of each token kind and the editor's
// own colours, with a sample page that shows every change at once.
#pragma once

#include "highlight/core/editorscheme.h"

#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QListWidget;
class QPushButton;
class TCodeEdit;
class TCodeEditView;
class THTMLSyn;
class THighlighterLink;
class THighlighterTokens;

class TfrmColors : public QDialog
{
    Q_OBJECT
public:
    // What the dialog ends with besides Rejected: the colours shown are the user's own, or the
    // desktop's scheme is wanted again.
    enum TResult { UseColors = QDialog::Accepted, UseDesktopScheme = 2 };

    explicit TfrmColors(const TEditorScheme &colors, QWidget *parent = nullptr);
    ~TfrmColors() override;

    const TEditorScheme &Colors() const { return m_colors; }
    // Row 0 is the editor itself, then one row per attribute as in Colors().Attributes.
    void SelectRow(int row);
    int Row() const;
    // The edits the controls make.
    void SetForeground(TColor color);
    void SetBackground(TColor color);
    void SetBold(bool on);
    void SetItalic(bool on);
    TCodeEditView *Sample() const { return m_sample; }

    // Asks for a colour; an invalid colour means cancelled. A test answers it.
    std::function<QColor(const QColor &initial, const QString &title)> ChooseColor;

private:
    void ShowRow();
    void UpdateSample();
    void PickColor(bool foreground);
    void Touch(const std::function<void(TSchemeAttribute &attribute)> &change);

    TEditorScheme m_colors;
    bool m_filling = false;
    QListWidget *m_lbAttributes = nullptr;
    QPushButton *m_btnForeground = nullptr;
    QPushButton *m_btnBackground = nullptr;
    QCheckBox *m_chkDefaultForeground = nullptr;
    QCheckBox *m_chkDefaultBackground = nullptr;
    QCheckBox *m_chkBold = nullptr;
    QCheckBox *m_chkItalic = nullptr;
    std::unique_ptr<THTMLSyn> m_sampleSyn;
    std::unique_ptr<THighlighterLink> m_sampleLink;
    std::unique_ptr<THighlighterTokens> m_sampleTokens;
    TCodeEdit *m_sampleEdit = nullptr;
    TCodeEditView *m_sample = nullptr;
};
