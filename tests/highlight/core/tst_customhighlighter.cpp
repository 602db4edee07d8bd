// What every highlighter inherits: the line-scanning defaults, the attribute list, its
// change notifier and its storage in the settings store.
#include "highlight/core/highlighter.h"
#include "highlight/core/htmlsyn.h"
#include "platform/core/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Words (letters and digits) and single other characters; the range counts open "(".
class TParenHighlighter : public TCustomHighlighter
{
public:
    TParenHighlighter()
    {
        m_space = AddAttribute(std::make_unique<THighlightAttributes>(QStringLiteral("Space")));
        m_word = AddAttribute(std::make_unique<THighlightAttributes>(QStringLiteral("word")));
        m_other = AddAttribute(std::make_unique<THighlightAttributes>(QStringLiteral("Other")));
    }
    void SetLine(QStringView text, int) override
    {
        m_text = text;
        m_end = 0;
        Next();
    }
    void Next() override
    {
        m_pos = m_end;
        if (m_pos >= m_text.size())
            return;
        m_end = m_pos + 1;
        if (m_text[m_pos].isLetterOrNumber()) {
            while (m_end < m_text.size() && m_text[m_end].isLetterOrNumber())
                ++m_end;
        } else if (m_text[m_pos] == u'(') {
            ++m_depth;
        } else if (m_text[m_pos] == u')' && m_depth > 0) {
            --m_depth;
        }
    }
    bool GetEol() const override { return m_pos >= m_text.size(); }
    TRangeState GetRange() const override { return m_depth; }
    void SetRange(TRangeState state) override { m_depth = state; }
    void ResetRange() override { m_depth = 0; }
    QString GetToken() const override { return GetTokenView().toString(); }
    QStringView GetTokenView() const override { return m_text.mid(m_pos, m_end - m_pos); }
    THighlightAttributes *GetTokenAttribute() const override
    {
        return GetTokenKind() == 1 ? m_word : GetTokenKind() == 2 ? m_other : m_space;
    }
    int GetTokenKind() const override
    {
        const QChar c = m_text[m_pos];
        return c.isLetterOrNumber() ? 1 : c == u' ' ? 0 : 2;
    }
    int GetTokenPos() const override { return int(m_pos); }
    void SetLineForExport(QStringView text) override { SetLine(text, 0); }
    void ExportNext() override { Next(); }
    THighlightAttributes *GetDefaultAttribute(int index) const override { return index == 0 ? m_space : nullptr; }

private:
    QStringView m_text;
    qsizetype m_pos = 0, m_end = 0;
    TRangeState m_depth = 0;
    THighlightAttributes *m_space, *m_word, *m_other;
};

} // namespace

