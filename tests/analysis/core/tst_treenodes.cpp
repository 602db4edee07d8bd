// Tests of the document tree's nodes: which records show, at which level, with which range.
#include "analysis/core/treenodes.h"

#include <QtTest>

namespace {

// "level image text" per node; the root comes first.
QStringList Describe(const QList<TTreeNodeEntry> &nodes)
{
    QStringList out;
    for (const TTreeNodeEntry &node : nodes)
        out << QStringLiteral("%1 %2 %3").arg(node.Level).arg(node.ImageIndex).arg(node.Text);
    return out;
}

} // namespace

class TestTreeNodes : public QObject
{
    Q_OBJECT

private slots:
    void nodes_data();
    void nodes();
    void ranges();
};

void TestTreeNodes::nodes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("showEndTags");
    QTest::addColumn<QStringList>("expected");

    const QString root = QStringLiteral("0 0 HTML Document");
    QTest::newRow("empty document") << QStringList{QString()} << true << QStringList{root};
    QTest::newRow("end tags shown") << QStringList{"<p>Hello</p>"} << true
                                    << QStringList{root, "1 1 P", "1 2 Hello", "1 1 /P"};
    QTest::newRow("end tags hidden") << QStringList{"<p>Hello</p>"} << false << QStringList{root, "1 1 P", "1 2 Hello"};
    QTest::newRow("parameters and values") << QStringList{"<IMG SRC=\"a.gif\" ALT=\"\">"} << true
                                           << QStringList{root, "1 1 IMG", "2 3 SRC", "3 4 a.gif", "2 3 ALT"};
    QTest::newRow("one-character text is skipped")
        << QStringList{"<b>x</b>"} << true << QStringList{root, "1 1 B", "1 1 /B"};
    QTest::newRow("empty tag name is skipped") << QStringList{"<>ab"} << true << QStringList{root, "1 2 ab "};
    QTest::newRow("end tag with parameters always shows")
        << QStringList{"</a x=1>"} << false << QStringList{root, "1 1 /A", "2 3 X", "3 4 1"};
}

void TestTreeNodes::nodes()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, showEndTags);
    QFETCH(QStringList, expected);
    QCOMPARE(Describe(BuildTreeNodes(lines, showEndTags)), expected);
}

// A parameter's value selects the same characters as its parameter: href="x.html".
void TestTreeNodes::ranges()
{
    const QList<TTreeNodeEntry> nodes = BuildTreeNodes(QStringList{"<a href=\"x.html\">link</a>"}, true);
    QCOMPARE(nodes.size(), 6);
    QVERIFY(!nodes[0].Data.has_value());
    for (int i : {2, 3}) {
        QCOMPARE(nodes[i].Data->StartPos, 4);
        QCOMPARE(nodes[i].Data->EndPos, 17);
    }
}

QTEST_GUILESS_MAIN(TestTreeNodes)
#include "tst_treenodes.moc"
