// Tests of TEditKeyStrokes and key translation: defaults, two-key sequences, duplicates.
#include "editor/core/codeedit.h"
#include "editor/core/keystrokes.h"

#include <QTest>

Q_DECLARE_METATYPE(TShiftState)

class TestKeyStrokes : public QObject
{
    Q_OBJECT

private slots:
    void defaultBindings_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("key");
        QTest::addColumn<TShiftState>("shift");
        QTest::addColumn<int>("command");
        const TShiftState n, s = ssShift, c = ssCtrl, a = ssAlt, cs = ssCtrl | ssShift, sa = ssShift | ssAlt;
        struct Row
        {
            const char *name;
            int key;
            TShiftState shift;
            TEditorCommand command;
        };
        QList<Row> rows = {
            {"Up", VK_UP, n, ecUp},
            {"Shift+Up", VK_UP, s, ecSelUp},
            {"Ctrl+Up", VK_UP, c, ecScrollUp},
            {"Down", VK_DOWN, n, ecDown},
            {"Shift+Down", VK_DOWN, s, ecSelDown},
            {"Ctrl+Down", VK_DOWN, c, ecScrollDown},
            {"Left", VK_LEFT, n, ecLeft},
            {"Shift+Left", VK_LEFT, s, ecSelLeft},
            {"Ctrl+Left", VK_LEFT, c, ecWordLeft},
            {"Ctrl+Shift+Left", VK_LEFT, cs, ecSelWordLeft},
            {"Right", VK_RIGHT, n, ecRight},
            {"Shift+Right", VK_RIGHT, s, ecSelRight},
            {"Ctrl+Right", VK_RIGHT, c, ecWordRight},
            {"Ctrl+Shift+Right", VK_RIGHT, cs, ecSelWordRight},
            {"PageDown", VK_NEXT, n, ecPageDown},
            {"Shift+PageDown", VK_NEXT, s, ecSelPageDown},
            {"Ctrl+PageDown", VK_NEXT, c, ecPageBottom},
            {"Ctrl+Shift+PageDown", VK_NEXT, cs, ecSelPageBottom},
            {"PageUp", VK_PRIOR, n, ecPageUp},
            {"Shift+PageUp", VK_PRIOR, s, ecSelPageUp},
            {"Ctrl+PageUp", VK_PRIOR, c, ecPageTop},
            {"Ctrl+Shift+PageUp", VK_PRIOR, cs, ecSelPageTop},
            {"Home", VK_HOME, n, ecLineStart},
            {"Shift+Home", VK_HOME, s, ecSelLineStart},
            {"Ctrl+Home", VK_HOME, c, ecEditorTop},
            {"Ctrl+Shift+Home", VK_HOME, cs, ecSelEditorTop},
            {"End", VK_END, n, ecLineEnd},
            {"Shift+End", VK_END, s, ecSelLineEnd},
            {"Ctrl+End", VK_END, c, ecEditorBottom},
            {"Ctrl+Shift+End", VK_END, cs, ecSelEditorBottom},
            {"Insert", VK_INSERT, n, ecToggleMode},
            {"Ctrl+Insert", VK_INSERT, c, ecCopy},
            {"Shift+Insert", VK_INSERT, s, ecPaste},
            {"Delete", VK_DELETE, n, ecDeleteChar},
            {"Shift+Delete", VK_DELETE, s, ecCut},
            {"Backspace", VK_BACK, n, ecDeleteLastChar},
            {"Ctrl+Backspace", VK_BACK, c, ecDeleteLastWord},
            {"Alt+Backspace", VK_BACK, a, ecUndo},
            {"Shift+Alt+Backspace", VK_BACK, sa, ecRedo},
            {"Enter", VK_RETURN, n, ecLineBreak},
            {"Ctrl+A", 'A', c, ecSelectAll},
            {"Ctrl+C", 'C', c, ecCopy},
            {"Ctrl+Shift+I", 'I', cs, ecBlockIndent},
            {"Ctrl+M", 'M', c, ecLineBreak},
            {"Ctrl+N", 'N', c, ecInsertLine},
            {"Ctrl+T", 'T', c, ecDeleteWord},
            {"Ctrl+Shift+U", 'U', cs, ecBlockUnindent},
            {"Ctrl+V", 'V', c, ecPaste},
            {"Ctrl+X", 'X', c, ecCut},
            {"Ctrl+Y", 'Y', c, ecDeleteLine},
            {"Ctrl+Shift+Y", 'Y', cs, ecDeleteEOL},
            {"Ctrl+Z", 'Z', c, ecUndo},
            {"Ctrl+Shift+Z", 'Z', cs, ecRedo},
        };
        static QList<QByteArray> names;
        for (int d = 0; d <= 9; ++d) {
            names << QByteArray("Ctrl+") + QByteArray::number(d);
            rows.append({names.last().constData(), '0' + d, c, TEditorCommand(ecGotoMarker0 + d)});
        }
        for (int d = 0; d <= 9; ++d) {
            names << QByteArray("Ctrl+Shift+") + QByteArray::number(d);
            rows.append({names.last().constData(), '0' + d, cs, TEditorCommand(ecSetMarker0 + d)});
        }
        rows.append({"Ctrl+Shift+N", 'N', cs, ecNormalSelect});
        rows.append({"Ctrl+Shift+C", 'C', cs, ecColumnSelect});
        rows.append({"Ctrl+Shift+L", 'L', cs, ecLineSelect});
        rows.append({"Tab", VK_TAB, n, ecTab});
        rows.append({"Shift+Tab", VK_TAB, s, ecShiftTab});
        rows.append({"Ctrl+Shift+B", 'B', cs, ecMatchBracket});
        QCOMPARE(rows.size(), 79);
        for (int i = 0; i < rows.size(); ++i)
            QTest::newRow(rows[i].name) << i << rows[i].key << rows[i].shift << int(rows[i].command);
    }
    void defaultBindings()
    {
        QFETCH(int, index);
        QFETCH(int, key);
        QFETCH(TShiftState, shift);
        QFETCH(int, command);
        TCodeEdit edit;
        QCOMPARE(edit.Keystrokes().Count(), 79);
        const TEditKeyStroke &k = edit.Keystrokes().Items(index);
        QCOMPARE(int(k.Key()), key);
        QCOMPARE(k.Shift(), shift);
        QCOMPARE(int(k.Key2()), 0);
        QCOMPARE(int(k.Command()), command);
        QCOMPARE(int(edit.TranslateKeyCode(quint16(key), shift)), command);
    }

    void twoKeySequence()
    {
        TCodeEdit edit;
        TEditKeyStrokes &keys = edit.Keystrokes();
        keys.AddKey2(TEditorCommand(ecUserFirst + 1), 'K', ssCtrl, 'B', ssCtrl);
        QCOMPARE(keys.FindKeycode2('K', ssCtrl, 'B', ssCtrl), 79);
        QCOMPARE(keys.FindKeycode('K', ssCtrl), -1);
        // Ctrl+K yields nothing and is remembered; Ctrl+B then yields the bound command.
        QCOMPARE(edit.TranslateKeyCode('K', ssCtrl), ecNone);
        QCOMPARE(edit.TranslateKeyCode('B', ssCtrl), TEditorCommand(ecUserFirst + 1));
        // Any other following key is translated alone.
        QCOMPARE(edit.TranslateKeyCode('K', ssCtrl), ecNone);
        QCOMPARE(edit.TranslateKeyCode('A', ssCtrl), ecSelectAll);
        QCOMPARE(edit.TranslateKeyCode('B', ssCtrl), ecNone); // the sequence was broken
        // An unbound key below 48 clears the remembered key.
        QCOMPARE(edit.TranslateKeyCode('K', ssCtrl), ecNone);
        QCOMPARE(edit.TranslateKeyCode(VK_ESCAPE, {}), ecNone);
        QCOMPARE(edit.TranslateKeyCode('B', ssCtrl), ecNone);
        QCOMPARE(keys.FindShortcut2(ShortCut('K', ssCtrl), ShortCut('B', ssCtrl)), 79);
    }

    void duplicateShortcutRaises()
    {
        TEditKeyStrokes keys;
        keys.AddKey(ecUndo, 'Z', ssCtrl);
        TEditKeyStroke &second = keys.Add();
        second.SetCommand(ecRedo);
        try {
            second.SetShortCut(ShortCut('Z', ssCtrl));
            QFAIL("no error raised");
        } catch (const EEditKeyError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QString("Shortcut already exists"));
        }
        QCOMPARE(int(second.Key()), 0); // unchanged
        second.SetShortCut(0);          // 0 never raises
        second.SetShortCut(ShortCut('Y', ssCtrl));
        QCOMPARE(int(second.Key()), int('Y'));
        QCOMPARE(second.Shift(), TShiftState(ssCtrl));
        keys.Items(0).SetShortCut(ShortCut('Z', ssCtrl)); // the item's own value is no duplicate
        // The same first key with a different second key is allowed.
        second.SetShortCut(ShortCut('Z', ssCtrl | ssShift));
        second.SetShortCut2(ShortCut('Q', {}));
        keys.Items(0).SetShortCut(ShortCut('Z', ssCtrl | ssShift)); // pair (Ctrl+Shift+Z, none): free
        QVERIFY_THROWS_EXCEPTION(EEditKeyError, keys.Items(0).SetShortCut2(ShortCut('Q', {})));
        QCOMPARE(int(keys.Items(0).Key2()), 0);
    }

    void shortcutPacking()
    {
        QCOMPARE(ShortCut('A', ssCtrl | ssShift), TShortCut('A' | scCtrl | scShift));
        QCOMPARE(ShortCut(300, ssCtrl), TShortCut(0));
        quint16 key = 0;
        TShiftState shift;
        ShortCutToKey(TShortCut(VK_BACK | scAlt | scShift), key, shift);
        QCOMPARE(int(key), int(VK_BACK));
        QCOMPARE(shift, TShiftState(ssAlt | ssShift));
    }

    void assignAndResetDefaults()
    {
        TEditKeyStrokes a;
        a.AddKey(ecUndo, 'Q', ssAlt);
        TEditKeyStrokes b;
        b.ResetDefaults();
        b.Assign(a);
        QCOMPARE(b.Count(), 1);
        QCOMPARE(b.Items(0).Command(), ecUndo);
        b.ResetDefaults();
        QCOMPARE(b.Count(), 79);
        QCOMPARE(b.FindCommand(ecMatchBracket), 78);
    }

    void boundKeyDropsItsCharacter()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        quint16 key = 'A';
        edit.KeyDown(key, ssCtrl);
        QCOMPARE(int(key), 0); // consumed
        QChar ch(1);           // the character Ctrl+A would produce
        edit.KeyPress(ch);
        QCOMPARE(edit.SelText(), QString("abc"));
        QCOMPARE(edit.Text(), QString("abc\r\n"));
        // An unbound key lets the following character through.
        key = 'Q';
        edit.KeyDown(key, {});
        QCOMPARE(int(key), int('Q'));
        ch = QChar('q');
        edit.KeyPress(ch);
        QCOMPARE(edit.Text(), QString("q\r\n"));
    }

    void tabKeyOnlyWhenWanted()
    {
        TCodeEdit edit;
        quint16 key = VK_TAB;
        edit.KeyDown(key, {});
        QCOMPARE(int(key), int(VK_TAB)); // not consumed: WantTabs is false
        edit.SetWantTabs(true);
        edit.KeyDown(key, {});
        QCOMPARE(int(key), 0);
        QCOMPARE(edit.CaretX(), 9);
    }

    void commandHooks()
    {
        TCodeEdit edit;
        edit.SetText(u"abc");
        QStringList log;
        edit.OnProcessCommand.Add([&log](TCodeEdit *, TEditorCommand &c, QChar &ch, void *) {
            log << EditorCommandToString(c);
            if (c == ecChar && ch == u'x')
                c = ecNone; // cancelled
            if (c == ecChar && ch == u'y')
                ch = u'z'; // changed
        });
        edit.OnProcessUserCommand.Add(
            [&log](TCodeEdit *, TEditorCommand &c, QChar &, void *) { log << EditorCommandToString(c); });
        int done = 0;
        edit.OnCommandDone.Add([&done](TCodeEdit *) { ++done; });
        edit.CommandProcessor(ecChar, u'x');
        edit.CommandProcessor(ecChar, u'y');
        edit.CommandProcessor(TEditorCommand(ecUserFirst + 5));
        edit.CommandProcessor(ecImeStr);
        QCOMPARE(edit.Text(), QString("zabc\r\n"));
        QCOMPARE(log, (QStringList{"ecChar", "ecChar", "ecUserFirst+5", "ecImeStr"}));
        QCOMPARE(done, 2); // not for the cancelled command nor the user command
    }

    void commandNames()
    {
        QCOMPARE(EditorCommandToString(ecLineBreak), QString("ecLineBreak"));
        QCOMPARE(EditorCommandToString(TEditorCommand(ecGotoMarker0 + 3)), QString("ecGotoMarker3"));
        TEditorCommand c = ecNone;
        for (TEditorCommand n : {ecSelPageBottom, ecMatchBracket, TEditorCommand(ecSetMarker9), ecUserFirst,
                                 TEditorCommand(ecUserFirst + 12), ecNone, TEditorCommand(900)}) {
            QVERIFY(StringToEditorCommand(EditorCommandToString(n), c));
            QCOMPARE(c, n);
        }
        QVERIFY(!StringToEditorCommand("ecNoSuchThing", c));
    }
};

QTEST_GUILESS_MAIN(TestKeyStrokes)
#include "tst_keystrokes.moc"
