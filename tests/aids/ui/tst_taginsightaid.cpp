// The tag aid on one editor, without the main window: bracket completion, the completion list
// and the parameter list, with the delays driven by hand instead of waited for.
#include "aids/core/myrichedit.h"
#include "aids/ui/myhintwindow.h"
#include "aids/ui/taginsight.h"
#include "aids/ui/taginsightlist.h"
#include "editor/ui/codeeditview.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

class TestTagInsightAid : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_window;
    TWindowState m_state;
    TMyRichEdit *m_editor = nullptr;
    TCodeEditView *m_view = nullptr;
    QLineEdit *m_strip = nullptr;
    QTimer *m_timer2 = nullptr;
    TTagInsight *m_aid = nullptr;

    void Type(const QString &text)
    {
        for (QChar c : text)
            QTest::keyClick(m_view, c.toLatin1());
    }
    // What the window's one-second tick and the insight delay do once typing has paused.
    void Pause()
    {
        m_state.Set(&TWindowFlags::Typing, false);
        m_aid->CheckTagHint();
        m_aid->Timer2Timer();
    }
    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < m_aid->lbTagInsight()->count(); ++i)
            entries << m_aid->lbTagInsight()->item(i)->text();
        return entries;
    }
    QString Line() const { return m_editor->Lines()[0]; }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_window.get());
        m_strip = new QLineEdit(m_window.get());
        m_editor = new TMyRichEdit(m_window.get());
        m_view = new TCodeEditView(m_editor, m_window.get());
        layout->addWidget(m_strip);
        layout->addWidget(m_view);
        m_timer2 = new QTimer(m_window.get());
        m_state.Set(&TWindowFlags::TagCompletion, true);
        m_state.Set(&TWindowFlags::TagInsight, true);
        m_aid = new TTagInsight(m_window.get(), m_strip, m_timer2, m_state);
        m_aid->ActiveView = [this] { return m_view; };
        m_aid->LoadTagNames(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/tags.dat"));
        QVERIFY(m_aid->LoadInsightData(QStringLiteral(TAGFORGE_SOURCE_DIR "/Data/insight.dat")));
        m_editor->OnChange.Add([this](TCodeEdit *) { m_aid->EditorChange(); });
        m_editor->OnSelectionChange.Add([this](TCodeEdit *) { m_aid->EditorSelectionChange(); });
        m_aid->AttachEditor(m_view);
        m_window->resize(600, 400);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_view->setFocus();
    }
    void cleanup() { m_window.reset(); }

    void completionListAfterThePauseAndNotBefore()
    {
        Type(QStringLiteral("<ta"));
        QVERIFY(!m_aid->lbTagInsight()->isVisible());
        QVERIFY(m_state.Flags().Typing);
        Pause();
        QVERIFY(m_aid->lbTagInsight()->isVisible());
        QCOMPARE(Entries().first(), QStringLiteral("TABLE"));
        QVERIFY(m_state.Flags().InsightShown);
    }

    void parametersAfterABlank()
    {
        Type(QStringLiteral("<a "));
        Pause();
        QVERIFY(m_aid->lbTagInsight()->isVisible());
        QVERIFY2(Entries().contains(QStringLiteral("href=\"\""), Qt::CaseInsensitive), qPrintable(Entries().join(' ')));
        QVERIFY(m_strip->text().contains(QLatin1String("HREF")));
    }

    void helperOffShowsNothing()
    {
        m_state.Set(&TWindowFlags::TagInsight, false);
        Type(QStringLiteral("<ta"));
        Pause();
        QVERIFY(!m_aid->lbTagInsight()->isVisible());
        QVERIFY(!m_aid->HintWindow()->isVisible());
    }

    void bracketsFollowTheSwitch_data()
    {
        QTest::addColumn<bool>("completion");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("on: a tag is closed once") << true << "<p>x</p>"
                                                  << "<p>x</p>";
        QTest::newRow("on: a lone '>' is kept") << true << "a>b"
                                                << "a>b";
        QTest::newRow("off: typed as is") << false << "<p>x</p>"
                                          << "<p>x</p>";
        QTest::newRow("off: no closing bracket added") << false << "<p"
                                                       << "<p";
    }
    void bracketsFollowTheSwitch()
    {
        QFETCH(bool, completion);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        m_state.Set(&TWindowFlags::TagCompletion, completion);
        Type(typed);
        QCOMPARE(Line(), line);
    }

    void anotherKeyListenerWorksBesideTheCompletion()
    {
        // One listener before the aid sees every key; one after it misses what the aid consumed.
        QString before, after;
        QStringList commandsAfter;
        m_editor->OnKeyPress.Add([&before](TCodeEdit *, QChar &key) { before += key; }, EventOrder::First);
        m_editor->OnKeyPress.Add([&after](TCodeEdit *, QChar &key) { after += key; }, EventOrder::Last);
        m_editor->OnProcessCommand.Add(
            [&commandsAfter](TCodeEdit *, TEditorCommand &command, QChar &, void *) {
                if (command == ecDeleteLastChar)
                    commandsAfter << QStringLiteral("backspace");
            },
            EventOrder::Last);
        Type(QStringLiteral("<p>x"));
        QCOMPARE(Line(), QStringLiteral("<p>x"));
        QCOMPARE(before, QStringLiteral("<p>x"));
        QCOMPARE(after, QStringLiteral("px")); // "<" became "<>", ">" stepped over the closing one
        QTest::keyClick(m_view, Qt::Key_Backspace);
        QCOMPARE(commandsAfter, QStringList{QStringLiteral("backspace")});
        // Backspace between a completed "<" and its ">": the aid takes both and consumes the command.
        Type(QStringLiteral("a<"));
        QCOMPARE(Line(), QStringLiteral("<p>a<>"));
        QTest::keyClick(m_view, Qt::Key_Backspace);
        QCOMPARE(Line(), QStringLiteral("<p>a"));
        QCOMPARE(commandsAfter, QStringList{QStringLiteral("backspace")});
    }

    void aClickOutsideTakesTheListDown()
    {
        Type(QStringLiteral("<ta"));
        Pause();
        QVERIFY(m_aid->lbTagInsight()->isVisible());
        QTest::mouseClick(m_strip, Qt::LeftButton);
        QVERIFY(!m_aid->lbTagInsight()->isVisible());
        QVERIFY(!m_state.Flags().InsightShown);
    }
};

QTEST_MAIN(TestTagInsightAid)
#include "tst_taginsightaid.moc"