class TestCustomHighlighter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scanLineDefaults_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("tokens");
        QTest::newRow("empty line keeps the state") << "" << 3 << 3 << 0;
        QTest::newRow("opens two") << "f(g(x" << 0 << 2 << 5;
        QTest::newRow("closes what the line before opened") << "a) b)" << 2 << 0 << 5;
        QTest::newRow("non-Latin word is one token") << QStringLiteral("αβγ δ") << 0 << 0 << 3;
    }
    void scanLineDefaults()
    {
        QFETCH(QString, line);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, tokens);
        TParenHighlighter h;
        QCOMPARE(h.ScanLine(line, 7, TRangeState(start)), TRangeState(end));
        std::vector<THighlightToken> list(2, THighlightToken{5, 5, 5, nullptr});
        QCOMPARE(h.TokenizeLine(line, 7, TRangeState(start), list), TRangeState(end));
        QCOMPARE(int(list.size()), tokens);
        int at = 0;
        for (const THighlightToken &t : list) {
            QCOMPARE(t.Start, at);
            QVERIFY(t.Attribute);
            at += t.Length;
        }
        QCOMPARE(at, int(line.size()));
        QCOMPARE(h.ResetState(), TRangeState(0));
        // Up to a column: the whole line's tokens, cut after the first one reaching past it.
        std::vector<THighlightToken> part;
        for (size_t i = 0; i < list.size(); ++i) {
            const THighlightToken t = list[i];
            h.TokenizeLineUpTo(line, 7, TRangeState(start), part, t.Start + t.Length - 1);
            QCOMPARE(part.size(), i + 1);
            QCOMPARE(part.back().Start, t.Start);
            QCOMPARE(part.back().Length, t.Length);
        }
    }

    void baseDescription()
    {
        TParenHighlighter h;
        QCOMPARE(h.GetLanguageName(), QStringLiteral("<Unknown>"));
        QCOMPARE(h.GetCapability(), THighlighterCapabilities(hcRegistry));
        QCOMPARE(h.GetIdentChars().count(), size_t(223)); // 33 to 255
        QVERIFY(!h.IsIdentChar(QLatin1Char(' ')));
        QVERIFY(!h.IsIdentChar(QChar(31)));
        QVERIFY(h.IsIdentChar(QLatin1Char('!')));
        QVERIFY(h.IsIdentChar(QChar(0xFF)));
        QVERIFY(h.IsIdentChar(QChar(0x3B1)));
        QVERIFY(!h.UseUserSettings(0));
        QStringList list{QStringLiteral("x")};
        h.EnumUserSettings(list);
        QVERIFY(list.isEmpty());
    }

    void attributeList()
    {
        TParenHighlighter h;
        QCOMPARE(h.GetAttribCount(), 3);
        QCOMPARE(h.GetAttribute(0)->Name(), QStringLiteral("Other"));
        QCOMPARE(h.GetAttribute(1)->Name(), QStringLiteral("Space"));
        QCOMPARE(h.GetAttribute(2)->Name(), QStringLiteral("word")); // letter case ignored
        QCOMPARE(h.GetAttribute(-1), nullptr);
        QCOMPARE(h.GetAttribute(h.GetAttribCount()), nullptr);

        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 h.AddAttribute(std::make_unique<THighlightAttributes>(QStringLiteral("WORD"))));
        QCOMPARE(h.GetAttribCount(), 3);
        h.AddAttribute(std::make_unique<THighlightAttributes>(QStringLiteral("alpha")));
        QCOMPARE(h.GetAttribute(0)->Name(), QStringLiteral("alpha"));
    }

    void attributeChangesReachHooks()
    {
        TParenHighlighter h;
        QList<QObject *> senders;
        const auto id = h.HookAttrChangeEvent([&](QObject *sender) { senders << sender; });
        h.GetAttribute(1)->SetForeground(clRed);
        h.GetAttribute(1)->SetForeground(clRed); // no change, no call
        auto added = h.AddAttribute(std::make_unique<THighlightAttributes>(QStringLiteral("Late")));
        added->SetStyle(fsBold);
        QCOMPARE(senders, (QList<QObject *>{&h, &h}));

        h.UnhookAttrChangeEvent(id);
        h.GetAttribute(0)->SetBackground(clBlue);
        QCOMPARE(senders.size(), 2);

        int direct = 0;
        h.HookAttrChangeEvent([&](QObject *sender) { senders << sender; });
        h.SetAttributesOnChange([&](THighlightAttributes *) { ++direct; });
        h.GetAttribute(0)->SetBackground(clNone);
        QCOMPARE(direct, 1);
        QCOMPARE(senders.size(), 2); // the routing to the notifier was replaced
    }

    void storeRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("h.conf"));
        const QString key = QStringLiteral("Software\\Quillworks\\TagForge\\Highlighter");
        {
            THTMLSyn saved;
            SetupHTMLHiLiterColors(saved);
            TSettingsStore store(path);
            QVERIFY(saved.SaveToRegistry(store, key));
            QCOMPARE(store.CurrentPath(), QString());
            QVERIFY(store.Flush());
        }
        TSettingsStore store(path);
        QVERIFY(store.OpenKey(QStringLiteral("Settings"), true));
        THTMLSyn loaded;
        int changes = 0;
        loaded.HookAttrChangeEvent([&](QObject *) { ++changes; });
        QVERIFY(loaded.LoadFromRegistry(store, key));
        QCOMPARE(store.CurrentPath(), QStringLiteral("Settings"));
        QVERIFY(changes > 0);

        THTMLSyn expected;
        SetupHTMLHiLiterColors(expected);
        for (int i = 0; i < expected.GetAttribCount(); ++i) {
            QCOMPARE(loaded.GetAttribute(i)->Foreground(), expected.GetAttribute(i)->Foreground());
            QCOMPARE(loaded.GetAttribute(i)->Background(), expected.GetAttribute(i)->Background());
            QCOMPARE(loaded.GetAttribute(i)->Style(), expected.GetAttribute(i)->Style());
        }
    }

    void loadingFails_data()
    {
        QTest::addColumn<bool>("writeKey");
        QTest::newRow("key absent") << false;
        QTest::newRow("one attribute absent, the others still load") << true;
    }
    void loadingFails()
    {
        QFETCH(bool, writeKey);
        QTemporaryDir dir;
        TSettingsStore store(dir.filePath(QStringLiteral("h.conf")));
        if (writeKey) {
            TParenHighlighter saved;
            saved.GetAttribute(1)->SetForeground(clOlive);
            QVERIFY(saved.SaveToRegistry(store, QStringLiteral("Hl")));
        }
        THTMLSyn loaded; // has "Space" too, and "Comment", which was never saved
        QVERIFY(!loaded.LoadFromRegistry(store, QStringLiteral("Hl")));
        QCOMPARE(loaded.SpaceAttri()->Foreground(), writeKey ? clOlive : clNone);
        QVERIFY(!store.KeyExists(QStringLiteral("Hl\\Comment")));
        QCOMPARE(store.CurrentPath(), QString());
    }
};

QTEST_GUILESS_MAIN(TestCustomHighlighter)
#include "tst_customhighlighter.moc"
