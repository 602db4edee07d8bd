// Ten thousand random edits on the engine, from a fixed seed: typing and deleting (surrogate pairs
// and line breaks among them), normal, column and line selections typed and deleted over, pastes
// in every mode, replace-all, block indent, drops and undo in between. Each edit undoes to the
// text before it and redoes to the text after it; at the end undoing everything gives the start
// and redoing everything the end, exactly.
#include "editor/core/codeedit.h"
#include "fakeclipboard.h"

#include <QRandomGenerator>

#include <algorithm>
#include <QMap>
#include <QTest>

namespace {

// Some of it in pairs: a random caret column may land between the two halves.
const QString kAlphabet = QStringLiteral("ab <>/=\"x\t  ") + QString::fromUtf16(u"\U0001F600\u00E9\U0001D11E");
const QStringList kPatterns = {QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("<p>"), QStringLiteral("  "),
                               QStringLiteral("\t"), QString::fromUtf16(u"\U0001F600"), QStringLiteral("x")};

class TRandomEditor
{
public:
    TRandomEditor(TCodeEdit &edit, TFakeClipboard &clip, quint32 seed) : m_edit(edit), m_clip(clip), m_rng(seed) {}

    // A column anywhere on a line, past its end too.
    TBufferCoord Pos()
    {
        const int y = 1 + int(m_rng.bounded(m_edit.LineCount()));
        const int len = int(m_edit.Lines()[y - 1].size());
        return BufferCoord(1 + int(m_rng.bounded(len + 4)), y);
    }

    QString Snippet(int maxLength)
    {
        QString s;
        const int n = int(m_rng.bounded(maxLength + 1));
        for (int k = 0; k < n; ++k) {
            const int r = int(m_rng.bounded(12));
            if (r == 0)
                s += QStringLiteral("\r\n");
            else if (r == 1)
                s += QString::fromUtf16(u"\U0001F600");
            else
                s += kAlphabet.at(m_rng.bounded(int(kAlphabet.size())));
        }
        return s;
    }

    void Select()
    {
        m_edit.SetSelectionMode(TSelectionMode(m_rng.bounded(3)));
        m_edit.SetCaretXY(Pos());
        if (m_rng.bounded(2)) {
            // Mostly a few lines around the caret, now and then from anywhere to anywhere.
            const TBufferCoord anchor = Pos();
            TBufferCoord end = Pos();
            if (m_rng.bounded(8)) {
                end.Y = std::clamp(anchor.Y + int(m_rng.bounded(7)) - 3, 1, m_edit.LineCount());
                end.X = 1 + int(m_rng.bounded(int(m_edit.Lines()[end.Y - 1].size()) + 4));
            }
            m_edit.SetBlockBegin(anchor);
            m_edit.SetBlockEnd(end);
        } else {
            m_edit.SetBlockBegin(m_edit.CaretXY());
        }
    }

    // One random edit; returns its name for failure messages.
    const char *Edit()
    {
        Select();
        TEditorOptions o = m_edit.Options();
        o.setFlag(eoAutoIndent, m_rng.bounded(2));
        o.setFlag(eoTabsToSpaces, m_rng.bounded(2));
        m_edit.SetOptions(o);
        m_edit.SetInsertMode(m_rng.bounded(5) != 0);
        const int r = int(m_rng.bounded(100));
        if (r < 25) {
            const QChar c = kAlphabet.at(m_rng.bounded(int(kAlphabet.size())));
            m_edit.CommandProcessor(ecChar, c);
            if (c.isHighSurrogate()) // the second half, as the keyboard sends it
                m_edit.CommandProcessor(ecChar, QChar(QChar::lowSurrogate(0x1F600)));
            return "type";
        }
        if (r < 45) {
            static const TEditorCommand commands[] = {ecDeleteLastChar, ecDeleteChar, ecDeleteWord, ecDeleteLastWord,
                                                      ecDeleteBOL,      ecDeleteEOL,  ecDeleteLine, ecLineBreak,
                                                      ecInsertLine,     ecTab,        ecShiftTab};
            m_edit.CommandProcessor(commands[m_rng.bounded(int(std::size(commands)))]);
            return "delete or break";
        }
        if (r < 60) {
            // Deletions outweigh insertions: a short text gets longer pastes, so that it stays a page.
            const QString value = Snippet(m_edit.TotalCharCount() < 2000 ? 120 : 10);
            const int kind = int(m_rng.bounded(3));
            if (kind == 0)
                m_clip.SetPlain(value);
            else
                m_clip.SetData(value, EncodeBlockType(TSelectionMode(m_rng.bounded(3)), value));
            m_edit.CommandProcessor(ecPaste);
            return "paste";
        }
        if (r < 68) {
            m_edit.SetSelText(m_rng.bounded(3) ? Snippet(6) : QString());
            return "set selected text";
        }
        if (r < 76) {
            m_edit.CommandProcessor(m_rng.bounded(3) ? ecBlockIndent : ecBlockUnindent);
            return "block indent";
        }
        if (r < 84) {
            TSynSearchOptions options = soReplace | soReplaceAll;
            options.setFlag(soEntireScope, m_rng.bounded(2));
            options.setFlag(soMatchCase, m_rng.bounded(2));
            options.setFlag(soWholeWord, m_rng.bounded(4) == 0);
            options.setFlag(soSelectedOnly, m_rng.bounded(4) == 0);
            options.setFlag(soBackwards, m_rng.bounded(4) == 0);
            m_edit.SearchReplace(kPatterns.at(m_rng.bounded(int(kPatterns.size()))), Snippet(4), options);
            return "replace all";
        }
        if (r < 90) {
            m_edit.CommandProcessor(m_rng.bounded(2) ? ecCut : ecCopy);
            return "cut or copy";
        }
        if (r < 95) {
            m_edit.DropSelection(Pos(), m_rng.bounded(2));
            return "drop";
        }
        // Ordinary use: undo a few steps, perhaps redo some, then go on editing.
        const int back = 1 + int(m_rng.bounded(4));
        for (int k = 0; k < back; ++k)
            m_edit.Undo();
        const int forward = int(m_rng.bounded(back + 1));
        for (int k = 0; k < forward; ++k)
            m_edit.Redo();
        return "undo and redo";
    }

