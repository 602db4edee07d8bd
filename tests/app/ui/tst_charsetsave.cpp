// Saving a page whose declared charset and file encoding disagree, or whose characters its
// encoding cannot store: the user is asked, and the file gets exactly what was chosen.
#include "aids/core/myrichedit.h"
#include "app/ui/documentmanager.h"
#include "app/ui/documenttab.h"
#include "app/ui/mainstatusbar.h"
#include "windowharness.h"

#include <QMessageBox>
#include <QPushButton>

class tst_CharsetSave : public QObject
{
    Q_OBJECT
    TWindowHarness m_h;
    QStringList m_answers;   // buttons to press, in turn; "" cancels
    QStringList m_questions; // texts of the charset questions asked
    QList<QStringList> m_offered;

    TMyRichEdit *Editor() { return m_h.Window->ActiveEditor(); }

    QString OpenPage(const QByteArray &bytes)
    {
        const QString path = m_h.Write(QStringLiteral("page.html"), bytes);
        m_h.Window->OpenFile(path);
        return path;
    }
    // A new last line holding text.
    void TypeAtEnd(const QString &text)
    {
        const int last = Editor()->Lines().Count();
        Editor()->SetCaretXY(BufferCoord(int(Editor()->Lines()[last - 1].size()) + 1, last));
        Editor()->SetSelText(QLatin1Char('\n') + text);
    }
    bool Save() { return m_h.Window->Documents()->btnsaveClick(); }

private Q_SLOTS:
    void initTestCase() { qputenv("TAGFORGE_NO_BROWSER", "1"); }
    void init()
    {
        m_h.DialogAnswer = [this](QDialog &dialog) {
            auto *box = qobject_cast<QMessageBox *>(&dialog);
            if (!box || box->objectName() != QLatin1String("CharsetQuestion"))
                return int(QDialog::Accepted);
            m_questions << box->text();
            QStringList offered;
            for (QAbstractButton *b : box->buttons())
                if (box->buttonRole(b) != QMessageBox::RejectRole)
                    offered << b->text();
            m_offered << offered;
            const QString wanted = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
            for (QAbstractButton *b : box->buttons())
                if (wanted.isEmpty() ? box->buttonRole(b) == QMessageBox::RejectRole : b->text() == wanted)
                    b->click();
            return int(QDialog::Accepted);
        };
        QVERIFY(m_h.Start());
    }
    void cleanup()
    {
        m_answers.clear();
        m_questions.clear();
        m_offered.clear();
        m_h.Stop();
    }

    void saveSettlesWithTheUser_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QByteArray>("written"); // the file afterwards
        QTest::addColumn<int>("questions");

        const QByteArray latin = "<meta charset=\"iso-8859-1\">\ncaf\xE9\n";
        QTest::newRow("1252 text that fits: no question")
            << latin << QStringLiteral("\u00E9t\u00E9") << QStringList{} << true << QByteArray(latin + "\xE9t\xE9\n") << 0;
        QTest::newRow("unstorable, then declare utf-8")
            << latin << QStringLiteral("\u0101") << QStringList{"Save as &UTF-8", "&Declare utf-8"} << true
            << QByteArray("<meta charset=\"utf-8\">\ncaf\xC3\xA9\n\xC4\x81\n") << 2;
        QTest::newRow("unstorable, then save as it is")
            << latin << QStringLiteral("\u0101") << QStringList{"Save as &UTF-8", "Save &As It Is"} << true
            << QByteArray("<meta charset=\"iso-8859-1\">\ncaf\xC3\xA9\n\xC4\x81\n") << 2;
        QTest::newRow("unstorable, cancelled: file untouched")
            << latin << QStringLiteral("\u0101") << QStringList{""} << false << latin << 1;
        QTest::newRow("declaration question cancelled: file untouched")
            << latin << QStringLiteral("\u0101") << QStringList{"Save as &UTF-8", ""} << false << latin << 2;

