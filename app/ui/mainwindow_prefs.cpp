// The main window's preferences as the options dialog sees them, and applying new ones to the
// timers, the bars and every open editor.
#include "app/ui/mainwindow.h"

#include "aids/core/myrichedit.h"
#include "aids/ui/quickbar.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "app/ui/previewcontroller.h"
#include "editor/ui/codeeditview.h"
#include "highlight/core/htmlsyn.h"

#include <QApplication>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

TPreferences TfrmHTMLEdit::CurrentPreferences() const
{
    TPreferences prefs;
    prefs.Settings = m_settings;
    prefs.SaveSecs = m_documents->SaveSecs();
    prefs.UpdateSecs = m_preview->UpdateSecs();
    if (TDocumentTab *tab = ActiveTab())
        prefs.Settings.ShowEdge = tab->View()->RightEdge() >= 0;
    return prefs;
}

TToolbarsShown TfrmHTMLEdit::ToolbarsShown() const
{
    // Asked of the bars themselves, so that a window not yet shown reports them as they will be.
    return {!m_tbMain2->isHidden(), !m_tbMain->isHidden(), !m_quickBar->isHidden()};
}

void TfrmHTMLEdit::ApplyPreferences(const TPreferences &prefs, const TToolbarsShown &toolbars)
{
    m_settings = prefs.Settings;
    m_documents->SetSaveSecs(prefs.SaveSecs);
    m_preview->SetUpdateSecs(prefs.UpdateSecs);
    m_tbMain2->setVisible(toolbars.Tools);
    m_tbMain->setVisible(toolbars.Main);
    m_quickBar->setVisible(toolbars.QuickTab);
    ApplyPreferencesToControls();
    for (int i = 0; i < PageControl1()->count(); ++i)
        if (TDocumentTab *tab = Tab(i))
            ApplyEditorPreferences(tab);
}

void TfrmHTMLEdit::ApplyEditorPreferences(TDocumentTab *tab) const
{
    TMyRichEdit *editor = tab->Editor();
    TCodeEditView *view = tab->View();
    TEditorOptions options = editor->Options();
    if (m_settings.AutoIndent)
        options |= eoAutoIndent;
    else
        options &= ~TEditorOptions(eoAutoIndent);
    editor->SetOptions(options);
    view->Gutter().SetShowLineNumbers(m_settings.ShowLineNums);
    view->Gutter().SetLeadingZeros(m_settings.ShowZeros);
    editor->SetMaxUndo(m_settings.MaxUndo);
    view->SetRightEdge(m_settings.ShowEdge ? 80 : -1);
    editor->SetTabWidth(m_settings.TabWidth);
}

TCustomHighlighter &TfrmHTMLEdit::SharedHighlighter()
{
    return *m_htmlHiLiter;
}

QList<QWidget *> TfrmHTMLEdit::EditorViews() const
{
    QList<QWidget *> views;
    for (int i = 0; i < PageControl1()->count(); ++i)
        if (TDocumentTab *tab = Tab(i))
            views << tab->View();
    return views;
}

void TfrmHTMLEdit::EditorOpened(TDocumentTab *tab)
{
    for (const auto &listener : std::as_const(m_editorListeners))
        listener(tab->View());
}

void TfrmHTMLEdit::ApplyPreferencesToControls()
{
    m_timer2.setInterval(qMax(1, m_settings.TagInsightTimeOut));
    if (QToolButton *b = m_toolButtons.value(QStringLiteral("btnToggleNums")))
        b->setChecked(m_settings.ShowLineNums);
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, m_settings.AnimateMenus);
    QApplication::setEffectEnabled(Qt::UI_AnimateCombo, m_settings.AnimateMenus);
}
