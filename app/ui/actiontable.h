// The window's commands as a table indexed by name: the enum for code, the names (kept as each
// action's objectName) for lookups from outside and for the settings of later tools.
#pragma once

#define TAGFORGE_ACTIONS(X)                                                                                            \
    X(New1)                                                                                                            \
    X(Open1)                                                                                                           \
    X(Close1)                                                                                                          \
    X(CloseAll1) X(Save1) X(SaveAs1) X(SaveAll1) X(Print1) X(PrinterSetup1) X(Backup1) X(Exit1) X(Undo1) X(Redo1)      \
        X(Repeat1) X(Copy1) X(Cut1) X(Paste1) X(Delete1) X(DeleteLine1) X(Indent1) X(Unindent1) X(GotoLine1)           \
            X(GotoChar1) X(SelectAll1) X(Hyperlink1) X(EigeneHomepageAdresse1) X(EigeneeMailAdresse1)                  \
                X(HexadecimalColor1) X(BRTag1) X(CurrDate1) X(CurrTime1) X(InsertText1) X(Template1)                   \
                    X(MinimalenHTMLRumpf1) X(Find1) X(FindNext1) X(Replace1) X(Preview1) X(Preview2) X(Preview3)       \
                        X(MainTb1) X(QuickTab1) X(PathQuicktab1) X(StatusBar1) X(BrowserToolbar1)                      \
                            X(PageControl1MultiLine1) X(ExploreWin1) X(TagParams1) X(TagAssistent1) X(SyntaxCheck1)    \
                                X(LinkCheckerlocal1) X(ReplaceSlashes1) X(UpperCaseTags1) X(LowerCaseTags1)            \
                                    X(AlleTagsentfernen1) X(Chars2Entities1) X(Entities2Chars1) X(TagSelect1)          \
                                        X(Dokument2) X(SpellCheck1) X(Text2HtmlKonverter1) X(JavaApplets1) X(New2)     \
                                            X(Add1) X(Delete2) X(ProjectOptions1) X(Infomation1) X(Upload1)            \
                                                X(Einstellungen1) X(Properties1) X(EditorProperties1) X(Browser1)      \
                                                    X(Resettodefaults1) X(HTMLDocumentation1) X(Help1)                 \
                                                        X(WebValidator1) X(WebMDN1) X(About1) X(SendMail1)             \
                                                            X(btnPreview) X(ImageBrowser1) X(AutoDateRefresh1) X(TextDatum1)   \
                                                                X(LastUpdateDate1) X(CreatedDate1)                     \
                                                                    X(BodyAssistant1) X(QuickStart1) X(TableWizard1)

enum class TActionId : int {
#define TAGFORGE_ACTION_ID(name) name,
    TAGFORGE_ACTIONS(TAGFORGE_ACTION_ID)
#undef TAGFORGE_ACTION_ID
        Count
};

// The objectName of a command.
inline const char *ActionName(TActionId id)
{
    static const char *const names[] = {
#define TAGFORGE_ACTION_NAME(name) #name,
        TAGFORGE_ACTIONS(TAGFORGE_ACTION_NAME)
#undef TAGFORGE_ACTION_NAME
    };
    return names[int(id)];
}