    quint32 Bounded(quint32 n) { return m_rng.bounded(n); }

private:
    TCodeEdit &m_edit;
    TFakeClipboard &m_clip;
    QRandomGenerator m_rng;
};

} // namespace

class TestUndoProperty : public QObject
{
    Q_OBJECT

private slots:
    void randomEditsUndoAndRedoExactly_data();
    void randomEditsUndoAndRedoExactly();
};

void TestUndoProperty::randomEditsUndoAndRedoExactly_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    QTest::newRow("page") << QStringLiteral("<html>\r\n\t<body>  \r\n    <p>one ab two</p>\r\n\r\n  \t<td>x</td>\t\r\nlast  ")
                          << 20261208u << 10000;
    QTest::newRow("pairs and breaks") << QString::fromUtf16(u"\U0001F600a\r\n\r\n\U0001D11E\u00E9 <p>\r\n\t\U0001F600")
                                      << 7u << 10000;
    QTest::newRow("empty") << QString() << 11u << 10000;
}

void TestUndoProperty::randomEditsUndoAndRedoExactly()
{
    QFETCH(QString, start);
    QFETCH(quint32, seed);
    QFETCH(int, steps);

    TCodeEdit edit;
    TFakeClipboard clip;
    edit.SetClipboard(&clip);
    edit.SetMaxUndo(100000000); // nothing may fall off the end of the lists
    edit.SetTabWidth(4);
    edit.SetText(start);
    edit.ClearUndo();
    const QString first = edit.Text();

    TRandomEditor random(edit, clip, seed);
    QMap<QString, int> recorded;
    for (int i = 0; i < steps; ++i) {
        const QString before = edit.Text();
        const int undoBefore = edit.UndoList().ItemCount();
        const bool redoBefore = edit.CanRedo();
        const char *what = random.Edit();
        const QString after = edit.Text();
        const int undoAfter = edit.UndoList().ItemCount();
        const QByteArray where = QByteArray("step ") + QByteArray::number(i) + " (" + what + ")";
        QVERIFY2(edit.LineCount() >= 1 && edit.CaretY() >= 1 && edit.CaretY() <= edit.LineCount(), where);
        if (qstrcmp(what, "undo and redo") == 0)
            continue;
        if (undoAfter == undoBefore) {
            // Nothing recorded: then nothing changed either.
            QVERIFY2(after == before, where + " changed the text without a record");
            QCOMPARE(edit.CanRedo(), redoBefore);
            continue;
        }
        QVERIFY2(undoAfter > undoBefore, where);
        QVERIFY2(!edit.CanRedo(), where + " left redo records of an older text");
        // This edit alone undoes to the text before it and redoes to the text after it.
        int undone = 0;
        while (edit.UndoList().ItemCount() > undoBefore) {
            edit.Undo();
            ++undone;
        }
        QVERIFY2(edit.UndoList().ItemCount() == undoBefore, where + " undid into the edit before it");
        QVERIFY2(edit.Text() == before, where + " did not undo exactly");
        for (int k = 0; k < undone; ++k)
            edit.Redo();
        QVERIFY2(edit.Text() == after, where + " did not redo exactly");
        QVERIFY2(edit.UndoList().ItemCount() == undoAfter && !edit.CanRedo(), where + " redo left records behind");
        ++recorded[QString::fromLatin1(what)];
    }
    // Every kind of edit changed the text often enough to count.
    for (const char *kind : {"type", "delete or break", "paste", "set selected text", "block indent", "replace all",
                             "cut or copy", "drop"})
        QVERIFY2(recorded.value(QString::fromLatin1(kind)) > steps / 200, kind);

    const QString last = edit.Text();
    QVERIFY(last != first);
    while (edit.CanUndo())
        edit.Undo();
    QCOMPARE(edit.Text(), first);
    QVERIFY(!edit.CanUndo());
    while (edit.CanRedo())
        edit.Redo();
    QCOMPARE(edit.Text(), last);
    QVERIFY(!edit.CanRedo());
}

QTEST_GUILESS_MAIN(TestUndoProperty)
#include "tst_undoproperty.moc"
