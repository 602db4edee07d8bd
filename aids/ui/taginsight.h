// TTagInsight: tag-bracket completion, the tag completion list and the tag hints of the editors.
#pragma once

#include "aids/core/caretwindow.h"

#include "aids/core/tagdata.h"
#include "platform/core/windowstate.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QLineEdit;
class QTimer;
class QWidget;
class TCodeEdit;
class TCodeEditView;
class TMyHintWindow;
class TMyRichEdit;
class TTagInsightList;

// Works on the flags the window's helpers share through their value object; owns the tag data it
// completes from, the list, the tooltip and its own positions.
class TTagInsight : public QObject
{
    Q_OBJECT
public:
    // The list becomes a child of `window`; `timer2` (single shot, the insight delay) is armed here.
    // Without a timer the caller runs Timer2Timer itself when the delay would have passed.
    TTagInsight(QWidget *window, QLineEdit *mmoTagHint, QTimer *timer2, TWindowState &state);
    ~TTagInsight() override;

    // The active document's view, null when no document is open.
    std::function<TCodeEditView *()> ActiveView;
    // Message boxes and the status message; empty hooks show real boxes and nothing.
    std::function<void(int icon, const QString &caption, const QString &text)> ShowMessage;
    std::function<bool(const QString &caption, const QString &text)> AskYesNo;
    std::function<void(const QString &text)> ShowStatus;

    // Start-up. LoadInsightData answers false when the user chose not to go on without the data.
    bool LoadInsightData(const QString &fileName);
    void LoadTagNames(const QString &fileName);
    bool IsKnownTag(const QString &name) const { return m_tagNames.IsKnownTag(name); }
    const TTagNames &TagNames() const { return m_tagNames; }
    const QList<TMyHTMLTag> &InsightTags() const { return m_insightTags; }

    // Hooks a document's view, once: bracket completion (key and command listeners added beside any
    // others the engine has), Down into the list, leaving hides the tooltip.
    void AttachEditor(TCodeEditView *view);

    void FormKeyPress(TCodeEdit *editor, QChar &key);
    // Backspace between a just-completed "<" and its ">" takes both.
    void FormProcessCommand(TCodeEdit *editor, quint16 &command);
    // The editor's change and selection-change events.
    void EditorChange();
    void EditorSelectionChange();
    void CheckTagHint();
    void FillInsightList();
    void ShowTagHints();
    void HideTagHints();
    void Timer2Timer();
    // Inserts the selected list entry (double click, Space, Enter).
    void lbTagInsightDblClick();

    TTagInsightList *lbTagInsight() const { return m_list; }
    TMyHintWindow *HintWindow() const { return m_hintWindow; }
    qint32 InsightStart = 0;
    qint32 InsightLen = 0;

    static QString StatusText();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TMyRichEdit *ActiveRichEdit() const;
    void HideList();
    static TagInsight::TCaretText AroundCaret(const TMyRichEdit *editor);
    void FillInsightList(const TagInsight::TCaretText &text);
    // The caret's lower left corner in the view's viewport, shifted by dx.
    QPoint BelowCaret(TCodeEditView *view, int dx) const;
    void PlaceList(TCodeEditView *view, int dx);
    void ReturnToEditor();
    void TypeLetter(QChar letter);
    void ArmDelay();
    void DisarmDelay();

    QWidget *m_window;
    QPointer<QLineEdit> m_mmoTagHint;
    QTimer *m_timer2;
    TWindowState &m_state;
    TTagNames m_tagNames;
    QList<TMyHTMLTag> m_insightTags;
    TTagInsightList *m_list;
    TMyHintWindow *m_hintWindow;
    // Where bracket completion last put "<>": typing ">" before that ">" steps over it.
    struct TAutoBracket
    {
        QPointer<QObject> Editor;
        int Line = 0;
        int OpenColumn = 0; // 1-based column of the "<"
    };
    bool AtAutoBracket(TCodeEdit *editor) const;
    TAutoBracket m_autoBracket;
    bool m_afterBlank = false;
    bool m_inserting = false;
};
