// The tree's node links: parents, rows and children from the levels of the node list.
#include "analysis/core/treeoutline.h"

#include <QTest>

namespace {

// "0R 1a 2b 1c" : level and text of each node.
QList<TTreeNodeEntry> Nodes(const QString &levels)
{
    QList<TTreeNodeEntry> nodes;
    for (const QString &n : levels.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        nodes.append(TTreeNodeEntry{n.left(1).toInt(), n.mid(1), tiTag, std::nullopt});
    return nodes;
}

// The outline written back as "text(children...)", depth first.
QString Shape(const TTreeOutline &outline, int parent = -1)
{
    QStringList parts;
    for (int row = 0; row < outline.ChildCount(parent); ++row) {
        const int node = outline.Child(parent, row);
        if (outline.Parent(node) != parent || outline.Row(node) != row)
            return QStringLiteral("broken link at ") + outline.Node(node).Text;
        const QString inner = Shape(outline, node);
        parts << outline.Node(node).Text + (inner.isEmpty() ? QString() : QLatin1Char('(') + inner + QLatin1Char(')'));
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestTreeOutline : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void links_data()
    {
        QTest::addColumn<QString>("nodes");
        QTest::addColumn<QString>("shape");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("root alone") << "0R"
                                    << "R";
        QTest::newRow("tags, parameters, values") << "0R 1a 2p 3v 2q 1b 1c 2r"
                                                  << "R(a(p(v) q) b c(r))";
        QTest::newRow("a value after a tag without parameter is dropped") << "0R 1a 3v 1b"
                                                                          << "R(a b)";
        QTest::newRow("children of a dropped node are dropped too") << "0R 1a 3v 4w 2p"
                                                                    << "R(a(p))";
        QTest::newRow("nodes before the root are dropped") << "1a 0R 1b"
                                                           << "R(b)";
    }

    void links()
    {
        QFETCH(QString, nodes);
        QFETCH(QString, shape);
        const TTreeOutline outline(Nodes(nodes));
        QCOMPARE(Shape(outline), shape);
        QCOMPARE(outline.Child(-1, outline.ChildCount(-1)), -1);
        QCOMPARE(outline.Child(-1, -1), -1);
    }
};

QTEST_APPLESS_MAIN(TestTreeOutline)
#include "tst_treeoutline.moc"