        const QByteArray utf8 = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\nna\xC3\xAFve\n";
        QTest::newRow("utf-8 file declaring 1252: write as declared")
            << utf8 << "!" << QStringList{"Write as &Windows-1252"} << true
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\nna\xEFve\n!\n")
            << 1;
        QTest::newRow("utf-8 file declaring 1252: declare utf-8 in the content attribute")
            << utf8 << "!" << QStringList{"&Declare utf-8"} << true
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\nna\xC3\xAFve\n!\n")
            << 1;
        QTest::newRow("ascii text declared latin-1 reads the same")
            << QByteArray("<meta charset=iso-8859-1>\nplain\n") << "more" << QStringList{} << true
            << QByteArray("<meta charset=iso-8859-1>\nplain\nmore\n") << 0;
        QTest::newRow("unknown charset: declare")
            << QByteArray("<meta charset=shift_jis>\nx\n") << "\u00E9" << QStringList{"&Declare utf-8"} << true
            << QByteArray("<meta charset=utf-8>\nx\n\xC3\xA9\n") << 1;
        QTest::newRow("lone half of a pair: saved anyway as a question mark")
            << QByteArray("<p>x</p>\n") << QString(QChar(0xD83D)) << QStringList{"Save &Anyway"} << true
            << QByteArray("<p>x</p>\n?\n") << 1;
    }
    void saveSettlesWithTheUser()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QStringList, answers);
        QFETCH(bool, saved);
        QFETCH(QByteArray, written);
        QFETCH(int, questions);
        OpenPage(file);
        TypeAtEnd(typed);
        m_answers = answers;
        QCOMPARE(Save(), saved);
        QCOMPARE(m_questions.size(), questions);
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), written);
        QCOMPARE(Editor()->Modified(), !saved);
    }

    void unstorableCharactersAreListedAndWriteAsIsNotOffered()
    {
        OpenPage("<meta charset=\"windows-1252\">\n<p>\xE9</p>\n");
        TypeAtEnd(QStringLiteral("\u0101 \U0001F600"));
        m_answers = QStringList{"Save as &UTF-8", ""};
        QVERIFY(!Save());
        QCOMPARE(m_questions.size(), 2);
        QVERIFY2(m_questions.at(0).contains(QStringLiteral("\u201C\u0101\u201D U+0101, line 3"))
                     && m_questions.at(0).contains(QStringLiteral("U+1F600")),
                 qPrintable(m_questions.at(0)));
        // Windows-1252 cannot hold the text, so writing as declared is no choice.
        QCOMPARE(m_offered.at(1), (QStringList{"&Declare utf-8", "Save &As It Is"}));
        QVERIFY(m_questions.at(1).contains(QStringLiteral("Windows-1252 cannot store")));
    }

    // An ASCII file is read as UTF-8; typing a letter outside Windows-1252 into a page declaring
    // it leaves one question, the declared encoding no choice.
    void asciiPageDeclaringLatinGetsALetterItCannotHold()
    {
        OpenPage("<meta charset=\"windows-1252\">\n<p>x</p>\n");
        TypeAtEnd(QStringLiteral("\u0101"));
        m_answers = QStringList{"&Declare utf-8"};
        QVERIFY(Save());
        QCOMPARE(m_offered, (QList<QStringList>{{"&Declare utf-8", "Save &As It Is"}}));
        QCOMPARE(m_h.Read(QStringLiteral("page.html")), QByteArray("<meta charset=\"utf-8\">\n<p>x</p>\n\xC4\x81\n"));
    }

    void keptMismatchIsNotAskedAgain()
    {
        OpenPage("<meta charset=\"windows-1252\">\nna\xC3\xAFve\n");
        TypeAtEnd(QStringLiteral("a"));
        m_answers = QStringList{"Save &As It Is"};
        QVERIFY(Save());
        TypeAtEnd(QStringLiteral("b"));
        QVERIFY(Save());
        QCOMPARE(m_questions.size(), 1);
        QVERIFY(m_h.Read(QStringLiteral("page.html")).endsWith("a\nb\n"));
    }

    void declarationFixIsOneUndoableChange()
    {
        OpenPage("<meta charset=\"windows-1252\">\nna\xC3\xAFve\n");
        Editor()->SetCaretXY(BufferCoord(3, 2));
        m_answers = QStringList{"&Declare utf-8"};
        QVERIFY(Save());
        QCOMPARE(Editor()->Lines()[0], QStringLiteral("<meta charset=\"utf-8\">"));
        QCOMPARE(Editor()->CaretXY().Y, 2);
        QCOMPARE(Editor()->CaretXY().X, 3);
        Editor()->Undo();
        QCOMPARE(Editor()->Lines()[0], QStringLiteral("<meta charset=\"windows-1252\">"));
    }

    void statusBarTellsOnOpen_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("told");
        QTest::newRow("utf-8 declared 1252") << QByteArray("<meta charset=windows-1252>\n\xC3\xA9\n") << true;
        QTest::newRow("1252 declared utf-8") << QByteArray("<meta charset=utf-8>\n\xE9\n") << true;
        QTest::newRow("agreeing") << QByteArray("<meta charset=utf-8>\n\xC3\xA9\n") << false;
        QTest::newRow("nothing declared") << QByteArray("<p>\xE9</p>\n") << false;
    }
    void statusBarTellsOnOpen()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, told);
        m_h.Window->StatusBar()->SetPanelText(TMainStatusBar::Message, QString());
        OpenPage(file);
        const QString status = m_h.Window->StatusBar()->PanelText(TMainStatusBar::Message);
        QCOMPARE(status.contains(QStringLiteral("declares charset")), told);
    }
};

QTEST_MAIN(tst_CharsetSave)
#include "tst_charsetsave.moc"
