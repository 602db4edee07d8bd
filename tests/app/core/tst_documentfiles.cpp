// Recent files, include expansion and document files: the file-handling rules of the window.
#include "app/core/documentfile.h"
#include "app/core/expandcli.h"
#include "app/core/includes.h"
#include "app/core/recentfiles.h"
#include "editor/core/editlines.h"
#include "roundtripfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestDocumentFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recentFilesKeepFiveNewestFirst()
    {
        QStringList mru;
        for (int i = 1; i <= 6; ++i)
            RecentFiles::AddToMRU(mru, QStringLiteral("/p/f%1.html").arg(i));
        QCOMPARE(mru, QStringList({"File1=/p/f6.html", "File2=/p/f5.html", "File3=/p/f4.html", "File4=/p/f3.html",
                                   "File5=/p/f2.html"}));
        // An entry found ignoring case moves to the top and keeps its own spelling.
        RecentFiles::AddToMRU(mru, QStringLiteral("/P/F4.HTML"));
        QCOMPARE(mru.first(), QStringLiteral("File1=/p/f4.html"));
        QCOMPARE(mru.size(), 5);
        QCOMPARE(mru.at(2), QStringLiteral("File3=/p/f5.html"));
        RecentFiles::RemoveEntry(mru, 0);
        QCOMPARE(mru.first(), QStringLiteral("File1=/p/f6.html"));
        QCOMPARE(mru.last(), QStringLiteral("File4=/p/f2.html"));
    }

    void reopenMenuLeavesOutOpenFiles()
    {
        const QStringList mru{"File1=/a.html", "File2=/b.html", "File3=/c.html"};
        const auto items = RecentFiles::ReopenItems(mru, {QStringLiteral("/b.html")});
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.at(1).Index, 2);
        QCOMPARE(items.at(1).Path, QStringLiteral("/c.html"));
        QVERIFY(RecentFiles::ReopenItems(mru, {"/a.html", "/b.html", "/c.html"}).isEmpty());
    }

    void includes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<bool>("failed");
        QTest::newRow("directive on the first line") << "#include{head.txt}\r\n<p>body</p>"
                                                     << "<b>head</b>\r\n<p>body</p>" << true << false;
        QTest::newRow("letter case of the directive is ignored") << "x\r\n#INCLUDE {head.txt}\r\ny"
                                                                 << "x\r\n<b>head</b>\r\ny" << true << false;
        QTest::newRow("directive on the last line without a break") << "a\r\n#include{head.txt}"
                                                                    << "a\r\n<b>head</b>\r\n"
                                                                    << true << false;
        QTest::newRow("nested include expands too") << "#include{outer.txt}\r\n"
                                                    << "[\r\n<b>head</b>\r\n]\r\n"
                                                    << true << false;
        QTest::newRow("missing file stops the expansion")
            << "#include{head.txt}\r\n#include{gone.txt}\r\n#include{head.txt}\r\n"
            << "<b>head</b>\r\n#include{gone.txt}\r\n#include{head.txt}\r\n"
            << true << true;
        QTest::newRow("file including itself stops") << "#include{self.txt}\r\n"
                                                     << "#include{self.txt}\r\n"
                                                     << true << true;
        QTest::newRow("files including each other stop") << "#include{ping.txt}\r\n"
                                                         << "ping\r\npong\r\n#include{ping.txt}\r\n"
                                                         << true << true;
        QTest::newRow("the same file twice is no loop") << "#include{head.txt}\r\n#include{head.txt}\r\n"
                                                        << "<b>head</b>\r\n<b>head</b>\r\n"
                                                        << true << false;
        QTest::newRow("no closing brace keeps the rest of the line break only")
            << "#include{head.txt\r\nnext"
            << "<b>head</b>\r\nnext" << true << false;
        QTest::newRow("no directive") << "<p>#include</p>"
                                      << "<p>#include</p>" << false << false;
    }
    void includes()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(bool, expanded);
        QFETCH(bool, failed);
        QTemporaryDir dir;
        WriteAll(dir.filePath("head.txt"), "<b>head</b>\n");
        WriteAll(dir.filePath("outer.txt"), "[\n#include{head.txt}\n]");
        WriteAll(dir.filePath("self.txt"), "#include{self.txt}\n");
        WriteAll(dir.filePath("ping.txt"), "ping\n#include{pong.txt}\n");
        WriteAll(dir.filePath("pong.txt"), "pong\n#include{ping.txt}\n");
        QStringList statuses;
        const Includes::TExpansion result = Includes::ExpandIncludes(text, dir.path(), &Includes::ReadIncludeFile,
                                                                     [&](const QString &s) { statuses << s; });
        QCOMPARE(result.Text, expected);
        QCOMPARE(result.Expanded, expanded);
        QCOMPARE(result.Failed, failed);
        if (failed)
            QVERIFY(statuses.last().startsWith(QStringLiteral("!! Error: \"")));
    }

    // Files each including the next several times: the directives multiply level by level.
    void includesThatMultiply_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("failed");
        QTest::newRow("512 in all expand") << 3 << 8 << false;
        QTest::newRow("exactly the limit expands") << 1 << Includes::kMaxIncludes << false;
        QTest::newRow("one past the limit stops") << 1 << Includes::kMaxIncludes + 1 << true;
        QTest::newRow("8 to the 7th stops") << 7 << 8 << true;
        QTest::newRow("empty leaves stop too") << 9 << 6 << true;
    }
    void includesThatMultiply()
    {
        QFETCH(int, levels);
        QFETCH(int, copies);
        QFETCH(bool, failed);
        QTemporaryDir dir;
        // level0.txt is the leaf; the last row's leaf is empty, so the page stays small however
        // many directives it takes.
        WriteAll(dir.filePath("level0.txt"), QTest::currentDataTag() == QByteArray("empty leaves stop too") ? "" : "x\n");
        for (int level = 1; level < levels; ++level)
            WriteAll(dir.filePath(QStringLiteral("level%1.txt").arg(level)),
                     QStringLiteral("#include{level%1.txt}\n").arg(level - 1).repeated(copies).toUtf8());
        const QString page = QStringLiteral("#include{level%1.txt}\r\n").arg(levels - 1).repeated(copies);
        QElapsedTimer timer;
        timer.start();
        const Includes::TExpansion result = Includes::ExpandIncludes(page, dir.path(), &Includes::ReadIncludeFile);
        QVERIFY2(timer.elapsed() < 5000, "expansion took seconds");
        QCOMPARE(result.Failed, failed);
        if (failed) {
            QVERIFY2(result.Error.contains(QStringLiteral("More than %1 includes").arg(Includes::kMaxIncludes)),
                     qPrintable(result.Error));
            QVERIFY(result.Text.mid(result.ErrorOffset).startsWith(QStringLiteral("#include{level")));
        } else {
            qsizetype leaves = 1;
            for (int level = 0; level < levels; ++level)
                leaves *= copies;
            QCOMPARE(result.Text, QStringLiteral("x\r\n").repeated(leaves));
        }
    }

    void expandCommand_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("source with an include")
            << QStringList{"page.htc"} << 0 << QByteArray("<b>head</b>\n<p>x</p>\n");
        QTest::newRow("missing include writes nothing") << QStringList{"broken.htc"} << 1 << QByteArray("<unreadable>");
        QTest::newRow("missing source") << QStringList{"nothere.htc", "page.htc"} << 3
                                        << QByteArray("<b>head</b>\n<p>x</p>\n");
        QTest::newRow("no file named") << QStringList{} << 2 << QByteArray();
    }
    void expandCommand()
    {
        QFETCH(QStringList, files);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, page);
        QTemporaryDir dir;
        WriteAll(dir.filePath("head.txt"), "<b>head</b>\n");
        WriteAll(dir.filePath("page.htc"), "#include{head.txt}\n<p>x</p>\n");
        WriteAll(dir.filePath("broken.htc"), "#include{head.txt}\n#include{gone.txt}\n");
        QStringList args{"--expand"};
        for (const QString &f : files)
            args << dir.filePath(f);
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(RunExpandCommand(args, o, e), exitCode);
        if (!page.isEmpty()) {
            const QString written = files.contains("broken.htc") ? "broken.html" : "page.html";
            QCOMPARE(ReadAll(dir.filePath(written)), page);
        }
        QCOMPARE(err.isEmpty(), exitCode == 0);
    }

    void expandedPairNames()
    {
        QCOMPARE(Includes::ExpandedPathFor("/s/page.htc"), QStringLiteral("/s/page.html"));
        QCOMPARE(Includes::SourcePathFor("/s/page.html"), QStringLiteral("/s/page.htc"));
        QCOMPARE(Includes::SourcePathFor("/s.d/page"), QStringLiteral("/s.d/page.htc"));
    }

    // Opening and saving with no edit, the window's way (into lines) and the command line's
    // (whole text): every byte comes back unless the document opened with a warning.
    void openAndSaveKeepsEveryByte_data() { AddRoundTripRows(); }
    void openAndSaveKeepsEveryByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TTextEncoding, encoding);
        QFETCH(bool, warned);
        QFETCH(QByteArray, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.html");

        WriteAll(path, bytes);
        TEditLines lines;
        QString warning = QStringLiteral("<not set>");
        TDocumentFormat format = DocumentFile::LoadLines(path, lines, TLineBreakStyle::LF, &warning);
        QCOMPARE(format.Encoding, encoding);
        QCOMPARE(!warning.isEmpty(), warned);
        DocumentFile::Save(
            path, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format);
        QCOMPARE(ReadAll(path).toHex(' '), saved.toHex(' '));

        WriteAll(path, bytes);
        TLoadedDocument doc = DocumentFile::Load(path);
        QCOMPARE(doc.Format.Encoding, encoding);
        QCOMPARE(doc.Warning, warning);
        DocumentFile::SaveText(path, doc.Text, doc.Format);
        QCOMPARE(ReadAll(path).toHex(' '), saved.toHex(' '));
        // Both ways read the same text.
        TEditLines whole;
        whole.SetTextStr(doc.Text);
        QCOMPARE(whole.Text(), lines.Text());
    }

    void warningsSayHowTheFileWillBeSaved_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");
        QTest::newRow("cut utf-8") << QByteArray("\xc3\xa9\xe2\x82") << "saved as Windows-1252";
        QTest::newRow("odd utf-16 byte") << QByteArray("\xff\xfe"
                                                       "a\0z",
                                                       5)
                                         << "saved as UTF-16LE";
        QTest::newRow("mixed breaks") << QByteArray("a\nb\r\n") << "saved with LF line breaks";
    }
    void warningsSayHowTheFileWillBeSaved()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        const QString warning = DocumentFile::DecodeDocument(bytes).Warning;
        QVERIFY2(warning.contains(says), qPrintable(warning));
    }

    void largeBrokenFileStillKeepsEveryByte()
    {
        // Past the first streamed block: the cut character is found at the very end.
        QTemporaryDir dir;
        const QString path = dir.filePath("big.html");
        const QByteArray bytes = QByteArray("<td>\xc3\xa9</td>\n").repeated(200000) + "\xf0\x9f\x98";
        WriteAll(path, bytes);
        TEditLines lines;
        QString warning;
        TDocumentFormat format = DocumentFile::LoadLines(path, lines, TLineBreakStyle::LF, &warning);
        QCOMPARE(format.Encoding, TTextEncoding::Windows1252);
        QVERIFY(!warning.isEmpty());
        DocumentFile::Save(
            path, lines.Count(), [&lines](int i) { return QStringView(lines[i]); }, format);
        QVERIFY(ReadAll(path) == bytes);
    }

    // Lines are decoded block by block from the file: what lies past the first block (an 8-bit
    // byte, a character cut by a block boundary) must give what decoding the whole file gives.
    void largeFileLoadsLikeWholeFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TTextEncoding>("encoding");
        const QByteArray filler = QByteArray("<td>x</td>\n").repeated(100000); // 1.1 MB
        QTest::newRow("8-bit byte far past the head") << filler + "caf\xe9\n" << TTextEncoding::Windows1252;
        QByteArray cut = QByteArray((1 << 20) - 1, 'a');
        cut += "\xc3\xa9\xe2\x82\xac\n" + filler;
        QTest::newRow("characters across a block boundary") << cut << TTextEncoding::Utf8;
        QByteArray wide("\xff\xfe", 2);
        for (char c : filler + "\r\nend")
            wide += QByteArray(1, c) + QByteArray(1, '\0');
        QTest::newRow("UTF-16LE over several blocks") << wide << TTextEncoding::Utf16LE;
    }
    void largeFileLoadsLikeWholeFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TTextEncoding, encoding);
        QTemporaryDir dir;
        const QString path = dir.filePath("big.html");
        WriteAll(path, bytes);
        TEditLines lines;
        const TDocumentFormat format = DocumentFile::LoadLines(path, lines);
        const TLoadedDocument whole = DocumentFile::Load(path);
        QCOMPARE(format.Encoding, encoding);
        QCOMPARE(whole.Format.Encoding, encoding);
        QCOMPARE(format.LineBreak, whole.Format.LineBreak);
        TEditLines expected;
        expected.SetTextStr(whole.Text);
        QCOMPARE(lines.Count(), expected.Count());
        for (int i = 0; i < lines.Count(); ++i) {
            if (lines[i] != expected[i])
                QFAIL(qPrintable(QStringLiteral("line %1 differs").arg(i)));
        }
    }

    void tabsBecomeBlanks()
    {
        TEditLines lines;
        lines.SetTextStr(u"\tx\r\nplain\r\na\t\tb");
        QVERIFY(DocumentFile::ExpandTabs(lines, 3));
        QCOMPARE(lines[0], QStringLiteral("   x"));
        QCOMPARE(lines[1], QStringLiteral("plain"));
        QCOMPARE(lines[2], QStringLiteral("a      b"));
        QVERIFY(!DocumentFile::ExpandTabs(lines, 3));
    }

    void eightBitDocumentThatCannotHoldATextIsSavedAsUtf8()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.html");
        TDocumentFormat format{TTextEncoding::Windows1252, TLineBreakStyle::LF};
        const auto result = DocumentFile::SaveText(path, QStringLiteral("caf\u00e9 \u2192 \u65e5"), format);
        QVERIFY(result.SwitchedToUtf8);
        QCOMPARE(format.Encoding, TTextEncoding::Utf8);
        QCOMPARE(QString::fromUtf8(ReadAll(path)), QStringLiteral("caf\u00e9 \u2192 \u65e5\n"));
    }

    void savingKeepsPermissionsAndFollowsLinks()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("real.html");
        const QString link = dir.filePath("link.html");
        WriteAll(target, "old\n");
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(QFile::link(target, link));
        TDocumentFormat format;
        DocumentFile::SaveText(link, QStringLiteral("new"), format);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(target), QByteArray("new\n"));
        QVERIFY(QFile::permissions(target) & QFile::ExeOwner);
    }

    void unreadableOrUnwritablePathsThrow()
    {
        QTemporaryDir dir;
        TDocumentFormat format;
        QVERIFY_THROWS_EXCEPTION(
            EFileError, DocumentFile::SaveText(dir.filePath("no/such/dir/x.html"), QStringLiteral("x"), format));
        QVERIFY_THROWS_EXCEPTION(EFileError, DocumentFile::Load(dir.filePath("missing.html")));
    }
};

QTEST_GUILESS_MAIN(TestDocumentFiles)
#include "tst_documentfiles.moc"
